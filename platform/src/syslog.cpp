#include "pdk/syslog.h"

#include <syslog.h>

#include <cstdarg>

namespace pdk {

void systemLog(LogPriority priority, const char* format, ...) {
  static const int kLevels[] = {LOG_ERR, LOG_WARNING, LOG_NOTICE, LOG_INFO, LOG_DEBUG};
  va_list ap;
  va_start(ap, format);
  vsyslog(kLevels[static_cast<int>(priority)] | LOG_USER, format, ap);
  va_end(ap);
}

}  // namespace pdk
