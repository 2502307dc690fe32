// Text services: conversion between UTF-8 (our internal form) and the
// encodings that PPD files and the system use, Unicode normalisation, and
// UTF-16 counting where the system counts UTF-16 units.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace pdk {

enum class TextEncoding { MacRoman, ISOLatin1, WindowsLatin1, ShiftJIS, UTF8 };

// The iconv name of an encoding ("MACINTOSH", "ISO-8859-1", ...).
const char* iconvName(TextEncoding enc);

// Decode bytes in `enc` to UTF-8; nullopt when the bytes are not valid there.
std::optional<std::string> decodeText(const std::string& bytes, TextEncoding enc);
// Encode UTF-8 text into `enc`; nullopt when a character does not convert.
std::optional<std::string> encodeText(const std::string& utf8, TextEncoding enc);
// Convert UTF-8 text into the named iconv encoding, writing `replacement` for
// every character that does not convert.
std::string convertLossy(const std::string& utf8, const char* toEncoding, char replacement = '?');

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool isValidUtf8(const std::string& bytes);
// True when the bytes are well-formed UTF-8 and every character may stand
// in an XML 1.0 document (no C0 control but tab, line feed and carriage
// return; no U+FFFE or U+FFFF).
bool isXmlText(const std::string& bytes);
// Unicode normalisation form C; the input unchanged if it is not valid UTF-8.
std::string normalizeNFC(const std::string& utf8);
// Number of UTF-16 code units of a UTF-8 string.
size_t utf16Length(const std::string& utf8);
// The UTF-16 units [start, start+length) of a UTF-8 string, as UTF-8. A cut
// through a surrogate pair keeps the whole character on the side it starts.
std::string utf16Substring(const std::string& utf8, size_t start, size_t length);
// UTF-8 as UTF-16 units; a byte that starts no character becomes U+FFFD.
std::u16string utf16FromUtf8(const std::string& utf8);
// UTF-16 units as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(const std::u16string& units);

}  // namespace pdk
