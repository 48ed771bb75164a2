#include "hlp/picture.h"

#include <cstdint>
#include <optional>

#include "hlp/bitmap_rle.h"
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

constexpr std::uint64_t kMaxExpandedBitmap = 64u << 20;

PictureResult Fail(std::string why) { return {false, {}, std::move(why)}; }

// The "lP" file of a single picture whose record is `body`.
PictureResult OnePicture(std::string_view body) {
  PictureResult result{true, {}, {}};
  PutU16(result.data, 0x506C);  // "lP"
  PutU16(result.data, 1);
  PutU32(result.data, 8);
  result.data += body;
  return result;
}

std::uint32_t Dpi(std::uint32_t pels_per_metre) {
  const std::uint32_t dpi = (pels_per_metre * 254 + 5000) / 10000;
  return dpi == 0 || dpi > 10000 ? 96 : dpi;
}

// A metafile with the placeable header (what drawing programs save as .wmf):
// the help file keeps the metafile records and the picture's size in
// hundredths of a millimetre.
PictureResult ConvertMetafile(std::string_view file) {
  constexpr std::size_t kPlaceable = 22;
  if (file.size() < kPlaceable + 18) return Fail("The metafile (.wmf) is cut short.");
  const auto coordinate = [&file](std::size_t at) {
    return static_cast<std::int16_t>(U16At(file, at));
  };
  const int width = coordinate(10) - coordinate(6);
  const int height = coordinate(12) - coordinate(8);
  const std::uint32_t per_inch = U16At(file, 14);
  const std::string_view records = file.substr(kPlaceable);
  const std::uint64_t words = U32At(records, 6);
  if (width <= 0 || height <= 0 || per_inch == 0 || U16At(records, 2) != 9 ||
      (U16At(records, 0) != 1 && U16At(records, 0) != 2) || words * 2 > records.size() ||
      words < 9) {
    return Fail("The metafile (.wmf) header is damaged.");
  }
  const std::uint64_t w = static_cast<std::uint64_t>(width) * 2540 / per_inch;
  const std::uint64_t h = static_cast<std::uint64_t>(height) * 2540 / per_inch;
  if (w > 0xFFFF || h > 0xFFFF) return Fail("The metafile (.wmf) picture is too large.");
  const auto size = static_cast<std::uint32_t>(words * 2);

  std::string body;           // from the picture type on
  PutU8(body, 8);             // metafile
  PutU8(body, 0);             // stored as it is
  PutCompressedU16(body, 8);  // MM_ANISOTROPIC: scaled to the size below
  PutU16(body, static_cast<unsigned>(w));
  PutU16(body, static_cast<unsigned>(h));
  PutCompressedU32(body, size);
  PutCompressedU32(body, size);
  PutCompressedU32(body, 0);  // no hotspots
  const auto data_offset = static_cast<std::uint32_t>(body.size() + 8);
  PutU32(body, data_offset);
  PutU32(body, 0);
  body.append(records.substr(0, size));

  return OnePicture(body);
}

}  // namespace

PictureResult ConvertPicture(std::string_view file) {
  if (file.size() >= 4 && file[0] == 'l' && (file[1] == 'P' || file[1] == 'p')) {
    return {true, std::string(file), {}};
  }
  if (file.size() >= 4 && U32At(file, 0) == 0x9AC6CDD7) {
    return ConvertMetafile(file);
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
  // RLE8 and RLE4 are expanded: the help file holds plain rows.
  const bool rle = (compression == 1 && bits == 8) || (compression == 2 && bits == 4);
  if (compression != 0 && !rle) return Fail("Only RLE8 and RLE4 bitmap compression is supported.");
  const std::uint64_t row = ((static_cast<std::uint64_t>(width) * bits + 31) / 32) * 4;
  std::uint64_t data_size = row * static_cast<std::uint64_t>(height);
  std::optional<std::string> expanded;
  if (rle) {
    // A few bytes of runs can claim any size; plain rows are bounded by
    // the file's own size, expanded ones need a bound of their own.
    if (data_size > kMaxExpandedBitmap) return Fail("The bitmap is too large (over 64 MB).");
    if (data_at > file.size()) return Fail("The bitmap file is shorter than its header says.");
    expanded = ExpandBitmapRle(file.substr(data_at), static_cast<int>(bits), width, height);
    if (!expanded) return Fail("The run-length data of the bitmap is cut short.");
    data_size = 0;  // nothing more to find in the file
  }
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
  PutCompressedU32(body, static_cast<std::uint32_t>(expanded ? expanded->size() : data_size));
  PutCompressedU32(body, 0);  // no hotspots
  const std::size_t offsets_at = body.size();
  PutU32(body, 0);  // data offset, set below
  PutU32(body, 0);  // hotspot offset
  body.append(file.substr(palette_at, colours_used * 4));
  const auto data_offset = static_cast<std::uint32_t>(body.size());
  for (int i = 0; i < 4; ++i) body[offsets_at + i] = static_cast<char>(data_offset >> (8 * i));
  if (expanded) {
    body += *expanded;
  } else {
    body.append(file.substr(data_at, data_size));
  }

  return OnePicture(body);
}

}  // namespace qy::hlp
