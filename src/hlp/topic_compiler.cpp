#include "hlp/topic_compiler.h"

#include <algorithm>
#include <map>
#include <optional>

#include "hlp/bytes.h"
#include "hlp/display_record.h"
#include "hlp/font_table.h"
#include "hlp/message_codes.h"
#include "hlp/topic_blocks.h"

namespace qy::hlp {
namespace {

constexpr std::uint32_t kNone = 0xFFFFFFFF;
constexpr std::size_t kHeaderSize = 28;        // LinkData1 of a topic header
constexpr char kZeroHeader[kHeaderSize] = {};  // filled in once links are placed

std::string Trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

std::string AsciiLower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> SplitKeywords(const std::string& text) {
  std::vector<std::string> words;
  std::size_t from = 0;
  while (from <= text.size()) {
    std::size_t to = text.find(';', from);
    if (to == std::string::npos) to = text.size();
    std::string word = Trim(std::string_view(text).substr(from, to - from));
    if (!word.empty()) words.push_back(std::move(word));
    from = to + 1;
  }
  return words;
}

// 1-based line numbers for byte offsets of one source. Line ends are found
// only as far as a number is asked for: topics are numbered just after
// they have been read, when their text is still in the cache, instead of
// in one more pass over the whole file.
class Lines {
 public:
  void Reset(std::string_view text) {
    text_ = text;
    breaks_.clear();
    scanned_ = 0;
    last_ = 0;
  }

  int At(std::size_t offset) {
    while (scanned_ <= offset && scanned_ < text_.size()) {
      // find() goes through memchr: much faster than a byte loop.
      const std::size_t end = text_.find('\n', scanned_);
      if (end == std::string_view::npos) {
        scanned_ = text_.size();
        break;
      }
      breaks_.push_back(end);
      scanned_ = end + 1;
    }
    // Every line end before `offset` is known now. Offsets mostly come in
    // file order and close together: a short walk on from the last answer
    // saves a search of all the lines.
    std::size_t at = last_;
    if (at > 0 && breaks_[at - 1] >= offset) at = 0;
    for (int step = 0; step < 8 && at < breaks_.size() && breaks_[at] < offset; ++step) ++at;
    if (at < breaks_.size() && breaks_[at] < offset) {
      at = static_cast<std::size_t>(
          std::lower_bound(breaks_.begin() + static_cast<std::ptrdiff_t>(at), breaks_.end(),
                           offset) -
          breaks_.begin());
    }
    last_ = at;
    return 1 + static_cast<int>(at);
  }

 private:
  std::string_view text_;
  std::vector<std::size_t> breaks_;  // offsets of the line ends found so far
  std::size_t scanned_ = 0;          // where the search for line ends goes on
  std::size_t last_ = 0;             // the index the last call found
};

bool IsEmpty(const topic::Topic& topic) {
  if (!topic.footnotes.empty()) return false;
  return std::all_of(topic.paragraphs.begin(), topic.paragraphs.end(),
                     [](const topic::Paragraph& p) { return p.inlines.empty(); });
}

// Where a topic's records are among all links.
struct TopicLinks {
  std::size_t header = 0;
  std::optional<std::size_t> non_scrolling;
  std::optional<std::size_t> scrolling;
  std::uint32_t block_size = 0;
  std::optional<std::size_t> browse_back;  // topic indexes
  std::optional<std::size_t> browse_next;
};

// Orders each browse sequence: "name:key" groups by name; within a group
// topics follow their keys, "auto" keeping the order of the files.
void LinkBrowseSequences(const std::vector<CompiledTopic>& topics,
                         const std::vector<bool>& has_browse, std::vector<TopicLinks>& links) {
  std::map<std::string, std::vector<std::pair<std::string, std::size_t>>> groups;
  for (std::size_t i = 0; i < topics.size(); ++i) {
    if (!has_browse[i]) continue;
    const std::string& text = topics[i].browse;
    const std::size_t colon = text.find(':');
    std::string group = colon == std::string::npos ? std::string() : Trim(text.substr(0, colon));
    std::string key = Trim(colon == std::string::npos ? text : text.substr(colon + 1));
    if (AsciiLower(key) == "auto") key.clear();
    groups[AsciiLower(group)].emplace_back(std::move(key), i);
  }
  for (auto& [name, members] : groups) {
    std::stable_sort(members.begin(), members.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t m = 0; m + 1 < members.size(); ++m) {
      links[members[m].second].browse_next = members[m + 1].second;
      links[members[m + 1].second].browse_back = members[m].second;
    }
  }
}

}  // namespace

class TopicCompiler::Impl {
 public:
  Impl(std::vector<std::string> window_names, bool compress)
      : window_names_(std::move(window_names)), compress_(compress) {}

