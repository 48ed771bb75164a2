// The help compiler run: reads a help project and its topic files, compiles
// them, writes the help file atomically and the log in the layout the build's
// log analysis reads (HC codes, Error/Warning/Note, one message line each).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "hlp/diagnostic.h"

namespace qy::hlp {

struct CompileRequest {
  std::string project_path;     // native path of the .hpj
  std::string output_path;      // empty: the .hpj's name with ".hlp"
  std::uint32_t generated = 0;  // date in |SYSTEM; 0 for reproducible files
  // Also record each topic's first context string and source file (|TopicId,
  // |Petra), for tools that map a help file back to its sources.
  bool topic_ids = false;
};

struct CompileOutcome {
  bool help_file_written = false;
  std::string help_file;  // native
  std::size_t help_file_size = 0;
  std::string log_file;  // native; empty when it could not be written
  std::vector<Diagnostic> diagnostics;
  bool HasErrors() const;
};

CompileOutcome CompileHelpProject(const CompileRequest& request);

// The log text: a heading, two lines per message, and the closing line
// ("Created NAME, N bytes" or the HC4005 error). Shift-JIS, CR LF.
std::string FormatCompilerLog(const std::vector<Diagnostic>& diagnostics,
                              const std::string& help_file_name, std::size_t help_file_size,
                              bool written);

}  // namespace qy::hlp
