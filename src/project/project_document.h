// The flows that replace or store the whole project: open, save, save as,
// the question about unsaved changes, and the window-side steps of a new and
// a cleared project. The window is reached through DocumentView and the core
// interfaces; features built on top attach through the optional hooks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/platform.h"
#include "core/progress.h"
#include "core/prompter.h"
#include "core/settings.h"
#include "project/page_tree.h"
#include "project/project_file.h"
#include "project/project_model.h"

namespace qy {

// What the flows change in the main window besides message boxes and the
// status bar.
class DocumentView {
 public:
  virtual ~DocumentView() = default;
  // Window caption and application title.
  virtual void SetCaption(const std::string& caption) = 0;
  // Text of the project-properties menu item.
  virtual void SetPropertiesMenuText(const std::string& text) = 0;
  // Forgets the editor's undo memory and its modified mark.
  virtual void ClearEditorUndo() = 0;
  virtual void FocusEditor() = 0;
  virtual void ClearPageTree() = 0;
  // Shows a freshly built tree with `selected_page` (from 1) selected.
  virtual void ShowPageTree(const PageTree& tree, int selected_page) = 0;
  // Closes the auxiliary windows that refer to pages and empties the
  // compiler-message list; the message pane is hidden unless
  // `keep_message_pane`.
  virtual void ResetPageViews(bool keep_message_pane) = 0;
};

// A view that shows nothing (headless use).
class NullDocumentView : public DocumentView {
 public:
  void SetCaption(const std::string&) override {}
  void SetPropertiesMenuText(const std::string&) override {}
  void ClearEditorUndo() override {}
  void FocusEditor() override {}
  void ClearPageTree() override {}
  void ShowPageTree(const PageTree&, int) override {}
  void ResetPageViews(bool) override {}
};

inline constexpr char kCaptionSuffix[] = " - Quillory";

// Why a save was refused: the places (from FindEndMarkerLines) that hold
// lines the file can not store, each with its line number.
std::string EndMarkerRefusal(const ProjectModel& model, const std::vector<EndMarkerLine>& places);

class ProjectDocument {
 public:
  // `program_folder` ends with a separator; the untitled project lives there.
  ProjectDocument(ProjectModel& model, DocumentView& view, Prompter& prompter, Progress& progress,
                  FileChooser& chooser, Settings& settings, std::string program_folder);

  // Opens `file`; after any failure the project is a new untitled one.
  // Returns whether the file was opened. With TopicLoad::kLeaveOut the
  // project is a read-only outline (see LoadProjectFile).
  bool OpenProject(const std::string& file, bool focus_editor, TopicLoad topics = TopicLoad::kKeep);
  // Writes the project to its file. A failed write is reported and leaves
  // Modified set; returns whether the file was written.
  bool SaveProject();
  // Writes the project to `file` and nothing else. Refused, with the file
  // left as it was, while a text holds a line the file can not store (with
  // the offer to show the first such page when `show_page` is set), and
  // after a question when `file` is the one whose surplus pages were left
  // out at open. Failures are reported; returns whether the file was written.
  bool SaveProjectTo(const std::string& file);
  // Asks for a new file name and saves there; false when cancelled or the
  // write failed.
  bool SaveProjectAs();
  // The save command: writes only a modified project, an untitled one
  // through SaveProjectAs. Returns false when a needed save did not happen.
  bool SaveCommand();
  // Asked before a command replaces the project; returns whether the command
  // may go on.
  bool ConfirmSaveChanges();
  // The open command: the question, the open dialog, then OpenProject.
  bool OpenCommand(bool focus_editor);
  // The new command: the question, then NewProject.
  bool NewCommand();

  // The untitled project "Project1.qyp" in the program folder, with page 1.
  void NewProject();
  // Empties the project, with the settings-dependent window steps.
  void ClearProject();

  // Whether the project still carries the untitled caption, i.e. was never
  // saved under a name of its own.
  bool IsUntitled() const;
  const std::string& Caption() const { return caption_; }
  TreeBuilder& tree_builder() { return tree_builder_; }

  // Points where later features attach; each does nothing while unset.
  // Enters a file at the top of the recent-files list.
  std::function<void(const std::string& file)> add_recent_file;
  // Takes back the page that is out in the external editor; false when it
  // is still out there (the command must stop).
  std::function<bool()> take_back_external_page;
  // Writes the context list of the model to `hls_file` (when the
  // ContextList option is on); WriteContextList unless replaced.
  std::function<void(const std::string& hls_file)> write_context_list;
  // Rebuilds the bitmap menus from the model's BitmapSection.
  std::function<void()> rebuild_bitmap_menus;
  // Shows page `page` (from 1) in the editor and the tree.
  std::function<void(int page)> show_page;

  // Pages the open left out of the file it read (beyond the last page the
  // table holds); 0 once the project has been saved over that file.
  int pages_left_out() const { return pages_left_out_; }

 private:
  void ShowName(const std::string& file);
  void RebuildTree();
  void RebuildBitmapMenus();
  // The context list beside `project_file` when the setting asks for it.
  void WriteContextList(const std::string& project_file);
  void FailOpen(bool focus_editor);
  void CopyBitmapSettings(const std::string& new_file);

  ProjectModel& model_;
  DocumentView& view_;
  Prompter& prompter_;
  Progress& progress_;
  FileChooser& chooser_;
  Settings& settings_;
  std::string program_folder_;
  std::string caption_;
  TreeBuilder tree_builder_;
  std::string truncated_file_;
  int pages_left_out_ = 0;
};

}  // namespace qy
