#include "cli/outline_session.h"

namespace qy::cli {

bool OutlineSession::Open(const std::string& file) {
  return session_.document().OpenProject(file, false, TopicLoad::kLeaveOut);
}

}  // namespace qy::cli
