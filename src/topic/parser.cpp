#include "topic/parser.h"

#include <algorithm>

#include "core/codec.h"
#include "core/cp932.h"
#include "topic/control_words.h"
#include "topic/hotspot_target.h"
#include "topic/standard_tables.h"
#include "topic/tokenizer.h"

namespace qy::topic {

namespace {

enum class Destination : std::uint8_t { kBody, kFontTable, kColorTable, kFootnote, kSkip };

// Deeper groups are still counted, so braces stay balanced, but share the
// state of this depth; no real topic nests anywhere near it.
constexpr std::size_t kMaxDepth = 256;

// Font sizes in half-points that a renderer can draw: 1 to 500 points.
constexpr int kMinSize = 2;
constexpr int kMaxSize = 1000;

struct State {
  CharFormat chr;
  ParagraphFormat para;
  TabKind next_tab = TabKind::kLeft;  // set by \tqr or \tqc, taken by \tx
  Destination dest = Destination::kBody;
};

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

class Parser {
 public:
  Parser(std::string_view text, const ParseOptions& options) : text_(text), options_(options) {
    cur_.chr = PlainFormat();
    doc_.default_font = options.default_font;
    doc_.topics.emplace_back();
  }

  Document Run() {
    Tokenizer tokens(text_);
    std::string escaped;
    while (true) {
      // Built in place each time: assigning a returned token to a long-lived
      // one costs a copy per token.
      const Token t = tokens.Next();
      if (t.kind == TokenKind::kEnd) break;
      if (t.kind != TokenKind::kHexEscape || t.malformed) {
        Handle(t);
        continue;
      }
      // Japanese text arrives as long runs of "\'hh"; adding each run as one
      // piece of text saves a text step per byte and reads the same. Body
      // text is decoded straight into its run.
      group_fresh_ = false;
      if (std::string* run = VisibleTextRun()) {
        run->push_back(static_cast<char>(t.byte));
        tokens.ReadHexRun(*run);
        continue;
      }
      escaped.assign(1, static_cast<char>(t.byte));
      tokens.ReadHexRun(escaped);
      AddText(escaped, t.offset);
    }
    if (cur_.dest == Destination::kFootnote) FinishFootnote();
    for (std::size_t open = stack_.size() + overflow_; open > 0; --open) {
      AddNote(NoteKind::kUnclosedGroup, text_.size());
    }
    EndTopic();
    if (options_.sink != nullptr) {
      if (handed_over_ == 0 || !IsEmpty(doc_.topics.back())) HandOver();
      doc_.topics.clear();
    } else if (doc_.topics.size() > 1 && IsEmpty(doc_.topics.back())) {
      doc_.topics.pop_back();
    }
    if (!saw_font_table_) doc_.fonts = StandardFonts();
    if (!saw_color_table_) doc_.colors = StandardColors();
    return std::move(doc_);
  }

 private:
  CharFormat PlainFormat() const {
    CharFormat format;
    format.font = doc_.default_font;
    format.size = options_.default_size;
    return format;
  }

  static bool IsEmpty(const Topic& topic) {
    return topic.paragraphs.empty() && topic.footnotes.empty();
  }

  void AddNote(NoteKind kind, std::size_t offset, std::string_view word = {}) {
    doc_.notes.push_back({kind, offset, std::string(word)});
  }

  Topic& CurrentTopic() { return doc_.topics.back(); }

