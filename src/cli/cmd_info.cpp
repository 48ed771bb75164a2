#include <string>

#include "cli/cli_command.h"
#include "cli/console_prompter.h"
#include "cli/outline_session.h"
#include "core/codec.h"
#include "project/page_tree.h"

namespace qy::cli {

namespace {

// One field as a single line of UTF-8: line breaks and tabs written as \n
// and \t so that every record stays on one tab-separated line.
std::string Field(const std::string& sjis) {
  std::string utf8 = Cp932ToUtf8(sjis);
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    if (c == '\r') {
      out += "\\n";
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

int RunInfo(CliContext& context) {
  if (context.args.size() != 1) {
    *context.err << "usage: quillory-cli info FILE.qyp\n";
    return kExitUsage;
  }
  // Only the outline is printed: the topic texts are not kept.
  OutlineSession session(context);
  if (!session.Open(context.args[0])) return kExitFailure;
  const ProjectModel& model = session.model();
  const ProjectHeader& h = model.Header();
  std::ostream& out = *context.out;
  out << "File\t" << context.args[0] << '\n'
      << "HelpTitle\t" << Field(h.HelpTitle) << '\n'
      << "HelpCopyright\t" << Field(h.HelpCopyright) << '\n'
      << "ProjectOptions\t" << Field(h.ProjectOptions) << '\n'
      << "CompressMode\t" << h.CompressMode << '\n'
      << "FontNameIndex\t" << h.FontNameIndex << '\n'
      << "FontSizeIndex\t" << h.FontSizeIndex << '\n'
      << "Word\t" << Field(h.Word) << '\n'
      << "WindowsSection\t" << Field(h.WindowsSection) << '\n'
      << "ConfigSection\t" << Field(h.ConfigSection) << '\n'
      << "PageCount\t" << model.PageCount() << '\n'
      << '\n'
      << "Page\tAttribute\tDepth\tContext\tContextID\tTitle\n";
  std::vector<int> depths = PageDepths(model);
  for (int p = 1; p <= model.PageCount(); ++p) {
    const PageRecord& page = model.Page(p);
    int depth = p - 1 < static_cast<int>(depths.size()) ? depths[p - 1] : 0;
    out << p << '\t' << page.Attribute << '\t' << depth << '\t' << Field(page.Context) << '\t'
        << page.ContextID << '\t' << Field(page.Title) << '\n';
  }
  return kExitOk;
}

const CliCommandRegistrar kRegistrar(
    {"info", "FILE.qyp", "print the project header and one tab-separated line per page", &RunInfo});

}  // namespace

}  // namespace qy::cli
