#include "app/dialogs/page_properties_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"

namespace qy::app {

namespace {

struct KindEntry {
  const char* button;  // the button's caption
  const char* hint;
  const char* item;  // the entry of the menu "属性(&A)"
  const char* key;
};

// In button order; the menu lists them Topic, Popup, Content, Include, Book.
constexpr KindEntry kKinds[kPageKindCount] = {
    {"トピック", "トピック属性", "トピック属性(&T)", "Ctrl+T"},
    {"ポップアップ", "ポップアップ属性", "ポップアップ属性(&P)", "Ctrl+P"},
    {"ブック", "ブック属性", "ブック属性(&B)", "Ctrl+B"},
    {"コンテント", "コンテント属性", "コンテント属性(&M)", "Ctrl+M"},
    {"インクルード", "インクルード属性", "インクルード属性(&I)", "Ctrl+I"},
};
constexpr int kMenuOrder[kPageKindCount] = {0, 1, 3, 4, 2};
constexpr int kBookIndex = 2;

PageAttribute KindOfIndex(int index, int level) {
  static constexpr PageAttribute kBase[] = {kTopicPage, kPopupPage, 0, kContentPage, kIncludePage};
  return index == kBookIndex ? BookAttribute(level) : kBase[index];
}

int IndexOfKind(PageAttribute kind) {
  if (IsBook(kind)) return kBookIndex;
  static constexpr int kIndex[] = {0, 1, 3, 4};
  return kind >= kTopicPage && kind <= kIncludePage ? kIndex[kind] : 0;
}

constexpr PageRow kAllRows[] = {PageRow::kContext,        PageRow::kContextId, PageRow::kTitle,
                                PageRow::kTitleIsKeyword, PageRow::kKeyword,   PageRow::kAKeyword,
                                PageRow::kBKeyword,       PageRow::kWindow,    PageRow::kMacro,
                                PageRow::kInclude,        PageRow::kLevel};

// The widest the dialog may start, so that it fits a 1024 x 768 screen.
constexpr int kMaxStartWidth = 1000;

}  // namespace

PagePropertiesDialog::PagePropertiesDialog(PagePropertiesModel& model, Prompter& prompter,
                                           ConfirmKindChange confirm,
                                           std::function<void(int)> show_help, QWidget* parent)
    : HintedDialog(parent),
      model_(model),
      prompter_(prompter),
      confirm_(std::move(confirm)),
      show_help_(std::move(show_help)) {
  setWindowTitle(ToQt(Sjis("ページのプロパティ")));
  setObjectName("TfrmPage");
  auto* layout = new QVBoxLayout(this);
  BuildMenus();
  layout->setMenuBar(menu_bar_);

  auto* kinds = new QHBoxLayout;
  for (int i = 0; i < kPageKindCount; ++i) {
    auto* button = new QToolButton(this);
    button->setText(ToQt(Sjis(kKinds[i].button)));
    SetHint(button, Sjis(kKinds[i].hint));
    button->setCheckable(true);
    button->setAutoExclusive(true);
    button->setAutoRaise(model_.FlatKindButtons());
    button->setFocusPolicy(Qt::StrongFocus);
    connect(button, &QToolButton::clicked, this, [this, i] { ChooseKind(i); });
    kinds->addWidget(button);
    kind_buttons_[static_cast<std::size_t>(i)] = button;
  }
  kinds->addSpacing(12);
  kind_label_ = new QLabel(this);
  kind_label_->setFrameShape(QFrame::Panel);
  kind_label_->setFrameShadow(QFrame::Sunken);
  kind_label_->setMinimumWidth(170);
  kind_label_->installEventFilter(this);
  kinds->addWidget(kind_label_, 1);
  layout->addLayout(kinds);

  BuildBoxes();
  auto* grid = new QGridLayout;
  grid->setColumnStretch(1, 1);
  int line = 0;
  for (PageRow row : kAllRows) {
    if (QLabel* caption = captions_[row]) grid->addWidget(caption, line, 0);
    grid->addWidget(boxes_[row], line, 1);
    ++line;
  }
  layout->addLayout(grid);
  layout->addStretch(1);

  auto* buttons = new QDialogButtonBox(this);
  ok_ = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok_->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  QPushButton* help = buttons->addButton(ToQt(Sjis("ヘルプ(&H)")), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &PagePropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PagePropertiesDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (show_help_) show_help_(kPagePropertiesHelpContext);
  });
  layout->addWidget(buttons);
  status_bar_ = new QStatusBar(this);
  status_bar_->setSizeGripEnabled(false);
  layout->addWidget(status_bar_);

