// The system log, shared by every process of the system.
#pragma once

namespace pdk {

enum class LogPriority { Error, Warning, Notice, Info, Debug };

// Write one line to the system log (printf format).
void systemLog(LogPriority priority, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace pdk
