#include "securitypane/zn_text_field.h"

#include "pdk/text.h"
#include "securitypane/credential_codec.h"
#include "securitypane/east_asian_width.h"
#include "securitypane/edit_info_table.h"

SECURITYPANE_NAMESPACE_BEGIN

namespace {

int units(const std::string& text) { return static_cast<int>(pdk::utf16Length(text)); }

std::string composed(const std::string& text) { return stringConvertNormalize(text).value_or(text); }

}  // namespace

void ZNEditField::beginEdit(const pdk::TextField& field, pdk::FieldEditor* editor) {
  oldValue = field.stringValue();
  textObj = editor;
}

void ZNEditField::enforceLimits(pdk::TextField& field, pdk::FieldEditor* editor) {
  const std::string s = composed(field.stringValue());
  const int32_t width = CFStringGetEastAsianWidth(s);
  const int start = editor ? editor->selectedRange().location : 0;
  // Too wide, or too long to be stored: the whole change is undone. A stored
  // text that was already too wide may still be shortened.
  const std::string old = composed(oldValue);
  const bool tooWide = width > maxLen && width > CFStringGetEastAsianWidth(old);
  const bool tooLong = s.size() > kMaxCredentialBytes && s.size() > old.size();
  if (tooWide || tooLong) {
    field.setStringValue(oldValue);
    if (editor) editor->setSelectedRange(pdk::TextRange{start + units(oldValue) - units(s), 0});
    return;
  }
  if (width > 0) {
    const std::u16string typed = pdk::utf16FromUtf8(s);
    const std::string key = ctrlTable && ctrlTable->key ? ctrlTable->key : "";
    const std::u16string kept =
        CheckUniCharString(typed.data(), static_cast<int32_t>(typed.size()), key).value_or(std::u16string());
    // Set even when nothing was dropped, so the field shows the composed form.
    field.setStringValue(pdk::utf8FromUtf16(kept));
    if (editor) {
      editor->setSelectedRange(
          pdk::TextRange{start + static_cast<int>(kept.size()) - static_cast<int>(typed.size()), 0});
    }
  }
  oldValue = field.stringValue();
  if (ctrlTable) ctrlTable->value = oldValue;
}

bool ZNTextField::textShouldBeginEditing(pdk::FieldEditor* editor) {
  beginEdit(*this, editor);
  return TextField::textShouldBeginEditing(editor);
}

void ZNTextField::textDidChange(pdk::FieldEditor* editor) {
  enforceLimits(*this, editor);
  TextField::textDidChange(editor);
}

bool ZNTextField::textShouldEndEditing(pdk::FieldEditor* editor) {
  setStringValue(oldValue);
  if (ctrlTable) ctrlTable->value = oldValue;
  return TextField::textShouldEndEditing(editor);
}

bool ZNSecureTextField::textShouldBeginEditing(pdk::FieldEditor* editor) {
  beginEdit(*this, editor);
  return SecureTextField::textShouldBeginEditing(editor);
}

void ZNSecureTextField::textDidChange(pdk::FieldEditor* editor) {
  enforceLimits(*this, editor);
  SecureTextField::textDidChange(editor);
}

std::optional<std::string> stringConvertNormalize(const std::string& text) {
  if (!pdk::isValidUtf8(text)) return std::nullopt;
  return pdk::normalizeNFC(text);
}

void ZNTextFieldSetup(SecurityRow* table) {
  for (SecurityRow* row = table; row && row->kind != kSecurityKindEnd; ++row) {
    if (row->kind != kSecurityKindEditText || !row->key) continue;
    if (auto* field = dynamic_cast<ZNEditField*>(row->control)) {
      field->setTable(row);
      field->setMaxLength(static_cast<int16_t>(GetEditTextMaxLength(row->key)));
    }
  }
}

void ZNTextFieldClassCheck(SecurityRow* table) {
  for (SecurityRow* row = table; row && row->kind != kSecurityKindEnd; ++row) {
    if (row->key && IsEditTextPassword(row->key) && row->control &&
        !dynamic_cast<pdk::SecureTextField*>(row->control)) {
      row->control->setHidden(true);
    }
  }
}

bool IsEmptyEditText(const pdk::TextField* field) { return !field || field->stringValue().empty(); }

int32_t GetLengthEditText(const pdk::TextField* field) {
  return field ? static_cast<int32_t>(pdk::utf16Length(field->stringValue())) : 0;
}

bool IsZeroEditText(const pdk::TextField* field) { return !field || field->intValue() == 0; }

SECURITYPANE_NAMESPACE_END
