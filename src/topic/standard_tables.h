// The font and colour tables every document Quillory generates declares.
// Page text parsed on its own (without a document head) resolves its font
// numbers and "\cf" colours against these.
#pragma once

#include <vector>

#include "topic/document.h"

namespace qy::topic {

// The nine default fonts, numbered 0..8 as the project header indexes them.
const std::vector<FontEntry>& StandardFonts();
// The automatic entry 0 and the sixteen colours 1..16 of inserted markup.
const std::vector<Color>& StandardColors();

}  // namespace qy::topic
