// Puts a help file together from the compiled topics and the help project:
// the context, map, title and keyword indexes, |SYSTEM, the pictures, and
// the checks that need every topic at once (duplicate contexts, hash
// collisions, jumps to contexts nobody defines).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hlp/container.h"
#include "hlp/diagnostic.h"
#include "hlp/help_project.h"
#include "hlp/topic_compiler.h"

namespace qy::hlp {

struct AssemblyInput {
  const HelpProject* project = nullptr;
  const TopicFile* topics = nullptr;
  std::vector<std::string> source_names;  // TopicCompileInput::sources' names
  // |bmN content for TopicFile::pictures[N]; nullopt when it could not be
  // made (the caller has reported why).
  std::vector<std::optional<std::string>> pictures;
  std::uint32_t generated = 0;  // |SYSTEM date, seconds since 1970
  bool topic_ids = false;       // also |TopicId and |Petra
  std::string icon;             // the .ico file for |SYSTEM; empty for none
  std::vector<std::pair<std::string, std::string>> baggage;  // name, content
};

struct Assembly {
  // The help file, laid out and ready to be written; nullopt when an error
  // stops the build. It borrows the |TOPIC and |FONT data of
  // AssemblyInput::topics and AssemblyInput::baggage, which must outlive it.
  std::optional<HelpFileBuilder> file;
  std::vector<Diagnostic> diagnostics;
};

Assembly AssembleHelpFile(const AssemblyInput& input);

}  // namespace qy::hlp
