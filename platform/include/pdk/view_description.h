// View descriptions: a property-list file in a bundle's Resources/ listing
// the objects of a pane and the connections between them. Loading one with
// an owner creates the objects and binds them to the owner's and each
// other's outlets by name. Main thread only.
//
// Root keys: "objects" (array) and "connections" (array of {"source",
// "outlet", "destination"}; "owner" names the owner). Keys of an object:
//   every object: "id", "class"; a view: "parent" (a view, or "TABVIEW#N"
//     for tab N), "frame" ("x y width height"), "hidden"; a control:
//     "title", "enabled", "tag", "action" (a selector), "target" (default
//     owner)
//   NSView, NSBox ("title"), NSWindow ("title"; top level, starts closed;
//     its subviews are its content)
//   NSPopUpButton: "items" (titles); NSTabView: "tabs" (labels)
//   NSButton: "buttonType" (push, checkbox, radio), "state"
//   NSTextField: "text", "editable", "textColor" (black, gray);
//     NSSecureTextField: the same, always editable
//   NSMatrix (radio group): "cells" (titles, or {"title", "enabled", "tag"}
//     dictionaries, row by row), "rows", "columns" (from the cells when
//     left out: one column), "selectedRow", "selectedColumn" (default 0)
//   NSTableView: "columns" ({"identifier", "title", "kind": text, checkbox
//     or image, "width", "cellClass": a class the factory makes for the
//     column's data cell}), "allowsEmptySelection"
//   NSImageView: "image" (a file path, relative to the description's folder)
// Classes the toolkit does not know come from the factory; the keys above
// apply to them by what they are (a pane's text field subclass takes
// "text", "editable" and "textColor"). A table view's "dataSource" and
// "delegate", and a text field's or window's "delegate", are outlets too:
// connect them to the owner or an object that answers that protocol.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pdk/object.h"
#include "pdk/toolkit.h"

namespace pdk {

using ObjectRef = std::shared_ptr<Object>;

// An object that can be the owner of a view description, or one of its
// objects: it accepts outlets and answers actions by name.
class NibObject {
 public:
  virtual ~NibObject() = default;
  // Bind `value` to the outlet `name`; false when there is no such outlet or
  // the object is of the wrong class.
  virtual bool setOutlet(const std::string& name, const ObjectRef& value) {
    (void)name;
    (void)value;
    return false;
  }
  // The action for `selector` ("selectItem:"), or an empty function.
  virtual Action actionNamed(const std::string& selector) {
    (void)selector;
    return {};
  }
  // Called on every loaded object once all connections are made.
  virtual void awakeFromNib() {}
};

// One entry of a class's static outlet table: binds a name to a member.
template <class Owner>
struct OutletBinding {
  const char* name;
  std::function<bool(Owner&, const ObjectRef&)> bind;
};

// Make an outlet binding for a member `std::shared_ptr<T> Owner::*`.
template <class Owner, class T>
OutletBinding<Owner> outlet(const char* name, std::shared_ptr<T> Owner::*member) {
  return {name, [member](Owner& owner, const ObjectRef& value) {
            auto typed = std::dynamic_pointer_cast<T>(value);
            if (value && !typed) return false;
            owner.*member = typed;
            return true;
          }};
}

// Bind `value` through a static outlet table.
template <class Owner, size_t N>
bool bindOutlet(const OutletBinding<Owner> (&table)[N], Owner& owner, const std::string& name,
                const ObjectRef& value) {
  for (auto& entry : table)
    if (name == entry.name) return entry.bind(owner, value);
  return false;
}

// Creates objects of classes the toolkit does not know (the panes' views
// and controllers); null for an unknown class.
using ObjectFactory = std::function<ObjectRef(const std::string& className)>;

struct ViewDescriptionResult {
  bool ok = false;
  std::string error;                       // why loading failed
  std::vector<ObjectRef> objects;          // every object created, in file order
  std::map<std::string, ObjectRef> byId;   // objects by their id
};

// Load the view description at `path` with `owner` (addressed as "owner" in
// the file). Returns ok=false with a message on a malformed file, an unknown
// class, a bad property value (a colour, a matrix shape, a column, an image
// that cannot be read), or a connection that names a missing object or
// outlet.
ViewDescriptionResult loadViewDescription(const std::string& path, NibObject* owner,
                                          const ObjectFactory& factory);

}  // namespace pdk
