#include "hlp/display_record.h"

#include <cstring>
#include <string_view>

#include "hlp/bytes.h"
#include "hlp/compact_numbers.h"
#include "hlp/topic_compiler.h"

namespace qy::hlp {
namespace {

// Paragraph-info flag bits.
constexpr unsigned kSpaceBefore = 0x0002;
constexpr unsigned kSpaceAfter = 0x0004;
constexpr unsigned kLineSpacing = 0x0008;
constexpr unsigned kLeftIndent = 0x0010;
constexpr unsigned kRightIndent = 0x0020;
constexpr unsigned kFirstIndent = 0x0040;
constexpr unsigned kBorders = 0x0100;
constexpr unsigned kTabs = 0x0200;
constexpr unsigned kAlignRight = 0x0400;
constexpr unsigned kAlignCenter = 0x0800;
constexpr unsigned kNoWrap = 0x1000;

// A tab stop's position, flagged when its kind follows.
constexpr unsigned kTabHasKind = 0x4000;
constexpr unsigned kTabKindRight = 1;
constexpr unsigned kTabKindCenter = 2;

// Formatting commands.
constexpr unsigned kFont = 0x80;
constexpr unsigned kLineBreak = 0x81;
constexpr unsigned kParagraphEnd = 0x82;
constexpr unsigned kTab = 0x83;
constexpr unsigned kPictureCentre = 0x86;
constexpr unsigned kPictureLeft = 0x87;
constexpr unsigned kPictureRight = 0x88;
constexpr unsigned kHotspotEnd = 0x89;
constexpr unsigned kNonBreakingSpace = 0x8B;
constexpr unsigned kNonBreakingHyphen = 0x8C;
constexpr unsigned kMacro = 0xC8;
constexpr unsigned kPopup = 0xE2;
constexpr unsigned kJump = 0xE3;
constexpr unsigned kPopupFar = 0xEA;  // into another file or a window
constexpr unsigned kJumpFar = 0xEB;
// Added to a hotspot command: the text keeps its own font (no green, no
// underline from the viewer).
constexpr unsigned kKeepFont = 0x04;

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

class Encoder {
 public:
  Encoder(const topic::Topic& topic, DisplayContext& context, DisplayRecord& record)
      : topic_(topic),
        context_(context),
        commands_(context.commands),
        text_(record.data2),
        unknown_windows_(record.unknown_windows),
        skipped_(record.skipped_commands),
        record_(record) {
    commands_.clear();
    text_.clear();
    unknown_windows_.clear();
    skipped_.clear();
  }

  void Encode(const topic::Paragraph& paragraph) {
    // The text is at most the runs' text and a NUL per command: at most
    // three for each run and three at the end. Sized for that once, it is
    // written in place (no call per NUL) and cut to its length at the end.
    std::size_t most = 3;
    for (const topic::Inline& item : paragraph.inlines) {
      most += 3;
      if (item.kind == topic::InlineKind::kText) most += item.text.size();
    }
    text_.resize(most);
    text_used_ = 0;
    PutLayout(paragraph.format);
    for (const topic::Inline& item : paragraph.inlines) PutInline(item);
    EndHotspot();
    Command(kParagraphEnd);
    Command(0xFF);
    text_.resize(text_used_);

    std::string& data1 = record_.data1;
    data1.clear();
    data1.reserve(commands_.size() + 8);  // two compact numbers lead
    // TopicSize (the size of what follows TopicLength) and TopicLength (the
    // text bytes, each NUL included) lead LinkData1.
    PutCompactI32(data1, static_cast<std::int32_t>(commands_.size()));
    PutCompactU16(data1, static_cast<unsigned>(text_.size()));
    data1 += commands_;
  }

