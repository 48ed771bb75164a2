// quillory-cli check: the brace check of every page and a check of the
// jump and popup targets, for use before a build or in a script.
//
// A problem is a page whose braces do not balance, a link target that names
// no page or names a page that is not a topic (a book, contents entry or
// include), and a popup page that no link on another page leads to: a popup
// is shown only through a link. A topic page that no link leads to is only
// noted, because every topic is an entry of the contents file; page 1 (the
// help file's first topic) is not even noted. Books, contents entries and
// includes are never link targets and are not listed. A one-line field of a
// topic or popup page that would break its footnote group in the topic file
// (the build writes it with escapes) is a problem too.
#include <ostream>
#include <string>

#include "build/topic_writer.h"
#include "cli/cli_command.h"
#include "cli/headless_session.h"
#include "core/codec.h"
#include "markup/brace_check.h"
#include "markup/hotspot_link_check.h"

namespace qy::cli {

namespace {

// "page N CONTEXT 「Title」" in UTF-8 on one line.
std::string PageName(const ProjectModel& model, int page) {
  const PageRecord& record = model.Page(page);
  std::string title = Cp932ToUtf8(record.Title);
  for (char& c : title) {
    if (c == '\r' || c == '\n' || c == '\t') c = ' ';
  }
  return "page " + std::to_string(page) + " " + Cp932ToUtf8(record.Context) + " \"" + title + "\"";
}

std::string Where(const LinkProblem& problem) {
  if (problem.in_macro_field) return "page macro";
  return "line " + std::to_string(problem.line);
}

std::string Describe(const LinkProblem& problem) {
  const std::string target = "\"" + Cp932ToUtf8(problem.context) + "\"";
  switch (problem.kind) {
    case LinkProblemKind::kMissingContext:
      return Where(problem) + ": link target " + target + " names no page";
    case LinkProblemKind::kNotATopic:
      return Where(problem) + ": link target " + target + " is page " +
             std::to_string(problem.target) + ", which is not a topic or popup page";
    case LinkProblemKind::kUnreachedPopup:
      break;
  }
  return "no link on another page leads to this popup page";
}

int RunCheck(CliContext& context) {
  if (context.args.size() != 1) {
    *context.err << "usage: quillory-cli check FILE.qyp\n";
    return kExitUsage;
  }
  HeadlessSession session(context);
  if (!session.Open(context.args[0])) return kExitFailure;
  const ProjectModel& model = session.model();
  std::ostream& out = *context.out;

  const std::vector<BraceCheckRow> braces = CheckBraces(model);
  const LinkCheckResult links = CheckLinks(model);

  std::size_t brace_index = 0;
  std::size_t link_index = 0;
  std::size_t field_problems = 0;
  for (int p = 1; p <= model.PageCount(); ++p) {
    if (IsHelpTopic(model.Page(p).Attribute)) {
      for (std::string_view field : RepairedFootnoteFields(model.Page(p), false)) {
        out << PageName(model, p) << ": " << field
            << " would break its footnote in the topic file; the build writes it with escapes\n";
        ++field_problems;
      }
    }
    if (brace_index < braces.size() && braces[brace_index].page == p) {
      const BraceCheckRow& row = braces[brace_index++];
      out << PageName(model, p) << ": braces do not balance: " << row.open << " \"{\", "
          << row.close << " \"}\"\n";
    }
    while (link_index < links.problems.size() && links.problems[link_index].page == p) {
      out << PageName(model, p) << ": " << Describe(links.problems[link_index++]) << '\n';
    }
  }
  for (int page : links.unlinked_topics) {
    out << "note: " << PageName(model, page)
        << ": no link leads to this topic; only the contents do\n";
  }

  const std::size_t problems = braces.size() + links.problems.size() + field_problems;
  if (problems == 0) {
    out << "no problems\n";
    return kExitOk;
  }
  out << problems << (problems == 1 ? " problem" : " problems") << " (" << braces.size()
      << " brace, " << links.problems.size() << " link";
  if (field_problems > 0) out << ", " << field_problems << " field";
  out << ")\n";
  return kExitFailure;
}

const CliCommandRegistrar kRegistrar(
    {"check", "FILE.qyp",
     "check the braces and the jump and popup targets of every page; exit 1 on a problem",
     &RunCheck});

}  // namespace

}  // namespace qy::cli
