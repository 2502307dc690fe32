// The mirror of each kind of toolkit view (see view_mirror.h), one source
// file each, and the factory that picks the mirror for a view by what the
// view is, so a pane's own view and control classes need nothing here.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "view_mirror.h"

// The mirror for `view`: by its most specific toolkit class.
std::unique_ptr<ViewMirror> makeViewMirror(PaneMirror& pane, const pdk::ViewRef& view);

// A plain view or a pane's own view class: a GtkFixed holding the subviews
// at their frames. Subclasses put the GtkFixed inside their own widget.
class ContainerMirror : public ViewMirror {
 public:
  ContainerMirror(PaneMirror& pane, pdk::ViewRef view, GtkWidget* outer);
  GtkFixed* content() const override { return fixed_; }

 protected:
  // Place every subview at its frame; take out widgets whose view left.
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

  GtkFixed* fixed_;
};

// A box: a titled GtkFrame around its subviews.
class BoxMirror : public ContainerMirror {
 public:
  BoxMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;
};

// A window: a GtkWindow over the dialog, shown while the window is open and
// modal while a modal session runs on it. Its close box asks the window
// (performClose), which may refuse.
class WindowMirror : public ContainerMirror {
 public:
  WindowMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
};

// A tab view: a GtkNotebook whose pages are the tabs' views.
class TabViewMirror : public ViewMirror {
 public:
  TabViewMirror(PaneMirror& pane, pdk::ViewRef view);
  ~TabViewMirror() override;
  bool placesSubviews() const override { return true; }

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static void onSwitchPage(GtkNotebook* notebook, GtkWidget* page, guint index, gpointer self);
  // The widget of tab `index`: its view's, or an empty page for a tab
  // without a view.
  GtkWidget* pageWidget(size_t index);

  std::vector<GtkWidget*> emptyPages_;  // owned references
  bool switching_ = false;              // inside the user's switch-page
};

// A pop-up menu: a GtkComboBox whose rows carry the items' titles and
// enabled state; a disabled row can be neither chosen nor kept.
class PopUpMirror : public ViewMirror {
 public:
  PopUpMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static void onChanged(GtkComboBox* combo, gpointer self);
  GtkListStore* store_;  // owned by the combo box
};

// A push button, check box or radio button.
class ButtonMirror : public ViewMirror {
 public:
  ButtonMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static void onClicked(GtkButton* button, gpointer self);
  static void onToggled(GtkToggleButton* button, gpointer self);
};

// A static text: a GtkLabel in the text's colour.
class LabelMirror : public ViewMirror {
 public:
  LabelMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;
};

// An editable or secure text field: a GtkEntry. Every keystroke, paste and
// deletion goes through the field's editor, as the scripted edits do, so
// the pane's hooks rule on it; the entry then shows the model's text and
// caret. A secure field's entry holds only the mask.
class EntryMirror : public ViewMirror {
 public:
  EntryMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static void onInsertText(GtkEditable* editable, const gchar* text, gint length, gint* position, gpointer self);
  static void onDeleteText(GtkEditable* editable, gint start, gint end, gpointer self);
  static gboolean onFocusIn(GtkWidget* widget, GdkEvent* event, gpointer self);
  static gboolean onFocusOut(GtkWidget* widget, GdkEvent* event, gpointer self);
  static void onActivate(GtkEntry* entry, gpointer self);

  pdk::TextField& field() const;
  // Replace the characters [start, end) of the entry with `text` through
  // the field editor; the entry's new caret position.
  int edit(int start, int end, const std::string& text);
  // End the user's edit (leaving the field, or Return).
  void endEdit();
  // The entry's text: the field's, or its mask.
  std::string shownText() const;
};

// A radio matrix: a grid of GtkRadioButtons in one group, with a hidden
// extra button standing for "no cell selected".
class MatrixMirror : public ViewMirror {
 public:
  MatrixMirror(PaneMirror& pane, pdk::ViewRef view);
  ~MatrixMirror() override;

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static void onToggled(GtkToggleButton* button, gpointer self);
  void rebuild(int rows, int columns);

  GtkWidget* none_ = nullptr;
  std::vector<GtkWidget*> buttons_;  // row by row, owned by the grid
  int rows_ = -1, columns_ = -1;
};

// A table view: a GtkTreeView in a scrolled window. Its rows are asked of
// the data source on every change report of the table; the selection
// changes only through the table (a click is the table's clickRow, which
// may refuse), check-box cells through clickCheckBox.
class TableMirror : public ViewMirror {
 public:
  TableMirror(PaneMirror& pane, pdk::ViewRef view);
  ~TableMirror() override;

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  static gboolean onButtonPress(GtkWidget* tree, GdkEventButton* event, gpointer self);
  static gboolean onKeyPress(GtkWidget* tree, GdkEventKey* event, gpointer self);
  static void onCellToggled(GtkCellRendererToggle* renderer, gchar* path, gpointer self);
  static gboolean mayChangeSelection(GtkTreeSelection*, GtkTreeModel*, GtkTreePath*, gboolean, gpointer);

  pdk::TableView& table() const;
  // Build the tree view's columns and store for the table's columns.
  void buildColumns();
  GdkPixbuf* iconFor(const std::string& path);
  void clickRow(int row);
  void clickCheckBox(size_t column, int row);

  GtkTreeView* tree_;
  GtkListStore* store_ = nullptr;
  std::vector<std::string> columnIds_;
  std::map<std::string, GdkPixbuf*> icons_;  // owned references, by path
  bool selecting_ = false;                    // the mirror sets the selection
};

// An image view: a GtkImage of the image file at the view's size.
class ImageMirror : public ViewMirror {
 public:
  ImageMirror(PaneMirror& pane, pdk::ViewRef view);

 protected:
  void refreshControl() override;
  void describeControl(nlohmann::ordered_json& j) const override;

 private:
  std::string shownPath_;
  double shownWidth_ = -1, shownHeight_ = -1;
};