  void Handle(const Token& t) {
    // "\*" marks an ignorable destination only as the first thing in a group.
    const bool fresh = group_fresh_;
    group_fresh_ = t.kind == TokenKind::kGroupOpen;
    if (!fresh && t.kind == TokenKind::kControlSymbol && t.byte == '*') return;
    switch (t.kind) {
      case TokenKind::kText:
        AddText(t.word, t.offset);
        break;
      case TokenKind::kGroupOpen:
        OpenGroup();
        break;
      case TokenKind::kGroupClose:
        CloseGroup(t.offset);
        break;
      case TokenKind::kLineEnd:
        break;  // line ends mean nothing in markup
      case TokenKind::kHexEscape:
        if (t.malformed) {
          AddNote(NoteKind::kMalformedEscape, t.offset);
        } else {
          const char byte = static_cast<char>(t.byte);
          AddText(std::string_view(&byte, 1), t.offset);
        }
        break;
      case TokenKind::kControlSymbol:
        ControlSymbol(t);
        break;
      case TokenKind::kControlWord:
        ControlWord(t);
        break;
      case TokenKind::kEnd:
        break;
    }
  }

  void OpenGroup() {
    if (stack_.size() >= kMaxDepth) {
      ++overflow_;
      return;
    }
    stack_.push_back(cur_);
  }

  void CloseGroup(std::size_t offset) {
    star_ = false;
    if (overflow_ > 0) {
      --overflow_;
      return;
    }
    if (stack_.empty()) {
      AddNote(NoteKind::kUnmatchedClose, offset);
      return;
    }
    const Destination leaving = cur_.dest;
    if (leaving == Destination::kFontTable) CommitFont();
    cur_ = std::move(stack_.back());
    stack_.pop_back();
    if (leaving == Destination::kFootnote && cur_.dest != Destination::kFootnote) FinishFootnote();
  }

  // ---- text ----

  void AddText(std::string_view bytes, std::size_t offset) {
    switch (cur_.dest) {
      case Destination::kSkip:
        return;
      case Destination::kFontTable:
        FontText(bytes);
        return;
      case Destination::kColorTable:
        for (char c : bytes) {
          if (c == ';') CommitColor();
        }
        return;
      case Destination::kFootnote:
        if (!cur_.chr.superscript) footnote_.text.append(bytes);
        return;
      case Destination::kBody:
        break;
    }
    if (embedded_open_) {
      embedded_.append(bytes);
      return;
    }
    if (cur_.chr.hidden) {
      AddHidden(bytes, offset);
      return;
    }
    EndTarget();
    AddVisible(bytes, cur_.chr);
  }

  // Where visible text in the current format goes when AddText() would
  // take it as such, or null when it would not.
  std::string* VisibleTextRun() {
    if (cur_.dest != Destination::kBody || embedded_open_ || cur_.chr.hidden) return nullptr;
    EndTarget();
    return &VisibleRun(cur_.chr);
  }

  void AddVisible(std::string_view bytes, const CharFormat& format) {
    VisibleRun(format).append(bytes);
  }

  // A space or hyphen the line must not break at. Where AddText() would not
  // take it as visible text (a footnote, a target, a command) it is a plain
  // one.
  void AddNonBreaking(char c, std::size_t offset) {
    if (cur_.dest != Destination::kBody || embedded_open_ || cur_.chr.hidden) {
      AddText(std::string_view(&c, 1), offset);
      return;
    }
    EndTarget();
    Inline& run = VisibleInline(cur_.chr);
    run.non_breaking.push_back(static_cast<std::uint32_t>(run.text.size()));
    run.text.push_back(c);
  }

  std::string& VisibleRun(const CharFormat& format) { return VisibleInline(format).text; }

  // The last run when it takes more text of `format`, else a fresh run of
  // that format.
  Inline& VisibleInline(const CharFormat& format) {
    std::vector<Inline>& inlines = paragraph_.inlines;
    if (!inlines.empty()) {
      Inline& last = inlines.back();
      if (last.kind == InlineKind::kText && last.hotspot < 0 && last.format == format) {
        return last;
      }
    }
    Inline& run = PushInline();
    run.format = format;
    if (!format.HotspotStyle()) hotspot_style_ = false;
    return run;
  }

  void AddInline(InlineKind kind, int picture = -1, std::string_view text = {}) {
    EndTarget();
    Inline& item = PushInline();
    item.kind = kind;
    item.format = cur_.chr;
    item.picture = picture;
    item.text.assign(text);
  }

