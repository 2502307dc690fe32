#include "pane_mirror.h"
#include "sync_guard.h"
#include "view_mirrors.h"

TabViewMirror::TabViewMirror(PaneMirror& pane, pdk::ViewRef view) : ViewMirror(pane, std::move(view), gtk_notebook_new()) {
  g_signal_connect(widget_, "switch-page", G_CALLBACK(onSwitchPage), this);
}

TabViewMirror::~TabViewMirror() {
  for (GtkWidget* page : emptyPages_) g_object_unref(page);
}

GtkWidget* TabViewMirror::pageWidget(size_t index) {
  const pdk::TabView::Tab& tab = static_cast<pdk::TabView&>(*view_).tabs()[index];
  if (tab.view) return pane_.mirrorFor(tab.view).widget();
  while (emptyPages_.size() <= index) {
    GtkWidget* page = gtk_fixed_new();
    gtk_widget_show(page);
    emptyPages_.push_back(GTK_WIDGET(g_object_ref_sink(page)));
  }
  return emptyPages_[index];
}

void TabViewMirror::refreshControl() {
  auto& tabs = static_cast<pdk::TabView&>(*view_);
  GtkNotebook* notebook = GTK_NOTEBOOK(widget_);
  std::vector<GtkWidget*> pages;
  for (size_t i = 0; i < tabs.tabs().size(); ++i) pages.push_back(pageWidget(i));

  bool same = static_cast<int>(pages.size()) == gtk_notebook_get_n_pages(notebook);
  for (size_t i = 0; same && i < pages.size(); ++i)
    same = gtk_notebook_get_nth_page(notebook, static_cast<int>(i)) == pages[i];
  if (!same) {
    while (gtk_notebook_get_n_pages(notebook) > 0) gtk_notebook_remove_page(notebook, -1);
    for (GtkWidget* page : pages) {
      if (GtkWidget* parent = gtk_widget_get_parent(page)) gtk_container_remove(GTK_CONTAINER(parent), page);
      gtk_notebook_append_page(notebook, page, nullptr);
    }
  }
  for (size_t i = 0; i < pages.size(); ++i) {
    gtk_notebook_set_tab_label_text(notebook, pages[i], tabs.tabs()[i].label.c_str());
    if (const pdk::ViewRef& page = tabs.tabs()[i].view) {
      const pdk::Rect& frame = page->frame();
      gtk_widget_set_size_request(pages[i], frame.width > 0 ? static_cast<int>(frame.width) : -1,
                                  frame.height > 0 ? static_cast<int>(frame.height) : -1);
    }
  }
  int selected = tabs.indexOfSelectedTabViewItem();
  if (!switching_ && selected >= 0 && selected < static_cast<int>(pages.size()))
    gtk_notebook_set_current_page(notebook, selected);
}

void TabViewMirror::describeControl(nlohmann::ordered_json& j) const {
  GtkNotebook* notebook = GTK_NOTEBOOK(widget_);
  nlohmann::ordered_json labels = nlohmann::ordered_json::array();
  for (int i = 0; i < gtk_notebook_get_n_pages(notebook); ++i) {
    const char* label = gtk_notebook_get_tab_label_text(notebook, gtk_notebook_get_nth_page(notebook, i));
    labels.push_back(label ? label : "");
  }
  j["tabs"] = labels;
  j["selected"] = gtk_notebook_get_current_page(notebook);
}

void TabViewMirror::onSwitchPage(GtkNotebook* notebook, GtkWidget*, guint index, gpointer self) {
  auto* mirror = static_cast<TabViewMirror*>(self);
  auto& tabs = static_cast<pdk::TabView&>(*mirror->view_);
  if (mirrorIsSyncing() || static_cast<int>(index) == tabs.indexOfSelectedTabViewItem()) return;
  // The notebook switches after this handler; the model decides first, and
  // a switch it did not make does not happen.
  mirror->switching_ = true;
  mirror->userEvent([&](const UserTarget& target, std::string* error) {
    return userSelectTab(target, tabs, static_cast<int>(index), error);
  });
  mirror->switching_ = false;
  if (tabs.indexOfSelectedTabViewItem() != static_cast<int>(index))
    g_signal_stop_emission_by_name(notebook, "switch-page");
}
