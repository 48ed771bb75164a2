#include "hlp/project_files.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/cp932.h"
#include "hlp/btree_writer.h"
#include "hlp/bytes.h"
#include "hlp/message_codes.h"

namespace qy::hlp {

namespace {

class Builder {
 public:
  explicit Builder(const ProjectFilesInput& in)
      : in_(in), project_(*in.project), topics_(*in.topics) {}

  ProjectFiles Run() {
    MultikeyTables();
    DefaultWindows();
    WindowConfigs();
    KeywordMacros();
    if (in_.topic_ids) TopicNames();
    return std::move(out_);
  }

 private:
  void Add(std::string name, std::optional<std::string> data) {
    if (data) {
      out_.files.emplace_back(std::move(name), std::move(*data));
    } else {
      out_.diagnostics.push_back(MakeDiagnostic(
          code::kTooLarge, "Too many entries for " + name + ".", project_.file_name));
    }
  }

  void ReportAtTopic(int code, std::string text, const CompiledTopic& topic) {
    const std::vector<std::string>& names = *in_.source_names;
    const std::string source = topic.source >= 0 && topic.source < static_cast<int>(names.size())
                                   ? names[static_cast<std::size_t>(topic.source)]
                                   : std::string();
    out_.diagnostics.push_back(
        MakeDiagnostic(code, std::move(text), source, topic.line, topic.title));
  }

  int WindowNumber(const std::string& name) const {
    for (std::size_t i = 0; i < project_.windows.size(); ++i) {
      if (EqualsIgnoreAsciiCase(project_.windows[i].name, name)) return static_cast<int>(i);
    }
    return -1;
  }

  // Letters the project gives a table of their own get |xWBTREE, |xWDATA and
  // |xWMAP like K keywords; footnotes of any other letter mean nothing to
  // the viewer and are left out, once said.
  void MultikeyTables() {
    std::map<char, std::vector<KeywordEntry>> words;
    std::map<char, int> ignored;  // letter -> topics
    for (const CompiledTopic& t : topics_.topics) {
      std::set<char> seen;
      for (const auto& [letter, word] : t.other_keywords) {
        if (project_.multikey.find(letter) != std::string::npos) {
          words[letter].push_back({word, t.topic_offset});
        } else if (seen.insert(letter).second) {
          ++ignored[letter];
        }
      }
    }
    for (auto& [letter, entries] : words) {
      const std::string prefix = std::string("|") + letter + "W";
      auto files = BuildKeywordFiles(std::move(entries));
      if (!files) {
        Add(prefix + "BTREE", std::nullopt);
        continue;
      }
      out_.files.emplace_back(prefix + "BTREE", std::move(files->btree));
      out_.files.emplace_back(prefix + "DATA", std::move(files->data));
      out_.files.emplace_back(prefix + "MAP", std::move(files->map));
    }
    for (const auto& [letter, count] : ignored) {
      const std::string mark(1, letter);
      out_.diagnostics.push_back(
          MakeDiagnostic(code::kMultikeyIgnored,
                         "\"" + mark + "\" keyword footnotes in " + std::to_string(count) +
                             " topic(s) are left out: the project has no MULTIKEY=" + mark + ".",
                         project_.file_name));
    }
  }

  void DefaultWindows() {
    std::vector<DefaultWindow> entries;
    for (const CompiledTopic& t : topics_.topics) {
      if (t.window.empty()) continue;
      const int number = WindowNumber(t.window);
      if (number < 0) {
        ReportAtTopic(code::kUnknownWindow,
                      "Default window \"" + t.window + "\" is not defined in [WINDOWS].", t);
        continue;
      }
      entries.push_back({t.topic_offset, number});
    }
    if (!entries.empty()) Add("|VIOLA", BuildViolaFile(std::move(entries)));
  }

  void WindowConfigs() {
    std::map<int, std::vector<std::string>> macros;
    for (const WindowConfig& c : project_.window_configs) {
      int number = c.number;
      std::string what = "[CONFIG:" + std::to_string(c.number) + "]";
      if (!c.window.empty()) {
        number = WindowNumber(c.window);
        what = "[CONFIG-" + c.window + "]";
      }
      if (number < 0 || number >= static_cast<int>(project_.windows.size())) {
        out_.diagnostics.push_back(MakeDiagnostic(
            code::kUnknownWindow, what + " names no window of [WINDOWS]; its macros are left out.",
            project_.file_name, c.line));
        continue;
      }
      std::vector<std::string>& list = macros[number];
      list.insert(list.end(), c.macros.begin(), c.macros.end());
    }
    for (const auto& [number, list] : macros) {
      if (!list.empty()) Add("|CF" + std::to_string(number), BuildConfigFile(list));
    }
  }

