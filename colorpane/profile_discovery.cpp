// PDECommon: refresh the profile list from the printer. The printer's address
// comes from its device URI (resolved through DNS-SD for Bonjour printers);
// the helper program has the service walk the printer's profile table over
// SNMP and merge it into the user's list.
#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "colorpane/pde_common.h"
#include "pdk/netservice.h"
#include "pdk/system_root.h"
#include "pdk/task.h"
#include "pdk/text.h"
#include "profiles/helper_program.h"
#include "profiles/profile_list.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

// The printer's profile table, walked with SNMP version 1.
constexpr const char* kProfileTableRoot = "1.3.6.1.4.1.32473.1.1.1.1.6.13.1.1";
constexpr size_t kMaxHostBytes = 255;
constexpr double kResolveTimeoutSeconds = 1.0;
// Keep the current list as the previous generation before it changes.
constexpr int32_t kSwapKeepPrevious = 2;

// "host[:port]" of "scheme://[userinfo@]host[:port]/...", or nothing when the
// URI has no net location.
std::optional<std::string> uriNetLocation(const std::string& uri) {
  const size_t start = uri.find("://");
  if (start == std::string::npos) return std::nullopt;
  std::string location = uri.substr(start + 3, uri.find_first_of("/?#", start + 3) - (start + 3));
  // User information never goes on to the helper's command line.
  if (const size_t at = location.rfind('@'); at != std::string::npos) location.erase(0, at + 1);
  if (location.empty()) return std::nullopt;
  return location;
}

// The host of a net location: the port goes; a bracketed IPv6 literal keeps
// its brackets (the walk accepts "[addr]"), anything else is cut at its
// first ":". At most 255 bytes are kept.
std::string hostWithoutPort(const std::string& location) {
  std::string host;
  if (location.front() == '[' && location.find(']') != std::string::npos)
    host = location.substr(0, location.find(']') + 1);
  else
    host = location.substr(0, location.find(':'));
  if (host.size() > kMaxHostBytes) host.resize(kMaxHostBytes);
  return host;
}

// A host text the walk can take as its host argument: not empty, no spaces
// or control characters, and no leading "-", which the walk's argument
// parser would read as an option.
bool usableHost(const std::string& host) {
  if (host.empty() || host.front() == '-') return false;
  for (unsigned char c : host)
    if (c <= 0x20 || c == 0x7f) return false;
  return true;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// `text` with every percent escape replaced; nothing when an escape is
// malformed or the result is not valid UTF-8 text without zero bytes.
std::optional<std::string> percentDecoded(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const int high = i + 2 < text.size() ? hexValue(text[i + 1]) : -1;
    const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
    if (high < 0 || low < 0 || (high == 0 && low == 0)) return std::nullopt;
    out += static_cast<char>(high * 16 + low);
    i += 2;
  }
  if (!pdk::isValidUtf8(out)) return std::nullopt;
  return out;
}

std::vector<std::string> splitAtDots(const std::string& text) {
  std::vector<std::string> parts;
  size_t begin = 0;
  for (size_t dot; (dot = text.find('.', begin)) != std::string::npos; begin = dot + 1)
    parts.push_back(text.substr(begin, dot - begin));
  parts.push_back(text.substr(begin));
  return parts;
}

// The IPv4 address of a Bonjour printer as "%d.%d.%d.%d", from a host name
// of the form "<escaped service name>.<type>.<protocol>.<domain>.".
std::optional<std::string> bonjourPrinterAddress(const std::string& uri) {
  const std::optional<std::string> location = uriNetLocation(uri);
  if (!location) return std::nullopt;
  const std::vector<std::string> parts = splitAtDots(location->substr(0, location->find(':')));
  if (parts.size() < 4 || parts[0].empty() || parts[1].empty() || parts[2].empty() || parts[3].empty())
    return std::nullopt;
  const std::optional<std::string> name = percentDecoded(parts[0]);
  if (!name) return std::nullopt;

  std::vector<pdk::NetServiceAddress> addresses;
  if (pdk::resolveNetService(*name, parts[1] + "." + parts[2], parts[3], kResolveTimeoutSeconds, &addresses) !=
          pdk::kNetServiceResolved ||
      addresses.empty() || !addresses.front().isIPv4())
    return std::nullopt;
  const auto& b = addresses.front().bytes;
  char text[16];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", b[0], b[1], b[2], b[3]);
  return std::string(text);
}

std::optional<std::string> realUserName() {
  const passwd* pw = ::getpwuid(::getuid());
  if (!pw || !pw->pw_name || !*pw->pw_name) return std::nullopt;
  return std::string(pw->pw_name);
}

}  // namespace

int32_t PDECommon::commonGetProfilesFromMIB(pdk::PrintSession* session) {
  // The previous generation is kept whether or not a walk follows.
  profiles::ZNPListSwapProfile(kSwapKeepPrevious);

  std::shared_ptr<pdk::Printer> printer;
  if (!session || pdk::PMSessionGetCurrentPrinter(session, &printer) != pdk::kPMNoError || !printer) return 0;
  std::string uri;
  if (pdk::PMPrinterCopyDeviceURI(printer.get(), &uri) != pdk::kPMNoError || uri.empty()) return 0;

  std::optional<std::string> location;
  switch (commoniGetProtocolByUrl(&uri)) {
    case kProtocolBonjour:
      location = bonjourPrinterAddress(uri);
      break;
    case kProtocolLPD:
      location = uriNetLocation(uri);
      break;
    default:
      return 0;  // no network address to walk
  }
  if (!location) return 0;
  const std::string host = hostWithoutPort(*location);
  if (!usableHost(host)) return 0;

  const std::string helper = pdk::systemPath(profiles::kHelperProgramPath);
  const std::optional<std::string> user = realUserName();
  if (!pdk::isExecutableFile(helper) || !user) return 0;

  // The walk's result code ("mibwalk_XPC=iRet=<n>" in the output) is not
  // acted on: a failed walk, or one that outlasts the limit, leaves the list
  // as the service left it.
  pdk::runTask(helper,
               {"mibwalk_XPC", kProductName, *user, "snmpwalk", "-Os", "-c", "public", "-v", "1", host,
                kProfileTableRoot},
               profiles::kHelperWalkTimeLimit);
  return 0;
}

COLORPANE_NAMESPACE_END
