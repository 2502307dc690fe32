#include "caller_policy.h"

#include <pwd.h>
#include <unistd.h>

#include <vector>

#include "pdk/system_root.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

std::optional<std::string> loginNameOf(uid_t uid) {
  passwd entry{};
  passwd* found = nullptr;
  std::vector<char> buffer(16384);
  if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_name) {
    return std::nullopt;
  }
  return std::string(found->pw_name);
}

// The profile folder under the system root, normalised, without trailing slash.
std::string profileFolder() {
  auto folder = normalizeAbsolutePath(pdk::systemPath(pdk::kProfileFolder));
  return folder ? *folder : std::string();
}

}  // namespace

std::optional<std::string> normalizeAbsolutePath(const std::string& path) {
  if (path.empty() || path[0] != '/' || path.find('\0') != std::string::npos) return std::nullopt;
  std::vector<std::string> parts;
  size_t start = 1;
  while (start <= path.size()) {
    size_t end = path.find('/', start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string normal;
  for (auto& part : parts) normal += "/" + part;
  return normal.empty() ? std::string("/") : normal;
}

bool isSafeNameComponent(const std::string& name) {
  return !name.empty() && name.find('/') == std::string::npos && name.find("..") == std::string::npos &&
         name.find('\0') == std::string::npos;
}

CallerPolicy::CallerPolicy(uid_t uid) : isRoot_(uid == 0), login_(loginNameOf(uid)) {}

std::optional<std::string> CallerPolicy::profilePath(const std::string& requested) const {
  auto path = normalizeAbsolutePath(requested);
  std::string folder = profileFolder();
  if (!path || folder.empty() || path->size() <= folder.size() + 1 || path->compare(0, folder.size(), folder) != 0 ||
      (*path)[folder.size()] != '/') {
    return std::nullopt;
  }
  std::string name = path->substr(folder.size() + 1);
  if (name.find('/') != std::string::npos) return std::nullopt;  // files of the folder itself only
  if (isRoot_) return path;
  if (!login_ || !isSafeNameComponent(*login_)) return std::nullopt;
  const std::string own = *login_ + "-" + kModelName + "-profile";
  for (const char* suffix : {".plist", ".prev.plist", ".plist.dummy"}) {
    if (name == own + suffix) return path;
  }
  return std::nullopt;
}

bool CallerPolicy::mayWalk(const std::string& model, const std::string& user) const {
  if (!isSafeNameComponent(model) || !isSafeNameComponent(user)) return false;
  if (isRoot_) return true;
  return login_ && model == kModelName && user == *login_;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
