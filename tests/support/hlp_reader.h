// A test-side reader of WinHelp 4 (.hlp) files, written apart from the
// compiler so that the two cannot share one misunderstanding of the format.
// It never throws and never trusts a length: whatever does not fit goes into
// `problems` as a readable sentence, and reading carries on where it can.
//
// Typical use in an end-to-end test:
//
//   HlpCheck check = CheckHelpFile(path);
//   EXPECT_THAT(check.problems, ::testing::IsEmpty());
//   EXPECT_EQ(check.file.system.title, "My help");
//   const HlpTopic* topic = check.file.TopicByContext("IDH_START");
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qy::testing {

// Byte layout of one B+tree's leaf entries.
struct HlpTreeFormat {
  enum class Key { kLong, kString };
  // How the keys must be ordered along the leaf chain; kNone skips the check
  // (keyword trees sort with the viewer's own collation).
  enum class Order { kNone, kSigned, kUnsigned, kBytes };
  Key key = Key::kString;
  // Bytes after the key; -n: n NUL-terminated strings, joined by a NUL in
  // HlpTreeEntry::value.
  int value_size = 4;
  Order order = Order::kNone;
};

// One leaf entry, raw: `key` is the 4 key bytes or the string without its
// NUL; `value` the value bytes (without the last string's NUL).
struct HlpTreeEntry {
  std::string key;
  std::string value;
};

// A leaf page in chain order and the index of its first entry.
struct HlpTreeLeaf {
  int page = 0;
  std::size_t first_entry = 0;
};

// Reads the B+tree that starts at the beginning of `tree` (an internal
// file's contents). Walks the leaf chain and, separately, every index level
// from the root, and reports into `problems` (each prefixed with `name`)
// when the two disagree, a page is out of range, the entry count is off or
// the keys are out of order. `leaves`, when given, receives the chain.
std::vector<HlpTreeEntry> ReadHlpTree(std::string_view tree, const HlpTreeFormat& format,
                                      std::string_view name, std::vector<std::string>* problems,
                                      std::vector<HlpTreeLeaf>* leaves = nullptr);

// The context-string hash the viewer looks contexts up by.
std::int32_t HlpContextHash(std::string_view context);

// Decompresses the LZ77 variant used in help files.
std::string HlpLz77Decompress(std::string_view compressed);

struct HlpWindow {
  std::string name;
};

struct HlpSystem {
  std::uint16_t minor = 0;  // 33 for Windows 95 help files
  std::uint16_t flags = 0;  // 0: plain topic blocks; 4 or 8: LZ77
  std::string title, copyright, cnt_file;
  std::optional<std::uint32_t> contents;  // TOPICOFFSET
  std::vector<std::string> config_macros;
  std::string icon;  // the .ico file of record 5
  std::vector<HlpWindow> windows;
  std::optional<std::uint16_t> lcid;  // the language record's word at byte 8
  std::optional<std::uint8_t> charset;
};

struct HlpFontDescriptor {
  std::uint8_t attributes = 0;  // 1 bold, 2 italic, 4 underline, ...
  std::uint8_t half_points = 0;
  std::uint16_t face = 0;   // index into HlpFonts::face_names
  std::uint32_t color = 0;  // 0x00BBGGRR
};

struct HlpFonts {
  std::vector<std::string> face_names;
  std::vector<HlpFontDescriptor> descriptors;
};

// A hotspot: `command` is its formatting byte (0xE2/0xE3/0xE6/0xE7 jump or
// pop up by context hash, 0xE0/0xE1 by TOPICOFFSET, 0xEA..0xEF by hash into
// another file or window; `external` when another file).
struct HlpJump {
  std::uint8_t command = 0;
  std::int32_t target = 0;
  bool external = false;
};

struct HlpTopic {
  std::uint32_t topic_pos = 0;     // TOPICPOS of its header TOPICLINK
  std::uint32_t topic_offset = 0;  // TOPICOFFSET contexts and indexes use
  std::uint32_t browse_back = 0, browse_forward = 0;
  std::string title;
  std::vector<std::string> macros;  // '!' footnotes
  // Text of the display and table records: one line per paragraph, '\t'
  // for tabs; strings split by character formatting are joined.
  std::string text;
  std::vector<HlpJump> jumps;
  std::vector<int> pictures;  // N of each |bmN the text shows
};

struct HlpKeyword {
  std::string word;
  std::vector<std::uint32_t> offsets;  // TOPICOFFSETs from |xWDATA
};

struct HlpFile {
  std::map<std::string, std::string> files;  // internal files by name
  HlpSystem system;
  HlpFonts fonts;
  // |TOPIC order. The untitled, empty header that ends the TOPICLINK chain
  // is no topic: its TOPICOFFSET is `chain_end`.
  std::vector<HlpTopic> topics;
  std::optional<std::uint32_t> chain_end;
  std::map<std::int32_t, std::uint32_t> contexts;             // hash -> offset
  std::vector<std::pair<std::uint32_t, std::string>> titles;  // |TTLBTREE
  std::vector<HlpKeyword> k_keywords, a_keywords;
  std::map<char, std::vector<HlpKeyword>> other_keywords;   // MULTIKEY letters
  std::vector<std::pair<std::int32_t, std::uint32_t>> map;  // |CTXOMAP
  std::map<std::uint32_t, std::int32_t> default_windows;    // |VIOLA: offset -> window
  std::map<int, std::vector<std::string>> window_macros;    // |CFn: n -> macros
  // |Rose: keyword hash -> macro and the title the topics-found list shows.
  std::map<std::int32_t, std::pair<std::string, std::string>> keyword_macros;
  std::vector<std::pair<std::uint32_t, std::string>> topic_ids;  // |TopicId
  std::vector<std::pair<std::uint32_t, std::string>> sources;    // |Petra
  std::vector<std::string> problems;                             // found while reading

  const std::string* File(std::string_view name) const;
  const HlpTopic* TopicAt(std::uint32_t topic_offset) const;
  const HlpTopic* TopicByContext(std::string_view context) const;
};

// Reads a help file from memory or from disk.
HlpFile ReadHlpFile(std::string bytes);
HlpFile LoadHlpFile(const std::string& path);

// Every offset in |CONTEXT, |TTLBTREE, the keyword data, |CTXOMAP, |VIOLA,
// |TopicId, |Petra, the contents record and the browse links must land on a
// topic header (a keyword's -1 needs its macro in |Rose), no two
// topics may share a TOPICOFFSET, every jump within the file must name a
// context |CONTEXT holds and every picture a |bmN file the help file holds. Returns one sentence
// per fault.
std::vector<std::string> CheckHlpOffsets(const HlpFile& file);

struct HlpCheck {
  HlpFile file;
  std::vector<std::string> problems;  // reading problems, then offsets
};

// Loads `path` and runs every check above.
HlpCheck CheckHelpFile(const std::string& path);

}  // namespace qy::testing
