// The transparent picture form: a Windows bitmap whose white pixels show the
// background. Browsers have no such form, so the export writes it as a PNG
// with white made fully transparent.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qy::help_export {

// Uncompressed bitmaps of 1, 4, 8, 24 and 32 bits per pixel, with the
// Windows or the OS/2 header, bottom-up or top-down. nullopt with `error`
// (Shift-JIS) for anything else or a damaged file.
std::optional<std::string> BmpToTransparentPng(std::string_view bmp, std::string* error);

}  // namespace qy::help_export
