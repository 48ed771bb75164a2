// Checks that everything pointing into |TOPIC points at a topic header.
#include <map>

#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {

std::vector<std::string> CheckHlpOffsets(const HlpFile& file) {
  using hlp_bytes::Hex;
  std::vector<std::string> problems;
  std::map<std::uint32_t, const HlpTopic*> headers;
  for (const HlpTopic& topic : file.topics) {
    auto [it, added] = headers.emplace(topic.topic_offset, &topic);
    if (!added) {
      problems.push_back("topics \"" + it->second->title + "\" and \"" + topic.title +
                         "\" share TOPICOFFSET " + Hex(topic.topic_offset));
    }
  }
  auto lands = [&](std::uint32_t offset, const std::string& what) {
    if (headers.count(offset) == 0) {
      problems.push_back(what + " points at " + Hex(offset) + ", which is no topic header");
      return false;
    }
    return true;
  };

  for (const auto& [hash, offset] : file.contexts) {
    lands(offset, "|CONTEXT hash " + Hex(static_cast<std::uint32_t>(hash)));
  }
  for (const auto& [offset, title] : file.titles) {
    if (lands(offset, "|TTLBTREE \"" + title + "\"") && headers[offset]->title != title) {
      problems.push_back("|TTLBTREE names " + Hex(offset) + " \"" + title +
                         "\", its header says \"" + headers[offset]->title + "\"");
    }
  }
  std::vector<std::pair<std::string, const std::vector<HlpKeyword>*>> tables = {
      {"|KWDATA", &file.k_keywords}, {"|AWDATA", &file.a_keywords}};
  for (const auto& [letter, words] : file.other_keywords) {
    tables.emplace_back(std::string("|") + letter + "WDATA", &words);
  }
  for (const auto& [name, keywords] : tables) {
    for (const HlpKeyword& keyword : *keywords) {
      for (std::uint32_t offset : keyword.offsets) {
        // -1 marks a keyword that runs a macro instead of opening a topic.
        if (offset != 0xFFFFFFFF) {
          lands(offset, name + " \"" + keyword.word + "\"");
        } else if (file.keyword_macros.count(HlpContextHash(keyword.word)) == 0) {
          problems.push_back(name + " \"" + keyword.word + "\" runs a macro |Rose does not hold");
        }
      }
    }
  }
  for (const auto& [offset, window] : file.default_windows) {
    lands(offset, "|VIOLA window " + std::to_string(window));
    if (window < 0 || window >= static_cast<std::int32_t>(file.system.windows.size())) {
      problems.push_back("|VIOLA names window " + std::to_string(window) + " of " +
                         std::to_string(file.system.windows.size()));
    }
  }
  for (const auto& [n, macros] : file.window_macros) {
    if (n >= static_cast<int>(file.system.windows.size())) {
      problems.push_back("|CF" + std::to_string(n) + " is for a window |SYSTEM does not define");
    }
  }
  for (const auto& [offset, id] : file.topic_ids) {
    lands(offset, "|TopicId \"" + id + "\"");
    auto found = file.contexts.find(HlpContextHash(id));
    if (found == file.contexts.end() || found->second != offset) {
      problems.push_back("|TopicId \"" + id + "\" is not in |CONTEXT at " + Hex(offset));
    }
  }
  for (const auto& [offset, source] : file.sources) lands(offset, "|Petra \"" + source + "\"");
  for (const auto& [id, offset] : file.map) lands(offset, "|CTXOMAP id " + std::to_string(id));
  if (file.system.contents) lands(*file.system.contents, "|SYSTEM contents");
  for (const HlpTopic& topic : file.topics) {
    for (std::uint32_t browse : {topic.browse_back, topic.browse_forward}) {
      if (browse != 0xFFFFFFFF) lands(browse, "browse link of \"" + topic.title + "\"");
    }
  }
  for (const HlpTopic& topic : file.topics) {
    for (const HlpJump& jump : topic.jumps) {
      std::string what = "jump " + Hex(jump.command).substr(8) + " in \"" + topic.title + "\"";
      if (jump.command == 0xE0 || jump.command == 0xE1) {
        lands(static_cast<std::uint32_t>(jump.target), what);
      } else if (!jump.external && file.contexts.count(jump.target) == 0) {
        problems.push_back(what + " names hash " + Hex(static_cast<std::uint32_t>(jump.target)) +
                           ", which |CONTEXT does not hold");
      }
    }
  }
  for (const HlpTopic& topic : file.topics) {
    for (int picture : topic.pictures) {
      if (file.File("|bm" + std::to_string(picture)) == nullptr) {
        problems.push_back("topic \"" + topic.title + "\" shows picture " +
                           std::to_string(picture) + ", which has no |bm" +
                           std::to_string(picture) + " file");
      }
    }
  }
  return problems;
}

HlpCheck CheckHelpFile(const std::string& path) {
  HlpCheck check;
  check.file = LoadHlpFile(path);
  check.problems = check.file.problems;
  for (std::string& problem : CheckHlpOffsets(check.file)) {
    check.problems.push_back(std::move(problem));
  }
  return check;
}

}  // namespace qy::testing
