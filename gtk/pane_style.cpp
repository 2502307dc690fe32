#include "pane_style.h"

#include <gtk/gtk.h>

namespace {

// Only inside the panes (.pdk-pane): the dialog around them keeps GTK's
// own sizes.
constexpr const char kStyle[] =
    ".pdk-pane button { min-height: 0; padding: 0 4px; }\n"
    ".pdk-pane entry, .pdk-pane checkbutton, .pdk-pane radiobutton {"
    " min-height: 0; padding-top: 0; padding-bottom: 0; }\n"
    ".pdk-text-black { color: #000000; }\n"
    ".pdk-text-gray { color: #808080; }\n";

}  // namespace

void installPaneStyle() {
  GtkCssProvider* provider = gtk_css_provider_new();
  gtk_css_provider_load_from_data(provider, kStyle, -1, nullptr);
  gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                            GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
  g_object_unref(provider);
}
