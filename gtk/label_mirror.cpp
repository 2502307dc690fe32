#include "pane_mirror.h"
#include "view_mirrors.h"

namespace {

// The style classes of the two text colours (see pane_style.cpp).
constexpr const char* kBlackText = "pdk-text-black";
constexpr const char* kGrayText = "pdk-text-gray";

}  // namespace

LabelMirror::LabelMirror(PaneMirror& pane, pdk::ViewRef view) : ViewMirror(pane, std::move(view), gtk_label_new("")) {
  GtkLabel* label = GTK_LABEL(widget_);
  gtk_label_set_xalign(label, 0);
  gtk_label_set_ellipsize(label, PANGO_ELLIPSIZE_END);
}

void LabelMirror::refreshControl() {
  auto& text = static_cast<pdk::TextField&>(*view_);
  gtk_label_set_text(GTK_LABEL(widget_), text.stringValue().c_str());
  GtkStyleContext* style = gtk_widget_get_style_context(widget_);
  bool gray = text.textColor() == pdk::TextColor::Gray;
  gtk_style_context_remove_class(style, gray ? kBlackText : kGrayText);
  gtk_style_context_add_class(style, gray ? kGrayText : kBlackText);
}

void LabelMirror::describeControl(nlohmann::ordered_json& j) const {
  j["title"] = gtk_label_get_text(GTK_LABEL(widget_));
  // The colour GTK draws the text in, as the style gives it.
  GdkRGBA color;
  GtkStyleContext* style = gtk_widget_get_style_context(widget_);
  gtk_style_context_get_color(style, gtk_style_context_get_state(style), &color);
  char hex[8];
  g_snprintf(hex, sizeof hex, "#%02x%02x%02x", static_cast<int>(color.red * 255 + 0.5),
             static_cast<int>(color.green * 255 + 0.5), static_cast<int>(color.blue * 255 + 0.5));
  j["color"] = hex;
}
