// Logging functions of the colour pane. "%@" in a format prints an object's
// description (argument: const pdk::Object*).
#pragma once

#include <cstdint>
#include <cstdarg>
#include <cstdio>
#include <string>

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

// The text of one such line: `head`, the object's description, `tail`, then
// the formatted arguments. The description is never read as a format.
std::string formatLogLine(const char* head, const char* tail, const pdk::Object* self, const char* format,
                          va_list args);

COLORPANE_NAMESPACE_END
