#include "class_dictionary.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "pdk/text.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

const char* classKey(int32_t listClass) {
  switch (listClass) {
    case kListClassRGB:
      return "RGB";
    case kListClassSIM:
      return "SIM";
    case kListClassDST:
      return "DST";
    default:
      return nullptr;
  }
}

std::string slotKey(const char* field, int slot) {
  char key[48];
  std::snprintf(key, sizeof key, "%s%04d", field, slot);
  return key;
}

void setFieldText(char (&field)[kProfileTextSize], const std::string& text) {
  // Cut without splitting a character, so that a cut name stays valid UTF-8
  // and survives the next write.
  size_t n = std::min(text.size(), static_cast<size_t>(kProfileTextSize - 1));
  while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  std::memset(field, 0, sizeof field);
  std::memcpy(field, text.data(), n);
}

std::string fieldText(const char (&field)[kProfileTextSize]) {
  return std::string(field, strnlen(field, kProfileTextSize));
}

bool sameFieldText(const char (&a)[kProfileTextSize], const char (&b)[kProfileTextSize]) {
  return strncmp(a, b, kProfileTextSize) == 0;
}

bool hasFieldDictionaries(const pdk::Value& classDict) {
  if (!classDict.isDictionary()) return false;
  for (const char* key : kFieldKeys) {
    if (!classDict.get(key).isDictionary()) return false;
  }
  return true;
}

void readClassDictionary(const pdk::Value& classDict, ProfileList* list, bool papRule) {
  const pdk::Value indexOnDevice = classDict.get("IndexOnDevice");
  const pdk::Value inMenu = classDict.get("InMenu");
  const pdk::Value profileClass = classDict.get("ProfileClass");
  const pdk::Value location = classDict.get("Location");
  const pdk::Value fileName = classDict.get("FileName");
  const pdk::Value profileName = classDict.get("ProfileName");

  int to = 0;
  for (int slot = 0; slot < kProfileSlotCount; ++slot) {
    ProfileEntry& e = list->entry[to];
    if (papRule) {
      int32_t menu = 0;
      if (ReadDictionaryIntEntry(inMenu, slotKey("InMenu", slot).c_str(), &menu) == 0) {
        if (menu == 2) continue;  // found by a walk this connection cannot repeat
        e.InMenu = menu == 4 ? 6 : menu;
      }
    } else {
      ReadDictionaryIntEntry(inMenu, slotKey("InMenu", slot).c_str(), &e.InMenu);
    }
    ReadDictionaryIntEntry(indexOnDevice, slotKey("IndexOnDevice", slot).c_str(), &e.IndexOnDevice);
    ReadDictionaryIntEntry(profileClass, slotKey("ProfileClass", slot).c_str(), &e.ProfileClass);
    ReadDictionaryIntEntry(location, slotKey("Location", slot).c_str(), &e.Location);
    ReadDictionaryStringEntry(fileName, slotKey("FileName", slot).c_str(), e.FileName);
    ReadDictionaryStringEntry(profileName, slotKey("ProfileName", slot).c_str(), e.ProfileName);
    ++to;
  }
  ReadDictionaryIntEntry(classDict, "iNum", &list->iNum);
  ZNPlistCheckWithInMenu_Dict(list);
}

pdk::Value listFileDictionary(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst) {
  pdk::Value root = pdk::Value::dictionary();
  const ProfileList* tables[] = {rgb, sim, dst};
  for (int32_t c = kListClassRGB; c <= kListClassDST; ++c) {
    ProfileClassDictionaries parts;
    CreatePropsDictionary(c, tables[c], &parts);
    root.set(classKey(c), parts.classDict);
  }
  root.set("PlistVersion", pdk::Value(1));
  return root;
}

pdk::Value CreatePropsDictionary(int32_t listClass, const ProfileList* list, ProfileClassDictionaries* out) {
  ProfileClassDictionaries parts;
  parts.classDict = pdk::Value::dictionary();
  parts.indexOnDevice = pdk::Value::dictionary();
  parts.inMenu = pdk::Value::dictionary();
  parts.profileClass = pdk::Value::dictionary();
  parts.location = pdk::Value::dictionary();
  parts.fileName = pdk::Value::dictionary();
  parts.profileName = pdk::Value::dictionary();

  static const ProfileList kEmpty{};
  if (!list) list = &kEmpty;
  for (int slot = 0; slot < kProfileSlotCount; ++slot) {
    const ProfileEntry& e = list->entry[slot];
    parts.indexOnDevice.set(slotKey("IndexOnDevice", slot), pdk::Value(e.IndexOnDevice));
    parts.inMenu.set(slotKey("InMenu", slot), pdk::Value(e.InMenu));
    parts.profileClass.set(slotKey("ProfileClass", slot), pdk::Value(e.ProfileClass));
    parts.location.set(slotKey("Location", slot), pdk::Value(e.Location));
    // A text that is not UTF-8, or holds characters XML cannot carry (a
    // printer's name with control characters), cannot be a property-list
    // string that every reader accepts: no key.
    std::string file = fieldText(e.FileName);
    if (pdk::isXmlText(file)) parts.fileName.set(slotKey("FileName", slot), pdk::Value(std::move(file)));
    std::string name = fieldText(e.ProfileName);
    if (pdk::isXmlText(name)) parts.profileName.set(slotKey("ProfileName", slot), pdk::Value(std::move(name)));
  }
  parts.classDict.set("iNum", pdk::Value(list->iNum));
  parts.classDict.set("IndexOnDevice", parts.indexOnDevice);
  parts.classDict.set("InMenu", parts.inMenu);
  parts.classDict.set("ProfileClass", parts.profileClass);
  parts.classDict.set("Location", parts.location);
  parts.classDict.set("FileName", parts.fileName);
  parts.classDict.set("ProfileName", parts.profileName);

  pdk::Value outer = pdk::Value::dictionary();
  if (const char* key = classKey(listClass)) outer.set(key, parts.classDict);
  if (out) *out = parts;
  return outer;
}

int32_t ReadDictionaryIntEntry(const pdk::Value& dict, const char* key, int32_t* out) {
  if (!key || !out) return -1;
  const pdk::Value v = dict.get(key);
  if (v.isInteger()) {
    *out = static_cast<int32_t>(static_cast<uint32_t>(v.asInteger()));  // low 32 bits
    return 0;
  }
  if (v.isReal()) {
    const double d = v.asReal();
    if (std::isnan(d)) return -1;
    *out = d >= INT32_MAX ? INT32_MAX : d <= INT32_MIN ? INT32_MIN : static_cast<int32_t>(d);
    return 0;
  }
  return -1;
}

void ReadDictionaryStringEntry(const pdk::Value& dict, const char* key, char out[kProfileTextSize]) {
  if (!key || !out) return;
  const pdk::Value v = dict.get(key);
  if (!v.isString()) return;
  setFieldText(*reinterpret_cast<char(*)[kProfileTextSize]>(out), v.asString());
}

void MyDebugMessage(const char*) {}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
