// A full profile list table (500 used slots) for the benchmarks.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>

#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"

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

// Write a full list, then time reading all three lists of it, parsing the
// file each time (an unchanged file is otherwise read from the kept tables).
inline void benchmarkReadingAFullList(benchmark::State& state) {
  using profiles::ProfileList;
  auto rgb = fullProfileList(1), sim = fullProfileList(3), dst = fullProfileList(3);
  if (profiles::ZNPListWriteProfile_All(rgb.get(), sim.get(), dst.get()) != 0) {
    state.SkipWithError("cannot write the list");
    return;
  }
  auto r = std::make_unique<ProfileList>(), s = std::make_unique<ProfileList>(), d = std::make_unique<ProfileList>();
  for (auto _ : state) {
    profiles::dropProfileListCache();
    std::memset(r.get(), 0, sizeof(ProfileList));
    std::memset(s.get(), 0, sizeof(ProfileList));
    std::memset(d.get(), 0, sizeof(ProfileList));
    benchmark::DoNotOptimize(profiles::ZNPListReadProfile_All(r.get(), s.get(), d.get()));
  }
}
