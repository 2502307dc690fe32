// TLQ770-1Helper: relays one request of the colour pane to the profile
// helper service and prints "OPERATION=REPLY".
//   TLQ770-1Helper OPERATION ARGUMENTS...
// The service's socket is $TLQ770_HELPER_SOCKET, or the default socket path
// under the system root. Exit status 0 when the service replied, 1 when it
// could not be reached, 2 for a command line it does not know.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "pdk/service.h"
#include "pdk/system_root.h"
#include "relay_request.h"

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  auto request = relay::buildRelayRequest(args);
  if (!request) {
    std::fprintf(stderr, "usage: TLQ770-1Helper OPERATION ARGUMENTS...\n");
    return 2;
  }
  const char* env = std::getenv("TLQ770_HELPER_SOCKET");
  std::string socketPath = env && *env ? env : pdk::systemPath(pdk::kHelperSocket);

  std::string reply;
  auto connection = pdk::ServiceConnection::connectTo(socketPath);
  if (!connection || connection->call(request->operation, request->request, &reply) != 0) {
    std::fprintf(stderr, "TLQ770-1Helper: no reply from the service at %s\n", socketPath.c_str());
    return 1;
  }
  std::printf("%s=%s\n", request->operation.c_str(), reply.c_str());
  return std::fflush(stdout) == 0 ? 0 : 1;
}
