#include "build/compiler_log.h"

#include "build/window_style.h"
#include "core/codec.h"

namespace qy {

namespace {

constexpr std::string_view kRowStart = "    HC";
constexpr std::string_view kBuildFailed = "ヘルプファイルの作成に失敗しました。";

std::string_view Chars(std::string_view line, std::size_t from, std::size_t count) {
  return from < line.size() ? line.substr(from, count) : std::string_view();
}

std::string FailureMessage(const std::string& head) {
  return head + "\r\n\r\n" + Sjis(kBuildFailed);
}

ViewChange ShowWhen(bool shown) { return shown ? ViewChange::kShow : ViewChange::kHide; }

}  // namespace

const char* DebugKindCaption(DebugKind kind) {
  switch (kind) {
    case DebugKind::kWarning:
      return " Warning";
    case DebugKind::kError:
      return " Error";
    case DebugKind::kNote:
      break;
  }
  return " Note";
}

ParsedLog ParseCompilerLog(std::string_view text) {
  ParsedLog log;
  const std::vector<std::string> lines = SplitTextLines(text);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.compare(0, kRowStart.size(), kRowStart) != 0) continue;
    DebugEntry entry;
    entry.code = std::string(Chars(line, 4, 6));
    if (entry.code == "HC4005") log.hc4005 = true;
    std::string_view kind = Chars(line, 12, 9);
    const std::size_t colon = kind.find(':');
    kind = colon == std::string_view::npos ? std::string_view() : kind.substr(0, colon + 1);
    if (i + 1 < lines.size() && !lines[i + 1].empty()) entry.message = lines[i + 1].substr(1);
    if (kind == "Warning:") {
      entry.kind = DebugKind::kWarning;
      log.has_warning = true;
    } else if (kind == "Error:") {
      entry.kind = DebugKind::kError;
      log.has_error = true;
      log.last_error_code = entry.code;
    } else {
      entry.kind = DebugKind::kNote;
      log.has_note = true;
    }
    log.entries.push_back(std::move(entry));
  }
  return log;
}

LogVerdict DecideLogVerdict(const ParsedLog& log, const DebugOptions& o, bool show_help) {
  LogVerdict v;
  if (log.has_error) {
    v.view = ViewChange::kShow;
    v.failed = true;
    v.message =
        FailureMessage(Sjis("Error 「") + log.last_error_code + Sjis("」 が発生しています。"));
    return v;
  }
  if (log.hc4005) {
    v.view = ViewChange::kShow;
    v.failed = true;
    v.message = FailureMessage(Sjis("Warning 「HC4005」 が発生しています。"));
    return v;
  }
  bool open_allowed = true;
  std::string refusal;
  if (log.entries.empty()) {
    if (o.debug_auto) v.view = ViewChange::kHide;
  } else if (!log.has_warning) {
    if (o.debug_auto) v.view = ShowWhen(o.auto_note);
    open_allowed = o.show_note;
    refusal = "\r\n" + Sjis("Note があります。");
  } else if (!log.has_note) {
    if (o.debug_auto) v.view = ShowWhen(o.auto_warn);
    open_allowed = o.show_warn;
    refusal = "\r\n" + Sjis("Warning があります。");
  } else {
    if (o.debug_auto) v.view = ShowWhen(o.auto_note || o.auto_warn);
    open_allowed = o.show_note && o.show_warn;
    refusal = "\r\n" + Sjis("Note と Warning があります。");
  }
  if (show_help) {
    if (open_allowed) {
      v.open_help_file = true;
    } else {
      v.message = refusal;
    }
  }
  return v;
}

}  // namespace qy
