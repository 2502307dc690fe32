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
  if (width <= 1 || height <= 1) {
    *error = "the window has no size to draw";
    return false;
  }
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  gtk_widget_draw(window, cr);
  cairo_destroy(cr);
  cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
  if (status != CAIRO_STATUS_SUCCESS) {
    *error = "cannot write " + path + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}
