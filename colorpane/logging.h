// Logging functions of the colour pane. "%@" in a format prints an object's
// description (argument: const pdk::Object*).
#pragma once

#include <cstdint>
#include <cstdio>

#include "colorpane/control_table.h"
#include "colorpane/namespace.h"
#include "pdk/object.h"

COLORPANE_NAMESPACE_BEGIN

// Write the formatted text to `stream` in the system encoding ("?" for
// characters it cannot hold) and flush. Returns 0.
int MyLog(FILE* stream, const char* format, ...);
// System-log lines "BEGIN self(<object>) <text>", "END self(...) ...",
// "LOG self(...): ...".
void _PDEProlog(const pdk::Object* self, const char* format, ...);
void _PDEEpilog(const pdk::Object* self, const char* format, ...);
void _PDELog(const pdk::Object* self, const char* format, ...);

COLORPANE_NAMESPACE_END
