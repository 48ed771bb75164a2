// The help compiler's error log (".err") read into the rows of the debug
// view, and what the window does after a build: show or hide the view, say
// why the build failed, open the new help file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace qy {

enum class DebugKind { kNote, kWarning, kError };

struct DebugEntry {
  DebugKind kind = DebugKind::kNote;
  std::string code;     // six characters such as HC3025
  std::string message;  // one line, Shift-JIS as the compiler wrote it

  bool operator==(const DebugEntry&) const = default;
};

// " Warning", " Error" or " Note": the kind column's caption.
const char* DebugKindCaption(DebugKind kind);

// The window's debug view: the list of rows and the panel that holds it.
class DebugView {
 public:
  virtual ~DebugView() = default;
  virtual void SetEntries(const std::vector<DebugEntry>& entries) = 0;
  virtual void ShowView(bool shown) = 0;
};

// A debug view that keeps what it is told (headless runs).
class NullDebugView : public DebugView {
 public:
  void SetEntries(const std::vector<DebugEntry>& entries) override { entries_ = entries; }
  void ShowView(bool) override {}
  const std::vector<DebugEntry>& entries() const { return entries_; }

 private:
  std::vector<DebugEntry> entries_;
};

struct ParsedLog {
  std::vector<DebugEntry> entries;
  bool has_note = false;
  bool has_warning = false;
  bool has_error = false;
  bool hc4005 = false;  // the code that means no help file was made
  std::string last_error_code;
};

// Every line that starts with four blanks and "HC" is a row: code from the
// fifth character (six characters), kind from the thirteenth up to its
// first ":", message = the next line without its first character. The next
// line is still read as a line of its own.
ParsedLog ParseCompilerLog(std::string_view text);

// The Debug settings that decide what follows a build.
struct DebugOptions {
  bool debug_auto = true;  // DebugAuto
  bool auto_note = true;   // AutoNote
  bool auto_warn = true;   // AutoWarn
  bool show_note = true;   // ShowNote
  bool show_warn = true;   // ShowWarn
};

enum class ViewChange { kKeep, kShow, kHide };

struct LogVerdict {
  ViewChange view = ViewChange::kKeep;
  std::string message;          // a warning box to show; empty for none
  bool open_help_file = false;  // open the help file at its contents
  bool failed = false;          // errors, or HC4005: no usable help file
};

// The decision table, first matching row: errors; HC4005; no rows; notes
// only; warnings only; notes and warnings. With `show_help` false only the
// view is adjusted in the last four rows.
LogVerdict DecideLogVerdict(const ParsedLog& log, const DebugOptions& options, bool show_help);

}  // namespace qy
