#include "project/help_map.h"

#include <filesystem>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "core/native_path.h"
#include "project/context_list.h"
#include "project/free_context.h"
#include "project/page_commands.h"

namespace qy {

namespace {

constexpr std::size_t kIdDigits = 5;
// Skipped lines and left-out names listed in one message; the rest are
// counted.
constexpr std::size_t kListedItems = 10;
constexpr std::size_t kListedLineBytes = 60;

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return c - 'A' + 10;
}

const std::string kDq = "\"";

std::string Quoted(const std::string& text) { return kDq + text + kDq; }

// First page whose context equals `name` byte for byte, 0 when none.
int FindExactContext(const ProjectModel& model, const std::string& name) {
  for (int i = 1; i <= model.PageCount(); ++i) {
    if (model.Page(i).Context == name) return i;
  }
  return 0;
}

int FindContextID(const ProjectModel& model, std::int32_t id, int except_page) {
  for (int i = 1; i <= model.PageCount(); ++i) {
    if (i != except_page && model.Page(i).ContextID == id) return i;
  }
  return 0;
}

std::string HelpMapName(const std::string& file) {
  return Sjis("ヘルプマップファイル（") + PathToSjis(FileNameOf(file)) + Sjis("）");
}

// `lines` of `text` with their numbers, at most kListedItems of them.
std::string LineList(const std::vector<std::string>& text, const std::vector<int>& lines) {
  std::string out;
  for (std::size_t i = 0; i < lines.size() && i < kListedItems; ++i) {
    const std::string& line = text[static_cast<std::size_t>(lines[i] - 1)];
    out +=
        "\r\n" + std::to_string(lines[i]) + Sjis(" 行目 : ") + LimitField(line, kListedLineBytes);
  }
  if (lines.size() > kListedItems) {
    out += "\r\n" + Sjis("ほか ") + std::to_string(lines.size() - kListedItems) + Sjis(" 行");
  }
  return out;
}

}  // namespace

HelpMapLineKind ParseHelpMapLine(std::string_view line, HelpMapEntry& entry) {
  if (!line.starts_with("HID")) return HelpMapLineKind::kOther;
  const std::size_t name_end = line.find_first_of(" \t");
  if (name_end == std::string_view::npos) return HelpMapLineKind::kBad;
  const std::size_t prefix = line.find("0x", name_end);
  if (prefix == std::string_view::npos) return HelpMapLineKind::kBad;
  const std::string_view digits = line.substr(prefix + 2, kIdDigits);
  if (digits.empty()) return HelpMapLineKind::kBad;
  std::int32_t id = 0;
  for (char c : digits) {
    if (!IsHexDigit(c)) return HelpMapLineKind::kBad;
    id = id * 16 + HexValue(c);
  }
  entry.name = LimitField(line.substr(0, name_end));
  entry.id = id;
  return HelpMapLineKind::kEntry;
}

std::string ResolveHelpMapPath(const std::string& project_file, const std::string& path) {
  namespace fs = std::filesystem;
  fs::path p(path);
  if (p.is_relative()) {
    const std::string folder = FolderOf(project_file);
    std::error_code ec;
    p = folder.empty() ? fs::absolute(p, ec) : fs::path(folder) / p;
  }
  return p.lexically_normal().string();
}

HelpMapImporter::HelpMapImporter(ProjectModel& model, Prompter& prompter, Progress& progress)
    : model_(model), prompter_(prompter), progress_(progress) {}

HelpMapImportResult HelpMapImporter::ImportHelpMap(const std::string& file) {
  return ImportHelpMaps({file});
}

HelpMapImportResult HelpMapImporter::ImportHelpMaps(const std::vector<std::string>& files) {
  HelpMapImportResult result;
  for (const std::string& file : files) {
    result.files.push_back(ImportFile(ResolveHelpMapPath(model_.ProjectFileName(), file)));
    const HelpMapFileReport& report = result.files.back();
    if (report.pages_added > 0 || report.pages_changed > 0) result.changed = true;
  }
  result.current_page = model_.CurrentPage();
  if (result.changed) {
    model_.SetModified(true);
    result.tree = BuildPageTree(model_);
  }
  const FileResult written = RefreshContextList(model_);
  if (!written) prompter_.Error(ContextListWriteError(ContextListFileName(model_), written.error));
  return result;
}

