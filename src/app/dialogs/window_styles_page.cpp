#include "app/dialogs/window_styles_page.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"

namespace qy::app {

namespace {

constexpr const char* kBoxCaptions[kStyleBoxCount] = {"ウインドウを最大化する(&M)",
                                                      "ウインドウの高さを自動調整(&H)",
                                                      "デフォルト(&D)",
                                                      "オプション(&O)",
                                                      "閲覧(&R)",
                                                      "目次(&C)",
                                                      "キーワード(&K)",
                                                      "トピック(&T)",
                                                      "印刷(&P)",
                                                      "戻る(&B)",
                                                      "ウインドウを常に手前に表示(&T)",
                                                      "解像度に合わせる(&A)"};

constexpr PositionPart kParts[] = {PositionPart::kLeft, PositionPart::kTop, PositionPart::kWidth,
                                   PositionPart::kHeight};

QColor ToColor(int value) {
  return QColor(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

void PaintPanel(QLabel* panel, int value) {
  panel->setStyleSheet(
      QStringLiteral("background-color: %1; border: 1px solid gray;").arg(ToColor(value).name()));
}

}  // namespace

WindowStylesPage::WindowStylesPage(WindowStyleList& list, Prompter& prompter,
                                   ColorChooser choose_color, QWidget* parent)
    : QWidget(parent), list_(list), prompter_(prompter), choose_color_(std::move(choose_color)) {
  auto* layout = new QVBoxLayout(this);
  direct_ = new QCheckBox(ToQt(Sjis("[WINDOWS]の直接編集を許可する(&O)")), this);
  layout->addWidget(direct_);
  modes_ = new QStackedWidget(this);
  modes_->addWidget(BuildListPage());
  memo_ = new QPlainTextEdit(modes_);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  modes_->addWidget(memo_);
  layout->addWidget(modes_, 1);

  connect(direct_, &QCheckBox::clicked, this, [this](bool on) {
    if (list_.direct_edit() && on == false) StoreMemo();
    list_.SetDirectEdit(on, prompter_);
    ShowMode();
  });
  ShowMode();
}

QWidget* WindowStylesPage::BuildListPage() {
  auto* page = new QWidget(modes_);
  auto* layout = new QHBoxLayout(page);
  auto* left = new QVBoxLayout;
  names_ = new QListWidget(page);
  names_->setMaximumWidth(160);
  left->addWidget(names_, 1);
  auto* buttons = new QHBoxLayout;
  add_ = new QPushButton(ToQt(Sjis("新規(&N)")), page);
  delete_ = new QPushButton(ToQt(Sjis("削除(&D)")), page);
  buttons->addWidget(add_);
  buttons->addWidget(delete_);
  left->addLayout(buttons);
  layout->addLayout(left);
  style_tabs_ = new QTabWidget(page);
  style_tabs_->addTab(BuildGeneralTab(), ToQt(Sjis("全般")));
  style_tabs_->addTab(BuildPositionTab(), ToQt(Sjis("位置")));
  style_tabs_->addTab(BuildButtonsTab(), ToQt(Sjis("ボタン")));
  style_tabs_->addTab(BuildColorTab(), ToQt(Sjis("カラー")));
  layout->addWidget(style_tabs_, 1);

  connect(names_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (showing_ || row < 0) return;
    list_.Select(row);
    ShowSelected();
  });
  connect(add_, &QPushButton::clicked, this, [this] {
    if (!list_.CanAdd(prompter_)) return;
    bool ok = false;
    const QString name = ask_style_name
                             ? ask_style_name()
                             : QInputDialog::getText(this, ToQt(Sjis("新規ウインドウスタイル")),
                                                     ToQt(Sjis("ウインドウスタイル名")),
                                                     QLineEdit::Normal, QString(), &ok);
    if (list_.Add(FromQt(name))) ShowNames();
  });
  connect(delete_, &QPushButton::clicked, this, [this] {
    if (list_.DeleteSelected(prompter_)) ShowNames();
  });
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i](bool on) {
      if (WindowStyle* style = list_.Selected())
        box_rules_.Set(static_cast<StyleBox>(i), on, *style);
      ShowBoxes();
    });
  }
  return page;
}

