// The pane's logging functions.
#include <gtest/gtest.h>

#include <cstdio>

#include "colorpane/logging.h"

namespace {

struct Named : pdk::Object {
  std::string description() const override { return "<Named 100%s>"; }
};

std::string logToString(void (*body)(FILE*)) {
  FILE* f = tmpfile();
  body(f);
  rewind(f);
  char buf[256] = {};
  size_t n = fread(buf, 1, sizeof buf - 1, f);
  fclose(f);
  return std::string(buf, n);
}

}  // namespace

TEST(PaneLogging, MyLogFormatsObjectsAndReplacesUnencodableText) {
  // The test runs in the C locale: the system encoding is ASCII.
  std::string out = logToString([](FILE* f) {
    Named obj;
    colorpane::MyLog(f, "a %@ b %d c %s", static_cast<const pdk::Object*>(&obj), 7, "Größe");
  });
  EXPECT_EQ(out, "a <Named 100%s> b 7 c Gr??e");
  EXPECT_EQ(colorpane::MyLog(nullptr, "nothing"), 0);
}

TEST(PaneLogging, ControlTableCount) {
  EXPECT_EQ(colorpane::_DEBUGControlTable(nullptr), 0);
  colorpane::PDEControlRow only[] = {colorpane::kTerminatorRow};
  EXPECT_EQ(colorpane::_DEBUGControlTable(only), 1);
}

namespace {
std::string line(const char* head, const char* tail, const pdk::Object* self, const char* format, ...) {
  va_list ap;
  va_start(ap, format);
  std::string s = colorpane::formatLogLine(head, tail, self, format, ap);
  va_end(ap);
  return s;
}
}  // namespace

TEST(PaneLogging, LogLinesTakeDescriptionsAsText) {
  // A description with "%s" in it must not consume an argument.
  Named obj;
  EXPECT_EQ(line("BEGIN self(", ") ", &obj, "load %d", 1), "BEGIN self(<Named 100%s>) load 1");
  EXPECT_EQ(line("LOG self(", "): ", nullptr, "%s", "x"), "LOG self((null)): x");
}