 private:
  void PutLayout(const topic::ParagraphFormat& format) {
    unsigned bits = 0;
    std::string fields;
    const auto field = [&](unsigned bit, int twips) {
      if (twips == 0) return;
      bits |= bit;
      PutCompactI16(fields, TwipsToRecordUnits(twips));
    };
    field(kSpaceBefore, format.space_before);
    field(kSpaceAfter, format.space_after);
    field(kLineSpacing, format.line_spacing);
    field(kLeftIndent, format.left_indent);
    field(kRightIndent, format.right_indent);
    field(kFirstIndent, format.first_indent);
    if (format.borders.Any()) {
      bits |= kBorders;
      unsigned sides = 0;
      if (format.borders.box) sides |= 0x01;
      if (format.borders.top) sides |= 0x02;
      if (format.borders.left) sides |= 0x04;
      if (format.borders.bottom) sides |= 0x08;
      if (format.borders.right) sides |= 0x10;
      if (format.borders.line == topic::BorderLine::kThick) sides |= 0x20;
      if (format.borders.line == topic::BorderLine::kDouble) sides |= 0x40;
      PutU8(fields, sides);
      PutI16(fields, 1);  // line width in half-points
    }
    if (!format.tabs.empty()) {
      bits |= kTabs;
      PutCompactI16(fields, static_cast<int>(format.tabs.size()));
      for (const topic::TabStop& tab : format.tabs) {
        const unsigned position =
            static_cast<unsigned>(std::max(0, TwipsToRecordUnits(tab.position))) & 0x3FFF;
        if (tab.kind == topic::TabKind::kLeft) {
          PutCompactU16(fields, position);
          continue;
        }
        // A stop of another kind carries its kind after the position.
        PutCompactU16(fields, position | kTabHasKind);
        PutCompactU16(fields, tab.kind == topic::TabKind::kRight ? kTabKindRight : kTabKindCenter);
      }
    }
    if (format.align == topic::Align::kRight) bits |= kAlignRight;
    if (format.align == topic::Align::kCenter) bits |= kAlignCenter;
    if (format.no_wrap) bits |= kNoWrap;

    // 0x00 0x80, the paragraph id (0) and the flag bits, in one piece.
    const char head[6] = {'\x00',
                          '\x80',
                          '\x00',
                          '\x00',
                          static_cast<char>(bits & 0xFF),
                          static_cast<char>((bits >> 8) & 0xFF)};
    commands_.append(head, sizeof head);
    commands_ += fields;
  }

  // A formatting command ends the current piece of text.
  void Command(unsigned code) {
    PutText(std::string_view("", 1));
    PutU8(commands_, code);
  }

  void PutText(std::string_view bytes) {
    if (text_.size() - text_used_ < bytes.size()) text_.resize(2 * (text_used_ + bytes.size()));
    std::memcpy(text_.data() + text_used_, bytes.data(), bytes.size());
    text_used_ += bytes.size();
  }

  void PutInline(const topic::Inline& item) {
    switch (item.kind) {
      case topic::InlineKind::kHidden:
        return;
      case topic::InlineKind::kEmbedded:
        skipped_.push_back(item.text);
        return;
      case topic::InlineKind::kText:
        // The font first, so a hotspot's text is drawn from its start in
        // the font that belongs to it.
        if (item.hotspot != hotspot_) EndHotspot();
        UseFont(item);
        UseHotspot(item.hotspot);
        PutRunText(item);
        return;
      case topic::InlineKind::kLineBreak:
        UseHotspot(item.hotspot);
        Command(kLineBreak);
        return;
      case topic::InlineKind::kTab:
        UseHotspot(item.hotspot);
        Command(kTab);
        return;
      case topic::InlineKind::kPicture:
        UseHotspot(item.hotspot);
        PutPicture(item);
        return;
    }
  }

  // Non-breaking spaces and hyphens are commands of their own in place of
  // the character.
  void PutRunText(const topic::Inline& item) {
    std::string_view text = item.text;
    std::size_t done = 0;
    for (const std::uint32_t at : item.non_breaking) {
      if (at < done || at >= text.size() || (text[at] != ' ' && text[at] != '-')) continue;
      AppendWithoutNuls(text.substr(done, at - done));
      Command(text[at] == ' ' ? kNonBreakingSpace : kNonBreakingHyphen);
      done = at + 1;
    }
    AppendWithoutNuls(text.substr(done));
  }

  // A NUL would end the text early in the viewer, so it is left out.
  void AppendWithoutNuls(std::string_view text) {
    while (!text.empty()) {
      const std::size_t nul = text.find('\0');
      PutText(text.substr(0, nul));
      if (nul == std::string_view::npos) return;
      text.remove_prefix(nul + 1);
    }
  }

  void UseFont(const topic::Inline& item) {
    topic::CharFormat format = item.format;
    bool keep_underline = false;
    if (item.hotspot >= 0) {
      const topic::Hotspot& hotspot = topic_.hotspots[static_cast<std::size_t>(item.hotspot)];
      // "*": the hotspot keeps its underline but not the viewer's colour.
      keep_underline = hotspot.target.no_colour && !hotspot.target.no_underline;
      format.underline = false;
      format.double_underline = false;
      format.strike = false;
    }
    const int descriptor = FontDescriptor(format, keep_underline);
    if (descriptor == font_) return;
    font_ = descriptor;
    Command(kFont);
    PutU16(commands_, static_cast<unsigned>(descriptor));
  }

