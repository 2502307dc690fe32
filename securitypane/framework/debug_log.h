// The framework's debug and error logs, both silent in this build: their
// texts stay in the code as the record of what each step decided. Errors
// that must be seen go to the system log (pdk::systemLog) instead.
#pragma once

#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

template <typename... Args>
inline void _DebugLog(const char*, Args...) {}

template <typename... Args>
inline void _ErrorLog(const char*, Args...) {}

SECURITY_FRAMEWORK_NAMESPACE_END
