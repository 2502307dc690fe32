#include "colorpane/logging.h"

#include <langinfo.h>

#include <cstdarg>
#include <string>

#include "pdk/format.h"
#include "pdk/syslog.h"
#include "pdk/text.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

// An object's description as literal format text ("%" doubled), so that a
// description can never be taken for a conversion.
std::string literal(const pdk::Object* self) {
  std::string d = self ? self->description() : "(null)";
  std::string out;
  for (char c : d) {
    out.push_back(c);
    if (c == '%') out.push_back('%');
  }
  return out;
}

void logWithPrefix(const char* head, const char* tail, const pdk::Object* self, const char* format, va_list args) {
  std::string line = formatLogLine(head, tail, self, format, args);
  pdk::systemLog(pdk::LogPriority::Notice, "%s", line.c_str());
}

}  // namespace

std::string formatLogLine(const char* head, const char* tail, const pdk::Object* self, const char* format,
                          va_list args) {
  std::string full = std::string(head) + literal(self) + tail + (format ? format : "");
  return pdk::formatStringV(full.c_str(), args);
}

int MyLog(FILE* stream, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::string text = pdk::formatStringV(format, ap);
  va_end(ap);
  if (!stream) return 0;
  std::string out = pdk::convertLossy(text, nl_langinfo(CODESET), '?');
  std::fprintf(stream, "%.*s", static_cast<int>(out.size()), out.data());
  std::fflush(stream);
  return 0;
}

void _PDEProlog(const pdk::Object* self, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  logWithPrefix("BEGIN self(", ") ", self, format, ap);
  va_end(ap);
}

void _PDEEpilog(const pdk::Object* self, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  logWithPrefix("END self(", ") ", self, format, ap);
  va_end(ap);
}

void _PDELog(const pdk::Object* self, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  logWithPrefix("LOG self(", "): ", self, format, ap);
  va_end(ap);
}

COLORPANE_NAMESPACE_END
