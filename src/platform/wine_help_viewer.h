// The help viewer on Linux: Wine's winhlp32.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/prompter.h"

namespace qy {

// Turns a file path into the path a Windows program run by wine sees.
using WinePathFn = std::function<std::string(const std::string& path)>;

// winhlp32 takes the help file, with ">window" naming the window, and
// "-i CONTEXT" to open the topic of a context string; it has no switch for a
// context number or a keyword. Such a call opens the file at its contents
// topic and tells the user why. A missing help file or a missing viewer is
// reported, never passed over in silence.
class WineHelpViewer : public HelpViewer {
 public:
  WineHelpViewer(Prompter& prompter, ProcessRunner& runner);
  bool ShowContents(const std::string& help_file) override;
  bool ShowContext(const std::string& help_file, int context_number) override;
  bool ShowKeyword(const std::string& help_file, const std::string& keyword) override;
  bool ShowTopic(const std::string& help_file, const std::string& context,
                 int context_number) override;

  // The help file without a ">window" suffix.
  static std::string FileOf(const std::string& help_file);
  // The arguments of wine: "winhlp32", `options`, then the file as wine sees
  // it with the ">window" suffix of `help_file` kept.
  static std::vector<std::string> Arguments(const std::string& help_file,
                                            const std::vector<std::string>& options,
                                            const WinePathFn& wine_path);

  // Whether wine is there to run winhlp32; looked up on PATH unless set.
  std::function<bool()> viewer_installed;
  // How wine sees a path; WineWindowsPath unless set.
  WinePathFn wine_path;

 private:
  // Starts the viewer; `note`, when not empty, is shown once it started.
  bool Run(const std::string& help_file, const std::vector<std::string>& options,
           const std::string& note);

  Prompter& prompter_;
  ProcessRunner& runner_;
};

}  // namespace qy
