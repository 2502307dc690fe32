// Splitting of the service's request texts into their fields. A marker is
// found by its first occurrence; the field before it runs from the end of
// the previous marker. Fields are not trimmed. Pure functions, thread-safe.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// The fields before each of `markers`, in order, searching each marker after
// the previous one. A missing marker leaves its field (and every later one)
// absent; `rest` receives the text after the last marker found.
std::vector<std::optional<std::string>> splitAtMarkers(const std::string& request,
                                                       const std::vector<std::string>& markers,
                                                       std::string* rest = nullptr);

// The three fields of a swap request.
struct SwapRequest {
  int32_t type = 0;                    // "NULL", no number or no marker: 0
  std::optional<std::string> current;  // absent for "NULL" or a missing marker
  std::optional<std::string> previous;
};
SwapRequest parseSwapRequest(const std::string& request);

// The fields of a walk request; nullopt when a name marker is missing.
struct WalkRequest {
  std::string model;
  std::string user;
  std::vector<std::string> arguments;  // the pieces before each ":arg:"
};
std::optional<WalkRequest> parseWalkRequest(const std::string& request);

// The absolute path of a file URL text ("file://" or "file://localhost"
// followed by the path, %XX escapes decoded); nullopt for anything else.
std::optional<std::string> pathFromFileURL(const std::string& urlText);

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