QWidget* WindowStylesPage::BuildGeneralTab() {
  auto* tab = new QWidget(style_tabs_);
  auto* layout = new QVBoxLayout(tab);
  auto* caption = new QLabel(ToQt(Sjis("タイトル(&I) :")), tab);
  title_ = NewFieldEdit(tab);
  caption->setBuddy(title_);
  layout->addWidget(caption);
  layout->addWidget(title_);
  for (StyleBox box : {StyleBox::kMaximize, StyleBox::kAutoHeight}) {
    boxes_[static_cast<std::size_t>(box)] =
        new QCheckBox(ToQt(Sjis(kBoxCaptions[static_cast<int>(box)])), tab);
    layout->addWidget(Box(box));
  }
  layout->addStretch(1);
  connect(title_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (WindowStyle* style = list_.Selected()) style->title = FromQt(text);
  });
  return tab;
}

QWidget* WindowStylesPage::BuildPositionTab() {
  auto* tab = new QWidget(style_tabs_);
  auto* grid = new QGridLayout(tab);
  static constexpr const char* kCaptions[] = {"左(&L) :", "上(&U) :", "幅(&W) :", "高さ(&E) :"};
  for (std::size_t i = 0; i < position_.size(); ++i) {
    auto* caption = new QLabel(ToQt(Sjis(kCaptions[i])), tab);
    position_[i] = new QLineEdit(tab);
    position_[i]->setMaxLength(static_cast<int>(kPositionDigits));
    position_[i]->installEventFilter(this);
    caption->setBuddy(position_[i]);
    grid->addWidget(caption, static_cast<int>(i), 0);
    grid->addWidget(position_[i], static_cast<int>(i), 1);
    connect(position_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
      if (!list_.SetPositionText(kParts[i], FromQt(text))) ShowSelected();
    });
  }
  for (StyleBox box : {StyleBox::kOnTop, StyleBox::kFitResolution}) {
    boxes_[static_cast<std::size_t>(box)] =
        new QCheckBox(ToQt(Sjis(kBoxCaptions[static_cast<int>(box)])), tab);
    grid->addWidget(Box(box), grid->rowCount(), 0, 1, 2);
  }
  auto* buttons = new QHBoxLayout;
  auto* clear = new QPushButton(ToQt(Sjis("デフォルト(&D)")), tab);
  auto* sizing = new QPushButton(ToQt(Sjis("位置設定(&S)")), tab);
  buttons->addWidget(clear);
  buttons->addWidget(sizing);
  grid->addLayout(buttons, grid->rowCount(), 0, 1, 2);
  grid->setRowStretch(grid->rowCount(), 1);
  connect(clear, &QPushButton::clicked, this, [this] {
    list_.ClearPosition();
    ShowSelected();
  });
  connect(sizing, &QPushButton::clicked, this, &WindowStylesPage::OpenSizingWindow);
  return tab;
}

QWidget* WindowStylesPage::BuildButtonsTab() {
  auto* tab = new QWidget(style_tabs_);
  auto* grid = new QGridLayout(tab);
  int n = 0;
  for (StyleBox box :
       {StyleBox::kDefaultButtons, StyleBox::kOptions, StyleBox::kBrowse, StyleBox::kContents,
        StyleBox::kKeyword, StyleBox::kTopics, StyleBox::kPrint, StyleBox::kBack}) {
    boxes_[static_cast<std::size_t>(box)] =
        new QCheckBox(ToQt(Sjis(kBoxCaptions[static_cast<int>(box)])), tab);
    grid->addWidget(Box(box), n % 4, n / 4);
    ++n;
  }
  grid->setRowStretch(4, 1);
  return tab;
}

QWidget* WindowStylesPage::BuildColorTab() {
  auto* tab = new QWidget(style_tabs_);
  auto* grid = new QGridLayout(tab);
  auto add_row = [&](int row, const char* caption, const char* button_text, QLabel*& panel,
                     bool topic) {
    grid->addWidget(new QLabel(ToQt(Sjis(caption)), tab), row, 0);
    panel = new QLabel(tab);
    panel->setMinimumSize(60, 22);
    grid->addWidget(panel, row, 1);
    auto* button = new QPushButton(ToQt(Sjis(button_text)), tab);
    grid->addWidget(button, row, 2);
    connect(button, &QPushButton::clicked, this, [this, topic] { ChooseColor(topic); });
    panel->installEventFilter(this);
  };
  add_row(0, "非スクロール領域", "変更(&S)...", non_scroll_panel_, false);
  add_row(1, "トピック領域", "変更(&T)...", topic_panel_, true);
  auto* reset = new QPushButton(ToQt(Sjis("デフォルトカラー(&D)")), tab);
  grid->addWidget(reset, 2, 0, 1, 3, Qt::AlignLeft);
  grid->setRowStretch(3, 1);
  connect(reset, &QPushButton::clicked, this, [this] {
    list_.ResetColors();
    ShowColors();
  });
  return tab;
}

