// |FONT: the face names and the font descriptors that the topic text's
// 0x80 commands select by number. Each distinct look of text (face, size,
// bold/italic/underline/strike, colour) becomes one descriptor.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "topic/document.h"

namespace qy::hlp {

struct FontLook {
  std::string face;  // Shift-JIS
  std::uint8_t family = 3;
  int half_points = 20;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool double_underline = false;
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  auto Key() const {
    return std::tie(face, family, half_points, bold, italic, underline, strike, double_underline,
                    red, green, blue);
  }
  bool operator<(const FontLook& other) const { return Key() < other.Key(); }
};

// The family number the descriptors use for a markup family name
// ("roman", "swiss", ...): not the order Windows itself uses.
std::uint8_t FontFamilyNumber(const std::string& family);

// The look of text in `format` as the document's font and colour tables
// describe it. Hotspot markers (underlines, strike) are the caller's
// business: they are copied as they are.
FontLook LookOf(const topic::Document& document, const topic::CharFormat& format);

class FontTable {
 public:
  // The descriptor number for `look`, added on first use.
  int Descriptor(const FontLook& look);
  int size() const { return static_cast<int>(looks_.size()); }
  // The |FONT internal file without its file header. A table with no
  // descriptor gets one plain descriptor, since the viewer divides by the
  // number of face names.
  std::string Build() const;

 private:
  std::vector<FontLook> looks_;
  std::map<FontLook, int> numbers_;
};

}  // namespace qy::hlp