  // Tab order: the kind, then the boxes top to bottom, then the buttons.
  QWidget* previous = kind_buttons_.back();
  for (PageRow row : kAllRows) {
    setTabOrder(previous, boxes_[row]);
    previous = boxes_[row];
  }
  setTabOrder(previous, ok_);

  LoadBoxes();
  ApplyViewOptions();
  ShowKind();
  const int width = model_.width() > 0 ? model_.width() : 520;
  resize(std::min(width, kMaxStartWidth), sizeHint().height());
  CentreOver(*this, parent);
}

void PagePropertiesDialog::BuildMenus() {
  menu_bar_ = new QMenuBar(this);
  QMenu* kinds = menu_bar_->addMenu(ToQt(Sjis("属性(&A)")));
  kind_popup_ = new QMenu(this);
  for (int index : kMenuOrder) {
    const KindEntry& entry = kKinds[index];
    QAction* item = kinds->addAction(ToQt(Sjis(entry.item)));
    item->setShortcut(QKeySequence(QString::fromLatin1(entry.key)));
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, index] { ChooseKind(index); });
    kind_items_[static_cast<std::size_t>(index)] = item;
    kind_popup_->addAction(item);
  }
  QMenu* find = menu_bar_->addMenu(ToQt(Sjis("検索(&F)")));
  find_context_ = find->addAction(ToQt(Sjis("空いているコンテキストを探す(&C)")));
  find_context_->setShortcut(QKeySequence(QStringLiteral("Ctrl+F")));
  connect(find_context_, &QAction::triggered, this, [this] {
    if (model_.FindFreeContext()) Edit(PageRow::kContext)->setText(ToQt(model_.input().context));
  });
  find_id_ = find->addAction(ToQt(Sjis("空いているコンテキストＩＤを探す(&D)")));
  find_id_->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
  connect(find_id_, &QAction::triggered, this, [this] {
    if (model_.FindFreeContextId())
      Edit(PageRow::kContextId)->setText(ToQt(model_.input().id_text));
  });
  QMenu* options = menu_bar_->addMenu(ToQt(Sjis("オプション(&O)")));
  tip_hints_ = options->addAction(ToQt(Sjis("チップヒント(&C)")));
  tip_hints_->setCheckable(true);
  tip_hints_->setChecked(model_.tip_hints());
  connect(tip_hints_, &QAction::toggled, this, [this](bool on) {
    model_.SetTipHints(on);
    ApplyViewOptions();
  });
  proportional_ = options->addAction(ToQt(Sjis("プロポーショナル(&P)")));
  proportional_->setCheckable(true);
  proportional_->setChecked(model_.proportional_font());
  connect(proportional_, &QAction::toggled, this, [this](bool on) {
    model_.SetProportionalFont(on);
    ApplyViewOptions();
  });
}

