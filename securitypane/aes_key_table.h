// The key table shared with the printer's job filters: key words by id and
// sub-id. Entries of one id stand next to each other; the table ends with an
// entry whose id is -1, whose key word serves unknown ids. The build picks
// the table's source (the development table unless TLQ_KEY_TABLE names
// another file). Read-only; thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "securitypane/aes_cbc.h"
#include "securitypane/namespace.h"

SECURITYPANE_NAMESPACE_BEGIN

struct AesKeyEntry {
  int32_t id;
  int32_t subId;
  uint8_t keyWord[kAESKeyWordLength];
};

inline constexpr int32_t kAesKeyTableEnd = -1;

extern const AesKeyEntry AesKeyTb[];
// Number of entries before the terminator.
extern const size_t kAesKeyTableCount;

SECURITYPANE_NAMESPACE_END
