// Reading the profile list file into tables, and its dictionaries as they are.
#include "class_dictionary.h"
#include "file_access.h"
#include "pdk/plist.h"
#include "profiles/profile_list.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

namespace {

// The root dictionary of the current list file; null when it cannot be read.
pdk::Value readListFile() {
  const std::string path = currentListPath();
  if (path.empty()) return pdk::Value();
  pdk::Value root = pdk::readPlistFile(path);
  return root.isDictionary() ? root : pdk::Value();
}

int32_t readOneClass(ProfileList* list, int32_t listClass, bool papRule) {
  const char* key = classKey(listClass);
  if (!list || !key) return -1;
  const pdk::Value classDict = readListFile().get(key);
  if (!hasFieldDictionaries(classDict)) return -1;
  readClassDictionary(classDict, list, papRule);
  return 0;
}

}  // namespace

int32_t ZNPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst) {
  if (!rgb || !sim || !dst) return -1;
  const pdk::Value root = readListFile();
  const pdk::Value classes[] = {root.get("RGB"), root.get("SIM"), root.get("DST")};
  // Check every class before filling any table, so a bad file leaves all zero.
  for (const pdk::Value& c : classes) {
    if (!hasFieldDictionaries(c)) return -1;
  }
  readClassDictionary(classes[0], rgb, false);
  readClassDictionary(classes[1], sim, false);
  readClassDictionary(classes[2], dst, false);
  return 0;
}

int32_t ZNPListReadProfile_Dict(ProfileList* list, int32_t listClass) {
  return readOneClass(list, listClass, false);
}

int32_t ZNPListReadProfile_Dict_Pap(ProfileList* list, int32_t listClass) {
  return readOneClass(list, listClass, true);
}

int32_t ZNPListMappingGetMainDict_FromPlist(pdk::Value* outRgb, pdk::Value* outSim, pdk::Value* outDst) {
  const pdk::Value root = readListFile();
  const pdk::Value rgb = root.get("RGB"), sim = root.get("SIM"), dst = root.get("DST");
  if (!rgb.isDictionary() || !sim.isDictionary() || !dst.isDictionary()) return -1;
  if (outRgb) *outRgb = rgb.deepCopy();
  if (outSim) *outSim = sim.deepCopy();
  if (outDst) *outDst = dst.deepCopy();
  return 0;
}

int32_t ZNPListMappingGetSubDict(const pdk::Value& classDict, pdk::Value* outIndexOnDevice, pdk::Value* outInMenu,
                                 pdk::Value* outProfileClass, pdk::Value* outLocation, pdk::Value* outFileName,
                                 pdk::Value* outProfileName, int32_t* outNum) {
  pdk::Value* outs[] = {outIndexOnDevice, outInMenu, outProfileClass, outLocation, outFileName, outProfileName};
  for (int i = 0; i < 6; ++i) {
    const pdk::Value field = classDict.get(kFieldKeys[i]);
    if (!field.isDictionary()) return -1;
    if (outs[i]) *outs[i] = field;
  }
  if (outNum) ReadDictionaryIntEntry(classDict, "iNum", outNum);
  return 0;
}

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
