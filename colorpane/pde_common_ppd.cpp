// PDECommon: building choice lists and menus from the PPD, titles, tables.
#include <new>

#include "colorpane/pde_common.h"
#include "colorpane/ppd_access.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

COLORPANE_NAMESPACE_BEGIN

namespace {

// Decode a PPD text with the encoding the record names; a text that is not
// valid there is read as Mac OS Roman, which accepts every byte.
std::string decodePPDText(ppd_file_t* ppd, const char* text, pdk::TextEncoding enc) {
  (void)ppd;
  std::string raw = text ? text : "";
  if (auto s = pdk::decodeText(raw, enc)) return *s;
  return pdk::decodeText(raw, pdk::TextEncoding::MacRoman).value_or(std::string());
}

pdk::PopUpButton* popUpOf(const PDEControlRow* row) {
  return row && row->kind == kCtlPopUp ? dynamic_cast<pdk::PopUpButton*>(row->control) : nullptr;
}

}  // namespace

int32_t PDECommon::commonGetPPDArrayForUIOption(ppd_file_s* ppd, const char* key, ChoiceList** array) {
  if (!ppd || !key || !array || !ppdFindOption(ppd, key)) return kStatusNoOption;
  auto* list = new (std::nothrow) ChoiceList();
  if (!list) return kStatusNoArray;
  *array = list;
  int16_t count = 0;
  commonGetUIListFromPPD(ppd, key, list, &count);
  return kStatusOK;
}

int32_t PDECommon::commonGetUIListFromPPD(ppd_file_s* ppd, const char* key, ChoiceList* array, int16_t* count) {
  if (!array || !ppd || !key) return 0;
  ppd_option_t* option = ppdFindOption(ppd, key);
  if (!option || option->num_choices <= 0) return 0;
  pdk::TextEncoding enc = commonGetCFStringEncodingFromPPD(ppd);
  for (int i = 0; i < option->num_choices; ++i) {
    ppd_choice_t& choice = option->choices[i];
    ChoiceEntry entry;
    entry[kChoiceOption] = option->keyword;
    entry[kChoiceDefault] = option->defchoice;
    entry[kChoiceKeyword] = choice.choice;
    entry[kChoiceText] = decodePPDText(ppd, choice.text, enc);
    entry[kChoiceConflict] =
        commonIsPPDChoiceConflicted(ppd, option->keyword, choice.choice) ? "ConflictTrue" : "ConflictFalse";
    array->push_back(std::move(entry));
    if (count) ++*count;
  }
  return 0;
}

bool PDECommon::commonIsPPDChoiceConflicted(ppd_file_s* ppd, const char* option, const char* choice) {
  if (!ppd || !option || !choice) return false;
  ppd_option_t* opt = ppdFindOption(ppd, option);
  if (!opt) return false;
  if (ppdIsMarked(ppd, option, choice)) return opt->conflicted != 0;

  ppd_choice_t* previous = ppdFindMarkedChoice(ppd, option);
  std::string previousName = previous ? previous->choice : "";
  ppdMarkOption(ppd, option, choice);  // re-evaluates the constraints
  bool conflicted = opt->conflicted != 0;
  if (previous) {
    ppdMarkOption(ppd, option, previousName.c_str());
  } else if (ppd_choice_t* marked = ppdFindChoice(opt, choice)) {
    // No choice was marked before: take the mark off again.
    marked->marked = 0;
    cupsArrayRemove(ppd->marked, marked);
    ppdConflicts(ppd);
  }
  return conflicted;
}

void PDECommon::commonBuildPDEItem(PDEControlRow* table, ppd_file_s* ppd) {
  if (!table) return;
  for (PDEControlRow* row = table; row->control; ++row) {
    commonSetControlTitleFromLocalizeString(row);
    if (row->kind == kCtlPopUp) commonReBuildMenuFromPPD(ppd, row);
  }
}

