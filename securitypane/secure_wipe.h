// Wiping key material and work buffers so that no secret outlives the call
// that needed it; the compiler may not drop these writes.
#pragma once

#include <string.h>

#include <cstddef>

#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

inline void secureWipe(void* data, size_t length) {
  if (data && length) ::explicit_bzero(data, length);
}

SECURITYPANE_NAMESPACE_END
