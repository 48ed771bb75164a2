// Turns parsed topic files into the help file's |TOPIC and |FONT internal
// files, and tells the rest of the compiler where each topic starts and what
// it names (contexts, title, keywords), so the context, title and keyword
// indexes can point at it.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hlp/diagnostic.h"
#include "hlp/topic_blocks.h"
#include "topic/document.h"

namespace qy::hlp {

struct TopicSource {
  std::string file_name;  // as named in the help project, for messages
  std::string_view text;  // the file's bytes, for line numbers
  const topic::Document* document = nullptr;
};

struct TopicCompileInput {
  std::vector<TopicSource> sources;  // in [FILES] order
  // [WINDOWS] names in order; a hotspot's ">name" is encoded by its index
  // (matched without regard to case).
  std::vector<std::string> window_names;
  bool compress = true;  // LZ77 topic blocks
};

struct CompiledTopic {
  // TOPICOFFSET of the topic's header: what |CONTEXT, |TTLBTREE and
  // |KWDATA point at.
  std::uint32_t topic_offset = 0;
  std::string title;                    // '$' footnote
  std::vector<std::string> contexts;    // '#' footnotes
  std::vector<std::string> k_keywords;  // 'K' footnotes, split at ';'
  std::vector<std::string> a_keywords;  // 'A' footnotes, split at ';'
  std::string browse;                   // '+' footnote
  std::string window;                   // '>' footnote
  std::vector<std::string> macros;      // '!' footnotes
  // Keyword footnotes of other letters (MULTIKEY tables), split at ';'.
  std::vector<std::pair<char, std::string>> other_keywords;
  int source = 0;  // index into TopicCompileInput::sources
  int line = 0;    // 1-based line where the topic starts
};

// A jump or popup (or a JumpID/PopupID-style macro) into this help file, so
// undefined contexts can be reported.
struct ContextReference {
  std::string context;
  bool popup = false;
  int topic = 0;  // index into TopicFile::topics
  int line = 0;   // 1-based line in the topic's source
};

struct TopicFile {
  TopicData topic_data;     // |TOPIC, without the internal file header
  std::string font_data;    // |FONT, without the internal file header
  bool compressed = false;  // topic blocks are LZ77 compressed (|SYSTEM flags)
  std::vector<CompiledTopic> topics;
  // One per hotspot of the whole file, so a deque: no copying as it grows.
  std::deque<ContextReference> references;
  // Picture files as the markup names them; |bmN is pictures[N].
  std::vector<std::string> pictures;
  std::vector<Diagnostic> diagnostics;
};

TopicFile CompileTopics(const TopicCompileInput& input);

// The same, one topic at a time, as the markup reader hands them over, so
// that no whole document need be held: BeginSource() for each file in
// [FILES] order, AddTopic() for each of its topics, then Finish() once.
class TopicCompiler {
 public:
  TopicCompiler(std::vector<std::string> window_names, bool compress);
  ~TopicCompiler();
  TopicCompiler(const TopicCompiler&) = delete;
  TopicCompiler& operator=(const TopicCompiler&) = delete;

  // `text` must stay valid until the next BeginSource() or Finish().
  void BeginSource(std::string file_name, std::string_view text);
  // `tables` gives the fonts and colours, and must stay the same object with
  // the same tables for all topics of one source.
  void AddTopic(const topic::Document& tables, const topic::Topic& topic);
  TopicFile Finish();

 private:
  class Impl;
  std::unique_ptr<Impl> impl_;
};

// The viewer's hash of a context string (case-blind); |CONTEXT and jump
// hotspots both use it.
std::int32_t ContextHash(std::string_view context);

}  // namespace qy::hlp
