#include "pdk/object.h"

#include <cstdio>

namespace pdk {

std::string Object::description() const {
  char buf[160];
  std::snprintf(buf, sizeof buf, "<%s: %p>", className(), static_cast<const void*>(this));
  return buf;
}

}  // namespace pdk