void PDECommon::commonSetControlTitleFromLocalizeString(const PDEControlRow* row) {
  if (!row || !row->control || !row->titleKey) return;
  pdk::BundleRef bundle = commonGetBundle();
  if (!bundle) return;
  std::string title = bundle->localizedString(row->titleKey);
  switch (row->kind) {
    case kCtlStaticText:
      if (auto* text = dynamic_cast<pdk::TextField*>(row->control)) text->setStringValue(title);
      break;
    case kCtlCheckBox:
    case kCtlPushButton:
      if (auto* control = dynamic_cast<pdk::Control*>(row->control)) control->setTitle(title);
      break;
    case kCtlTabView:
      if (auto* tabs = dynamic_cast<pdk::TabView*>(row->control)) {
        static const char* const kTabKeys[] = {"Image", "Text", "Graphics", "Simulation"};
        for (int i = 0; i < 4; ++i) tabs->setLabel(i, bundle->localizedString(kTabKeys[i]));
      }
      break;
    default:
      break;
  }
}

void PDECommon::commonReBuildMenuFromPPD(ppd_file_s* ppd, const PDEControlRow* row) {
  pdk::PopUpButton* popup = popUpOf(row);
  if (!ppd || !popup) return;
  ppd_option_t* option = ppdFindOption(ppd, row->ppdKey);
  if (!option) return;
  pdk::TextEncoding enc = commonGetEncodingFromPPD(ppd);
  popup->removeAllItems();
  for (int i = 0; i < option->num_choices; ++i) {
    ppd_choice_t& choice = option->choices[i];
    // Items are appended even when two share a title, so that an item's
    // index stays the PPD choice's index.
    popup->addItem(decodePPDText(ppd, choice.text, enc), pdk::Value(choice.choice));
  }
}

int32_t PDECommon::commonAddPPDArray(const pdk::Value& array, const PDEControlRow* table) {
  if (!array.isArray()) return kStatusBadArgument;
  int32_t status = kStatusOK;
  for (const PDEControlRow* row = table; row && row->control; ++row) {
    if (!row->ppdKey || !*row->ppdKey) continue;
    if (!pdk::isValidUtf8(row->ppdKey)) {
      status = kStatusRowSkipped;
      continue;
    }
    array.arrayStorage()->push_back(pdk::Value(row->ppdKey));
  }
  return status;
}

PDEControlRow* PDECommon::commonControlTableCompound(PDEControlRow* const* tables, int32_t count) {
  size_t total = 0;
  for (int32_t t = 0; t < count; ++t)
    for (const PDEControlRow* row = tables[t]; row && row->control; ++row) ++total;
  auto* compound = new (std::nothrow) PDEControlRow[total + 1]();
  if (!compound) return nullptr;
  size_t out = 0;
  for (int32_t t = 0; t < count; ++t)
    for (const PDEControlRow* row = tables[t]; row && row->control; ++row) compound[out++] = *row;
  compound[out] = kTerminatorRow;
  return compound;
}

pdk::TextEncoding PDECommon::encodingForLanguageEncoding(const char* value) {
  std::string v = value ? value : "";
  if (v == "ISOLatin1") return pdk::TextEncoding::ISOLatin1;
  if (v == "WindowsANSI") return pdk::TextEncoding::WindowsLatin1;
  if (v == "JIS83-RKSJ") return pdk::TextEncoding::ShiftJIS;
  if (v == "UTF-8" || v == "UTF8") return pdk::TextEncoding::UTF8;
  return pdk::TextEncoding::MacRoman;
}

// libcups converts the file's texts when it opens it and names the result's
// encoding in the record, so the record's value is the one that decodes
// its texts correctly.
pdk::TextEncoding PDECommon::commonGetEncodingFromPPD(ppd_file_s* ppd) {
  return encodingForLanguageEncoding(ppd ? ppd->lang_encoding : nullptr);
}

pdk::TextEncoding PDECommon::commonGetCFStringEncodingFromPPD(ppd_file_s* ppd) {
  return commonGetEncodingFromPPD(ppd);
}

int32_t _DEBUGControlTable(const PDEControlRow* table) {
  if (!table) return 0;
  int32_t n = 1;
  for (const PDEControlRow* row = table; row->control; ++row) ++n;
  return n;
}

COLORPANE_NAMESPACE_END
