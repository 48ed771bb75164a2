// The preview window (window mode of the preview command): a top-level
// window of its own with the "アクション(&A)" menu and toolbar, showing the
// preview document of the current page through the topic reader. Jumps
// show their target page, popups open a small frameless window with the
// popup page, pictures come from the project's picture folder. Its state
// and commands live in PreviewWindow; this is only the window.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <string>

#include "core/settings.h"
#include "preview/preview_window.h"
#include "project/project_model.h"

class QAction;
class QTextBrowser;

namespace qy::app {

class PreviewFrame;

class QtPreviewView : public PreviewView {
 public:
  QtPreviewView(const ProjectModel& model, Settings& settings);
  ~QtPreviewView() override;

  // The logic the window's commands and events go to.
  void Attach(PreviewWindow* logic) { logic_ = logic; }

  void Create(const WindowRect& place) override;
  void SetCaption(const std::string& caption) override;
  void LoadRtfFile(const std::string& file) override;
  void ShowAndRaise() override;
  void SetStayOnTop(bool on) override;
  void SetTextInset(int pixels) override;
  WindowRect Geometry() const override;
  void Destroy() override;

  // The window while it is open (tests and the main window's wiring).
  QMainWindow* window() const;
  QTextBrowser* browser() const;
  // Follows a hotspot anchor ("jump:CTX", "popup:CTX"); a popup shows at
  // `global_pos`. False when the anchor leads to no page of the project.
  bool FollowAnchor(const QString& anchor, const QPoint& global_pos);
  // The popup window last opened (null when none is showing).
  QWidget* popup() const { return popup_; }

 private:
  friend class PreviewFrame;
  void ShowPopup(int page, const QPoint& global_pos);
  std::string PictureFolder() const;

  const ProjectModel& model_;
  Settings& settings_;
  PreviewWindow* logic_ = nullptr;
  QPointer<PreviewFrame> frame_;
  QPointer<QWidget> popup_;
  int inset_ = 0;
};

}  // namespace qy::app
