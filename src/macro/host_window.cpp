#include "macro/host_window.h"

namespace qy {

HeadlessMacroWindow::HeadlessMacroWindow(ProjectModel& model, PageCommands& commands)
    : model_(model), commands_(commands) {
  if (model_.ValidPage(model_.CurrentPage())) ShowPage(model_.CurrentPage());
}

void HeadlessMacroWindow::ShowPage(int page) {
  if (!model_.ValidPage(page)) return;
  model_.SetCurrentPage(page);
  const PageRecord& record = model_.Page(page);
  editor_.SetText(HasTopicText(record.Attribute) ? record.Topic : std::string());
  editor_.SetFocus();
}

bool HeadlessMacroWindow::AddPage() {
  const PageCommandResult result = commands_.NewPageCommand();
  if (!result.changed) return false;
  ShowPage(result.current_page);
  return true;
}

}  // namespace qy
