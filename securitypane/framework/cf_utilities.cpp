#include "securitypane/framework/cf_utilities.h"

#include <utf8proc.h>

#include <cstdlib>

#include "pdk/plist.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

// Case-folded form of a UTF-8 text; the text itself when it is not UTF-8.
std::string caseFolded(const std::string& text) {
  utf8proc_uint8_t* folded = nullptr;
  const utf8proc_ssize_t n =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(text.data()), static_cast<utf8proc_ssize_t>(text.size()),
                   &folded, static_cast<utf8proc_option_t>(UTF8PROC_CASEFOLD | UTF8PROC_COMPOSE));
  if (n < 0) return text;
  std::string out(reinterpret_cast<char*>(folded), static_cast<size_t>(n));
  std::free(folded);
  return out;
}

}  // namespace

bool CFTypeIsValid(const pdk::Value& object, int32_t type) {
  switch (type) {
    case kCFTypeDictionary: return object.isDictionary();
    case kCFTypeArray: return object.isArray();
    case kCFTypeString: return object.isString();
    case kCFTypeURL: return false;
    case kCFTypeNumber: return object.isInteger() || object.isReal();
    case kCFTypeBoolean: return object.isBool();
    default: return !object.isNull();
  }
}

pdk::Value CFDictionaryGetValueWithType(const pdk::Value& dictionary, const std::string& key, int32_t type) {
  if (!dictionary.isDictionary() || dictionary.count() == 0) return pdk::Value();
  pdk::Value value = dictionary.get(key);
  return CFTypeIsValid(value, type) ? value : pdk::Value();
}

bool CFDictionaryGetValueIfPresentWithType(const pdk::Value& dictionary, const std::string& key, int32_t type,
                                           pdk::Value* value) {
  if (!value) return false;
  pdk::Value found = CFDictionaryGetValueWithType(dictionary, key, type);
  if (found.isNull()) return false;
  *value = found;
  return true;
}

pdk::Value CFArrayGetValueAtIndexWithType(const pdk::Value& array, int64_t index, int32_t type) {
  if (!array.isArray() || index < 0 || static_cast<uint64_t>(index) >= array.count()) return pdk::Value();
  pdk::Value value = array.at(static_cast<size_t>(index));
  return CFTypeIsValid(value, type) ? value : pdk::Value();
}

bool CFStringIsEmpty(const std::string* string) { return !string || string->empty(); }

std::string CFStringCreateWithIntValue(int32_t value) { return std::to_string(value); }

bool CFStringEqualTo(const std::string* a, const std::string* b, bool caseSensitive) {
  if (!a || !b) return false;
  return CFStringEqualTo(*a, *b, caseSensitive);
}

bool CFStringEqualTo(const std::string& a, const std::string& b, bool caseSensitive) {
  if (a == b) return true;
  return !caseSensitive && caseFolded(a) == caseFolded(b);
}

pdk::Value MyPListCreateDictionaryFromPath(const std::string& path) {
  pdk::Value value = pdk::readPlistFile(path);
  return value.isDictionary() ? value : pdk::Value();
}

pdk::Value MyPListCreateDictionaryMutableFromPath(const std::string& path) {
  return MyPListCreateDictionaryFromPath(path);
}

uint32_t GetSystemVersion() { return 0x1040; }

void CoArrayAddObject(const pdk::Value& array, const pdk::Value& object) { array.append(object); }

SECURITY_FRAMEWORK_NAMESPACE_END