  int FontDescriptor(const topic::CharFormat& format, bool keep_underline) {
    constexpr std::size_t kMemoSize = 8;
    std::vector<DisplayContext::FontMemo>& memo = context_.font_memo;
    for (const DisplayContext::FontMemo& entry : memo) {
      if (entry.keep_underline == keep_underline && entry.format == format) {
        return entry.descriptor;
      }
    }
    FontLook look = LookOf(*context_.document, format);
    if (keep_underline) look.underline = true;
    const int descriptor = context_.fonts->Descriptor(look);
    const DisplayContext::FontMemo entry{format, keep_underline, descriptor};
    if (memo.size() < kMemoSize) {
      memo.push_back(entry);
    } else {
      memo[context_.font_memo_next] = entry;
      context_.font_memo_next = (context_.font_memo_next + 1) % kMemoSize;
    }
    return descriptor;
  }

  void EndHotspot() {
    if (hotspot_ < 0) return;
    Command(kHotspotEnd);
    hotspot_ = -1;
  }

  void UseHotspot(int index) {
    if (index == hotspot_) return;
    EndHotspot();
    if (index < 0) return;
    hotspot_ = index;
    const topic::Hotspot& hotspot = topic_.hotspots[static_cast<std::size_t>(index)];
    const topic::HotspotTarget& target = hotspot.target;
    const unsigned keep_font = (target.no_colour || target.no_underline) ? kKeepFont : 0;
    if (hotspot.kind == topic::HotspotKind::kMacro) {
      Command(kMacro | keep_font);
      PutU16(commands_, static_cast<unsigned>(target.macro.size() + 1));
      PutStringZ(commands_, target.macro);
      return;
    }
    const bool popup = hotspot.kind == topic::HotspotKind::kPopup;
    const std::int32_t hash = ContextHash(target.context);
    if (target.file.empty() && target.window.empty()) {
      Command((popup ? kPopup : kJump) | keep_font);
      PutI32(commands_, hash);
      return;
    }
    std::string far;
    if (target.file.empty()) {
      const int window = WindowNumber(target.window);
      if (window < 0) {
        unknown_windows_.push_back(index);
        PutU8(far, 0);
        PutI32(far, hash);
      } else {
        PutU8(far, 1);
        PutI32(far, hash);
        PutU8(far, static_cast<unsigned>(window));
      }
    } else if (target.window.empty()) {
      PutU8(far, 4);
      PutI32(far, hash);
      PutStringZ(far, target.file);
    } else {
      // The viewer reads the window name before the file name.
      PutU8(far, 6);
      PutI32(far, hash);
      PutStringZ(far, target.window);
      PutStringZ(far, target.file);
    }
    Command((popup ? kPopupFar : kJumpFar) | keep_font);
    PutU16(commands_, static_cast<unsigned>(far.size()));
    commands_ += far;
  }

  int WindowNumber(const std::string& name) const {
    if (context_.window_names == nullptr) return -1;
    const std::string wanted = AsciiLower(name);
    for (std::size_t i = 0; i < context_.window_names->size(); ++i) {
      if (AsciiLower((*context_.window_names)[i]) == wanted) return static_cast<int>(i);
    }
    return -1;
  }

  void PutPicture(const topic::Inline& item) {
    if (item.picture < 0 || item.picture >= static_cast<int>(topic_.pictures.size())) return;
    const topic::Picture& picture = topic_.pictures[static_cast<std::size_t>(item.picture)];
    const std::string key = AsciiLower(picture.file);
    auto found = context_.picture_numbers->find(key);
    if (found == context_.picture_numbers->end()) {
      found =
          context_.picture_numbers->emplace(key, static_cast<int>(context_.pictures->size())).first;
      context_.pictures->push_back(picture.file);
    }
    const unsigned code = picture.position == 'l'   ? kPictureLeft
                          : picture.position == 'r' ? kPictureRight
                                                    : kPictureCentre;
    Command(code);
    PutU8(commands_, 3);          // a picture kept in its own |bmN file
    PutCompactI32(commands_, 4);  // size of what follows
    PutI16(commands_, 0);         // not embedded
    PutI16(commands_, found->second);
  }

  const topic::Topic& topic_;
  DisplayContext& context_;
  std::string& commands_;
  std::string& text_;  // LinkData2, its first text_used_ bytes written so far
  std::size_t text_used_ = 0;
  std::vector<int>& unknown_windows_;
  std::vector<std::string>& skipped_;
  DisplayRecord& record_;
  int font_ = -1;
  int hotspot_ = -1;
};

}  // namespace

int TwipsToRecordUnits(int twips) { return twips >= 0 ? (twips + 5) / 10 : -((-twips + 5) / 10); }

DisplayRecord EncodeParagraph(const topic::Topic& topic, const topic::Paragraph& paragraph,
                              DisplayContext& context) {
  DisplayRecord record;
  EncodeParagraph(topic, paragraph, context, record);
  return record;
}

void EncodeParagraph(const topic::Topic& topic, const topic::Paragraph& paragraph,
                     DisplayContext& context, DisplayRecord& record) {
  Encoder(topic, context, record).Encode(paragraph);
}

}  // namespace qy::hlp
