#include "markup/brace_check.h"

#include "core/codec.h"
#include "markup/brace_count.h"

namespace qy {

std::vector<BraceCheckRow> CheckBraces(const ProjectModel& project, Progress* progress) {
  std::vector<BraceCheckRow> rows;
  if (progress) {
    progress->SetRange(project.PageCount());
    progress->SetPosition(0);
  }
  for (int p = 1; p <= project.PageCount(); ++p) {
    if (progress) {
      progress->Step();
      progress->Pump();
    }
    const PageRecord& page = project.Page(p);
    const BraceCounts counts = CountBraces(page.Topic);
    if (!counts.Balanced()) {
      rows.push_back({p, page.Title, page.Context, counts.open, counts.close});
    }
  }
  return rows;
}

std::string BraceCountText(int count) { return std::to_string(count) + Sjis("個"); }

std::string BraceCheckResultMessage(std::size_t rows) {
  if (rows == 0) return "\r\n" + Sjis("不適合なページは見つかりませんでした。");
  return "\r\n" + std::to_string(rows) + Sjis("ページの不適合ページがありました。");
}

int PageOfBraceRow(const ProjectModel& project, const std::string& context) {
  for (int p = 1; p <= project.PageCount(); ++p) {
    if (project.Page(p).Context == context) return p;
  }
  return 0;
}

void BraceCheckWindow::Run() {
  rows_.clear();
  checking_ = true;
  progress_.Show();
  rows_ = CheckBraces(project_, &progress_);
  progress_.Hide();
  checking_ = false;
  stale_ = false;
}

void BraceCheckWindow::CheckByButton(Prompter& prompter) {
  Run();
  prompter.Information(BraceCheckResultMessage(rows_.size()));
}

void BraceCheckWindow::OnActivated() {
  if (rows_.empty() || !stale_) return;
  Run();
}

}  // namespace qy
