// SecurityPDE: the security panel, one per print dialog. It lets the user
// choose the print mode (secure printing needs a password), user
// authentication (public or private user with name and password) and
// section management (section name and password). Its values live in
// SecurityTable, one row per control; every refresh writes the rows into
// the per-printer settings dictionary, applies the PPD's constraints, reads
// the settings back, shows them and enables the dependent controls. Before
// printing the required fields are checked, and the pane's entries are
// copied to the top level of the print settings. Main thread only.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "pdk/pde.h"
#include "pdk/view_description.h"
#include "securitypane/framework/control_data.h"
#include "securitypane/framework/core_session.h"
#include "securitypane/framework/ui_constraints.h"
#include "securitypane/namespace.h"
#include "securitypane/security_row.h"

SECURITYPANE_NAMESPACE_BEGIN

// Control data IDs of the PPD-backed controls and the print-mode label.
inline constexpr int16_t kWaitModePopUpID = 400;
inline constexpr int16_t kUserAuthenticationCheckBoxID = 401;
inline constexpr int16_t kSectionManagementCheckBoxID = 402;
inline constexpr int16_t kWaitModeStaticTextID = 450;

// The PPD keys the constraints act on, with their controls; the print mode's
// label follows its pop-up.
extern const securityframework::UIConstraintsKeyEntry SetupPPDKeyTableSecurity[];
inline constexpr int32_t kSetupPPDKeyTableSecurityCount = 3;

// Shown when the text of a failing field's message is missing.
inline constexpr const char* kRequiredFieldFallbackMessage = "A required field is empty or too short.";

class SecurityPDE : public pdk::PDEPanel, public pdk::NibObject {
 public:
  SecurityPDE() = default;
  SecurityPDE(const SecurityPDE&) = delete;
  SecurityPDE& operator=(const SecurityPDE&) = delete;
  ~SecurityPDE() override;  // dealloc
  const char* className() const override { return "SecurityPDE"; }

  // Take the host's callback and the bundle, build the panel and load the
  // stored values; null (the host offers no panel) without a PPD.
  SecurityPDE* initWithCallback(const pdk::PDEHostCallbackRef& callback, const pdk::BundleRef& bundle);

  pdk::ViewRef panelView() override;
  std::string panelName() override;
  std::string panelKind() override;
  pdk::Value supportedPPDOptionKeys() override;
  void willShow() override;
  bool shouldHide() override;
  bool saveValuesAndReturnError(std::string* error) override;
  bool restoreValuesAndReturnError(std::string* error) override;
  void PPDOptionKeyValueDidChange(const std::string& option, const std::string& choice) override;
  pdk::Value summaryInfo() override;
  bool shouldPrint() override;
  void terminate() override;

  // Build SecurityTable and the control data table over the loaded controls.
  void ControlTable();
  // Store, constrain, reload and show every row; then enable the dependent
  // controls.
  void updateUI();
  // The dialog's paper changed.
  void updatePaperSize();
  // Enable everything, then apply the PPD's constraints.
  void UpdateCST();
  // Check the enabled required fields; false after one alert naming every
  // failing field. While saving (not at print time) a failing field switches
  // its option back: authentication off, or the print mode to the PPD default.
  bool SecurityErrorCheck(bool atPrintTime);
  // Enable the fields and colour the labels the current choices need.
  void SecurityEnableControls();
  // Add row `index` to the summary: its title, and its display text.
  void summarySupport(int32_t index, const pdk::Value& summaryDict, const pdk::Value& summaryArray);
  // The user changed the pop-up, a check box or the radio group.
  void SecurityAction(pdk::Control* sender);
  void getPPDSettingsFromPrintSettings();
  void writePPDSettingsToPrintSettings();

  bool setOutlet(const std::string& name, const pdk::ObjectRef& value) override;
  pdk::Action actionNamed(const std::string& selector) override;

  // The rows, or null before the table is built.
  SecurityRow* table() { return SecurityTable.empty() ? nullptr : SecurityTable.data(); }

  pdk::PDEHostCallbackRef pdePluginCallbackObject;
  std::optional<std::string> thePDEName;
  ppd_file_s* ppd = nullptr;  // the host's
  pdk::BundleRef pluginBundle;
  bool flagAdmin = false;  // whether the machine-wide property file is writable
  std::vector<SecurityRow> SecurityTable;
  std::shared_ptr<pdk::View> pdeView;
  std::shared_ptr<pdk::PopUpButton> waitModePopUp;
  std::shared_ptr<pdk::Button> userAuthenticationCheckBox;
  std::shared_ptr<pdk::Button> sectionManagementCheckBox;
  std::shared_ptr<pdk::Matrix> userRadioButton;  // row 0 public, row 1 private
  // Password fields are ZNSecureTextField and name fields ZNTextField when
  // the view description is right; a password field that is not secure is
  // hidden.
  std::shared_ptr<pdk::TextField> securePasswordEditText;
  std::shared_ptr<pdk::TextField> userNameEditText;
  std::shared_ptr<pdk::TextField> userPasswordEditText;
  std::shared_ptr<pdk::TextField> sectionNameEditText;
  std::shared_ptr<pdk::TextField> sectionPasswordEditText;
  std::shared_ptr<pdk::TextField> waitModeStaticText;
  std::shared_ptr<pdk::TextField> secureTitleStaticText;
  std::shared_ptr<pdk::TextField> securePasswordStaticText;
  std::shared_ptr<pdk::TextField> userNameStaticText;
  std::shared_ptr<pdk::TextField> userPasswordStaticText;
  std::shared_ptr<pdk::TextField> sectionNameStaticText;
  std::shared_ptr<pdk::TextField> sectionPasswordStaticText;
  securityframework::PDEControlDataTblRef mCTLtableRef = nullptr;
  securityframework::ZNPDECoreContext mCoreContext;
  securityframework::ZNPDECoreSession mSession;
  securityframework::ZNPDECoreSession* mZNSession = &mSession;
  const securityframework::UIConstraintRecord* mPPDCstTable = nullptr;
  int32_t mPPDCstTableCount = 0;

 private:
  // Load the view description "SecurityPDE"; false when it cannot be loaded.
  bool loadSecurityView();
  pdk::PrintSettings* printSettings() const;
  pdk::PrintSession* printSession() const;
  // Show a row's value; a value the control cannot show gives way to the
  // control's own.
  void showRowValue(SecurityRow* row);
  // Put the print mode back to the PPD default or switch authentication
  // off, for a field that failed while saving.
  void resetFailingOption(const SecurityRow& row, int32_t printModeIndex, int32_t authenticationIndex);

  std::vector<pdk::ObjectRef> nibObjects_;           // every object of the view description
  std::map<std::string, pdk::ObjectRef> outlets_;  // bound outlets by name
  int paperObserver_ = 0;
  // A save-time check switched an option back: the next print is refused
  // once, so the job never leaves with settings the user has not seen.
  bool resetAtSave_ = false;
};

SECURITYPANE_NAMESPACE_END