  // A fresh run at the end of the paragraph. A streamed read hands each topic
  // over and then keeps the text buffers of its runs, so that a run's text
  // (which may grow as more text of its format follows) mostly goes into
  // one of those instead of memory of its own. Every run takes one while
  // there are any, so no more are kept than a topic has runs.
  Inline& PushInline() {
    Inline& run = paragraph_.inlines.emplace_back();
    if (!spare_texts_.empty()) {
      run.text = std::move(spare_texts_.back());
      spare_texts_.pop_back();
      run.text.clear();
    }
    return run;
  }

  // What a string holds without memory of its own: no buffer to keep.
  static std::size_t ShortText() {
    static const std::size_t room = std::string().capacity();
    return room;
  }

  // Hidden text right after hotspot-styled text is that hotspot's target;
  // other hidden text is kept but shown by no renderer.
  void AddHidden(std::string_view bytes, std::size_t offset) {
    Topic& topic = CurrentTopic();
    if (!collecting_target_) {
      std::vector<Inline>& inlines = paragraph_.inlines;
      std::size_t first = inlines.size();
      while (first > 0) {
        const Inline& run = inlines[first - 1];
        if (run.kind != InlineKind::kText || run.hotspot >= 0 || !run.format.HotspotStyle()) break;
        --first;
      }
      if (first == inlines.size() && !hotspot_style_) {
        if (!inlines.empty() && inlines.back().kind == InlineKind::kHidden) {
          inlines.back().text.append(bytes);
        } else {
          AddInline(InlineKind::kHidden, -1, bytes);
        }
        return;
      }
      const CharFormat style = first < inlines.size() ? inlines[first].format : hotspot_format_;
      const int index = static_cast<int>(topic.hotspots.size());
      Hotspot& hotspot = topic.hotspots.emplace_back();
      hotspot.popup_style = style.underline && !style.double_underline && !style.strike;
      hotspot.offset = offset;
      if (first == inlines.size()) {
        // "{\uldb }{\v ctx}": a hotspot with no text still gets its place.
        PushInline().format = style;
      }
      for (std::size_t i = first; i < inlines.size(); ++i) inlines[i].hotspot = index;
      collecting_target_ = true;
    }
    topic.hotspots.back().raw_target.append(bytes);
  }

  void EndTarget() {
    hotspot_style_ = false;
    if (!collecting_target_) return;
    collecting_target_ = false;
    Hotspot& hotspot = CurrentTopic().hotspots.back();
    ParseHotspotTarget(hotspot.raw_target, hotspot.target);
    ResolveKind(hotspot);
  }

  static void ResolveKind(Hotspot& hotspot) {
    if (!hotspot.target.macro.empty() || hotspot.button) {
      hotspot.kind = HotspotKind::kMacro;
      const MacroLink link = LinkOfMacro(hotspot.target.macro);
      hotspot.macro_context = link.context;
      hotspot.macro_popup = link.popup;
    } else {
      hotspot.kind = hotspot.popup_style ? HotspotKind::kPopup : HotspotKind::kJump;
    }
  }

  // ---- \{ ... \} commands ----

  void OpenEmbedded(std::size_t offset) {
    if (embedded_open_) {
      embedded_.push_back('{');
      return;
    }
    EndTarget();
    embedded_open_ = true;
    embedded_.clear();
    embedded_offset_ = offset;
  }

  void AbandonEmbedded() {
    if (!embedded_open_) return;
    embedded_open_ = false;
    AddNote(NoteKind::kUnclosedCommand, embedded_offset_);
    AddVisible("{" + embedded_, cur_.chr);
  }

