// The internal files of project features beyond the core indexes: keyword
// tables of MULTIKEY letters, each topic's default window (|VIOLA), the
// macros of secondary windows (|CFn), keywords that run macros (|Rose) and,
// on request, each topic's first context string (|TopicId) and source file
// (|Petra). Projects that use none of these get none of these files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "hlp/diagnostic.h"
#include "hlp/help_project.h"
#include "hlp/index_files.h"
#include "hlp/topic_compiler.h"

namespace qy::hlp {

// The offset a keyword's data lists when the keyword runs a [MACROS] macro.
inline constexpr std::uint32_t kMacroKeyword = 0xFFFFFFFF;

struct ProjectFilesInput {
  const HelpProject* project = nullptr;
  const TopicFile* topics = nullptr;
  const std::vector<std::string>* source_names = nullptr;  // by CompiledTopic::source
  bool topic_ids = false;                                  // write |TopicId and |Petra
};

struct ProjectFiles {
  std::vector<std::pair<std::string, std::string>> files;  // name, content
  std::vector<Diagnostic> diagnostics;
};

ProjectFiles BuildProjectFiles(const ProjectFilesInput& input);

// The [MACROS] keywords, for the K keyword index, each with kMacroKeyword.
std::vector<KeywordEntry> MacroKeywords(const HelpProject& project);

// |VIOLA: topic offset -> window number, sorted by offset.
struct DefaultWindow {
  std::uint32_t offset = 0;
  std::int32_t window = 0;
};
std::optional<std::string> BuildViolaFile(std::vector<DefaultWindow> entries);

// |CFn: the macros one after another, each NUL-terminated.
std::string BuildConfigFile(const std::vector<std::string>& macros);

// |Rose: keyword hash -> macro and title, sorted by hash as a signed number.
// Hashes must be unique.
struct RoseEntry {
  std::int32_t hash = 0;
  std::string macro;
  std::string title;
};
std::optional<std::string> BuildRoseFile(std::vector<RoseEntry> entries);

}  // namespace qy::hlp
