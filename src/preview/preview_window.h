// The window preview: a read-only rich-text window beside the main window
// that shows the current page's preview document, follows page changes and
// steps to the previous or next page. The window itself is reached through
// PreviewView; this class keeps its state and carries out its commands.
#pragma once

#include <functional>
#include <string>

#include "core/prompter.h"
#include "core/settings.h"
#include "project/project_model.h"

namespace qy {

struct WindowRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowRect&) const = default;
};

// Pixels between the view's left and right edges and its text.
inline constexpr int kPreviewTextInset = 12;

// What the preview needs of its window.
class PreviewView {
 public:
  virtual ~PreviewView() = default;
  // Creates the top-level window (not owned by the main window) at `place`.
  virtual void Create(const WindowRect& place) = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  // Empties the rich-text view and loads `file` into it as RTF.
  virtual void LoadRtfFile(const std::string& file) = 0;
  // Shows the window, or brings an open one to the front.
  virtual void ShowAndRaise() = 0;
  // The always-on-top state; the menu item and toolbar button show it.
  virtual void SetStayOnTop(bool on) = 0;
  virtual void SetTextInset(int pixels) = 0;
  virtual WindowRect Geometry() const = 0;
  virtual void Destroy() = 0;
};

// The caption of the preview window for a page titled `title`.
std::string PreviewCaption(const std::string& title);

class PreviewWindow {
 public:
  PreviewWindow(const ProjectModel& model, PreviewView& view, Prompter& prompter,
                Settings& settings);
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  bool IsOpen() const { return open_; }
  // The window's temporary file; fixed while the window is open.
  const std::string& FileName() const { return file_; }
  bool StayOnTop() const { return stay_on_top_; }

  // The preview command in window mode: renders the current page (opening
  // the window on a new temporary file the first time), reloads and shows
  // the window. False when there is no current page or a step failed (the
  // failure has been reported).
  bool ShowCurrentPage();
  // The main window switched pages: an open preview follows.
  void OnPageChanged();

  // Commands of the preview window.
  void ToggleStayOnTop();
  void Refresh();  // "読み直し(&R)"
  void PreviousPage();
  void NextPage();
  // Closes the window: deletes its temporary file and stores the window's
  // place in section Preview. Also used when the project is cleared.
  void Close();

  // Window events: the text inset applies from the first activation on and
  // again after every resize.
  void OnActivated();
  void OnResized();

  // Points where the main window attaches.
  // True while the current page is out in the external editor; previous and
  // next then do nothing.
  std::function<bool()> page_out_in_editor;
  // Selects `page` (from 1) in the main page tree; the main window then
  // switches pages and calls OnPageChanged.
  std::function<void(int page)> select_page;
  // Enters a temporary file in the list deleted at shutdown, so that the file
  // goes even when the program ends without closing the window.
  std::function<void(const std::string& file)> register_temp_file;

 private:
  bool Render();
  void Reload();
  WindowRect SavedPlace() const;

  const ProjectModel& model_;
  PreviewView& view_;
  Prompter& prompter_;
  Settings& settings_;
  bool open_ = false;
  bool activated_ = false;
  bool stay_on_top_ = false;
  std::string file_;
};

// The message for a preview file that could not be created or written.
std::string PreviewWriteFailedMessage(const std::string& file, const std::string& reason);

}  // namespace qy
