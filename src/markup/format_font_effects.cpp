#include "markup/format_font_effects.h"

#include "core/codec.h"
#include "markup/format_commands.h"

namespace qy {

std::vector<std::string> FontChoiceNames() {
  return {Sjis("ＭＳ Ｐゴシック"),
          Sjis("ＭＳ Ｐ明朝"),
          Sjis("ＭＳ ゴシック"),
          Sjis("ＭＳ 明朝"),
          "System",
          "Times New Roman",
          "Symbol",
          "Arial",
          "MS UI Gothic"};
}

std::vector<std::string> FontStyleNames() {
  return {Sjis("通常"), Sjis("斜体"), Sjis("太字"), Sjis("太字斜体")};
}

std::vector<std::string> FontSizeNames() {
  std::vector<std::string> names;
  for (int points : kSizePoints) names.push_back(std::to_string(points));
  return names;
}

FontEffects InitialFontEffects(const ProjectHeader& header) {
  FontEffects e;
  e.font =
      header.FontNameIndex >= 0 && header.FontNameIndex < kFontChoices ? header.FontNameIndex : 0;
  e.size =
      header.FontSizeIndex >= 0 && header.FontSizeIndex < kSizeChoices ? header.FontSizeIndex : 3;
  return e;
}

std::vector<std::string> FontEffectWords(const FontEffects& effects, const ProjectHeader& header) {
  std::vector<std::string> words;
  if (effects.font != header.FontNameIndex && effects.font >= 0 && effects.font < kFontChoices) {
    words.push_back("\\f" + std::to_string(effects.font));
  }
  if (effects.style == FontStyle::kItalic) words.push_back("\\i");
  if (effects.style == FontStyle::kBold || effects.style == FontStyle::kBoldItalic) {
    words.push_back("\\b");
  }
  if (effects.style == FontStyle::kBoldItalic) words.push_back("\\i");
  if (effects.size != header.FontSizeIndex && effects.size >= 0 && effects.size < kSizeChoices) {
    words.push_back("\\fs" + std::to_string(kSizePoints[effects.size] * 2));
  }
  if (effects.colour > 1 && effects.colour <= kColourChoices) {
    words.push_back("\\cf" + std::to_string(effects.colour));
  }
  return words;
}

bool ApplyFontEffects(Editor& editor, const FontEffects& effects, const ProjectHeader& header) {
  const std::vector<std::string> words = FontEffectWords(effects, header);
  if (words.empty()) return false;
  return ApplyControlWords(editor, words);
}

std::string FontSampleText(int font) {
  return font == kSymbolFont ? std::string("AaBbYyZz") : Sjis("Aaあぁアァ亜阿字");
}

std::optional<std::uint32_t> SampleBackgroundColour(std::string_view windows_section) {
  const std::size_t at = windows_section.find(",(r");
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view digits = windows_section.substr(at + 3);
  digits = digits.substr(0, digits.find(')'));
  digits = digits.substr(0, 8);
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + static_cast<std::uint32_t>(c - '0');
  }
  return value;
}

}  // namespace qy
