// CallerPolicy: what one connected caller may touch. Root may act on any
// file directly inside the profile folder; any other user only on the
// current, previous and temporary profile-list files of its own login name.
// Paths are normalised before the check. Immutable after construction, so
// it may be shared between threads.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// The only model whose lists a caller other than root may touch.
inline constexpr const char* kModelName = "TLQ770-1";

class CallerPolicy {
 public:
  // `uid` as the socket reported it; the login name comes from the user database.
  explicit CallerPolicy(uid_t uid);

  // The normalised form of `requested` when this caller may act on it, else
  // nullopt (not absolute, contains a zero byte, leaves the profile folder,
  // or names another user's file).
  std::optional<std::string> profilePath(const std::string& requested) const;
  // True when this caller may walk and merge the list of `user` for `model`.
  bool mayWalk(const std::string& model, const std::string& user) const;

 private:
  bool isRoot_;
  std::optional<std::string> login_;
};

// Lexical normalisation of an absolute path: repeated slashes, "." and ".."
// resolved; nullopt for a relative path or one containing a zero byte.
std::optional<std::string> normalizeAbsolutePath(const std::string& path);

// True when `name` is usable as a user or model name in a list file name.
bool isSafeNameComponent(const std::string& name);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
