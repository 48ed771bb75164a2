// Run-length compressed Windows bitmaps (BI_RLE8, BI_RLE4) expanded to plain
// rows, which is how the help file's pictures hold them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qy::hlp {

// The pixel rows (bottom row first, each padded to 4 bytes) that `rle`
// describes for a `width` x `height` bitmap of `bits` (8 or 4) per pixel.
// Pixels the data skips or leaves out stay 0; runs past the edge are cut.
// nullopt when the data ends inside a command.
std::optional<std::string> ExpandBitmapRle(std::string_view rle, int bits, int width, int height);

}  // namespace qy::hlp
