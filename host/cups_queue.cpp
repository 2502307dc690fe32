#include "cups_queue.h"

#include <cups/cups.h>
#include <unistd.h>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#include <cups/ppd.h>
#pragma GCC diagnostic pop

CupsQueue::~CupsQueue() {
  if (dest_) cupsFreeDests(1, dest_);
  if (http_) httpClose(http_);
}

std::string CupsQueue::serverName() const {
  std::string server = cupsServer();
  if (!server.empty() && server[0] == '/') return server;
  return server + ":" + std::to_string(ippPort());
}

bool CupsQueue::open(const std::string& name, std::string* error) {
  // One connection of our own, so that an unreachable server is told apart
  // from a missing queue (the destination look-up reports both as "not
  // found").
  http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1, 0, nullptr);
  if (!http_) {
    *error = "cannot reach the CUPS server at " + serverName() + ": the name cannot be resolved";
    return false;
  }
  // libcups tells no reason worth showing ("Host is down" for every failure).
  if (httpReconnect2(http_, 30000, nullptr) != 0) {
    *error = "cannot reach the CUPS server at " + serverName() + " (is cupsd running there?)";
    return false;
  }
  std::string queue = name, instance;
  if (auto slash = queue.find('/'); slash != std::string::npos) {
    instance = queue.substr(slash + 1);
    queue.resize(slash);
  }
  dest_ = cupsGetNamedDest(http_, queue.empty() ? nullptr : queue.c_str(),
                           instance.empty() ? nullptr : instance.c_str());
  if (!dest_) {
    if (name.empty())
      *error = "there is no default destination (choose one with lpoptions -d QUEUE, or name it after --queue)";
    else if (cupsLastError() == IPP_STATUS_ERROR_NOT_FOUND)
      *error = "queue '" + name + "' does not exist on the CUPS server at " + serverName();
    else
      *error = "cannot look up queue '" + name + "': " + cupsLastErrorString();
    return false;
  }
  name_ = dest_->name;
  instance_ = dest_->instance ? dest_->instance : "";
  return true;
}

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool CupsQueue::fetchPPD(std::string* path, std::string* error) {
  char buffer[1024] = "";
  time_t modified = 0;
  http_status_t status = cupsGetPPD3(http_, name_.c_str(), &modified, buffer, sizeof buffer);
  if (status == HTTP_STATUS_OK) {
    *path = buffer;
    return true;
  }
  if (buffer[0]) ::unlink(buffer);
  if (status == HTTP_STATUS_NOT_FOUND)
    *error = "queue '" + name_ + "' has no PPD (a raw or driverless queue); the panes need the printer's PPD";
  else
    *error = "cannot fetch the PPD of queue '" + name_ + "': " + cupsLastErrorString();
  return false;
}

std::string CupsQueue::deviceURI() const {
  const char* uri = dest_ ? cupsGetOption("device-uri", dest_->num_options, dest_->options) : nullptr;
  return uri ? uri : "";
}
