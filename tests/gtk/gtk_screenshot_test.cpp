// Pictures of the dialog (--screenshot): each view of each pane comes out
// as a picture that is not blank and in which every control's region holds
// a drawing (the regions are the widgets' own places in the window, from
// --dump-widgets; no stored reference picture, so fonts and theme details
// may differ between machines).
#include <cairo.h>

#include <set>

#include "gtk_dialog_run.h"

namespace gtktest {
namespace {

// A PNG file's pixels, as 0xRRGGBB.
struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF; }
  // The number of different colours in the rectangle, clipped to the picture.
  size_t colours(int x, int y, int w, int h) const {
    std::set<uint32_t> seen;
    for (int row = std::max(y, 0); row < std::min(y + h, height); ++row)
      for (int column = std::max(x, 0); column < std::min(x + w, width); ++column) seen.insert(at(column, row));
    return seen.size();
  }
};

Picture readPicture(const std::string& path) {
  Picture picture;
  cairo_surface_t* surface = cairo_image_surface_create_from_png(path.c_str());
  if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
    cairo_surface_flush(surface);
    picture.width = cairo_image_surface_get_width(surface);
    picture.height = cairo_image_surface_get_height(surface);
    int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    for (int y = 0; y < picture.height; ++y)
      for (int x = 0; x < picture.width; ++x)
        picture.pixels.push_back(reinterpret_cast<const uint32_t*>(data + static_cast<size_t>(y) * stride)[x]);
  }
  cairo_surface_destroy(surface);
  return picture;
}

struct Shot {
  const char* story;
  std::vector<std::string> args;
  const char* front;  // the window in front
};

const char* const kControlKinds[] = {"popup", "checkbox", "button", "radio", "statictext", "textfield",
                                     "radiogroup", "table", "tabview", "image", "box"};

class GtkScreenshot : public GtkDialogTest {};

TEST_F(GtkScreenshot, EveryViewIsDrawnWithEachControlInItsPlace) {
  const std::string advanced[] = {"--do", "select color.menu_QuickColor 3", "--do",
                                  "click color.button_AdvanceColorOptions"};
  const Shot shots[] = {
      {"the colour pane's basic view", {"--do", "select color.menu_QuickColor 3"}, "Print"},
      {"the advanced view", {advanced[0], advanced[1], advanced[2], advanced[3]}, "Print"},
      {"the advanced view's simulation tab",
       {advanced[0], advanced[1], advanced[2], advanced[3], "--gtk-do", "tab color.tab_SwitchVew 3"},
       "Print"},
      {"the profile window",
       {advanced[0], advanced[1], advanced[2], advanced[3], "--gtk-do", "click color.button_ManageProfile"},
       "Manage Profiles"},
      {"the security pane", {"--gtk-do", "pane security"}, "Print"},
      {"the test pane's modal window",
       {"--plugins", kFixturePlugins, "--gtk-do", "click fixture.button_Manage"},
       "Manage Items"},
  };
  for (const Shot& shot : shots) {
    SCOPED_TRACE(shot.story);
    const std::string png = scratch("shot.png");
    std::vector<std::string> args{"--ppd", kPPD, "--screenshot", png};
    args.insert(args.end(), shot.args.begin(), shot.args.end());
    DialogRun run = runGtk(args);
    ASSERT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.widgets["front"], shot.front);
    Picture picture = readPicture(png);
    ASSERT_GT(picture.width, 100);
    ASSERT_GT(picture.height, 100);
    EXPECT_GT(picture.colours(0, 0, picture.width, picture.height), 50u);  // not blank

    int checked = 0;
    for (const auto& [pane, widgets] : run.widgets["panes"].items())
      for (const auto& [id, widget] : widgets.items()) {
        if (widget["mapped"] != true || widget["window"] != shot.front) continue;
        if (std::find(std::begin(kControlKinds), std::end(kControlKinds), widget["kind"]) == std::end(kControlKinds))
          continue;
        if (widget["kind"] == "statictext" && widget["title"] == "") continue;  // nothing to draw
        const nlohmann::json& r = widget["inWindow"];
        ASSERT_LE(r[0].get<int>() + r[2].get<int>(), picture.width) << id;
        ASSERT_LE(r[1].get<int>() + r[3].get<int>(), picture.height) << id;
        EXPECT_GE(picture.colours(r[0], r[1], r[2], r[3]), 2u) << pane << "." << id << " is a blank region";
        ++checked;
      }
    EXPECT_GE(checked, 5);  // the view's controls were there to check
  }
}

}  // namespace
}  // namespace gtktest
