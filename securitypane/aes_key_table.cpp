#include "securitypane/aes_key_table.h"

#include <iterator>

#ifndef TLQ_KEY_TABLE_FILE
#define TLQ_KEY_TABLE_FILE "securitypane/aes_key_table_development.inc"
#endif

SECURITYPANE_NAMESPACE_BEGIN

// Declared extern in the header, so this definition is the one shared object.
constexpr AesKeyEntry AesKeyTb[] = {
#include TLQ_KEY_TABLE_FILE
};

namespace {

constexpr bool endsWithOneTerminator() {
  const size_t count = std::size(AesKeyTb);
  for (size_t i = 0; i + 1 < count; ++i) {
    if (AesKeyTb[i].id == kAesKeyTableEnd) return false;
  }
  return AesKeyTb[count - 1].id == kAesKeyTableEnd;
}
static_assert(endsWithOneTerminator(), "the key table must end with exactly one entry of id -1");

}  // namespace

const size_t kAesKeyTableCount = std::size(AesKeyTb) - 1;

SECURITYPANE_NAMESPACE_END