  void KeywordMacros() {
    std::map<std::int32_t, std::string> seen;  // hash -> keyword
    std::vector<RoseEntry> entries;
    for (const KeywordMacro& m : project_.keyword_macros) {
      for (const std::string& keyword : m.keywords) {
        const std::int32_t hash = ContextHash(keyword);
        auto [it, added] = seen.emplace(hash, keyword);
        if (!added) {
          out_.diagnostics.push_back(MakeDiagnostic(code::kDuplicateMacroKeyword,
                                                    "[MACROS] keyword \"" + keyword +
                                                        "\" is taken by \"" + it->second +
                                                        "\" already; the first is kept.",
                                                    project_.file_name, m.line));
          continue;
        }
        entries.push_back({hash, m.macro, m.title});
      }
    }
    if (!entries.empty()) Add("|Rose", BuildRoseFile(std::move(entries)));
  }

  void TopicNames() {
    std::vector<TitleEntry> ids, sources;
    for (const CompiledTopic& t : topics_.topics) {
      // One name per topic: a B+ tree key stands for one record.
      if (!t.contexts.empty()) ids.push_back({t.topic_offset, t.contexts.front()});
      const std::vector<std::string>& names = *in_.source_names;
      if (t.source >= 0 && t.source < static_cast<int>(names.size())) {
        sources.push_back({t.topic_offset, names[static_cast<std::size_t>(t.source)]});
      }
    }
    // The same layout as the title index: offset, then a string.
    Add("|TopicId", BuildTitleFile(std::move(ids)));
    Add("|Petra", BuildTitleFile(std::move(sources)));
  }

  const ProjectFilesInput& in_;
  const HelpProject& project_;
  const TopicFile& topics_;
  ProjectFiles out_;
};

}  // namespace

ProjectFiles BuildProjectFiles(const ProjectFilesInput& input) { return Builder(input).Run(); }

std::vector<KeywordEntry> MacroKeywords(const HelpProject& project) {
  std::vector<KeywordEntry> words;
  for (const KeywordMacro& m : project.keyword_macros) {
    for (const std::string& k : m.keywords) words.push_back({k, kMacroKeyword});
  }
  return words;
}

std::optional<std::string> BuildViolaFile(std::vector<DefaultWindow> entries) {
  std::stable_sort(
      entries.begin(), entries.end(),
      [](const DefaultWindow& a, const DefaultWindow& b) { return a.offset < b.offset; });
  std::vector<BtreeRecord> records;
  for (const DefaultWindow& e : entries) {
    BtreeRecord r;
    PutU32(r.key, e.offset);
    r.leaf = r.key;
    PutI32(r.leaf, e.window);
    records.push_back(std::move(r));
  }
  auto tree = BuildBtree({"L4", 2048, false}, records);
  if (!tree) return std::nullopt;
  return std::move(tree->data);
}

std::string BuildConfigFile(const std::vector<std::string>& macros) {
  std::string out;
  for (const std::string& macro : macros) PutStringZ(out, LimitField(macro, 4096));
  return out;
}

std::optional<std::string> BuildRoseFile(std::vector<RoseEntry> entries) {
  std::sort(entries.begin(), entries.end(),
            [](const RoseEntry& a, const RoseEntry& b) { return a.hash < b.hash; });
  std::vector<BtreeRecord> records;
  for (const RoseEntry& e : entries) {
    BtreeRecord r;
    PutI32(r.key, e.hash);
    r.leaf = r.key;
    PutStringZ(r.leaf, LimitField(e.macro, 1024));
    PutStringZ(r.leaf, LimitField(e.title));
    records.push_back(std::move(r));
  }
  auto tree = BuildBtree({"Lzz", 2048, false}, records);
  if (!tree) return std::nullopt;
  return std::move(tree->data);
}

}  // namespace qy::hlp
