// The colour pane's filtered text field: length limits with and without an
// extension, the five character classes, the operate control, and the icon
// cell of the profile window.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "colorpane/iconed_cell.h"
#include "colorpane/input_key_filter.h"
#include "colorpane/zn_text_field.h"

using colorpane::ZNTextField;

namespace {

// A field set up as one of the profile window's, with its operate control.
struct Field {
  Field(int32_t maxLength, int32_t extension, int32_t kind) {
    field->setMaxLength(maxLength, extension);
    field->setInputKey(kind);
    field->setOperateControl(ok);
    ok->setEnabled(false);
  }
  // The user clicks into the field (caret at the end) and moves the caret.
  pdk::FieldEditor& edit(int caret = -1) {
    field->beginEditing();
    if (caret >= 0) field->currentEditor()->setSelectedRange({caret, 0});
    return *field->currentEditor();
  }
  void type(const std::string& keys, int caret = -1) {
    pdk::FieldEditor& editor = edit(caret);
    for (char c : keys) editor.insertText(std::string(1, c));
    field->endEditing();
  }
  void paste(const std::string& text, int caret = -1) {
    edit(caret).insertText(text);
    field->endEditing();
  }
  int caret() const { return field->selectedRange().location; }

  std::shared_ptr<ZNTextField> field = std::make_shared<ZNTextField>();
  std::shared_ptr<pdk::Button> ok = std::make_shared<pdk::Button>();
};

Field fileNameField() { return Field(31, 3, colorpane::kInputKeyAsciiAppoint); }

}  // namespace

TEST(ZNTextField, LengthLimitsWithAndWithoutAnExtension) {
  const std::string name27(27, 'n');
  struct Case {
    const char* what;
    std::string start;  // accepted text before the edit
    std::string keys;   // typed one by one (paste when `pasted`)
    bool pasted;
    int caret;  // where the edit starts; -1 at the end
    std::string text;
    int caretAfter;
  } cases[] = {
      {"27 units, a dot and a 3-unit extension", "", name27 + ".icc", false, -1, name27 + ".icc", 31},
      {"a 32nd unit at the end", name27 + ".icc", "x", false, -1, name27 + ".icc", 31},
      {"a 32nd unit in the name", name27 + ".icc", "x", false, 5, name27 + ".icc", 5},
      {"27 units without a dot", "", name27, false, -1, name27, 27},
      {"a 28th unit without a dot", name27, "x", false, -1, name27, 27},
      {"an extension of 4 units", "name.icc", "x", false, -1, "name.icc", 8},
      {"a second dot", "a.b", ".", false, -1, "a.b", 3},
      {"a pasted a.b.c", "", "a.b.c", true, -1, "", 0},
      {"a dot after 28 units of name", "", std::string(28, 'n') + ".ic", true, -1, "", 0},
      {"a second dot typed in the middle", "ab.c", ".", false, 1, "ab.c", 1},
  };
  for (const Case& c : cases) {
    Field f = fileNameField();
    f.field->setStringValue(c.start);
    if (c.pasted) f.paste(c.keys, c.caret);
    else f.type(c.keys, c.caret);
    EXPECT_EQ(f.field->stringValue(), c.text) << c.what;
    EXPECT_EQ(f.caret(), c.caretAfter) << c.what;
    EXPECT_EQ(f.field->lastAcceptedText(), c.text) << c.what;
  }
}

TEST(ZNTextField, FiltersKeepWhatTheirClassAdmits) {
  struct Case {
    const char* what;
    int32_t maxLength, extension, kind;
    std::string start, pasted;
    int caret;
    std::string text;
    int caretAfter;
  } cases[] = {
      {"a/b into a file name", 31, 3, 1, "", "a/b", -1, "ab", 2},
      {"file-name punctuation that stays", 31, 3, 1, "", "my-file_(1).icc", -1, "my-file_(1).icc", 15},
      {"two refused characters in a row", 31, 3, 1, "", "a//b*+c", -1, "abc", 3},
      {"a space in a file name", 31, 3, 1, "", "a b", -1, "ab", 2},
      {"a paste in the middle moves the caret by what stays", 31, 3, 1, "xy", "a/b", 1, "xaby", 3},
      {"a character outside printable ASCII", 30, 0, 0, "", "Caf\u00e9 Bar", -1, "Caf Bar", 7},
      {"a character outside the basic plane, removed whole", 30, 0, 0, "", "a\U0001F600b", -1, "ab", 2},
      {"alphanumeric", 30, 0, 2, "", "A-1_b", -1, "A1b", 3},
      {"numeric", 30, 0, 3, "", "1a2", -1, "12", 2},
      {"wide characters but the quote and the plus", 30, 0, 7, "", "\u00e9\"+\U0001F600", -1, "\u00e9\U0001F600", 3},
  };
  for (const Case& c : cases) {
    Field f(c.maxLength, c.extension, c.kind);
    f.field->setStringValue(c.start);
    f.paste(c.pasted, c.caret);
    EXPECT_EQ(f.field->stringValue(), c.text) << c.what;
    EXPECT_EQ(f.caret(), c.caretAfter) << c.what;
  }
}

