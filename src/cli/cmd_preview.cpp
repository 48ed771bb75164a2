#include <string>

#include "cli/cli_command.h"
#include "cli/headless_session.h"
#include "cli/page_argument.h"
#include "core/files.h"
#include "preview/preview_document.h"

namespace qy::cli {

namespace {

constexpr char kUsage[] = "usage: quillory-cli preview FILE.qyp --page N -o OUT.rtf\n";

int RunPreview(CliContext& context) {
  std::string project_file;
  std::string page_text;
  std::string output;
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--page" || a == "-p" || a == "-o" || a == "--output") && i + 1 < args.size()) {
      (a == "-o" || a == "--output" ? output : page_text) = args[++i];
    } else if (project_file.empty() && !a.empty() && a[0] != '-') {
      project_file = a;
    } else {
      *context.err << kUsage;
      return kExitUsage;
    }
  }
  if (project_file.empty() || page_text.empty() || output.empty()) {
    *context.err << kUsage;
    return kExitUsage;
  }
  int page = 0;
  if (!ParsePageArgument("preview", page_text, *context.err, &page)) return kExitFailure;
  HeadlessSession session(context);
  if (!session.Open(project_file)) return kExitFailure;
  const ProjectModel& model = session.model();
  if (!CheckPageExists("preview", page_text, page, model, project_file, *context.err)) {
    return kExitFailure;
  }
  if (SameFile(output, project_file)) {
    *context.err << "quillory-cli preview: " << output
                 << " is the project file itself; it is not overwritten\n";
    return kExitFailure;
  }
  FileResult written = RenderPreview(model, page, output);
  if (!written) {
    *context.err << "quillory-cli preview: can not write " << output << ": " << written.error
                 << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

const CliCommandRegistrar kRegistrar({"preview", "FILE.qyp --page N -o OUT.rtf",
                                      "write the preview document (RTF) of page N", &RunPreview});

}  // namespace

}  // namespace qy::cli
