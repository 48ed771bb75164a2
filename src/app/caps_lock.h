// Whether Caps Lock is on. Qt does not tell; on Linux the keyboard's Caps
// Lock LED does.
#pragma once

#include <string>

namespace qy::app {

// True when some "*::capslock" LED under `leds_folder` is lit.
bool CapsLockOn(const std::string& leds_folder = "/sys/class/leds");

}  // namespace qy::app
