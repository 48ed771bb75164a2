#include "export/bitmap_png.h"

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "core/codec.h"

namespace qy::help_export {

namespace {

// Larger pictures than this are not help pictures; refusing them keeps a
// damaged header from asking for gigabytes.
constexpr std::int64_t kMaxSide = 16384;

std::uint32_t Le(std::string_view data, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(data[at + static_cast<std::size_t>(i)]);
  }
  return value;
}

void PutBe(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xff);
}

void Chunk(std::string& png, const char* type, const std::string& data) {
  PutBe(png, static_cast<std::uint32_t>(data.size()));
  const std::string body = std::string(type, 4) + data;
  png += body;
  PutBe(png, static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()),
                                              static_cast<uInt>(body.size()))));
}

std::nullopt_t Fail(std::string* error, const char* utf8) {
  if (error) *error = Sjis(utf8);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> BmpToTransparentPng(std::string_view bmp, std::string* error) {
  if (bmp.size() < 26 || bmp[0] != 'B' || bmp[1] != 'M') {
    return Fail(error, "ビットマップ (BMP) ファイルではありません。");
  }
  const std::uint32_t pixel_offset = Le(bmp, 10, 4);
  const std::uint32_t header_size = Le(bmp, 14, 4);
  std::int64_t width = 0;
  std::int64_t height = 0;
  int bits = 0;
  std::uint32_t compression = 0;
  std::uint32_t colours_used = 0;
  std::size_t palette_entry = 4;
  if (header_size == 12) {
    width = Le(bmp, 18, 2);
    height = Le(bmp, 20, 2);
    bits = static_cast<int>(Le(bmp, 24, 2));
    palette_entry = 3;
  } else if (header_size >= 40 && bmp.size() >= 54) {
    width = static_cast<std::int32_t>(Le(bmp, 18, 4));
    height = static_cast<std::int32_t>(Le(bmp, 22, 4));
    bits = static_cast<int>(Le(bmp, 28, 2));
    compression = Le(bmp, 30, 4);
    colours_used = Le(bmp, 46, 4);
  } else {
    return Fail(error, "ビットマップの見出しが壊れています。");
  }
  const bool top_down = height < 0;
  if (top_down) height = -height;
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) {
    return Fail(error, "ビットマップの大きさが不正です。");
  }
  if (compression != 0) return Fail(error, "圧縮されたビットマップは変換できません。");
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
    return Fail(error, "この色数のビットマップは変換できません。");
  }
  std::vector<std::uint32_t> palette;  // 0xRRGGBB
  if (bits <= 8) {
    std::size_t count = colours_used != 0 ? colours_used : (1u << bits);
    if (count > 256) count = 256;
    const std::size_t at = 14 + header_size;
    for (std::size_t i = 0; i < count && at + (i + 1) * palette_entry <= bmp.size(); ++i) {
      const std::size_t e = at + i * palette_entry;
      palette.push_back(static_cast<std::uint32_t>(Le(bmp, e, 3)));  // B G R -> 0xRRGGBB
    }
    palette.resize(std::size_t{1} << bits, 0);
  }
  const std::size_t stride = static_cast<std::size_t>((width * bits + 31) / 32 * 4);
  if (pixel_offset > bmp.size() ||
      bmp.size() - pixel_offset < stride * static_cast<std::size_t>(height)) {
    return Fail(error, "ビットマップの画素データが足りません。");
  }
  std::string raw;
  raw.reserve(static_cast<std::size_t>(height) * (static_cast<std::size_t>(width) * 4 + 1));
  for (std::int64_t y = 0; y < height; ++y) {
    const std::int64_t row_index = top_down ? y : height - 1 - y;
    const std::string_view row =
        bmp.substr(pixel_offset + static_cast<std::size_t>(row_index) * stride, stride);
    raw += '\0';  // filter: none
    for (std::int64_t x = 0; x < width; ++x) {
      std::uint32_t rgb = 0;
      const std::size_t ux = static_cast<std::size_t>(x);
      if (bits == 24 || bits == 32) {
        rgb = Le(row, ux * static_cast<std::size_t>(bits / 8), 3);
      } else {
        const std::size_t bit = ux * static_cast<std::size_t>(bits);
        const unsigned byte = static_cast<unsigned char>(row[bit / 8]);
        const unsigned index =
            (byte >> (8 - bits - static_cast<int>(bit % 8))) & ((1u << bits) - 1);
        rgb = palette[index];
      }
      raw += static_cast<char>((rgb >> 16) & 0xff);
      raw += static_cast<char>((rgb >> 8) & 0xff);
      raw += static_cast<char>(rgb & 0xff);
      raw += static_cast<char>(rgb == 0xffffff ? 0 : 0xff);
    }
  }
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  std::string packed(packed_size, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packed_size,
                reinterpret_cast<const Bytef*>(raw.data()), static_cast<uLong>(raw.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    return Fail(error, "PNG の圧縮に失敗しました。");
  }
  packed.resize(packed_size);
  std::string png = "\x89PNG\r\n\x1a\n";
  std::string header;
  PutBe(header, static_cast<std::uint32_t>(width));
  PutBe(header, static_cast<std::uint32_t>(height));
  header += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA
  Chunk(png, "IHDR", header);
  Chunk(png, "IDAT", packed);
  Chunk(png, "IEND", "");
  return png;
}

}  // namespace qy::help_export
