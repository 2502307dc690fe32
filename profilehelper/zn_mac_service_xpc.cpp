#include "zn_mac_service_xpc.h"

#include <vector>

#include "mib_walk.h"
#include "pdk/syslog.h"
#include "profile_file_operations.h"
#include "profiles/profile_paths.h"
#include "request_fields.h"
#include "walk_arguments.h"
#include "walk_queue.h"

namespace profilehelper {
inline namespace u_9e465339_2001_4ed5_ad6b_307937ca0990 {
namespace {

constexpr const char* kTrue = "TRUE";
constexpr const char* kFalse = "FALSE";

const char* answer(bool ok) { return ok ? kTrue : kFalse; }

// Walks share the spool, the profile paths and net-snmp's default store.
constexpr size_t kMaxQueuedWalks = 16;
WalkQueue gWalks(kMaxQueuedWalks);

std::string walkReply(int result) { return "iRet=" + std::to_string(result); }

}  // namespace

ZNmacServiceXPC::ZNmacServiceXPC(uid_t callerUid) : caller_(callerUid), policy_(callerUid) {}

void ZNmacServiceXPC::znPListIsAdminProfile_XPC(const std::string& request, const ZNReply& reply) {
  auto path = policy_.profilePath(request);
  reply(answer(path && testWritable(*path)));
}

void ZNmacServiceXPC::znPListSwapProfile_XPC(const std::string& request, const ZNReply& reply) {
  SwapRequest swap = parseSwapRequest(request);
  std::optional<std::string> current, previous;
  if (swap.current && !(current = policy_.profilePath(*swap.current))) return reply(kFalse);
  if (swap.previous && !(previous = policy_.profilePath(*swap.previous))) return reply(kFalse);
  swapGenerations(swap.type, current, previous);
  reply(kTrue);
}

void ZNmacServiceXPC::znPListExistProfile_XPC(const std::string& request, const ZNReply& reply) {
  auto path = policy_.profilePath(request);
  reply(answer(path && existsForReading(*path)));
}

void ZNmacServiceXPC::znPListRemove_XPC(const std::string& request, const ZNReply& reply) {
  auto path = policy_.profilePath(request);
  reply(answer(path && removeEntry(*path)));
}

void ZNmacServiceXPC::writeDictionaryToPlistFile_XPC(const std::string& request, const ZNReply& reply) {
  std::string text;
  auto fields = splitAtMarkers(request, {kMarkerAddURL}, &text);
  if (!fields[0]) return reply(kFalse);
  auto urlPath = pathFromFileURL(*fields[0]);
  auto path = urlPath ? policy_.profilePath(*urlPath) : std::nullopt;
  reply(answer(path && replaceFileContent(*path, text)));
}

void ZNmacServiceXPC::writeDataToPlistFile_XPC(const std::string& request, const ZNReply& reply) {
  std::string chunk;
  auto fields = splitAtMarkers(request, {kMarkerAddURL}, &chunk);
  if (!fields[0]) return reply(kFalse);
  auto urlPath = pathFromFileURL(*fields[0]);
  auto temporary = urlPath ? policy_.profilePath(*urlPath + kTemporarySuffix) : std::nullopt;
  reply(answer(temporary && policy_.profilePath(*urlPath) && appendChunk(*temporary, chunk)));
}

void ZNmacServiceXPC::writeDataToPlistFileRename_XPC(const std::string& request, const ZNReply& reply) {
  auto urlPath = pathFromFileURL(request);
  auto path = urlPath ? policy_.profilePath(*urlPath) : std::nullopt;
  auto temporary = urlPath ? policy_.profilePath(*urlPath + kTemporarySuffix) : std::nullopt;
  reply(answer(path && temporary && renameTemporaryOver(*temporary, *path)));
}

void ZNmacServiceXPC::mibwalk_XPC(const std::string& request, const ZNReply& reply) {
  auto walk = parseWalkRequest(request);
  if (!walk || !policy_.mayWalk(walk->model, walk->user) || walk->arguments.size() > kMaxWalkArguments) {
    return reply(walkReply(1));
  }
  // Only the options a walk needs reach net-snmp's option parser.
  auto arguments = checkWalkArguments(walk->arguments);
  if (!arguments) return reply(walkReply(1));
  int result;
  {
    WalkTurn turn(gWalks, caller_);
    if (!turn.entered()) return reply(walkReply(1));
    if (profiles::ZNPListSetProfilePaths(walk->model.c_str(), walk->user.c_str()) != 0) {
      return reply(walkReply(1));
    }
    std::vector<char*> argv(arguments->size() + 1, nullptr);
    for (size_t i = 0; i < arguments->size(); ++i) argv[i] = (*arguments)[i].data();
    result = mib_walk(static_cast<int>(arguments->size()), argv.data());
    profiles::ZNPListSetProfilePaths("", "");  // paths are valid during this walk only
  }
  reply(walkReply(result));
  pdk::systemLog(pdk::LogPriority::Error, "xpc - mibwalk_XPC - iRet=%d", result);
}

void ZNmacServiceXPC::perform(const std::string& operation, const std::string& request,
                              const pdk::ServiceReply& reply) {
  using Operation = void (ZNmacServiceXPC::*)(const std::string&, const ZNReply&);
  static const struct {
    const char* name;
    Operation operation;
  } kOperations[] = {
      {"znPListIsAdminProfile_XPC", &ZNmacServiceXPC::znPListIsAdminProfile_XPC},
      {"znPListSwapProfile_XPC", &ZNmacServiceXPC::znPListSwapProfile_XPC},
      {"znPListExistProfile_XPC", &ZNmacServiceXPC::znPListExistProfile_XPC},
      {"znPListRemove_XPC", &ZNmacServiceXPC::znPListRemove_XPC},
      {"writeDictionaryToPlistFile_XPC", &ZNmacServiceXPC::writeDictionaryToPlistFile_XPC},
      {"writeDataToPlistFile_XPC", &ZNmacServiceXPC::writeDataToPlistFile_XPC},
      {"writeDataToPlistFileRename_XPC", &ZNmacServiceXPC::writeDataToPlistFileRename_XPC},
      {"mibwalk_XPC", &ZNmacServiceXPC::mibwalk_XPC},
  };
  for (const auto& entry : kOperations) {
    if (operation == entry.name) return (this->*entry.operation)(request, reply);
  }
  reply(refusal(operation));
}

std::string ZNmacServiceXPC::refusal(const std::string& operation) {
  return operation == "mibwalk_XPC" ? walkReply(1) : kFalse;
}

}  // namespace u_9e465339_2001_4ed5_ad6b_307937ca0990
}  // namespace profilehelper
