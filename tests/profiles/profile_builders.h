// Small builders for profile tables in tests.
#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "profiles/profile_list.h"

using profiles::ProfileEntry;
using profiles::ProfileList;

inline ProfileEntry makeEntry(int32_t index, int32_t inMenu, const char* file, int32_t location = 4,
                              int32_t profileClass = 2, const char* name = "") {
  ProfileEntry e{};
  e.IndexOnDevice = index;
  e.InMenu = inMenu;
  e.ProfileClass = profileClass;
  std::memcpy(e.FileName, file, std::min(std::strlen(file), sizeof e.FileName));
  std::memcpy(e.ProfileName, name, std::min(std::strlen(name), sizeof e.ProfileName));
  e.Location = location;
  return e;
}

// A zeroed table on the heap (a table is 40 KB).
inline std::unique_ptr<ProfileList> emptyList() { return std::make_unique<ProfileList>(); }

// A table holding `entries` in slots 0.. with iNum set to their number.
inline std::unique_ptr<ProfileList> listOf(std::initializer_list<ProfileEntry> entries) {
  auto list = emptyList();
  for (const ProfileEntry& e : entries) list->entry[list->iNum++] = e;
  return list;
}

inline std::string fileNameAt(const ProfileList& list, int slot) {
  return std::string(list.entry[slot].FileName, strnlen(list.entry[slot].FileName, sizeof list.entry[slot].FileName));
}

inline bool sameEntry(const ProfileEntry& a, const ProfileEntry& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
