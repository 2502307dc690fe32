// The profile list: per user and printer model, three fixed tables (RGB
// source, simulation and destination profiles) kept in one XML property-list
// file, and the operations that read, write, merge, clean and swap it.
// Functions keep no state between calls; callers own the tables. The file
// operations of one process are not coordinated with other processes.
#pragma once

#include <cstdint>
#include <string>

#include "pdk/value.h"

namespace profiles {
inline namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a {

inline constexpr int kProfileSlotCount = 500;
inline constexpr int kProfileTextSize = 32;

// List classes: where a table lives in the file.
inline constexpr int32_t kListClassRGB = 0;
inline constexpr int32_t kListClassSIM = 1;
inline constexpr int32_t kListClassDST = 2;

// Storage on the printer.
inline constexpr int32_t kLocationDisk = 4;
inline constexpr int32_t kLocationCard = 5;

// One slot of a profile table. Text fields hold UTF-8 up to the first zero
// byte, or all 32 bytes when full (texts received from the printer).
struct ProfileEntry {
  int32_t IndexOnDevice;
  int32_t InMenu;  // 0 marks an empty slot
  int32_t ProfileClass;
  char FileName[kProfileTextSize];
  char ProfileName[kProfileTextSize];
  int32_t Location;
  int32_t ProfileAvailability;  // never stored in the file
};

// A fixed table of 500 slots; the used ones sit at the front, counted by iNum.
struct ProfileList {
  ProfileEntry entry[kProfileSlotCount];
  int32_t iNum;
};

// The count of a table as a bound for its slots: iNum within 0 to 500
// (0 for no table).
int32_t usedSlotCount(const ProfileList* list);

// --- Text fields -------------------------------------------------------------

// The text of a 32-byte field: up to its first zero byte, at most 32 bytes.
std::string fieldText(const char (&field)[kProfileTextSize]);
// True when the text fields hold the same text (exact, case included).
bool sameFieldText(const char (&a)[kProfileTextSize], const char (&b)[kProfileTextSize]);
// Store `text` in a field, cut to 31 bytes without splitting a UTF-8
// character; the rest of the field is zero.
void setFieldText(char (&field)[kProfileTextSize], const std::string& text);

// --- Reading ---------------------------------------------------------------

// Fill three zeroed tables from the current list file. Return 0, or -1 (tables
// untouched) when the file cannot be read or lacks a class or field dictionary.
int32_t ZNPListReadProfile_All(ProfileList* rgb, ProfileList* sim, ProfileList* dst);
// Fill one zeroed table from the class dictionary of `listClass` (0 to 2).
int32_t ZNPListReadProfile_Dict(ProfileList* list, int32_t listClass);
// As ZNPListReadProfile_Dict, for connections without walk: file slots with
// InMenu 2 are left out and 4 is read as 6.
int32_t ZNPListReadProfile_Dict_Pap(ProfileList* list, int32_t listClass);

// --- Writing and file operations ---------------------------------------------

// Write the three tables as the current list. Return 0, or -1 when the list
// may not be written or the write fails.
int32_t ZNPListWriteProfile_All(const ProfileList* rgb, const ProfileList* sim, const ProfileList* dst);
// Merge the window's edited tables with the printer profiles of the file that
// the window did not show (ZNPListMappingProfile_All_Pap), then write them.
int32_t ZNPListWriteProfile_All_Pap(const ProfileList* rgbE, const ProfileList* simE, const ProfileList* dstE,
                                    const ProfileList* rgbD, const ProfileList* simD, const ProfileList* dstD);
// Replace one class of the file's lists by `list` and write all three; the
// optional outputs receive the tables as written. A class other than 0 to 2
// writes nothing and answers -1.
int32_t ZNPListWriteProfile_Dict(const ProfileList* list, int32_t listClass, ProfileList* outRgb,
                                 ProfileList* outSim, ProfileList* outDst);
// 1 when the current list file may be written (a file that did not exist is
// created and removed again), else 0.
int32_t ZNPListIsAdminProfile();
// Keep (2), drop (1) or restore (0) the previous generation of the list.
void ZNPListSwapProfile(int32_t swapType);
// 1 when the current list file exists and opens for reading, else 0.
int32_t ZNPListExistProfile();
// Remove the current (3) or previous (2) list file; 1 when it was removed.
int32_t ZNPListRemove(int32_t which);

// --- Merging and clean-up in memory ------------------------------------------

// Read the file's lists and merge each class with ZNPListMapping_Pap. Return 0.
int32_t ZNPListMappingProfile_All_Pap(const ProfileList* rgbE, const ProfileList* simE, const ProfileList* dstE,
                                      ProfileList* rgbO, ProfileList* simO, ProfileList* dstO,
                                      const ProfileList* rgbD, const ProfileList* simD, const ProfileList* dstD);
// Output = the file's walk-found printer profiles (InMenu 2 or 4) that are
// neither edited nor deleted, followed by the edited entries. Return the
// edited list's count.
int32_t ZNPListMapping_Pap(const ProfileList* edited, const ProfileList* file, ProfileList* out,
                           const ProfileList* deleted);
// Hand back copies of the file's three class dictionaries; -1 when the file or
// a class dictionary is missing.
int32_t ZNPListMappingGetMainDict_FromPlist(pdk::Value* outRgb, pdk::Value* outSim, pdk::Value* outDst);
// Hand back the six field dictionaries of a class dictionary (IndexOnDevice,
// InMenu, ProfileClass, Location, FileName, ProfileName) and iNum when
// present; -1 as soon as one field dictionary is missing.
int32_t ZNPListMappingGetSubDict(const pdk::Value& classDict, pdk::Value* outIndexOnDevice, pdk::Value* outInMenu,
                                 pdk::Value* outProfileClass, pdk::Value* outLocation, pdk::Value* outFileName,
                                 pdk::Value* outProfileName, int32_t* outNum);
// Post-walk clean-up of named entries without a printer index: menu entries
// (InMenu 3 or 4) become index 501 with InMenu 3, the others are cleared.
void ZNPListCleanProfile_Dict(ProfileList* list);
// Turn every named, indexed entry with InMenu 3 into 6.
void ZNPListSalvage_Dict(ProfileList* list);
// Move the used slots to the front, order kept; the count is not changed.
void ZNPListPaddingProfile_Dict(ProfileList* list);
// Normalise the count: when the number of used slots differs from iNum, set
// iNum to it and clear every slot from that position on.
void ZNPlistCheckWithInMenu_Dict(ProfileList* list);

// --- Dictionary form ---------------------------------------------------------

// Output references of CreatePropsDictionary, in this order.
struct ProfileClassDictionaries {
  pdk::Value classDict;
  pdk::Value indexOnDevice;
  pdk::Value inMenu;
  pdk::Value profileClass;
  pdk::Value location;
  pdk::Value fileName;
  pdk::Value profileName;
};
// Build the class dictionary of `list` (all 500 slots under "%s%04d" keys,
// and iNum). Return an outer dictionary holding it under "RGB", "SIM" or
// "DST" (empty for another class); `out` receives the parts when given.
pdk::Value CreatePropsDictionary(int32_t listClass, const ProfileList* list, ProfileClassDictionaries* out);
// Store the number under `key` as a signed 32-bit integer; 0 when it was
// present and numeric, else -1 (out untouched).
int32_t ReadDictionaryIntEntry(const pdk::Value& dict, const char* key, int32_t* out);
// Copy the string under `key` into a 32-byte field, cut to 31 bytes plus a
// terminating zero. A missing key leaves the field as it was.
void ReadDictionaryStringEntry(const pdk::Value& dict, const char* key, char out[kProfileTextSize]);
// Debug hook of the library; does nothing.
void MyDebugMessage(const char* message);

}  // namespace u_0a6cbdcd_53f7_4fda_93f9_5f8e43dd669a
}  // namespace profiles
