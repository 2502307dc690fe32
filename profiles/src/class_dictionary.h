// The dictionary form of one profile table (a class dictionary of the list
// file).
#pragma once

#include <cstdint>
#include <string>

#include "pdk/value.h"
#include "profiles/profile_list.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

// Keys of the six field dictionaries, in the order of the output references.
inline constexpr const char* kFieldKeys[] = {"IndexOnDevice", "InMenu",   "ProfileClass",
                                             "Location",      "FileName", "ProfileName"};

// "RGB", "SIM" or "DST" for list class 0, 1 or 2; null for any other class.
const char* classKey(int32_t listClass);
// The slot key: field key and slot number as four digits ("InMenu0042").
std::string slotKey(const char* field, int slot);

// True when `classDict` is a dictionary holding all six field dictionaries.
bool hasFieldDictionaries(const pdk::Value& classDict);
// Fill `list` slot by slot from a class dictionary that has its field
// dictionaries, take iNum when present and normalise the count. With
// `papRule`, file slots with InMenu 2 are left out and 4 is read as 6.
void readClassDictionary(const pdk::Value& classDict, ProfileList* list, bool papRule);

// The root dictionary of a list file holding the three tables.
pdk::Value listFileDictionary(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
