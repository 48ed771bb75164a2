#include "hlp/help_file_assembly.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "core/cp932.h"
#include "hlp/container.h"
#include "hlp/index_files.h"
#include "hlp/message_codes.h"
#include "hlp/project_files.h"
#include "hlp/system_file.h"

namespace qy::hlp {

namespace {

struct Defined {
  std::string context;
  std::uint32_t offset = 0;
  int topic = -1;  // -1 for an alias
};

class Assembler {
 public:
  explicit Assembler(const AssemblyInput& in)
      : in_(in), project_(*in.project), topics_(*in.topics) {}

  Assembly Run() {
    DefineContexts();
    DefineAliases();
    CheckReferences();
    HelpFileBuilder builder;
    builder.Add("|SYSTEM", BuildSystemFile(System()));
    const TopicData& topic_data = topics_.topic_data;
    builder.AddStreamed(
        "|TOPIC", topic_data.size(),
        [&topic_data](const HelpFileBuilder::Put& put) { return topic_data.Write(put); });
    builder.AddBorrowed("|FONT", topics_.font_data);
    AddIndexes(builder);
    ProjectFiles extra = BuildProjectFiles({&project_, &topics_, &in_.source_names, in_.topic_ids});
    for (auto& [name, data] : extra.files) builder.Add(name, std::move(data));
    for (Diagnostic& d : extra.diagnostics) out_.diagnostics.push_back(std::move(d));
    for (const auto& [name, data] : in_.baggage) builder.AddBorrowed(name, data);
    for (std::size_t i = 0; i < in_.pictures.size(); ++i) {
      if (in_.pictures[i]) builder.Add("|bm" + std::to_string(i), *in_.pictures[i]);
    }
    for (const Diagnostic& d : out_.diagnostics) {
      if (d.severity == Severity::kError) return std::move(out_);
    }
    if (builder.Finish()) {
      out_.file = std::move(builder);
    } else {
      Report(code::kTooLarge, "The help file would exceed the size its offsets can reach.");
    }
    return std::move(out_);
  }

 private:
  std::string SourceName(int topic) const {
    const int source = topics_.topics[topic].source;
    return source >= 0 && source < static_cast<int>(in_.source_names.size())
               ? in_.source_names[source]
               : std::string();
  }

  void Report(int code, std::string text, int topic = -1, int line = 0) {
    if (topic >= 0 && topic < static_cast<int>(topics_.topics.size())) {
      out_.diagnostics.push_back(MakeDiagnostic(code, std::move(text), SourceName(topic),
                                                line ? line : topics_.topics[topic].line,
                                                topics_.topics[topic].title));
    } else {
      out_.diagnostics.push_back(MakeDiagnostic(code, std::move(text), project_.file_name, line));
    }
  }

  // Adds `context`; false (and reported) when it cannot be.
  bool Define(const std::string& context, std::uint32_t offset, int topic, int line) {
    const std::int32_t hash = ContextHash(context);
    auto [it, added] = defined_.try_emplace(hash, Defined{context, offset, topic});
    if (added) return true;
    const Defined& first = it->second;
    const std::string where =
        first.topic >= 0 ? " (first in topic \"" + topics_.topics[first.topic].title + "\")"
                         : " (first as an alias)";
    if (EqualsIgnoreAsciiCase(first.context, context)) {
      Report(code::kDuplicateContext, "Context string \"" + context + "\" is defined again" + where,
             topic, line);
    } else {
      Report(code::kHashCollision,
             "Context strings \"" + context + "\" and \"" + first.context +
                 "\" have the same hash value; rename one" + where,
             topic, line);
    }
    return false;
  }

  void DefineContexts() {
    for (std::size_t t = 0; t < topics_.topics.size(); ++t) {
      for (const std::string& context : topics_.topics[t].contexts) {
        Define(context, topics_.topics[t].topic_offset, static_cast<int>(t), 0);
      }
    }
  }

  const Defined* Find(const std::string& context) const {
    auto it = defined_.find(ContextHash(context));
    return it == defined_.end() ? nullptr : &it->second;
  }

  void DefineAliases() {
    for (const AliasEntry& a : project_.aliases) {
      const Defined* target = Find(a.context);
      if (!target) {
        Report(code::kAliasUndefined,
               "Alias \"" + a.alias + "\" names the undefined context \"" + a.context + "\".", -1,
               a.line);
        continue;
      }
      Define(a.alias, target->offset, -1, a.line);
    }
  }

  void CheckReferences() {
    // Topics name the same few contexts again and again: the last answers
    // are kept, so most references cost a comparison instead of a hash and
    // a search.
    struct Answer {
      const std::string* context = nullptr;
      bool defined = false;
    };
    std::array<Answer, 4> recent;
    std::size_t replace = 0;
    for (const ContextReference& r : topics_.references) {
      const auto known = std::find_if(recent.begin(), recent.end(), [&r](const Answer& a) {
        return a.context != nullptr && *a.context == r.context;
      });
      bool defined = false;
      if (known != recent.end()) {
        defined = known->defined;
      } else {
        defined = Find(r.context) != nullptr;
        recent[replace] = {&r.context, defined};
        replace = (replace + 1) % recent.size();
      }
      if (defined) continue;
      Report(
          r.popup ? code::kPopupUndefined : code::kJumpUndefined,
          std::string(r.popup ? "Popup" : "Jump") + " to undefined Topic ID: \"" + r.context + "\"",
          r.topic, r.line);
    }
  }

