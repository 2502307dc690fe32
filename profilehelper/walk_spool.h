// Walk spool: collects the printer's profile table, one SNMP variable at a
// time, during a MIB walk, and merges it into the user's profile list (the
// file at ZN_PLIST_PROFILE_PATH, see profiles/profile_paths.h) when the walk
// ends. Not thread-safe: the spool and the profile paths are process-wide, so
// only one walk may run at a time in a process.
#pragma once

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/types.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "profiles/profile_list.h"

namespace walkspool {
inline namespace u_df08f026_0089_4fa8_b359_7d626c552e36 {

// Root of the printer's profile table; a variable of column c starts with
// root.c and carries its row number (1 to 500) as its 18th sub-identifier.
inline constexpr oid kProfileTableRoot[] = {1, 3, 6, 1, 4, 1, 32473, 1, 1, 1, 1, 6, 13, 1, 1};

// The walk spool: row n of the printer's table sits in entry n-1; iNum counts
// the IndexOnDevice values received.
extern profiles::ProfileList PlistForSpool;

// With `reset` non-zero, clear the whole spool (name and variable may be null).
// Otherwise store `variable` (identifier `name` of `nameLength`
// sub-identifiers) by its column: 1 IndexOnDevice, 2 Location, 3 ProfileName,
// 4 FileName, 5 ProfileClass, 7 ProfileAvailability. Variables of other
// columns or types, rows 0 or above 500, and strings longer than 32 bytes are
// ignored and change nothing.
void vSpoolPlist(const oid* name, size_t nameLength, const netsnmp_variable_list* variable, int32_t reset);

// Merge the spool into the current profile list and write it. `failure` is 0
// after a successful walk, non-zero after a failed one. Return the write's
// result (0 or -1).
int32_t vRestructPlistSpool2Current(int32_t failure);

// Reset the walk marks of `list` before a merge: InMenu 1 or 2 becomes 1
// (walk succeeded) or a free slot (walk failed); 4 becomes 3 or 6.
void vDeleteMIBprofilesTemporary(int32_t failure, profiles::ProfileList* list);

// Merge spool entry `spoolIndex` (0 to 499) into `list`: mark the matching
// entry (same FileName and Location) as found, or add the row with InMenu 2.
void vRestructDetail(int32_t spoolIndex, profiles::ProfileList* list);

// True when `text` is a usable file name: 1 to 27 characters before the first
// '.', at most 3 after it, every character accepted by FileNameFilter.
bool bJudgement8point3Format(std::string_view text);

// True for ASCII letters, digits and ! # $ % & ' ( ) - . ^ _ { } ~ `.
bool FileNameFilter(unsigned char character);

}  // namespace u_df08f026_0089_4fa8_b359_7d626c552e36
}  // namespace walkspool