void PagePropertiesDialog::BuildBoxes() {
  for (PageRow row : kAllRows) {
    QWidget* box = nullptr;
    switch (row) {
      case PageRow::kTitleIsKeyword:
        box = new QCheckBox(ToQt(PagePropertiesModel::RowCaption(row)), this);
        break;
      case PageRow::kWindow:
      case PageRow::kInclude: {
        auto* list = new QComboBox(this);
        list->setEditable(true);
        list->setInsertPolicy(QComboBox::NoInsert);
        list->lineEdit()->setValidator(new ByteLimitValidator(kFieldLimit, list));
        box = list;
        break;
      }
      case PageRow::kLevel: {
        level_ = new QSlider(Qt::Horizontal, this);
        level_->setRange(1, kMaxBookLevel);
        level_->setPageStep(1);
        level_->setTickPosition(QSlider::TicksBelow);
        box = level_;
        break;
      }
      case PageRow::kContextId: {
        QLineEdit* edit = NewFieldEdit(this);
        edit->setMaxLength(9);
        edit->installEventFilter(this);
        box = edit;
        break;
      }
      default:
        box = NewFieldEdit(this);
        break;
    }
    boxes_[row] = box;
    QLabel* caption = nullptr;
    if (row != PageRow::kTitleIsKeyword) {
      caption = new QLabel(ToQt(PagePropertiesModel::RowCaption(row)), this);
      caption->setBuddy(box);
    }
    captions_[row] = caption;
  }

  auto edited = [this](PageRow row, void (PagePropertiesModel::*set)(const std::string&)) {
    connect(Edit(row), &QLineEdit::textEdited, this,
            [this, set](const QString& text) { (model_.*set)(FromQt(text)); });
  };
  edited(PageRow::kContext, &PagePropertiesModel::SetContext);
  edited(PageRow::kAKeyword, &PagePropertiesModel::SetAKeyword);
  edited(PageRow::kBKeyword, &PagePropertiesModel::SetBKeyword);
  edited(PageRow::kMacro, &PagePropertiesModel::SetMacro);
  auto* title_is_keyword = static_cast<QCheckBox*>(boxes_[PageRow::kTitleIsKeyword]);
  auto show_keyword = [this, title_is_keyword] {
    filling_ = true;
    if (Edit(PageRow::kKeyword)->text() != ToQt(model_.input().keyword)) {
      Edit(PageRow::kKeyword)->setText(ToQt(model_.input().keyword));
    }
    title_is_keyword->setChecked(model_.title_is_keyword());
    filling_ = false;
  };
  connect(Edit(PageRow::kTitle), &QLineEdit::textEdited, this,
          [this, show_keyword](const QString& t) {
            model_.SetTitle(FromQt(t));
            show_keyword();
          });
  connect(Edit(PageRow::kKeyword), &QLineEdit::textEdited, this,
          [this, show_keyword](const QString& t) {
            model_.SetKeyword(FromQt(t));
            show_keyword();
          });
  connect(title_is_keyword, &QCheckBox::toggled, this, [this, show_keyword](bool on) {
    if (filling_) return;
    model_.SetTitleIsKeyword(on);
    show_keyword();
  });
  // The ID box only ever holds digits: a change the model refuses (a paste)
  // is undone at once.
  connect(Edit(PageRow::kContextId), &QLineEdit::textEdited, this, [this](const QString& t) {
    if (!model_.SetIdText(FromQt(t)))
      Edit(PageRow::kContextId)->setText(ToQt(model_.input().id_text));
  });
  connect(static_cast<QComboBox*>(boxes_[PageRow::kWindow]), &QComboBox::editTextChanged, this,
          [this](const QString& t) {
            if (!filling_) model_.SetWindow(FromQt(t));
          });
  connect(static_cast<QComboBox*>(boxes_[PageRow::kInclude]), &QComboBox::editTextChanged, this,
          [this](const QString& t) {
            if (!filling_) model_.SetIncludeFile(FromQt(t));
          });
  connect(level_, &QSlider::valueChanged, this, [this](int level) {
    if (filling_) return;
    model_.SetLevel(level);
    ShowKind();
  });
}

