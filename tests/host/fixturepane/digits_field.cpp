#include "pdk/text.h"
#include "fixture_pane.h"

namespace fixturepane {

bool DigitsField::textShouldBeginEditing(pdk::FieldEditor* editor) {
  oldValue_ = stringValue();
  return TextField::textShouldBeginEditing(editor);
}

void DigitsField::textDidChange(pdk::FieldEditor* editor) {
  std::string s = stringValue();
  int length = static_cast<int>(pdk::utf16Length(s));
  int caret = editor->selectedRange().location;
  std::string kept = s;
  if (length > 4) {
    kept = oldValue_;  // too long: the whole change is undone
  } else {
    kept.clear();
    for (char c : s)
      if (c >= '0' && c <= '9') kept += c;
  }
  setStringValue(kept);
  editor->setSelectedRange(pdk::TextRange{caret + static_cast<int>(pdk::utf16Length(kept)) - length, 0});
  oldValue_ = kept;
}

}  // namespace fixturepane
