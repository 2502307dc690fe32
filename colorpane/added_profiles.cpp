// PDECommon: the profile pop-ups. After its PPD choices, each profile pop-up
// lists the profiles of the user's profile list that are marked for the
// menus; a chosen profile is stored as the option's first PPD choice plus
// "<key>Custom" = "True" and "<key>CustomFilename" = its printer path as
// nibble text.
#include <cstring>
#include <memory>

#include "colorpane/nibble_text.h"
#include "colorpane/pde_common.h"
#include "profiles/profile_list.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

using profiles::ProfileEntry;
using profiles::ProfileList;

constexpr size_t kMaxItemTitleBytes = 255;
constexpr size_t kMaxStoredNameBytes = 1023;

bool isProfileRow(const PDEControlRow* row) { return row && row->profileType >= 1 && row->profileType <= 3; }

// The list class a profile pop-up shows: RGB source, destination, simulation.
int32_t listClassOf(int16_t profileType) {
  switch (profileType) {
    case 1: return profiles::kListClassRGB;
    case 2: return profiles::kListClassDST;
    case 3: return profiles::kListClassSIM;
    default: return -1;
  }
}

bool isMenuEntry(const ProfileEntry& e) { return e.InMenu == 3 || e.InMenu == 4 || e.InMenu == 6; }

// Where the profile lies on the printer.
std::string printerPath(const ProfileEntry& e) {
  if (e.Location == profiles::kLocationDisk) return "/ata1a/data/USfiles/Profiles/" + profiles::fieldText(e.FileName);
  if (e.Location == profiles::kLocationCard) return "/ataCf1a/data/USfiles/Profiles/" + profiles::fieldText(e.FileName);
  return profiles::fieldText(e.FileName);
}

// One list of the current profile list file; empty when it cannot be read.
std::unique_ptr<ProfileList> readList(int32_t listClass) {
  auto list = std::make_unique<ProfileList>();
  if (profiles::ZNPListReadProfile_Dict(list.get(), listClass) != 0) std::memset(list.get(), 0, sizeof(ProfileList));
  return list;
}

// Cut UTF-8 text to at most `limit` bytes without splitting a character.
std::string cutUtf8(const std::string& s, size_t limit) {
  if (s.size() <= limit) return s;
  size_t n = limit;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

}  // namespace

int32_t PDECommon::commonAddMenuFromProfilePlist(const PDEControlRow* table) {
  auto rgb = std::make_unique<ProfileList>(), sim = std::make_unique<ProfileList>(),
       dst = std::make_unique<ProfileList>();
  if (profiles::ZNPListReadProfile_All(rgb.get(), sim.get(), dst.get()) != 0) return kStatusNotApplicable;
  const ProfileList* lists[3] = {rgb.get(), sim.get(), dst.get()};
  pdk::BundleRef bundle = commonGetBundle();

  for (const PDEControlRow* row = table; row && row->control; ++row) {
    int32_t listClass = listClassOf(row->profileType);
    auto* popup = dynamic_cast<pdk::PopUpButton*>(row->control);
    if (listClass < 0 || !popup) continue;
    const ProfileList& list = *lists[listClass];
    for (int32_t i = 0; i < profiles::usedSlotCount(&list); ++i) {
      const ProfileEntry& e = list.entry[i];
      if (!isMenuEntry(e)) continue;
      std::string label;
      if (e.Location == profiles::kLocationDisk || e.Location == profiles::kLocationCard) {
        if (!bundle) continue;  // the label cannot be looked up
        label = bundle->localizedString(e.Location == profiles::kLocationDisk ? "Disk" : "Card");
      }
      std::string title = profiles::fieldText(e.FileName) + "(" + profiles::fieldText(e.ProfileName) + ")" + label;
      popup->addItem(cutUtf8(title, kMaxItemTitleBytes));
    }
  }
  return kStatusOK;
}

pdk::Value PDECommon::commonGetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict) {
  if (!isProfileRow(row)) return pdk::Value();
  return dict.get(std::string(row->ppdKey) + "Custom");
}

int32_t PDECommon::commonSetTicketAddedProfileFlag(const PDEControlRow* row, const pdk::Value& dict,
                                                   const std::string& flag) {
  if (isProfileRow(row)) dict.set(std::string(row->ppdKey) + "Custom", pdk::Value(flag));
  return kStatusOK;
}

int32_t PDECommon::commonSetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict, int32_t select) {
  if (!dict.isDictionary() || !isProfileRow(row)) return kStatusNotApplicable;
  std::unique_ptr<ProfileList> list = readList(listClassOf(row->profileType));

  std::string path;
  int32_t position = 0;
  for (int32_t i = 0; i < profiles::usedSlotCount(list.get()); ++i) {
    if (!isMenuEntry(list->entry[i])) continue;
    if (++position == select) {
      path = printerPath(list->entry[i]);
      break;
    }
  }
  // The option itself takes its first PPD choice.
  if (row->choices && !row->choices->empty()) {
    const ChoiceEntry& first = row->choices->front();
    dict.set(first[kChoiceOption], pdk::Value(first[kChoiceKeyword]));
  }
  dict.set(std::string(row->ppdKey) + "CustomFilename", pdk::Value(encodeNibbleText(path)));
  commonSetTicketAddedProfileFlag(row, dict, "True");
  return kStatusOK;
}

int32_t PDECommon::commonGetTicketAddedProfile(const PDEControlRow* row, const pdk::Value& dict) {
  if (!dict.isDictionary() || !isProfileRow(row)) return kStatusNotApplicable;
  std::unique_ptr<ProfileList> list = readList(listClassOf(row->profileType));

  pdk::Value stored = dict.get(std::string(row->ppdKey) + "CustomFilename");
  if (!stored.isString() || stored.asString().size() > kMaxStoredNameBytes) return 0;
  for (unsigned char c : stored.asString())
    if (c >= 0x80) return 0;  // not ASCII text
  std::optional<std::string> path = decodeNibbleText(stored.asString());
  if (!path) return 0;

  int32_t position = 0;
  for (int32_t i = 0; i < profiles::usedSlotCount(list.get()); ++i) {
    const ProfileEntry& e = list->entry[i];
    if (!isMenuEntry(e)) continue;
    ++position;
    if ((e.Location == profiles::kLocationDisk || e.Location == profiles::kLocationCard) && printerPath(e) == *path)
      return position;
  }
  return 0;
}

COLORPANE_NAMESPACE_END
