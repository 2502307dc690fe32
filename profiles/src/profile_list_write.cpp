// Writing the profile list file: whole, merged with the window's edits, or
// one class at a time. The file access of the build does the actual write.
#include <cstring>
#include <memory>

#include "class_dictionary.h"
#include "file_access.h"
#include "pdk/plist.h"
#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

int32_t writeTables(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst) {
  const int32_t result = writeListXml(pdk::plistToXml(listFileDictionary(rgb, sim, dst)));
  // Even a failed write may have changed the file.
  dropProfileListCache();
  return result;
}

}  // namespace

int32_t ZNPListWriteProfile_All(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst) {
  if (!rgb || !sim || !dst) return -1;
  if (ZNPListIsAdminProfile() != 1) return -1;
  return writeTables(rgb, sim, dst);
}

int32_t ZNPListWriteProfile_All_Pap(const ProfileList* rgbE, const ProfileList* simE, const ProfileList* dstE,
                                    const ProfileList* rgbD, const ProfileList* simD, const ProfileList* dstD) {
  if (!rgbE || !simE || !dstE || !rgbD || !simD || !dstD) return -1;
  if (ZNPListIsAdminProfile() != 1) return -1;
  auto merged = std::make_unique<ProfileList[]>(3);
  ZNPListMappingProfile_All_Pap(rgbE, simE, dstE, &merged[0], &merged[1], &merged[2], rgbD, simD, dstD);
  return writeTables(&merged[0], &merged[1], &merged[2]);
}

int32_t ZNPListWriteProfile_Dict(const ProfileList* list, int32_t listClass, ProfileList* outRgb,
                                 ProfileList* outSim, ProfileList* outDst) {
  if (!list) return -1;
  const bool validClass = classKey(listClass) != nullptr;
  auto tables = std::make_unique<ProfileList[]>(3);
  ZNPListReadProfile_All(&tables[0], &tables[1], &tables[2]);  // a missing file leaves them empty
  // Take `list` in before filling the outputs: an output may be `list` itself.
  if (validClass) std::memmove(&tables[listClass], list, sizeof(ProfileList));
  ProfileList* outs[] = {outRgb, outSim, outDst};
  for (int c = 0; c < 3; ++c) {
    if (outs[c]) std::memcpy(outs[c], &tables[c], sizeof(ProfileList));
  }
  // Another class hands back the file's lists and writes nothing.
  if (!validClass) return -1;
  return ZNPListWriteProfile_All(&tables[0], &tables[1], &tables[2]);
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
