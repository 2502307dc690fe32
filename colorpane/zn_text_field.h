// ZNTextField: the colour pane's filtered text field. It limits its text to
// a number of UTF-16 units, optionally as a name, a dot and an extension of
// limited length, admits only the characters of one class
// (input_key_filter.h), and enables another control while its text is
// usable (non-empty, not beginning with a dot). A refused edit restores the
// last accepted text. Main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "colorpane/namespace.h"
#include "pdk/toolkit.h"

COLORPANE_NAMESPACE_BEGIN

class ZNTextField : public pdk::TextField {
 public:
  ZNTextField() : TextField(true) {}
  const char* className() const override { return "ZNTextField"; }

  // Limit the whole text to `maxLength` units; with `maxExtension` > 0 the
  // text is a name, a dot and an extension of at most that many units.
  void setMaxLength(int32_t maxLength, int32_t maxExtension);
  // The character class admitted (kInputKey...).
  void setInputKey(int32_t kind) { inputkey = kind; }
  // The control enabled while the text is usable; null for none.
  void setOperateControl(const std::shared_ptr<pdk::Control>& control) { operateOutlet = control; }
  // Take `text` as the last accepted text (after a program filled the field).
  void setOldString(const std::string& text) { oldValue = text; }

  bool textShouldBeginEditing(pdk::FieldEditor* editor) override;
  bool textShouldEndEditing(pdk::FieldEditor* editor) override;
  void textDidChange(pdk::FieldEditor* editor) override;

  int32_t maxLength() const { return maxLen; }
  int32_t maxExtensionLength() const { return maxExtension; }
  int32_t inputKey() const { return inputkey; }
  const std::string& lastAcceptedText() const { return oldValue; }

 private:
  // Put the last accepted text back and the caret where it stood before
  // the edit that made the text `units` units long.
  void refuse(pdk::FieldEditor* editor, int32_t units);
  // Enable or disable the operate control after the text changed.
  void updateOperateControl();

  int32_t maxLen = 0;
  int32_t maxExtension = 0;
  int32_t inputkey = 0;
  std::string oldValue;
  pdk::FieldEditor* textObj = nullptr;  // the field editor of the current edit
  std::weak_ptr<pdk::Control> operateOutlet;
  int64_t index = 0;  // part of the field's interface; nothing reads it
};

COLORPANE_NAMESPACE_END
