// The functions over SecurityTable: defaults from the PPD, showing a row's
// value in its control and reading it back, display texts for the summary,
// the PPD option keys the panel owns, and filling the controls' titles and
// items. Every function walks the table to its end row and accepts a
// missing table, row or control. Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdk/value.h"
#include "securitypane/framework/control_data.h"
#include "securitypane/namespace.h"
#include "securitypane/security_row.h"

struct ppd_file_s;

SECURITYPANE_NAMESPACE_BEGIN

// The bundle identifier under which the pane's strings are looked up; also
// the panel's kind.
inline constexpr const char* kSecurityBundleIdentifier = "quorlin.print.pde.TLQ770-1.Security";

// Give every row its default and show it: the PPD default of its key, or
// by kind "" (edit text), "public" (radio group), "False" (check box).
void setDefaults(ppd_file_s* ppd, SecurityRow* table);
// The default choice key of PPD option `key`, or none.
std::optional<std::string> getDefaultValueFromPPD(ppd_file_s* ppd, const char* key);
// Show `value` in the row's control: 0, or 1 (logged) when the control has
// no such value. Nothing happens without a value.
int32_t setPPDValueToControl(SecurityRow* row, const std::optional<std::string>& value);
// The value the row's control shows; none for labels and unreadable states.
std::optional<std::string> getPPDValueFromControl(const SecurityRow* row);
// The PPD's text of choice `choice` of option `key`, or none.
std::optional<std::string> getLocalizeValueFromPPD(ppd_file_s* ppd, const char* key, const std::string& choice);
// The text the summary shows for the row's current value, or none.
std::optional<std::string> getLocalizeValueFromControl(const SecurityRow* row, ppd_file_s* ppd);
// The titleKey of every row but the labels, in table order.
pdk::Value CustomSupportedPPDOptionKeys(const SecurityRow* table);
// The index of the first row of `control`; -1 when none has it.
int32_t searchTableIndex(const SecurityRow* table, const pdk::View* control);

// The localised string for `key` of the bundle registered as `identifier`;
// none when there is no such bundle.
std::optional<std::string> localizedString(const std::string& identifier, const std::string& key);
// Give every control its titles and items.
void initializeUI(ppd_file_s* ppd, SecurityRow* table, const std::string& bundleIdentifier);
void initializePopup(ppd_file_s* ppd, SecurityRow* row);
void initializeCheckBox(SecurityRow* row, const std::string& bundleIdentifier);
void initializeRadioButton(SecurityRow* row, const std::string& bundleIdentifier);
void initializeStaticText(SecurityRow* row, const std::string& bundleIdentifier);
void initializeEditText(SecurityRow* row);

// Enable every control of the control data table and every pop-up item.
void mEnableALL(securityframework::PDEControlDataTbl* table);

SECURITYPANE_NAMESPACE_END
