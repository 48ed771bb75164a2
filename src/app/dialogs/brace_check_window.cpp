#include "app/dialogs/brace_check_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "markup/link_dialog_model.h"

namespace qy::app {

// The window's own label and bar stand for the status-bar progress.
class BraceCheckDialog::BarProgress : public Progress {
 public:
  BarProgress(QLabel* label, QProgressBar* bar) : label_(label), bar_(bar) {}
  void Show() override {
    label_->show();
    bar_->show();
  }
  void Hide() override {
    label_->hide();
    bar_->hide();
  }
  void SetRange(int maximum) override { bar_->setRange(0, maximum); }
  void SetPosition(int position) override { bar_->setValue(position); }
  int Position() const override { return bar_->value(); }
  void SetStatusText(int, const std::string&) override {}
  void Pump() override { QCoreApplication::processEvents(); }

 private:
  QLabel* label_;
  QProgressBar* bar_;
};

BraceCheckDialog::BraceCheckDialog(const ProjectModel& project, Prompter& prompter,
                                   std::function<void(int)> show_page, QWidget* parent)
    : QDialog(parent),
      project_(project),
      prompter_(prompter),
      show_page_(std::move(show_page)),
      list_(new QTreeWidget(this)),
      check_(new QPushButton(QStringLiteral("チェック(&C)"), this)),
      checking_label_(new QLabel(QStringLiteral("チェック中..."), this)),
      bar_(new QProgressBar(this)),
      progress_(std::make_unique<BarProgress>(checking_label_, bar_)),
      window_(project, *progress_) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("括弧の適合チェック"));
  auto* label = new QLabel(QStringLiteral("不適合リスト(&L) :"), this);
  label->setBuddy(list_);
  list_->setRootIsDecorated(false);
  list_->setHeaderLabels({QStringLiteral("タイトル"), QStringLiteral("コンテキスト"),
                          QStringLiteral("{ の数"), QStringLiteral("} の数")});
  list_->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  auto* cancel = new QPushButton(QStringLiteral("キャンセル"), this);
  check_->setDefault(true);
  connect(check_, &QPushButton::clicked, this, &BraceCheckDialog::CheckByButton);
  connect(cancel, &QPushButton::clicked, this, &QDialog::close);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    const int page = PageOfBraceRow(project_, FromQt(item->text(1)));
    if (page != 0 && show_page_) show_page_(page);
  });

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(checking_label_);
  bottom->addWidget(bar_, 1);
  bottom->addStretch();
  bottom->addWidget(check_);
  bottom->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label);
  layout->addWidget(list_, 1);
  layout->addLayout(bottom);
  progress_->Hide();
  resize(520, 300);
}

BraceCheckDialog::~BraceCheckDialog() = default;

void BraceCheckDialog::CheckByButton() {
  list_->clear();
  check_->setEnabled(false);
  window_.CheckByButton(prompter_);
  check_->setEnabled(true);
  ShowRows();
}

void BraceCheckDialog::done(int result) {
  closed_ = true;
  QDialog::done(result);
}

bool BraceCheckDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && window_.stale() && !window_.checking()) {
    window_.OnActivated();
    ShowRows();
  }
  return QDialog::event(event);
}

void BraceCheckDialog::ShowRows() {
  list_->clear();
  const QIcon warning = style()->standardIcon(QStyle::SP_MessageBoxWarning);
  for (const BraceCheckRow& row : window_.rows()) {
    auto* item = new QTreeWidgetItem(list_);
    item->setIcon(0, warning);
    item->setText(0, ToQt(row.title));
    item->setText(1, ToQt(row.context));
    item->setText(2, ToQt(BraceCountText(row.open)));
    item->setText(3, ToQt(BraceCountText(row.close)));
  }
}

BraceCheckDialog* OpenBraceCheckWindow(QWidget* main) {
  for (BraceCheckDialog* window : main->findChildren<BraceCheckDialog*>()) {
    if (!window->closed()) return window;
  }
  return nullptr;
}

void ShowBraceCheckWindow(const ProjectModel& project, Prompter& prompter,
                          std::function<void(int)> show_page, QWidget* main) {
  BraceCheckDialog* window = OpenBraceCheckWindow(main);
  if (!window) {
    window = new BraceCheckDialog(project, prompter, std::move(show_page), main);
    const QRect m = main->frameGeometry();
    const DialogOrigin at =
        CenterOver(m.left(), m.top(), m.width(), m.height(), window->width(), window->height());
    window->move(at.left, at.top);
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace qy::app
