// Size, place and column widths of the search-and-replace window, kept in
// the "Window" section of the settings file.
#pragma once

#include "core/files.h"
#include "core/settings.h"

namespace qy {

struct FindWindowGeometry {
  int left = 0;
  int top = 0;
  int width = 546;  // the defaults are also the smallest size
  int height = 224;
  int title_width = 110;
  int topic_width = 220;
  int context_width = 74;
  bool operator==(const FindWindowGeometry&) const = default;
};

// The stored values; width and height no smaller than the defaults.
FindWindowGeometry LoadFindWindowGeometry(const Settings& settings);
FileResult SaveFindWindowGeometry(Settings& settings, const FindWindowGeometry& geometry);

// One axis of the window's place: the stored coordinate, unless it is 0 or
// less or would push the far edge beyond the screen; then centred over the
// main window.
int PlaceFindWindowAxis(int stored, int size, int main_position, int main_size, int screen_size);

}  // namespace qy