TEST(ZNTextField, OperateControlFollowsWhetherTheTextIsUsable) {
  Field f = fileNameField();
  // A leading dot passes the length checks but disables the OK.
  f.paste(".icc");
  EXPECT_EQ(f.field->stringValue(), ".icc");
  EXPECT_FALSE(f.ok->isEnabled());
  // Deleting the dot enables it.
  f.edit(1).deleteBackward();
  f.field->endEditing();
  EXPECT_EQ(f.field->stringValue(), "icc");
  EXPECT_TRUE(f.ok->isEnabled());
  // An empty text disables it again.
  pdk::FieldEditor& editor = f.edit();
  editor.selectAll();
  editor.deleteBackward();
  f.field->endEditing();
  EXPECT_FALSE(f.ok->isEnabled());
  // A refused edit leaves the control as the accepted text has it.
  f.type("abc");
  f.paste("d.e.f");
  EXPECT_EQ(f.field->stringValue(), "abc");
  EXPECT_TRUE(f.ok->isEnabled());
}

TEST(InputKeyFilter, ClassesByCodePoint) {
  struct Case {
    int32_t kind;
    uint32_t codePoint;
    int32_t admitted;
  } cases[] = {
      {0, 0x20, 1}, {0, 0x7E, 1}, {0, 0x1F, 0}, {0, 0x7F, 0}, {0, 0xE9, 0},
      {1, 0x20, 0}, {1, 0x21, 1}, {1, '"', 0},  {1, '*', 0},  {1, '+', 0},  {1, ',', 0},  {1, '-', 1},
      {1, '.', 1},  {1, '/', 0},  {1, '0', 1},  {1, ':', 0},  {1, '@', 0},  {1, 'A', 1},  {1, '[', 0},
      {1, '\\', 0}, {1, ']', 0},  {1, '^', 1},  {1, '_', 1},  {1, '{', 1},  {1, '|', 0},  {1, '}', 1},
      {1, '~', 1},  {1, 0x7F, 0}, {2, '9', 1},  {2, 'z', 1},  {2, 'Z', 1},  {2, '_', 0},  {2, ' ', 0},
      {3, '5', 1},  {3, 'a', 0},  {4, '"', 0},  {4, '+', 0},  {4, 0x1F600, 1}, {-1, 0xE9, 1}, {99, 0, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(colorpane::FilterEditTextInputKey(c.kind, c.codePoint), c.admitted)
        << "kind " << c.kind << " U+" << std::hex << c.codePoint;
}

TEST(InputKeyFilter, ComposedCharactersAdvanceOneUnitAtATime) {
  const char16_t units[] = {u'a', 0xD83D, 0xDE00, 0xD83D};
  int32_t next = -1;
  EXPECT_EQ(colorpane::UCFindComposedCharAtIndex(units, 4, 0, &next), u'a');
  EXPECT_EQ(next, 1);
  EXPECT_EQ(colorpane::UCFindComposedCharAtIndex(units, 4, 1, &next), 0x1F600u);
  EXPECT_EQ(next, 2);
  // A low surrogate is combined with whatever follows it, as a high one is.
  EXPECT_EQ(colorpane::UCFindComposedCharAtIndex(units, 4, 2, &next), ((0xDE00u & 0x3FF) << 10 | 0x03D) + 0x10000);
  // A surrogate at the end stands alone.
  EXPECT_EQ(colorpane::UCFindComposedCharAtIndex(units, 4, 3, &next), 0xD83Du);
  EXPECT_EQ(colorpane::UCFindComposedCharAtIndex(units, 4, 4, &next), 0u);
  EXPECT_EQ(next, 4);
}

TEST(IconedCell, DrawsItsImageAsASmallIconOnly) {
  colorpane::IconedCell cell;
  EXPECT_FALSE(cell.drawInteriorWithFrame(pdk::Rect{10, 20, 22, 17}, false));
  cell.setImage(pdk::Image::imageByReferencingFile("/icons/exists.icns"));
  auto drawn = cell.drawInteriorWithFrame(pdk::Rect{10, 20, 22, 17}, false);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->image->path(), "/icons/exists.icns");
  EXPECT_EQ(drawn->image->width(), 16);
  EXPECT_EQ(drawn->image->height(), 16);
  EXPECT_EQ(drawn->x, 13);
  EXPECT_EQ(drawn->y, 20);
  EXPECT_STREQ(drawn->operation, "source-over");
  // In a flipped view the origin is the image's other corner.
  EXPECT_EQ(cell.drawInteriorWithFrame(pdk::Rect{10, 20, 22, 17}, true)->y, 36);
}
