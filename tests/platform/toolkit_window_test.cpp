// Windows run modally on a front end's queue of user events, alerts and the
// open panel answered by the front end, and images.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "pdk/toolkit.h"
#include "temp_dir.h"

namespace {

using pdk::Application;
using pdk::Window;

// A front end whose user events are the queued functions.
class ScriptedFrontEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    pdk::FrontEnd frontEnd;
    frontEnd.runNextEvent = [this] {
      if (events_.empty()) return false;
      auto event = std::move(events_.front());
      events_.pop_front();
      event();
      return true;
    };
    Application::shared().setFrontEnd(frontEnd);
  }
  void TearDown() override { Application::shared().setFrontEnd({}); }

  std::deque<std::function<void()>> events_;
};

// Records the window's closing and may refuse it.
struct Closing : pdk::WindowDelegate {
  bool windowShouldClose(Window*) override { return allow; }
  void windowWillClose(Window* w) override { closed.push_back(w->title()); }
  bool allow = true;
  std::vector<std::string> closed;
};

TEST_F(ScriptedFrontEnd, ASessionRunsEventsUntilStopModal) {
  Window window;
  window.setTitle("Profiles");
  EXPECT_FALSE(window.isVisible());  // a window starts closed
  std::vector<std::string> seen;
  events_.push_back([&] {
    seen.push_back("inside");
    EXPECT_EQ(Application::shared().modalWindow(), &window);
    EXPECT_TRUE(window.isModal());
    EXPECT_TRUE(window.isVisible());
  });
  events_.push_back([&] {
    Application::shared().stopModalWithCode(pdk::kModalResponseOK);
    window.orderOut();
  });
  events_.push_back([&] { seen.push_back("after"); });

  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseOK);
  // The event after stopModal is left for whoever runs next.
  EXPECT_EQ(seen, (std::vector<std::string>{"inside"}));
  EXPECT_EQ(events_.size(), 1u);
  EXPECT_EQ(Application::shared().modalWindow(), nullptr);
  EXPECT_FALSE(window.isModal());
  EXPECT_FALSE(window.isVisible());
}

TEST_F(ScriptedFrontEnd, WhenEventsRunOutTheCloseBoxEndsTheSessionAsACancel) {
  Window window;
  window.setTitle("Profiles");
  Closing closing;
  window.delegate = &closing;
  events_.push_back([] {});
  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseCancel);
  EXPECT_EQ(closing.closed, (std::vector<std::string>{"Profiles"}));
  EXPECT_FALSE(window.isVisible());

  // A window that refuses to close still ends the session (aborted).
  closing.allow = false;
  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseAbort);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(closing.closed.size(), 1u);
}

TEST_F(ScriptedFrontEnd, ClosingTheModalWindowEndsItsSession) {
  Window window;
  events_.push_back([&] { window.close(); });
  events_.push_back([] {});
  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseCancel);
  EXPECT_EQ(events_.size(), 1u);

  // stopModal after the close decides the answer.
  events_.clear();
  events_.push_back([&] {
    window.close();
    Application::shared().stopModal();
  });
  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseStop);
}

TEST_F(ScriptedFrontEnd, SessionsNestAndStopModalEndsTheInnermost) {
  Window outer, inner;
  int innerResponse = 0;
  events_.push_back([&] { innerResponse = Application::shared().runModalForWindow(inner); });
  events_.push_back([&] {
    EXPECT_EQ(Application::shared().modalWindow(), &inner);
    Application::shared().stopModal();
  });
  events_.push_back([&] {
    EXPECT_EQ(Application::shared().modalWindow(), &outer);
    // A window already modal cannot run again.
    EXPECT_EQ(Application::shared().runModalForWindow(outer), pdk::kModalResponseAbort);
    Application::shared().abortModal();
  });
  EXPECT_EQ(Application::shared().runModalForWindow(outer), pdk::kModalResponseAbort);
  EXPECT_EQ(innerResponse, pdk::kModalResponseStop);
  EXPECT_TRUE(events_.empty());
}

TEST(Application, WithoutAFrontEndNothingHangs) {
  Application::shared().setFrontEnd({});
  Window window;
  EXPECT_EQ(Application::shared().runModalForWindow(window), pdk::kModalResponseCancel);
  pdk::Alert alert;
  EXPECT_EQ(alert.runModal(), pdk::kAlertFirstButtonReturn);
  auto panel = pdk::OpenPanel::openPanel();
  EXPECT_EQ(panel->runModal(), pdk::kModalResponseCancel);
  EXPECT_EQ(panel->filename(), "");
  Application::shared().stopModal();  // no session: nothing to stop
}

