// The "ウインドウ" tab of the project properties: the window styles as a list
// with the boxes of the selected style, or the [WINDOWS] text edited
// directly. WindowStyleList and WindowStyleBoxes hold every rule; this page
// shows them and passes clicks and typing on.
#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <array>
#include <functional>

#include "build/window_style_boxes.h"
#include "build/window_style_list.h"
#include "core/prompter.h"

namespace qy::app {

class WindowStylesPage : public QWidget {
  Q_OBJECT

 public:
  // `choose_color` asks for a colour (red + 256 green + 65536 blue) starting
  // from the given one; nothing when cancelled.
  using ColorChooser = std::function<std::optional<int>(int)>;
  WindowStylesPage(WindowStyleList& list, Prompter& prompter, ColorChooser choose_color,
                   QWidget* parent = nullptr);

  // Asks for a new style's name; null asks with an input box.
  std::function<QString()> ask_style_name;

  // Takes the memo's text into the list before OK.
  void StoreMemo();

  // The controls, for tests and screenshots.
  QCheckBox* direct_edit() const { return direct_; }
  QListWidget* style_list() const { return names_; }
  QCheckBox* Box(StyleBox box) const { return boxes_[static_cast<std::size_t>(box)]; }
  QLineEdit* position(PositionPart part) const { return position_[static_cast<std::size_t>(part)]; }
  QLineEdit* title() const { return title_; }
  QPushButton* add_button() const { return add_; }
  QPushButton* delete_button() const { return delete_; }
  QPlainTextEdit* memo() const { return memo_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildListPage();
  QWidget* BuildGeneralTab();
  QWidget* BuildPositionTab();
  QWidget* BuildButtonsTab();
  QWidget* BuildColorTab();
  void ShowMode();
  void ShowNames();
  void ShowSelected();
  void ShowBoxes();
  void ShowColors();
  void ChooseColor(bool topic);
  void OpenSizingWindow();

  WindowStyleList& list_;
  Prompter& prompter_;
  ColorChooser choose_color_;
  WindowStyleBoxes box_rules_;

  QCheckBox* direct_ = nullptr;
  QStackedWidget* modes_ = nullptr;
  QListWidget* names_ = nullptr;
  QPushButton* add_ = nullptr;
  QPushButton* delete_ = nullptr;
  QTabWidget* style_tabs_ = nullptr;
  QLineEdit* title_ = nullptr;
  std::array<QLineEdit*, 4> position_{};
  std::array<QCheckBox*, kStyleBoxCount> boxes_{};
  QLabel* non_scroll_panel_ = nullptr;
  QLabel* topic_panel_ = nullptr;
  QPlainTextEdit* memo_ = nullptr;
  bool showing_ = false;  // set while the page fills its controls itself
};

}  // namespace qy::app
