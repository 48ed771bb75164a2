// A project opened only to report on it: the header and the pages without
// their topic texts, which a report of the outline never shows and which
// make up nearly all of a big project's memory. The open runs exactly as
// HeadlessSession::Open (the same checks, questions, messages and results);
// the model is given out read-only and there is no way to save it.
#pragma once

#include <string>

#include "cli/headless_session.h"
#include "project/project_model.h"

namespace qy::cli {

class OutlineSession {
 public:
  explicit OutlineSession(CliContext& context) : session_(context) {}

  bool Open(const std::string& file);
  const ProjectModel& model() { return session_.model(); }

 private:
  HeadlessSession session_;
};

}  // namespace qy::cli
