// Running the printdialog program from the tests, with its standard output
// and standard error apart or joined.
#pragma once

#include <string>
#include <vector>

#include "pdk/task.h"

namespace hosttest {

inline const std::string kProgram = std::string(TLQ_BINARY_DIR) + "/bin/printdialog";
inline const std::string kPPD = std::string(TLQ_SOURCE_DIR) + "/resources/TLQ770-1.ppd";

// `s` quoted for /bin/sh.
inline std::string quote(const std::string& s) {
  std::string out = "'";
  for (char c : s) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return out + "'";
}

// Run printdialog with `args`; standard error goes to `errorFile`, or joins
// standard output when that is empty.
inline pdk::TaskResult runPrintDialog(const std::vector<std::string>& args, const std::string& errorFile = "") {
  std::string cmd = quote(kProgram);
  for (auto& a : args) cmd += " " + quote(a);
  cmd += errorFile.empty() ? " 2>&1" : " 2>" + quote(errorFile);
  return pdk::runTask("/bin/sh", {"-c", cmd});
}

}  // namespace hosttest
