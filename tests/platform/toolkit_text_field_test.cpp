// Text fields edited through their field editor the way a user edits them:
// the begin/change/end hooks, a subclass that refuses or rewrites an edit,
// UTF-16 ranges, secure fields and text colours.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pdk/text.h"
#include "pdk/toolkit.h"

namespace {

using pdk::FieldEditor;
using pdk::TextField;
using pdk::TextRange;

// A field that admits at most `maxUnits` UTF-16 units and drops digits, the
// way the panes' own fields filter input: a refused edit restores the last
// accepted text and puts the caret back where it stood before the edit.
class LimitedField : public TextField {
 public:
  explicit LimitedField(int maxUnits) : TextField(true), maxUnits_(maxUnits) {}

  bool textShouldBeginEditing(FieldEditor* editor) override {
    oldValue = stringValue();
    textObj = editor;
    return TextField::textShouldBeginEditing(editor);
  }
  void textDidChange(FieldEditor* editor) override {
    ++changes;
    std::string s = stringValue();
    int length = static_cast<int>(pdk::utf16Length(s));
    int caret = editor->selectedRange().location;
    if (length > maxUnits_) {
      setStringValue(oldValue);
      editor->setSelectedRange(TextRange{caret + static_cast<int>(pdk::utf16Length(oldValue)) - length, 0});
      return;
    }
    std::string kept;
    for (char c : s)
      if (c < '0' || c > '9') kept += c;
    setStringValue(kept);
    editor->setSelectedRange(TextRange{caret + static_cast<int>(pdk::utf16Length(kept)) - length, 0});
    oldValue = kept;
  }
  bool textShouldEndEditing(FieldEditor* editor) override {
    ++endQuestions;
    return refuseEnd ? false : TextField::textShouldEndEditing(editor);
  }

  std::string oldValue;
  FieldEditor* textObj = nullptr;
  int changes = 0;
  int endQuestions = 0;
  bool refuseEnd = false;