  void CloseEmbedded() {
    embedded_open_ = false;
    std::string_view command = TrimBlanks(embedded_);
    const std::size_t blank = command.find(' ');
    const std::string name = AsciiLower(command.substr(0, blank));
    const std::string_view rest =
        blank == std::string_view::npos ? std::string_view() : TrimBlanks(command.substr(blank));
    Topic& topic = CurrentTopic();
    if (name.size() >= 3 && name.size() <= 4 && name.compare(0, 2, "bm") == 0 &&
        (name[2] == 'l' || name[2] == 'c' || name[2] == 'r') &&
        (name.size() == 3 || name[3] == 't')) {
      Picture picture;
      picture.position = name[2];
      picture.transparent = name.size() == 4;
      picture.file = std::string(rest);
      topic.pictures.push_back(std::move(picture));
      AddInline(InlineKind::kPicture, static_cast<int>(topic.pictures.size()) - 1);
      return;
    }
    if (name == "button") {
      const std::size_t comma = rest.find(',');
      Hotspot hotspot;
      hotspot.button = true;
      hotspot.offset = embedded_offset_;
      hotspot.raw_target =
          std::string(comma == std::string_view::npos ? std::string_view()
                                                      : TrimBlanks(rest.substr(comma + 1)));
      hotspot.target.macro = hotspot.raw_target;
      ResolveKind(hotspot);
      topic.hotspots.push_back(std::move(hotspot));
      AddInline(InlineKind::kText, -1, TrimBlanks(rest.substr(0, comma)));
      paragraph_.inlines.back().hotspot = static_cast<int>(topic.hotspots.size()) - 1;
      return;
    }
    AddInline(InlineKind::kEmbedded, -1, embedded_);
  }

  // ---- structure ----

  void EndParagraph() {
    AbandonEmbedded();
    EndTarget();
    paragraph_.format = cur_.para;
    // Neighbouring paragraphs tend to be alike; room for as many runs as the
    // last one saves the regrowth of the run list on every paragraph.
    const std::size_t runs = paragraph_.inlines.size();
    CurrentTopic().paragraphs.push_back(std::move(paragraph_));
    paragraph_ = Paragraph();
    if (spare_run_lists_.empty()) {
      paragraph_.inlines.reserve(runs);
    } else {
      paragraph_.inlines = std::move(spare_run_lists_.back());
      spare_run_lists_.pop_back();
    }
  }

  void EndTopic() {
    AbandonEmbedded();
    EndTarget();
    if (!paragraph_.inlines.empty()) EndParagraph();
  }

  // Gives the current topic to the sink, with the tables as they stand.
  void HandOver() {
    if (!saw_font_table_ && doc_.fonts.empty()) doc_.fonts = StandardFonts();
    if (!saw_color_table_ && doc_.colors.empty()) doc_.colors = StandardColors();
    ++handed_over_;
    options_.sink->Take(doc_, CurrentTopic());
  }

  // The tables change: a topic already handed over saw the old ones.
  void TablesChange() {
    if (handed_over_ > 0) doc_.tables_changed_late = true;
  }

  void NewTopic(std::size_t offset) {
    EndTopic();
    const std::size_t paragraphs = CurrentTopic().paragraphs.size();
    const std::size_t hotspots = CurrentTopic().hotspots.size();
    if (options_.sink != nullptr) {
      HandOver();
      Recycle(CurrentTopic());
    } else {
      doc_.topics.emplace_back();
    }
    Topic& topic = CurrentTopic();
    topic.offset = offset;
    // Likewise for topics: sized like the last one, their lists rarely grow.
    topic.paragraphs.reserve(paragraphs);
    topic.hotspots.reserve(hotspots);
  }

  // Empties a topic the sink has had, keeping its lists, its paragraphs'
  // run lists and its runs' long text buffers as room for the topics still
  // to come.
  void Recycle(Topic& topic) {
    std::vector<Paragraph> paragraphs = std::move(topic.paragraphs);
    for (Paragraph& paragraph : paragraphs) {
      for (Inline& run : paragraph.inlines) {
        if (run.text.capacity() > ShortText()) spare_texts_.push_back(std::move(run.text));
      }
      paragraph.inlines.clear();
      spare_run_lists_.push_back(std::move(paragraph.inlines));
    }
    paragraphs.clear();
    std::vector<Hotspot> hotspots = std::move(topic.hotspots);
    hotspots.clear();
    topic = Topic();
    topic.paragraphs = std::move(paragraphs);
    topic.hotspots = std::move(hotspots);
  }

