// quillory-cli render: one page through the topic reader, as an HTML
// fragment or as plain text.
#include <string>

#include "build/rtf_head.h"
#include "cli/cli_command.h"
#include "cli/headless_session.h"
#include "cli/page_argument.h"
#include "core/files.h"
#include "markup/picture_folder.h"
#include "preview/preview_document.h"
#include "topic/html_render.h"
#include "topic/parser.h"

namespace qy::cli {

namespace {

constexpr char kUsage[] =
    "usage: quillory-cli render FILE.qyp --page N [--format html|text] [-o OUT]\n";

// The page as the preview window reads it: the preview document carries the
// project's font and colour tables, so every "\f" and "\cf" resolves.
std::string RenderPage(const ProjectModel& model, int page, bool html,
                       const std::string& picture_folder) {
  const ProjectHeader& header = model.Header();
  topic::ParseOptions parse;
  parse.default_font = EffectiveFontIndex(header.FontNameIndex);
  parse.default_size = FontSizeHalfPoints(header.FontSizeIndex);
  const topic::Document doc = topic::ParseDocument(BuildPreviewDocument(model, page), parse);
  const topic::Topic& topic = doc.topics.front();
  if (!html) return topic::RenderText(topic);
  topic::RenderOptions options;
  options.default_size = parse.default_size;
  if (!picture_folder.empty()) {
    options.picture_folder = picture_folder;
    if (options.picture_folder.back() != '/') options.picture_folder += '/';
  }
  return topic::RenderHtml(doc, topic, options);
}

int RunRender(CliContext& context) {
  std::string project_file;
  std::string page_text;
  std::string format = "html";
  std::string output;
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--page" || a == "-p") && i + 1 < args.size()) {
      page_text = args[++i];
    } else if ((a == "-o" || a == "--output") && i + 1 < args.size()) {
      output = args[++i];
    } else if (a == "--format" && i + 1 < args.size()) {
      format = args[++i];
    } else if (project_file.empty() && !a.empty() && a[0] != '-') {
      project_file = a;
    } else {
      *context.err << kUsage;
      return kExitUsage;
    }
  }
  if (project_file.empty() || page_text.empty() || (format != "html" && format != "text")) {
    *context.err << kUsage;
    return kExitUsage;
  }
  int page = 0;
  if (!ParsePageArgument("render", page_text, *context.err, &page)) return kExitFailure;
  HeadlessSession session(context);
  if (!session.Open(project_file)) return kExitFailure;
  const ProjectModel& model = session.model();
  if (!CheckPageExists("render", page_text, page, model, project_file, *context.err)) {
    return kExitFailure;
  }
  const std::string folder = PictureFolder(*context.settings, PictureSection(model));
  const std::string rendered = RenderPage(model, page, format == "html", folder);
  if (output.empty()) {
    *context.out << rendered;
    return kExitOk;
  }
  FileResult written = WriteFileAtomic(output, rendered);
  if (!written) {
    *context.err << "quillory-cli render: can not write " << output << ": " << written.error
                 << "\n";
    return kExitFailure;
  }
  return kExitOk;
}

const CliCommandRegistrar kRegistrar({"render", "FILE.qyp --page N [--format html|text] [-o OUT]",
                                      "write page N as an HTML fragment (UTF-8) or plain text",
                                      &RunRender});

}  // namespace

}  // namespace qy::cli
