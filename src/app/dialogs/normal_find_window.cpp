#include "app/dialogs/normal_find_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/qt_text.h"

namespace qy::app {

NormalFindWindow::NormalFindWindow(FindSession& session, Settings& settings, FindTarget target,
                                   QWidget* main)
    : QDialog(main), dialog_(session, settings, target.editor), target_(target) {
  setAttribute(Qt::WA_DeleteOnClose);
  setModal(false);
  setWindowTitle(QStringLiteral("通常の検索"));

  find_box_ = new QComboBox(this);
  find_box_->setEditable(true);
  find_box_->setInsertPolicy(QComboBox::NoInsert);
  find_box_->setMinimumWidth(240);
  for (const std::string& entry : dialog_.history().entries()) find_box_->addItem(ToQt(entry));
  find_box_->setEditText(ToQt(dialog_.text));
  auto* label = new QLabel(QStringLiteral("検索する文字列(&T):"), this);
  label->setBuddy(find_box_);
  case_box_ = new QCheckBox(QStringLiteral("大文字・小文字を区別する(&S)"), this);
  close_box_ = new QCheckBox(QStringLiteral("検索後にこのウインドウを閉じる(&L)"), this);
  auto_box_ = new QCheckBox(QStringLiteral("次のページを自動的に検索する(&A)"), this);
  case_box_->setChecked(dialog_.case_sensitive);
  close_box_->setChecked(dialog_.close_after_search);
  auto_box_->setChecked(dialog_.auto_next());
  next_ = new QPushButton(QStringLiteral("次を検索(&N)"), this);
  previous_ = new QPushButton(QStringLiteral("前を検索(&B)"), this);
  auto* close = new QPushButton(QStringLiteral("閉じる"), this);
  next_->setDefault(true);

  auto* grid = new QGridLayout;
  grid->addWidget(label, 0, 0);
  grid->addWidget(find_box_, 0, 1);
  auto* boxes = new QVBoxLayout;
  boxes->addWidget(case_box_);
  boxes->addWidget(close_box_);
  boxes->addWidget(auto_box_);
  grid->addLayout(boxes, 1, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(next_);
  buttons->addWidget(previous_);
  buttons->addWidget(close);
  buttons->addStretch();
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(grid, 1);
  layout->addLayout(buttons);

  const auto enable = [this] {
    next_->setEnabled(dialog_.ButtonsEnabled());
    previous_->setEnabled(dialog_.ButtonsEnabled());
  };
  connect(find_box_, &QComboBox::editTextChanged, this, [this, enable](const QString& text) {
    dialog_.text = FromQt(text);
    enable();
  });
  connect(case_box_, &QCheckBox::toggled, this, [this](bool on) { dialog_.case_sensitive = on; });
  connect(close_box_, &QCheckBox::toggled, this,
          [this](bool on) { dialog_.close_after_search = on; });
  connect(auto_box_, &QCheckBox::toggled, this, [this](bool on) { dialog_.SetAutoNext(on); });
  connect(next_, &QPushButton::clicked, this, [this] { Press(FindDirection::kNext); });
  connect(previous_, &QPushButton::clicked, this, [this] { Press(FindDirection::kPrevious); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  enable();
}

NormalFindWindow::~NormalFindWindow() = default;

void NormalFindWindow::Press(FindDirection direction) {
  const bool close_now = dialog_.Press(direction, target_);
  // The entered text moved to the top of the history.
  {
    const QSignalBlocker quiet(find_box_);
    find_box_->clear();
    for (const std::string& entry : dialog_.history().entries()) find_box_->addItem(ToQt(entry));
    find_box_->setEditText(ToQt(dialog_.text));
  }
  if (close_now) close();
}

void NormalFindWindow::closeEvent(QCloseEvent* event) {
  if (!closed_) {
    closed_ = true;
    dialog_.Close();
  }
  // Not QDialog's, which would call reject() and with it close() again.
  event->accept();
}

}  // namespace qy::app
