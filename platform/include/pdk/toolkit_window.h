// Windows and modal sessions. A window is a view that is open (shown) or
// closed; the controls it holds are out of the user's reach while it is
// closed. The application runs a window modally by running the front end's
// user events until the session is stopped; when the front end has no event
// left, the session ends as the window's close box would (a cancel), so a
// headless run never hangs. Main thread only.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "pdk/toolkit_view.h"

namespace pdk {

// Answers of a modal session or panel.
inline constexpr int kModalResponseOK = 1;
inline constexpr int kModalResponseCancel = 0;
inline constexpr int kModalResponseStop = -1000;
inline constexpr int kModalResponseAbort = -1001;

class Window;
class Alert;
class OpenPanel;

// Rules on a window's closing and hears of it. Every question defaults to
// yes.
class WindowDelegate {
 public:
  virtual ~WindowDelegate() = default;
  virtual bool windowShouldClose(Window* window) {
    (void)window;
    return true;
  }
  virtual void windowWillClose(Window* window) { (void)window; }
};

// A top-level window; its subviews are its content. It starts closed.
class Window : public View {
 public:
  Window();
  const char* className() const override { return "NSWindow"; }
  const char* kind() const override { return "window"; }

  void setTitle(const std::string& t) {
    title_ = t;
    changed();
  }
  const std::string& title() const { return title_; }
  bool isVisible() const { return !isHidden(); }
  // Whether a modal session runs on this window.
  bool isModal() const { return modal_; }

  // Open the window.
  void makeKeyAndOrderFront();
  // Take the window off screen; nobody is told.
  void orderOut();
  // Close the window: windowWillClose, then off screen. A modal session
  // running on it ends (with Cancel unless it was already stopped).
  void close();
  // The user clicks the close box: windowShouldClose may refuse (false);
  // else close().
  bool performClose();

  WindowDelegate* delegate = nullptr;  // not owned

 private:
  friend class Application;
  std::string title_;
  bool modal_ = false;
};

// The user's side of modal requests: a headless host answers from its
// script, a GUI from its widgets. Every member may be empty: then no event
// comes, alerts are dismissed at once and open panels cancelled.
struct FrontEnd {
  // Run the user's next event; false when there is none left.
  std::function<bool()> runNextEvent;
  // Show an alert until the user dismisses it; the index of the button used.
  std::function<int(const Alert&)> presentAlert;
  // Show an open panel; the chosen path, or nullopt for Cancel.
  std::function<std::optional<std::string>(const OpenPanel&)> presentOpenPanel;
};

// The process's application object (one in libpdk, shared by the host and
// every pane): modal sessions and the front end that answers them.
class Application {
 public:
  static Application& shared();

  // Open `window` and run the front end's events until the session is
  // stopped; when no event is left, the window's close box ends it (and if
  // the window refuses to close, the session is aborted and the window taken
  // off screen). Answers the session's response: stopModalWithCode's code,
  // kModalResponseStop, kModalResponseAbort or kModalResponseCancel. A
  // window that is already modal answers kModalResponseAbort at once.
  int runModalForWindow(Window& window);
  // End the innermost session once the current event is handled.
  void stopModal() { stopModalWithCode(kModalResponseStop); }
  void stopModalWithCode(int response);
  void abortModal() { stopModalWithCode(kModalResponseAbort); }
  // The window of the innermost running session, or null.
  Window* modalWindow() const;

  void setFrontEnd(FrontEnd frontEnd) { frontEnd_ = std::move(frontEnd); }
  const FrontEnd& frontEnd() const { return frontEnd_; }

 private:
  friend class Window;
  struct Session {
    Window* window;
    bool stopped;
    int response;
  };
  // `window` closed: a session on it ends.
  void windowDidClose(Window* window);

  std::vector<Session> sessions_;
  FrontEnd frontEnd_;
};

}  // namespace pdk
