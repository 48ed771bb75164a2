#include "hlp/bitmap_rle.h"

#include <cstdint>

namespace qy::hlp {

namespace {

class Canvas {
 public:
  Canvas(int bits, int width, int height)
      : bits_(bits),
        width_(width),
        height_(height),
        row_(((static_cast<std::size_t>(width) * bits + 31) / 32) * 4),
        pixels_(row_ * static_cast<std::size_t>(height), '\0') {}

  void Put(int value) {
    if (x_ < width_ && y_ < height_) {
      char& byte =
          pixels_[static_cast<std::size_t>(y_) * row_ + static_cast<std::size_t>(x_ * bits_ / 8)];
      if (bits_ == 8) {
        byte = static_cast<char>(value);
      } else if (x_ % 2 == 0) {
        byte = static_cast<char>((byte & 0x0F) | (value & 0x0F) << 4);
      } else {
        byte = static_cast<char>((byte & 0xF0) | (value & 0x0F));
      }
    }
    ++x_;
  }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }
  bool Full() const { return y_ >= height_; }
  std::string Take() { return std::move(pixels_); }

 private:
  int bits_, width_, height_;
  std::size_t row_;
  std::string pixels_;
  std::int64_t x_ = 0, y_ = 0;  // a run of runs can pass any int
};

}  // namespace

std::optional<std::string> ExpandBitmapRle(std::string_view rle, int bits, int width, int height) {
  Canvas canvas(bits, width, height);
  const auto byte = [&rle](std::size_t at) { return static_cast<unsigned char>(rle[at]); };
  std::size_t at = 0;
  while (!canvas.Full()) {
    if (at + 2 > rle.size()) return std::nullopt;
    const int count = byte(at), value = byte(at + 1);
    at += 2;
    if (count > 0) {  // a run: in 4-bit data the two pixels of `value` alternate
      for (int i = 0; i < count; ++i) {
        canvas.Put(bits == 8 ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
      }
    } else if (value == 0) {
      canvas.NextLine();
    } else if (value == 1) {
      break;  // end of the bitmap
    } else if (value == 2) {
      if (at + 2 > rle.size()) return std::nullopt;
      canvas.Move(byte(at), byte(at + 1));
      at += 2;
    } else {  // `value` pixels as they are, padded to a 16-bit boundary
      const std::size_t bytes = bits == 8 ? value : (value + 1) / 2;
      if (at + bytes > rle.size()) return std::nullopt;
      for (int i = 0; i < value; ++i) {
        const unsigned char b = byte(at + static_cast<std::size_t>(i) * bits / 8);
        canvas.Put(bits == 8 ? b : (i % 2 == 0 ? b >> 4 : b & 0x0F));
      }
      at += bytes + bytes % 2;
    }
  }
  return canvas.Take();
}

}  // namespace qy::hlp
