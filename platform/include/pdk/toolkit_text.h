// Text fields and their field editor. A user edits a field through its field
// editor: the edit begins (textShouldBeginEditing), every keystroke or paste
// replaces the selection and calls textDidChange, backspace deletes, and the
// edit ends (textShouldEndEditing). A subclass overrides these hooks, or a
// delegate answers them, to refuse or rewrite an edit and put the caret back.
// A program's setStringValue calls no hook. Text is UTF-8; ranges and
// lengths are in UTF-16 units. Main thread only.
#pragma once

#include <memory>
#include <string>

#include "pdk/toolkit_view.h"

namespace pdk {

// Colour of a text field's text: live labels are black, dead ones gray.
enum class TextColor { Black, Gray };
// "black" or "gray".
const char* textColorName(TextColor color);
// The colour named `name`; false for a name that is neither.
bool textColorFromName(const std::string& name, TextColor* color);

// A range of text in UTF-16 units.
struct TextRange {
  int location = 0;
  int length = 0;
  bool operator==(const TextRange&) const = default;
};

class TextField;

// The text object of a field's edit (its field editor): the text and
// selection being edited, and the user's keystrokes. Live while its field is
// being edited.
class FieldEditor : public Object {
 public:
  explicit FieldEditor(TextField* field) : field_(field) {}
  const char* className() const override { return "NSTextView"; }

  // The field being edited.
  TextField* field() const { return field_; }
  // The text being edited (the field's text).
  const std::string& string() const;
  TextRange selectedRange() const;
  // Select `range`, clamped to the text; a program's call, no hook.
  void setSelectedRange(TextRange range);
  void selectAll();

  // The user types or pastes `text`: it replaces the selection, the caret
  // goes after it, then the field's textDidChange.
  void insertText(const std::string& text);
  // The user presses backspace: the selection, or else the character before
  // the caret (a surrogate pair as a whole), is deleted, then textDidChange.
  // Nothing happens at the start of the text. False when nothing changed.
  bool deleteBackward();

 private:
  TextField* field_;
};

// Answers a text field's editing questions for a controller that does not
// subclass the field. Every answer defaults to yes.
class TextFieldDelegate {
 public:
  virtual ~TextFieldDelegate() = default;
  virtual bool controlTextShouldBeginEditing(TextField* control, FieldEditor* editor) {
    (void)control;
    (void)editor;
    return true;
  }
  virtual void controlTextDidBeginEditing(TextField* control) { (void)control; }
  virtual void controlTextDidChange(TextField* control) { (void)control; }
  virtual bool controlTextShouldEndEditing(TextField* control, FieldEditor* editor) {
    (void)control;
    (void)editor;
    return true;
  }
  virtual void controlTextDidEndEditing(TextField* control) { (void)control; }
};

// A text field; static texts are text fields that are not editable.
class TextField : public Control {
 public:
  explicit TextField(bool editable = false) : editable_(editable) {}
  const char* className() const override { return "NSTextField"; }
  const char* kind() const override { return editable_ ? "textfield" : "statictext"; }

  // Set the text as a program does: no editing hook is called; the
  // selection is kept, clamped to the new text.
  void setStringValue(const std::string& s);
  const std::string& stringValue() const { return text_; }
  // The integer at the start of the text (leading blanks and a sign
  // allowed), 0 when there is none.
  int intValue() const override;
  // Set the text to the number, as a program does.
  void setIntValue(int v) override { setStringValue(std::to_string(v)); }
  void setEditable(bool e);
  bool isEditable() const { return editable_; }
  void setTextColor(TextColor c);
  TextColor textColor() const { return textColor_; }
  // Whether the text is a secret never shown or reported in clear.
  virtual bool isSecure() const { return false; }

  // The selection in UTF-16 units; kept between edits.
  TextRange selectedRange() const { return selection_; }
  // The field editor while the field is being edited, else null.
  FieldEditor* currentEditor() const { return editing_ ? editor_.get() : nullptr; }
  bool isEditing() const { return editing_; }

  // The user starts editing the field (clicks into it): the caret goes to
  // the end of the text. False when the field is not editable, is disabled,
  // or textShouldBeginEditing refuses; true when already editing.
  bool beginEditing();
  // The user leaves the field: textShouldEndEditing may refuse (false, the
  // edit goes on); else textDidEndEditing, which sends the action.
  bool endEditing();
  // End the edit without asking or telling anyone; the text stays as it is.
  // False when the field was not being edited.
  bool abortEditing();

  // Editing hooks, called by the field editor as the user edits. The base
  // versions ask or tell the delegate.
  virtual bool textShouldBeginEditing(FieldEditor* editor);
  virtual void textDidBeginEditing(FieldEditor* editor);
  virtual void textDidChange(FieldEditor* editor);
  virtual bool textShouldEndEditing(FieldEditor* editor);
  virtual void textDidEndEditing(FieldEditor* editor);

  // Answers the editing questions when no subclass does; not owned.
  TextFieldDelegate* delegate = nullptr;

 private:
  friend class FieldEditor;
  void setSelection(TextRange range);
  // Replace `range` (UTF-16 units) with `text`; the caret goes after it.
  void replaceRange(TextRange range, const std::string& text);

  bool editable_;
  bool editing_ = false;
  std::string text_;
  TextRange selection_;
  TextColor textColor_ = TextColor::Black;
  std::shared_ptr<FieldEditor> editor_;
};

// A text field for secrets: edited like any field, but its text is never
// shown or reported in clear; reports carry its length and a mask.
class SecureTextField : public TextField {
 public:
  SecureTextField() : TextField(true) {}
  const char* className() const override { return "NSSecureTextField"; }
  bool isSecure() const override { return true; }
  // One "•" per character of the text.
  std::string maskedString() const;
};

}  // namespace pdk
