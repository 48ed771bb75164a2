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

void HelpFileBuilder::AddStreamed(std::string name, std::size_t size, Producer write) {
  File file;
  file.name = std::move(name);
  file.producer = std::move(write);
  file.streamed_size = size;
  files_.push_back(std::move(file));
}

bool HelpFileBuilder::Finish() {
  std::size_t at = 16;
  std::vector<BtreeRecord> directory;
  directory.reserve(files_.size());
  for (const File& file : files_) {
    const std::size_t size = file.size();
    if (at + size + kFileHeader > 0x7FFFFFFF) return false;
    BtreeRecord record;
    record.key = file.name + '\0';
    record.leaf = record.key;
    PutU32(record.leaf, static_cast<std::uint32_t>(at));
    directory.push_back(std::move(record));
    at += kFileHeader + size;
  }
  // The viewer searches the directory with a byte-wise comparison.
  std::sort(directory.begin(), directory.end(),
            [](const BtreeRecord& a, const BtreeRecord& b) { return a.key < b.key; });
  auto tree = BuildBtree({"z4", 1024, true}, directory);
  if (!tree) return false;
  const std::size_t directory_start = at;
  directory_.clear();
  PutFileHeader(directory_, tree->data.size());
  directory_ += tree->data;
  size_ = at + directory_.size();
  if (size_ > 0x7FFFFFFF) return false;
  header_.clear();
  PutU32(header_, kMagic);
  PutU32(header_, static_cast<std::uint32_t>(directory_start));
  PutI32(header_, -1);  // no free list
  PutU32(header_, static_cast<std::uint32_t>(size_));
  return true;
}

bool HelpFileBuilder::Write(const Put& put) const {
  if (!put(header_)) return false;
  std::string file_header;
  for (const File& file : files_) {
    file_header.clear();
    PutFileHeader(file_header, file.size());
    if (!put(file_header)) return false;
    if (file.producer) {
      // The directory's offsets were reckoned with the size given.
      std::size_t written = 0;
      const bool ok = file.producer([&](std::string_view piece) {
        written += piece.size();
        return written <= file.streamed_size && put(piece);
      });
      if (!ok || written != file.streamed_size) return false;
    } else if (const std::string_view content = file.content(); !content.empty()) {
      if (!put(content)) return false;
    }
  }
  return put(directory_);
}

std::optional<std::string> HelpFileBuilder::Build() {
  if (!Finish()) return std::nullopt;
  std::string out;
  out.reserve(size_);
  Write([&out](std::string_view piece) {
    out += piece;
    return true;
  });
  return out;
}

}  // namespace qy::hlp
