// Bundle: a "NAME.plugin/" folder holding the shared library and Resources/
// (Info.plist, the localized strings table, view descriptions). Loaded
// bundles are registered by identifier so code can find its own bundle.
// Main thread only.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "pdk/object.h"
#include "pdk/value.h"

namespace pdk {

class Bundle : public Object {
 public:
  // Open the bundle at `path`; null when it has no readable Info.plist.
  static std::shared_ptr<Bundle> open(const std::string& path);
  // A bundle registered by identifier, or null.
  static std::shared_ptr<Bundle> bundleWithIdentifier(const std::string& identifier);

  const char* className() const override { return "NSBundle"; }
  std::string description() const override;

  const std::string& path() const { return path_; }
  std::string resourcesPath() const { return path_ + "/Resources"; }
  std::string identifier() const { return info_.get("CFBundleIdentifier").asString(); }
  // Name of the bundle without ".plugin" ("colorpane").
  std::string name() const;
  // Full path of the bundle's shared library.
  std::string executablePath() const;
  const Value& infoDictionary() const { return info_; }
  // Path of a resource file, or empty when it does not exist.
  std::string pathForResource(const std::string& name, const std::string& type) const;
  // The localized string for `key` from table `table` ("Localizable"); the key
  // itself when there is no translation.
  std::string localizedString(const std::string& key, const std::string& table = "Localizable") const;

 private:
  std::string path_;
  Value info_;
  mutable std::map<std::string, std::map<std::string, std::string>> tables_;
};

using BundleRef = std::shared_ptr<Bundle>;

// Parse a strings table ("key" = "value"; with /* */ and // comments and
// backslash escapes). Malformed entries are skipped.
std::map<std::string, std::string> parseStringsTable(const std::string& text);

}  // namespace pdk
