// A message of the help compiler: what the log file lists, one line each,
// in the layout the build's log analysis reads.
#pragma once

#include <string>

namespace qy::hlp {

enum class Severity { kNote, kWarning, kError };

struct Diagnostic {
  Severity severity = Severity::kNote;
  int code = 0;       // HC-style number: the log shows "HC" + four digits
  std::string text;   // Shift-JIS
  std::string file;   // the source file the message is about; may be empty
  int line = 0;       // 1-based line in `file`; 0 when not known
  std::string topic;  // title of the topic it is about; may be empty
};

}  // namespace qy::hlp
