#include "topic/standard_tables.h"

#include "core/codec.h"

namespace qy::topic {

const std::vector<FontEntry>& StandardFonts() {
  static const std::vector<FontEntry> fonts = {
      {0, Sjis("ＭＳ Ｐゴシック"), "roman", 128},
      {1, Sjis("ＭＳ Ｐ明朝"), "roman", 128},
      {2, Sjis("ＭＳ ゴシック"), "modern", 128},
      {3, Sjis("ＭＳ 明朝"), "roman", 128},
      {4, "System", "nil", 128},
      {5, "Times New Roman", "roman", 0},
      {6, "Symbol", "roman", 2},
      {7, "Arial", "swiss", 0},
      {8, "MS UI Gothic", "modern", 128},
  };
  return fonts;
}

const std::vector<Color>& StandardColors() {
  static const std::vector<Color> colors = {
      {0, 0, 0, true}, {0, 0, 0},       {0, 0, 255},   {0, 255, 255},   {0, 255, 0},
      {255, 0, 255},   {255, 0, 0},     {255, 255, 0}, {255, 255, 255}, {0, 0, 127},
      {0, 127, 127},   {0, 127, 0},     {127, 0, 127}, {127, 0, 0},     {127, 127, 0},
      {127, 127, 127}, {192, 192, 192},
  };
  return colors;
}

}  // namespace qy::topic
