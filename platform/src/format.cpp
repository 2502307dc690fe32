#include "pdk/format.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "pdk/object.h"

namespace pdk {

namespace {

template <typename T>
void appendOne(std::string& out, const std::string& conversion, T value) {
  char buf[512];
  int n = std::snprintf(buf, sizeof buf, conversion.c_str(), value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof buf) {
    out.append(buf, static_cast<size_t>(n));
  } else {
    std::string big(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(big.data(), big.size(), conversion.c_str(), value);
    out.append(big.data(), static_cast<size_t>(n));
  }
}

}  // namespace

std::string formatStringV(const char* format, va_list args) {
  std::string out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);
  const char* p = format;
  while (*p) {
    if (*p != '%') {
      out.push_back(*p++);
      continue;
    }
    const char* start = p++;
    if (*p == '%') {
      out.push_back('%');
      ++p;
      continue;
    }
    // flags, width, precision ('*' takes an int argument each)
    std::string conversion = "%";
    while (*p && std::strchr("-+ #0'", *p)) conversion.push_back(*p++);
    auto number = [&]() {
      if (*p == '*') {
        conversion += std::to_string(va_arg(ap, int));
        ++p;
      } else {
        while (*p >= '0' && *p <= '9') conversion.push_back(*p++);
      }
    };
    number();
    if (*p == '.') {
      conversion.push_back(*p++);
      number();
    }
    std::string length;
    while (*p && std::strchr("hlLqjzt", *p)) length.push_back(*p++);
    char conv = *p ? *p++ : '\0';
    conversion += length;
    conversion.push_back(conv);
    switch (conv) {
      case '@': {
        auto* obj = va_arg(ap, const Object*);
        out += obj ? obj->description() : "(null)";
        break;
      }
      case 'd': case 'i':
        if (length == "l") appendOne(out, conversion, va_arg(ap, long));
        else if (length == "ll" || length == "q" || length == "j") appendOne(out, conversion, va_arg(ap, long long));
        else if (length == "z" || length == "t") appendOne(out, conversion, va_arg(ap, ssize_t));
        else appendOne(out, conversion, va_arg(ap, int));
        break;
      case 'u': case 'x': case 'X': case 'o': case 'c':
        if (length == "l") appendOne(out, conversion, va_arg(ap, unsigned long));
        else if (length == "ll" || length == "q" || length == "j") appendOne(out, conversion, va_arg(ap, unsigned long long));
        else if (length == "z" || length == "t") appendOne(out, conversion, va_arg(ap, size_t));
        else appendOne(out, conversion, va_arg(ap, unsigned));
        break;
      case 'f': case 'F': case 'e': case 'E': case 'g': case 'G': case 'a': case 'A':
        if (length == "L") appendOne(out, conversion, va_arg(ap, long double));
        else appendOne(out, conversion, va_arg(ap, double));
        break;
      case 's': {
        const char* s = va_arg(ap, const char*);
        appendOne(out, conversion, s ? s : "(null)");
        break;
      }
      case 'p':
        appendOne(out, conversion, va_arg(ap, void*));
        break;
      default:
        // Unknown conversion: keep the text as written.
        out.append(start, static_cast<size_t>(p - start));
        break;
    }
  }
  va_end(ap);
  return out;
}

std::string formatString(const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::string s = formatStringV(format, ap);
  va_end(ap);
  return s;
}

}  // namespace pdk
