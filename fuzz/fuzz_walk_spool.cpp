// The walk spool fed any list of variables a printer might answer, then
// merged into a profile list on a scratch root. Each record of the input is
// one variable: column, the 17th and 18th sub-identifiers (the row), a type
// and a value. The merge must leave a list the library reads back whole.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "profiles/profile_list.h"
#include "profiles/profile_list_cache.h"
#include "profiles/profile_paths.h"
#include "scratch_root.h"
#include "walk_spool.h"

namespace {

constexpr size_t kRootLength = sizeof walkspool::kProfileTableRoot / sizeof walkspool::kProfileTableRoot[0];
const u_char kTypes[] = {ASN_INTEGER, ASN_OCTET_STR, ASN_COUNTER, ASN_NULL, ASN_OBJECT_ID, SNMP_NOSUCHOBJECT};

// Reads the input front to back; past its end every read gives 0.
struct Reader {
  const uint8_t* data;
  size_t size;
  uint8_t byte() { return size ? (--size, *data++) : 0; }
  uint16_t word() { return static_cast<uint16_t>(byte() << 8 | byte()); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzzing::scratchRoot();
  static const bool pathsSet = profiles::ZNPListSetProfilePaths("TLQ770-1", "fuzz") == 0;
  if (!pathsSet) std::abort();
  Reader in{data, size};
  const uint8_t flags = in.byte();
  const int32_t failure = flags & 1;
  const bool merge = (flags & 0x0E) == 0;  // one input in eight: a merge writes a whole list
  if (flags & 0x10) ::unlink(profiles::ZN_PLIST_PROFILE_PATH);  // else merge into the last list
  profiles::dropProfileListCache();

  walkspool::vSpoolPlist(nullptr, 0, nullptr, 1);
  while (in.size > 0) {
    oid name[kRootLength + 3];
    std::memcpy(name, walkspool::kProfileTableRoot, sizeof walkspool::kProfileTableRoot);
    name[kRootLength] = in.byte() % 9;      // column
    name[kRootLength + 1] = in.byte();      // not examined
    name[kRootLength + 2] = in.word() % 520; // row, some without a slot
    size_t nameLength = kRootLength + 3 - (in.byte() % 4 == 0 ? in.byte() % 4 : 0);
    netsnmp_variable_list variable{};
    variable.type = kTypes[in.byte() % (sizeof kTypes)];
    const size_t length = in.byte() % 48;
    std::vector<u_char> bytes(length);
    for (auto& b : bytes) b = in.byte();
    long integer = static_cast<int32_t>(in.word() << 16 | in.word());
    if (variable.type == ASN_INTEGER || variable.type == ASN_COUNTER) {
      variable.val.integer = &integer;
      variable.val_len = sizeof integer;
    } else {
      variable.val.string = bytes.empty() ? nullptr : bytes.data();
      variable.val_len = bytes.size();
    }
    walkspool::vSpoolPlist(name, nameLength, &variable, 0);
  }
  if (walkspool::PlistForSpool.iNum < 0) std::abort();  // counts what arrived
  if (!merge) return 0;
  walkspool::vRestructPlistSpool2Current(failure);

  // The merged list reads back, with counts and texts in bounds.
  auto tables = std::make_unique<profiles::ProfileList[]>(3);
  if (profiles::ZNPListReadProfile_All(&tables[0], &tables[1], &tables[2]) != 0) std::abort();
  for (int c = 0; c < 3; ++c) {
    if (tables[c].iNum < 0 || tables[c].iNum > profiles::kProfileSlotCount) std::abort();
    for (const auto& e : tables[c].entry) {
      if (!std::memchr(e.FileName, 0, sizeof e.FileName) || !std::memchr(e.ProfileName, 0, sizeof e.ProfileName)) {
        std::abort();
      }
    }
  }
  return 0;
}
