#include "securitypane/full_user_name.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

SECURITYPANE_NAMESPACE_BEGIN

std::string fullUserNameOf(const char* gecos, const char* loginName) {
  std::string name = gecos ? gecos : "";
  name = name.substr(0, name.find(','));
  if (name.empty() && loginName) name = loginName;
  return name;
}

std::string NSFullUserName() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  // An entry larger than the suggested buffer asks for more, up to 1 MiB.
  while (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  return found ? fullUserNameOf(found->pw_gecos, found->pw_name) : std::string();
}

SECURITYPANE_NAMESPACE_END
