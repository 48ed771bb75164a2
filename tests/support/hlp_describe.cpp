// A stable text picture of a help file for golden tests: names topics by
// title rather than by offset, so a layout change alone does not move it.
#include "support/hlp_bytes.h"
#include "support/hlp_reader.h"

namespace qy::testing {

std::string DescribeHlpFile(const HlpFile& file) {
  using hlp_bytes::Hex;
  auto topic_name = [&](std::uint32_t offset) {
    const HlpTopic* topic = file.TopicAt(offset);
    return topic ? "\"" + topic->title + "\"" : "(no topic at " + Hex(offset) + ")";
  };
  std::string out;
  const HlpSystem& system = file.system;
  out += "title: " + system.title + "\ncopyright: " + system.copyright + "\n";
  if (system.contents) out += "contents: " + topic_name(*system.contents) + "\n";
  if (system.lcid) out += "lcid: " + Hex(*system.lcid) + "\n";
  if (system.charset) out += "charset: " + std::to_string(*system.charset) + "\n";
  if (!system.cnt_file.empty()) out += "cnt: " + system.cnt_file + "\n";
  for (const std::string& macro : system.config_macros) out += "config: " + macro + "\n";
  for (const HlpWindow& window : system.windows) {
    out += "window: " + window.type + " " + window.name + " \"" + window.caption + "\"\n";
  }
  for (const HlpFontDescriptor& font : file.fonts.descriptors) {
    std::string face =
        font.face < file.fonts.face_names.size() ? file.fonts.face_names[font.face] : "?";
    out += "font: " + face + " " + std::to_string(font.half_points) + " attributes " +
           std::to_string(font.attributes) + " color " + Hex(font.color) + "\n";
  }
  for (const HlpTopic& topic : file.topics) {
    out += "topic \"" + topic.title + "\"\n";
    for (const std::string& macro : topic.macros) out += "  macro: " + macro + "\n";
    std::size_t start = 0;
    while (start < topic.text.size()) {
      std::size_t end = topic.text.find('\n', start);
      if (end == std::string::npos) end = topic.text.size();
      out += "  | " + topic.text.substr(start, end - start) + "\n";
      start = end + 1;
    }
    for (const HlpJump& jump : topic.jumps) {
      out += "  jump " + Hex(jump.command).substr(8) + " ";
      if (jump.command == 0xE0 || jump.command == 0xE1) {
        out += topic_name(static_cast<std::uint32_t>(jump.target)) + "\n";
        continue;
      }
      auto found = file.contexts.find(jump.target);
      out += jump.external ? "external " + Hex(static_cast<std::uint32_t>(jump.target))
             : found == file.contexts.end()
                 ? "unknown " + Hex(static_cast<std::uint32_t>(jump.target))
                 : topic_name(found->second);
      out += "\n";
    }
  }
  for (const auto& [hash, offset] : file.contexts) {
    out += "context " + Hex(static_cast<std::uint32_t>(hash)) + " " + topic_name(offset) + "\n";
  }
  for (const auto* keywords : {&file.k_keywords, &file.a_keywords}) {
    for (const HlpKeyword& keyword : *keywords) {
      out += std::string(keywords == &file.k_keywords ? "K " : "A ") + keyword.word + ":";
      for (std::uint32_t offset : keyword.offsets) out += " " + topic_name(offset);
      out += "\n";
    }
  }
  for (const auto& [id, offset] : file.map) {
    out += "map " + std::to_string(id) + " " + topic_name(offset) + "\n";
  }
  return out;
}

}  // namespace qy::testing
