// quillory-cli export: the project as an HTML help site and/or an HTML Help
// file, with the project's context numbers kept.
#include <string>

#include "cli/cli_command.h"
#include "cli/headless_session.h"
#include "core/codec.h"
#include "core/progress.h"
#include "export/chm_export.h"
#include "export/html_export.h"
#include "markup/picture_folder.h"
#include "platform/posix_process_runner.h"

namespace qy::cli {

namespace {

constexpr char kUsage[] = "usage: quillory-cli export FILE.qyp [--html DIR] [--chm FILE.chm]\n";

int Report(CliContext& context, const help_export::ExportResult& result, const char* kind,
           const std::string& where) {
  for (const std::string& note : result.notes) {
    *context.out << "note: " << Cp932ToUtf8(note) << '\n';
  }
  if (!result.ok) {
    *context.err << "quillory-cli export: " << Cp932ToUtf8(result.error) << '\n';
    return kExitFailure;
  }
  *context.out << "exported " << result.pages << (result.pages == 1 ? " page" : " pages") << " as "
               << kind << " to " << where << '\n';
  return kExitOk;
}

int RunExport(CliContext& context) {
  std::string project_file;
  std::string html_folder;
  std::string chm_file;
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--html" && i + 1 < args.size()) {
      html_folder = args[++i];
    } else if (a == "--chm" && i + 1 < args.size()) {
      chm_file = args[++i];
    } else if (project_file.empty() && !a.empty() && a[0] != '-') {
      project_file = a;
    } else {
      *context.err << kUsage;
      return kExitUsage;
    }
  }
  if (project_file.empty() || (html_folder.empty() && chm_file.empty())) {
    *context.err << kUsage;
    return kExitUsage;
  }
  HeadlessSession session(context);
  if (!session.Open(project_file)) return kExitFailure;
  const ProjectModel& model = session.model();
  help_export::ExportOptions options;
  options.picture_folder = PictureFolder(*context.settings, PictureSection(model));
  NullProgress progress;
  int status = kExitOk;
  if (!html_folder.empty()) {
    status = Report(context, help_export::ExportHtmlSite(model, html_folder, options, progress),
                    "an HTML site", html_folder);
  }
  if (status == kExitOk && !chm_file.empty()) {
    PosixProcessRunner runner;
    status = Report(context, help_export::ExportChm(model, chm_file, options, runner, progress),
                    "HTML Help", chm_file);
  }
  return status;
}

const CliCommandRegistrar kRegistrar(
    {"export", "FILE.qyp [--html DIR] [--chm FILE.chm]",
     "write the project as an HTML help site (UTF-8) and/or an HTML Help file (chmcmd)",
     &RunExport});

}  // namespace

}  // namespace qy::cli