HelpMapFileReport HelpMapImporter::ImportFile(const std::string& file) {
  HelpMapFileReport report;
  report.file = file;
  if (!FileExists(file)) {
    prompter_.Warning("\r\n" + HelpMapName(file) + Sjis("は存在しません。"));
    return report;
  }
  const std::optional<std::string> text = ReadWholeFile(file);
  if (!text) {
    prompter_.Warning(HelpMapName(file) + Sjis("はすでに他のソフトウェア") + "\r\n" +
                      Sjis("で開かれているため参照できません。") + "\r\n\r\n" +
                      Sjis("ファイルを閉じてから再度この機能を実行してください。"));
    return report;
  }
  report.read = true;

  // New pages go to the end of the table, in file order.
  model_.SetCurrentPage(model_.PageCount());
  const std::vector<std::string> lines = SplitLines(*text);
  progress_.SetRange(static_cast<int>(lines.size()));
  progress_.SetPosition(0);
  progress_.Show();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    progress_.Step();
    progress_.Pump();
    HelpMapEntry entry;
    switch (ParseHelpMapLine(lines[i], entry)) {
      case HelpMapLineKind::kOther:
        break;
      case HelpMapLineKind::kBad:
        report.bad_lines.push_back(static_cast<int>(i) + 1);
        break;
      case HelpMapLineKind::kEntry:
        Apply(entry, static_cast<int>(i) + 1, report);
        break;
    }
  }
  progress_.Hide();

  if (!report.bad_lines.empty()) {
    prompter_.Information(HelpMapName(file) +
                          Sjis("の次の行はヘルプ名かコンテキストＩＤ（0x で始まる番号）が正しく"
                               "ないため、読み飛ばしました。") +
                          "\r\n" + LineList(lines, report.bad_lines));
  }
  if (!report.case_clash_lines.empty()) {
    prompter_.Information(HelpMapName(file) +
                          Sjis("の次の行のヘルプ名は、大文字と小文字の違いだけで他のページの"
                               "コンテキストと重なるため、読み飛ばしました。") +
                          "\r\n" + LineList(lines, report.case_clash_lines));
  }
  if (!report.left_out.empty()) {
    std::string names;
    for (std::size_t i = 0; i < report.left_out.size() && i < kListedItems; ++i) {
      names += "\r\n" + report.left_out[i];
    }
    if (report.left_out.size() > kListedItems) {
      names += "\r\n" + Sjis("ほか ") + std::to_string(report.left_out.size() - kListedItems) +
               Sjis(" 個");
    }
    prompter_.Warning(PageTableFullMessage() + "\r\n\r\n" + HelpMapName(file) +
                      Sjis("の次のヘルプ名のページは追加されませんでした。") + "\r\n" + names);
  }
  return report;
}

void HelpMapImporter::Apply(const HelpMapEntry& entry, int line_number, HelpMapFileReport& report) {
  const std::string& name = entry.name;
  if (const int page = FindExactContext(model_, name); page != 0) {
    if (model_.Page(page).ContextID == entry.id) return;
    if (const int holder = FindContextID(model_, entry.id, page); holder != 0) {
      const std::int32_t new_id = UnusedContextIDFromTwo(model_);
      const std::string& title = model_.Page(holder).Title;
      prompter_.Information(Sjis("変更するページ ") + Quoted(name) +
                            Sjis(" と同じコンテキストＩＤを持つページ") + "\r\n" + Quoted(title) +
                            Sjis(" が存在しました。") + "\r\n\r\n" + Sjis("ページ ") +
                            Quoted(title) + Sjis(" のコンテキストＩＤを ") +
                            std::to_string(new_id) + Sjis(" に変更します。"));
      model_.SetContextID(holder, new_id);
    }
    model_.SetContextID(page, entry.id);
    ++report.pages_changed;
    return;
  }
  // Help contexts ignore letter case: a second page that differs only in case
  // would be a duplicate topic for the compiler.
  if (model_.FindContext(name) != 0) {
    report.case_clash_lines.push_back(line_number);
    return;
  }
  if (const int holder = FindContextID(model_, entry.id, 0); holder != 0) {
    const std::string& title = model_.Page(holder).Title;
    prompter_.Information(Sjis("追加しようとしたページ ") + Quoted(name) +
                          Sjis(" と同じコンテキストＩＤを持つページ") + "\r\n" + Quoted(title) +
                          Sjis(" が存在しました。") + "\r\n\r\n" +
                          Sjis("ページを追加せずに、ページ ") + Quoted(title) +
                          Sjis(" のコンテキストを ") + name + Sjis(" に変更します。"));
    model_.MutablePage(holder).Context = name;
    ++report.pages_changed;
    return;
  }
  if (model_.IsFull()) {
    report.left_out.push_back(name);
    return;
  }
  PageRecord page;
  page.Context = name;
  page.Title = name;
  page.ContextID = entry.id;
  const int position = model_.CurrentPage() + 1;
  model_.InsertPage(position, std::move(page));
  model_.SetCurrentPage(position);
  ++report.pages_added;
}

}  // namespace qy
