// The generated code page 932 tables and the case rules of the text
// mappings, checked code by code against ICU, which only the table generator
// and this test link.
#include <gtest/gtest.h>
#include <unicode/uchar.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/text_mapping.h"

namespace qy {
namespace {

class WindowsConverter {
 public:
  WindowsConverter() {
    UErrorCode status = U_ZERO_ERROR;
    cnv_ = ucnv_open("windows-31j", &status);
    ucnv_setToUCallBack(cnv_, UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    ucnv_setFromUCallBack(cnv_, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &status);
    EXPECT_TRUE(U_SUCCESS(status));
  }
  ~WindowsConverter() { ucnv_close(cnv_); }

  // The one character `code` decodes to.
  std::optional<char16_t> Decode(const std::string& code) {
    UChar out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetToUnicode(cnv_);
    const int32_t n =
        ucnv_toUChars(cnv_, out, 4, code.data(), static_cast<int32_t>(code.size()), &status);
    if (U_FAILURE(status) || n != 1) return std::nullopt;
    return out[0];
  }

  std::string Encode(char16_t c) {
    char out[4];
    UErrorCode status = U_ZERO_ERROR;
    ucnv_resetFromUnicode(cnv_);
    const int32_t n = ucnv_fromUChars(cnv_, out, 4, &c, 1, &status);
    return U_FAILURE(status) ? std::string() : std::string(out, static_cast<std::size_t>(n));
  }

 private:
  UConverter* cnv_ = nullptr;
};

std::u16string Utf16Of(char32_t c) {
  if (c < 0x10000) return std::u16string(1, static_cast<char16_t>(c));
  return {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
          static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
}

// Every single byte that is no lead byte and every lead and trail byte pair,
// ascending.
std::vector<std::string> AllCodes() {
  std::vector<std::string> codes;
  for (int b = 0; b < 0x100; ++b) {
    if (!IsLeadByte(static_cast<unsigned char>(b))) codes.emplace_back(1, static_cast<char>(b));
  }
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      if (IsLeadByte(static_cast<unsigned char>(lead)) &&
          IsTrailByte(static_cast<unsigned char>(trail))) {
        codes.push_back({static_cast<char>(lead), static_cast<char>(trail)});
      }
    }
  }
  return codes;
}

unsigned Value(const std::string& code) {
  unsigned v = 0;
  for (char c : code) v = v << 8 | static_cast<unsigned char>(c);
  return v;
}

TEST(Cp932TablesAgainstIcu, EveryCodeDecodesToIcusCharacterAndComesBack) {
  WindowsConverter icu;
  // The codes above ASCII of each character ICU decodes one to, ascending.
  std::map<char16_t, std::vector<std::string>> codes_of;
  for (const std::string& code : AllCodes()) {
    const std::u16string decoded = Cp932ToUtf16(code);
    if (code.size() == 1 && Value(code) < 0x80) {
      EXPECT_EQ(decoded, Utf16Of(Value(code)));
    } else if (auto c = icu.Decode(code)) {
      ASSERT_FALSE(decoded.empty());
      EXPECT_EQ(decoded[0], *c) << std::hex << Value(code);
      codes_of[*c].push_back(code);
    } else {
      const char32_t reserved =
          code.size() == 1 ? kStrayByteBase + Value(code) : kUndefinedPairBase + Value(code);
      EXPECT_EQ(decoded, Utf16Of(reserved)) << std::hex << Value(code);
    }
  }
  ASSERT_GT(codes_of.size(), 7000u);
  // One code of each character decodes to the bare character: ASCII's own
  // byte, else ICU's code when it is one of them, else the lowest. The
  // others carry markers 1, 2, ... in ascending order.
  for (const auto& [c, codes] : codes_of) {
    std::string canonical = c < 0x80 ? std::string(1, static_cast<char>(c)) : icu.Encode(c);
    if (c >= 0x80 && std::find(codes.begin(), codes.end(), canonical) == codes.end()) {
      canonical = codes.front();
    }
    int marker = 0;
    for (const std::string& code : codes) {
      std::u16string expected(1, c);
      if (code != canonical) expected += Utf16Of(kDuplicateMarker1 - marker++);
      EXPECT_EQ(Cp932ToUtf16(code), expected) << std::hex << Value(code);
      EXPECT_EQ(Utf16ToCp932(expected), code) << std::hex << Value(code);
    }
  }
}

TEST(CaseMappingAgainstIcu, EveryCharacterOfTheCodePageMapsAsUnicodeSays) {
  WindowsConverter icu;
  for (const std::string& code : AllCodes()) {
    const auto c = code.size() == 1 && Value(code) < 0x80 ? static_cast<char16_t>(Value(code))
                                                          : icu.Decode(code);
    if (!c) continue;
    for (bool upper : {true, false}) {
      const UChar32 mapped = upper ? u_toupper(*c) : u_tolower(*c);
      std::string expected = code;
      if (mapped != *c && mapped <= 0xFFFF && ShiftJisHolds(static_cast<char32_t>(mapped))) {
        const std::string bytes = Utf16ToCp932(Utf16Of(static_cast<char32_t>(mapped)));
        if (bytes.size() == code.size()) expected = bytes;
      }
      EXPECT_EQ(MapText(code, upper ? TextMapping::kUpperCase : TextMapping::kLowerCase), expected)
          << std::hex << Value(code) << (upper ? " to upper" : " to lower");
    }
  }
}

}  // namespace
}  // namespace qy
