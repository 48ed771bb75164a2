// The font-effects dialog ("フォントの効果") without its window: the choice
// lists, the sample, and the control words a choice stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/editor.h"
#include "project/project_model.h"

namespace qy {

// Index = RTF font number of the topic file's font table.
inline constexpr int kFontChoices = 9;
inline constexpr int kSymbolFont = 6;
// Index = size choice; point sizes (the RTF size is twice this).
inline constexpr int kSizeChoices = 16;
inline constexpr int kSizePoints[kSizeChoices] = {8,  9,  10, 11, 12, 14, 16, 18,
                                                  20, 22, 24, 26, 28, 36, 48, 72};
inline constexpr int kColourChoices = 16;  // colours 1..16

enum class FontStyle { kRegular, kItalic, kBold, kBoldItalic };

// Shift-JIS texts of the lists, in list order.
std::vector<std::string> FontChoiceNames();
std::vector<std::string> FontStyleNames();
std::vector<std::string> FontSizeNames();

struct FontEffects {
  int font = 0;  // 0..8
  FontStyle style = FontStyle::kRegular;
  int size = 3;    // 0..15
  int colour = 1;  // 1..16
};

// The dialog's start: the project's default font and size, "通常", colour 1.
FontEffects InitialFontEffects(const ProjectHeader& header);

// The words of a choice, in the order font, style, size, colour; a font or
// size equal to the project's default and colour 1 (black) need none.
std::vector<std::string> FontEffectWords(const FontEffects& effects, const ProjectHeader& header);

// OK: merges the words into the selection; nothing happens when there are
// none. Returns true when the text changed.
bool ApplyFontEffects(Editor& editor, const FontEffects& effects, const ProjectHeader& header);

// The sample text drawn in the chosen font (Shift-JIS).
std::string FontSampleText(int font);

// The sample's background: the colour number (0x00BBGGRR) of the first
// window definition, the decimal after the first ",(r" up to ")" (at most
// eight digits). nullopt when it can not be read; the sample stays white.
std::optional<std::uint32_t> SampleBackgroundColour(std::string_view windows_section);

}  // namespace qy
