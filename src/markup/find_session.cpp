#include "markup/find_session.h"

#include "core/settings_keys.h"

namespace qy {

void FindSession::Load(const Settings& settings) {
  auto_next = settings.GetBool(keys::kOptionFindItAuto);
}

void EditorPageNavigator::SelectPage(int page) {
  if (!project_.ValidPage(page)) return;
  project_.SetCurrentPage(page);
  const PageRecord& record = project_.Page(page);
  editor_.SetText(HasTopicText(record.Attribute) ? record.Topic : std::string());
}

}  // namespace qy
