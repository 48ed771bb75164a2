#include <cstdint>
#include <string>

#include "cli/cli_command.h"
#include "cli/console_prompter.h"
#include "cli/headless_session.h"
#include "cli/page_argument.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/platform.h"
#include "core/settings.h"
#include "macro/builtins_dialogs.h"
#include "macro/host_interface.h"
#include "macro/host_window.h"
#include "macro/macro_error.h"
#include "macro/poor_pascal.h"
#include "macro/run_limits.h"
#include "platform/posix_process_runner.h"
#include "project/page_commands.h"
#include "project/project_document.h"
#include "project/project_file.h"

namespace qy::cli {

namespace {

constexpr char kUsage[] =
    "usage: quillory-cli macro FILE.p2s --project FILE.qyp [--page N] [--save] "
    "[--max-steps N]\n";

const std::string kSummary =
    "run a QY macro on a project without a window (page N from 1; --max-steps defaults to " +
    std::to_string(kCliDefaultMaxSteps) + ")";

class MemoryClipboard : public Clipboard {
 public:
  std::string GetText() override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }

 private:
  std::string text_;
};

// Nobody is there to answer: a message box is printed and answered with its
// default button (OK for a plain box), an input box with its default text.
class ConsoleMacroDialogs : public MacroDialogs {
 public:
  explicit ConsoleMacroDialogs(std::ostream& out) : out_(out) {}

  int MessageBox(const std::string& text, const std::string& caption,
                 std::uint32_t flags) override {
    if (!caption.empty()) out_ << ConsoleLines(caption) << '\n';
    // Shown at once, like the box it stands for, even when output is a pipe.
    out_ << ConsoleLines(text) << std::endl;
    return DefaultButtonCode(flags);
  }
  std::optional<std::string> InputBox(const std::string&, const std::string&,
                                      const std::string& default_value) override {
    return default_value;
  }

 private:
  std::ostream& out_;
};

struct MacroOptions {
  std::string macro_file;
  std::string project_file;
  std::string page_text;
  bool save = false;
  std::uint64_t max_steps = kCliDefaultMaxSteps;
};

bool ParseOptions(CliContext& context, MacroOptions& o) {
  const std::vector<std::string>& args = context.args;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--save") {
      o.save = true;
    } else if ((a == "--project" || a == "--page" || a == "--max-steps") && i + 1 < args.size()) {
      const std::string& value = args[++i];
      if (a == "--project") {
        o.project_file = value;
      } else if (a == "--page") {
        o.page_text = value;
      } else if (!ParseDecimal(value, &o.max_steps)) {
        *context.err << "quillory-cli macro: --max-steps needs a number, not \"" << value << "\"\n";
        return false;
      }
    } else if (o.macro_file.empty() && !a.empty() && a[0] != '-') {
      o.macro_file = a;
    } else {
      return false;
    }
  }
  return !o.macro_file.empty() && !o.project_file.empty();
}

int RunMacro(CliContext& context) {
  MacroOptions o;
  if (!ParseOptions(context, o)) {
    *context.err << kUsage;
    return kExitUsage;
  }
  std::string read_error;
  const std::optional<std::string> source = ReadWholeFile(o.macro_file, &read_error);
  if (!source) {
    *context.err << "quillory-cli macro: " << o.macro_file << ": " << read_error << '\n';
    return kExitFailure;
  }

  HeadlessSession session(context);
  if (!session.Open(o.project_file)) return kExitFailure;
  ProjectModel& model = session.model();
  int page = model.ValidPage(model.CurrentPage()) ? model.CurrentPage() : 1;
  if (!o.page_text.empty()) {
    if (!ParseDecimal(o.page_text, &page)) {
      *context.err << "quillory-cli macro: the page number \"" << o.page_text
                   << "\" is not a number\n";
      return kExitUsage;
    }
    if (!model.ValidPage(page)) {
      *context.err << "quillory-cli macro: page " << page << " does not exist; the project has "
                   << model.PageCount() << " pages (1.." << model.PageCount() << ")\n";
      return kExitFailure;
    }
  }

  Settings& settings = *context.settings;
  MemoryClipboard clipboard;
  PageCommands commands(model, session.prompter(), clipboard, settings);
  HeadlessMacroWindow window(model, commands);
  window.ShowPage(page);
  MacroHostInterface host(model, window, clipboard, settings);
  ConsoleMacroDialogs dialogs(*context.out);
  TPoorPascal pascal;
  host.Attach(pascal);
  pascal.set_dialogs(&dialogs);
  // Exec, Shell and the programs a macro starts behave as in the window.
  PosixProcessRunner runner;
  pascal.set_process_runner(&runner);
  // Nobody could resume a paused run here.
  pascal.PauseProc = [&pascal] { pascal.Resume(); };
  pascal.set_step_limit(o.max_steps);

  const std::string before = BuildProjectFileText(model);
  pascal.SetSource(*source);
  try {
    pascal.Execute();
  } catch (const MacroError& e) {
    context.out->flush();
    *context.err << "quillory-cli macro: " << o.macro_file << ": " << ConsoleLines(e.message())
                 << '\n';
    return kExitFailure;
  }
  context.out->flush();

  if (BuildProjectFileText(model) == before) return kExitOk;
  if (!o.save) {
    *context.err << "quillory-cli macro: the macro changed the project; --save writes it\n";
    return kExitOk;
  }
  return session.Save(model.ProjectFileName()) ? kExitOk : kExitFailure;
}

const CliCommandRegistrar kRegistrar(
    {"macro", "FILE.p2s --project FILE.qyp [--page N] [--save] [--max-steps N]", kSummary.c_str(),
     &RunMacro});

}  // namespace

}  // namespace qy::cli
