#include "host_session.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

#include "cups_queue.h"
#include "cups_user_defaults.h"
#include "pdk/plist.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

HostSession::~HostSession() {
  if (ppd_) ppdClose(ppd_);
}

bool HostSession::openPPD(const std::string& path, std::string* error) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) {
    *error = "cannot open PPD " + path + ": " + std::strerror(errno);
    return false;
  }
  ppd_ = ppdOpenFile(path.c_str());
  if (!ppd_) {
    int line = 0;
    ppd_status_t status = ppdLastError(&line);
    *error = "cannot read PPD " + path + ": " + ppdErrorString(status) + " on line " + std::to_string(line);
    return false;
  }
  ppdMarkDefaults(ppd_);
  setPaperFromPPD();
  return true;
}

bool HostSession::openQueue(CupsQueue& queue, std::string* error) {
  std::string path;
  if (!queue.fetchPPD(&path, error)) return false;
  bool opened = openPPD(path, error);
  ::unlink(path.c_str());  // the record holds everything it needs
  if (!opened) {
    *error = "queue '" + queue.name() + "': " + *error;
    return false;
  }
  cups_dest_t* dest = queue.destination();
  applySavedOptions(ppd_, dest->num_options, dest->options);
  setPaperFromPPD();  // a saved option may name another paper
  setPrinter(queue.name(), queue.deviceURI());
  return true;
}

void HostSession::setPaperFromPPD() {
  if (ppd_size_t* size = ppdPageSize(ppd_, nullptr)) setPaperFromSize(*size);
}

void HostSession::setPaperFromSize(const ppd_size_t& size) {
  pageFormat_.paper = pdk::Paper{size.name, size.width, size.length, size.left, size.length - size.top,
                                 size.width - size.right, size.bottom};
}

bool HostSession::setPaper(const std::string& name, std::string* error) {
  // Only the PPD's own sizes: ppdPageSize would also make up a custom size,
  // and the record's "Custom" entry has no size of its own.
  ppd_size_t* size = nullptr;
  for (int i = 0; ppd_ && i < ppd_->num_sizes; ++i)
    if (name == ppd_->sizes[i].name && ppd_->sizes[i].width > 0 && ppd_->sizes[i].length > 0) size = &ppd_->sizes[i];
  if (!size) {
    *error = "the PPD has no paper size '" + name + "'";
    return false;
  }
  ppdMarkOption(ppd_, "PageSize", size->name);
  setPaperFromSize(*size);
  return true;
}

bool HostSession::loadSettings(const std::string& path, std::string* error) {
  pdk::Value dict = pdk::readPlistFile(path);
  if (!dict.isDictionary()) {
    *error = "settings file " + path + " is not a property list holding a dictionary";
    return false;
  }
  settings_.assign(dict);
  return true;
}

void HostSession::setPrinter(const std::string& id, const std::string& deviceURI) {
  session_.currentPrinter = std::make_shared<pdk::Printer>(pdk::Printer{id, deviceURI, id});
}
