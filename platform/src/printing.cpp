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

int32_t PMGetPageFormatPaper(const PageFormat* format, const Paper** paper) {
  if (!format || !paper) return kPMInvalidParameter;
  *paper = &format->paper;
  return kPMNoError;
}

int32_t PMPaperGetID(const Paper* paper, std::string* id) {
  if (!paper || !id) return kPMInvalidParameter;
  *id = paper->id;
  return kPMNoError;
}

int32_t PMPaperGetName(const Paper* paper, std::string* name) {
  if (!paper || !name) return kPMInvalidParameter;
  *name = paper->name.empty() ? paper->id : paper->name;
  return kPMNoError;
}

int32_t PMGetOrientation(const PageFormat* format, int* orientation) {
  if (!format || !orientation) return kPMInvalidParameter;
  *orientation = format->orientation;
  return kPMNoError;
}

int32_t PMGetUnadjustedPaperRect(const PageFormat* format, PMRect* rect) {
  if (!format || !rect) return kPMInvalidParameter;
  const Paper& p = format->paper;
  *rect = PMRect{-p.marginTop, -p.marginLeft, p.height - p.marginTop, p.width - p.marginLeft};
  return kPMNoError;
}

int32_t PMGetUnadjustedPageRect(const PageFormat* format, PMRect* rect) {
  if (!format || !rect) return kPMInvalidParameter;
  const Paper& p = format->paper;
  *rect = PMRect{0, 0, p.height - p.marginTop - p.marginBottom, p.width - p.marginLeft - p.marginRight};
  return kPMNoError;
}

namespace {

Value rectValue(const PMRect& r) {
  Value array = Value::array();
  for (double v : {r.top, r.left, r.bottom, r.right}) array.append(Value(v));
  return array;
}

// Four numbers, integers or reals.
bool readRect(const Value& v, PMRect* r) {
  if (!v.isArray() || v.count() != 4) return false;
  double n[4];
  for (size_t i = 0; i < 4; ++i) {
    const Value item = v.at(i);
    if (!item.isInteger() && !item.isReal()) return false;
    n[i] = item.isInteger() ? static_cast<double>(item.asInteger()) : item.asReal();
  }
  *r = PMRect{n[0], n[1], n[2], n[3]};
  return true;
}

}  // namespace

Value PMPageFormatCreateDataRepresentation(const PageFormat* format) {
  if (!format) return Value();
  Value data = Value::dictionary();
  PMRect paper, page;
  PMGetUnadjustedPaperRect(format, &paper);
  PMGetUnadjustedPageRect(format, &page);
  data.set(kPMOrientationKey, Value(format->orientation));
  data.set(kPMPaperIDKey, Value(format->paper.id));
  if (!format->paper.name.empty()) data.set(kPMPaperNameKey, Value(format->paper.name));
  data.set(kPMUnadjustedPaperRectKey, rectValue(paper));
  data.set(kPMUnadjustedPageRectKey, rectValue(page));
  return data;
}

int32_t PMPageFormatCreateWithDataRepresentation(const Value& data, PageFormat* format) {
  if (!data.isDictionary() || !format) return kPMInvalidParameter;
  const Value id = data.get(kPMPaperIDKey);
  const Value name = data.get(kPMPaperNameKey);
  if (!id.isString() && !name.isString()) return kPMKeyNotFound;
  PageFormat result;
  result.paper.id = id.isString() ? id.asString() : name.asString();
  if (name.isString() && name.asString() != result.paper.id) result.paper.name = name.asString();
  const Value orientation = data.get(kPMOrientationKey);
  if (orientation.isInteger()) result.orientation = static_cast<int>(orientation.asInteger());
  PMRect paper, page;
  const bool hasPaper = data.contains(kPMUnadjustedPaperRectKey);
  const bool hasPage = data.contains(kPMUnadjustedPageRectKey);
  if ((hasPaper && !readRect(data.get(kPMUnadjustedPaperRectKey), &paper)) ||
      (hasPage && !readRect(data.get(kPMUnadjustedPageRectKey), &page))) {
    return kPMInvalidParameter;
  }
  if (hasPaper) {
    Paper& p = result.paper;
    p.marginTop = -paper.top;
    p.marginLeft = -paper.left;
    p.height = paper.bottom - paper.top;
    p.width = paper.right - paper.left;
    if (hasPage) {
      p.marginBottom = p.height - p.marginTop - (page.bottom - page.top);
      p.marginRight = p.width - p.marginLeft - (page.right - page.left);
    }
  }
  *format = result;
  return kPMNoError;
}

}  // namespace pdk
