#include "request_fields.h"

#include <cstdint>
#include <cstdlib>

#include "zn_xpc_protocol.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

std::vector<std::optional<std::string>> splitAtMarkers(const std::string& request,
                                                       const std::vector<std::string>& markers,
                                                       std::string* rest) {
  std::vector<std::optional<std::string>> fields(markers.size());
  size_t start = 0;
  for (size_t i = 0; i < markers.size(); ++i) {
    size_t at = request.find(markers[i], start);
    if (at == std::string::npos) break;
    fields[i] = request.substr(start, at - start);
    start = at + markers[i].size();
  }
  if (rest) *rest = request.substr(start);
  return fields;
}

SwapRequest parseSwapRequest(const std::string& request) {
  auto fields = splitAtMarkers(request, {kMarkerSwapType, kMarkerCurrent, kMarkerPrevious});
  SwapRequest swap;
  if (fields[0] && *fields[0] != kAbsentValue) {
    // Leading decimal integer, as atoi reads it; out-of-range values are
    // clamped so they never match a swap type.
    long value = std::strtol(fields[0]->c_str(), nullptr, 10);
    swap.type = value > INT32_MAX || value < INT32_MIN ? -1 : static_cast<int32_t>(value);
  }
  if (fields[1] && *fields[1] != kAbsentValue) swap.current = fields[1];
  if (fields[2] && *fields[2] != kAbsentValue) swap.previous = fields[2];
  return swap;
}

std::optional<WalkRequest> parseWalkRequest(const std::string& request) {
  std::string rest;
  auto fields = splitAtMarkers(request, {kMarkerModelName, kMarkerUserName}, &rest);
  if (!fields[0] || !fields[1]) return std::nullopt;
  WalkRequest walk{*fields[0], *fields[1], {}};
  const std::string marker = kMarkerArg;
  size_t start = 0;
  for (size_t at = rest.find(marker); at != std::string::npos; at = rest.find(marker, start)) {
    walk.arguments.push_back(rest.substr(start, at - start));
    start = at + marker.size();
  }
  return walk;
}

std::optional<std::string> pathFromFileURL(const std::string& urlText) {
  std::string rest;
  if (urlText.rfind("file://localhost/", 0) == 0) {
    rest = urlText.substr(16);
  } else if (urlText.rfind("file:///", 0) == 0) {
    rest = urlText.substr(7);
  } else {
    return std::nullopt;
  }
  std::string path;
  for (size_t i = 0; i < rest.size(); ++i) {
    char c = rest[i];
    if (c == '?' || c == '#') return std::nullopt;
    if (c != '%') {
      path += c;
      continue;
    }
    auto hex = [](char h) -> int {
      if (h >= '0' && h <= '9') return h - '0';
      if (h >= 'a' && h <= 'f') return h - 'a' + 10;
      if (h >= 'A' && h <= 'F') return h - 'A' + 10;
      return -1;
    };
    if (i + 2 >= rest.size()) return std::nullopt;
    int hi = hex(rest[i + 1]), lo = hex(rest[i + 2]);
    if (hi < 0 || lo < 0) return std::nullopt;
    path += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return path;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
