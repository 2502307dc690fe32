// ZNmacXPCServiceDelegate: accepts every new connection of the service and
// exports a fresh ZNmacServiceXPC on it, bound to the caller's uid. Holds no
// state; may be called from several connection threads at once.
#pragma once

#include <memory>

#include "pdk/service.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

class ZNmacXPCServiceDelegate : public pdk::ServiceListenerDelegate {
 public:
  std::unique_ptr<pdk::ServiceObject> listener(pdk::ServiceListener& listener,
                                               const pdk::ServicePeer& newConnection) override;
};

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
