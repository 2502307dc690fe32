#include "pdk/printing.h"

#include <algorithm>

namespace pdk {

void PrintSettings::assign(const Value& dict) {
  if (locked || !dict.isDictionary()) return;
  for (auto& key : dict.keys()) values_.set(key, dict.get(key));
}

NotificationCenter& NotificationCenter::defaultCenter() {
  static NotificationCenter center;
  return center;
}

int NotificationCenter::addObserver(const std::string& name, Observer observer) {
  observers_.push_back(Entry{next_, name, std::move(observer)});
  return next_++;
}

void NotificationCenter::removeObserver(int token) {
  observers_.erase(std::remove_if(observers_.begin(), observers_.end(),
                                  [token](const Entry& e) { return e.token == token; }),
                   observers_.end());
}

void NotificationCenter::post(const std::string& name, const void* object) {
  // Observers may add or remove observers while being called: walk a
  // snapshot, and skip an entry removed by an earlier observer of this post.
  auto snapshot = observers_;
  for (auto& e : snapshot) {
    if (e.name != name) continue;
    bool registered = std::any_of(observers_.begin(), observers_.end(),
                                  [&](const Entry& o) { return o.token == e.token; });
    if (registered) e.observer(name, object);
  }
}

int32_t PMSessionGetCurrentPrinter(const PrintSession* session, std::shared_ptr<Printer>* printer) {
  if (!session || !printer) return kPMInvalidParameter;
  *printer = session->currentPrinter;
  return *printer ? kPMNoError : kPMInvalidParameter;
}

std::string PMPrinterGetID(const Printer* printer) { return printer ? printer->id : std::string(); }

int32_t PMPrinterCopyDeviceURI(const Printer* printer, std::string* uri) {
  if (!printer || !uri) return kPMInvalidParameter;
  *uri = printer->deviceURI;
  return kPMNoError;
}

Value PMPrintSettingsGetValue(const PrintSettings* settings, const std::string& key) {
  return settings ? settings->getValue(key) : Value();
}

int32_t PMPrintSettingsSetValue(PrintSettings* settings, const std::string& key, const Value& value) {
  if (!settings) return kPMInvalidParameter;
  if (settings->locked) return kPMInvalidParameter;
  settings->setValue(key, value);
  return kPMNoError;
}

}  // namespace pdk
