// Byte-to-text codecs of the stored credentials: the two-digit upper-case
// hexadecimal form the pane writes, and three older forms kept for bytes
// below 0x80 (lower-case hexadecimal without leading zero, base-16 pairs,
// and nibbles as '0' + value). Every function takes its output's size and
// writes nothing that does not fit. Thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

// Each byte as two upper-case digits ("%02X"), then a NUL. Return
// 2 × count; 0 for a missing argument or an output shorter than
// 2 × count + 1.
int32_t ZNCStringEncodeMFP(const uint8_t* bytes, char* output, int32_t count, size_t outputSize);
// Each pair of digits ("0"-"9", "A"-"F") to one byte, then a NUL; a lone
// last digit is read as its high nibble. Return (count + 1) / 2; 0 for a
// missing argument or an output shorter than that plus 1. Other characters
// are not digits and give bytes that do not round-trip: check the text
// first (isUpperHexText).
int32_t ZNCStringDecodeMFP(const char* text, uint8_t* output, int32_t count, size_t outputSize);
// True when `text` has `count` characters, all "0"-"9" or "A"-"F".
bool isUpperHexText(const char* text, size_t count);

// Each byte as lower-case hexadecimal without leading zero ("%x"), then a
// NUL. Return 2 × count + 1 (the room the output needs); 0 when it does not
// fit.
int32_t ZNCStringEncodeASCII(const uint8_t* bytes, char* output, int32_t count, size_t outputSize);
// Each pair of characters read as a base-16 number into one byte. Return
// the number of bytes; 0 when they do not fit.
int32_t ZNCStringDecodeASCII(const char* text, uint8_t* output, int32_t count, size_t outputSize);
// Each byte as '0' + high nibble and '0' + low nibble (10 to 15 become ":"
// to "?"), then a NUL. Return 2 × count; 0 when it does not fit.
int32_t ZNCStringEncode(const uint8_t* bytes, char* output, int32_t count, size_t outputSize);
// The reverse of ZNCStringEncode. Return the number of bytes; 0 when they
// do not fit.
int32_t ZNCStringDecode(const char* text, uint8_t* output, int32_t count, size_t outputSize);

// Decimal text with an optional leading "-" as an integer, up to the first
// character that is not a digit; saturates at the 32-bit limits.
int32_t str2num(const char* text);

SECURITYPANE_NAMESPACE_END
