#include "app/dialogs/link_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>
#include <vector>

#include "app/qt_text.h"
#include "app/toolbar_icons.h"

namespace qy::app {

namespace {

constexpr int kPageRole = Qt::UserRole + 1;

// The hourglass while a dialog is prepared; reset before the dialog shows.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { Release(); }
  void Release() {
    if (held_) QApplication::restoreOverrideCursor();
    held_ = false;
  }

 private:
  bool held_ = true;
};

void PlaceOver(QWidget* dialog, QWidget* parent) {
  if (!parent) return;
  const QRect main = parent->frameGeometry();
  const DialogOrigin at = CenterOver(main.left(), main.top(), main.width(), main.height(),
                                     dialog->width(), dialog->height());
  dialog->move(at.left, at.top);
}

}  // namespace

LinkDialog::LinkDialog(LinkDialogModel& model, Prompter& prompter, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter) {
  const bool pick = model_.mode() == LinkMode::kPagePick;
  setWindowTitle(ToQt(model_.Caption()));
  setSizeGripEnabled(true);

  find_box_ = new QLineEdit(this);
  find_top_ = new QPushButton(QStringLiteral("先頭から検索(&K)"), this);
  find_next_ = new QPushButton(QStringLiteral("次を検索(&T)"), this);
  find_top_->setAutoDefault(false);
  find_next_->setAutoDefault(false);
  tree_ = new QTreeWidget(this);
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  status_ = new QLabel(this);

  auto* find_row = new QHBoxLayout;
  find_row->addWidget(find_box_, 1);
  find_row->addWidget(find_top_);
  find_row->addWidget(find_next_);
  auto* left = new QVBoxLayout;
  left->addLayout(find_row);
  left->addWidget(tree_, 1);
  left->addWidget(status_);

  auto* buttons = new QVBoxLayout;
  if (pick) {
    auto* box = new QDialogButtonBox(Qt::Vertical, this);
    ok_ = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    box->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    ok_->setDefault(true);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    buttons->addWidget(box);
  } else {
    options_box_ = new HotspotOptionsBox(model_.options(), this);
    left->addWidget(options_box_);
    if (model_.ShowsWindowRow()) {
      other_window_ = new QCheckBox(QStringLiteral("別のウィンドウにジャンプ(&W)"), this);
      window_label_ = new QLabel(QStringLiteral("ウィンドウ名(&D) :"), this);
      window_list_ = new QComboBox(this);
      window_label_->setBuddy(window_list_);
      for (const std::string& name : model_.windows()) window_list_->addItem(ToQt(name));
      window_list_->setCurrentIndex(model_.window_index());
      other_window_->setEnabled(model_.OtherWindowBoxEnabled());
      auto* window_row = new QHBoxLayout;
      window_row->addWidget(other_window_);
      window_row->addWidget(window_label_);
      window_row->addWidget(window_list_, 1);
      left->addLayout(window_row);
      connect(other_window_, &QCheckBox::toggled, this, [this](bool on) {
        model_.SetOtherWindow(on);
        window_label_->setEnabled(model_.WindowListEnabled());
        window_list_->setEnabled(model_.WindowListEnabled());
      });
      connect(window_list_, &QComboBox::currentIndexChanged, this,
              [this](int index) { model_.SetWindowIndex(index); });
      window_label_->setEnabled(false);
      window_list_->setEnabled(false);
    }
    normal_ = new QPushButton(ToQt(model_.NormalButtonCaption()), this);
    button_ = new QPushButton(ToQt(model_.ButtonButtonCaption()), this);
    auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    normal_->setDefault(true);
    connect(normal_, &QPushButton::clicked, this, [this] { Choose(HotspotForm::kNormal); });
    connect(button_, &QPushButton::clicked, this, [this] { Choose(HotspotForm::kButton); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(normal_);
    buttons->addWidget(button_);
    buttons->addWidget(cancel);
  }
  buttons->addStretch();

  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(buttons);

  BuildTree();
  find_box_->setText(ToQt(model_.find_text()));
  connect(find_box_, &QLineEdit::textChanged, this, [this](const QString& text) {
    model_.SetFindText(FromQt(text));
    find_top_->setEnabled(model_.FindEnabled());
    find_next_->setEnabled(model_.FindEnabled());
  });
  find_top_->setEnabled(model_.FindEnabled());
  find_next_->setEnabled(model_.FindEnabled());
  connect(find_top_, &QPushButton::clicked, this, [this] { Find(true); });
  connect(find_next_, &QPushButton::clicked, this, [this] { Find(false); });
  connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (item) model_.SelectPage(item->data(0, kPageRole).toInt());
    ShowTarget();
  });

  setMinimumSize(kLinkDialogMinWidth, kLinkDialogMinHeight);
  resize(model_.width(), model_.height());
  PlaceOver(this, parent);
  ShowTarget();
}

