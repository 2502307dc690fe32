// A full profile list table (500 used slots) for the benchmarks.
#pragma once

#include <cstdio>
#include <memory>

#include "profiles/profile_list.h"

inline std::unique_ptr<profiles::ProfileList> fullProfileList(int profileClass) {
  auto list = std::make_unique<profiles::ProfileList>();
  for (int i = 0; i < profiles::kProfileSlotCount; ++i) {
    profiles::ProfileEntry& e = list->entry[i];
    e.IndexOnDevice = i + 1;
    e.InMenu = 2 + i % 5;
    e.ProfileClass = profileClass;
    std::snprintf(e.FileName, sizeof e.FileName, "PROFILE%04d.ICC", i);
    std::snprintf(e.ProfileName, sizeof e.ProfileName, "Printer profile number %d", i);
    e.Location = 4 + i % 2;
  }
  list->iNum = profiles::kProfileSlotCount;
  return list;
}