  void BeginSource(std::string file_name, std::string_view text) {
    ++source_;
    file_name_ = std::move(file_name);
    lines_.Reset(text);
    // Records take about half the markup's bytes (Japanese text is written
    // as "\'hh", four bytes a byte); room for that saves regrowing.
    const std::size_t wanted = list_.bytes.size() + text.size() / 2;
    if (list_.bytes.capacity() < wanted) {
      list_.bytes.reserve(std::max(wanted, 2 * list_.bytes.capacity()));
    }
    // The memo of a display context belongs to one document's tables.
    context_ = DisplayContext();
    context_.window_names = &window_names_;
    context_.fonts = &fonts_;
    context_.pictures = &out_.pictures;
    context_.picture_numbers = &picture_numbers_;
  }

  void Take(const topic::Document& tables, const topic::Topic& topic) {
    if (IsEmpty(topic)) return;
    context_.document = &tables;
    AddTopic(topic);
  }

  TopicFile Finish() {
    // The chain ends with an empty topic header that holds nothing.
    list_.Add(2, std::string(kHeaderSize, '\0'), {}, 0);

    LinkBrowseSequences(out_.topics, has_browse_, topic_links_);
    TopicBlocks blocks = BuildTopicBlocks(
        std::move(list_),
        [this](LinkList& links, const std::vector<LinkPlace>& places) {
          PatchHeaders(links, places);
        },
        compress_);
    for (std::size_t t = 0; t < out_.topics.size(); ++t) {
      out_.topics[t].topic_offset = blocks.places[topic_links_[t].header].offset;
    }
    out_.topic_data = std::move(blocks.data);
    out_.compressed = blocks.compressed;
    if (compress_ && !blocks.compressed) {
      out_.diagnostics.push_back(MakeDiagnostic(
          code::kTopicsUncompressed,
          "Topic text is written uncompressed: a paragraph is too large for a compressed block."));
    }
    out_.font_data = fonts_.Build();
    return std::move(out_);
  }

 private:
  void AddTopic(const topic::Topic& topic) {
    Lines& lines = lines_;
    DisplayContext& context = context_;
    CompiledTopic compiled;
    compiled.source = source_;
    compiled.line = lines.At(topic.footnotes.empty() ? topic.offset : topic.footnotes[0].offset);
    bool browse = false;
    for (const topic::Footnote& note : topic.footnotes) {
      switch (note.mark) {
        case '#':
          if (std::string context_name = Trim(note.text); !context_name.empty()) {
            compiled.contexts.push_back(std::move(context_name));
          }
          break;
        case '$':
          if (compiled.title.empty()) compiled.title = Trim(note.text);
          break;
        case 'K':
          for (std::string& word : SplitKeywords(note.text)) compiled.k_keywords.push_back(word);
          break;
        case 'A':
          for (std::string& word : SplitKeywords(note.text)) compiled.a_keywords.push_back(word);
          break;
        case '+':
          if (!browse) compiled.browse = Trim(note.text);
          browse = true;
          break;
        case '>':
          if (compiled.window.empty()) compiled.window = Trim(note.text);
          break;
        case '!':
          if (std::string macro = Trim(note.text); !macro.empty()) {
            compiled.macros.push_back(std::move(macro));
          }
          break;
        default:
          if ((note.mark >= 'a' && note.mark <= 'z') || (note.mark >= 'B' && note.mark <= 'Z')) {
            for (std::string& word : SplitKeywords(note.text)) {
              compiled.other_keywords.emplace_back(note.mark, std::move(word));
            }
          }
          break;
      }
    }
    const int index = static_cast<int>(out_.topics.size());

    TopicLinks placed;
    placed.header = list_.links.size();
    std::string& header_text = header_text_;
    header_text.clear();
    PutStringZ(header_text, compiled.title);
    for (const std::string& macro : compiled.macros) PutStringZ(header_text, macro);
    list_.Add(2, std::string_view(kZeroHeader, kHeaderSize), header_text, 0);

    const std::size_t fixed = topic.NonScrollingCount();
    const topic::Paragraph empty;
    const std::size_t count = std::max<std::size_t>(topic.paragraphs.size(), 1);
    for (std::size_t p = 0; p < count; ++p) {
      // A topic without text still gets a paragraph, so that it has an
      // offset of its own.
      const topic::Paragraph& paragraph = topic.paragraphs.empty() ? empty : topic.paragraphs[p];
      DisplayRecord& record = record_;
      EncodeParagraph(topic, paragraph, context, record);
      for (int hotspot : record.unknown_windows) {
        const topic::Hotspot& spot = topic.hotspots[static_cast<std::size_t>(hotspot)];
        out_.diagnostics.push_back(
            MakeDiagnostic(code::kMarkupProblem,
                           "Window \"" + spot.target.window + "\" is not defined in [WINDOWS].",
                           file_name_, lines.At(spot.offset), compiled.title));
      }
      for (const std::string& command : record.skipped_commands) {
        out_.diagnostics.push_back(MakeDiagnostic(
            code::kMarkupProblem, "Embedded command {" + command + "} is not supported; left out.",
            file_name_, compiled.line, compiled.title));
      }
      const auto text_length =
          static_cast<std::uint32_t>(std::min<std::size_t>(record.data2.size(), 0x7FFF));
      placed.block_size +=
          static_cast<std::uint32_t>(21 + record.data1.size() + record.data2.size());
      if (p < fixed) {
        if (!placed.non_scrolling) placed.non_scrolling = list_.links.size();
      } else if (!placed.scrolling) {
        placed.scrolling = list_.links.size();
      }
      list_.Add(0x20, record.data1, record.data2, text_length);
    }

    for (const topic::Hotspot& spot : topic.hotspots) {
      ContextReference reference;
      reference.topic = index;
      reference.line = lines.At(spot.offset);
      if (spot.kind == topic::HotspotKind::kMacro) {
        if (spot.macro_context.empty()) continue;
        reference.context = spot.macro_context;
        reference.popup = spot.macro_popup;
      } else {
        if (!spot.target.file.empty()) continue;  // another help file's business
        reference.context = spot.target.context;
        reference.popup = spot.kind == topic::HotspotKind::kPopup;
      }
      out_.references.push_back(std::move(reference));
    }

    out_.topics.push_back(std::move(compiled));
    topic_links_.push_back(placed);
    has_browse_.push_back(browse);
  }

