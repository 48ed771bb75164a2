#include "app/dialogs/options_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/dialogs/dialog_support.h"
#include "app/display_settings.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy::app {

namespace {

std::string Id(const SettingKey& key) { return std::string(key.section) + "/" + key.key; }

QLabel* Caption(const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(ToQt(Sjis(text)), parent);
  label->setBuddy(buddy);
  return label;
}

// The captions of the "その他" boxes, in OptionsForm::OtherBoxes() order.
constexpr const char* kOtherCaptions[] = {
    "ツールバーのボタンをフラットにする(&F)",
    "ページ削除時に確認を入れる(&D)",
    "トピック編集領域の左に余白を入れる(&L)",
    "トピック編集領域の上に余白を入れる(&T)",
    "ヘルプファイル作成時にプロジェクトを保存(&P)",
    "ページビューでツリーをすべて展開する(&V)",
    "新規ページ作成時にページのプロパティを開く(&N)",
    "コンテキストリストを削除しない(&E)",
    "ページビューでチップヒントを表示(&I)",
    "起動時に\"COMCTL32.DLL\"のバージョンをチェックしない(&M)",
    "ページのプレビューで「1ページコンパイル」を使用する(&G)",
    "下位階層にトピックが存在しないブックを作成しない(&B)",
    "ページ属性変更時に確認を入れる(&C)"};

}  // namespace

