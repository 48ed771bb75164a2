#include "export/bitmap_png.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdint>
#include <vector>

namespace qy::help_export {
namespace {

// A Windows bitmap with the 40-byte header; `rows` bottom row first unless
// `height` is negative.
std::string Bmp(std::uint32_t width, std::uint32_t height, std::uint32_t bits,
                const std::vector<std::uint32_t>& palette, const std::string& rows,
                std::uint32_t compression = 0) {
  const std::uint32_t colours = static_cast<std::uint32_t>(palette.size());
  const std::uint32_t start = 14 + 40 + 4 * colours;
  const std::uint32_t size = start + static_cast<std::uint32_t>(rows.size());
  // The file header, then the 40-byte one: planes 1 and the bit count share
  // a word, three zero words of sizes and resolutions.
  std::vector<std::uint32_t> words = {size,        0, start, 40, width,   height, 1 | bits << 16,
                                      compression, 0, 0,     0,  colours, 0};
  words.insert(words.end(), palette.begin(), palette.end());
  std::string h = "BM";
  for (std::uint32_t v : words) {
    for (int i = 0; i < 4; ++i) h += static_cast<char>((v >> (8 * i)) & 0xff);
  }
  return h + rows;
}

// The RGBA pixels of a PNG this encoder wrote (one IDAT, filter 0), after
// its width and height.
std::string Pixels(const std::string& png) {
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  auto be = [&png](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(png[at + i]);
    return v;
  };
  const std::uint32_t width = be(16), height = be(20);
  const std::size_t idat = png.find("IDAT");
  uLongf raw_size = static_cast<uLongf>(height * (width * 4 + 1));
  std::string raw(raw_size, '\0');
  EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(raw.data()), &raw_size,
                       reinterpret_cast<const Bytef*>(png.data() + idat + 4), be(idat - 4)),
            Z_OK);
  std::string pixels = std::to_string(width) + "x" + std::to_string(height) + ":";
  for (std::size_t row = 0; row < raw.size(); row += width * 4 + 1) {
    EXPECT_EQ(raw[row], '\0');
    pixels += raw.substr(row + 1, width * 4);
  }
  return pixels;
}

TEST(BitmapPng, EveryDepthAndRowOrderWithWhiteTransparent) {
  const std::string red = std::string("\xff\x00\x00\xff", 4);
  const std::string white = std::string("\xff\xff\xff\x00", 4);
  const std::string black = std::string("\x00\x00\x00\xff", 4);
  const std::vector<std::uint32_t> palette = {0xff0000, 0xffffff};
  // Two rows of one pixel: black stored first, white second.
  const std::string black_white = std::string("\x00\x00\x00\x00\xff\xff\xff\x00", 8);
  const struct {
    const char* name;
    std::string bmp;
    std::string pixels;
  } cases[] = {
      // 2x1, red then white: B G R, rows padded to 4 bytes.
      {"24", Bmp(2, 1, 24, {}, std::string("\x00\x00\xff\xff\xff\xff\x00\x00", 8)),
       "2x1:" + red + white},
      {"32", Bmp(2, 1, 32, {}, std::string("\x00\x00\xff\x00\xff\xff\xff\x00", 8)),
       "2x1:" + red + white},
      {"8", Bmp(2, 1, 8, palette, std::string("\x00\x01\x00\x00", 4)), "2x1:" + red + white},
      {"4", Bmp(2, 1, 4, palette, std::string("\x01\x00\x00\x00", 4)), "2x1:" + red + white},
      {"1", Bmp(2, 1, 1, palette, std::string("\x40\x00\x00\x00", 4)), "2x1:" + red + white},
      {"bottom up", Bmp(1, 2, 24, {}, black_white), "1x2:" + white + black},
      {"top down", Bmp(1, -2, 24, {}, black_white), "1x2:" + black + white},
  };
  for (const auto& c : cases) {
    std::string error;
    const auto png = BmpToTransparentPng(c.bmp, &error);
    ASSERT_TRUE(png.has_value()) << c.name << ": " << error;
    EXPECT_EQ(Pixels(*png), c.pixels) << c.name;
  }
}

TEST(BitmapPng, RefusesWhatItCanNotRead) {
  const std::string pixel = std::string("\x00\x00\x00\x00", 4);
  const std::string cases[] = {
      "GIF89a" + std::string(40, '\0'),   Bmp(1, 1, 24, {}, ""),  // pixels missing
      Bmp(1, 1, 8, {0}, pixel, 1),                                // RLE8
      Bmp(1, 1, 16, {}, pixel),                                   // 16 bits
      Bmp(0, 1, 24, {}, pixel),                                   // no width
      Bmp(100000, 1, 24, {}, pixel),                              // absurd size
      Bmp(1, 0x80000000u, 24, {}, pixel),                         // INT_MIN height
  };
  for (const std::string& bmp : cases) {
    std::string error;
    EXPECT_FALSE(BmpToTransparentPng(bmp, &error).has_value());
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
}  // namespace qy::help_export
