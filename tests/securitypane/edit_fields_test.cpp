// The security panel's edit fields as a user types, pastes and deletes:
// width limits counted in display cells, composed form, the per-field
// character filters, characters outside the basic plane kept or dropped
// whole, and refused changes that leave the text and caret as they were.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "pdk/text.h"
#include "securitypane/east_asian_width.h"
#include "securitypane/edit_info_table.h"
#include "securitypane/zn_text_field.h"

namespace {

using namespace securitypane;

// One UTF-8 character per keystroke.
std::vector<std::string> keystrokes(const std::string& text) {
  std::vector<std::string> keys;
  for (unsigned char c : text) {
    if ((c & 0xC0) != 0x80 || keys.empty()) keys.emplace_back();
    keys.back() += static_cast<char>(c);
  }
  return keys;
}

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

// A field bound to its security row by ZNTextFieldSetup, as the panel binds it.
struct BoundField {
  explicit BoundField(const char* key) {
    if (IsEditTextPassword(key)) field = std::make_shared<ZNSecureTextField>();
    else field = std::make_shared<ZNTextField>();
    rows[0].control = field.get();
    rows[0].kind = kSecurityKindEditText;
    rows[0].key = key;
    rows[0].value = std::string();
    ZNTextFieldSetup(rows);
  }
  ZNEditField* edit() { return dynamic_cast<ZNEditField*>(field.get()); }

  // Click into the field, type each character, stay in the field.
  void type(const std::string& text) {
    field->beginEditing();
    for (const std::string& key : keystrokes(text)) field->currentEditor()->insertText(key);
  }
  void paste(const std::string& text) {
    field->beginEditing();
    field->currentEditor()->insertText(text);
  }

