#include "build/golden_project.h"

#include <map>
#include <stdexcept>
#include <vector>

#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"

namespace qy::testing {

namespace {

// std::stoi would take "12abc" as 12.
int ToInt(const std::string& value, const std::string& where) {
  if (value.empty() || value.find_first_not_of("-0123456789") != std::string::npos)
    throw std::runtime_error(where + ": not a number: " + value);
  return std::stoi(value);
}

// The keys of one section: text, number and yes/no fields of `T`.
template <typename T>
struct Keys {
  std::map<std::string, std::string T::*> texts;
  std::map<std::string, int T::*> numbers;
  std::map<std::string, bool T::*> flags;

  void Set(T& object, const std::string& key, const std::string& value,
           const std::string& where) const {
    if (auto t = texts.find(key); t != texts.end())
      object.*(t->second) = value;
    else if (auto n = numbers.find(key); n != numbers.end())
      object.*(n->second) = ToInt(value, where);
    else if (auto f = flags.find(key); f != flags.end())
      object.*(f->second) = ToInt(value, where) != 0;
    else
      throw std::runtime_error(where + ": unknown key " + key);
  }
};

const Keys<ProjectHeader> kProjectKeys = {{{"HelpTitle", &ProjectHeader::HelpTitle},
                                           {"HelpCopyright", &ProjectHeader::HelpCopyright},
                                           {"ProjectOptions", &ProjectHeader::ProjectOptions},
                                           {"WindowsSection", &ProjectHeader::WindowsSection},
                                           {"ConfigSection", &ProjectHeader::ConfigSection}},
                                          {{"FontNameIndex", &ProjectHeader::FontNameIndex},
                                           {"FontSizeIndex", &ProjectHeader::FontSizeIndex},
                                           {"CompressMode", &ProjectHeader::CompressMode}},
                                          {}};

const Keys<GoldenBuildInputs> kBuildKeys = {
    {{"BitmapPath", &GoldenBuildInputs::bitmap_path},
     {"PreviewBase", &GoldenBuildInputs::preview_base}},
    {{"PreviewPage", &GoldenBuildInputs::preview_page}},
    {{"NoLowLayer", &GoldenBuildInputs::no_low_layer},
     {"HonourCompression", &GoldenBuildInputs::honour_compression}}};

// Page fields are set raw: the descriptions must be able to hold what a
// damaged or hand-edited project might.
const Keys<PageRecord> kPageKeys = {
    {{"Context", &PageRecord::Context},
     {"Title", &PageRecord::Title},
     {"Keyword", &PageRecord::Keyword},
     {"AKeyword", &PageRecord::AKeyword},
     {"BKeyword", &PageRecord::BKeyword},
     {"Window", &PageRecord::Window},
     {"Macro", &PageRecord::Macro},
     {"Topic", &PageRecord::Topic}},
    {{"Attribute", &PageRecord::Attribute}, {"ContextID", &PageRecord::ContextID}},
    {}};

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
    if (section == "Project" && key == "File")
      g.project->SetProjectFileName(PathFromSjis(value));
    else if (section == "Project")
      kProjectKeys.Set(g.project->Header(), key, value, where);
    else if (section == "Build")
      kBuildKeys.Set(g.build, key, value, where);
    else if (section == "Page" && page)
      kPageKeys.Set(*page, key, value, where);
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
