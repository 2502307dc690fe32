// The parsed tables of one list file, shared by every read until the file
// changes (see profiles/profile_list_cache.h).
#pragma once

#include <memory>
#include <string>

#include "profiles/profile_list.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

// What a list file holds, per list class, as zeroed tables filled by the
// reading rule (both the plain one and the one for connections without walk).
struct ListFileTables {
  bool hasClass[3];  // the class dictionary has all six field dictionaries
  ProfileList plain[3];
  ProfileList withoutWalk[3];
};

// The tables of the list file at `path`; null when the file cannot be read or
// its root is not a dictionary. Parses only when the file changed.
std::shared_ptr<const ListFileTables> listFileTables(const std::string& path);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
