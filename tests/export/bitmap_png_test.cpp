#include "export/bitmap_png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace qy::help_export {
namespace {

// Little-endian; bytes past the fourth are zero.
void Put(std::string& s, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) s += static_cast<char>(i < 4 ? (v >> (8 * i)) & 0xff : 0);
}

// A Windows bitmap with the 40-byte header; `rows` bottom row first unless
// `height` is negative.
std::string Bmp(int width, int height, int bits, const std::vector<std::uint32_t>& palette,
                const std::string& rows, std::uint32_t compression = 0) {
  std::string h;
  Put(h, 40, 4);
  Put(h, static_cast<std::uint32_t>(width), 4);
  Put(h, static_cast<std::uint32_t>(height), 4);
  Put(h, 1, 2);
  Put(h, static_cast<std::uint32_t>(bits), 2);
  Put(h, compression, 4);
  Put(h, 0, 4 * 3);
  Put(h, static_cast<std::uint32_t>(palette.size()), 4);
  Put(h, 0, 4);
  for (std::uint32_t c : palette) Put(h, c, 4);
  std::string file = "BM";
  Put(file, static_cast<std::uint32_t>(14 + h.size() + rows.size()), 4);
  Put(file, 0, 4);
  Put(file, static_cast<std::uint32_t>(14 + h.size()), 4);
  return file + h + rows;
}

// The RGBA pixels of a PNG this encoder wrote (one IDAT, filter 0).
std::string Pixels(const std::string& png, int* width, int* height) {
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  auto be = [&png](std::size_t at) {
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(png[at])) << 24) |
           (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  *width = static_cast<int>(be(16));
  *height = static_cast<int>(be(20));
  const std::size_t idat = png.find("IDAT");
  const std::uint32_t size = be(idat - 4);
  uLongf raw_size = static_cast<uLongf>(*height * (*width * 4 + 1));
  std::string raw(raw_size, '\0');
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_size,
                       reinterpret_cast<const Bytef*>(png.data() + idat + 4), size),
            Z_OK);
  std::string pixels;
  for (int y = 0; y < *height; ++y) {
    const std::size_t row = static_cast<std::size_t>(y * (*width * 4 + 1));
    EXPECT_EQ(raw[row], '\0');
    pixels += raw.substr(row + 1, static_cast<std::size_t>(*width * 4));
  }
  return pixels;
}

TEST(BitmapPng, WhiteBecomesTransparentInEveryDepth) {
  const std::string red_white =
      std::string("\xff\x00\x00\xff", 4) + std::string("\xff\xff\xff\x00", 4);
  struct Case {
    const char* name;
    std::string bmp;
  } cases[] = {
      // 2x1, red then white: 24 bits (B G R, row padded to 4 bytes).
      {"24", Bmp(2, 1, 24, {}, std::string("\x00\x00\xff\xff\xff\xff\x00\x00", 8))},
      {"32", Bmp(2, 1, 32, {}, std::string("\x00\x00\xff\x00\xff\xff\xff\x00", 8))},
      {"8", Bmp(2, 1, 8, {0xff0000, 0xffffff}, std::string("\x00\x01\x00\x00", 4))},
      {"4", Bmp(2, 1, 4, {0xff0000, 0xffffff}, std::string("\x01\x00\x00\x00", 4))},
      {"1", Bmp(2, 1, 1, {0xff0000, 0xffffff}, std::string("\x40\x00\x00\x00", 4))},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto png = BmpToTransparentPng(c.bmp, &error);
    ASSERT_TRUE(png.has_value()) << c.name << ": " << error;
    int w = 0, h = 0;
    EXPECT_EQ(Pixels(*png, &w, &h), red_white) << c.name;
    EXPECT_EQ(w, 2);
    EXPECT_EQ(h, 1);
  }
}

TEST(BitmapPng, RowOrderFollowsTheHeightSign) {
  // Two rows of one pixel: black stored first, white second.
  const std::string rows = std::string("\x00\x00\x00\x00\xff\xff\xff\x00", 8);
  int w = 0, h = 0;
  const std::string bottom_up =
      Pixels(*BmpToTransparentPng(Bmp(1, 2, 24, {}, rows), nullptr), &w, &h);
  EXPECT_EQ(bottom_up, std::string("\xff\xff\xff\x00\x00\x00\x00\xff", 8));
  const std::string top_down =
      Pixels(*BmpToTransparentPng(Bmp(1, -2, 24, {}, rows), nullptr), &w, &h);
  EXPECT_EQ(top_down, std::string("\x00\x00\x00\xff\xff\xff\xff\x00", 8));
}

TEST(BitmapPng, RefusesWhatItCanNotRead) {
  const std::string pixel = std::string("\x00\x00\x00\x00", 4);
  const std::string cases[] = {
      "",
      "GIF89a" + std::string(40, '\0'),
      Bmp(1, 1, 24, {}, ""),                                 // pixels missing
      Bmp(1, 1, 8, {0}, pixel, 1),                           // RLE8
      Bmp(1, 1, 16, {}, pixel),                              // 16 bits
      Bmp(0, 1, 24, {}, pixel),                              // no width
      Bmp(100000, 1, 24, {}, pixel),                         // absurd size
      Bmp(1, static_cast<int>(0x80000000u), 24, {}, pixel),  // INT_MIN height
  };
  for (const std::string& bmp : cases) {
    std::string error;
    EXPECT_FALSE(BmpToTransparentPng(bmp, &error).has_value());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace qy::help_export
