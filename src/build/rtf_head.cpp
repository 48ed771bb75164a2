#include "build/rtf_head.h"

#include <array>

#include "build/rtf_text.h"
#include "core/codec.h"

namespace qy {

namespace {

constexpr std::array<int, kFontSizeCount> kFontSizes = {16, 18, 20, 22, 24, 28, 32, 36,
                                                        40, 44, 48, 52, 56, 72, 96, 144};
constexpr int kDefaultFontSizeIndex = 3;

// Japanese names are written escaped; the words before them are written as
// the table has always declared them (row 0 says \froman for a gothic face).
std::string FontTable() {
  std::string t = "{\\fonttbl";
  t += "{\\f0\\froman\\fprq1\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ Ｐゴシック")) + ";}";
  t += "{\\f1\\froman\\fprq2\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ Ｐ明朝")) + ";}";
  t += "{\\f2\\fmodern\\fprq1\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ ゴシック")) + ";}";
  t += "{\\f3\\froman\\fprq1\\fcharset128 " + EscapeDbcs(Sjis("ＭＳ 明朝")) + ";}";
  t += "{\\f4\\fnil\\fcharset128 System;}";
  t += "{\\f5\\froman\\fprq2\\fcharset0 Times New Roman;}";
  t += "{\\f6\\froman\\fprq2\\fcharset2 Symbol;}";
  t += "{\\f7\\fswiss\\fprq2\\fcharset0 Arial;}";
  t += "{\\f8\\fmodern\\fprq2\\fcharset128 MS UI Gothic;}";
  t += "}";
  return t;
}

}  // namespace

int FontSizeHalfPoints(int font_size_index) {
  if (font_size_index < 0 || font_size_index >= kFontSizeCount) {
    font_size_index = kDefaultFontSizeIndex;
  }
  return kFontSizes[static_cast<std::size_t>(font_size_index)];
}

int EffectiveFontIndex(int font_name_index) {
  return font_name_index >= 0 && font_name_index < kFontCount ? font_name_index : 0;
}

std::string BuildRtfHeader(int font_name_index) {
  static const std::string kFontTable = FontTable();
  return "{\\rtf1\\ansi \\deff" + std::to_string(EffectiveFontIndex(font_name_index)) + kFontTable;
}

std::string BuildRtfHeader(const ProjectModel& project) {
  return BuildRtfHeader(project.Header().FontNameIndex);
}

std::string BuildColorTable() {
  return "{\\colortbl;\\red0\\green0\\blue0;\\red0\\green0\\blue255;\\red0\\green255\\blue255;"
         "\\red0\\green255\\blue0;\\red255\\green0\\blue255;\\red255\\green0\\blue0;"
         "\\red255\\green255\\blue0;\\red255\\green255\\blue255;\\red0\\green0\\blue127;"
         "\\red0\\green127\\blue127;\\red0\\green127\\blue0;\\red127\\green0\\blue127;"
         "\\red127\\green0\\blue0;\\red127\\green127\\blue0;\\red127\\green127\\blue127;"
         "\\red192\\green192\\blue192;}";
}

std::string BuildTopicFormatLine(const ProjectModel& project) {
  const ProjectHeader& h = project.Header();
  return "\\trowd\\pard\\plain\\f" + std::to_string(EffectiveFontIndex(h.FontNameIndex)) + "\\fs" +
         std::to_string(FontSizeHalfPoints(h.FontSizeIndex));
}

}  // namespace qy
