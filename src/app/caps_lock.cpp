#include "app/caps_lock.h"

#include <QGuiApplication>
#include <filesystem>
#include <fstream>
#include <optional>

#ifdef QY_HAVE_X11
#include <X11/XKBlib.h>
#endif

namespace qy::app {

namespace {

#ifdef QY_HAVE_X11
// nullopt when the window does not run on an X server.
std::optional<bool> X11CapsLock() {
  auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  XkbStateRec state;
  if (XkbGetState(display, XkbUseCoreKbd, &state) != Success) return std::nullopt;
  return (state.locked_mods & LockMask) != 0;
}
#endif

}  // namespace

bool CapsLockOn(const std::string& leds_folder) {
#ifdef QY_HAVE_X11
  if (const std::optional<bool> locked = X11CapsLock()) return *locked;
#endif
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(leds_folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::string suffix = "::capslock";
    if (name.size() < suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) {
      continue;
    }
    std::ifstream brightness(entry.path() / "brightness");
    int value = 0;
    if (brightness >> value && value > 0) return true;
  }
  return false;
}

}  // namespace qy::app
