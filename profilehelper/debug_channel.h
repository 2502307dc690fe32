// The walk's debug channel: silent unless enabled, then one line per message
// on standard error. Enable it before serving; messages may come from any
// thread.
#pragma once

#include <cstdio>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Longest message text kept (the rest is cut).
inline constexpr int kDebugTextSize = 128;

// Turn the channel on or off (off at start).
void setDebugChannelEnabled(bool enabled);
// The stream the channel writes to, or null while it is silent.
FILE* debugStream();
// Write `message` (cut to 127 characters) followed by `value` when it is not 0.
void MyDebugMessage(const char* message, int value);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
