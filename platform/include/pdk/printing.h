// The print-dialog model the panes work on: the printer (identifier and
// device URI), the print session, the job's print settings (a dictionary of
// property-list values) and the page format with its paper. Plain objects
// filled by the host; main thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "pdk/value.h"

namespace pdk {

struct Printer {
  std::string id;         // the printing system's printer identifier (queue name)
  std::string deviceURI;  // e.g. "dnssd://Office._printer._tcp.local./"
  std::string name;
};

// One print dialog's session: the current printer.
struct PrintSession {
  std::shared_ptr<Printer> currentPrinter;
};

// The job's print settings: string keys to values. Containers set into it
// are kept by reference, so later in-place changes are seen.
class PrintSettings {
 public:
  PrintSettings() : values_(Value::dictionary()) {}
  Value getValue(const std::string& key) const { return values_.get(key); }
  void setValue(const std::string& key, const Value& v) {
    if (!locked) values_.set(key, v);
  }
  void removeValue(const std::string& key) {
    if (!locked) values_.remove(key);
  }
  // The whole dictionary (shared reference).
  const Value& dictionary() const { return values_; }
  // Replace the contents with the entries of `dict`.
  void assign(const Value& dict);
  bool locked = false;

 private:
  Value values_;
};

struct Paper {
  std::string id;  // PPD page-size keyword
  double width = 0, height = 0;
  double marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
};

struct PageFormat {
  Paper paper;
  int orientation = 1;  // 1 portrait, 2 landscape, 3 reverse portrait, 4 reverse landscape
};

// Process-wide notifications by name (main thread).
class NotificationCenter {
 public:
  using Observer = std::function<void(const std::string& name, const void* object)>;
  static NotificationCenter& defaultCenter();
  // Returns a token for removeObserver.
  int addObserver(const std::string& name, Observer observer);
  void removeObserver(int token);
  void post(const std::string& name, const void* object);

 private:
  struct Entry {
    int token;
    std::string name;
    Observer observer;
  };
  std::vector<Entry> observers_;
  int next_ = 1;
};

// The printing system's status codes used here.
inline constexpr int32_t kPMNoError = 0;
inline constexpr int32_t kPMInvalidParameter = -50;
inline constexpr int32_t kPMKeyNotFound = -30888;

// Printing-system calls the panes use, over the model above.
int32_t PMSessionGetCurrentPrinter(const PrintSession* session, std::shared_ptr<Printer>* printer);
// The printer's identifier; empty when there is no printer.
std::string PMPrinterGetID(const Printer* printer);
int32_t PMPrinterCopyDeviceURI(const Printer* printer, std::string* uri);
// Null when the key is absent.
Value PMPrintSettingsGetValue(const PrintSettings* settings, const std::string& key);
int32_t PMPrintSettingsSetValue(PrintSettings* settings, const std::string& key, const Value& value);

}  // namespace pdk
