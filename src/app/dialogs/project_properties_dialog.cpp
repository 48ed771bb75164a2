#include "app/dialogs/project_properties_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy::app {

namespace {

QString MemoText(const std::string& sjis) {
  return ToQt(sjis).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string FromMemo(const QPlainTextEdit* memo) {
  return FromQt(memo->toPlainText().replace('\n', QStringLiteral("\r\n")));
}

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(ToQt(Sjis(text)), parent);
  label->setBuddy(buddy);
  return label;
}

// The word entry takes at most this many characters.
constexpr int kWordEntryLength = 256;

}  // namespace

ProjectPropertiesDialog::ProjectPropertiesDialog(ProjectModel& project, Settings& settings,
                                                 Prompter& prompter, ProjectPropertiesHooks hooks,
                                                 QWidget* parent)
    : QDialog(parent),
      project_(project),
      settings_(settings),
      prompter_(prompter),
      hooks_(std::move(hooks)),
      form_(LoadProjectProperties(project, settings, prompter)) {
  setWindowTitle(ToQt(Sjis("プロジェクトのプロパティ")));
  setObjectName("TfrmProp");
  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(BuildInformationTab(), ToQt(Sjis("情報")));
  tabs_->addTab(BuildGeneralTab(), ToQt(Sjis("全般")));
  windows_ = new WindowStylesPage(form_.windows, prompter_, hooks_.choose_color, tabs_);
  tabs_->addTab(windows_, ToQt(Sjis("ウインドウ")));
  tabs_->addTab(BuildConfigTab(), ToQt(Sjis("コンフィグ")));
  tabs_->addTab(BuildSpecialTab(), ToQt(Sjis("特殊設定")));
  tabs_->addTab(BuildWordsTab(), ToQt(Sjis("よく使う言葉")));
  layout->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  QPushButton* help = buttons->addButton(ToQt(Sjis("ヘルプ(&H)")), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &ProjectPropertiesDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] {
    if (hooks_.show_help) hooks_.show_help(kProjectPropertiesHelpContext);
  });
  layout->addWidget(buttons);
  resize(640, 480);
  CentreOver(*this, parent);
}

QWidget* ProjectPropertiesDialog::BuildInformationTab() {
  auto* tab = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(new QLabel(ToQt(ProjectFileNameLabel(project_)), tab));
  layout->addSpacing(8);
  for (const std::string& line : PageStatisticsLabels(project_)) {
    // The labels align their numbers with tabs.
    auto* label = new QLabel(tab);
    label->setTextFormat(Qt::PlainText);
    label->setText(ToQt(line).replace('\t', QStringLiteral("    ")));
    layout->addWidget(label);
  }
  layout->addStretch(1);
  return tab;
}

QWidget* ProjectPropertiesDialog::BuildGeneralTab() {
  auto* tab = new QWidget(tabs_);
  auto* grid = new QGridLayout(tab);
  help_title_ = NewFieldEdit(tab);
  copyright_ = NewFieldEdit(tab);
  font_name_ = new QComboBox(tab);
  for (const std::string& name : DefaultFontNames()) font_name_->addItem(ToQt(name));
  font_size_ = new QComboBox(tab);
  for (const std::string& size : DefaultFontSizeTexts()) font_size_->addItem(ToQt(size));
  compress_ = new QCheckBox(ToQt(Sjis("ヘルプファイルを圧縮する(&A)")), tab);
  auto* note = new QLabel(
      ToQt(Sjis(
          "ここをチェックすると、ヘルプファイルを圧縮しながらのコンパイルになるので、"
          "コンパイル時間が長くなります。テストコンパイルの時はチェックしないほうがいいです。")),
      tab);
  note->setWordWrap(true);
  grid->addWidget(Caption("タイトル(&T) :", help_title_, tab), 0, 0);
  grid->addWidget(help_title_, 0, 1, 1, 3);
  grid->addWidget(Caption("著作権(&C) :", copyright_, tab), 1, 0);
  grid->addWidget(copyright_, 1, 1, 1, 3);
  grid->addWidget(Caption("フォントリスト(&L) :", font_name_, tab), 2, 0);
  grid->addWidget(font_name_, 2, 1);
  grid->addWidget(Caption("サイズ(&S) :", font_size_, tab), 2, 2);
  grid->addWidget(font_size_, 2, 3);
  grid->addWidget(compress_, 3, 0, 1, 4);
  grid->addWidget(note, 4, 0, 1, 4);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);

  help_title_->setText(ToQt(form_.help_title));
  copyright_->setText(ToQt(form_.help_copyright));
  font_name_->setCurrentIndex(form_.font_name_index);
  font_size_->setCurrentIndex(form_.font_size_index);
  compress_->setChecked(form_.compress);
  return tab;
}

