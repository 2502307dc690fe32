#include "securitypane/aes_encryption.h"

#include "securitypane/aes_key_table.h"
#include "securitypane/secure_wipe.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

// Where entry byte j goes in the working word.
constexpr uint8_t kWordPosition[kAESKeyWordLength] = {0, 19, 1, 18, 2, 17, 3, 16, 4, 15,
                                                      5, 14, 6, 13, 7, 12, 8, 11, 9, 10};

// The working word of one call, wiped when the call ends.
struct WorkingWord {
  uint8_t bytes[kAESKeyWordLength];
  ~WorkingWord() { secureWipe(bytes, sizeof bytes); }
};

void selectWord(const uint8_t* callerWord, int32_t keyId, int32_t subId, WorkingWord* word) {
  if (keyId == 0) {
    for (size_t j = 0; j < kAESKeyWordLength; ++j) word->bytes[j] = callerWord[j];
    return;
  }
  const uint8_t* entry = GetAesKey(keyId, subId);
  for (size_t j = 0; j < kAESKeyWordLength; ++j) word->bytes[kWordPosition[j]] = entry[j];
}

}  // namespace

const uint8_t* GetAesKey(int32_t keyId, int32_t subId) {
  const AesKeyEntry* entry = AesKeyTb;
  while (entry->id != kAesKeyTableEnd && entry->id != keyId) ++entry;
  if (entry->id == kAesKeyTableEnd || subId == 0) return entry->keyWord;
  for (; entry->id == keyId; ++entry) {
    if (entry->subId == subId) return entry->keyWord;
  }
  while (entry->id != kAesKeyTableEnd) ++entry;
  return entry->keyWord;
}

int32_t AesEncryption(uint8_t* buffer, size_t length, size_t capacity, bool noPadding, const uint8_t* callerWord,
                      size_t* resultLength, int32_t keyId, int32_t subId) {
  if (!buffer || !callerWord || !resultLength) return kAESBadArgument;
  WorkingWord word;
  selectWord(callerWord, keyId, subId, &word);
  return ZN_QEL_AES_CBC_EncryptWord(buffer, length, capacity, noPadding, word.bytes, resultLength);
}

int32_t AesDecryption(uint8_t* buffer, size_t length, const uint8_t* callerWord, size_t* resultLength,
                      int32_t keyId, int32_t subId) {
  if (!buffer || !callerWord || !resultLength) return kAESBadArgument;
  WorkingWord word;
  selectWord(callerWord, keyId, subId, &word);
  return ZN_QEL_AES_CBC_DecryptWord(buffer, length, word.bytes, resultLength);
}

SECURITYPANE_NAMESPACE_END
