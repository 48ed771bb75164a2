#include "hlp/picture.h"

#include <cstdint>

#include "hlp/bytes.h"

namespace qy::hlp {

namespace {

std::uint32_t U16At(std::string_view s, std::size_t at) {
  return static_cast<unsigned char>(s[at]) | static_cast<unsigned char>(s[at + 1]) << 8;
}
std::uint32_t U32At(std::string_view s, std::size_t at) {
  return U16At(s, at) | U16At(s, at + 2) << 16;
}

// Values below 2^15 take two bytes (value * 2), others four (value * 2 + 1).
void PutCompressedU32(std::string& out, std::uint32_t value) {
  if (value < 0x8000) {
    PutU16(out, value * 2);
  } else {
    PutU32(out, value * 2 + 1);
  }
}
// Values below 128 take one byte (value * 2), others two (value * 2 + 1).
void PutCompressedU16(std::string& out, unsigned value) {
  if (value < 0x80) {
    PutU8(out, value * 2);
  } else {
    PutU16(out, value * 2 + 1);
  }
}

PictureResult Fail(std::string why) { return {false, {}, std::move(why)}; }

std::uint32_t Dpi(std::uint32_t pels_per_metre) {
  const std::uint32_t dpi = (pels_per_metre * 254 + 5000) / 10000;
  return dpi == 0 || dpi > 10000 ? 96 : dpi;
}

}  // namespace

PictureResult ConvertPicture(std::string_view file) {
  if (file.size() >= 4 && file[0] == 'l' && (file[1] == 'P' || file[1] == 'p')) {
    return {true, std::string(file), {}};
  }
  if (file.size() >= 4 && U32At(file, 0) == 0x9AC6CDD7) {
    return Fail("Metafile pictures (.wmf) are not supported yet; convert it to a .bmp file.");
  }
  if (file.size() < 14 + 40 || file[0] != 'B' || file[1] != 'M') {
    return Fail("Not a Windows bitmap (.bmp) file.");
  }
  const std::uint32_t data_at = U32At(file, 10);
  const std::uint32_t header_size = U32At(file, 14);
  if (header_size < 40 || 14 + header_size > file.size()) {
    return Fail("Bitmap header not supported (OS/2 or damaged bitmap).");
  }
  const auto width = static_cast<std::int32_t>(U32At(file, 18));
  const auto height = static_cast<std::int32_t>(U32At(file, 22));
  const unsigned planes = U16At(file, 26);
  const unsigned bits = U16At(file, 28);
  const std::uint32_t compression = U32At(file, 30);
  std::uint32_t colours_used = U32At(file, 46);
  const std::uint32_t colours_important = U32At(file, 50);
  if (width <= 0 || height <= 0 || width > 0x7FFF || height > 0x7FFF) {
    return Fail("Bitmap size not supported (top-down, empty or too large).");
  }
  if (planes != 1 || (bits != 1 && bits != 4 && bits != 8 && bits != 24)) {
    return Fail("Only bitmaps of 1, 4, 8 or 24 bits per pixel are supported.");
  }
  if (compression != 0) return Fail("Compressed bitmaps (RLE) are not supported yet.");
  const std::uint64_t row = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  const std::uint64_t data_size = row * static_cast<std::uint64_t>(height);
  if (bits <= 8 && (colours_used == 0 || colours_used > (1u << bits))) colours_used = 1u << bits;
  if (bits > 8) colours_used = 0;
  const std::uint64_t palette_at = 14 + header_size;
  if (palette_at + colours_used * 4ull > file.size() || data_at > file.size() ||
      data_size > file.size() - data_at) {
    return Fail("The bitmap file is shorter than its header says.");
  }

  std::string body;  // from the picture type on
  PutU8(body, 6);    // device-independent bitmap
  PutU8(body, 0);    // stored as it is
  PutCompressedU32(body, Dpi(U32At(file, 38)));
  PutCompressedU32(body, Dpi(U32At(file, 42)));
  PutCompressedU16(body, planes);
  PutCompressedU16(body, bits);
  PutCompressedU32(body, static_cast<std::uint32_t>(width));
  PutCompressedU32(body, static_cast<std::uint32_t>(height));
  PutCompressedU32(body, colours_used);
  PutCompressedU32(body, colours_important > colours_used ? 0 : colours_important);
  PutCompressedU32(body, static_cast<std::uint32_t>(data_size));
  PutCompressedU32(body, 0);  // no hotspots
  const std::size_t offsets_at = body.size();
  PutU32(body, 0);  // data offset, set below
  PutU32(body, 0);  // hotspot offset
  body.append(file.substr(palette_at, colours_used * 4));
  const auto data_offset = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) body[offsets_at + i] = static_cast<char>(data_offset >> (8 * i));
  body.append(file.substr(data_at, data_size));

  PictureResult result{true, {}, {}};
  PutU16(result.data, 0x506C);  // "lP"
  PutU16(result.data, 1);
  PutU32(result.data, 8);
  result.data += body;
  return result;
}

}  // namespace qy::hlp
