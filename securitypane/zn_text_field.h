// The security panel's edit fields: ZNTextField for names and
// ZNSecureTextField for passwords. While the user types, each keeps its text
// in Unicode form C, refuses a change that makes the text wider than its
// limit (putting the text and caret back), drops the characters its row's
// key does not take, and hands every accepted text to its security row at
// once. Main thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "pdk/toolkit.h"
#include "securitypane/namespace.h"
#include "securitypane/security_row.h"

SECURITYPANE_NAMESPACE_BEGIN

// What both field classes keep and how they treat an edit.
class ZNEditField {
 public:
  virtual ~ZNEditField() = default;
  void setTable(SecurityRow* row) { ctrlTable = row; }
  void setMaxLength(int16_t length) { maxLen = length; }
  // The text the field counts as last accepted (after a program set it).
  void setOldValue(const std::string& text) { oldValue = text; }

  SecurityRow* ctrlTable = nullptr;  // not owned
  int16_t maxLen = 0;                // display cells
  std::string oldValue;              // the last accepted text
  pdk::FieldEditor* textObj = nullptr;

 protected:
  // An edit begins: remember the text it starts from.
  void beginEdit(const pdk::TextField& field, pdk::FieldEditor* editor);
  // The text changed: compose, check the width, filter, record.
  void enforceLimits(pdk::TextField& field, pdk::FieldEditor* editor);
};

class ZNTextField : public pdk::TextField, public ZNEditField {
 public:
  ZNTextField() : TextField(true) {}
  const char* className() const override { return "ZNTextField"; }
  bool textShouldBeginEditing(pdk::FieldEditor* editor) override;
  void textDidChange(pdk::FieldEditor* editor) override;
  // Leaving the field shows and records the last accepted text.
  bool textShouldEndEditing(pdk::FieldEditor* editor) override;
};

class ZNSecureTextField : public pdk::SecureTextField, public ZNEditField {
 public:
  const char* className() const override { return "ZNSecureTextField"; }
  bool textShouldBeginEditing(pdk::FieldEditor* editor) override;
  void textDidChange(pdk::FieldEditor* editor) override;
};

// The text in Unicode normalisation form C; none when it is not UTF-8.
std::optional<std::string> stringConvertNormalize(const std::string& text);

// Bind every edit field of `table` to its row, with its key's maximum width.
void ZNTextFieldSetup(SecurityRow* table);
// Hide every password row's control that is not a secure field, so that no
// password is ever shown in clear.
void ZNTextFieldClassCheck(SecurityRow* table);
// Whether a field's text is empty; its length in UTF-16 units; whether its
// integer value is 0.
bool IsEmptyEditText(const pdk::TextField* field);
int32_t GetLengthEditText(const pdk::TextField* field);
bool IsZeroEditText(const pdk::TextField* field);

SECURITYPANE_NAMESPACE_END
