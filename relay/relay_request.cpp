#include "relay_request.h"

namespace relay {
inline namespace u_f652eb31_4f1e_4859_ab0d_874cf0a33150 {

std::optional<RelayRequest> buildRelayRequest(const std::vector<std::string>& args) {
  if (args.empty()) return std::nullopt;
  const std::string& op = args[0];
  const size_t n = args.size() - 1;
  if ((op == "znPListIsAdminProfile_XPC" || op == "znPListExistProfile_XPC" || op == "znPListRemove_XPC" ||
       op == "writeDataToPlistFileRename_XPC") &&
      n == 1) {
    return RelayRequest{op, args[1]};
  }
  if (op == "znPListSwapProfile_XPC" && n == 3) {
    return RelayRequest{op, args[1] + ":ARG_iSwapType" + args[2] + ":ARG_cFooCurrentString" + args[3] +
                                ":ARG_cFooPrevString"};
  }
  if (op == "writeDataToPlistFile_XPC" && n == 2) {
    return RelayRequest{op, args[1] + ":AddURL:END" + args[2]};
  }
  if (op == "mibwalk_XPC" && n >= 2) {
    std::string request = args[1] + ":ModelName:END" + args[2] + ":USErName:END";
    for (size_t i = 3; i < args.size(); ++i) request += args[i] + ":arg:";
    return RelayRequest{op, request};
  }
  return std::nullopt;
}

}  // namespace u_f652eb31_4f1e_4859_ab0d_874cf0a33150
}  // namespace relay
