// The help file's outer layer: a 16-byte header, the internal files each
// behind a 9-byte file header, and the internal directory (a B+ tree of
// names and offsets) that finds them.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qy::hlp {

class HelpFileBuilder {
 public:
  // `content` without the internal file header. Names are unique.
  void Add(std::string name, std::string content);
  // The same without a copy: `content` must stay valid until the file has
  // been written.
  void AddBorrowed(std::string name, std::string_view content);

  // Lays the file out once every internal file is there: false when it
  // would exceed what 32-bit offsets reach.
  bool Finish();
  // After Finish(): the file's size, and its bytes handed to `put` piece by
  // piece, so that a large file is never held whole; false when `put` fails.
  std::size_t size() const { return size_; }
  bool Write(const std::function<bool(std::string_view)>& put) const;
  // Finish() and Write() into one string; nullopt when too large.
  std::optional<std::string> Build();

 private:
  struct File {
    std::string name;
    std::string owned;
    std::string_view borrowed;
    bool is_borrowed = false;
    std::string_view content() const { return is_borrowed ? borrowed : owned; }
  };
  std::vector<File> files_;
  std::string header_;     // the 16-byte file header
  std::string directory_;  // the directory with its internal file header
  std::size_t size_ = 0;
};

}  // namespace qy::hlp
