// The print-dialog model the panes work on: the printer (identifier and
// device URI), the print session, the job's print settings (a dictionary of
// property-list values) and the page format with its paper. Plain objects
// filled by the host; main thread only.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
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

// A paper: its size in points (portrait) and the unprintable margins.
struct Paper {
  Paper() = default;
  Paper(std::string id, double width, double height, double marginLeft, double marginTop, double marginRight,
        double marginBottom, std::string name = std::string())
      : id(std::move(id)), width(width), height(height), marginLeft(marginLeft), marginTop(marginTop),
        marginRight(marginRight), marginBottom(marginBottom), name(std::move(name)) {}

  std::string id;  // PPD page-size keyword, or the identifier of a user's custom paper
  double width = 0, height = 0;
  double marginLeft = 0, marginTop = 0, marginRight = 0, marginBottom = 0;
  std::string name;  // the name the dialog shows; empty: the same as `id`
};

// Page orientations.
inline constexpr int kPMPortrait = 1;
inline constexpr int kPMLandscape = 2;
inline constexpr int kPMReversePortrait = 3;
inline constexpr int kPMReverseLandscape = 4;

struct PageFormat {
  Paper paper;
  int orientation = kPMPortrait;
};

// A rectangle in points, y growing downwards.
struct PMRect {
  double top = 0, left = 0, bottom = 0, right = 0;
};

// Keys of a page format's data representation.
inline constexpr const char* kPMOrientationKey = "com.apple.print.PageFormat.PMOrientation";
inline constexpr const char* kPMPaperIDKey = "com.apple.print.PaperInfo.ppd.PMPaperName";
inline constexpr const char* kPMPaperNameKey = "com.apple.print.PaperInfo.PMPaperName";
// Arrays of four reals: top, left, bottom, right.
inline constexpr const char* kPMUnadjustedPaperRectKey = "com.apple.print.PaperInfo.PMUnadjustedPaperRect";
inline constexpr const char* kPMUnadjustedPageRectKey = "com.apple.print.PaperInfo.PMUnadjustedPageRect";

// Posted (object: null) when the dialog's paper changes.
inline constexpr const char* kPMPrintDestinationPaperDidChangeNotification =
    "PMPrintDestinationPaperDidChangeNotification";

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

// Page format and paper queries.
int32_t PMGetPageFormatPaper(const PageFormat* format, const Paper** paper);
int32_t PMPaperGetID(const Paper* paper, std::string* id);
// The paper's name; its identifier when it has no name of its own.
int32_t PMPaperGetName(const Paper* paper, std::string* name);
int32_t PMGetOrientation(const PageFormat* format, int* orientation);
// The whole paper relative to the top left corner of its imageable area,
// not rotated by the orientation: (-top margin, -left margin, height - top
// margin, width - left margin).
int32_t PMGetUnadjustedPaperRect(const PageFormat* format, PMRect* rect);
// The imageable area in the same coordinates.
int32_t PMGetUnadjustedPageRect(const PageFormat* format, PMRect* rect);
// The page format as a dictionary under the kPM...Key keys, and back. Reading
// back answers kPMKeyNotFound when the dictionary names no paper, and
// kPMInvalidParameter when it is not a dictionary or its rectangles are not
// four numbers; `format` is changed only on success.
Value PMPageFormatCreateDataRepresentation(const PageFormat* format);
int32_t PMPageFormatCreateWithDataRepresentation(const Value& data, PageFormat* format);

}  // namespace pdk
