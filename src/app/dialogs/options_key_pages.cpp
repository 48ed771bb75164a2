#include "app/dialogs/options_key_pages.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "core/codec.h"
#include "shell/command_table.h"

namespace qy::app {

namespace {

constexpr int kNumberRole = Qt::UserRole;

// Fills `tree` from nodes given in pre-order with parent indexes.
template <typename Node>
std::vector<QTreeWidgetItem*> FillTree(QTreeWidget* tree, const std::vector<Node>& nodes) {
  std::vector<QTreeWidgetItem*> items;
  for (const Node& node : nodes) {
    QTreeWidgetItem* item = node.parent < 0
                                ? new QTreeWidgetItem(tree)
                                : new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent)]);
    item->setText(0, ToQt(node.caption));
    item->setData(0, kNumberRole, node.number);
    items.push_back(item);
  }
  tree->expandToDepth(0);
  return items;
}

}  // namespace

KeySettingPage::KeySettingPage(KeyPage& keys, Prompter& prompter, QWidget* parent)
    : QWidget(parent), keys_(keys), prompter_(prompter) {
  auto* layout = new QHBoxLayout(this);
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  const std::vector<KeyTreeNode> nodes = BuildKeyTree();
  const std::vector<QTreeWidgetItem*> items = FillTree(tree_, nodes);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    // Only command rows take a key; the others keep -1.
    if (nodes[i].kind != KeyTreeNode::Kind::kCommand) items[i]->setData(0, kNumberRole, -1);
  }
  layout->addWidget(tree_, 1);

  auto* side = new QGridLayout;
  description_ = new QLabel(this);
  description_->setWordWrap(true);
  description_->setMinimumHeight(48);
  current_ = new QLineEdit(this);
  current_->setReadOnly(true);
  side->addWidget(description_, 0, 0, 1, 3);
  auto* current_caption = new QLabel(ToQt(Sjis("現在のキー(&K) :")), this);
  current_caption->setBuddy(current_);
  side->addWidget(current_caption, 1, 0, 1, 3);
  side->addWidget(current_, 2, 0, 1, 3);
  static constexpr const char* kModifiers[] = {"Shift", "Ctrl", "Alt"};
  for (std::size_t i = 0; i < modifiers_.size(); ++i) {
    modifiers_[i] = new QCheckBox(QString::fromLatin1(kModifiers[i]), this);
    side->addWidget(modifiers_[i], 3, static_cast<int>(i));
    connect(modifiers_[i], &QCheckBox::toggled, this, &KeySettingPage::FillKeyList);
  }
  key_list_ = new QComboBox(this);
  side->addWidget(key_list_, 4, 0, 1, 3);
  set_ = new QPushButton(ToQt(Sjis("設定(&S)")), this);
  side->addWidget(set_, 5, 2);
  side->setRowStretch(6, 1);
  layout->addLayout(side, 1);

  connect(tree_, &QTreeWidget::currentItemChanged, this, &KeySettingPage::ShowSelected);
  connect(set_, &QPushButton::clicked, this, [this] {
    const int number = SelectedNumber();
    if (number < 0) return;
    keys_.Set(number, FromQt(key_list_->currentText()), prompter_);
    ShowSelected();
  });
  FillKeyList();
  ShowSelected();
}

void KeySettingPage::FillKeyList() {
  key_list_->clear();
  for (const std::string& choice : KeyChoices(
           modifiers_[0]->isChecked(), modifiers_[1]->isChecked(), modifiers_[2]->isChecked())) {
    key_list_->addItem(ToQt(choice));
  }
}

int KeySettingPage::SelectedNumber() const {
  const QTreeWidgetItem* item = tree_->currentItem();
  return item ? item->data(0, kNumberRole).toInt() : -1;
}

void KeySettingPage::SelectCommand(int number) {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if ((*it)->data(0, kNumberRole).toInt() == number) tree_->setCurrentItem(*it);
  }
}

void KeySettingPage::ShowSelected() {
  const int number = SelectedNumber();
  const bool command = number >= 0 && KeyPage::CanSet(number);
  set_->setEnabled(command);
  const CommandRow* row = command ? FindCommand(number) : nullptr;
  description_->setText(row ? QString::fromUtf8(row->hint) : QString());
  current_->setText(command ? ToQt(keys_.Shortcut(number)) : QString());
}

ToolbarPage::ToolbarPage(ToolbarLayout& layout, QWidget* parent)
    : QWidget(parent), layout_(layout) {
  auto* box = new QVBoxLayout(this);
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  box->addWidget(tree_);
  const std::vector<ToolbarTreeNode> nodes = BuildToolbarTree(layout_);
  const std::vector<QTreeWidgetItem*> items = FillTree(tree_, nodes);
  for (std::size_t i = 0; i < nodes.size(); ++i) {
    if (nodes[i].kind != ToolbarTreeNode::Kind::kItem) continue;
    items[i]->setFlags(items[i]->flags() | Qt::ItemIsUserCheckable);
    items[i]->setCheckState(0, nodes[i].checked ? Qt::Checked : Qt::Unchecked);
  }
  connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    layout_.SetShown(item->data(0, kNumberRole).toInt(), item->checkState(0) == Qt::Checked);
  });
}

}  // namespace qy::app
