// Small helpers over property-list values and strings that the rest of the
// framework shares: typed look-ups, string tests and comparison, reading a
// property-list file, and the system version. Thread-safe.
#pragma once

#include <cstdint>
#include <string>

#include "pdk/value.h"
#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

// Type codes of the typed look-ups; any other code accepts any type.
inline constexpr int32_t kCFTypeDictionary = 1;
inline constexpr int32_t kCFTypeArray = 2;
inline constexpr int32_t kCFTypeString = 3;
// Property lists here hold no URL values, so nothing has this type.
inline constexpr int32_t kCFTypeURL = 4;
inline constexpr int32_t kCFTypeNumber = 5;
inline constexpr int32_t kCFTypeBoolean = 6;

// True when `object` is present and of type `type`.
bool CFTypeIsValid(const pdk::Value& object, int32_t type);
// The value under `key` when `dictionary` is a non-empty dictionary holding
// one of type `type`; null otherwise.
pdk::Value CFDictionaryGetValueWithType(const pdk::Value& dictionary, const std::string& key, int32_t type);
// The same with an out value; true when found.
bool CFDictionaryGetValueIfPresentWithType(const pdk::Value& dictionary, const std::string& key, int32_t type,
                                           pdk::Value* value);
// The element at `index` (0 to count - 1) when it has type `type`; null otherwise.
pdk::Value CFArrayGetValueAtIndexWithType(const pdk::Value& array, int64_t index, int32_t type);
// True for a missing string or one of length 0.
bool CFStringIsEmpty(const std::string* string);
// `value` in "%d" form.
std::string CFStringCreateWithIntValue(int32_t value);
// False when either is missing; letter case is ignored (Unicode case
// folding) unless `caseSensitive`.
bool CFStringEqualTo(const std::string* a, const std::string* b, bool caseSensitive);
bool CFStringEqualTo(const std::string& a, const std::string& b, bool caseSensitive);
// The property list at `path` when it is a dictionary; null when the file
// cannot be read or parsed. Containers are fresh either way, so the mutable
// form is the same read.
pdk::Value MyPListCreateDictionaryFromPath(const std::string& path);
pdk::Value MyPListCreateDictionaryMutableFromPath(const std::string& path);
// The system version as a BCD number (0x1040 for 10.4.0). This platform's
// print system has the page-to-paper mapping and named papers that arrived
// with 0x1040, so it reports that version.
uint32_t GetSystemVersion();
// Append `object` to a mutable array.
void CoArrayAddObject(const pdk::Value& array, const pdk::Value& object);

SECURITY_FRAMEWORK_NAMESPACE_END
