// The two list tabs of the options dialog: the display scenes of
// "フォントと色" and the external help files of "外部ヘルプ".
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/dialogs/options_dialog.h"
#include "app/display_settings.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/native_path.h"

namespace qy::app {

namespace {

constexpr int kSceneRole = Qt::UserRole;
constexpr const char* kStyleNames[] = {"標準", "斜体", "太字", "太字 斜体"};

}  // namespace

QWidget* OptionsDialog::BuildFontsTab() {
  auto* tab = new QWidget(tabs_);
  auto* grid = new QGridLayout(tab);
  scenes_ = new QTreeWidget(tab);
  scenes_->setHeaderHidden(true);
  auto* caption = new QLabel(ToQt(Sjis("場面リスト(&L) :")), tab);
  caption->setBuddy(scenes_);
  QTreeWidgetItem* heading = nullptr;
  const std::vector<DisplayScene>& scenes = DisplayScenes();
  for (std::size_t i = 0; i < scenes.size(); ++i) {
    QTreeWidgetItem* item =
        scenes[i].heading || !heading ? new QTreeWidgetItem(scenes_) : new QTreeWidgetItem(heading);
    if (scenes[i].heading) heading = item;
    item->setText(0, ToQt(scenes[i].caption));
    item->setData(0, kSceneRole, static_cast<int>(i));
  }
  scenes_->expandAll();
  grid->addWidget(caption, 0, 0);
  grid->addWidget(scenes_, 1, 0);

  // The buttons and the style controls beside the list, the sample below.
  auto* side = new QVBoxLayout;
  font_button_ = new QPushButton(ToQt(Sjis("フォント(&F)...")), tab);
  color_button_ = new QPushButton(ToQt(Sjis("文字色(&R)")), tab);
  back_button_ = new QPushButton(ToQt(Sjis("背景色(&K)")), tab);
  scene_default_ = new QPushButton(ToQt(Sjis("デフォルト(&D)")), tab);
  scene_style_ = new QComboBox(tab);
  for (const char* name : kStyleNames) scene_style_->addItem(ToQt(Sjis(name)));
  scene_underline_ = new QCheckBox(ToQt(Sjis("下線(&U)")), tab);
  auto* style_caption = new QLabel(ToQt(Sjis("スタイル")), tab);
  for (QWidget* widget :
       std::initializer_list<QWidget*>{font_button_, color_button_, back_button_, scene_default_,
                                       style_caption, scene_style_, scene_underline_}) {
    side->addWidget(widget);
  }
  side->addStretch(1);
  grid->addLayout(side, 1, 1);
  sample_ = new QLabel(tab);
  sample_->setFrameShape(QFrame::StyledPanel);
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumHeight(80);
  sample_->setAutoFillBackground(true);
  grid->addWidget(sample_, 2, 0, 1, 2);
  grid->setColumnStretch(0, 1);
  grid->setRowStretch(1, 1);

  connect(scenes_, &QTreeWidget::currentItemChanged, this, &OptionsDialog::ShowScene);
  connect(font_button_, &QPushButton::clicked, this, [this] {
    const DisplayScene* scene = SelectedScene();
    if (!scene || !scene->font_name || !hooks_.choose_font) return;
    QFont font(ToQt(form_.Text(*scene->font_name)), form_.Int(*scene->font_size));
    ApplyFontStyle(font, form_.Int(*scene->font_style));
    if (std::optional<QFont> chosen = hooks_.choose_font(font)) {
      form_.SetText(*scene->font_name, FromQt(chosen->family()));
      form_.SetInt(*scene->font_size, chosen->pointSize());
      form_.SetInt(*scene->font_style, (chosen->italic() ? 1 : 0) + (chosen->bold() ? 2 : 0));
    }
    ShowScene();
  });
  auto choose = [this](bool background) {
    const DisplayScene* scene = SelectedScene();
    if (!scene || !hooks_.choose_color) return;
    const std::optional<SettingKey>& key = background ? scene->background : scene->color;
    if (!key) return;
    if (std::optional<int> chosen = hooks_.choose_color(form_.Int(*key)))
      form_.SetInt(*key, *chosen);
    ShowScene();
  };
  connect(color_button_, &QPushButton::clicked, this, [choose] { choose(false); });
  connect(back_button_, &QPushButton::clicked, this, [choose] { choose(true); });
  connect(scene_default_, &QPushButton::clicked, this, [this] {
    if (const DisplayScene* scene = SelectedScene()) form_.RestoreSceneDefaults(*scene);
    ShowScene();
  });
  connect(scene_style_, &QComboBox::currentIndexChanged, this, [this](int index) {
    const DisplayScene* scene = SelectedScene();
    if (showing_ || !scene || !scene->style) return;
    form_.SetInt(*scene->style, index);
    ShowScene();
  });
  connect(scene_underline_, &QCheckBox::toggled, this, [this](bool on) {
    const DisplayScene* scene = SelectedScene();
    if (showing_ || !scene || !scene->underline) return;
    form_.SetBool(*scene->underline, on);
    ShowScene();
  });
  return tab;
}

const DisplayScene* OptionsDialog::SelectedScene() const {
  const QTreeWidgetItem* item = scenes_ ? scenes_->currentItem() : nullptr;
  if (!item) return nullptr;
  const DisplayScene& scene =
      DisplayScenes()[static_cast<std::size_t>(item->data(0, kSceneRole).toInt())];
  return scene.heading ? nullptr : &scene;
}

void OptionsDialog::ShowScene() {
  if (!scenes_) return;
  const DisplayScene* scene = SelectedScene();
  showing_ = true;
  font_button_->setEnabled(scene && scene->font_name);
  color_button_->setEnabled(scene && scene->color);
  back_button_->setEnabled(scene && scene->background);
  scene_default_->setEnabled(scene != nullptr);
  scene_style_->setEnabled(scene && scene->style);
  scene_underline_->setEnabled(scene && scene->underline);
  if (scene && scene->style) scene_style_->setCurrentIndex(form_.Int(*scene->style) & 3);
  if (scene && scene->underline) scene_underline_->setChecked(form_.Bool(*scene->underline));
  showing_ = false;
  if (!scene) {
    sample_->clear();
    sample_->setPalette(palette());
    return;
  }
  // The sample shows the scene as the window will.
  QFont font = this->font();
  if (scene->font_name) {
    font = QFont(ToQt(form_.Text(*scene->font_name)), form_.Int(*scene->font_size));
    ApplyFontStyle(font, form_.Int(*scene->font_style));
  }
  if (scene->style) ApplyFontStyle(font, form_.Int(*scene->style));
  if (scene->underline) font.setUnderline(form_.Bool(*scene->underline));
  QPalette colors = palette();
  if (scene->color)
    colors.setColor(QPalette::WindowText, ColorFromSetting(form_.Int(*scene->color), palette()));
  if (scene->background)
    colors.setColor(QPalette::Window, ColorFromSetting(form_.Int(*scene->background), palette()));
  sample_->setFont(font);
  sample_->setPalette(colors);
  sample_->setText(
      ToQt(Sjis(scene->composition ? "へんかんちゅう / 変換中" : "AaBbYyZz\nAaあぁアァ亜阿字")));
}

QWidget* OptionsDialog::BuildExternalHelpTab() {
  auto* tab = new QWidget(tabs_);
  auto* grid = new QGridLayout(tab);
  help_list_ = new QTreeWidget(tab);
  help_list_->setRootIsDecorated(false);
  help_list_->setHeaderLabels({ToQt(Sjis("登録名")), ToQt(Sjis("パス"))});
  auto* caption = new QLabel(ToQt(Sjis("外部ヘルプファイル リスト(&L) :")), tab);
  caption->setBuddy(help_list_);
  help_title_ = new QLineEdit(tab);
  help_file_ = new QLineEdit(tab);
  auto* browse = new QPushButton(QStringLiteral("..."), tab);
  browse->setMaximumWidth(32);
  grid->addWidget(caption, 0, 0, 1, 3);
  grid->addWidget(help_list_, 1, 0, 1, 3);
  auto* title_caption = new QLabel(ToQt(Sjis("登録名(&T) :")), tab);
  title_caption->setBuddy(help_title_);
  auto* file_caption = new QLabel(ToQt(Sjis("ヘルプファイル(&F) :")), tab);
  file_caption->setBuddy(help_file_);
  grid->addWidget(title_caption, 2, 0);
  grid->addWidget(help_title_, 2, 1, 1, 2);
  grid->addWidget(file_caption, 3, 0);
  grid->addWidget(help_file_, 3, 1);
  grid->addWidget(browse, 3, 2);
  auto* buttons = new QHBoxLayout;
  for (const char* text : {"追加(&A)", "変更(&C)", "削除(&D)", "上(&U)", "下(&N)"}) {
    help_buttons_.push_back(new QPushButton(ToQt(Sjis(text)), tab));
    buttons->addWidget(help_buttons_.back());
  }
  grid->addLayout(buttons, 4, 0, 1, 3);
  grid->setColumnStretch(1, 1);

  ExternalHelpList& list = form_.help_list();
  auto boxes = [this] {
    return ExternalHelpEntry{FromQt(help_title_->text()), FromQt(help_file_->text())};
  };
  connect(help_list_, &QTreeWidget::currentItemChanged, this, [this, &list] {
    if (showing_) return;
    list.Select(help_list_->indexOfTopLevelItem(help_list_->currentItem()));
    if (list.selected() < 0) return;
    const ExternalHelpEntry& entry = list.entries()[static_cast<std::size_t>(list.selected())];
    help_title_->setText(ToQt(entry.title));
    help_file_->setText(ToQt(entry.file));
  });
  connect(help_buttons_[0], &QPushButton::clicked, this, [this, &list, boxes] {
    if (list.Add(boxes())) ShowHelpList();
  });
  connect(help_buttons_[1], &QPushButton::clicked, this, [this, &list, boxes] {
    if (list.Change(boxes())) ShowHelpList();
  });
  connect(help_buttons_[2], &QPushButton::clicked, this, [this, &list] {
    if (list.DeleteSelected()) ShowHelpList();
  });
  connect(help_buttons_[3], &QPushButton::clicked, this, [this, &list] {
    if (list.MoveUp()) ShowHelpList();
  });
  connect(help_buttons_[4], &QPushButton::clicked, this, [this, &list] {
    if (list.MoveDown()) ShowHelpList();
  });
  connect(browse, &QPushButton::clicked, this, [this] {
    if (!hooks_.chooser) return;
    FileDialogOptions options;
    options.title = Sjis("ヘルプファイルの指定");
    options.filter = Sjis("ヘルプファイル (*.hlp)|*.hlp|すべてのファイル (*.*)|*.*");
    options.must_exist = true;
    if (auto file = hooks_.chooser->ChooseOpenFile(options))
      help_file_->setText(ToQt(PathToSjis(*file)));
  });
  return tab;
}

QPushButton* OptionsDialog::help_button(int index) const {
  return help_buttons_.at(static_cast<std::size_t>(index));
}

void OptionsDialog::ShowHelpList() {
  if (!help_list_) return;
  showing_ = true;
  help_list_->clear();
  const ExternalHelpList& list = form_.help_list();
  for (const ExternalHelpEntry& entry : list.entries()) {
    new QTreeWidgetItem(help_list_, {ToQt(entry.title), ToQt(entry.file)});
  }
  if (list.selected() >= 0) help_list_->setCurrentItem(help_list_->topLevelItem(list.selected()));
  showing_ = false;
}

}  // namespace qy::app