void PagePropertiesDialog::LoadBoxes() {
  filling_ = true;
  const PagePropertiesInput& in = model_.input();
  Edit(PageRow::kContext)->setText(ToQt(in.context));
  Edit(PageRow::kContextId)->setText(ToQt(in.id_text));
  Edit(PageRow::kTitle)->setText(ToQt(in.title));
  Edit(PageRow::kKeyword)->setText(ToQt(in.keyword));
  Edit(PageRow::kAKeyword)->setText(ToQt(in.akeyword));
  Edit(PageRow::kBKeyword)->setText(ToQt(in.bkeyword));
  Edit(PageRow::kMacro)->setText(ToQt(in.macro));
  auto fill = [](QComboBox* list, const std::vector<std::string>& names, const std::string& text) {
    for (const std::string& name : names) list->addItem(ToQt(name));
    list->setEditText(ToQt(text));
  };
  fill(static_cast<QComboBox*>(boxes_[PageRow::kWindow]), model_.WindowList(), in.window);
  fill(static_cast<QComboBox*>(boxes_[PageRow::kInclude]), model_.IncludeList(), in.include_file);
  static_cast<QCheckBox*>(boxes_[PageRow::kTitleIsKeyword])->setChecked(model_.title_is_keyword());
  level_->setValue(model_.level());
  filling_ = false;
}

void PagePropertiesDialog::ChooseKind(int index) {
  model_.ChooseKind(KindOfIndex(index, level_->value()));
  ShowKind();
}

void PagePropertiesDialog::ShowKind() {
  const int index = IndexOfKind(model_.ChosenAttribute());
  for (int i = 0; i < kPageKindCount; ++i) {
    kind_buttons_[static_cast<std::size_t>(i)]->setChecked(i == index);
    kind_items_[static_cast<std::size_t>(i)]->setChecked(i == index);
  }
  kind_label_->setText(ToQt(model_.KindLabel()));
  ok_->setEnabled(model_.OkEnabled());
  const std::vector<PageRow> visible = model_.VisibleRows();
  for (PageRow row : kAllRows) {
    const bool shown = std::find(visible.begin(), visible.end(), row) != visible.end();
    boxes_[row]->setVisible(shown);
    if (captions_[row]) captions_[row]->setVisible(shown);
  }
  // The height follows the rows shown; the width is the user's.
  if (layout()) {
    layout()->activate();
    resize(width(), sizeHint().height());
  }
}

void PagePropertiesDialog::ApplyViewOptions() {
  for (PageRow row : kAllRows) SetHint(boxes_[row], model_.RowHint(row));
  SetHint(kind_label_, model_.KindLabelHint());
  QFont font = this->font();
  const std::string name = model_.BoxFontName();
  if (!name.empty()) {
    font = QFont(ToQt(name));
    font.setStyleHint(QFont::Monospace);
  }
  for (PageRow row : kAllRows) {
    if (row != PageRow::kTitleIsKeyword && row != PageRow::kLevel) boxes_[row]->setFont(font);
  }
}

void PagePropertiesDialog::FocusRow(PageRow row) {
  QWidget* box = boxes_.at(model_.FocusRow(row));
  box->setFocus(Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(box)) edit->selectAll();
  if (auto* list = qobject_cast<QComboBox*>(box)) list->lineEdit()->selectAll();
}

bool PagePropertiesDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == kind_label_ && event->type() == QEvent::MouseButtonPress) {
    kind_popup_->exec(kind_label_->mapToGlobal(kind_label_->rect().bottomLeft()));
    return true;
  }
  if (watched == boxes_[PageRow::kContextId] && event->type() == QEvent::KeyPress) {
    // Digit keys and Backspace type; other characters beep and are dropped.
    const QString text = static_cast<QKeyEvent*>(event)->text();
    const char16_t code = text.isEmpty() ? 0 : text.at(0).unicode();
    if (code >= 0x20 &&
        (code >= 0x80 || !PagePropertiesModel::IdKeyAllowed(static_cast<char>(code)))) {
      QApplication::beep();
      return true;
    }
  }
  return HintedDialog::eventFilter(watched, event);
}

void PagePropertiesDialog::accept() {
  outcome_ = model_.Accept(prompter_, confirm_);
  if (outcome_) {
    HintedDialog::accept();
    return;
  }
  // Nothing typed is lost: the dialog stays, the focus on the refused box.
  if (std::optional<PageRow> row = model_.refused_row()) FocusRow(*row);
}

void PagePropertiesDialog::done(int result) {
  model_.SetWidth(width());
  model_.SaveViewOptions();
  HintedDialog::done(result);
}

}  // namespace qy::app
