// ZNDebug: a trace hook with a title and an id. Its class-level start call
// answers nothing and does nothing in this build, so trace points cost
// nothing. Main thread only.
#pragma once

#include <cstdint>
#include <string>

#include "pdk/object.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

class ZNDebug : public pdk::Object {
 public:
  const char* className() const override { return "ZNDebug"; }
  // A trace point entered: no effect.
  static ZNDebug* Start(int32_t id, const char* title) {
    (void)id;
    (void)title;
    return nullptr;
  }
  void setTitle(int32_t id, const std::string& text) {
    mID = id;
    title = text;
  }
  const std::string& getTitle() const { return title; }
  int32_t getID() const { return mID; }

  std::string title;
  int32_t mID = 0;
};

SECURITYPANE_NAMESPACE_END
