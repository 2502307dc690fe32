// Object: the root of every object the toolkit and the panes create by
// name (views, controllers, panel objects). Its description is what "%@"
// prints in log formats.
#pragma once

#include <memory>
#include <string>

namespace pdk {

class Object : public std::enable_shared_from_this<Object> {
 public:
  virtual ~Object() = default;
  // The class name, as used in view descriptions and logs.
  virtual const char* className() const { return "Object"; }
  // "<ClassName: 0x…>" by default.
  virtual std::string description() const;
};

}  // namespace pdk
