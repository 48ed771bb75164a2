// Whether Caps Lock is on. Qt does not tell: on X11 the server's keyboard
// state does, elsewhere on Linux the keyboard's Caps Lock LED.
#pragma once

#include <string>

namespace qy::app {

// The X server's locked Caps Lock when the window runs on X11; otherwise
// true when some "*::capslock" LED under `leds_folder` is lit.
bool CapsLockOn(const std::string& leds_folder = "/sys/class/leds");

}  // namespace qy::app
