#include "hlp/font_table.h"

#include <algorithm>

#include "hlp/bytes.h"

namespace qy::hlp {
namespace {

// Face names are stored in fixed 32-byte slots, NUL-terminated.
constexpr std::size_t kFaceSlot = 32;
constexpr char kFallbackFace[] = "Arial";

bool IsLeadByte(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }

// At most `limit` bytes, never ending between a lead and a trail byte.
std::string CutAtCharacter(const std::string& text, std::size_t limit) {
  std::size_t end = 0;
  while (end < text.size()) {
    const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return text.substr(0, std::min(end, text.size()));
}

}  // namespace

std::uint8_t FontFamilyNumber(const std::string& family) {
  if (family == "modern") return 1;
  if (family == "roman") return 2;
  if (family == "script") return 4;
  if (family == "decor") return 5;
  return 3;  // swiss, tech, nil and anything unknown
}

FontLook LookOf(const topic::Document& document, const topic::CharFormat& format) {
  FontLook look;
  const topic::FontEntry* font = document.Font(format.font);
  if (font == nullptr) font = document.Font(document.default_font);
  if (font != nullptr && !font->name.empty()) {
    look.face = font->name;
    look.family = FontFamilyNumber(font->family);
  } else {
    look.face = kFallbackFace;
  }
  look.half_points = std::clamp(format.size, 1, 255);
  look.bold = format.bold;
  look.italic = format.italic;
  look.underline = format.underline;
  look.double_underline = format.double_underline;
  look.strike = format.strike;
  const topic::Color color = document.ColorAt(format.color);
  if (!color.automatic) {
    look.red = color.red;
    look.green = color.green;
    look.blue = color.blue;
  }
  return look;
}

int FontTable::Descriptor(const FontLook& look) {
  const auto found = numbers_.find(look);
  if (found != numbers_.end()) return found->second;
  const int number = static_cast<int>(looks_.size());
  looks_.push_back(look);
  numbers_.emplace(look, number);
  return number;
}

std::string FontTable::Build() const {
  std::vector<FontLook> looks = looks_;
  if (looks.empty()) {
    FontLook plain;
    plain.face = kFallbackFace;
    looks.push_back(plain);
  }
  std::vector<std::string> faces;
  std::vector<int> face_of;
  for (const FontLook& look : looks) {
    const std::string face = CutAtCharacter(look.face, kFaceSlot - 1);
    auto it = std::find(faces.begin(), faces.end(), face);
    if (it == faces.end()) it = faces.insert(faces.end(), face);
    face_of.push_back(static_cast<int>(it - faces.begin()));
  }
  std::string out;
  PutU16(out, static_cast<unsigned>(faces.size()));
  PutU16(out, static_cast<unsigned>(looks.size()));
  PutU16(out, 8);  // face names right after this header
  PutU16(out, static_cast<unsigned>(8 + kFaceSlot * faces.size()));
  for (const std::string& face : faces) {
    std::string slot = face;
    slot.resize(kFaceSlot, '\0');
    out += slot;
  }
  for (std::size_t i = 0; i < looks.size(); ++i) {
    const FontLook& look = looks[i];
    unsigned attributes = 0;
    if (look.bold) attributes |= 0x01;
    if (look.italic) attributes |= 0x02;
    if (look.underline) attributes |= 0x04;
    if (look.strike) attributes |= 0x08;
    if (look.double_underline) attributes |= 0x10;
    PutU8(out, attributes);
    PutU8(out, static_cast<unsigned>(look.half_points));
    PutU8(out, look.family);
    PutU16(out, static_cast<unsigned>(face_of[i]));
    PutU8(out, look.red);
    PutU8(out, look.green);
    PutU8(out, look.blue);
    PutU8(out, 0);  // background colour: unused by the viewer
    PutU8(out, 0);
    PutU8(out, 0);
  }
  return out;
}

}  // namespace qy::hlp