QWidget* ProjectPropertiesDialog::BuildConfigTab() {
  auto* tab = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(tab);
  config_direct_ = new QCheckBox(ToQt(Sjis("[CONFIG]の直接編集を許可する(&O)")), tab);
  browse_ = new QCheckBox(ToQt(Sjis("閲覧ボタンをウインドウに表示する(&R)")), tab);
  exit_ = new QCheckBox(ToQt(Sjis("終了ボタンをウインドウに表示する(&E)")), tab);
  config_memo_ = new QPlainTextEdit(tab);
  config_memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  for (QWidget* widget : std::initializer_list<QWidget*>{config_direct_, browse_, exit_}) {
    layout->addWidget(widget);
  }
  layout->addWidget(config_memo_, 1);
  layout->addStretch(0);
  connect(browse_, &QCheckBox::toggled, this, [this](bool on) { form_.config.SetBrowse(on); });
  connect(exit_, &QCheckBox::toggled, this, [this](bool on) { form_.config.SetExitButton(on); });
  connect(config_direct_, &QCheckBox::clicked, this, [this](bool on) {
    if (form_.config.direct_edit()) form_.config.SetMemo(FromMemo(config_memo_));
    form_.config.SetDirectEdit(on, prompter_);
    ShowConfig();
  });
  ShowConfig();
  return tab;
}

void ProjectPropertiesDialog::ShowConfig() {
  const ConfigEditor& config = form_.config;
  config_direct_->setChecked(config.direct_edit());
  browse_->setVisible(!config.direct_edit());
  exit_->setVisible(!config.direct_edit());
  config_memo_->setVisible(config.direct_edit());
  browse_->setChecked(config.browse());
  exit_->setChecked(config.exit_button());
  if (config.direct_edit()) config_memo_->setPlainText(MemoText(config.memo()));
}

QWidget* ProjectPropertiesDialog::BuildSpecialTab() {
  auto* tab = new QWidget(tabs_);
  auto* grid = new QGridLayout(tab);
  main_style_ = NewFieldEdit(tab);
  include_box_ =
      new QCheckBox(ToQt(Sjis("ＣＮＴファイルに 「:Include XXXXXXXX」 を挿入(&C)")), tab);
  include_file_ = NewFieldEdit(tab);
  include_label_ = Caption("インクルードするファイル名(&I) :", include_file_, tab);
  default_folder_ =
      new QCheckBox(ToQt(Sjis("デフォルトの画像ファイル収納フォルダを使用(&D)")), tab);
  bitmap_folder_ = new QLineEdit(tab);
  folder_label_ = Caption("収納フォルダ(&F) :", bitmap_folder_, tab);
  browse_folder_ = new QPushButton(QStringLiteral("..."), tab);
  grid->addWidget(Caption("メインで使うウインドウスタイル(&M) :", main_style_, tab), 0, 0);
  grid->addWidget(main_style_, 0, 1, 1, 2);
  grid->addWidget(include_box_, 1, 0, 1, 3);
  grid->addWidget(include_label_, 2, 0);
  grid->addWidget(include_file_, 2, 1, 1, 2);
  grid->addWidget(default_folder_, 3, 0, 1, 3);
  grid->addWidget(folder_label_, 4, 0);
  grid->addWidget(bitmap_folder_, 4, 1);
  grid->addWidget(browse_folder_, 4, 2);
  grid->setRowStretch(5, 1);
  grid->setColumnStretch(1, 1);

  main_style_->setText(ToQt(form_.main_style));
  include_file_->setText(ToQt(form_.include_file));
  bitmap_folder_->setText(ToQt(form_.bitmap_folder));
  connect(include_box_, &QCheckBox::toggled, this, [this](bool on) {
    form_.contents_include = on;
    ShowSpecial();
  });
  connect(default_folder_, &QCheckBox::toggled, this, [this](bool on) {
    form_.use_default_bitmap_folder = on;
    ShowSpecial();
  });
  connect(browse_folder_, &QPushButton::clicked, this, [this] {
    if (!hooks_.chooser) return;
    const std::optional<std::string> folder = hooks_.chooser->ChooseFolder(
        Sjis("\"収納フォルダ\" に設定するフォルダを選択してください。"),
        PathFromSjis(FromQt(bitmap_folder_->text())));
    if (folder) bitmap_folder_->setText(ToQt(PathToSjis(*folder)));
  });
  ShowSpecial();
  return tab;
}