  std::shared_ptr<pdk::TextField> field;
  SecurityRow rows[2];  // the field's row and the end row
  SecurityRow& row = rows[0];
};

struct TypingCase {
  const char* story;
  const char* key;
  std::string typed;
  std::string shown;  // the field's text and its row's value afterwards
};

const TypingCase kTypingCases[] = {
    {"secure password: eight characters fit", kSecureKey, "abcd1234", "abcd1234"},
    {"secure password: the ninth is refused", kSecureKey, "abcd12345", "abcd1234"},
    {"secure password: a space is taken", kSecureKey, "ab cd", "ab cd"},
    {"secure password: quotation mark and plus are dropped", kSecureKey, "a\"b+c", "abc"},
    {"secure password: non-ASCII is dropped", kSecureKey, "p\u00e4ss", "pss"},
    {"user name: 64 letters fit", kUserNameKey, repeat("a", 64), repeat("a", 64)},
    {"user name: a 65th letter is refused", kUserNameKey, repeat("a", 65), repeat("a", 64)},
    {"user name: 32 ideographs fit", kUserNameKey, repeat("\u4e00", 32), repeat("\u4e00", 32)},
    {"user name: a 33rd ideograph is refused", kUserNameKey, repeat("\u4e00", 33), repeat("\u4e00", 32)},
    {"user name: a letter and an ideograph count 1 and 2", kUserNameKey, repeat("a\u4e00", 21) + "a\u4e00",
     repeat("a\u4e00", 21) + "a"},
    {"user name: the yen signs are dropped", kUserNameKey, "a\u00a5b\uffe5c", "abc"},
    {"user name: controls and DEL are dropped", kUserNameKey, std::string("a\x01", 2) + "\tb\x7f" + "c", "abc"},
    {"user name: e and a combining acute become one character", kUserNameKey, "Rene\u0301", "Ren\u00e9"},
    {"user name: an emoji is kept whole", kUserNameKey, "a\U0001F600b", "a\U0001F600b"},
    {"user name: a quotation mark and a plus are names' characters", kUserNameKey, "O\"Brien+1", "O\"Brien+1"},
    {"section name: eight printable characters fit", kSectionNameKey, "Sales-01", "Sales-01"},
    {"section name: the ninth is refused", kSectionNameKey, "Sales-012", "Sales-01"},
    {"section name: space and quotation mark are dropped", kSectionNameKey, "a b\"c", "abc"},
    {"section name: non-ASCII and emoji are dropped whole", kSectionNameKey, "a\u00e9\U0001F600b", "ab"},
    {"user password: plus is refused, since a stored password ends at it", kUserKey, "ab+cd", "abcd"},
    {"section password: plus and space are refused", kSectionKey, "a+b c", "abc"},
    {"user password: an emoji is dropped whole", kUserKey, "x\U0001F600y", "xy"},
};

TEST(EditFieldTyping, EachFieldTakesWhatItsKeyAllows) {
  for (const TypingCase& c : kTypingCases) {
    SCOPED_TRACE(c.story);
    BoundField f(c.key);
    f.type(c.typed);
    EXPECT_EQ(f.field->stringValue(), c.shown);
    EXPECT_EQ(f.row.value, c.shown);
    // The caret ends after the last accepted character.
    EXPECT_EQ(f.field->selectedRange(), (pdk::TextRange{static_cast<int>(pdk::utf16Length(c.shown)), 0}));
  }
}

TEST(EditFieldTyping, AWideChangeIsRefusedBeforeItsCharactersAreFiltered) {
  // Eight cells used: a yen sign would be dropped anyway, but it is first
  // measured and refused, so nothing changes.
  BoundField f(kSectionNameKey);
  f.type("abcdefgh");
  f.type("\"");
  EXPECT_EQ(f.field->stringValue(), "abcdefgh");
}

TEST(EditFieldTyping, ARefusedPasteLeavesTextAndCaretAsTheyWere) {
  BoundField f(kUserNameKey);
  f.type(repeat("x", 60));
  // The caret goes between the 30th and 31st character, then a paste of
  // five letters would make 65 cells.
  f.field->currentEditor()->setSelectedRange(pdk::TextRange{30, 0});
  f.field->currentEditor()->insertText("hello");
  EXPECT_EQ(f.field->stringValue(), repeat("x", 60));
  EXPECT_EQ(f.field->selectedRange(), (pdk::TextRange{30, 0}));
  // Replacing a selection with a paste of the same width is one accepted change.
  f.field->currentEditor()->setSelectedRange(pdk::TextRange{0, 5});
  f.field->currentEditor()->insertText("hello");
  EXPECT_EQ(f.field->stringValue(), "hello" + repeat("x", 55));
  EXPECT_EQ(f.field->selectedRange(), (pdk::TextRange{5, 0}));
}

TEST(EditFieldTyping, APasteOfDroppedCharactersPutsTheCaretAfterWhatStayed) {
  BoundField f(kSecureKey);
  f.type("1234");
  f.field->currentEditor()->setSelectedRange(pdk::TextRange{2, 0});
  f.field->currentEditor()->insertText("a+b");
  EXPECT_EQ(f.field->stringValue(), "12ab34");
  EXPECT_EQ(f.field->selectedRange(), (pdk::TextRange{4, 0}));
}

TEST(EditFieldTyping, NamesRefuseWhatCouldNotBeStored) {
  // 64 emoji are 64 cells but 256 bytes of UTF-8, one more than the stored
  // form holds: the 64th is refused.
  BoundField f(kUserNameKey);
  f.type(repeat("\U0001F600", 64));
  EXPECT_EQ(f.field->stringValue(), repeat("\U0001F600", 63));
}

TEST(EditFieldTyping, AStoredTextWiderThanItsFieldCanBeShortenedButNotWidened) {
  BoundField f(kSectionNameKey);
  // The panel shows a stored value that is too wide and records it.
  f.field->setStringValue("abcdefghij");
  f.edit()->setOldValue("abcdefghij");
  f.field->beginEditing();
  f.field->currentEditor()->deleteBackward();
  EXPECT_EQ(f.field->stringValue(), "abcdefghi");
  f.field->currentEditor()->insertText("k");
  EXPECT_EQ(f.field->stringValue(), "abcdefghi");
}

TEST(EditFieldTyping, EndingAnEditRecordsTheLastAcceptedText) {
  // A name field shows and records its last accepted text when the user
  // leaves it, even after a program changed it behind its back.
  BoundField name(kUserNameKey);
  name.type("alice");
  name.field->setStringValue("mallory");
  EXPECT_TRUE(name.field->endEditing());
  EXPECT_EQ(name.field->stringValue(), "alice");
  EXPECT_EQ(name.row.value, "alice");

  // A password field changes nothing when the edit ends.
  BoundField password(kUserKey);
  password.type("secret");
  password.field->setStringValue("other");
  EXPECT_TRUE(password.field->endEditing());
  EXPECT_EQ(password.field->stringValue(), "other");
  EXPECT_EQ(password.row.value, "secret");
}

struct WidthCase {
  std::string text;
  int32_t width;
};

TEST(EastAsianWidth, CountsCellsByCodePoint) {
  const WidthCase cases[] = {
      {"", 0},
      {"abc", 3},
      {"\u00e9", 1},           // e with acute: below U+0100
      {"\u0100", 1},           // A with macron
      {"\u0101", 2},           // a with macron
      {"\u20ac", 1},           // euro sign
      {"\u4e00\u3042", 4},     // ideograph and hiragana
      {"e\u0301", 3},          // combining acute is wide when not composed
      {"\U0001F600", 1},       // emoji outside the basic plane
      {"\U00020000", 2},       // ideograph outside the basic plane
      {"\uFF01\uFFE6", 4},     // full-width forms
      {"\uFFFD", 2},
      {std::string("a\0b", 3), 3},  // U+0000 counts and does not end the text
  };
  for (const WidthCase& c : cases) EXPECT_EQ(CFStringGetEastAsianWidth(c.text), c.width) << c.text;
}

TEST(EditInfoTable, GivesEachFieldItsLimits) {
  EXPECT_EQ(GetEditInfoTableSize(), 5);
  struct Row {
    const char* key;
    int32_t type, width;
    bool password, required;
  } rows[] = {
      {kSecureKey, 3, 8, true, true},       {kUserNameKey, 0, 64, false, true}, {kUserKey, 2, 64, true, false},
      {kSectionNameKey, 1, 8, false, false}, {kSectionKey, 2, 8, true, false},
      {"PrintModeTLQ770", 0, 0, false, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.key);
    EXPECT_EQ(GetEditTextType(r.key), r.type);
    EXPECT_EQ(GetEditTextMaxLength(r.key), r.width);
    EXPECT_EQ(IsEditTextPassword(r.key), r.password);
    EXPECT_EQ(IsEditTextRequired(r.key), r.required);
  }
}

TEST(EditInfoTable, FiltersJudgeSurrogatePairsWhole) {
  // A high surrogate followed by a low one is one code point; an unpaired
  // one stands for itself.
  const std::u16string units = u"a\U0001F600\xD800z";
  int32_t next = 0;
  EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), 5, 1, &next), U'\U0001F600');
  EXPECT_EQ(next, 3);
  EXPECT_EQ(UCFindComposedCharAtIndex(units.data(), 5, 3, &next), char32_t{0xD800});
  EXPECT_EQ(next, 4);
  EXPECT_EQ(CheckUniCharString(units.data(), 5, kUserNameKey), std::u16string(u"a\U0001F600\xD800z"));
  EXPECT_EQ(CheckUniCharString(units.data(), 5, kSectionNameKey), std::u16string(u"az"));
  EXPECT_EQ(CheckUniCharString(units.data(), 0, kSectionNameKey), std::nullopt);
}

TEST(EditInfoTable, FilterTypesBeyondThePanelsFields) {
  EXPECT_TRUE(AlphaNumericKeyFilter('z'));
  EXPECT_FALSE(AlphaNumericKeyFilter('-'));
  EXPECT_TRUE(NumericKeyFilter('7'));
  EXPECT_FALSE(NumericKeyFilter('a'));
  for (char32_t c : {0x03, 0x08, 0x09, 0x0D, 0x10, 0x1B, 0x1F, 0x7F}) EXPECT_TRUE(SpecialKeyFilter(c)) << static_cast<uint32_t>(c);
  for (char32_t c : {0x00, 0x0A, 0x1A, 0x20}) EXPECT_FALSE(SpecialKeyFilter(c)) << static_cast<uint32_t>(c);
}

}  // namespace
