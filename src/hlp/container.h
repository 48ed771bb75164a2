// The help file's outer layer: a 16-byte header, the internal files each
// behind a 9-byte file header, and the internal directory (a B+ tree of
// names and offsets) that finds them.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qy::hlp {

class HelpFileBuilder {
 public:
  // `content` without the internal file header. Names are unique.
  void Add(std::string name, std::string content);
  // The same without a copy: `content` must stay valid until Build().
  void AddBorrowed(std::string name, std::string_view content);
  // The whole file; nullopt when it would exceed what 32-bit offsets reach.
  std::optional<std::string> Build() const;

 private:
  struct File {
    std::string name;
    std::string owned;
    std::string_view borrowed;
    bool is_borrowed = false;
    std::string_view content() const { return is_borrowed ? borrowed : owned; }
  };
  std::vector<File> files_;
};

}  // namespace qy::hlp