 private:
  int maxUnits_;
};

void typeKeys(TextField& field, const std::vector<std::string>& keys) {
  for (auto& key : keys) field.currentEditor()->insertText(key);
}

TEST(TextField, TypingGoesThroughTheFieldEditorAndItsHooks) {
  LimitedField field(5);
  field.setStringValue("ab");
  EXPECT_EQ(field.changes, 0);  // a program's change calls no hook
  EXPECT_EQ(field.currentEditor(), nullptr);

  ASSERT_TRUE(field.beginEditing());
  ASSERT_NE(field.currentEditor(), nullptr);
  EXPECT_EQ(field.textObj, field.currentEditor());
  EXPECT_EQ(field.selectedRange(), (TextRange{2, 0}));  // caret at the end

  // Each keystroke is one change; a digit is dropped and the caret stays
  // where the user expects it.
  typeKeys(field, {"c", "1", "d"});
  EXPECT_EQ(field.changes, 3);
  EXPECT_EQ(field.stringValue(), "abcd");
  EXPECT_EQ(field.selectedRange(), (TextRange{4, 0}));

  // Typed in the middle, a key that makes the text too long is refused and
  // the caret returns to where it was.
  field.currentEditor()->setSelectedRange(TextRange{1, 0});
  typeKeys(field, {"x", "y"});
  EXPECT_EQ(field.stringValue(), "axbcd");
  EXPECT_EQ(field.selectedRange(), (TextRange{2, 0}));

  ASSERT_TRUE(field.endEditing());
  EXPECT_EQ(field.endQuestions, 1);
  EXPECT_FALSE(field.isEditing());
  EXPECT_EQ(field.currentEditor(), nullptr);
}

TEST(TextField, APasteIsOneChangeAndReplacesTheSelection) {
  LimitedField field(10);
  field.setStringValue("hello");
  ASSERT_TRUE(field.beginEditing());
  field.currentEditor()->setSelectedRange(TextRange{1, 3});  // "ell"
  field.currentEditor()->insertText("EY2");
  EXPECT_EQ(field.changes, 1);
  EXPECT_EQ(field.stringValue(), "hEYo");
  EXPECT_EQ(field.selectedRange(), (TextRange{3, 0}));

  // A paste that would be too long leaves the field as it was.
  field.currentEditor()->insertText("0123456789abc");
  EXPECT_EQ(field.stringValue(), "hEYo");
  EXPECT_EQ(field.selectedRange(), (TextRange{3, 0}));
}

TEST(TextField, RangesAreUtf16UnitsAndBackspaceDeletesWholeCharacters) {
  TextField field(true);
  field.setStringValue("a\U0001F600\u00e9b");  // a, an emoji (2 units), e acute, b
  ASSERT_TRUE(field.beginEditing());
  FieldEditor& editor = *field.currentEditor();
  EXPECT_EQ(field.selectedRange(), (TextRange{5, 0}));

  struct Step {
    TextRange caret;
    std::string after;
    TextRange selection;
  } steps[] = {
      {{5, 0}, "a\U0001F600\u00e9", {4, 0}},  // b
      {{3, 0}, "a\u00e9", {1, 0}},            // the emoji, both of its units
      {{1, 1}, "a", {1, 0}},                  // a selection goes as a whole
  };
  for (const Step& s : steps) {
    editor.setSelectedRange(s.caret);
    EXPECT_TRUE(editor.deleteBackward());
    EXPECT_EQ(field.stringValue(), s.after);
    EXPECT_EQ(field.selectedRange(), s.selection);
  }
  // Backspace at the start of the text does nothing.
  editor.setSelectedRange(TextRange{0, 0});
  EXPECT_FALSE(editor.deleteBackward());
  EXPECT_EQ(field.stringValue(), "a");

  // Inserting inside the emoji's pair keeps the pair whole.
  field.setStringValue("\U0001F600");
  editor.setSelectedRange(TextRange{1, 0});
  editor.insertText("x");
  EXPECT_EQ(field.stringValue(), "\U0001F600x");
  EXPECT_EQ(field.selectedRange(), (TextRange{3, 0}));
}

TEST(TextField, SelectionsAreClampedToTheText) {
  TextField field(true);
  field.setStringValue("abcdef");
  ASSERT_TRUE(field.beginEditing());
  const std::pair<TextRange, TextRange> cases[] = {
      {{-3, 2}, {0, 2}}, {{4, 10}, {4, 2}}, {{9, 1}, {6, 0}}, {{2, -1}, {2, 0}},
  };
  for (auto& [asked, got] : cases) {
    field.currentEditor()->setSelectedRange(asked);
    EXPECT_EQ(field.selectedRange(), got) << asked.location << "," << asked.length;
  }
  // A program's shorter text keeps the selection inside it.
  field.currentEditor()->setSelectedRange(TextRange{3, 3});
  field.setStringValue("ab");
  EXPECT_EQ(field.selectedRange(), (TextRange{2, 0}));
  field.currentEditor()->selectAll();
  EXPECT_EQ(field.selectedRange(), (TextRange{0, 2}));
}

TEST(TextField, WhoMayEdit) {
  TextField label;  // static text
  EXPECT_FALSE(label.beginEditing());
  TextField field(true);
  field.setEnabled(false);
  EXPECT_FALSE(field.beginEditing());
  field.setEnabled(true);
  EXPECT_TRUE(field.beginEditing());
  EXPECT_TRUE(field.beginEditing());  // already editing

  // abortEditing ends without asking anyone and keeps the text.
  LimitedField limited(5);
  ASSERT_TRUE(limited.beginEditing());
  limited.currentEditor()->insertText("ab");
  EXPECT_TRUE(limited.abortEditing());
  EXPECT_EQ(limited.endQuestions, 0);
  EXPECT_EQ(limited.stringValue(), "ab");
  EXPECT_FALSE(limited.abortEditing());
}

TEST(TextField, ARefusedEndKeepsTheEditGoingAndAnEndSendsTheAction) {
  LimitedField field(5);
  int actions = 0;
  field.setAction([&](pdk::Control*) { ++actions; });
  ASSERT_TRUE(field.beginEditing());
  field.refuseEnd = true;
  EXPECT_FALSE(field.endEditing());
  EXPECT_TRUE(field.isEditing());
  EXPECT_EQ(actions, 0);
  field.refuseEnd = false;
  EXPECT_TRUE(field.endEditing());
  EXPECT_EQ(actions, 1);
}

// A controller that answers for a plain field.
struct Delegate : pdk::TextFieldDelegate {
  bool controlTextShouldBeginEditing(TextField*, FieldEditor*) override { return allowBegin; }
  void controlTextDidChange(TextField* field) override { texts.push_back(field->stringValue()); }
  bool controlTextShouldEndEditing(TextField*, FieldEditor*) override { return allowEnd; }
  void controlTextDidEndEditing(TextField*) override { ++ended; }
  bool allowBegin = true, allowEnd = true;
  std::vector<std::string> texts;
  int ended = 0;
};

TEST(TextField, TheDelegateAnswersWhenNoSubclassDoes) {
  TextField field(true);
  Delegate delegate;
  field.delegate = &delegate;
  delegate.allowBegin = false;
  EXPECT_FALSE(field.beginEditing());
  delegate.allowBegin = true;
  ASSERT_TRUE(field.beginEditing());
  typeKeys(field, {"o", "k"});
  EXPECT_EQ(delegate.texts, (std::vector<std::string>{"o", "ok"}));
  delegate.allowEnd = false;
  EXPECT_FALSE(field.endEditing());
  delegate.allowEnd = true;
  EXPECT_TRUE(field.endEditing());
  EXPECT_EQ(delegate.ended, 1);
}

TEST(TextField, EveryEditIsObserved) {
  TextField field(true);
  std::vector<std::string> seen;
  field.onChange = [&](pdk::View* v) { seen.push_back(static_cast<TextField*>(v)->stringValue()); };
  ASSERT_TRUE(field.beginEditing());
  field.currentEditor()->insertText("a");
  field.currentEditor()->deleteBackward();
  field.endEditing();
  // Editing began, "a" typed, deleted, editing ended.
  EXPECT_EQ(seen, (std::vector<std::string>{"", "a", "", ""}));
}

TEST(SecureTextField, MasksOneBulletPerCharacter) {
  pdk::SecureTextField field;
  EXPECT_TRUE(field.isSecure());
  EXPECT_TRUE(field.isEditable());
  EXPECT_STREQ(field.className(), "NSSecureTextField");
  ASSERT_TRUE(field.beginEditing());
  field.currentEditor()->insertText("p\u00e9\U0001F600");
  EXPECT_EQ(field.stringValue(), "p\u00e9\U0001F600");  // the pane reads it in clear
  EXPECT_EQ(field.maskedString(), "\u2022\u2022\u2022");
  EXPECT_EQ(field.selectedRange(), (TextRange{4, 0}));
}

TEST(TextField, ColoursAndIntegerValue) {
  TextField label;
  EXPECT_EQ(label.textColor(), pdk::TextColor::Black);
  pdk::TextColor color = pdk::TextColor::Black;
  ASSERT_TRUE(pdk::textColorFromName("gray", &color));
  label.setTextColor(color);
  EXPECT_STREQ(pdk::textColorName(label.textColor()), "gray");
  EXPECT_FALSE(pdk::textColorFromName("grey", &color));
  EXPECT_FALSE(pdk::textColorFromName("controlTextColor", &color));

  const std::pair<const char*, int> numbers[] = {{"42", 42}, {"  -7x", -7}, {"x1", 0}, {"", 0}};
  for (auto& [text, value] : numbers) {
    label.setStringValue(text);
    EXPECT_EQ(label.intValue(), value) << text;
  }
}

}  // namespace
