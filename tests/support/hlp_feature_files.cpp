// The internal files that only some projects make: default windows, window
// macros, keyword macros, and the context and source names of topics.
#include <cstdlib>

#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {

using hlp_bytes::U32;
using Key = HlpTreeFormat::Key;
using Order = HlpTreeFormat::Order;

void ReadHlpFeatureFiles(HlpFile* file) {
  std::vector<std::string>* problems = &file->problems;
  if (const std::string* viola = file->File("|VIOLA")) {
    for (const HlpTreeEntry& e :
         ReadHlpTree(*viola, {Key::kLong, 4, Order::kUnsigned}, "|VIOLA", problems)) {
      file->default_windows[U32(e.key, 0)] = static_cast<std::int32_t>(U32(e.value, 0));
    }
  }
  for (const auto& [name, content] : file->files) {
    if (name.rfind("|CF", 0) != 0) continue;
    const int n = std::atoi(name.c_str() + 3);
    if (name != "|CF" + std::to_string(n) || content.empty() || content.back() != '\0') {
      problems->push_back(name + ": not a window's macro list");
      continue;
    }
    std::vector<std::string>& macros = file->window_macros[n];
    for (std::size_t at = 0; at < content.size(); at = content.find('\0', at) + 1) {
      macros.push_back(hlp_bytes::Str(content, at));
    }
  }
  if (const std::string* rose = file->File("|Rose")) {
    for (const HlpTreeEntry& e :
         ReadHlpTree(*rose, {Key::kLong, -2, Order::kSigned}, "|Rose", problems)) {
      const std::size_t nul = e.value.find('\0');
      file->keyword_macros[static_cast<std::int32_t>(U32(e.key, 0))] = {e.value.substr(0, nul),
                                                                        e.value.substr(nul + 1)};
    }
  }
  for (auto [name, list] : {std::pair{"|TopicId", &file->topic_ids}, {"|Petra", &file->sources}}) {
    if (const std::string* tree = file->File(name)) {
      for (const HlpTreeEntry& e :
           ReadHlpTree(*tree, {Key::kLong, -1, Order::kUnsigned}, name, problems)) {
        list->emplace_back(U32(e.key, 0), e.value);
      }
    }
  }
}

}  // namespace qy::testing
