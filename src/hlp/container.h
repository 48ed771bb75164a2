// The help file's outer layer: a 16-byte header, the internal files each
// behind a 9-byte file header, and the internal directory (a B+ tree of
// names and offsets) that finds them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qy::hlp {

class HelpFileBuilder {
 public:
  // `content` without the internal file header. Names are unique.
  void Add(std::string name, std::string content);
  // The whole file; nullopt when it would exceed what 32-bit offsets reach.
  std::optional<std::string> Build() const;

 private:
  std::vector<std::pair<std::string, std::string>> files_;
};

}  // namespace qy::hlp
