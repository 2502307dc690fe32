#include "view_mirrors.h"

std::unique_ptr<ViewMirror> makeViewMirror(PaneMirror& pane, const pdk::ViewRef& view) {
  pdk::View* v = view.get();
  if (dynamic_cast<pdk::Window*>(v)) return std::make_unique<WindowMirror>(pane, view);
  if (dynamic_cast<pdk::TabView*>(v)) return std::make_unique<TabViewMirror>(pane, view);
  if (dynamic_cast<pdk::Box*>(v)) return std::make_unique<BoxMirror>(pane, view);
  if (dynamic_cast<pdk::PopUpButton*>(v)) return std::make_unique<PopUpMirror>(pane, view);
  if (dynamic_cast<pdk::Button*>(v)) return std::make_unique<ButtonMirror>(pane, view);
  if (dynamic_cast<pdk::Matrix*>(v)) return std::make_unique<MatrixMirror>(pane, view);
  if (dynamic_cast<pdk::TableView*>(v)) return std::make_unique<TableMirror>(pane, view);
  if (auto* text = dynamic_cast<pdk::TextField*>(v))
    return text->isEditable() || text->isSecure() ? std::unique_ptr<ViewMirror>(std::make_unique<EntryMirror>(pane, view))
                                                   : std::make_unique<LabelMirror>(pane, view);
  if (dynamic_cast<pdk::ImageView*>(v)) return std::make_unique<ImageMirror>(pane, view);
  return std::make_unique<ContainerMirror>(pane, view, gtk_fixed_new());
}
