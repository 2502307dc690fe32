// Status results of the framework: 0 for success, the platform's codes
// passed through, and these.
#pragma once

#include <cstdint>

#include "securitypane/framework/namespace.h"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

inline constexpr int32_t kNoErr = 0;
inline constexpr int32_t kNotApplicable = -1;
inline constexpr int32_t kKeyNotAString = -10;
inline constexpr int32_t kParamErr = -50;
inline constexpr int32_t kMemFullErr = -108;
// A missing argument of the constraint set-up.
inline constexpr int32_t kInvalidParameter = 206;
// A print-settings or page-format value is not of the type asked for.
inline constexpr int32_t kPMInvalidType = -30892;

SECURITY_FRAMEWORK_NAMESPACE_END
