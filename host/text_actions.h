// The text of scripted typing and the user's edits of a text field: what a
// "type" or "paste" action means as keystrokes, and one edit as a user makes
// it (click into the field, keys, leave the field).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "pdk/toolkit.h"

// Decode the text of a type or paste action: "\u{HEX}" is any code point,
// "\\" a backslash. False with a message on another escape, a code point
// that is not a character (a surrogate, beyond U+10FFFF), or text that is
// not UTF-8.
bool decodeTypedText(const std::string& raw, std::string* text, std::string* error);

// The code points of UTF-8 text, one keystroke each.
std::vector<std::string> keystrokes(const std::string& text);

// One user edit of `field`: editing begins, `keys` runs with the field
// editor, editing ends. A field that refuses to begin changes nothing. The
// field's own hooks may end the edit midway: `keys` checks isEditing()
// between keystrokes.
void editField(pdk::TextField& field, const std::function<void(pdk::FieldEditor&)>& keys);
