// Run-length bitmaps and metafiles, turned into what the help file holds.
#include <gtest/gtest.h>

#include "hlp/bitmap_rle.h"
#include "hlp/picture.h"

namespace qy::hlp {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += static_cast<char>(v);
  return s;
}

TEST(BitmapRleTest, ExpandsRunsLiteralsAndMoves) {
  struct Case {
    int bits, width, height;
    std::string rle, rows;  // rows: bottom first, 4-byte padded
  };
  const Case cases[] = {
      // RLE8: a run of 3, end of line, 3 literal bytes (padded to a word), a
      // run of 1, end.
      {8, 4, 2, Bytes({3, 7, 0, 0, 0, 3, 1, 2, 3, 0, 1, 9, 0, 1}), Bytes({7, 7, 7, 0, 1, 2, 3, 9})},
      // A delta of one right and one up, then a run cut at the right edge.
      {8, 2, 2, Bytes({0, 2, 1, 1, 5, 9, 0, 1}), Bytes({0, 0, 0, 0, 0, 9, 0, 0})},
      // RLE4: a run alternates the two nibbles; 3 literal pixels take two
      // bytes and are padded to a word; the fifth pixel is past the edge.
      {4, 5, 1, Bytes({3, 0x12, 0, 3, 0x34, 0x50, 0, 1}), Bytes({0x12, 0x13, 0x40, 0})},
      // The data stops without an end: rows not reached stay 0.
      {8, 1, 2, Bytes({1, 4, 0, 1}), Bytes({4, 0, 0, 0, 0, 0, 0, 0})},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExpandBitmapRle(c.rle, c.bits, c.width, c.height), c.rows) << c.rle.size();
  }
  EXPECT_EQ(ExpandBitmapRle(Bytes({0, 5, 1, 2}), 8, 5, 1), std::nullopt);  // literal cut short
  EXPECT_EQ(ExpandBitmapRle(Bytes({2}), 8, 2, 1), std::nullopt);
}

TEST(PictureFormatsTest, Rle8BitmapIsStoredExpanded) {
  std::string bmp = "BM";
  for (std::uint32_t v :
       {0u, 0u, 14u + 40 + 8, 40u, 3u, 1u, 1u | 8u << 16, 1u, 0u, 3780u, 3780u, 2u, 0u}) {
    for (int i = 0; i < 4; ++i) bmp += static_cast<char>(v >> (8 * i));
  }
  bmp += std::string(8, '\x20') + Bytes({3, 1, 0, 1});
  const PictureResult r = ConvertPicture(bmp);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.data[9], 0);  // stored as it is
  EXPECT_EQ(r.data.substr(r.data.size() - 4), Bytes({1, 1, 1, 0}));
  // 30000 x 30000 pixels from four bytes of runs: refused, not expanded.
  bmp[18] = bmp[22] = 0x30;
  bmp[19] = bmp[23] = 0x75;
  EXPECT_FALSE(ConvertPicture(bmp).ok);
}

TEST(PictureFormatsTest, PlaceableMetafileKeepsRecordsAndSize) {
  // Placeable header: a 2 x 1 inch box at 1440 units per inch.
  std::string wmf = Bytes({0xD7, 0xCD, 0xC6, 0x9A, 0, 0, 0, 0, 0, 0});
  wmf += Bytes({0x40, 0x0B, 0xA0, 0x05, 0xA0, 0x05, 0, 0, 0, 0, 0, 0});  // 2880, 1440, 1440
  // Header of 9 words, 12 words in all, then one 3-word end record.
  const std::string records =
      Bytes({1, 0, 9, 0, 0, 3, 12, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0, 3, 0, 0, 0, 0, 0});
  const PictureResult r = ConvertPicture(wmf + records + "trailing");
  ASSERT_TRUE(r.ok) << r.error;
  const std::string& d = r.data;
  EXPECT_EQ(d.substr(0, 8), Bytes({'l', 'P', 1, 0, 8, 0, 0, 0}));
  EXPECT_EQ(d.substr(8, 7), Bytes({8, 0, 16, 0xD8, 0x13, 0xEC, 0x09}));  // 5080 x 2540
  EXPECT_EQ(d.substr(15, 6), Bytes({48, 0, 48, 0, 0, 0}));  // 24 bytes twice, no hotspots
  EXPECT_EQ(static_cast<unsigned char>(d[21]), 21u);        // records offset
  EXPECT_EQ(d.substr(8 + 21), records);
  std::string broken = wmf + records;
  broken[22 + 6] = 40;  // more words than the file holds
  EXPECT_FALSE(ConvertPicture(broken).ok);
}

}  // namespace
}  // namespace qy::hlp
