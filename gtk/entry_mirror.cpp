#include <cstring>

#include "pane_mirror.h"
#include "sync_guard.h"
#include "text_offsets.h"
#include "view_mirrors.h"

EntryMirror::EntryMirror(PaneMirror& pane, pdk::ViewRef view) : ViewMirror(pane, std::move(view), gtk_entry_new()) {
  GtkEntry* entry = GTK_ENTRY(widget_);
  gtk_entry_set_width_chars(entry, 1);  // the frame gives the width
  gtk_entry_set_visibility(entry, !field().isSecure());
  g_signal_connect(entry, "insert-text", G_CALLBACK(onInsertText), this);
  g_signal_connect(entry, "delete-text", G_CALLBACK(onDeleteText), this);
  g_signal_connect_after(entry, "focus-in-event", G_CALLBACK(onFocusIn), this);
  g_signal_connect(entry, "focus-out-event", G_CALLBACK(onFocusOut), this);
  g_signal_connect(entry, "activate", G_CALLBACK(onActivate), this);
}

pdk::TextField& EntryMirror::field() const { return static_cast<pdk::TextField&>(*view_); }

std::string EntryMirror::shownText() const {
  if (auto* secure = dynamic_cast<pdk::SecureTextField*>(view_.get())) return secure->maskedString();
  return field().stringValue();
}

void EntryMirror::refreshControl() {
  GtkEditable* editable = GTK_EDITABLE(widget_);
  std::string shown = shownText();
  if (shown != gtk_entry_get_text(GTK_ENTRY(widget_))) gtk_entry_set_text(GTK_ENTRY(widget_), shown.c_str());
  gtk_editable_set_editable(editable, field().isEditable());
  const std::string& text = field().stringValue();
  pdk::TextRange selection = field().selectedRange();
  gtk_editable_select_region(editable, charactersBefore(text, selection.location),
                             charactersBefore(text, selection.location + selection.length));
}

void EntryMirror::describeControl(nlohmann::ordered_json& j) const {
  GtkEditable* editable = GTK_EDITABLE(widget_);
  j["text"] = gtk_entry_get_text(GTK_ENTRY(widget_));
  j["secure"] = !gtk_entry_get_visibility(GTK_ENTRY(widget_));
  j["editable"] = static_cast<bool>(gtk_editable_get_editable(editable));
  int start = 0, end = 0;
  if (!gtk_editable_get_selection_bounds(editable, &start, &end)) start = end = gtk_editable_get_position(editable);
  j["selection"] = {start, end - start};  // in characters
}

int EntryMirror::edit(int start, int end, const std::string& text) {
  pdk::TextField& f = field();
  UserTarget target = pane_.target(f);
  std::string error;
  if (!isReachable(f, target.address, &error)) {
    pane_.reportRefusal(error);
  } else {
    pane_.dialog().call(pane_.pane(), [&] {
      // The first key of an edit begins it, as a click into the field does.
      if (!f.isEditing() && !f.beginEditing()) return;
      pdk::FieldEditor* editor = f.currentEditor();
      if (!editor) return;
      // The edit happens where GTK's caret or selection is.
      int from = unitsBefore(f.stringValue(), start), to = unitsBefore(f.stringValue(), end);
      editor->setSelectedRange(pdk::TextRange{from, to - from});
      if (!text.empty()) editor->insertText(text);
      else if (to > from) editor->deleteBackward();
    });
  }
  pane_.flush();
  refresh();
  pdk::TextRange selection = f.selectedRange();
  return charactersBefore(f.stringValue(), selection.location + selection.length);
}

void EntryMirror::endEdit() {
  pdk::TextField& f = field();
  if (!f.isEditing()) return;
  pane_.dialog().call(pane_.pane(), [&] { f.endEditing(); });
  pane_.flush();
  refresh();
}

void EntryMirror::onInsertText(GtkEditable* editable, const gchar* text, gint length, gint* position, gpointer self) {
  if (mirrorIsSyncing()) return;
  // The model makes the change; the entry shows what it made of it.
  g_signal_stop_emission_by_name(editable, "insert-text");
  auto* mirror = static_cast<EntryMirror*>(self);
  std::string typed(text, length < 0 ? std::strlen(text) : static_cast<size_t>(length));
  *position = mirror->edit(*position, *position, typed);
}

void EntryMirror::onDeleteText(GtkEditable* editable, gint start, gint end, gpointer self) {
  if (mirrorIsSyncing()) return;
  g_signal_stop_emission_by_name(editable, "delete-text");
  auto* mirror = static_cast<EntryMirror*>(self);
  if (end < 0) end = static_cast<gint>(g_utf8_strlen(gtk_entry_get_text(GTK_ENTRY(editable)), -1));
  mirror->edit(start, end, "");
}

gboolean EntryMirror::onFocusIn(GtkWidget*, GdkEvent*, gpointer self) {
  auto* mirror = static_cast<EntryMirror*>(self);
  pdk::TextField& f = mirror->field();
  if (mirrorIsSyncing() || f.isEditing() || !f.isEditable()) return FALSE;
  std::string ignored;
  if (!isReachable(f, mirror->pane_.target(f).address, &ignored)) return FALSE;
  // Entering the field begins the edit: the caret goes to the end.
  mirror->pane_.dialog().call(mirror->pane_.pane(), [&] { f.beginEditing(); });
  mirror->pane_.flush();
  mirror->refresh();
  return FALSE;
}

gboolean EntryMirror::onFocusOut(GtkWidget*, GdkEvent*, gpointer self) {
  if (!mirrorIsSyncing()) static_cast<EntryMirror*>(self)->endEdit();
  return FALSE;
}

void EntryMirror::onActivate(GtkEntry*, gpointer self) {
  if (!mirrorIsSyncing()) static_cast<EntryMirror*>(self)->endEdit();
}
