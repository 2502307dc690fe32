#include "zn_mac_xpc_service_delegate.h"

#include "zn_mac_service_xpc.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

std::unique_ptr<pdk::ServiceObject> ZNmacXPCServiceDelegate::listener(pdk::ServiceListener& /*listener*/,
                                                                      const pdk::ServicePeer& newConnection) {
  return std::make_unique<ZNmacServiceXPC>(newConnection.uid);
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
