// Reading the profile list file into tables, and its dictionaries as they are.
#include <memory>

#include "class_dictionary.h"
#include "file_access.h"
#include "list_file_cache.h"
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

// The tables of the current list file, parsed once while it is unchanged.
std::shared_ptr<const ListFileTables> currentListTables() {
  const std::string path = currentListPath();
  return path.empty() ? nullptr : listFileTables(path);
}

int32_t readOneClass(ProfileList* list, int32_t listClass, bool papRule) {
  if (!list || !classKey(listClass)) return -1;
  const std::shared_ptr<const ListFileTables> file = currentListTables();
  if (!file || !file->hasClass[listClass]) return -1;
  *list = papRule ? file->withoutWalk[listClass] : file->plain[listClass];
  return 0;
}

}  // namespace

int32_t ZNPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst) {
  if (!rgb || !sim || !dst) return -1;
  const std::shared_ptr<const ListFileTables> file = currentListTables();
  // Every class must be readable before any table is filled.
  if (!file || !file->hasClass[kListClassRGB] || !file->hasClass[kListClassSIM] || !file->hasClass[kListClassDST])
    return -1;
  *rgb = file->plain[kListClassRGB];
  *sim = file->plain[kListClassSIM];
  *dst = file->plain[kListClassDST];
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
