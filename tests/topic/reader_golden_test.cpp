// Golden cases of the topic reader: every file in data/topic holds cases of
// the form
//   === name
//   markup lines (UTF-8 here, Shift-JIS when parsed; lines joined by CR LF)
//   ---
//   the expected model, as Dump() writes it
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/codec.h"
#include "topic/parser.h"

namespace qy::topic {
namespace {

std::string CharProps(const CharFormat& f) {
  std::string s;
  if (f.font != 0) s += " f" + std::to_string(f.font);
  if (f.size != 22) s += " fs" + std::to_string(f.size);
  if (f.color != 0) s += " cf" + std::to_string(f.color);
  if (f.bold) s += " b";
  if (f.italic) s += " i";
  if (f.underline) s += " ul";
  if (f.double_underline) s += " uldb";
  if (f.strike) s += " strike";
  if (f.superscript) s += " super";
  return s;
}

std::string ParaProps(const ParagraphFormat& p) {
  std::string s;
  const char* aligns[] = {"", " qc", " qr", " qj"};
  s += aligns[static_cast<int>(p.align)];
  if (p.left_indent) s += " li" + std::to_string(p.left_indent);
  if (p.right_indent) s += " ri" + std::to_string(p.right_indent);
  if (p.line_spacing) s += " sl" + std::to_string(p.line_spacing);
  for (int tab : p.tabs) s += " tx" + std::to_string(tab);
  if (p.keep_with_next) s += " keepn";
  if (p.no_wrap) s += " keep";
  const Borders& b = p.borders;
  if (b.Any()) {
    s += std::string(" border:") + (b.box ? "box" : "") + (b.top ? "t" : "") +
         (b.bottom ? "b" : "") + (b.left ? "l" : "") + (b.right ? "r" : "") + "/" +
         std::to_string(static_cast<int>(b.line));
  }
  if (p.shading) s += " shading" + std::to_string(p.shading);
  return s;
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
          out << " " << pic.position << (pic.transparent ? "t" : "") << " " << pic.file;
        } else {
          out << CharProps(run.format) << ": " << Cp932ToUtf8(run.text);
        }
        out << "\n";
      }
    }
    for (std::size_t i = 0; i < topic.hotspots.size(); ++i) {
      const Hotspot& h = topic.hotspots[i];
      const char* kind[] = {"jump", "popup", "macro"};
      const HotspotTarget& t = h.target;
      out << " h" << i << " " << kind[static_cast<int>(h.kind)] << (h.button ? " button" : "");
      if (!t.context.empty()) out << " ctx=" << t.context;
      if (!t.file.empty()) out << " file=" << t.file;
      if (!t.window.empty()) out << " win=" << t.window;
      if (!t.macro.empty()) out << " macro=" << t.macro;
      if (!h.macro_context.empty()) out << (h.macro_popup ? " pops=" : " goes=") << h.macro_context;
      if (t.no_underline) out << " no-ul";
      if (t.no_colour) out << " no-colour";
      out << "\n";
    }
  }
  const char* notes[] = {"unknown",  "malformed",    "unmatched",
                         "unclosed", "open-command", "no-mark"};
  for (const Note& n : doc.notes) {
    out << "note " << notes[static_cast<int>(n.kind)] << " @" << n.offset
        << (n.word.empty() ? "" : " " + n.word) << "\n";
  }
  return out.str();
}

struct Case {
  std::string file;
  std::string name;
  std::string input;
  std::string expected;
};

std::vector<Case> LoadCases() {
  std::vector<Case> cases;
  for (const auto& entry : std::filesystem::directory_iterator(QY_TEST_DATA_DIR "/topic")) {
    std::ifstream in(entry.path());
    std::string line;
    Case* current = nullptr;
    bool in_expected = false;
    while (std::getline(in, line)) {
      if (line.starts_with("=== ")) {
        cases.push_back({entry.path().filename().string(), line.substr(4), "", ""});
        current = &cases.back();
        in_expected = false;
      } else if (current && line == "---") {
        in_expected = true;
      } else if (current && in_expected) {
        current->expected += line + "\n";
      } else if (current) {
        if (!current->input.empty()) current->input += "\r\n";
        current->input += line;
      }
    }
  }
  return cases;
}

TEST(TopicReaderGolden, EveryCaseMatches) {
  const std::vector<Case> cases = LoadCases();
  ASSERT_GE(cases.size(), 20u);
  for (const Case& c : cases) {
    const bool tables = c.input.find("tbl") != std::string::npos;
    EXPECT_EQ(Dump(ParseDocument(Sjis(c.input)), tables), c.expected) << c.file << ": " << c.name;
  }
}

}  // namespace
}  // namespace qy::topic
