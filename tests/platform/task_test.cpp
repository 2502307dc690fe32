// Task: programs started by path, their output and exit status; and the
// desktop launcher's refusal of a missing file.
#include "pdk/task.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "pdk/launcher.h"
#include "temp_dir.h"

namespace {

pdk::TaskResult runShell(const std::string& script) { return pdk::runTask("/bin/sh", {"-c", script}); }

TEST(Task, OutputAndExitStatusOfScripts) {
  struct Case {
    std::string script;
    int status;
    std::string output;
  } cases[] = {
      {"echo hello", 0, "hello\n"},
      {"printf 'a\\0b'", 0, std::string("a\0b", 3)},  // binary output kept whole
      {"printf partial; exit 3", 3, "partial"},
      {"exit 255", 255, ""},
      {"echo to-stderr >&2", 0, ""},  // standard error is not collected
      {"kill -9 $$", -1, ""},         // killed by a signal
  };
  for (const Case& c : cases) {
    pdk::TaskResult r = runShell(c.script);
    EXPECT_TRUE(r.launched) << c.script;
    EXPECT_EQ(r.exitStatus, c.status) << c.script;
    EXPECT_EQ(r.output, c.output) << c.script;
  }
}

TEST(Task, ArgumentsArePassedUnchanged) {
  pdk::TaskResult r = pdk::runTask("/bin/sh", {"-c", "printf '[%s]' \"$@\"", "sh", "two words", "", "$HOME", "ä"});
  ASSERT_TRUE(r.launched);
  EXPECT_EQ(r.output, "[two words][][$HOME][ä]");
}

TEST(Task, MissingOrNonExecutableProgramIsNotLaunched) {
  pdktest::TempDir dir;
  pdktest::writeFile(dir.file("not-executable"), "#!/bin/sh\necho hi\n");
  ::chmod(dir.file("not-executable").c_str(), 0644);

  for (const std::string& path : {dir.file("absent"), dir.file("not-executable"), dir.path()}) {
    pdk::TaskResult r = pdk::runTask(path, {});
    EXPECT_FALSE(r.launched) << path;
    EXPECT_EQ(r.exitStatus, -1) << path;
    EXPECT_TRUE(r.output.empty()) << path;
  }
  EXPECT_FALSE(pdk::isExecutableFile(dir.file("absent")));
  EXPECT_FALSE(pdk::isExecutableFile(dir.file("not-executable")));
  EXPECT_TRUE(pdk::isExecutableFile("/bin/sh"));
}

TEST(Task, LargeOutputIsReadCompletely) {
  // Far more than a pipe holds: the parent must read while the child writes.
  pdk::TaskResult r = runShell("head -c 1048576 /dev/zero | tr '\\0' 'z'; echo END");
  ASSERT_TRUE(r.launched);
  EXPECT_EQ(r.exitStatus, 0);
  ASSERT_EQ(r.output.size(), 1048576u + 4u);
  EXPECT_EQ(r.output.find_first_not_of('z'), 1048576u);
  EXPECT_EQ(r.output.substr(1048576), "END\n");
}

TEST(Task, StandardInputIsEmpty) {
  // A program reading its input sees end of file at once, not the test's input.
  pdk::TaskResult r = runShell("cat; echo \"rc=$?\"; ls -l /proc/self/fd/0 | grep -c /dev/null");
  ASSERT_TRUE(r.launched);
  EXPECT_EQ(r.output, "rc=0\n1\n");
}

TEST(Task, APastTimeLimitKillsTheProgramAndKeepsItsOutput) {
  using std::chrono::milliseconds;
  struct Case {
    const char* what;
    std::string script;
    bool timedOut;
    std::string output;
  } cases[] = {
      {"hangs while writing", "printf early; exec sleep 30", true, "early"},
      {"closes its output and hangs", "exec >&- 2>&-; exec sleep 30", true, ""},
      {"ends in time", "printf done", false, "done"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    pdk::TaskResult r = pdk::runTask("/bin/sh", {"-c", c.script}, milliseconds(300));
    EXPECT_TRUE(r.launched);
    EXPECT_EQ(r.timedOut, c.timedOut);
    EXPECT_EQ(r.output, c.output);
    EXPECT_EQ(r.exitStatus, c.timedOut ? -1 : 0);
  }
}

TEST(Launcher, MissingPathIsRefusedWithoutStartingAnything) {
  pdktest::TempDir dir;
  EXPECT_FALSE(pdk::openWithDesktopLauncher(dir.file("absent.pdf")));
}

}  // namespace
