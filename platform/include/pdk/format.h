// printf-style formatting with one addition: "%@" takes a `const pdk::Object*`
// (null prints "(null)") and prints its description.
#pragma once

#include <cstdarg>
#include <string>

namespace pdk {

std::string formatString(const char* format, ...) __attribute__((format(printf, 1, 0)));
std::string formatStringV(const char* format, va_list args);

}  // namespace pdk
