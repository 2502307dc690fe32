// The service's requests as any local user may send them: the first byte
// picks the operation (and whether the caller is root or another user), the
// rest is the request text. File operations run for real on a scratch root;
// a walk request is parsed and its arguments checked, but not walked (that
// would wait on the network).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pdk/text.h"
#include "request_fields.h"
#include "scratch_root.h"
#include "walk_arguments.h"
#include "zn_mac_service_xpc.h"

namespace {

const char* const kOperations[] = {
    "znPListIsAdminProfile_XPC",      "znPListSwapProfile_XPC",   "znPListExistProfile_XPC",
    "znPListRemove_XPC",              "writeDictionaryToPlistFile_XPC", "writeDataToPlistFile_XPC",
    "writeDataToPlistFileRename_XPC", "unknownOperation_XPC",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::scratchRoot();
  if (size == 0) return 0;
  const uint8_t choice = data[0];
  const std::string request(reinterpret_cast<const char*>(data + 1), size - 1);

  if ((choice & 0x0F) == 0x0F) {
    // A walk request: its fields, then the arguments that may reach net-snmp.
    if (auto walk = profilehelper::parseWalkRequest(request)) {
      if (auto checked = profilehelper::checkWalkArguments(walk->arguments)) {
        if (checked->empty() || checked->front() != "snmpwalk") std::abort();
        for (const std::string& argument : *checked) {
          for (char c : argument) {
            if (static_cast<unsigned char>(c) < 0x20) std::abort();  // no control character gets through
          }
        }
      }
    }
    return 0;
  }
  // As the listener does: the request must be UTF-8 text, else it is refused.
  if (!pdk::isValidUtf8(request)) return 0;
  const uid_t caller = (choice & 0x10) ? 65534 : 0;
  profilehelper::ZNmacServiceXPC service(caller);
  int replies = 0;
  std::string reply;
  service.perform(kOperations[(choice & 0x0F) % 8], request, [&](const std::string& text) {
    ++replies;
    reply = text;
  });
  if (replies != 1 || (reply != "TRUE" && reply != "FALSE")) std::abort();  // exactly one answer
  return 0;
}