OptionsDialog::OptionsDialog(Settings& settings, Prompter& prompter, OptionsHooks hooks,
                             OptionsTab start, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      prompter_(prompter),
      hooks_(std::move(hooks)),
      form_(settings) {
  setWindowTitle(ToQt(Sjis("オプション設定")));
  setObjectName("TfrmOption");
  keys_.Load(hooks_.key_file_path.empty() ? std::nullopt : LoadKeyFile(hooks_.key_file_path));
  if (!hooks_.toolbar_file_path.empty()) {
    toolbar_layout_ = ToolbarLayout::Read(hooks_.toolbar_file_path);
  }

  auto* layout = new QVBoxLayout(this);
  tabs_ = new QTabWidget(this);
  tabs_->addTab(BuildGeneralTab(), ToQt(Sjis("全般")));
  tabs_->addTab(BuildWindowTab(), ToQt(Sjis("ウインドウ")));
  tabs_->addTab(BuildFontsTab(), ToQt(Sjis("フォントと色")));
  tabs_->addTab(BuildFoldersTab(), ToQt(Sjis("フォルダ")));
  tabs_->addTab(BuildExternalHelpTab(), ToQt(Sjis("外部ヘルプ")));
  key_page_ = new KeySettingPage(keys_, prompter_, tabs_);
  tabs_->addTab(key_page_, ToQt(Sjis("キー設定")));
  toolbar_page_ = new ToolbarPage(toolbar_layout_, tabs_);
  tabs_->addTab(toolbar_page_, ToQt(Sjis("ツールバー")));
  tabs_->addTab(BuildDebugTab(), ToQt(Sjis("デバッグ")));
  tabs_->addTab(BuildOtherTab(), ToQt(Sjis("その他")));
  tabs_->setCurrentIndex(static_cast<int>(start));
  layout->addWidget(tabs_, 1);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  buttons->addButton(ToQt(Sjis("キャンセル")), QDialogButtonBox::RejectRole);
  apply_ = buttons->addButton(ToQt(Sjis("適用(&A)")), QDialogButtonBox::ApplyRole);
  QPushButton* help = buttons->addButton(ToQt(Sjis("ヘルプ(&H)")), QDialogButtonBox::HelpRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &OptionsDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(apply_, &QPushButton::clicked, this, [this] { Apply(); });
  connect(help, &QPushButton::clicked, this, [this] {
    if (hooks_.show_help) hooks_.show_help(kOptionsHelpContext);
  });
  layout->addWidget(buttons);
  ReloadControls();
  resize(800, 520);  // all nine tabs in view, within 1024 x 768
  CentreOver(*this, parent);
}

// --- Bindings: each control writes into the form as it changes ---------------

QCheckBox* OptionsDialog::BindCheck(const char* caption, const SettingKey& key, QWidget* parent) {
  auto* box = new QCheckBox(ToQt(Sjis(caption)), parent);
  checks_[Id(key)] = box;
  connect(box, &QCheckBox::toggled, this, [this, key](bool on) {
    if (showing_) return;
    form_.SetBool(key, on);
    ShowDebugStates();
  });
  reloaders_.push_back([this, box, key] { box->setChecked(form_.Bool(key)); });
  return box;
}

QLineEdit* OptionsDialog::BindEdit(const SettingKey& key, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edits_[Id(key)] = edit;
  connect(edit, &QLineEdit::textChanged, this, [this, key](const QString& text) {
    if (!showing_) form_.SetText(key, FromQt(text));
  });
  reloaders_.push_back([this, edit, key] { edit->setText(ToQt(form_.Text(key))); });
  return edit;
}

QSpinBox* OptionsDialog::BindSpin(const SettingKey& key, QWidget* parent) {
  auto* spin = new QSpinBox(parent);
  spin->setRange(-32768, 32767);
  connect(spin, &QSpinBox::valueChanged, this, [this, key](int value) {
    if (!showing_) form_.SetInt(key, value);
  });
  reloaders_.push_back([this, spin, key] { spin->setValue(form_.Int(key)); });
  return spin;
}

QButtonGroup* OptionsDialog::BindChoice(const SettingKey& key,
                                        const std::vector<QAbstractButton*>& buttons) {
  auto* group = new QButtonGroup(this);
  for (std::size_t i = 0; i < buttons.size(); ++i)
    group->addButton(buttons[i], static_cast<int>(i));
  connect(group, &QButtonGroup::idToggled, this, [this, key](int id, bool on) {
    if (!showing_ && on) form_.SetInt(key, id);
  });
  reloaders_.push_back([this, group, key] {
    if (QAbstractButton* button = group->button(form_.Int(key))) button->setChecked(true);
  });
  return group;
}

void OptionsDialog::ReloadControls() {
  showing_ = true;
  for (const auto& reload : reloaders_) reload();
  showing_ = false;
  ShowDebugStates();
  ShowHelpList();
  ShowScene();
}

QCheckBox* OptionsDialog::Check(const SettingKey& key) const { return checks_.at(Id(key)); }
QLineEdit* OptionsDialog::Edit(const SettingKey& key) const { return edits_.at(Id(key)); }

// --- Tabs -----------------------------------------------------------------------

QWidget* OptionsDialog::BuildGeneralTab() {
  auto* tab = new QWidget(tabs_);
  auto* outer = new QVBoxLayout(tab);
  auto* group = new QGroupBox(ToQt(Sjis("実行ファイルの設定")), tab);
  auto* grid = new QGridLayout(group);
  struct Row {
    const char* caption;
    SettingKey key;
    const char* chooser_title;  // null: no "..." button
  };
  const Row rows[] = {
      {"使用するヘルプコンパイラ(&C) :", keys::kEtceteraHelpCompiler, "ヘルプコンパイラの指定"},
      {"使用するヘルプワークショップ(&W) :", keys::kEtceteraHelpWorkshop,
       "ヘルプワークショップの指定"},
      {"使用するテキストエディタ(&T) :", keys::kEtceteraTextEditor, "テキストエディタの指定"},
      {"コマンドライン&1 :", keys::kEtceteraComLine1, nullptr},
      {"コマンドライン&2 :", keys::kEtceteraComLine2, nullptr},
      {"使用するホットスポットエディタ(&S) :", keys::kToolHotspotEdit,
       "ホットスポットエディタの指定"},
  };
  int line = 0;
  for (const Row& row : rows) {
    QLineEdit* edit = BindEdit(row.key, group);
    grid->addWidget(Caption(row.caption, edit, group), line, 0);
    grid->addWidget(edit, line, 1);
    if (row.chooser_title) {
      auto* browse = new QPushButton(QStringLiteral("..."), group);
      browse->setMaximumWidth(32);
      grid->addWidget(browse, line, 2);
      const std::string title = Sjis(row.chooser_title);
      connect(browse, &QPushButton::clicked, this, [this, edit, title] {
        if (!hooks_.chooser) return;
        FileDialogOptions options;
        options.title = title;
        options.filter = Sjis("プログラム (*.exe)|*.exe|すべてのファイル (*.*)|*.*");
        options.initial_path = PathFromSjis(FromQt(edit->text()));
        options.must_exist = true;
        if (auto file = hooks_.chooser->ChooseOpenFile(options))
          edit->setText(ToQt(PathToSjis(*file)));
      });
    }
    ++line;
  }
  grid->setColumnStretch(1, 1);
  outer->addWidget(group);
  outer->addStretch(1);
  return tab;
}

QWidget* OptionsDialog::BuildWindowTab() {
  auto* tab = new QWidget(tabs_);
  auto* outer = new QVBoxLayout(tab);
  auto add_group = [&](const char* title, const SettingKey& option, const SettingKey& first,
                       const char* first_caption, const SettingKey& second,
                       const char* second_caption, const char* current_caption, bool size) {
    auto* group = new QGroupBox(ToQt(Sjis(title)), tab);
    auto* grid = new QGridLayout(group);
    std::vector<QAbstractButton*> choices;
    for (const char* caption :
         {"Quillory に任せる(&D)", "前回の終了時の位置(&L)", "ユーザー設定(&U)"}) {
      choices.push_back(new QRadioButton(ToQt(Sjis(caption)), group));
      grid->addWidget(choices.back(), static_cast<int>(choices.size()) - 1, 0);
    }
    BindChoice(option, choices);
    QSpinBox* a = BindSpin(first, group);
    QSpinBox* b = BindSpin(second, group);
    grid->addWidget(Caption(first_caption, a, group), 0, 1);
    grid->addWidget(a, 0, 2);
    grid->addWidget(Caption(second_caption, b, group), 1, 1);
    grid->addWidget(b, 1, 2);
    auto* current = new QPushButton(ToQt(Sjis(current_caption)), group);
    grid->addWidget(current, 2, 2);
    connect(current, &QPushButton::clicked, this, [this, a, b, size] {
      if (!hooks_.main_geometry) return;
      const QRect frame = hooks_.main_geometry();
      a->setValue(size ? frame.height() : frame.top());
      b->setValue(size ? frame.width() : frame.left());
    });
    outer->addWidget(group);
  };
  add_group("起動時のウインドウ位置", keys::kWindowPosOption, keys::kWindowUserTop,
            "&Top :", keys::kWindowUserLeft, "&Left :", "現在の位置(&N)", false);
  add_group("起動時のウインドウサイズ", keys::kWindowSizOption, keys::kWindowUserHeight,
            "&Height :", keys::kWindowUserWidth, "&Width :", "現在のサイズ(&N)", true);
  auto* split = new QGroupBox(ToQt(Sjis("ウインドウの分割方法")), tab);
  auto* split_layout = new QHBoxLayout(split);
  auto* side = new QRadioButton(ToQt(Sjis("ウインドウを左右分割(F)")), split);
  auto* stacked = new QRadioButton(ToQt(Sjis("ウインドウを上下分割(&T)")), split);
  split_layout->addWidget(side);
  split_layout->addWidget(stacked);
  auto* group = new QButtonGroup(this);
  group->addButton(side, 0);
  group->addButton(stacked, 1);
  connect(group, &QButtonGroup::idToggled, this, [this](int id, bool on) {
    if (!showing_ && on) form_.SetBool(keys::kWindowBorderSet, id == 1);
  });
  reloaders_.push_back([this, side, stacked] {
    (form_.Bool(keys::kWindowBorderSet) ? stacked : side)->setChecked(true);
  });
  outer->addWidget(split);
  outer->addStretch(1);
  return tab;
}

QWidget* OptionsDialog::BuildFoldersTab() {
  auto* tab = new QWidget(tabs_);
  auto* grid = new QGridLayout(tab);
  int line = 0;
  for (auto [caption, key] :
       {std::pair{"デフォルトの画像ファイル収納フォルダ(&B) :", keys::kEtceteraBitmapPath},
        std::pair{"マクロ収納フォルダ(&M) :", keys::kMacroFold}}) {
    QLineEdit* edit = BindEdit(key, tab);
    grid->addWidget(Caption(caption, edit, tab), line, 0, 1, 2);
    grid->addWidget(edit, line + 1, 0);
    auto* browse = new QPushButton(QStringLiteral("..."), tab);
    browse->setMaximumWidth(32);
    grid->addWidget(browse, line + 1, 1);
    const std::string title = Sjis(caption);
    connect(browse, &QPushButton::clicked, this, [this, edit, title] {
      if (!hooks_.chooser) return;
      if (auto folder = hooks_.chooser->ChooseFolder(title, PathFromSjis(FromQt(edit->text())))) {
        edit->setText(ToQt(PathToSjis(*folder)));
      }
    });
    line += 2;
  }
  grid->setRowStretch(line, 1);
  return tab;
}

QWidget* OptionsDialog::BuildDebugTab() {
  auto* tab = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(tab);
  auto indent = [](QWidget* widget) {
    widget->setContentsMargins(24, 0, 0, 0);
    return widget;
  };
  layout->addWidget(BindCheck("ヘルプファイルを作成後に開く(&O)", keys::kDebugHelpShow, tab));
  layout->addWidget(
      indent(BindCheck("Note があってもヘルプファイルを開く(&N)", keys::kDebugShowNote, tab)));
  layout->addWidget(
      indent(BindCheck("Warning があってもヘルプファイルを開く(&W)", keys::kDebugShowWarn, tab)));
  layout->addWidget(indent(
      new QLabel(ToQt(Sjis("注意！> Error があった場合はヘルプファイルを開けません。")), tab)));
  layout->addSpacing(12);
  layout->addWidget(BindCheck("デバッグビューのオート処理(&C)", keys::kDebugDebugAuto, tab));
  layout->addWidget(
      indent(BindCheck("Note があった場合はデバッグビューを開く(&O)", keys::kDebugAutoNote, tab)));
  layout->addWidget(indent(
      BindCheck("Warning があった場合はデバッグビューを開く(&O)", keys::kDebugAutoWarn, tab)));
  auto* auto_note =
      new QLabel(ToQt(Sjis("注意！> Error があった場合は常にデバッグビューが開きます。")), tab);
  auto_note->setObjectName("AutoNote");
  layout->addWidget(indent(auto_note));
  layout->addSpacing(12);
  layout->addWidget(
      BindCheck("デバッグビューの表示・非表示を保存する(&V)", keys::kDebugDebugSave, tab));
  layout->addStretch(1);
  return tab;
}

void OptionsDialog::ShowDebugStates() {
  if (checks_.empty()) return;
  const bool show = form_.ShowSubBoxesEnabled();
  Check(keys::kDebugShowNote)->setEnabled(show);
  Check(keys::kDebugShowWarn)->setEnabled(show);
  const bool automatic = form_.AutoSubBoxesEnabled();
  Check(keys::kDebugAutoNote)->setEnabled(automatic);
  Check(keys::kDebugAutoWarn)->setEnabled(automatic);
  if (auto* note = findChild<QLabel*>("AutoNote")) note->setEnabled(automatic);
}

QWidget* OptionsDialog::BuildOtherTab() {
  auto* tab = new QWidget(tabs_);
  auto* layout = new QVBoxLayout(tab);
  const std::vector<SettingKey>& boxes = OptionsForm::OtherBoxes();
  for (std::size_t i = 0; i < boxes.size(); ++i)
    layout->addWidget(BindCheck(kOtherCaptions[i], boxes[i], tab));
  layout->addStretch(1);
  auto* buttons = new QHBoxLayout;
  other_defaults_ = new QPushButton(ToQt(Sjis("デフォルトの設定(&S)")), tab);
  auto* clear_recent = new QPushButton(ToQt(Sjis("ファイル略歴をクリア(&R)")), tab);
  buttons->addWidget(other_defaults_);
  buttons->addWidget(clear_recent);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  connect(other_defaults_, &QPushButton::clicked, this, [this] {
    form_.SetOtherDefaults();
    ReloadControls();
  });
  connect(clear_recent, &QPushButton::clicked, this, [this] {
    if (hooks_.clear_recent_files) hooks_.clear_recent_files();
  });
  return tab;
}

// --- OK and Apply ---------------------------------------------------------------

bool OptionsDialog::Apply() {
  if (!form_.Write(prompter_, hooks_.change_macro_folder, hooks_.default_pictures_cleared)) {
    return false;
  }
  if (!hooks_.key_file_path.empty()) {
    if (FileResult saved = keys_.Save(hooks_.key_file_path); !saved) {
      prompter_.Error("\r\n" + Sjis("キー設定ファイルに書き込めませんでした。") + "\r\n\r\n" +
                      Sjis("理由 : ") + saved.error);
    }
  }
  if (!hooks_.toolbar_file_path.empty()) {
    if (FileResult saved = toolbar_layout_.Write(hooks_.toolbar_file_path); !saved) {
      prompter_.Error("\r\n" + Sjis("ツールバー設定ファイルに書き込めませんでした。") + "\r\n\r\n" +
                      Sjis("理由 : ") + saved.error);
    }
  }
  if (hooks_.applied) hooks_.applied();
  return true;
}

void OptionsDialog::accept() {
  if (Apply()) {
    QDialog::accept();
    return;
  }
  // A folder change was refused: the folders stay as typed for another look.
  tabs_->setCurrentIndex(static_cast<int>(OptionsTab::kFolders));
  Edit(keys::kEtceteraBitmapPath)->setFocus();
}

}  // namespace qy::app
