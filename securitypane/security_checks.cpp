// The security panel's enabling rules and its required-field check, before
// saving and before printing.
#include "securitypane/edit_info_table.h"
#include "securitypane/security_pde.h"
#include "securitypane/security_table.h"
#include "securitypane/security_ticket.h"
#include "securitypane/security_util.h"
#include "securitypane/zn_text_field.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

// The secure print password must have at least this many characters.
constexpr int32_t kMinimumSecurePasswordLength = 4;
// The print mode's choice (in PPD order) that is secure printing.
constexpr int kSecurePrintModeIndex = 1;

void setLabelLive(const std::shared_ptr<pdk::TextField>& label, bool live) {
  if (label) label->setTextColor(live ? pdk::TextColor::Black : pdk::TextColor::Gray);
}

void setControlEnabled(const std::shared_ptr<pdk::Control>& control, bool enabled) {
  if (control) control->setEnabled(enabled);
}

bool isOn(const std::shared_ptr<pdk::Button>& box) { return box && box->state() == 1; }

}  // namespace

void SecurityPDE::SecurityEnableControls() {
  const bool securePrint = waitModePopUp && waitModePopUp->indexOfSelectedItem() == kSecurePrintModeIndex;
  setLabelLive(secureTitleStaticText, securePrint);
  setLabelLive(securePasswordStaticText, securePrint);
  setControlEnabled(securePasswordEditText, securePrint);

  const bool authentication = isOn(userAuthenticationCheckBox);
  setControlEnabled(userRadioButton, authentication);
  const bool privateUser = authentication && userRadioButton && userRadioButton->selectedRow() == 1;
  setControlEnabled(userNameEditText, privateUser);
  setControlEnabled(userPasswordEditText, privateUser);
  setLabelLive(userNameStaticText, privateUser);
  setLabelLive(userPasswordStaticText, privateUser);

  const bool sectionManagement = isOn(sectionManagementCheckBox);
  setControlEnabled(sectionNameEditText, sectionManagement);
  setControlEnabled(sectionPasswordEditText, sectionManagement);
  setLabelLive(sectionNameStaticText, sectionManagement);
  setLabelLive(sectionPasswordStaticText, sectionManagement);
}

void SecurityPDE::resetFailingOption(const SecurityRow& row, int32_t printModeIndex, int32_t authenticationIndex) {
  SecurityRow* rows = table();
  if (std::string(row.key) == kUserNameKey) {
    if (authenticationIndex >= 0) rows[authenticationIndex].value = std::string(kValueFalse);
  } else if (printModeIndex >= 0) {
    if (std::optional<std::string> mode = getDefaultValueFromPPD(ppd, kPrintModeKey)) rows[printModeIndex].value = mode;
  }
}

bool SecurityPDE::SecurityErrorCheck(bool atPrintTime) {
  SecurityRow* rows = table();
  if (!rows) return true;
  const int32_t printModeIndex = searchTableIndex(rows, waitModePopUp.get());
  const int32_t authenticationIndex = searchTableIndex(rows, userAuthenticationCheckBox.get());
  std::string message;
  for (SecurityRow* row = rows; row->kind != kSecurityKindEnd; ++row) {
    auto* field = dynamic_cast<pdk::TextField*>(row->control);
    if (!row->key || !IsEditTextRequired(row->key) || !field || !field->isEnabled()) continue;
    const std::string key = row->key;
    const bool securePassword = key == kSecureKey;
    const bool fails =
        IsEmptyEditText(field) || (securePassword && GetLengthEditText(field) < kMinimumSecurePasswordLength);
    if (!fails) continue;

    std::optional<std::string> text;
    if (securePassword) {
      text = SecurityUtil::SecurityEmptyAlert(kSecurityBundleIdentifier, "SecurePrint", "SecurePass", false);
    } else if (key == kUserNameKey) {
      text = SecurityUtil::SecurityEmptyAlert(kSecurityBundleIdentifier, "ZNAuthenticationTLQ770", "UserName",
                                              atPrintTime);
    }
    if (!atPrintTime) {
      resetFailingOption(*row, printModeIndex, authenticationIndex);
      resetAtSave_ = true;
    }
    // A failing field fails the check even when its message is missing.
    message += text.value_or(kRequiredFieldFallbackMessage) + "\n";
  }
  if (message.empty()) return true;
  SecurityUtil::showAlert(message);
  if (!atPrintTime) updateUI();
  return false;
}

bool SecurityPDE::shouldPrint() {
  updateUI();
  // Settings switched back while saving are shown to the user before any
  // job leaves with them.
  if (resetAtSave_) {
    resetAtSave_ = false;
    return false;
  }
  const bool result = SecurityErrorCheck(true);
  if (result) ticketCopyToRoot(printSettings(), printSession());
  return result;
}

SECURITYPANE_NAMESPACE_END