  void StartFootnote(std::size_t offset) {
    EndTarget();
    AbandonEmbedded();
    footnote_ = Footnote();
    footnote_.offset = offset;
    std::vector<Inline>& inlines = paragraph_.inlines;
    if (!inlines.empty() && inlines.back().kind == InlineKind::kText &&
        !inlines.back().text.empty()) {
      std::string& text = inlines.back().text;
      const unsigned char last = static_cast<unsigned char>(text.back());
      if (last > ' ' && last < 0x7F &&
          FloorCharBoundary(text, text.size() - 1) == text.size() - 1) {
        footnote_.mark = static_cast<char>(last);
        text.pop_back();
        std::vector<std::uint32_t>& non_breaking = inlines.back().non_breaking;
        if (!non_breaking.empty() && non_breaking.back() >= text.size()) non_breaking.pop_back();
        if (text.empty()) inlines.pop_back();
      }
    }
    if (footnote_.mark == 0) AddNote(NoteKind::kFootnoteWithoutMark, offset);
    cur_.dest = Destination::kFootnote;
  }

  void FinishFootnote() {
    footnote_.text = std::string(TrimBlanks(footnote_.text));
    CurrentTopic().footnotes.push_back(std::move(footnote_));
    footnote_ = Footnote();
  }

  void FontText(std::string_view bytes) {
    for (char c : bytes) {
      if (c == ';') {
        CommitFont();
      } else {
        font_.name.push_back(c);
      }
    }
  }

  void CommitFont() {
    std::string name(TrimBlanks(font_.name));
    if (!name.empty() || font_.number >= 0) {
      FontEntry entry;
      entry.number = std::max(font_.number, 0);
      entry.name = std::move(name);
      entry.family = font_.family;
      entry.charset = font_.charset;
      TablesChange();
      doc_.fonts.push_back(std::move(entry));
    }
    font_ = PendingFont();
  }

  void CommitColor() {
    Color color = color_;
    color.automatic = !color_set_;
    TablesChange();
    doc_.colors.push_back(color);
    color_ = Color();
    color_set_ = false;
  }

  void ControlSymbol(const Token& t) {
    if (t.malformed) {
      AddNote(NoteKind::kMalformedEscape, t.offset);
      return;
    }
    const bool body = cur_.dest == Destination::kBody;
    switch (t.byte) {
      case '{':
        if (body && !cur_.chr.hidden) {
          OpenEmbedded(t.offset);
        } else {
          AddText("{", t.offset);
        }
        return;
      case '}':
        if (body && embedded_open_) {
          CloseEmbedded();
        } else {
          AddText("}", t.offset);
        }
        return;
      case '*':
        star_ = true;
        return;
      case '~':
        AddNonBreaking(' ', t.offset);
        return;
      case '_':
        AddNonBreaking('-', t.offset);
        return;
      case '-':
      case ':':
      case '|':
        return;
      case '\r':
      case '\n':
        if (body) EndParagraph();
        return;
      default:
        AddText(t.word, t.offset);
        return;
    }
  }

  static bool On(const Token& t) { return !t.has_param || t.param != 0; }