void ProjectPropertiesDialog::ShowSpecial() {
  include_box_->setChecked(form_.contents_include);
  include_label_->setEnabled(form_.contents_include);
  include_file_->setEnabled(form_.contents_include);
  default_folder_->setChecked(form_.use_default_bitmap_folder);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{folder_label_, bitmap_folder_, browse_folder_}) {
    widget->setEnabled(!form_.use_default_bitmap_folder);
  }
}

QWidget* ProjectPropertiesDialog::BuildWordsTab() {
  auto* tab = new QWidget(tabs_);
  auto* layout = new QGridLayout(tab);
  word_entry_ = new QLineEdit(tab);
  word_entry_->setMaxLength(kWordEntryLength);
  words_ = new QListWidget(tab);
  layout->addWidget(Caption("言葉(&W) :", word_entry_, tab), 0, 0);
  layout->addWidget(word_entry_, 0, 1);
  layout->addWidget(words_, 1, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  for (const char* caption : {"追加(&A)", "変更(&C)", "削除(&D)", "上(&>)", "下(&<)"}) {
    word_buttons_.push_back(new QPushButton(ToQt(Sjis(caption)), tab));
    buttons->addWidget(word_buttons_.back());
  }
  buttons->addStretch(1);
  layout->addLayout(buttons, 0, 2, 2, 1);

  WordList& list = form_.words;
  connect(words_, &QListWidget::currentRowChanged, this, [this, &list](int row) {
    if (row < 0 || row == list.selected()) return;
    list.Select(row);
    word_entry_->setText(ToQt(list.words()[static_cast<std::size_t>(row)]));
  });
  connect(word_buttons_[0], &QPushButton::clicked, this, [this, &list] {
    if (list.Add(FromQt(word_entry_->text()), prompter_)) ShowWords();
  });
  connect(word_buttons_[1], &QPushButton::clicked, this, [this, &list] {
    if (list.Change(FromQt(word_entry_->text()))) ShowWords();
  });
  connect(word_buttons_[2], &QPushButton::clicked, this, [this, &list] {
    if (list.DeleteSelected()) ShowWords();
  });
  connect(word_buttons_[3], &QPushButton::clicked, this, [this, &list] {
    if (list.MoveUp(prompter_)) ShowWords();
  });
  connect(word_buttons_[4], &QPushButton::clicked, this, [this, &list] {
    if (list.MoveDown(prompter_)) ShowWords();
  });
  ShowWords();
  return tab;
}

QPushButton* ProjectPropertiesDialog::word_button(int index) const {
  return word_buttons_.at(static_cast<std::size_t>(index));
}

void ProjectPropertiesDialog::ShowWords() {
  const QSignalBlocker quiet(words_);
  words_->clear();
  for (const std::string& word : form_.words.words()) words_->addItem(ToQt(word));
  words_->setCurrentRow(form_.words.selected());
}

void ProjectPropertiesDialog::StoreTexts() {
  form_.help_title = FromQt(help_title_->text());
  form_.help_copyright = FromQt(copyright_->text());
  form_.font_name_index = font_name_->currentIndex();
  form_.font_size_index = font_size_->currentIndex();
  form_.compress = compress_->isChecked();
  windows_->StoreMemo();
  if (form_.config.direct_edit()) form_.config.SetMemo(FromMemo(config_memo_));
  form_.main_style = FromQt(main_style_->text());
  form_.include_file = FromQt(include_file_->text());
  form_.bitmap_folder = FromQt(bitmap_folder_->text());
}

void ProjectPropertiesDialog::accept() {
  StoreTexts();
  if (ApplyProjectProperties(form_, project_, settings_, prompter_, hooks_.rebuild_bitmap_menu)) {
    QDialog::accept();
    return;
  }
  // Refused over the bitmap folder: everything typed stays.
  tabs_->setCurrentIndex(4);
  bitmap_folder_->setFocus();
}

}  // namespace qy::app
