#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "pdk/text.h"
#include "pdk/toolkit.h"

namespace pdk {

namespace {

int unitsOf(const std::string& utf8) { return static_cast<int>(utf16Length(utf8)); }

// UTF-16 units of the last character of `utf8` (2 for a character outside
// the basic plane, which takes four UTF-8 bytes).
int unitsOfLastCharacter(const std::string& utf8) {
  size_t start = utf8.size();
  while (start > 0 && (static_cast<unsigned char>(utf8[start - 1]) & 0xC0) == 0x80) --start;
  if (start == 0) return utf8.empty() ? 0 : 1;  // only continuation bytes: a stray byte
  return unitsOf(utf8.substr(start - 1));
}

}  // namespace

const char* textColorName(TextColor color) { return color == TextColor::Gray ? "gray" : "black"; }

bool textColorFromName(const std::string& name, TextColor* color) {
  if (name == "black") *color = TextColor::Black;
  else if (name == "gray") *color = TextColor::Gray;
  else return false;
  return true;
}

const std::string& FieldEditor::string() const { return field_->stringValue(); }

TextRange FieldEditor::selectedRange() const { return field_->selectedRange(); }

void FieldEditor::setSelectedRange(TextRange range) { field_->setSelection(range); }

void FieldEditor::selectAll() { field_->setSelection(TextRange{0, unitsOf(field_->stringValue())}); }

void FieldEditor::insertText(const std::string& text) {
  field_->replaceRange(field_->selectedRange(), text);
  field_->textDidChange(this);
}

bool FieldEditor::deleteBackward() {
  TextRange range = field_->selectedRange();
  if (range.length == 0) {
    if (range.location == 0) return false;
    int back = unitsOfLastCharacter(utf16Substring(field_->stringValue(), 0, static_cast<size_t>(range.location)));
    range = TextRange{range.location - back, back};
  }
  field_->replaceRange(range, "");
  field_->textDidChange(this);
  return true;
}

void TextField::setStringValue(const std::string& s) {
  text_ = s;
  setSelection(selection_);
  changed();
}

int TextField::intValue() const { return static_cast<int>(std::strtol(text_.c_str(), nullptr, 10)); }

void TextField::setEditable(bool e) {
  editable_ = e;
  changed();
}

void TextField::setTextColor(TextColor c) {
  textColor_ = c;
  changed();
}

void TextField::setSelection(TextRange range) {
  int end = unitsOf(text_);
  int location = std::clamp(range.location, 0, end);
  int length = std::clamp(range.length, 0, end - location);
  if (selection_ == TextRange{location, length}) return;
  selection_ = TextRange{location, length};
  changed();
}

void TextField::replaceRange(TextRange range, const std::string& text) {
  int end = unitsOf(text_);
  int location = std::clamp(range.location, 0, end);
  int stop = std::clamp(location + std::max(range.length, 0), location, end);
  // Cut by UTF-16 units; a cut inside a surrogate pair keeps the pair whole
  // on the side it starts, so the two halves never part.
  std::string before = utf16Substring(text_, 0, static_cast<size_t>(location));
  std::string after = utf16Substring(text_, static_cast<size_t>(stop), SIZE_MAX);
  text_ = before + text + after;
  selection_ = TextRange{unitsOf(before) + unitsOf(text), 0};
  changed();
}

bool TextField::beginEditing() {
  if (editing_) return true;
  if (!editable_ || !isEnabled()) return false;
  if (!editor_) editor_ = std::make_shared<FieldEditor>(this);
  if (!textShouldBeginEditing(editor_.get())) return false;
  editing_ = true;
  selection_ = TextRange{unitsOf(text_), 0};
  changed();
  textDidBeginEditing(editor_.get());
  return true;
}

bool TextField::endEditing() {
  if (!editing_) return true;
  if (!textShouldEndEditing(editor_.get())) return false;
  editing_ = false;
  changed();
  textDidEndEditing(editor_.get());
  return true;
}

bool TextField::abortEditing() {
  if (!editing_) return false;
  editing_ = false;
  changed();
  return true;
}

bool TextField::textShouldBeginEditing(FieldEditor* editor) {
  return !delegate || delegate->controlTextShouldBeginEditing(this, editor);
}

void TextField::textDidBeginEditing(FieldEditor*) {
  if (delegate) delegate->controlTextDidBeginEditing(this);
}

void TextField::textDidChange(FieldEditor*) {
  if (delegate) delegate->controlTextDidChange(this);
}

bool TextField::textShouldEndEditing(FieldEditor* editor) {
  return !delegate || delegate->controlTextShouldEndEditing(this, editor);
}

void TextField::textDidEndEditing(FieldEditor*) {
  if (delegate) delegate->controlTextDidEndEditing(this);
  sendAction();
}

std::string SecureTextField::maskedString() const {
  std::string mask;
  // One bullet per character: count the bytes that start one.
  for (unsigned char c : stringValue())
    if ((c & 0xC0) != 0x80) mask += "\u2022";
  return mask;
}

}  // namespace pdk
