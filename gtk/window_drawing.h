// Waiting for a window to be drawn, and taking its picture. A window is
// laid out and painted by the main loop some time after it was shown or
// changed; a picture taken before that shows an old or empty window.
// Main thread only.
#pragma once

#include <gtk/gtk.h>

#include <chrono>
#include <string>

// Run the main loop until `window` has been drawn once more (it is asked
// to redraw), at most `limit`; false when it was not drawn in time (a
// window that is not shown never is).
bool waitForDraw(GtkWidget* window, std::chrono::milliseconds limit);

// Write what `window` shows on the display now into a PNG file at `path`
// (the window must be on screen and in front); false with a message.
bool writeWindowPicture(GtkWidget* window, const std::string& path, std::string* error);
