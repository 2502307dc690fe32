#include "dialog_front_end.h"

#include <cstdio>

#include "pane_mirror.h"
#include "window_drawing.h"

namespace {

// How long a batch run waits for an alert or panel to be drawn.
constexpr std::chrono::seconds kDrawLimit{10};

}  // namespace

void DialogFrontEnd::install(DialogScript& dialog, GtkWindow* parent) {
  dialog_ = &dialog;
  parent_ = parent;
  pdk::FrontEnd frontEnd;
  frontEnd.runNextEvent = [this] { return runNextEvent(); };
  frontEnd.presentAlert = [this](const pdk::Alert& alert) { return presentAlert(alert); };
  frontEnd.presentOpenPanel = [this](const pdk::OpenPanel& panel) { return presentOpenPanel(panel); };
  pdk::Application::shared().setFrontEnd(std::move(frontEnd));
}

bool DialogFrontEnd::runNextEvent() {
  PaneMirror::flushAll();
  if (hooks_.runScriptedStep && hooks_.runScriptedStep()) return true;
  if (!hooks_.runIsOver || hooks_.runIsOver()) return false;
  g_main_context_iteration(nullptr, TRUE);
  return true;
}

GtkWindow* DialogFrontEnd::frontWindow() const {
  GtkWindow* front = parent_;
  GList* toplevels = gtk_window_list_toplevels();
  for (GList* item = toplevels; item; item = item->next) {
    auto* window = static_cast<GtkWindow*>(item->data);
    if (gtk_window_get_modal(window) && gtk_widget_get_visible(GTK_WIDGET(window)) &&
        gtk_window_get_transient_for(window) == parent_)
      front = window;
  }
  g_list_free(toplevels);
  return front;
}

int DialogFrontEnd::runDialog(GtkDialog* dialog, int batchResponse) {
  if (!batch_) return gtk_dialog_run(dialog);
  gtk_widget_show_all(GTK_WIDGET(dialog));
  if (!waitForDraw(GTK_WIDGET(dialog), kDrawLimit))
    std::fprintf(stderr, "printdialog-gtk: warning: a dialog was not drawn within %lld s\n",
                 static_cast<long long>(kDrawLimit.count()));
  return batchResponse;
}

int DialogFrontEnd::presentAlert(const pdk::Alert& alert) {
  PaneMirror::flushAll();
  std::string text = alert.messageText();
  if (!alert.informativeText().empty()) text += "\n" + alert.informativeText();
  std::fprintf(stderr, "printdialog-gtk: alert: %s\n", text.c_str());
  if (dialog_) dialog_->recordAlert(alert);

  GtkWidget* message = gtk_message_dialog_new(frontWindow(), GTK_DIALOG_MODAL, GTK_MESSAGE_WARNING, GTK_BUTTONS_NONE,
                                              "%s", alert.messageText().c_str());
  if (!alert.informativeText().empty())
    gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s", alert.informativeText().c_str());
  std::vector<std::string> buttons = alert.buttons();
  for (size_t i = 0; i < buttons.size(); ++i)
    gtk_dialog_add_button(GTK_DIALOG(message), buttons[i].c_str(), static_cast<int>(i));
  gtk_dialog_set_default_response(GTK_DIALOG(message), 0);
  int response = runDialog(GTK_DIALOG(message), 0);
  gtk_widget_destroy(message);
  // Closing the alert without a button counts as its first button.
  return response >= 0 ? response : 0;
}

std::optional<std::string> DialogFrontEnd::presentOpenPanel(const pdk::OpenPanel& panel) {
  PaneMirror::flushAll();
  bool folders = panel.canChooseDirectories && !panel.canChooseFiles;
  GtkWidget* chooser = gtk_file_chooser_dialog_new(
      panel.title.empty() ? "Open" : panel.title.c_str(), frontWindow(),
      folders ? GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER : GTK_FILE_CHOOSER_ACTION_OPEN, "_Cancel", GTK_RESPONSE_CANCEL,
      panel.prompt.empty() ? "_Open" : panel.prompt.c_str(), GTK_RESPONSE_ACCEPT, nullptr);
  GtkFileChooser* files = GTK_FILE_CHOOSER(chooser);
  gtk_file_chooser_set_select_multiple(files, panel.allowsMultipleSelection);
  if (!panel.directory.empty()) gtk_file_chooser_set_current_folder(files, panel.directory.c_str());
  if (!panel.nameFieldStringValue.empty())
    gtk_file_chooser_select_filename(files, (panel.directory + "/" + panel.nameFieldStringValue).c_str());
  if (!panel.allowedFileTypes.empty()) {
    GtkFileFilter* filter = gtk_file_filter_new();
    std::string name;
    for (const std::string& type : panel.allowedFileTypes) {
      // Extensions are matched in any case, as the toolkit's panel does.
      gchar* lower = g_ascii_strdown(type.c_str(), -1);
      gchar* upper = g_ascii_strup(type.c_str(), -1);
      gtk_file_filter_add_pattern(filter, (std::string("*.") + lower).c_str());
      gtk_file_filter_add_pattern(filter, (std::string("*.") + upper).c_str());
      g_free(lower);
      g_free(upper);
      name += (name.empty() ? "*." : ", *.") + type;
    }
    gtk_file_filter_set_name(filter, name.c_str());
    gtk_file_chooser_add_filter(files, filter);
  }

  // A batch run answers as the script says (Cancel when it says nothing).
  std::optional<std::string> answer;
  if (batch_) {
    answer = dialog_ ? dialog_->takeOpenPanelAnswer() : std::nullopt;
    runDialog(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL);
  } else if (runDialog(GTK_DIALOG(chooser), GTK_RESPONSE_CANCEL) == GTK_RESPONSE_ACCEPT) {
    if (gchar* path = gtk_file_chooser_get_filename(files)) {
      answer = std::string(path);
      g_free(path);
    }
  }
  gtk_widget_destroy(chooser);
  return answer;
}

void DialogFrontEnd::showMessage(const std::string& messageText, const std::string& detail) {
  std::fprintf(stderr, "printdialog-gtk: %s: %s\n", messageText.c_str(), detail.c_str());
  GtkWidget* message = gtk_message_dialog_new(frontWindow(), GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_OK,
                                              "%s", messageText.c_str());
  gtk_message_dialog_format_secondary_text(GTK_MESSAGE_DIALOG(message), "%s", detail.c_str());
  runDialog(GTK_DIALOG(message), GTK_RESPONSE_OK);
  gtk_widget_destroy(message);
}
