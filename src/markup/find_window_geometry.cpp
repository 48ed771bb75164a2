#include "markup/find_window_geometry.h"

#include <algorithm>

#include "core/settings_keys.h"

namespace qy {

FindWindowGeometry LoadFindWindowGeometry(const Settings& settings) {
  const FindWindowGeometry defaults;
  FindWindowGeometry g;
  g.left = settings.GetInt(keys::kWindowFindLeft);
  g.top = settings.GetInt(keys::kWindowFindTop);
  g.width = std::max(settings.GetInt(keys::kWindowFindWidth), defaults.width);
  g.height = std::max(settings.GetInt(keys::kWindowFindHeight), defaults.height);
  g.title_width = settings.GetInt(keys::kWindowFindTitWidth);
  g.topic_width = settings.GetInt(keys::kWindowFindTpcWidth);
  g.context_width = settings.GetInt(keys::kWindowFindConWidth);
  return g;
}

FileResult SaveFindWindowGeometry(Settings& settings, const FindWindowGeometry& g) {
  const std::pair<const SettingKey*, int> values[] = {
      {&keys::kWindowFindLeft, g.left},
      {&keys::kWindowFindTop, g.top},
      {&keys::kWindowFindWidth, g.width},
      {&keys::kWindowFindHeight, g.height},
      {&keys::kWindowFindTitWidth, g.title_width},
      {&keys::kWindowFindTpcWidth, g.topic_width},
      {&keys::kWindowFindConWidth, g.context_width}};
  for (const auto& [key, value] : values) {
    if (FileResult r = settings.SetInt(*key, value); !r) return r;
  }
  return FileResult::Ok();
}

int PlaceFindWindowAxis(int stored, int size, int main_position, int main_size, int screen_size) {
  if (stored <= 0 || stored + size > screen_size) {
    return main_position + main_size / 2 - size / 2;
  }
  return stored;
}

}  // namespace qy
