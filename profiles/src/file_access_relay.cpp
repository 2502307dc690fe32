// File access of the colour-pane build: every operation that changes a list
// file, or tests whether it may, starts the helper program by path (one
// process per request) and looks for the operation's success text in its
// standard output. Paths come from the real user's login name.
#include <pwd.h>
#include <unistd.h>

#include <string>
#include <string_view>
#include <vector>

#include "file_access.h"
#include "pdk/system_root.h"
#include "pdk/task.h"
#include "profiles/helper_program.h"
#include "profiles/profile_list.h"
#include "profiles/split_string.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

constexpr const char* kModelName = "TLQ770-1";
constexpr size_t kPieceLength = 90000;
constexpr size_t kMaxPathBytesWithZero = 255;  // a path and its terminating zero

std::string helperProgram() { return pdk::systemPath(kHelperProgramPath); }

bool helperExists() { return pdk::isExecutableFile(helperProgram()); }

// Run one request; true when the output holds "<operation>=TRUE".
bool request(const std::vector<std::string>& args) {
  const pdk::TaskResult result = pdk::runTask(helperProgram(), args, kHelperRequestTimeLimit);
  return result.output.find(args.front() + "=TRUE") != std::string::npos;
}

std::string listPath(const char* suffix) {
  const passwd* pw = ::getpwuid(::getuid());
  if (!pw || !pw->pw_name || !*pw->pw_name) return "";
  const std::string path =
      pdk::systemPath(pdk::kProfileFolder) + pw->pw_name + "-" + kModelName + "-profile" + suffix;
  return path.size() < kMaxPathBytesWithZero ? path : "";
}

// The absolute string of a file URL made from a POSIX path.
std::string fileUrlText(const std::string& path) {
  static const char* kHex = "0123456789ABCDEF";
  std::string url = "file://";
  for (unsigned char c : path) {
    const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                       std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      url += static_cast<char>(c);
    } else {
      url += '%';
      url += kHex[c >> 4];
      url += kHex[c & 15];
    }
  }
  return url;
}

}  // namespace

std::string currentListPath() { return listPath(".plist"); }

std::string previousListPath() { return listPath(".prev.plist"); }

int32_t writeListXml(const std::string& xml) {
  const std::string path = currentListPath();
  if (path.empty() || !helperExists()) return -1;
  // A temporary file left by an interrupted write would be prepended to
  // this one: remove it first (its absence is no failure).
  request({"znPListRemove_XPC", path + ".dummy"});
  const std::string url = fileUrlText(path);
  for (const std::string& piece : splitCharEvery(xml, kPieceLength)) {
    if (!request({"writeDataToPlistFile_XPC", url, piece})) return -1;
  }
  return request({"writeDataToPlistFileRename_XPC", url}) ? 0 : -1;
}

int32_t ZNPListIsAdminProfile() {
  const std::string path = currentListPath();
  if (path.empty() || !helperExists()) return 0;
  return request({"znPListIsAdminProfile_XPC", path}) ? 1 : 0;
}

void ZNPListSwapProfile(int32_t swapType) {
  if (ZNPListIsAdminProfile() != 1 || !helperExists()) return;
  pdk::runTask(helperProgram(),
               {"znPListSwapProfile_XPC", std::to_string(swapType), currentListPath(), previousListPath()},
               kHelperRequestTimeLimit);
}

int32_t ZNPListExistProfile() {
  if (ZNPListIsAdminProfile() != 1) return 0;
  return request({"znPListExistProfile_XPC", currentListPath()}) ? 1 : 0;
}

int32_t ZNPListRemove(int32_t which) {
  if (ZNPListIsAdminProfile() != 1) return 0;
  const std::string path = which == 3 ? currentListPath() : which == 2 ? previousListPath() : "";
  if (path.empty()) return 0;
  return request({"znPListRemove_XPC", path}) ? 1 : 0;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
