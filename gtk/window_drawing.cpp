#include "window_drawing.h"

namespace {

// The main loop wakes up at least this often while waiting, so a missed
// draw cannot make the wait outlast its limit.
constexpr guint kWakeUpMs = 20;

}  // namespace

bool waitForDraw(GtkWidget* window, std::chrono::milliseconds limit) {
  if (!gtk_widget_get_visible(window)) return false;
  bool drawn = false;
  gulong handler = g_signal_connect_after(window, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t*, gpointer flag) -> gboolean {
                                            *static_cast<bool*>(flag) = true;
                                            return FALSE;
                                          }),
                                          &drawn);
  guint wakeUp = g_timeout_add(kWakeUpMs, [](gpointer) -> gboolean { return G_SOURCE_CONTINUE; }, nullptr);
  gtk_widget_queue_draw(window);
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (!drawn && std::chrono::steady_clock::now() < deadline) g_main_context_iteration(nullptr, TRUE);
  g_source_remove(wakeUp);
  g_signal_handler_disconnect(window, handler);
  // What the draw left pending (a second layout pass) is done as well.
  for (int i = 0; drawn && i < 100 && g_main_context_pending(nullptr); ++i) g_main_context_iteration(nullptr, FALSE);
  return drawn;
}

bool writeWindowPicture(GtkWidget* window, const std::string& path, std::string* error) {
  int width = gtk_widget_get_allocated_width(window), height = gtk_widget_get_allocated_height(window);
  GdkWindow* screen = gtk_widget_get_window(window);
  if (!screen || width <= 1 || height <= 1) {
    *error = "the window is not on screen";
    return false;
  }
  // Read back from the display what the window shows there: drawing the
  // widget into an image of its own leaves out what GTK paints in child
  // windows (a tree view's column headers).
  GdkPixbuf* picture = gdk_pixbuf_get_from_window(screen, 0, 0, width, height);
  GError* failure = nullptr;
  bool saved = picture && gdk_pixbuf_save(picture, path.c_str(), "png", &failure, nullptr);
  if (!saved) *error = "cannot write " + path + (failure ? std::string(": ") + failure->message : std::string());
  if (failure) g_error_free(failure);
  if (picture) g_object_unref(picture);
  return saved;
}
