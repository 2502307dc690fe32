#include "pane_loader.h"

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>

namespace {

std::vector<std::string> bundleFolders(const std::string& folder) {
  std::vector<std::string> out;
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return out;
  while (dirent* e = ::readdir(dir)) {
    std::string name = e->d_name;
    if (name.size() > 7 && name.compare(name.size() - 7, 7, ".plugin") == 0) out.push_back(folder + "/" + name);
  }
  ::closedir(dir);
  std::sort(out.begin(), out.end());
  return out;
}

std::string paneName(const std::string& bundleName) {
  const std::string suffix = "pane";
  if (bundleName.size() > suffix.size() && bundleName.compare(bundleName.size() - 4, 4, suffix) == 0)
    return bundleName.substr(0, bundleName.size() - 4);
  return bundleName;
}

}  // namespace

std::string defaultPluginFolder() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n > 0) {
    std::string exe(buf, static_cast<size_t>(n));
    std::string dir = exe.substr(0, exe.find_last_of('/'));
    for (const char* rel : {"/../plugins", "/../lib/tlq770-1/plugins"})
      if (::access((dir + rel).c_str(), R_OK) == 0) return dir + rel;
  }
  return TLQ_PLUGIN_DIR;
}

std::vector<LoadedPane> loadPanes(const std::string& folder, const pdk::PDEHostCallbackRef& host,
                                  std::vector<std::string>* warnings) {
  std::vector<LoadedPane> panes;
  for (const std::string& path : bundleFolders(folder)) {
    pdk::BundleRef bundle = pdk::Bundle::open(path);
    if (!bundle) {
      warnings->push_back(path + ": no readable Resources/Info.plist");
      continue;
    }
    void* lib = ::dlopen(bundle->executablePath().c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
      warnings->push_back(path + ": " + ::dlerror());
      continue;
    }
    auto create = reinterpret_cast<pdk::PDEPlugInCreateFn>(::dlsym(lib, pdk::kPDEPlugInEntrySymbol));
    if (!create) {
      warnings->push_back(path + ": no entry symbol " + pdk::kPDEPlugInEntrySymbol);
      continue;
    }
    std::shared_ptr<pdk::PDEPlugIn> plugIn(create());
    if (!plugIn || !plugIn->initWithBundle(bundle)) {
      warnings->push_back(path + ": the entry object refused the bundle");
      continue;
    }
    auto panels = plugIn->PDEPanelsForType(pdk::kPrinterModulePanelType, host);
    if (!panels) continue;  // the bundle offers no printer-module panel
    for (auto& panel : *panels) panes.push_back(LoadedPane{paneName(bundle->name()), bundle, plugIn, panel, lib});
  }
  return panes;
}
