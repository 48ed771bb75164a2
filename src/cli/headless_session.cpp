#include "cli/headless_session.h"

#include "cli/cli_command.h"
#include "core/settings.h"

namespace qy::cli {

HeadlessSession::HeadlessSession(CliContext& context)
    : prompter_(*context.err, context.assume_yes) {
  document_ = std::make_unique<ProjectDocument>(model_, view_, prompter_, progress_, chooser_,
                                                *context.settings,
                                                context.settings->environment().program_folder);
  document_->NewProject();
}

bool HeadlessSession::Open(const std::string& file) { return document_->OpenProject(file, false); }

bool HeadlessSession::Save(const std::string& file) { return document_->SaveProjectTo(file); }

}  // namespace qy::cli
