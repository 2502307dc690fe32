// MainView: the pane's top view, the container in which the view switcher
// shows either colour view.
#pragma once

#include "colorpane/namespace.h"
#include "pdk/toolkit.h"
#include "pdk/view_description.h"

COLORPANE_NAMESPACE_BEGIN

class MainView : public pdk::View, public pdk::NibObject {
 public:
  const char* className() const override { return "MainView"; }
};

COLORPANE_NAMESPACE_END
