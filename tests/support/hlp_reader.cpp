// The help file's container, |SYSTEM, |FONT and index files.
#include "support/hlp_reader.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "support/hlp_bytes.h"

namespace qy::testing {
namespace {

using namespace hlp_bytes;
using Key = HlpTreeFormat::Key;
using Order = HlpTreeFormat::Order;

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::size_t kFileHeaderSize = 9;  // reserved, used, flags

// The contents of the internal file whose FILEHEADER is at `offset`.
std::string_view InternalFile(std::string_view bytes, std::uint32_t offset, const std::string& name,
                              std::vector<std::string>* problems) {
  if (!Has(bytes, offset, kFileHeaderSize)) {
    problems->push_back(name + ": header at " + Hex(offset) + " lies past the end of the file");
    return {};
  }
  std::uint32_t reserved = U32(bytes, offset), used = U32(bytes, offset + 4);
  if (reserved < static_cast<std::uint64_t>(used) + kFileHeaderSize) {
    problems->push_back(name + ": reserves " + std::to_string(reserved) + " bytes for " +
                        std::to_string(used) + " used plus its header");
  }
  if (!Has(bytes, offset + kFileHeaderSize, used)) {
    problems->push_back(name + ": " + std::to_string(used) + " bytes at " + Hex(offset) +
                        " run past the end of the file");
    return {};
  }
  return bytes.substr(offset + kFileHeaderSize, used);
}

struct Extent {
  std::uint64_t offset, size;
  std::string what;
};

// Internal files and free blocks must not overlap: a compiler that miscounts
// a reserved size would otherwise let one file's bytes shadow another's.
void CheckLayout(std::string_view bytes, std::vector<Extent> extents,
                 std::vector<std::string>* problems) {
  std::uint32_t free_block = U32(bytes, 8);
  for (int count = 0; free_block != 0xFFFFFFFF; ++count) {
    if (!Has(bytes, free_block, 8) || count > 100000) {
      problems->push_back("the free list reaches " + Hex(free_block) + ", outside the file");
      break;
    }
    extents.push_back({free_block, U32(bytes, free_block), "a free block"});
    free_block = U32(bytes, free_block + 4);
  }
  std::sort(extents.begin(), extents.end(),
            [](const Extent& a, const Extent& b) { return a.offset < b.offset; });
  for (std::size_t i = 0; i < extents.size(); ++i) {
    const Extent& extent = extents[i];
    if (extent.offset + extent.size > bytes.size()) {
      problems->push_back(extent.what + " reaches past the end of the file");
    }
    if (i > 0 && extents[i - 1].offset + extents[i - 1].size > extent.offset) {
      problems->push_back(extents[i - 1].what + " overlaps " + extent.what);
    }
  }
}

HlpWindow ReadWindow(std::string_view data) {
  HlpWindow window;
  window.name = Str(data, 12, 9);
  return window;
}

void ReadSystem(std::string_view data, HlpFile* file) {
  HlpSystem& system = file->system;
  if (U16(data, 0) != 0x036C || U16(data, 4) != 1) {
    file->problems.push_back("|SYSTEM: wrong magic or major version");
    return;
  }
  system.minor = U16(data, 2);
  system.flags = U16(data, 10);
  if (system.minor <= 16) {
    file->problems.push_back("|SYSTEM: minor version " + std::to_string(system.minor) +
                             " (Windows 3.0) is not read");
    return;
  }
  std::size_t at = 12;
  while (Has(data, at, 4)) {
    std::uint16_t type = U16(data, at), size = U16(data, at + 2);
    if (!Has(data, at + 4, size)) {
      file->problems.push_back("|SYSTEM: record " + std::to_string(type) + " of " +
                               std::to_string(size) + " bytes runs past the end");
      return;
    }
    std::string_view record = data.substr(at + 4, size);
    switch (type) {
      case 1:
        system.title = Str(record, 0);
        break;
      case 2:
        system.copyright = Str(record, 0);
        break;
      case 3:
        if (size == 4)
          system.contents = U32(record, 0);
        else
          file->problems.push_back("|SYSTEM: contents record is not 4 bytes");
        break;
      case 4:
        system.config_macros.push_back(Str(record, 0));
        break;
      case 5:
        system.icon = std::string(record);
        break;
      case 6:
        if (size == 90)
          system.windows.push_back(ReadWindow(record));
        else
          file->problems.push_back("|SYSTEM: window record is not 90 bytes");
        break;
      case 9:
        if (size >= 10)
          system.lcid = U16(record, 8);
        else
          file->problems.push_back("|SYSTEM: language record shorter than 10 bytes");
        break;
      case 10:
        system.cnt_file = Str(record, 0);
        break;
      case 11:
        system.charset = U8(record, 0);
        break;
      default:
        break;
    }
    at += 4 + size;
  }
  if (at != data.size()) file->problems.push_back("|SYSTEM: a partial record at the end");
}

void ReadFonts(std::string_view data, HlpFile* file) {
  std::uint16_t faces = U16(data, 0), count = U16(data, 2);
  std::uint16_t face_at = U16(data, 4), descriptor_at = U16(data, 6);
  if (face_at >= 12) {
    file->problems.push_back("|FONT: the multimedia descriptor layout is not read");
    return;
  }
  if (faces != 0) {
    if (descriptor_at < face_at) {
      file->problems.push_back("|FONT: descriptors start before the face names");
      return;
    }
    std::size_t length = (descriptor_at - face_at) / faces;
    for (std::size_t i = 0; i < faces; ++i) {
      file->fonts.face_names.push_back(Str(data, face_at + i * length, length));
    }
  }
  for (std::size_t i = 0; i < count; ++i) {
    std::size_t at = descriptor_at + i * 11;
    if (!Has(data, at, 11)) {
      file->problems.push_back("|FONT: descriptor " + std::to_string(i) + " runs past the end");
      return;
    }
    HlpFontDescriptor font;
    font.attributes = U8(data, at);
    font.half_points = U8(data, at + 1);
    font.face = U16(data, at + 3);
    font.color = U32(data, at + 5) & 0xFFFFFF;
    if (font.face >= faces) {
      file->problems.push_back("|FONT: descriptor " + std::to_string(i) + " names face " +
                               std::to_string(font.face) + " of " + std::to_string(faces));
    }
    file->fonts.descriptors.push_back(font);
  }
}

// |xWMAP lists each leaf page of |xWBTREE with the number of keywords before
// it, so the index dialog can scroll without walking the tree.
void CheckKeywordMap(const HlpFile& file, char letter, const std::vector<HlpTreeLeaf>& leaves,
                     std::vector<std::string>* problems) {
  std::string name = std::string("|") + letter + "WMAP";
  const std::string* map = file.File(name);
  if (map == nullptr) {
    problems->push_back(std::string("|") + letter + "WBTREE without " + name);
    return;
  }
  if (U16(*map, 0) != leaves.size() || map->size() != 2 + leaves.size() * 6) {
    problems->push_back(name + ": " + std::to_string(U16(*map, 0)) + " entries in " +
                        std::to_string(map->size()) + " bytes for " +
                        std::to_string(leaves.size()) + " leaf pages");
    return;
  }
  for (std::size_t i = 0; i < leaves.size(); ++i) {
    std::uint32_t before = U32(*map, 2 + i * 6);
    std::uint16_t page = U16(*map, 6 + i * 6);
    if (before != leaves[i].first_entry || page != leaves[i].page) {
      problems->push_back(name + ": entry " + std::to_string(i) + " says page " +
                          std::to_string(page) + " after " + std::to_string(before) +
                          " keywords, the tree has page " + std::to_string(leaves[i].page) +
                          " after " + std::to_string(leaves[i].first_entry));
    }
  }
}

std::vector<HlpKeyword> ReadKeywords(const HlpFile& file, char letter,
                                     std::vector<std::string>* problems) {
  std::vector<HlpKeyword> keywords;
  std::string tree_name = std::string("|") + letter + "WBTREE";
  std::string data_name = std::string("|") + letter + "WDATA";
  const std::string* tree = file.File(tree_name);
  if (tree == nullptr) return keywords;
  const std::string* data = file.File(data_name);
  if (data == nullptr) {
    problems->push_back(tree_name + " without " + data_name);
    return keywords;
  }
  HlpTreeFormat format{Key::kString, 6, Order::kNone};
  std::vector<HlpTreeLeaf> leaves;
  std::vector<HlpTreeEntry> entries = ReadHlpTree(*tree, format, tree_name, problems, &leaves);
  CheckKeywordMap(file, letter, leaves, problems);
  for (const HlpTreeEntry& entry : entries) {
    HlpKeyword keyword{entry.key, {}};
    std::uint16_t count = U16(entry.value, 0);
    std::uint32_t at = U32(entry.value, 2);
    if (!Has(*data, at, std::size_t{count} * 4)) {
      problems->push_back(data_name + ": " + std::to_string(count) + " offsets at " +
                          std::to_string(at) + " for \"" + entry.key + "\" run past the end");
      count = 0;
    }
    for (std::size_t i = 0; i < count; ++i) keyword.offsets.push_back(U32(*data, at + i * 4));
    keywords.push_back(std::move(keyword));
  }
  return keywords;
}

void ReadIndexes(HlpFile* file) {
  std::vector<std::string>* problems = &file->problems;
  if (const std::string* context = file->File("|CONTEXT")) {
    HlpTreeFormat format{Key::kLong, 4, Order::kSigned};
    for (const HlpTreeEntry& entry : ReadHlpTree(*context, format, "|CONTEXT", problems)) {
      file->contexts[static_cast<std::int32_t>(U32(entry.key, 0))] = U32(entry.value, 0);
    }
  }
  if (const std::string* titles = file->File("|TTLBTREE")) {
    HlpTreeFormat format{Key::kLong, -1, Order::kUnsigned};
    for (const HlpTreeEntry& entry : ReadHlpTree(*titles, format, "|TTLBTREE", problems)) {
      file->titles.emplace_back(U32(entry.key, 0), entry.value);
    }
  }
  file->k_keywords = ReadKeywords(*file, 'K', problems);
  file->a_keywords = ReadKeywords(*file, 'A', problems);
  for (const auto& [name, content] : file->files) {
    if (name.size() == 8 && name[0] == '|' && name.substr(2) == "WBTREE" && name[1] != 'K' &&
        name[1] != 'A') {
      file->other_keywords[name[1]] = ReadKeywords(*file, name[1], problems);
    }
  }
  if (const std::string* map = file->File("|CTXOMAP")) {
    std::size_t count = U16(*map, 0);
    if (map->size() != 2 + count * 8) {
      problems->push_back("|CTXOMAP: " + std::to_string(map->size()) + " bytes for " +
                          std::to_string(count) + " entries");
    }
    for (std::size_t i = 0; i < count && Has(*map, 2 + i * 8, 8); ++i) {
      file->map.emplace_back(static_cast<std::int32_t>(U32(*map, 2 + i * 8)), U32(*map, 6 + i * 8));
    }
  }
}

}  // namespace

const std::string* HlpFile::File(std::string_view name) const {
  auto found = files.find(std::string(name));
  return found == files.end() ? nullptr : &found->second;
}

const HlpTopic* HlpFile::TopicAt(std::uint32_t topic_offset) const {
  for (const HlpTopic& topic : topics) {
    if (topic.topic_offset == topic_offset) return &topic;
  }
  return nullptr;
}

const HlpTopic* HlpFile::TopicByContext(std::string_view context) const {
  auto found = contexts.find(HlpContextHash(context));
  return found == contexts.end() ? nullptr : TopicAt(found->second);
}

HlpFile ReadHlpFile(std::string bytes) {
  HlpFile file;
  if (!Has(bytes, 0, 16) || U32(bytes, 0) != kFileMagic) {
    file.problems.push_back("not a help file (magic 0x00035F3F missing)");
    return file;
  }
  if (U32(bytes, 12) != bytes.size()) {
    file.problems.push_back("header gives the file size as " + std::to_string(U32(bytes, 12)) +
                            ", it is " + std::to_string(bytes.size()));
  }
  std::string_view directory = InternalFile(bytes, U32(bytes, 4), "directory", &file.problems);
  std::vector<Extent> extents = {{0, 16, "the file header"}};
  extents.push_back({U32(bytes, 4), U32(bytes, U32(bytes, 4)), "the directory"});
  HlpTreeFormat format{Key::kString, 4, Order::kBytes};
  for (const HlpTreeEntry& entry : ReadHlpTree(directory, format, "directory", &file.problems)) {
    std::uint32_t offset = U32(entry.value, 0);
    file.files[entry.key] = std::string(InternalFile(bytes, offset, entry.key, &file.problems));
    extents.push_back({offset, U32(bytes, offset), entry.key});
  }
  CheckLayout(bytes, std::move(extents), &file.problems);
  const std::string* system = file.File("|SYSTEM");
  if (system == nullptr) {
    file.problems.push_back("no |SYSTEM file");
    return file;
  }
  ReadSystem(*system, &file);
  if (const std::string* fonts = file.File("|FONT"))
    ReadFonts(*fonts, &file);
  else
    file.problems.push_back("no |FONT file");
  ReadIndexes(&file);
  ReadHlpFeatureFiles(&file);
  if (file.system.minor > 16) ReadHlpTopics(&file);
  return file;
}

HlpFile LoadHlpFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    HlpFile file;
    file.problems.push_back("cannot open " + path);
    return file;
  }
  return ReadHlpFile(std::string(std::istreambuf_iterator<char>(in), {}));
}

}  // namespace qy::testing
