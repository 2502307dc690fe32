#include "pane_mirror.h"
#include "view_mirrors.h"

ImageMirror::ImageMirror(PaneMirror& pane, pdk::ViewRef view) : ViewMirror(pane, std::move(view), gtk_image_new()) {}

void ImageMirror::refreshControl() {
  auto& imageView = static_cast<pdk::ImageView&>(*view_);
  std::string path = imageView.image() ? imageView.image()->path() : "";
  const pdk::Rect& frame = view_->frame();
  if (path == shownPath_ && frame.width == shownWidth_ && frame.height == shownHeight_) return;
  shownPath_ = path;
  shownWidth_ = frame.width;
  shownHeight_ = frame.height;
  GtkImage* image = GTK_IMAGE(widget_);
  if (path.empty()) {
    gtk_image_clear(image);
    return;
  }
  int width = frame.width > 0 ? static_cast<int>(frame.width) : -1;
  int height = frame.height > 0 ? static_cast<int>(frame.height) : -1;
  if (GdkPixbuf* pixbuf = gdk_pixbuf_new_from_file_at_scale(path.c_str(), width, height, TRUE, nullptr)) {
    gtk_image_set_from_pixbuf(image, pixbuf);
    g_object_unref(pixbuf);
  } else {
    // A file that cannot be read still shows that an image belongs there.
    gtk_image_set_from_icon_name(image, "image-missing", GTK_ICON_SIZE_DIALOG);
  }
}

void ImageMirror::describeControl(nlohmann::ordered_json& j) const {
  GtkImageType type = gtk_image_get_storage_type(GTK_IMAGE(widget_));
  j["image"] = type == GTK_IMAGE_PIXBUF ? "drawn" : type == GTK_IMAGE_ICON_NAME ? "missing" : "none";
}
