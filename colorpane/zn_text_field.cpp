#include "colorpane/zn_text_field.h"

#include "colorpane/input_key_filter.h"
#include "pdk/text.h"

COLORPANE_NAMESPACE_BEGIN

namespace {

int32_t unitsOf(const std::string& utf8) { return static_cast<int32_t>(pdk::utf16Length(utf8)); }

// Whether the text can stand as a name: non-empty and not beginning with a dot.
bool isUsable(const std::string& text) { return !text.empty() && text[0] != '.'; }

}  // namespace

void ZNTextField::setMaxLength(int32_t maxLength, int32_t extension) {
  maxLen = maxLength;
  maxExtension = extension;
}

bool ZNTextField::textShouldBeginEditing(pdk::FieldEditor* editor) {
  oldValue = stringValue();
  textObj = editor;
  return TextField::textShouldBeginEditing(editor);
}

bool ZNTextField::textShouldEndEditing(pdk::FieldEditor* editor) { return TextField::textShouldEndEditing(editor); }

void ZNTextField::refuse(pdk::FieldEditor* editor, int32_t units) {
  const int32_t caret = editor ? editor->selectedRange().location : 0;
  setStringValue(oldValue);
  // The caret goes back by what the edit inserted (clamped to the text).
  if (editor) editor->setSelectedRange(pdk::TextRange{caret + unitsOf(oldValue) - units, 0});
}

void ZNTextField::textDidChange(pdk::FieldEditor* editor) {
  if (editor) textObj = editor;
  const std::u16string text = pdk::utf16FromUtf8(stringValue());
  const int32_t length = static_cast<int32_t>(text.size());
  const size_t dot = text.find(u'.');
  const bool hasDot = dot != std::u16string::npos;
  const int32_t dotAt = hasDot ? static_cast<int32_t>(dot) : -1;

  // Without a dot, room is kept for the dot and the extension.
  const int32_t limit = maxExtension > 0 && !hasDot ? maxLen - maxExtension - 1 : maxLen;
  bool refused = length > limit;
  if (!refused && maxExtension > 0 && hasDot) {
    refused = dotAt > maxLen - maxExtension - 1                       // the name is too long
              || length - dotAt > maxExtension + 1                    // the extension is too long
              || (length >= 2 && text.find(u'.', dot + 1) != std::u16string::npos);  // a second dot
  }

  if (refused) {
    refuse(editor, length);
  } else {
    std::u16string kept = text;
    if (length > 0) {
      CheckUniCharString(text.data(), length, inputkey, &kept);
      // The caret keeps its place among the characters that stay.
      const int32_t caret = editor ? editor->selectedRange().location : length;
      std::u16string before = text.substr(0, static_cast<size_t>(std::min(caret, length)));
      CheckUniCharString(text.data(), static_cast<int32_t>(before.size()), inputkey, &before);
      setStringValue(pdk::utf8FromUtf16(kept));
      if (editor) editor->setSelectedRange(pdk::TextRange{static_cast<int>(before.size()), 0});
    }
    oldValue = stringValue();
  }
  updateOperateControl();
}

void ZNTextField::updateOperateControl() {
  const std::shared_ptr<pdk::Control> control = operateOutlet.lock();
  if (!control) return;
  const bool enable = isUsable(stringValue());
  if (control->isEnabled() != enable) control->setEnabled(enable);
}

COLORPANE_NAMESPACE_END
