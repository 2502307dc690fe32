#include "debug_channel.h"

#include <atomic>
#include <cstring>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {
std::atomic<bool> gEnabled{false};
}

void setDebugChannelEnabled(bool enabled) { gEnabled = enabled; }

FILE* debugStream() { return gEnabled ? stderr : nullptr; }

void MyDebugMessage(const char* message, int value) {
  FILE* out = debugStream();
  if (!out || !message) return;
  char text[kDebugTextSize];
  std::snprintf(text, sizeof text, "%s", message);
  size_t len = std::strlen(text);
  while (len > 0 && text[len - 1] == '\n') text[--len] = '\0';
  if (value != 0) {
    std::fprintf(out, "%s %d\n", text, value);
  } else {
    std::fprintf(out, "%s\n", text);
  }
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
