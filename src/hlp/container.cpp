#include "hlp/container.h"

#include <algorithm>
#include <cstdint>

#include "hlp/btree_writer.h"
#include "hlp/bytes.h"

namespace qy::hlp {

namespace {

constexpr std::uint32_t kMagic = 0x00035F3F;
constexpr std::size_t kFileHeader = 9;

void PutFileHeader(std::string& out, std::size_t used) {
  PutU32(out, static_cast<std::uint32_t>(used + kFileHeader));  // reserved, with the header
  PutU32(out, static_cast<std::uint32_t>(used));
  PutU8(out, 4);
}

}  // namespace

void HelpFileBuilder::Add(std::string name, std::string content) {
  File file;
  file.name = std::move(name);
  file.owned = std::move(content);
  files_.push_back(std::move(file));
}

void HelpFileBuilder::AddBorrowed(std::string name, std::string_view content) {
  File file;
  file.name = std::move(name);
  file.borrowed = content;
  file.is_borrowed = true;
  files_.push_back(std::move(file));
}

std::optional<std::string> HelpFileBuilder::Build() const {
  std::string out(16, '\0');
  std::size_t total = out.size();
  for (const File& file : files_) total += kFileHeader + file.content().size();
  // The directory is small: a few pages of its tree.
  if (total <= 0x7FFFFFFF) out.reserve(total + kFileHeader + 16 * 1024);
  std::vector<BtreeRecord> directory;
  for (const File& file : files_) {
    const std::string& name = file.name;
    const std::string_view content = file.content();
    if (out.size() + content.size() + kFileHeader > 0x7FFFFFFF) return std::nullopt;
    BtreeRecord record;
    record.key = name + '\0';
    record.leaf = record.key;
    PutU32(record.leaf, static_cast<std::uint32_t>(out.size()));
    directory.push_back(std::move(record));
    PutFileHeader(out, content.size());
    out += content;
  }
  // The viewer searches the directory with a byte-wise comparison.
  std::sort(directory.begin(), directory.end(),
            [](const BtreeRecord& a, const BtreeRecord& b) { return a.key < b.key; });
  auto tree = BuildBtree({"z4", 1024, true}, directory);
  if (!tree) return std::nullopt;
  const std::size_t directory_start = out.size();
  PutFileHeader(out, tree->data.size());
  out += tree->data;
  if (out.size() > 0x7FFFFFFF) return std::nullopt;
  std::string header;
  PutU32(header, kMagic);
  PutU32(header, static_cast<std::uint32_t>(directory_start));
  PutI32(header, -1);  // no free list
  PutU32(header, static_cast<std::uint32_t>(out.size()));
  out.replace(0, 16, header);
  return out;
}

}  // namespace qy::hlp
