// The key-setting and toolbar pages of the options dialog: the command tree
// with the shortcut of the selected command (KeyPage holds the buffer and
// refuses a key in use), and the tree of toolbar buttons with their ticks
// (ToolbarLayout).
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <array>

#include "core/prompter.h"
#include "shell/key_settings.h"
#include "shell/toolbar_layout.h"

namespace qy::app {

class KeySettingPage : public QWidget {
  Q_OBJECT

 public:
  KeySettingPage(KeyPage& keys, Prompter& prompter, QWidget* parent = nullptr);

  // Selects the node of command `number`, for tests.
  void SelectCommand(int number);
  QComboBox* key_list() const { return key_list_; }
  QCheckBox* modifier(int index) const { return modifiers_[static_cast<std::size_t>(index)]; }
  QPushButton* set_button() const { return set_; }
  QLineEdit* current_key() const { return current_; }

 private:
  void FillKeyList();
  void ShowSelected();
  int SelectedNumber() const;

  KeyPage& keys_;
  Prompter& prompter_;
  QTreeWidget* tree_ = nullptr;
  QLabel* description_ = nullptr;
  QLineEdit* current_ = nullptr;
  std::array<QCheckBox*, 3> modifiers_{};
  QComboBox* key_list_ = nullptr;
  QPushButton* set_ = nullptr;
};

class ToolbarPage : public QWidget {
  Q_OBJECT

 public:
  ToolbarPage(ToolbarLayout& layout, QWidget* parent = nullptr);
  QTreeWidget* tree() const { return tree_; }

 private:
  ToolbarLayout& layout_;
  QTreeWidget* tree_ = nullptr;
};

}  // namespace qy::app