void LinkDialog::BuildTree() {
  const LinkPageTree& tree = model_.tree();
  std::vector<QTreeWidgetItem*> items;
  items.reserve(tree.nodes.size());
  for (const LinkTreeNode& node : tree.nodes) {
    QTreeWidgetItem* item = node.parent < 0
                                ? new QTreeWidgetItem(tree_)
                                : new QTreeWidgetItem(items[static_cast<std::size_t>(node.parent)]);
    item->setText(0, ToQt(node.label));
    item->setData(0, kPageRole, node.page);
    item->setIcon(0, PageImageIcon(LinkNodeImage(node, false)));
    items.push_back(item);
  }
  const auto follow = [&tree](QTreeWidgetItem* item, bool expanded) {
    const int node = tree.NodeOfPage(item->data(0, kPageRole).toInt());
    if (node >= 0) {
      item->setIcon(
          0, PageImageIcon(LinkNodeImage(tree.nodes[static_cast<std::size_t>(node)], expanded)));
    }
  };
  connect(tree_, &QTreeWidget::itemExpanded, this,
          [follow](QTreeWidgetItem* item) { follow(item, true); });
  connect(tree_, &QTreeWidget::itemCollapsed, this,
          [follow](QTreeWidgetItem* item) { follow(item, false); });
  tree_->expandAll();
  const int selected = tree.NodeOfPage(model_.target_page());
  if (selected >= 0) tree_->setCurrentItem(items[static_cast<std::size_t>(selected)]);
}

void LinkDialog::ShowTarget() {
  status_->setText(ToQt(model_.StatusLine()));
  if (normal_) normal_->setEnabled(model_.InsertEnabled());
  if (button_) button_->setEnabled(model_.InsertEnabled());
}

void LinkDialog::Find(bool from_top) {
  const bool found = from_top ? model_.FindFromTop(prompter_) : model_.FindNext(prompter_);
  if (!found) return;
  for (QTreeWidgetItemIterator it(tree_); *it; ++it) {
    if ((*it)->data(0, kPageRole).toInt() == model_.target_page()) {
      tree_->setCurrentItem(*it);
      tree_->scrollToItem(*it);
      break;
    }
  }
}

void LinkDialog::Choose(HotspotForm form) {
  if (!model_.InsertEnabled()) return;
  chosen_form_ = form;
  accept();
}

void LinkDialog::done(int result) {
  model_.SetSize(width(), height());
  QDialog::done(result);
}

void RunLinkDialog(const ProjectModel& project, Settings& settings, Prompter& prompter,
                   Editor& editor, LinkMode mode, QWidget* parent) {
  WaitCursor wait;
  LinkDialogModel model(project, settings, mode);
  model.Prepare(editor.SelText());
  LinkDialog dialog(model, prompter, parent);
  wait.Release();
  dialog.exec();
  model.Close();
  if (dialog.chosen_form()) model.Insert(*dialog.chosen_form(), editor);
}

int PickPage(const ProjectModel& project, Settings& settings, Prompter& prompter,
             std::string_view selected_text, QWidget* parent) {
  WaitCursor wait;
  return SelectPageWithDialog(project, settings, project.CurrentPage(), selected_text,
                              [&](LinkDialogModel& model) {
                                LinkDialog dialog(model, prompter, parent);
                                wait.Release();
                                return dialog.exec() == QDialog::Accepted;
                              });
}

}  // namespace qy::app
