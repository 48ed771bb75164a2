// Golden cases of the topic reader: every file in data/topic holds cases of
// the form
//   === name
//   markup lines (UTF-8 here, Shift-JIS when parsed; lines joined by CR LF)
//   ---
//   the expected model, as Dump() writes it
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec.h"
#include "topic/parser.h"

namespace qy::topic {
namespace {

// " name" for each flag that is set, " name<value>" for each number that
// differs from its default.
std::string Flags(std::initializer_list<std::pair<bool, const char*>> flags) {
  std::string s;
  for (const auto& [on, name] : flags) s += on ? std::string(" ") + name : "";
  return s;
}
std::string Num(const char* name, int value, int unset = 0) {
  return value == unset ? "" : " " + std::string(name) + std::to_string(value);
}
std::string Field(const char* name, const std::string& value) {
  return value.empty() ? "" : name + Cp932ToUtf8(value);
}

std::string CharProps(const CharFormat& f) {
  return Num("f", f.font) + Num("fs", f.size, 22) + Num("cf", f.color) +
         Flags({{f.bold, "b"},
                {f.italic, "i"},
                {f.underline, "ul"},
                {f.double_underline, "uldb"},
                {f.strike, "strike"},
                {f.superscript, "super"}});
}

std::string ParaProps(const ParagraphFormat& p) {
  const char* aligns[] = {"", " qc", " qr", " qj"};
  std::string s = aligns[static_cast<int>(p.align)] + Num("li", p.left_indent) +
                  Num("ri", p.right_indent) + Num("sl", p.line_spacing);
  for (const TabStop& tab : p.tabs) {
    s += (tab.kind == TabKind::kRight    ? " tqr"
          : tab.kind == TabKind::kCenter ? " tqc"
                                         : "") +
         Num("tx", tab.position, -1);
  }
  s += Flags({{p.keep_with_next, "keepn"}, {p.no_wrap, "keep"}});
  const Borders& b = p.borders;
  if (b.Any()) {
    s += std::string(" border:") + (b.box ? "box" : "") + (b.top ? "t" : "") +
         (b.bottom ? "b" : "") + (b.left ? "l" : "") + (b.right ? "r" : "") + "/" +
         std::to_string(static_cast<int>(b.line));
  }
  return s + Num("shading", p.shading);
}

std::string Dump(const Document& doc, bool tables) {
  std::ostringstream out;
  if (tables) {
    out << "deff " << doc.default_font << "\n";
    for (const FontEntry& f : doc.fonts) {
      out << "font " << f.number << " " << f.family << " " << f.charset << " "
          << Cp932ToUtf8(f.name) << "\n";
    }
    for (const Color& c : doc.colors) {
      out << "colour " << (c.automatic ? "auto" : "") << int(c.red) << "," << int(c.green) << ","
          << int(c.blue) << "\n";
    }
  }
  const char* kinds[] = {"text", "line", "tab", "pic", "hidden", "cmd"};
  for (const Topic& topic : doc.topics) {
    out << "topic\n";
    for (const Footnote& f : topic.footnotes) {
      out << " fn " << (f.mark ? f.mark : '?') << " " << Cp932ToUtf8(f.text) << "\n";
    }
    for (const Paragraph& p : topic.paragraphs) {
      out << " p" << ParaProps(p.format) << "\n";
      for (const Inline& run : p.inlines) {
        out << "  " << kinds[static_cast<int>(run.kind)];
        if (run.hotspot >= 0) out << "[h" << run.hotspot << "]";
        if (run.kind == InlineKind::kPicture) {
          const Picture& pic = topic.pictures[run.picture];
          out << " " << pic.position << (pic.transparent ? "t" : "") << " " << pic.file << "\n";
        } else {
          out << CharProps(run.format) << ": " << Cp932ToUtf8(run.text) << "\n";
        }
      }
    }
    for (std::size_t i = 0; i < topic.hotspots.size(); ++i) {
      const Hotspot& h = topic.hotspots[i];
      const char* kind[] = {"jump", "popup", "macro"};
      const HotspotTarget& t = h.target;
      out << " h" << i << " " << kind[static_cast<int>(h.kind)] << (h.button ? " button" : "")
          << Field(" ctx=", t.context) << Field(" file=", t.file) << Field(" win=", t.window)
          << Field(" macro=", t.macro)
          << Field(h.macro_popup ? " pops=" : " goes=", h.macro_context)
          << Flags({{t.no_underline, "no-ul"}, {t.no_colour, "no-colour"}}) << "\n";
    }
  }
  const char* notes[] = {"unknown",  "malformed",    "unmatched",
                         "unclosed", "open-command", "no-mark"};
  for (const Note& n : doc.notes) {
    out << "note " << notes[static_cast<int>(n.kind)] << " @" << n.offset << Field(" ", n.word)
        << "\n";
  }
  return out.str();
}

// The cases of every file, in the order of the files and of the file.
std::vector<std::array<std::string, 3>> LoadCases() {  // name, input, expected
  std::vector<std::array<std::string, 3>> cases;
  for (const auto& entry : std::filesystem::directory_iterator(QY_TEST_DATA_DIR "/topic")) {
    std::ifstream in(entry.path());
    std::string line;
    bool in_expected = false;
    while (std::getline(in, line)) {
      if (line.starts_with("=== ")) {
        cases.push_back({entry.path().filename().string() + ": " + line.substr(4), "", ""});
        in_expected = false;
      } else if (!cases.empty() && line == "---") {
        in_expected = true;
      } else if (!cases.empty()) {
        std::string& part = cases.back()[in_expected ? 2 : 1];
        part += in_expected ? line + "\n" : (part.empty() ? "" : "\r\n") + line;
      }
    }
  }
  return cases;
}

TEST(TopicReaderGolden, EveryCaseMatches) {
  const auto cases = LoadCases();
  ASSERT_GE(cases.size(), 20u);
  for (const auto& [name, input, expected] : cases) {
    const bool tables = input.find("tbl") != std::string::npos;
    EXPECT_EQ(Dump(ParseDocument(Sjis(input)), tables), expected) << name;
  }
}

}  // namespace
}  // namespace qy::topic