  void ControlWord(const Token& t) {
    const bool star = star_;
    star_ = false;
    const Word* found = FindControlWord(t.word);
    if (found == nullptr) {
      if (star) {
        cur_.dest = Destination::kSkip;
      } else if (cur_.dest != Destination::kSkip) {
        AddNote(NoteKind::kUnknownControlWord, t.offset, t.word);
      }
      return;
    }
    if (cur_.dest == Destination::kSkip) return;
    CharFormat& chr = cur_.chr;
    ParagraphFormat& para = cur_.para;
    const bool body = cur_.dest == Destination::kBody;
    switch (*found) {
      case Word::kIgnore:
        return;
      case Word::kFontTable:
        saw_font_table_ = true;
        TablesChange();
        doc_.fonts.clear();
        font_ = PendingFont();
        cur_.dest = Destination::kFontTable;
        return;
      case Word::kColorTable:
        saw_color_table_ = true;
        TablesChange();
        doc_.colors.clear();
        cur_.dest = Destination::kColorTable;
        return;
      case Word::kSkipGroup:
        cur_.dest = Destination::kSkip;
        return;
      case Word::kFootnote:
        if (body) StartFootnote(t.offset);
        return;
      case Word::kDefaultFont:
        if (doc_.default_font != t.param) TablesChange();
        doc_.default_font = t.param;
        chr.font = t.param;
        return;
      case Word::kFont:
        if (cur_.dest == Destination::kFontTable) {
          if (!font_.name.empty()) CommitFont();
          font_.number = t.param;
        } else {
          chr.font = t.param;
        }
        return;
      case Word::kFontSize:
        chr.size = t.has_param ? std::clamp(t.param, kMinSize, kMaxSize) : options_.default_size;
        return;
      case Word::kColor:
        chr.color = t.param;
        return;
      case Word::kBold:
        chr.bold = On(t);
        return;
      case Word::kItalic:
        chr.italic = On(t);
        return;
      case Word::kUnderline:
        SetHotspotStyle(t, &chr.underline);
        return;
      case Word::kDoubleUnderline:
        SetHotspotStyle(t, &chr.double_underline);
        return;
      case Word::kStrike:
        SetHotspotStyle(t, &chr.strike);
        return;
      case Word::kUnderlineNone:
        chr.underline = chr.double_underline = false;
        return;
      case Word::kHidden:
        chr.hidden = On(t);
        return;
      case Word::kSuper:
        chr.superscript = On(t);
        chr.subscript = false;
        return;
      case Word::kSub:
        chr.subscript = On(t);
        chr.superscript = false;
        return;
      case Word::kNoSuperSub:
        chr.superscript = chr.subscript = false;
        return;
      case Word::kPlain:
        chr = PlainFormat();
        return;
      case Word::kParagraphDefault:
        para = ParagraphFormat();
        cur_.next_tab = TabKind::kLeft;
        return;
      case Word::kParagraph:
        if (body) EndParagraph();
        return;
      case Word::kPage:
        if (body) NewTopic(t.offset + t.length);
        return;
      case Word::kLine:
        if (body) AddInline(InlineKind::kLineBreak);
        return;
      case Word::kTab:
      case Word::kCell:
        if (body) AddInline(InlineKind::kTab);
        return;
      case Word::kAlignLeft:
        para.align = Align::kLeft;
        return;
      case Word::kAlignCenter:
        para.align = Align::kCenter;
        return;
      case Word::kAlignRight:
        para.align = Align::kRight;
        return;
      case Word::kAlignJustify:
        para.align = Align::kJustify;
        return;
      case Word::kLeftIndent:
        para.left_indent = t.param;
        return;
      case Word::kRightIndent:
        para.right_indent = t.param;
        return;
      case Word::kFirstIndent:
        para.first_indent = t.param;
        return;
      case Word::kSpaceBefore:
        para.space_before = t.param;
        return;
      case Word::kSpaceAfter:
        para.space_after = t.param;
        return;
      case Word::kLineSpacing:
        para.line_spacing = t.param;
        return;
      case Word::kTabStop:
        if (para.tabs.size() < 64) para.tabs.push_back({t.param, cur_.next_tab});
        cur_.next_tab = TabKind::kLeft;
        return;
      case Word::kTabRight:
        cur_.next_tab = TabKind::kRight;
        return;
      case Word::kTabCenter:
        cur_.next_tab = TabKind::kCenter;
        return;
      case Word::kKeepNext:
        para.keep_with_next = On(t);
        return;
      case Word::kKeep:
        para.no_wrap = On(t);
        return;
      case Word::kBox:
        para.borders.box = true;
        return;
      case Word::kBorderTop:
        para.borders.top = true;
        return;
      case Word::kBorderBottom:
        para.borders.bottom = true;
        return;
      case Word::kBorderLeft:
        para.borders.left = true;
        return;
      case Word::kBorderRight:
        para.borders.right = true;
        return;
      case Word::kLineSingle:
        para.borders.line = BorderLine::kSingle;
        return;
      case Word::kLineThick:
        para.borders.line = BorderLine::kThick;
        return;
      case Word::kLineDouble:
        para.borders.line = BorderLine::kDouble;
        return;
      case Word::kLineShadow:
        para.borders.line = BorderLine::kShadow;
        return;
      case Word::kLineDotted:
        para.borders.line = BorderLine::kDotted;
        return;
      case Word::kShading:
        para.shading = std::clamp(t.param, 0, 10000);
        return;
      case Word::kFamily:
        if (cur_.dest == Destination::kFontTable) font_.family = std::string(t.word.substr(1));
        return;
      case Word::kCharset:
        if (cur_.dest == Destination::kFontTable) font_.charset = t.param;
        return;
      case Word::kRed:
        SetComponent(&color_.red, t);
        return;
      case Word::kGreen:
        SetComponent(&color_.green, t);
        return;
      case Word::kBlue:
        SetComponent(&color_.blue, t);
        return;
      case Word::kEmDash:
        AddText(EmDash(), t.offset);
        return;
      case Word::kEnDash:
        AddText("-", t.offset);
        return;
      case Word::kBullet:
        AddText(Bullet(), t.offset);
        return;
      case Word::kSingleQuote:
        AddText("'", t.offset);
        return;
      case Word::kDoubleQuote:
        AddText("\"", t.offset);
        return;
    }
  }

