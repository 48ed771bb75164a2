#include <cstdio>

#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"

namespace qy::hlp {

namespace {

std::string Thousands(std::size_t n) {
  std::string digits = std::to_string(n);
  for (int i = static_cast<int>(digits.size()) - 3; i > 0; i -= 3) digits.insert(i, ",");
  return digits;
}

const char* KindName(Severity s) {
  switch (s) {
    case Severity::kError:
      return "Error";
    case Severity::kWarning:
      return "Warning";
    case Severity::kNote:
      break;
  }
  return "Note";
}

}  // namespace

std::string FormatCompilerLog(const std::vector<Diagnostic>& diagnostics,
                              const std::string& help_file_name, std::size_t help_file_size,
                              bool written) {
  std::string log = "Quillory Help Compiler\r\n";
  auto entry = [&log](const Diagnostic& d) {
    const MessageCode* known = FindMessageCode(d.code);
    char head[32];
    std::snprintf(head, sizeof head, "    HC%04d: %s: ", d.code % 10000, KindName(d.severity));
    log += head;
    if (!d.file.empty()) log += d.file + " : ";
    log += known ? known->summary : "Help compiler message";
    log += "\r\n ";
    std::string text = d.text;
    if (!d.topic.empty()) text += " (topic \"" + d.topic + "\")";
    if (d.line > 0) text += " [line " + std::to_string(d.line) + "]";
    // The log analysis takes one line per message.
    for (char& c : text) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    log += text + "\r\n";
  };
  for (const Diagnostic& d : diagnostics) entry(d);
  if (written) {
    log += "Created " + help_file_name + ", " + Thousands(help_file_size) + " bytes\r\n";
  } else {
    entry(MakeDiagnostic(code::kNoHelpFile, "No help file was created: " + help_file_name));
  }
  return log;
}

}  // namespace qy::hlp
