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
  // A large project can have thousands of messages: each is appended in
  // place, without a formatted head or a temporary string per part.
  auto entry = [&log](const Diagnostic& d) {
    const MessageCode* known = FindMessageCode(d.code);
    const int number = d.code % 10000;
    log += "    HC";
    if (number >= 0) {
      const char digits[4] = {
          static_cast<char>('0' + number / 1000), static_cast<char>('0' + number / 100 % 10),
          static_cast<char>('0' + number / 10 % 10), static_cast<char>('0' + number % 10)};
      log.append(digits, 4);
    } else {
      char head[16];
      std::snprintf(head, sizeof head, "%04d", number);
      log += head;
    }
    log += ": ";
    log += KindName(d.severity);
    log += ": ";
    if (!d.file.empty()) {
      log += d.file;
      log += " : ";
    }
    log += known ? known->summary : "Help compiler message";
    log += "\r\n ";
    const std::size_t text_start = log.size();
    log += d.text;
    if (!d.topic.empty()) {
      log += " (topic \"";
      log += d.topic;
      log += "\")";
    }
    if (d.line > 0) {
      log += " [line ";
      log += std::to_string(d.line);
      log += ']';
    }
    // The log analysis takes one line per message.
    for (std::size_t i = text_start; i < log.size(); ++i) {
      if (log[i] == '\r' || log[i] == '\n') log[i] = ' ';
    }
    log += "\r\n";
  };
  // About a hundred bytes a message: room for them all at once.
  log.reserve(log.size() + 128 * diagnostics.size() + 128);
  for (const Diagnostic& d : diagnostics) entry(d);
  if (written) {
    log += "Created " + help_file_name + ", " + Thousands(help_file_size) + " bytes\r\n";
  } else {
    entry(MakeDiagnostic(code::kNoHelpFile, "No help file was created: " + help_file_name));
  }
  return log;
}

}  // namespace qy::hlp