  SystemInfo System() {
    SystemInfo s;
    s.title = project_.title;
    s.copyright = project_.copyright;
    s.citation = project_.citation;
    if (!topics_.topics.empty()) s.contents_offset = topics_.topics.front().topic_offset;
    if (!project_.contents.empty()) {
      if (const Defined* d = Find(project_.contents)) {
        s.contents_offset = d->offset;
      } else {
        Report(code::kContentsUndefined, "Contents topic \"" + project_.contents +
                                             "\" is not defined; the first topic is used.");
      }
    }
    s.macros = project_.config_macros;
    s.windows = project_.windows;
    for (const WindowDefinition& w : s.windows) {
      if (w.name.size() > 8 || w.caption.size() > 50) {
        Report(code::kLongField,
               "Window \"" + w.name + "\": names keep 8 bytes and captions 50; the rest is cut.");
      }
    }
    s.charset = project_.EffectiveCharset();
    s.lcid = project_.lcid != 0 ? project_.lcid : s.charset == 128 ? 0x0411 : 0;
    s.cnt = CntName(project_.cnt);
    s.compressed = topics_.compressed;
    s.generated = in_.generated;
    s.icon = in_.icon;
    return s;
  }

  // The viewer looks for the contents file beside the help file: only the
  // name counts. '\' can be a trail byte, so the walk goes by characters.
  static std::string CntName(const std::string& path) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < path.size();) {
      const std::size_t len = CharLengthAt(path, i);
      if (len == 1 && (path[i] == '\\' || path[i] == '/' || path[i] == ':')) start = i + 1;
      i += len;
    }
    return path.substr(start);
  }

  void AddIndexes(HelpFileBuilder& builder) {
    std::vector<ContextEntry> contexts;
    for (const auto& [hash, d] : defined_) contexts.push_back({hash, d.offset});
    if (auto file = BuildContextFile(contexts)) {
      builder.Add("|CONTEXT", std::move(*file));
    } else {
      Report(code::kTooLarge, "Too many context strings for the context index.");
    }

    std::vector<MapNumber> map;
    std::map<std::int32_t, const MapEntry*> numbers;
    for (const MapEntry& m : project_.map) {
      const Defined* d = Find(m.context);
      if (!d) {
        out_.diagnostics.push_back(
            MakeDiagnostic(code::kMapUndefined,
                           "Mapped context \"" + m.context + "\" is not defined.", m.file, m.line));
        continue;
      }
      auto [it, added] = numbers.emplace(m.number, &m);
      if (!added) {
        out_.diagnostics.push_back(MakeDiagnostic(
            code::kDuplicateMap,
            "Map number " + std::to_string(m.number) + " is given to \"" + it->second->context +
                "\" and \"" + m.context + "\"; the first is kept.",
            m.file, m.line));
        continue;
      }
      map.push_back({m.number, d->offset});
    }
    if (!map.empty()) builder.Add("|CTXOMAP", BuildContextMap(map));

    std::vector<TitleEntry> titles;
    std::vector<KeywordEntry> k_words, a_words;
    for (const CompiledTopic& t : topics_.topics) {
      titles.push_back({t.topic_offset, t.title});
      for (const std::string& k : t.k_keywords) k_words.push_back({k, t.topic_offset});
      for (const std::string& a : t.a_keywords) a_words.push_back({a, t.topic_offset});
    }
    if (auto file = BuildTitleFile(titles)) {
      builder.Add("|TTLBTREE", std::move(*file));
    } else {
      Report(code::kTooLarge, "Too many topics for the title index.");
    }
    for (const KeywordEntry& k : MacroKeywords(project_)) k_words.push_back(k);
    AddKeywords(builder, k_words, "|KW");
    AddKeywords(builder, a_words, "|AW");
  }

  void AddKeywords(HelpFileBuilder& builder, const std::vector<KeywordEntry>& words,
                   const std::string& prefix) {
    if (words.empty()) return;
    auto files = BuildKeywordFiles(words);
    if (!files) {
      Report(code::kTooLarge, "Too many keywords for the keyword index.");
      return;
    }
    builder.Add(prefix + "BTREE", std::move(files->btree));
    builder.Add(prefix + "DATA", std::move(files->data));
    builder.Add(prefix + "MAP", std::move(files->map));
  }

  const AssemblyInput& in_;
  const HelpProject& project_;
  const TopicFile& topics_;
  std::map<std::int32_t, Defined> defined_;
  Assembly out_;
};

}  // namespace

Assembly AssembleHelpFile(const AssemblyInput& input) { return Assembler(input).Run(); }

}  // namespace qy::hlp
