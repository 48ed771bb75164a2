// Reads a display or table record's paragraph and character formatting
// (LinkData1) alongside its strings (LinkData2): the text with paragraph
// breaks, and the hotspots' jump targets.
#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {
namespace {

using namespace hlp_bytes;

class RecordParser {
 public:
  RecordParser(std::string_view format, std::string_view strings)
      : format_(format), strings_(strings) {}

  bool Fail(std::string text) {
    if (error_.empty()) error_ = std::move(text);
    return false;
  }
  bool Need(std::size_t n) {
    return Has(format_, at_, n) || Fail("formatting runs past the end of the record");
  }
  // A compressed value: 1 or 2 bytes (short) or 2 or 4 bytes (long), the
  // longer form when bit 0 is set; the value is the rest shifted down.
  bool Compressed(bool is_long, std::uint32_t* value = nullptr) {
    if (!Need(1)) return false;
    std::size_t size = (is_long ? 2 : 1) * ((U8(format_, at_) & 1) ? 2 : 1);
    if (!Need(size)) return false;
    std::uint32_t raw = size == 1   ? U8(format_, at_)
                        : size == 2 ? U16(format_, at_)
                                    : U32(format_, at_);
    if (value != nullptr) *value = raw >> 1;
    at_ += size;
    return true;
  }
  // The signed form: the value is biased by half the range of its size (the
  // viewer subtracts 0x4000 from a two-byte long, 0x40000000 from a
  // four-byte one).
  bool CompressedSignedLong(std::int64_t* value) {
    if (!Need(1)) return false;
    const bool four = U8(format_, at_) & 1;
    std::uint32_t raw = 0;
    if (!Compressed(true, &raw)) return false;
    *value = static_cast<std::int64_t>(raw) - (four ? 0x40000000 : 0x4000);
    return true;
  }

  void EmitString() {
    if (string_at_ >= strings_.size()) return;
    std::size_t nul = strings_.find('\0', string_at_);
    if (nul == std::string_view::npos) nul = strings_.size();
    text_ += strings_.substr(string_at_, nul - string_at_);
    string_at_ = nul + 1;
  }

  bool ParagraphInfo() {
    if (!Need(6)) return false;
    std::uint16_t bits = U16(format_, at_ + 4);
    at_ += 6;
    if ((bits & 0x0001) && !Compressed(true)) return false;
    for (std::uint16_t bit = 0x0002; bit <= 0x0040; bit <<= 1) {
      if ((bits & bit) && !Compressed(false)) return false;
    }
    if (bits & 0x0100) {
      if (!Need(3)) return false;
      at_ += 3;
    }
    if (bits & 0x0200) {
      // The count is signed: biased by 0x40 in one byte, 0x4000 in two.
      if (!Need(1)) return false;
      const std::uint32_t bias = (U8(format_, at_) & 1) ? 0x4000 : 0x40;
      std::uint32_t stops = 0, stop = 0;
      if (!Compressed(false, &stops)) return false;
      if (stops < bias) return Fail("a paragraph has a negative number of tab stops");
      stops -= bias;
      for (std::uint32_t i = 0; i < stops; ++i) {
        if (!Compressed(false, &stop)) return false;
        if ((stop & 0x4000) && !Compressed(false)) return false;
      }
    }
    return true;
  }

  // One paragraph group's character formatting, up to its 0xFF.
  bool Commands(std::vector<HlpJump>* jumps) {
    while (true) {
      EmitString();
      if (!Need(1)) return false;
      std::uint8_t command = U8(format_, at_++);
      switch (command) {
        case 0xFF:
          return true;
        case 0x20:
        case 0xE0:
        case 0xE1:
        case 0xE2:
        case 0xE3:
        case 0xE6:
        case 0xE7:
          if (!Need(4)) return false;
          if (command >= 0xE0) {
            jumps->push_back({command, static_cast<std::int32_t>(U32(format_, at_)), false});
          }
          at_ += 4;
          break;
        case 0x21:
        case 0x80:
          if (!Need(2)) return false;
          at_ += 2;
          break;
        case 0x81:
        case 0x82:
          text_.push_back('\n');
          break;
        case 0x83:
          text_.push_back('\t');
          break;
        case 0x8B:
          text_.push_back(' ');
          break;
        case 0x8C:
          text_.push_back('-');
          break;
        case 0x89:
          break;
        case 0x86:
        case 0x87:
        case 0x88: {
          if (!Need(1)) return false;
          std::uint8_t kind = U8(format_, at_++);
          std::int64_t size = 0;
          has_pictures_ = true;
          if (!CompressedSignedLong(&size)) return false;
          if (size < 0) return Fail("a picture command gives a negative size");
          if (kind == 0x22 && !Compressed(false)) return false;
          if (!Need(static_cast<std::size_t>(size))) return false;
          if (kind == 0x03 || kind == 0x22) {
            // PictureIsEmbedded, then the |bmN number when it is not.
            if (size < 4) return Fail("a picture command is too short for its picture");
            if (U16(format_, at_) == 0) pictures_.push_back(U16(format_, at_ + 2));
          }
          at_ += static_cast<std::size_t>(size);
          break;
        }
        case 0xC8:
        case 0xCC: {
          if (!Need(2) || !Need(2 + U16(format_, at_))) return false;
          at_ += 2 + U16(format_, at_);
          break;
        }
        case 0xEA:
        case 0xEB:
        case 0xEE:
        case 0xEF: {
          if (!Need(2) || !Need(2 + U16(format_, at_))) return false;
          std::uint8_t kind = U8(format_, at_ + 2);
          jumps->push_back(
              {command, static_cast<std::int32_t>(U32(format_, at_ + 3)), kind == 4 || kind == 6});
          at_ += 2 + U16(format_, at_);
          break;
        }
        default:
          return Fail("formatting command " + Hex(command) + " is unknown");
      }
    }
  }

  bool Parse(std::uint8_t type, std::vector<HlpJump>* jumps) {
    if (!Compressed(true) || !Compressed(false)) return false;
    if (type == 0x23) {
      if (!Need(2)) return false;
      std::uint8_t columns = U8(format_, at_), table = U8(format_, at_ + 1);
      at_ += 2 + ((table == 0 || table == 2) ? 2 : 0) + 4u * columns;
      while (true) {
        if (!Need(2)) return false;
        if (S16(format_, at_) == -1) return true;
        if (!Need(5)) return false;
        at_ += 5;
        if (!ParagraphInfo() || !Commands(jumps)) return false;
        text_.push_back('\n');
      }
    }
    return ParagraphInfo() && Commands(jumps);
  }

  std::string text_;
  std::string error_;
  bool has_pictures_ = false;
  std::vector<int> pictures_;

 private:
  std::string_view format_, strings_;
  std::size_t at_ = 0;
  std::size_t string_at_ = 0;
};

}  // namespace

std::string ReadHlpRecord(std::uint8_t type, std::string_view format, std::string_view strings,
                          std::vector<HlpJump>* jumps, std::vector<int>* pictures,
                          std::string* error, bool* has_pictures) {
  RecordParser parser(format, strings);
  if (!parser.Parse(type, jumps)) *error = parser.error_;
  *has_pictures = parser.has_pictures_;
  pictures->insert(pictures->end(), parser.pictures_.begin(), parser.pictures_.end());
  while (!parser.text_.empty() && parser.text_.back() == '\n') parser.text_.pop_back();
  return parser.text_;
}

}  // namespace qy::testing
