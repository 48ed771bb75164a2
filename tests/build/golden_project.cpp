#include "build/golden_project.h"

#include <stdexcept>
#include <vector>

#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy::testing {

namespace {

int ToInt(const std::string& value, const std::string& where) {
  try {
    std::size_t used = 0;
    int n = std::stoi(value, &used);
    if (used == value.size()) return n;
  } catch (const std::exception&) {
  }
  throw std::runtime_error(where + ": not a number: " + value);
}

void SetProjectKey(GoldenProject& g, const std::string& key, const std::string& value,
                   const std::string& where) {
  ProjectHeader& h = g.project->Header();
  if (key == "File")
    g.project->SetProjectFileName(PathFromSjis(value));
  else if (key == "HelpTitle")
    h.HelpTitle = value;
  else if (key == "HelpCopyright")
    h.HelpCopyright = value;
  else if (key == "FontNameIndex")
    h.FontNameIndex = ToInt(value, where);
  else if (key == "FontSizeIndex")
    h.FontSizeIndex = ToInt(value, where);
  else if (key == "CompressMode")
    h.CompressMode = ToInt(value, where);
  else if (key == "ProjectOptions")
    h.ProjectOptions = value;
  else if (key == "WindowsSection")
    h.WindowsSection = value;
  else if (key == "ConfigSection")
    h.ConfigSection = value;
  else
    throw std::runtime_error(where + ": unknown project key " + key);
}

void SetBuildKey(GoldenProject& g, const std::string& key, const std::string& value,
                 const std::string& where) {
  GoldenBuildInputs& b = g.build;
  if (key == "NoLowLayer")
    b.no_low_layer = ToInt(value, where) != 0;
  else if (key == "HonourCompression")
    b.honour_compression = ToInt(value, where) != 0;
  else if (key == "BitmapPath")
    b.bitmap_path = value;
  else if (key == "PreviewPage")
    b.preview_page = ToInt(value, where);
  else if (key == "PreviewBase")
    b.preview_base = value;
  else
    throw std::runtime_error(where + ": unknown build key " + key);
}

// Page fields are set raw: the descriptions must be able to hold what a
// damaged or hand-edited project might.
void SetPageKey(PageRecord& p, const std::string& key, const std::string& value,
                const std::string& where) {
  if (key == "Attribute")
    p.Attribute = ToInt(value, where);
  else if (key == "Context")
    p.Context = value;
  else if (key == "ContextID")
    p.ContextID = ToInt(value, where);
  else if (key == "Title")
    p.Title = value;
  else if (key == "Keyword")
    p.Keyword = value;
  else if (key == "AKeyword")
    p.AKeyword = value;
  else if (key == "BKeyword")
    p.BKeyword = value;
  else if (key == "Window")
    p.Window = value;
  else if (key == "Macro")
    p.Macro = value;
  else if (key == "Topic")
    p.Topic = value;
  else
    throw std::runtime_error(where + ": unknown page key " + key);
}

}  // namespace

GoldenProject ParseGoldenProject(const std::string& text) {
  GoldenProject g;
  g.project->ClearPages();
  // SplitLines drops a final empty line; the block syntax never needs it.
  std::vector<std::string> lines = SplitLines(text);
  std::string section;
  PageRecord* page = nullptr;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string where = "line " + std::to_string(i + 1);
    const std::string& line = lines[i];
    if (line.empty() || line[0] == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      section = line.substr(1, line.size() - 2);
      if (section == "Page") {
        if (!g.project->AppendPage(PageRecord{}))
          throw std::runtime_error(where + ": too many pages");
        page = &g.project->MutablePage(g.project->PageCount());
      } else if (section != "Project" && section != "Build") {
        throw std::runtime_error(where + ": unknown section " + section);
      }
      continue;
    }
    std::string key;
    std::string value;
    if (line.size() > 2 && line.substr(line.size() - 2) == "<<") {
      key = line.substr(0, line.size() - 2);
      std::vector<std::string> block;
      while (true) {
        if (++i >= lines.size()) throw std::runtime_error(where + ": block without '.'");
        if (lines[i] == ".") break;
        block.push_back(lines[i]);
      }
      value = JoinLines(block);
    } else {
      std::size_t eq = line.find('=');
      if (eq == std::string::npos) throw std::runtime_error(where + ": expected key=value");
      key = line.substr(0, eq);
      value = line.substr(eq + 1);
    }
    if (section == "Project")
      SetProjectKey(g, key, value, where);
    else if (section == "Build")
      SetBuildKey(g, key, value, where);
    else if (section == "Page" && page)
      SetPageKey(*page, key, value, where);
    else
      throw std::runtime_error(where + ": value outside a section");
  }
  return g;
}

GoldenProject LoadGoldenProject(const std::string& path) {
  std::string error;
  auto text = ReadWholeFile(path, &error);
  if (!text) throw std::runtime_error(path + ": " + error);
  try {
    return ParseGoldenProject(*text);
  } catch (const std::runtime_error& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

}  // namespace qy::testing