  void PatchHeaders(LinkList& list, const std::vector<LinkPlace>& places) const {
    const std::vector<TopicLink>& links = list.links;
    const auto put = [&list](const TopicLink& link, std::size_t field, std::uint32_t value) {
      std::string& data = list.bytes;
      const std::size_t at = link.at + field;
      for (int i = 0; i < 4; ++i) data[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto offset_of = [&](const std::optional<std::size_t>& topic) {
      return topic ? places[topic_links_[*topic].header].offset : kNone;
    };
    const auto pos_of = [&](const std::optional<std::size_t>& link) {
      return link ? places[*link].pos : kNone;
    };
    for (std::size_t t = 0; t < topic_links_.size(); ++t) {
      const TopicLinks& topic = topic_links_[t];
      const TopicLink& data = links[topic.header];
      const std::size_t next =
          t + 1 < topic_links_.size() ? topic_links_[t + 1].header : links.size() - 1;
      put(data, 0, topic.block_size);
      put(data, 4, offset_of(topic.browse_back));
      put(data, 8, offset_of(topic.browse_next));
      put(data, 12, static_cast<std::uint32_t>(t));
      put(data, 16, pos_of(topic.non_scrolling));
      put(data, 20, pos_of(topic.scrolling));
      put(data, 24, places[next].pos);
    }
    const TopicLink& last = links.back();
    put(last, 0, 0);
    put(last, 4, kNone);
    put(last, 8, kNone);
    put(last, 12, static_cast<std::uint32_t>(topic_links_.size()));
    put(last, 16, kNone);
    put(last, 20, kNone);
    put(last, 24, kNone);
  }

  std::vector<std::string> window_names_;
  bool compress_ = false;
  int source_ = -1;
  std::string file_name_;
  Lines lines_;
  DisplayContext context_;
  TopicFile out_;
  FontTable fonts_;
  std::map<std::string, int> picture_numbers_;
  LinkList list_;
  DisplayRecord record_;     // room reused by every paragraph
  std::string header_text_;  // likewise for topic headers
  std::vector<TopicLinks> topic_links_;
  std::vector<bool> has_browse_;
};

TopicCompiler::TopicCompiler(std::vector<std::string> window_names, bool compress)
    : impl_(std::make_unique<Impl>(std::move(window_names), compress)) {}

TopicCompiler::~TopicCompiler() = default;

void TopicCompiler::BeginSource(std::string file_name, std::string_view text) {
  impl_->BeginSource(std::move(file_name), text);
}

void TopicCompiler::AddTopic(const topic::Document& tables, const topic::Topic& topic) {
  impl_->Take(tables, topic);
}

TopicFile TopicCompiler::Finish() { return impl_->Finish(); }

TopicFile CompileTopics(const TopicCompileInput& input) {
  TopicCompiler compiler(input.window_names, input.compress);
  for (const TopicSource& source : input.sources) {
    compiler.BeginSource(source.file_name, source.text);
    if (source.document == nullptr) continue;
    for (const topic::Topic& topic : source.document->topics) {
      compiler.AddTopic(*source.document, topic);
    }
  }
  return compiler.Finish();
}

}  // namespace qy::hlp