  static const std::string& EmDash() {
    static const std::string dash = Sjis("―");
    return dash;
  }
  static const std::string& Bullet() {
    static const std::string bullet = Sjis("・");
    return bullet;
  }

  void SetHotspotStyle(const Token& t, bool* flag) {
    *flag = On(t);
    if (*flag && cur_.dest == Destination::kBody && !cur_.chr.hidden) {
      EndTarget();
      hotspot_style_ = true;
      hotspot_format_ = cur_.chr;
    }
  }

  void SetComponent(std::uint8_t* component, const Token& t) {
    if (cur_.dest != Destination::kColorTable) return;
    *component = static_cast<std::uint8_t>(std::clamp(t.param, 0, 255));
    color_set_ = true;
  }

  struct PendingFont {
    int number = -1;
    std::string name;
    std::string family;
    int charset = 0;
  };

  std::string_view text_;
  const ParseOptions& options_;
  Document doc_;
  State cur_;
  std::vector<State> stack_;
  std::size_t overflow_ = 0;
  bool star_ = false;
  bool group_fresh_ = false;

  Paragraph paragraph_;
  bool collecting_target_ = false;
  // Set by a hotspot control word until visible text of another style
  // follows, so that "{\uldb }{\v ctx}" still makes a hotspot.
  bool hotspot_style_ = false;
  CharFormat hotspot_format_;

  bool embedded_open_ = false;
  std::string embedded_;
  std::size_t embedded_offset_ = 0;

  Footnote footnote_;
  PendingFont font_;
  Color color_;
  bool color_set_ = false;
  bool saw_font_table_ = false;
  bool saw_color_table_ = false;
  std::size_t handed_over_ = 0;  // topics given to the sink
  // Room from topics already handed over, for a streamed read (Recycle()).
  std::vector<std::string> spare_texts_;
  std::vector<std::vector<Inline>> spare_run_lists_;
};

}  // namespace

Document ParseDocument(std::string_view text, const ParseOptions& options) {
  return Parser(text, options).Run();
}

}  // namespace qy::topic
