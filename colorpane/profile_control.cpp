#include "colorpane/profile_control.h"

COLORPANE_NAMESPACE_BEGIN

namespace {
const pdk::OutletBinding<ProfileControl> kOutlets[] = {
    pdk::outlet("onAdvancedView", &ProfileControl::onAdvancedView),
};
}  // namespace

bool ProfileControl::setOutlet(const std::string& name, const pdk::ObjectRef& value) {
  return pdk::bindOutlet(kOutlets, *this, name, value);
}

COLORPANE_NAMESPACE_END
