// Outside programs: the page sent out to the user's text editor and taken
// back, and the hotspot editor started on the project's context list. (The
// build's intermediate files are opened by BuildCommands.)
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/editor.h"
#include "core/platform.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

// The page-tree caption while a page is out, and the normal one (Shift-JIS).
std::string ExternalEditTreeCaption();
std::string PageTreeCaption();
// The warning shown while the editor still has the page.
std::string PageStillInEditorMessage();
// The warning for an outside program that could not be started.
std::string ProgramStartFailedMessage(const std::string& program);

// The arguments of the text editor for `file`: ComLine1 and a blank when
// ComLine1 is not empty, then the file name in double quotes. Both in the
// platform's encoding.
std::string TextEditorParameters(const std::string& com_line1, const std::string& file);

enum class ExternalEditResult {
  kNotSendable,  // not a Topic or Popup page: nothing happened
  kSent,         // the page is out; the mode began
  kFailed,       // the page could not be sent out (reported); no mode
  kStillHeld,    // the editor still has the page (reported); the mode stays
  kTakenBack,    // the page's text came back; the mode ended
  kLost,         // the file could not be read (reported); the page kept its
                 // text and the mode ended
};

class ExternalEditor {
 public:
  ExternalEditor(const ProjectModel& model, Editor& editor, Prompter& prompter,
                 ProcessRunner& runner, const Settings& settings, FileHoldCheck& hold_check);
  ExternalEditor(const ExternalEditor&) = delete;
  ExternalEditor& operator=(const ExternalEditor&) = delete;

  // While a page is out the main window is in external-edit mode.
  bool IsOut() const { return !file_.empty(); }
  // The temporary file that holds the page ("" when no page is out).
  const std::string& FileName() const { return file_; }

  // The toggle command: sends the current page out, or takes it back.
  ExternalEditResult EditPageExternally();
  ExternalEditResult SendPageOut();
  ExternalEditResult TakePageBack();
  // Before New, Open, a recent file, a dropped file and closing: true when
  // no page is out or it could be taken back; false (after the warning) when
  // the editor still has it and the command must stop.
  bool TakeBackExternalPage();

  // Told when the mode begins (true) or ends (false), and with false when a
  // page could not be sent out, so that the command's button is released.
  // The window then shows the tree caption, hides or shows the page tree and
  // disables or enables the page commands.
  std::function<void(bool out)> on_mode_changed;

 private:
  void EndMode();
  void ModeChanged(bool out);

  const ProjectModel& model_;
  Editor& editor_;
  Prompter& prompter_;
  ProcessRunner& runner_;
  const Settings& settings_;
  FileHoldCheck& hold_check_;
  std::string file_;
};

// How the hotspot editor is started: `program` with `arguments` in
// `working_folder`; `command_line` is the same as one line, every part
// quoted as the program receives it.
struct HotspotCommand {
  std::string program;
  std::vector<std::string> arguments;
  std::string working_folder;
  std::string command_line;
};

// `folder` with exactly one trailing separator.
std::string WithTrailingSeparator(std::string folder);

// True when `program`'s file name is that of Microsoft's Hotspot Editor,
// which loads a context list given with "/T:".
bool IsShgEdit(const std::string& program);

// The hotspot editor's start. `selected_file` is the bitmap folder plus the
// editor's selection when that names an existing file, else empty;
// `context_list` is used for SHG_EDIT.EXE only. All in the platform's
// encoding.
HotspotCommand BuildHotspotCommand(const std::string& program, const std::string& bitmap_folder,
                                   const std::string& selected_file,
                                   const std::string& context_list);

// "ホットスポットエディタ(&H)": Tool/HotspotEdit started on the bitmap folder.
class HotspotEditor {
 public:
  HotspotEditor(const ProjectModel& model, const Settings& settings, ProcessRunner& runner,
                Prompter& prompter);

  // Whether the command is enabled (Tool/HotspotEdit set).
  bool Configured() const;
  // Starts the program without waiting for it, offering it the file that
  // `selection` (the topic editor's selected text) names in the bitmap
  // folder. For SHG_EDIT.EXE the context list is written first. False when
  // nothing was started (a failure has been reported).
  bool Start(const std::string& selection);

  // Adapts the start to the platform before it happens: a Windows program
  // such as SHG_EDIT.EXE runs through wine and takes Windows paths (see
  // ProgramCallFor and WineWindowsPath of the build). Unset: started as built.
  std::function<void(HotspotCommand& command)> adapt_command;

 private:
  const ProjectModel& model_;
  const Settings& settings_;
  ProcessRunner& runner_;
  Prompter& prompter_;
};

}  // namespace qy