void WindowStylesPage::StoreMemo() {
  if (list_.direct_edit()) list_.SetMemo(FromQt(memo_->toPlainText().replace('\n', "\r\n")));
}

void WindowStylesPage::ShowMode() {
  showing_ = true;
  direct_->setChecked(list_.direct_edit());
  modes_->setCurrentIndex(list_.direct_edit() ? 1 : 0);
  if (list_.direct_edit()) {
    memo_->setPlainText(ToQt(list_.memo()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  }
  showing_ = false;
  if (!list_.direct_edit()) ShowNames();
}

void WindowStylesPage::ShowNames() {
  showing_ = true;
  names_->clear();
  for (const WindowStyle& style : list_.styles()) names_->addItem(ToQt(style.name));
  names_->setCurrentRow(list_.selected());
  showing_ = false;
  ShowSelected();
}

void WindowStylesPage::ShowSelected() {
  const WindowStyle* style = list_.Selected();
  style_tabs_->setEnabled(style != nullptr);
  if (!style) return;
  showing_ = true;
  title_->setText(ToQt(style->title));
  const int values[] = {style->left, style->top, style->width, style->height};
  for (std::size_t i = 0; i < position_.size(); ++i) {
    position_[i]->setText(ToQt(PositionText(values[i])));
  }
  showing_ = false;
  box_rules_.Load(*style, list_.SelectedIsMain());
  ShowBoxes();
  ShowColors();
}

void WindowStylesPage::ShowBoxes() {
  for (std::size_t i = 0; i < boxes_.size(); ++i) {
    const BoxState& state = box_rules_.Box(static_cast<StyleBox>(i));
    boxes_[i]->setChecked(state.checked);
    boxes_[i]->setEnabled(state.enabled);
  }
}

void WindowStylesPage::ShowColors() {
  if (const WindowStyle* style = list_.Selected()) {
    PaintPanel(non_scroll_panel_, style->non_scroll_color);
    PaintPanel(topic_panel_, style->topic_color);
  }
}

void WindowStylesPage::ChooseColor(bool topic) {
  WindowStyle* style = list_.Selected();
  if (!style || !choose_color_) return;
  int& color = topic ? style->topic_color : style->non_scroll_color;
  if (std::optional<int> chosen = choose_color_(color)) color = *chosen;
  ShowColors();
}

void WindowStylesPage::OpenSizingWindow() {
  const WindowStyle* style = list_.Selected();
  if (!style) return;
  QDialog sizing(this);
  sizing.setWindowTitle(ToQt(Sjis("ウィンドウの位置・サイズ設定")));
  auto* layout = new QVBoxLayout(&sizing);
  auto* note = new QLabel(
      ToQt(Sjis("　ヘルプウインドウの位置・サイズ設定をこのウインドウと同じ位置・サイズにします。"
                "設定したい位置・サイズにして「OK」ボタンを押してください。")),
      &sizing);
  note->setWordWrap(true);
  layout->addWidget(note, 1);
  auto* buttons = new QDialogButtonBox(&sizing);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, &sizing, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &sizing, &QDialog::reject);
  layout->addWidget(buttons);
  auto pick = [](int value, int initial) { return value == kNotSet ? initial : value; };
  sizing.move(pick(style->left, kSizingWindowLeft), pick(style->top, kSizingWindowTop));
  sizing.resize(pick(style->width, kSizingWindowWidth), pick(style->height, kSizingWindowHeight));
  if (sizing.exec() != QDialog::Accepted) return;
  const QRect frame = sizing.frameGeometry();
  list_.ApplySizingWindow(frame.left(), frame.top(), sizing.width(), sizing.height());
  ShowSelected();
}

bool WindowStylesPage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (QLineEdit* edit : position_) {
      if (watched != edit) continue;
      // Position edits take digits; other printable keys beep.
      const QString text = static_cast<QKeyEvent*>(event)->text();
      const char16_t code = text.isEmpty() ? 0 : text.at(0).unicode();
      if (code >= 0x20 && (code < '0' || code > '9')) {
        QApplication::beep();
        return true;
      }
    }
  }
  if (event->type() == QEvent::MouseButtonPress &&
      (watched == topic_panel_ || watched == non_scroll_panel_)) {
    ChooseColor(watched == topic_panel_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace qy::app