TEST(Window, OpeningAndClosingAreObservedAndHideItsControls) {
  auto window = std::make_shared<Window>();
  auto button = std::make_shared<pdk::Button>();
  window->addSubview(button);
  EXPECT_EQ(button->window(), window.get());
  EXPECT_EQ(window->window(), window.get());
  EXPECT_TRUE(button->isHiddenOrHasHiddenAncestor());  // out of reach while closed
  int changes = 0;
  window->onChange = [&](pdk::View*) { ++changes; };
  window->makeKeyAndOrderFront();
  EXPECT_FALSE(button->isHiddenOrHasHiddenAncestor());
  EXPECT_FALSE(button->isHidden());
  EXPECT_TRUE(window->performClose());
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(pdk::View().window(), nullptr);
}

TEST(Alert, TheFrontEndShowsItAndPicksAButton) {
  std::vector<std::string> shown;
  pdk::FrontEnd frontEnd;
  int answer = 0;
  frontEnd.presentAlert = [&](const pdk::Alert& a) {
    shown.push_back(a.messageText() + "|" + a.informativeText() + "|" + std::to_string(a.buttons().size()));
    return answer;
  };
  Application::shared().setFrontEnd(frontEnd);
  pdk::Alert alert;
  alert.setMessageText("Enter a password of 4 characters.\n");
  EXPECT_EQ(alert.buttons(), (std::vector<std::string>{"OK"}));  // the default button
  EXPECT_EQ(alert.runModal(), pdk::kAlertFirstButtonReturn);
  alert.addButtonWithTitle("Delete");
  alert.addButtonWithTitle("Keep");
  alert.setInformativeText("It cannot be undone.");
  answer = 1;
  EXPECT_EQ(alert.runModal(), pdk::kAlertFirstButtonReturn + 1);
  answer = 5;  // a button the alert lacks counts as the first
  EXPECT_EQ(alert.runModal(), pdk::kAlertFirstButtonReturn);
  EXPECT_EQ(shown[0], "Enter a password of 4 characters.\n||1");
  EXPECT_EQ(shown[1], "Enter a password of 4 characters.\n|It cannot be undone.|2");
  Application::shared().setFrontEnd({});
}

TEST(OpenPanel, TheFrontEndAnswersAPathOrCancel) {
  std::deque<std::optional<std::string>> answers = {"/tmp/Profiles/A.icc", std::nullopt};
  std::string startedIn;
  pdk::FrontEnd frontEnd;
  frontEnd.presentOpenPanel = [&](const pdk::OpenPanel& panel) {
    startedIn = panel.directory;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  };
  Application::shared().setFrontEnd(frontEnd);
  auto panel = pdk::OpenPanel::openPanel();
  EXPECT_EQ(panel->runModalForDirectory("/Library/Profiles", "", {}), pdk::kModalResponseOK);
  EXPECT_EQ(panel->filename(), "/tmp/Profiles/A.icc");
  EXPECT_EQ(startedIn, "/Library/Profiles");
  EXPECT_EQ(panel->runModal(), pdk::kModalResponseCancel);
  EXPECT_EQ(panel->filename(), "");  // a cancel leaves no old answer behind
  Application::shared().setFrontEnd({});
}

TEST(Image, LoadedOnlyFromAReadableFile) {
  pdktest::TempDir dir;
  std::string icon = dir.file("icon.icns");
  pdktest::writeFile(icon, "icns");
  auto image = pdk::Image::imageWithContentsOfFile(icon);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->path(), icon);
  EXPECT_TRUE(image->isValid());
  EXPECT_EQ(pdk::Image::imageWithContentsOfFile(dir.file("missing.icns")), nullptr);
  EXPECT_EQ(pdk::Image::imageWithContentsOfFile(dir.path()), nullptr);  // a folder is no image
  auto referenced = pdk::Image::imageByReferencingFile(dir.file("missing.icns"));
  ASSERT_TRUE(referenced);
  EXPECT_FALSE(referenced->isValid());

  pdk::ImageView view;
  int changes = 0;
  view.onChange = [&](pdk::View*) { ++changes; };
  view.setImage(image);
  EXPECT_EQ(view.image(), image);
  EXPECT_EQ(changes, 1);
  EXPECT_STREQ(view.kind(), "image");
}

}  // namespace
