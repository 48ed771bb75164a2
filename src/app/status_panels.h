// The main window's status bar: six panels (messages, the progress area,
// caret position, the modified mark, insert/overwrite and Caps Lock) and the
// progress bar that long loops drive.
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <array>
#include <string>

#include "core/progress.h"

namespace qy::app {

inline constexpr int kMessagePanel = 0;
inline constexpr int kProgressPanel = 1;
inline constexpr int kCaretPanel = 2;
inline constexpr int kModifiedPanel = 3;
inline constexpr int kInsertPanel = 4;
inline constexpr int kCapsPanel = 5;
inline constexpr int kStatusPanelCount = 6;

class StatusPanels : public Progress {
 public:
  explicit StatusPanels(QStatusBar* bar);

  QStatusBar* bar() const { return bar_; }
  QLabel* panel(int index) const { return panels_[static_cast<std::size_t>(index)]; }
  QProgressBar* progress_bar() const { return progress_; }
  // The panel's text as the user reads it.
  QString PanelText(int index) const;

  void ShowCaret(int row, int col);
  void ShowModified(bool modified);
  void ShowOverwrite(bool overwrite);
  void ShowCaps(bool caps_on);

  // Progress.
  void Show() override;
  void Hide() override;
  void SetRange(int maximum) override;
  void SetPosition(int position) override;
  int Position() const override { return position_; }
  void SetStatusText(int panel, const std::string& text) override;
  void Pump() override;

 private:
  QStatusBar* bar_;
  std::array<QLabel*, kStatusPanelCount> panels_{};
  QProgressBar* progress_;
  int position_ = 0;
};

}  // namespace qy::app
