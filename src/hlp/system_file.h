// |SYSTEM: the help file's version, title, copyright, contents topic, the
// macros run on opening, the window definitions, language and character
// set, and the contents file's name.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hlp/help_project.h"

namespace qy::hlp {

struct SystemInfo {
  std::string title;
  std::string copyright;
  std::string citation;
  std::uint32_t contents_offset = 0;  // TOPICOFFSET of the contents topic
  std::vector<std::string> macros;
  std::vector<WindowDefinition> windows;
  std::uint16_t lcid = 0;  // 0: no language record
  int charset = 0;
  std::string cnt;
  bool compressed = false;      // LZ77 topic blocks of 4k
  std::uint32_t generated = 0;  // seconds since 1970; 0 for reproducible output
  std::string icon;             // an .ico file as it is; empty for none
};

std::string BuildSystemFile(const SystemInfo& info);

// The 90-byte window record; names longer than 8 bytes and captions longer
// than 50 are cut at a character boundary.
std::string BuildWindowRecord(const WindowDefinition& window);

}  // namespace qy::hlp
