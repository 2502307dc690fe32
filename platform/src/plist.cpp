#include "pdk/plist.h"

#include <fcntl.h>
#include <plist/plist.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "pdk/file_io.h"
#include "pdk/text.h"
#include "plist_input_check.h"

namespace pdk {

namespace {

// Text that a Value may hold: UTF-8 without U+0000.
bool isAcceptableText(const char* text, size_t length) {
  return std::memchr(text, 0, length) == nullptr && isValidUtf8(std::string(text, length));
}

// Convert a libplist tree; `*ok` becomes false at the first string the
// platform refuses (the whole list is then refused).
Value fromNode(plist_t node, int depth, bool* ok) {
  if (!node || depth > kMaxPlistNesting || !*ok) return Value();
  switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
      uint8_t b = 0;
      plist_get_bool_val(node, &b);
      return Value(b != 0);
    }
    case PLIST_UINT: {
      uint64_t u = 0;
      plist_get_uint_val(node, &u);
      return Value(static_cast<int64_t>(u));
    }
    case PLIST_REAL: {
      double d = 0;
      plist_get_real_val(node, &d);
      return Value(d);
    }
    case PLIST_STRING: {
      // With its length: a string holding U+0000 must not reach
      // plist_get_string_val, which aborts on one.
      uint64_t length = 0;
      const char* s = plist_get_string_ptr(node, &length);
      if (!s) return Value(std::string());
      if (!isAcceptableText(s, length)) {
        *ok = false;
        return Value();
      }
      return Value(std::string(s, length));
    }
    case PLIST_DATA: {
      char* d = nullptr;
      uint64_t len = 0;
      plist_get_data_val(node, &d, &len);
      Bytes bytes(d, d + len);
      free(d);
      return Value(std::move(bytes));
    }
    case PLIST_DATE: {
      int32_t sec = 0, usec = 0;
      plist_get_date_val(node, &sec, &usec);
      return Value(static_cast<double>(sec) + usec / 1e6);
    }
    case PLIST_ARRAY: {
      Value out = Value::array();
      uint32_t n = plist_array_get_size(node);
      for (uint32_t i = 0; i < n; ++i) out.append(fromNode(plist_array_get_item(node, i), depth + 1, ok));
      return out;
    }
    case PLIST_DICT: {
      Value out = Value::dictionary();
      plist_dict_iter it = nullptr;
      plist_dict_new_iter(node, &it);
      for (;;) {
        // The key is fetched apart: asked for with the value, libplist
        // aborts on a key holding U+0000.
        plist_t val = nullptr;
        plist_dict_next_item(node, it, nullptr, &val);
        if (!val) break;
        char* key = nullptr;
        plist_dict_get_item_key(val, &key);
        if (!key || !isAcceptableText(key, std::strlen(key))) *ok = false;
        if (*ok) out.set(key, fromNode(val, depth + 1, ok));
        free(key);
        if (!*ok) break;
      }
      free(it);
      return out;
    }
    default:
      return Value();
  }
}

plist_t toNode(const Value& v) {
  switch (v.type()) {
    case Value::Type::Null:
      return plist_new_string("");
    case Value::Type::Boolean:
      return plist_new_bool(v.asBool());
    case Value::Type::Integer:
      // libplist stores integers as unsigned 64-bit and writes negative
      // numbers back correctly from the two's complement.
      return plist_new_uint(static_cast<uint64_t>(v.asInteger()));
    case Value::Type::Real:
      return plist_new_real(v.asReal());
    case Value::Type::String:
      return plist_new_string(v.asString().c_str());
    case Value::Type::Data: {
      const Bytes& d = v.asData();
      return plist_new_data(reinterpret_cast<const char*>(d.data()), d.size());
    }
    case Value::Type::Array: {
      plist_t a = plist_new_array();
      for (auto& e : *v.arrayStorage()) plist_array_append_item(a, toNode(e));
      return a;
    }
    case Value::Type::Dictionary: {
      plist_t d = plist_new_dict();
      for (auto& [k, e] : *v.dictionaryStorage()) plist_dict_set_item(d, k.c_str(), toNode(e));
      return d;
    }
  }
  return plist_new_string("");
}

}  // namespace

Value plistFromBytes(const std::string& bytes) {
  if (bytes.empty() || bytes.size() > UINT32_MAX) return Value();
  plist_t root = nullptr;
  const auto size = static_cast<uint32_t>(bytes.size());
  if (plist_is_binary(bytes.data(), size)) {
    if (!binaryPlistIsSafeToParse(bytes)) return Value();
    plist_from_bin(bytes.data(), size, &root);
  } else {
    if (!xmlPlistIsSafeToParse(bytes)) return Value();
    plist_from_xml(bytes.data(), size, &root);
  }
  if (!root) return Value();
  bool ok = true;
  Value v = fromNode(root, 0, &ok);
  plist_free(root);
  return ok ? v : Value();
}

std::string plistToXml(const Value& v) {
  plist_t node = toNode(v);
  char* xml = nullptr;
  uint32_t len = 0;
  plist_to_xml(node, &xml, &len);
  std::string out(xml ? xml : "", len);
  plist_to_xml_free(xml);
  plist_free(node);
  return out;
}

Value readPlistFile(const std::string& path) {
  auto bytes = readWholeFile(path);
  return bytes ? plistFromBytes(*bytes) : Value();
}

bool writePlistFile(const std::string& path, const Value& v) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const std::string xml = plistToXml(v);
  bool ok = writeAll(fd, xml.data(), xml.size());
  return ::close(fd) == 0 && ok;
}

bool writePlistFileAtomic(const std::string& path, const Value& v) {
  return replaceFileAtomically(path, plistToXml(v), 0644);
}

}  // namespace pdk
