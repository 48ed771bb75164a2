// The help file that explains the compiler's message codes ("Helphc.hlp"):
// one topic per code, found by the code as a keyword, shown in a window
// named "help". Made by this compiler from the code list itself.
#pragma once

#include <string>

namespace qy::hlp {

struct CodeHelpSources {
  std::string project;  // .hpj text
  std::string topics;   // .rtf text (Shift-JIS)
};

// `topic_file` is the name the project gives the topic file.
CodeHelpSources BuildCodeHelpSources(const std::string& topic_file);

}  // namespace qy::hlp
