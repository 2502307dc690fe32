// Operations on a control without a record: filling pop-ups and titles
// from the PPD, item states, icons, hidden state and static texts.
#include <string_view>

#include "securitypane/framework/control_data.h"
#include "securitypane/framework/cups_ppd.h"
#include "securitypane/framework/ppd_access.h"
#include "securitypane/framework/status.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

SECURITY_FRAMEWORK_NAMESPACE_BEGIN

namespace {

// The image at a path or a file URL; null when it cannot be read.
pdk::ImageRef loadImage(const std::string& url) {
  constexpr std::string_view kFileScheme = "file://";
  const std::string path = url.compare(0, kFileScheme.size(), kFileScheme) == 0 ? url.substr(kFileScheme.size()) : url;
  return pdk::Image::imageWithContentsOfFile(path);
}

}  // namespace

void CCRebuildPopupMenuWithPPDOption(pdk::PopUpButton* popup, const _PPDUIOption* option) {
  if (!popup) return;
  popup->removeAllItems();
  if (!option) return;
  // Items are appended even when two share a title, so that an item's index
  // stays its choice's index.
  for (const auto& choice : option->choices) popup->addItem(choice.alias, pdk::Value(choice.keyword));
}

void CCDisableMenuItemsWithInstallableOption(pdk::PopUpButton* popup, const _PPDUIOption* option,
                                             ZNPDECoreSession* session) {
  if (!popup) return;
  popup->autoenablesItems = false;
  ppd_file_s* ppd = nullptr;
  if (!option || GetPPDReference(session, &ppd) != kNoErr) return;
  const pdk::Value installable = CreatePPDInstallableOptionDict(ppd);
  const pdk::Value constraints = CreatePPDConstraintsArray(ppd);
  for (size_t i = 0; i < constraints.count(); ++i) {
    const pdk::Value constraint = constraints.at(i);
    const pdk::Value option1 = constraint.get("option1");
    const pdk::Value current = installable.get(option1.asString());
    if (!option1.isString() || !current.isString() || current.asString() != constraint.get("choice1").asString()) {
      continue;
    }
    if (constraint.get("option2").asString() != option->keyword) continue;
    const int32_t index = PPDUIOptionKeyToIndex(option, constraint.get("choice2").asString());
    if (index >= 0 && popup->itemAtIndex(index)) popup->setItemEnabled(index, false);
  }
  FreePPDReference(ppd);
}

int32_t CCGetPopupButtonItemState(const pdk::PopUpButton* popup, int32_t, std::vector<bool>* flags) {
  if (!popup) return -1;
  if (flags) {
    flags->clear();
    for (const auto& item : popup->items()) flags->push_back(item.enabled);
  }
  return popup->numberOfItems();
}

void CCControlSetIconWithPath(pdk::View* control, const std::string& url) {
  auto* imageView = dynamic_cast<pdk::ImageView*>(control);
  if (!imageView) return;
  if (pdk::ImageRef image = loadImage(url)) imageView->setImage(image);
}

void CCControlSetHidden(pdk::View* control, bool hidden) {
  if (control) control->setHidden(hidden);
}

void CCControlSetStaticText(pdk::View* control, const std::string& text) {
  if (auto* field = dynamic_cast<pdk::TextField*>(control)) field->setStringValue(text);
}

void initPopupByPPD(ppd_file_s* ppd, pdk::PopUpButton* popup, const char* key) {
  if (!popup) return;
  popup->removeAllItems();
  ppd_option_t* option = ppd && key ? ppdFindOption(ppd, key) : nullptr;
  if (!option) {
    popup->setHidden(true);
    return;
  }
  for (int i = 0; i < option->num_choices; ++i) {
    popup->addItem(PPDTextToString(option->choices[i].text, pdk::TextEncoding::UTF8),
                   pdk::Value(option->choices[i].choice));
  }
}

void initTxtTitleByPPD(ppd_file_s* ppd, pdk::View* control, const char* key, bool isStaticText) {
  ppd_option_t* option = ppd && key ? ppdFindOption(ppd, key) : nullptr;
  if (!option || !control) return;
  const std::string text = PPDTextToString(option->text, GetCFStringEncodingFromPPD(ppd));
  if (isStaticText) {
    CCControlSetStaticText(control, text + ":");
  } else if (auto* button = dynamic_cast<pdk::Control*>(control)) {
    button->setTitle(text);
  }
}

SECURITY_FRAMEWORK_NAMESPACE_END
