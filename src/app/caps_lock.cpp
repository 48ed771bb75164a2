#include "app/caps_lock.h"

#include <filesystem>
#include <fstream>

namespace qy::app {

bool CapsLockOn(const std::string& leds_folder) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(leds_folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::string suffix = "::capslock";
    if (name.size() < suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    std::ifstream brightness(entry.path() / "brightness");
    int value = 0;
    if (brightness >> value && value > 0) return true;
  }
  return false;
}

}  // namespace qy::app
