#include "walk_arguments.h"

#include <string_view>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

constexpr size_t kMaxCommunityBytes = 255;
constexpr size_t kMaxHostBytes = 255;
constexpr size_t kMaxRootBytes = 1400;  // 128 sub-identifiers of up to 10 digits
constexpr std::string_view kNameCharacters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.-_";

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isDigit(c)) return false;
  return true;
}
bool allOf(std::string_view s, std::string_view allowed) {
  return !s.empty() && s.find_first_not_of(allowed) == std::string_view::npos;
}

// Printable ASCII only: the community travels in every packet and reaches
// the debug channel.
bool isCommunity(std::string_view s) {
  if (s.empty() || s.size() > kMaxCommunityBytes) return false;
  for (char c : s)
    if (c < 0x21 || c > 0x7E) return false;
  return true;
}

// Seconds per try: "2", "0.5"; above 0 and at most the cap.
bool isTimeout(std::string_view s) {
  const size_t dot = s.find('.');
  const std::string_view whole = s.substr(0, dot);
  const std::string_view fraction = dot == std::string_view::npos ? std::string_view("0") : s.substr(dot + 1);
  if (!isAllDigits(whole) || !isAllDigits(fraction) || whole.size() > 3 || fraction.size() > 6) return false;
  const double value = std::stod(std::string(s));
  return value > 0 && value <= kMaxWalkTimeoutSeconds;
}

bool isRetries(std::string_view s) { return s.size() == 1 && isDigit(s[0]) && s[0] - '0' <= kMaxWalkRetries; }

bool isPort(std::string_view s) { return isAllDigits(s) && s.size() <= 5 && std::stoi(std::string(s)) <= 65535; }

// "printer.local", "192.0.2.7", "[fe80::1%eth0]", each with an optional
// ":port". No transport prefix ("tcp:", "unix:"): the walk speaks UDP to a
// printer, nothing else.
bool isHost(std::string_view s) {
  if (s.empty() || s.size() > kMaxHostBytes) return false;
  std::string_view name = s;
  if (s.front() == '[') {
    const size_t close = s.find(']');
    if (close == std::string_view::npos) return false;
    const std::string_view inner = s.substr(1, close - 1);
    const size_t zone = inner.find('%');
    const std::string_view address = inner.substr(0, zone);
    if (!allOf(address, "0123456789abcdefABCDEF:.") || address.find(':') == std::string_view::npos) return false;
    if (zone != std::string_view::npos && !allOf(inner.substr(zone + 1), kNameCharacters)) return false;
    const std::string_view after = s.substr(close + 1);
    return after.empty() || (after.front() == ':' && isPort(after.substr(1)));
  }
  const size_t colon = s.find(':');
  if (colon != std::string_view::npos) {
    name = s.substr(0, colon);
    if (!isPort(s.substr(colon + 1))) return false;
  }
  return allOf(name, kNameCharacters) && name.front() != '-' && name.front() != '.';
}

// A numeric identifier: "1.3.6.1.2.1" or ".1.3.6.1.2.1". Names would make
// net-snmp look up (and load) MIB modules.
bool isNumericRoot(std::string_view s) {
  if (s.empty() || s.size() > kMaxRootBytes) return false;
  if (s.front() == '.') s.remove_prefix(1);
  size_t start = 0;
  for (;;) {
    const size_t dot = s.find('.', start);
    if (!isAllDigits(s.substr(start, dot == std::string_view::npos ? std::string_view::npos : dot - start)))
      return false;
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

// Check the value of option `letter`; the rebuilt option, or empty.
std::string checkedOption(char letter, std::string_view value) {
  bool ok = false;
  switch (letter) {
    case 'v':
      ok = value == "1" || value == "2c";
      break;
    case 'c':
      ok = isCommunity(value);
      break;
    case 'O':
      ok = allOf(value, "abeEfnqQsStTuUvxX0");
      break;
    case 'C':
      // Letters other than i, p and c are reported on the debug channel and
      // otherwise ignored by the walk.
      ok = !value.empty() && value.size() <= 16;
      for (char c : value) ok = ok && isAsciiLetter(c);
      break;
    case 't':
      ok = isTimeout(value);
      break;
    case 'r':
      ok = isRetries(value);
      break;
    default:
      break;
  }
  return ok ? std::string("-") + letter + std::string(value) : std::string();
}

}  // namespace

std::optional<std::vector<std::string>> checkWalkArguments(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  std::vector<std::string> out{"snmpwalk"};
  size_t i = 1;
  for (; i < args.size() && !args[i].empty() && args[i][0] == '-'; ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg[1] == '-') return std::nullopt;  // "-", "--", long options
    const char letter = arg[1];
    if (letter == 'h' || letter == 'V') {
      if (arg.size() != 2) return std::nullopt;
      out.push_back(arg);
      continue;
    }
    std::string_view value = std::string_view(arg).substr(2);
    if (value.empty()) {
      if (i + 1 >= args.size()) return std::nullopt;
      value = args[++i];
    }
    std::string option = checkedOption(letter, value);
    if (option.empty()) return std::nullopt;
    out.push_back(std::move(option));
  }
  // Then the host and the root, both optional; nothing after them. The
  // parser answers a missing host itself.
  if (i < args.size()) {
    if (!isHost(args[i])) return std::nullopt;
    out.push_back(args[i++]);
  }
  if (i < args.size()) {
    if (!isNumericRoot(args[i])) return std::nullopt;
    out.push_back(args[i++]);
  }
  if (i < args.size()) return std::nullopt;
  return out;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
