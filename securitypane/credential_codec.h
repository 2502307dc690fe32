// How the pane stores names and passwords in the print settings: a name as
// the upper-case hexadecimal of its UTF-8 bytes, a password as the
// hexadecimal of its AES-256-CBC ciphertext under a key-table entry. The
// job filters downstream read these forms, so they are fixed. Stored text
// is checked before it is decoded; secrets never reach a log.
// Thread-safe: work buffers are the call's own and wiped before returning.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "pdk/value.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// Longest text (UTF-8 bytes) that is encoded.
inline constexpr size_t kMaxCredentialBytes = 255;
// Longest stored name: every byte of the longest text as two digits.
inline constexpr size_t kMaxStoredNameDigits = 2 * kMaxCredentialBytes;
// Longest stored password: the ciphertext of the longest text (256 bytes).
inline constexpr size_t kMaxStoredPasswordDigits = 512;
// The key-table entry the panel encrypts with.
inline constexpr int32_t kPanelKeyId = 51;
inline constexpr int32_t kPanelKeySubId = 0;
// A key id or sub-id of -1 stores the text unencrypted.
inline constexpr int32_t kNoKey = -1;

// Text to hexadecimal; none when its UTF-8 form exceeds 255 bytes.
std::optional<std::string> ZNCFStringEncode(const std::string& text);
// Hexadecimal back to text; none unless the stored text has an even number
// (at most 510) of digits "0"-"9", "A"-"F" and the bytes are UTF-8.
std::optional<std::string> ZNCFStringDecode(const std::string& hex);
// Text to the hexadecimal of its padded ciphertext (32 to 512 digits);
// none when its UTF-8 form exceeds 255 bytes.
std::optional<std::string> ZNCFStringEncodeWithEncrypt(const std::string& text, int32_t keyId, int32_t subId);
// Stored ciphertext back to text, which ends before its first "+"; none
// unless the stored text is a multiple of 32 (at most 512) digits "0"-"9",
// "A"-"F", its padding fits, and the text is UTF-8. No digits: "".
std::optional<std::string> ZNCFStringDecodeWithDecrypt(const std::string& hex, int32_t keyId, int32_t subId);

// Loading from the per-printer settings dictionary: when it holds a string
// under `key`, `result` := the decoded text (none when it does not decode);
// otherwise `result` is left alone.
void LoadEditText(const pdk::Value& dictionary, const std::string& key, std::optional<std::string>* result);
void LoadEditTextNumber(const pdk::Value& dictionary, const std::string& key, std::optional<std::string>* result);
// The same for a password; one that does not decrypt loads as "", never as
// its stored form.
void LoadEditTextPassword(const pdk::Value& dictionary, const std::string& key, int32_t keyId, int32_t subId,
                          std::optional<std::string>* result);

// Saving: a non-empty text is stored encoded under `key`; a text too long
// to encode stores "", so no earlier value stays behind. An empty text
// stores nothing.
void SaveEditText(const pdk::Value& dictionary, const std::string& key, const std::string& text);
void SaveEditTextNumber(const pdk::Value& dictionary, const std::string& key, const std::string& text);
void SaveEditTextPassword(const pdk::Value& dictionary, const std::string& key, int32_t keyId, int32_t subId,
                          const std::string& text);

SECURITYPANE_NAMESPACE_END
