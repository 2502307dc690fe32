// Profile-list files as the list library reads them: any bytes (an XML or a
// binary property list, or neither) at the list's path, through every reader.
// A read that succeeds must leave tables the rest of the code can trust.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"
#include "profiles/profile_paths.h"
#include "scratch_root.h"

using profiles::ProfileList;

namespace {

// A table after a successful read: the count matches the used slots at the
// front, and every text field ends within its 32 bytes.
void checkTable(const ProfileList& list) {
  if (list.iNum < 0 || list.iNum > profiles::kProfileSlotCount) std::abort();
  for (const profiles::ProfileEntry& e : list.entry) {
    if (std::memchr(e.FileName, 0, sizeof e.FileName) == nullptr) std::abort();
    if (std::memchr(e.ProfileName, 0, sizeof e.ProfileName) == nullptr) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::scratchRoot();
  static const bool pathsSet = profiles::ZNPListSetProfilePaths("TLQ770-1", "fuzz") == 0;
  if (!pathsSet || !fuzzing::writeInput(profiles::ZN_PLIST_PROFILE_PATH, data, size)) std::abort();
  profiles::dropProfileListCache();  // a rewrite in the same clock tick keeps its identity

  auto tables = std::make_unique<ProfileList[]>(3);
  if (profiles::ZNPListReadProfile_All(&tables[0], &tables[1], &tables[2]) == 0) {
    for (int c = 0; c < 3; ++c) checkTable(tables[c]);
  }
  for (int32_t listClass = 0; listClass < 3; ++listClass) {
    auto one = std::make_unique<ProfileList>();
    if (profiles::ZNPListReadProfile_Dict(one.get(), listClass) == 0) checkTable(*one);
    auto pap = std::make_unique<ProfileList>();
    if (profiles::ZNPListReadProfile_Dict_Pap(pap.get(), listClass) == 0) checkTable(*pap);
  }
  pdk::Value rgb, sim, dst;
  if (profiles::ZNPListMappingGetMainDict_FromPlist(&rgb, &sim, &dst) == 0) {
    int32_t count = 0;
    pdk::Value fields[6];
    profiles::ZNPListMappingGetSubDict(rgb, &fields[0], &fields[1], &fields[2], &fields[3], &fields[4], &fields[5],
                                       &count);
  }
  return 0;
}
