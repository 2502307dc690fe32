// ZNmacServiceXPC: the object exported on one connection. It answers the
// eight operations for the caller the connection belongs to, refusing paths
// and names that caller may not act on. Used by its connection's thread
// only; walks of all connections run one at a time, in turn (walk_queue.h).
#pragma once

#include <sys/types.h>

#include <string>

#include "caller_policy.h"
#include "pdk/service.h"
#include "zn_xpc_protocol.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {

// Largest walk argument vector (command name included).
inline constexpr size_t kMaxWalkArguments = 512;

class ZNmacServiceXPC : public ZN_XPC_Protocol, public pdk::ServiceObject {
 public:
  // The caller's uid as the socket reported it.
  explicit ZNmacServiceXPC(uid_t callerUid);

  void znPListIsAdminProfile_XPC(const std::string& request, const ZNReply& reply) override;
  void znPListSwapProfile_XPC(const std::string& request, const ZNReply& reply) override;
  void znPListExistProfile_XPC(const std::string& request, const ZNReply& reply) override;
  void znPListRemove_XPC(const std::string& request, const ZNReply& reply) override;
  void writeDictionaryToPlistFile_XPC(const std::string& request, const ZNReply& reply) override;
  void writeDataToPlistFile_XPC(const std::string& request, const ZNReply& reply) override;
  void writeDataToPlistFileRename_XPC(const std::string& request, const ZNReply& reply) override;
  void mibwalk_XPC(const std::string& request, const ZNReply& reply) override;

  // pdk::ServiceObject: dispatch by operation name.
  void perform(const std::string& operation, const std::string& request, const pdk::ServiceReply& reply) override;
  std::string refusal(const std::string& operation) override;

 private:
  uid_t caller_;
  CallerPolicy policy_;
};

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
