// quillory-hc PROJECT.hpj: compiles a help project into a help file beside
// it and writes the compiler log; the messages are echoed on the terminal.
//   quillory-hc -o OUT.hlp PROJECT.hpj   writes the help file elsewhere
//   quillory-hc -a PROJECT.hpj           also records each topic's context
//                                        strings and source file
//   quillory-hc --code-list FILE         writes the list of message codes
//   quillory-hc --code-help FOLDER       makes the help file on those codes
// Exit status: 0 when the help file was written, 1 when not, 2 for bad usage.
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "hlp/code_help.h"
#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"

namespace {

int Usage() {
  std::cerr << "usage: quillory-hc [-a] [-o OUTPUT.hlp] PROJECT.hpj\n"
               "       quillory-hc --code-list FILE\n"
               "       quillory-hc --code-help FOLDER\n";
  return 2;
}

const char* Kind(qy::hlp::Severity s) {
  return s == qy::hlp::Severity::kError     ? "Error"
         : s == qy::hlp::Severity::kWarning ? "Warning"
                                            : "Note";
}

}  // namespace

int main(int argc, char** argv) {
  qy::hlp::CompileRequest request;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--code-list") {
      if (i + 1 >= argc) return Usage();
      auto result = qy::WriteFileAtomic(argv[i + 1], qy::hlp::CodeListText());
      if (!result) {
        std::cerr << "quillory-hc: " << result.error << "\n";
        return 1;
      }
      return 0;
    }
    if (arg == "--code-help") {
      if (i + 1 >= argc) return Usage();
      // The sources are written beside the help file and compiled like any
      // project; Helphc.hlp is the name the debug view looks for.
      std::string folder = argv[i + 1];
      if (folder.back() != '/') folder += '/';
      const qy::hlp::CodeHelpSources sources = qy::hlp::BuildCodeHelpSources("Helphc.rtf");
      if (!qy::WriteFileAtomic(folder + "Helphc.hpj", sources.project) ||
          !qy::WriteFileAtomic(folder + "Helphc.rtf", sources.topics)) {
        std::cerr << "quillory-hc: cannot write into " << folder << "\n";
        return 1;
      }
      request.project_path = folder + "Helphc.hpj";
      break;
    }
    if (arg == "-a") {
      request.topic_ids = true;
    } else if (arg == "-o") {
      if (i + 1 >= argc) return Usage();
      request.output_path = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage();
    } else if (request.project_path.empty()) {
      request.project_path = arg;
    } else {
      return Usage();
    }
  }
  if (request.project_path.empty()) return Usage();
  request.generated = static_cast<std::uint32_t>(std::time(nullptr));
  const qy::hlp::CompileOutcome outcome = qy::hlp::CompileHelpProject(request);
  for (const qy::hlp::Diagnostic& d : outcome.diagnostics) {
    std::cout << "HC" << d.code << " " << Kind(d.severity) << ": ";
    if (!d.file.empty()) std::cout << qy::Cp932ToUtf8(d.file) << ":" << d.line << ": ";
    std::cout << qy::Cp932ToUtf8(d.text);
    if (!d.topic.empty()) std::cout << " (" << qy::Cp932ToUtf8(d.topic) << ")";
    std::cout << "\n";
  }
  if (outcome.help_file_written) {
    std::cout << "Created " << outcome.help_file << ", " << outcome.help_file_size << " bytes\n";
  } else {
    std::cout << "No help file was created.\n";
  }
  if (outcome.log_file.empty()) std::cerr << "quillory-hc: the log could not be written\n";
  return outcome.help_file_written ? 0 : 1;
}
