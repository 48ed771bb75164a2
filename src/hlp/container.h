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
  // A file that is never held here: `write` hands its `size` bytes to the
  // Put it is given when the help file is written, and must stay valid
  // until then.
  using Put = std::function<bool(std::string_view)>;
  using Producer = std::function<bool(const Put&)>;
  void AddStreamed(std::string name, std::size_t size, Producer write);

  // Lays the file out once every internal file is there: false when it
  // would exceed what 32-bit offsets reach.
  bool Finish();
  // After Finish(): the file's size, and its bytes handed to `put` piece by
  // piece, so that a large file is never held whole; false when `put` fails.
  std::size_t size() const { return size_; }
  // A streamed file that hands over other than its size fails the write.
  bool Write(const Put& put) const;
  // Finish() and Write() into one string; nullopt when too large.
  std::optional<std::string> Build();

 private:
  struct File {
    std::string name;
    std::string owned;
    std::string_view borrowed;
    bool is_borrowed = false;
    Producer producer;
    std::size_t streamed_size = 0;
    std::string_view content() const { return is_borrowed ? borrowed : owned; }
    std::size_t size() const { return producer ? streamed_size : content().size(); }
  };
  std::vector<File> files_;
  std::string header_;     // the 16-byte file header
  std::string directory_;  // the directory with its internal file header
  std::size_t size_ = 0;
};

}  // namespace qy::hlp
