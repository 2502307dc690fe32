// The relay's command lines: which argument lists it accepts and the request
// text it sends to the profile helper service for each. Pure, thread-safe.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace relay {
inline namespace u_f652eb31_4f1e_4859_ab0d_874cf0a33150 {

struct RelayRequest {
  std::string operation;
  std::string request;
};

// Build the request for `args` (argument 1 onward: operation name, then its
// arguments). nullopt for an unknown operation or a wrong argument count.
std::optional<RelayRequest> buildRelayRequest(const std::vector<std::string>& args);

}  // namespace u_f652eb31_4f1e_4859_ab0d_874cf0a33150
}  // namespace relay
