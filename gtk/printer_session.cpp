#include "printer_session.h"

#include <cstdio>

std::string printerIdOfPPD(const std::string& path) {
  std::string base = path.substr(path.find_last_of('/') + 1);
  auto dot = base.rfind('.');
  return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

std::unique_ptr<PrinterSession> PrinterSession::open(const PrinterSource& source, std::string* error) {
  std::unique_ptr<PrinterSession> session(new PrinterSession());
  session->host_ = std::make_shared<HostSession>();
  if (source.ppd.empty()) {
    session->queue_ = std::make_unique<CupsQueue>();
    if (!session->queue_->open(source.queue, error) || !session->host_->openQueue(*session->queue_, error))
      return nullptr;
  } else {
    if (!session->host_->openPPD(source.ppd, error)) return nullptr;
    session->host_->setPrinter(source.printerId.empty() ? printerIdOfPPD(source.ppd) : source.printerId,
                               source.deviceURI);
  }
  if (!source.settings.empty() && !session->host_->loadSettings(source.settings, error)) return nullptr;

  std::vector<std::string> warnings;
  std::string folder = source.plugins.empty() ? defaultPluginFolder() : source.plugins;
  session->panes_ = loadPanes(folder, session->host_, &warnings);
  for (auto& warning : warnings) std::fprintf(stderr, "printdialog-gtk: warning: %s\n", warning.c_str());
  if (session->panes_.empty()) {
    *error = "no pane could be loaded from " + folder;
    return nullptr;
  }
  session->dialog_ = std::make_unique<DialogScript>(session->panes_, std::vector<std::string>{});
  return session;
}

PrinterSession::~PrinterSession() {
  dialog_.reset();
  for (auto& pane : panes_) pane.panel->terminate();
}
