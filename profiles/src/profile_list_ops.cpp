// Merging, clean-up and count normalisation of profile tables in memory.
#include <algorithm>
#include <cstring>
#include <memory>

#include "class_dictionary.h"
#include "profiles/profile_list.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

// Clear a slot; the count drops only when the slot was in use, so that a
// stale slot never makes the count disagree with the used slots.
void clearSlot(ProfileList* list, int slot) {
  if (list->entry[slot].InMenu != 0 && list->iNum > 0) --list->iNum;
  std::memset(&list->entry[slot], 0, sizeof(ProfileEntry));
}

bool listedIn(const ProfileEntry& e, const ProfileList* list) {
  for (int k = 0; k < usedSlotCount(list); ++k) {
    const ProfileEntry& other = list->entry[k];
    if (sameFieldText(other.FileName, e.FileName) && other.Location == e.Location) return true;
  }
  return false;
}

}  // namespace

int32_t usedSlotCount(const ProfileList* list) {
  return list ? std::clamp<int32_t>(list->iNum, 0, kProfileSlotCount) : 0;
}

int32_t ZNPListMappingProfile_All_Pap(const ProfileList* rgbE, const ProfileList* simE, const ProfileList* dstE,
                                      ProfileList* rgbO, ProfileList* simO, ProfileList* dstO,
                                      const ProfileList* rgbD, const ProfileList* simD, const ProfileList* dstD) {
  auto file = std::make_unique<ProfileList[]>(3);
  ZNPListReadProfile_All(&file[0], &file[1], &file[2]);  // a failed read leaves them empty
  ZNPListMapping_Pap(rgbE, &file[0], rgbO, rgbD);
  ZNPListMapping_Pap(simE, &file[1], simO, simD);
  ZNPListMapping_Pap(dstE, &file[2], dstO, dstD);
  return 0;
}

int32_t ZNPListMapping_Pap(const ProfileList* edited, const ProfileList* file, ProfileList* out,
                           const ProfileList* deleted) {
  if (!edited || !file || !out || !deleted) return 0;
  // Built aside: `out` may be one of the inputs.
  auto merged = std::make_unique<ProfileList>();
  int i = 0;
  for (int j = 0; j < usedSlotCount(file) && i < kProfileSlotCount; ++j) {
    const ProfileEntry& e = file->entry[j];
    if (e.InMenu != 2 && e.InMenu != 4) continue;
    if (listedIn(e, edited) || listedIn(e, deleted)) continue;
    merged->entry[i++] = e;
  }
  for (int k = 0; k < usedSlotCount(edited) && i < kProfileSlotCount; ++k) merged->entry[i++] = edited->entry[k];
  merged->iNum = i;
  const int32_t editedCount = edited->iNum;
  std::memcpy(out, merged.get(), sizeof(ProfileList));
  return editedCount;
}

void ZNPListCleanProfile_Dict(ProfileList* list) {
  if (!list) return;
  for (int slot = 0; slot < kProfileSlotCount; ++slot) {
    ProfileEntry& e = list->entry[slot];
    if (e.IndexOnDevice != 0 || e.FileName[0] == '\0') continue;
    if (e.InMenu == 3 || e.InMenu == 4) {
      e.IndexOnDevice = 501;
      e.InMenu = 3;
    } else {
      clearSlot(list, slot);
    }
  }
}

void ZNPListSalvage_Dict(ProfileList* list) {
  if (!list) return;
  for (ProfileEntry& e : list->entry) {
    if (e.IndexOnDevice != 0 && e.FileName[0] != '\0' && e.InMenu == 3) e.InMenu = 6;
  }
}

void ZNPListPaddingProfile_Dict(ProfileList* list) {
  if (!list) return;
  int to = 0;
  for (int from = 0; from < kProfileSlotCount; ++from) {
    if (list->entry[from].InMenu == 0) continue;
    if (from != to) {
      list->entry[to] = list->entry[from];
      std::memset(&list->entry[from], 0, sizeof(ProfileEntry));
    }
    ++to;
  }
}

void ZNPlistCheckWithInMenu_Dict(ProfileList* list) {
  if (!list) return;
  int used = 0;
  for (const ProfileEntry& e : list->entry) used += e.InMenu != 0;
  if (used == list->iNum) return;
  for (int slot = used; slot < kProfileSlotCount; ++slot) std::memset(&list->entry[slot], 0, sizeof(ProfileEntry));
  list->iNum = used;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
