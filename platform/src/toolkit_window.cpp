#include "pdk/toolkit_window.h"

#include <algorithm>

namespace pdk {

Window::Window() { setHidden(true); }

void Window::makeKeyAndOrderFront() { setHidden(false); }

void Window::orderOut() { setHidden(true); }

void Window::close() {
  if (delegate) delegate->windowWillClose(this);
  orderOut();
  Application::shared().windowDidClose(this);
}

bool Window::performClose() {
  if (delegate && !delegate->windowShouldClose(this)) return false;
  close();
  return true;
}

Application& Application::shared() {
  static Application application;
  return application;
}

int Application::runModalForWindow(Window& window) {
  if (window.modal_) return kModalResponseAbort;
  sessions_.push_back(Session{&window, false, kModalResponseCancel});
  const size_t depth = sessions_.size();
  window.modal_ = true;
  window.makeKeyAndOrderFront();
  window.changed();

  // Sessions opened by an event end before it returns, so this session is
  // the innermost one whenever the loop looks at it.
  while (!sessions_[depth - 1].stopped) {
    if (frontEnd_.runNextEvent && frontEnd_.runNextEvent()) continue;
    if (sessions_[depth - 1].stopped) break;
    // No event left: the user's way out is the close box.
    if (!window.performClose() && !sessions_[depth - 1].stopped) {
      abortModal();
      window.orderOut();
    }
  }

  int response = sessions_[depth - 1].response;
  sessions_.pop_back();
  window.modal_ = false;
  window.changed();
  return response;
}

void Application::stopModalWithCode(int response) {
  if (sessions_.empty()) return;
  sessions_.back().stopped = true;
  sessions_.back().response = response;
}

Window* Application::modalWindow() const { return sessions_.empty() ? nullptr : sessions_.back().window; }

void Application::windowDidClose(Window* window) {
  for (auto& session : sessions_)
    if (session.window == window && !session.stopped) {
      session.stopped = true;
      session.response = kModalResponseCancel;
    }
}

}  // namespace pdk
