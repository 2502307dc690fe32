#include "walk_spool.h"

#include <net-snmp/library/asn1.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace walkspool {
inline namespace u_df08f026_0089_4fa8_b359_7d626c552e36 {

using profiles::kProfileSlotCount;
using profiles::kProfileTextSize;
using profiles::ProfileEntry;
using profiles::ProfileList;

ProfileList PlistForSpool;

namespace {

constexpr size_t kRootLength = sizeof kProfileTableRoot / sizeof kProfileTableRoot[0];
constexpr size_t kColumnAt = kRootLength;  // 16th sub-identifier
constexpr size_t kRowAt = kRootLength + 2;  // 18th; the 17th is not examined

std::string_view fieldText(const char (&field)[kProfileTextSize]) {
  return std::string_view(field, strnlen(field, kProfileTextSize));
}

bool sameFieldText(const char (&a)[kProfileTextSize], const char (&b)[kProfileTextSize]) {
  return fieldText(a) == fieldText(b);
}

// Clear a slot; the count drops only when the slot was in use.
void clearSlot(ProfileList* list, int slot) {
  if (list->entry[slot].InMenu != 0 && list->iNum > 0) --list->iNum;
  std::memset(&list->entry[slot], 0, sizeof(ProfileEntry));
}

bool storeInteger(const netsnmp_variable_list* v, int32_t* out) {
  if (v->type != ASN_INTEGER || !v->val.integer) return false;
  *out = static_cast<int32_t>(static_cast<uint32_t>(*v->val.integer));  // low 32 bits
  return true;
}

// Store an OCTET STRING up to its first zero byte. A longer text than the
// field holds is ignored rather than cut: a cut file name would name another
// file, and a cut display name could end inside a character.
bool storeText(const netsnmp_variable_list* v, char (&out)[kProfileTextSize]) {
  if (v->type != ASN_OCTET_STR || (!v->val.string && v->val_len > 0)) return false;
  const unsigned char* bytes = v->val.string;
  const size_t length = bytes ? std::find(bytes, bytes + v->val_len, 0) - bytes : 0;
  if (length > sizeof out) return false;
  std::memset(out, 0, sizeof out);
  if (length > 0) std::memcpy(out, bytes, length);
  return true;
}

bool isSpoolableLocation(int32_t location) {
  return location == profiles::kLocationDisk || location == profiles::kLocationCard;
}

}  // namespace

void vSpoolPlist(const oid* name, size_t nameLength, const netsnmp_variable_list* variable, int32_t reset) {
  if (reset != 0) {
    std::memset(&PlistForSpool, 0, sizeof PlistForSpool);
    return;
  }
  if (!name || !variable || nameLength <= kRowAt) return;
  if (!std::equal(kProfileTableRoot, kProfileTableRoot + kRootLength, name)) return;
  const oid row = name[kRowAt];
  if (row < 1 || row > static_cast<oid>(kProfileSlotCount)) return;  // no slot: ignore
  ProfileEntry& e = PlistForSpool.entry[row - 1];
  switch (name[kColumnAt]) {
    case 1:
      if (storeInteger(variable, &e.IndexOnDevice)) ++PlistForSpool.iNum;
      break;
    case 2:
      storeInteger(variable, &e.Location);
      break;
    case 3:
      storeText(variable, e.ProfileName);
      break;
    case 4:
      storeText(variable, e.FileName);
      break;
    case 5:
      storeInteger(variable, &e.ProfileClass);
      break;
    case 7:
      storeInteger(variable, &e.ProfileAvailability);
      break;
    default:
      break;
  }
}

void vDeleteMIBprofilesTemporary(int32_t failure, ProfileList* list) {
  if (!list) return;
  for (int slot = 0; slot < kProfileSlotCount; ++slot) {
    ProfileEntry& e = list->entry[slot];
    if (e.InMenu == 1 || e.InMenu == 2) {
      // A freed slot is cleared whole: a leftover name would otherwise match
      // a spool row later and swallow it.
      if (failure != 0) {
        clearSlot(list, slot);
      } else {
        e.InMenu = 1;
      }
    } else if (e.InMenu == 4) {
      e.InMenu = failure != 0 ? 6 : 3;
    }
  }
}

void vRestructDetail(int32_t spoolIndex, ProfileList* list) {
  if (!list || spoolIndex < 0 || spoolIndex >= kProfileSlotCount) return;
  const ProfileEntry& row = PlistForSpool.entry[spoolIndex];
  const int used = std::clamp<int32_t>(list->iNum, 0, kProfileSlotCount);
  for (int k = 0; k < used; ++k) {
    ProfileEntry& e = list->entry[k];
    if (e.InMenu == 0 || !sameFieldText(e.FileName, row.FileName) || e.Location != row.Location) continue;
    if (e.InMenu == 1 || e.InMenu == 5) {
      e.InMenu = 2;
    } else if (e.InMenu == 3 || e.InMenu == 6) {
      e.InMenu = 4;
    }
    return;
  }
  for (ProfileEntry& e : list->entry) {
    if (e.InMenu != 0) continue;
    e = row;
    e.InMenu = 2;
    ++list->iNum;
    return;
  }
  // No free slot: the row is dropped.
}

int32_t vRestructPlistSpool2Current(int32_t failure) {
  auto tables = std::make_unique<ProfileList[]>(3);
  ProfileList* rgb = &tables[0];
  ProfileList* sim = &tables[1];
  ProfileList* dst = &tables[2];
  profiles::ZNPListReadProfile_All(rgb, sim, dst);  // no list yet: start from empty tables

  for (int c = 0; c < 3; ++c) {
    ProfileList* table = &tables[c];
    vDeleteMIBprofilesTemporary(failure, table);
    for (int slot = 0; slot < kProfileSlotCount; ++slot) {
      const std::string_view file = fieldText(table->entry[slot].FileName);
      if (!file.empty() && !bJudgement8point3Format(file)) clearSlot(table, slot);
    }
    // Matching looks at the first iNum slots only, so every table is
    // compacted before rows are merged into it.
    profiles::ZNPListPaddingProfile_Dict(table);
  }

  // Every spool row is considered, not only the first iNum: the printer's row
  // numbers may have gaps, and the empty rows fail the location test.
  for (int i = 0; i < kProfileSlotCount; ++i) {
    const ProfileEntry& row = PlistForSpool.entry[i];
    if (!isSpoolableLocation(row.Location) || !bJudgement8point3Format(fieldText(row.FileName))) continue;
    if (row.ProfileClass == 1 || row.ProfileClass == 2) {
      vRestructDetail(i, rgb);
    } else if (row.ProfileClass == 3) {
      vRestructDetail(i, sim);
      vRestructDetail(i, dst);
    }
  }

  for (int c = 0; c < 3; ++c) {
    ProfileList* table = &tables[c];
    profiles::ZNPListCleanProfile_Dict(table);
    profiles::ZNPListPaddingProfile_Dict(table);
    profiles::ZNPListSalvage_Dict(table);
    profiles::ZNPlistCheckWithInMenu_Dict(table);
  }
  return profiles::ZNPListWriteProfile_All(rgb, sim, dst);
}

bool bJudgement8point3Format(std::string_view text) {
  if (text.empty()) return false;
  const size_t dot = text.find('.');
  if (dot == std::string_view::npos) {
    if (text.size() > 27) return false;
  } else {
    const size_t extension = text.size() - dot - 1;
    if (dot < 1 || dot > 27 || extension > 3) return false;
  }
  return std::all_of(text.begin(), text.end(), [](char c) { return FileNameFilter(static_cast<unsigned char>(c)); });
}

bool FileNameFilter(unsigned char character) {
  if ((character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z') ||
      (character >= '0' && character <= '9')) {
    return true;
  }
  return character != '\0' && std::strchr("!#$%&'()-.^_{}~`", character) != nullptr;
}

}  // namespace u_df08f026_0089_4fa8_b359_7d626c552e36
}  // namespace walkspool
