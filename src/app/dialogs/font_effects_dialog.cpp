#include "app/dialogs/font_effects_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "markup/hotspot_markup.h"

namespace qy::app {

namespace {

QListWidget* ChoiceList(const std::vector<std::string>& names, int current, QWidget* parent) {
  auto* list = new QListWidget(parent);
  for (const std::string& name : names) list->addItem(ToQt(name));
  list->setCurrentRow(current);
  return list;
}

}  // namespace

FontEffectsDialog::FontEffectsDialog(const ProjectHeader& header, QWidget* parent)
    : QDialog(parent), header_(header), effects_(InitialFontEffects(header)) {
  setWindowTitle(QStringLiteral("フォントの効果"));
  font_list_ = ChoiceList(FontChoiceNames(), effects_.font, this);
  style_list_ = ChoiceList(FontStyleNames(), static_cast<int>(effects_.style), this);
  size_list_ = ChoiceList(FontSizeNames(), effects_.size, this);
  colour_ = new QSlider(Qt::Horizontal, this);
  colour_->setRange(1, kColourChoices);
  colour_->setPageStep(1);
  colour_->setTickPosition(QSlider::TicksBelow);
  colour_->setValue(effects_.colour);
  sample_ = new QLabel(this);
  sample_->setAlignment(Qt::AlignCenter);
  sample_->setMinimumHeight(80);
  sample_->setAutoFillBackground(true);

  connect(font_list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) effects_.font = row;
    ShowSample();
  });
  connect(style_list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) effects_.style = static_cast<FontStyle>(row);
    ShowSample();
  });
  connect(size_list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (row >= 0) effects_.size = row;
    ShowSample();
  });
  connect(colour_, &QSlider::valueChanged, this, [this](int n) {
    effects_.colour = n;
    ShowSample();
  });

  auto* swatches = new QHBoxLayout;
  swatches->setSpacing(1);
  for (int n = 1; n <= kColourChoices; ++n) {
    auto* swatch = new QToolButton(this);
    const HotspotColor c = HotspotColorOf(n);
    swatch->setFixedSize(16, 16);
    swatch->setStyleSheet(QStringLiteral("background-color: rgb(%1,%2,%3); border: 1px solid gray;")
                              .arg(c.red)
                              .arg(c.green)
                              .arg(c.blue));
    connect(swatch, &QToolButton::clicked, this, [this, n] { colour_->setValue(n); });
    swatches->addWidget(swatch);
  }
  swatches->addStretch();

  auto* box = new QDialogButtonBox(this);
  box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
  box->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* lists = new QGridLayout;
  lists->addWidget(new QLabel(QStringLiteral("フォント(&F) :"), this), 0, 0);
  lists->addWidget(new QLabel(QStringLiteral("スタイル(&Y) :"), this), 0, 1);
  lists->addWidget(new QLabel(QStringLiteral("サイズ(&S) :"), this), 0, 2);
  lists->addWidget(font_list_, 1, 0);
  lists->addWidget(style_list_, 1, 1);
  lists->addWidget(size_list_, 1, 2);
  lists->setColumnStretch(0, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(lists);
  layout->addWidget(new QLabel(QStringLiteral("色(&C) :"), this));
  layout->addWidget(colour_);
  layout->addLayout(swatches);
  layout->addWidget(sample_);
  layout->addWidget(box);
  ShowSample();
}

void FontEffectsDialog::ShowSample() {
  QFont font(ToQt(FontChoiceNames()[static_cast<std::size_t>(effects_.font)]));
  font.setPointSize(kSizePoints[effects_.size]);
  font.setBold(effects_.style == FontStyle::kBold || effects_.style == FontStyle::kBoldItalic);
  font.setItalic(effects_.style == FontStyle::kItalic || effects_.style == FontStyle::kBoldItalic);
  sample_->setFont(font);
  sample_->setText(ToQt(FontSampleText(effects_.font)));
  const HotspotColor c = HotspotColorOf(effects_.colour);
  QPalette palette = sample_->palette();
  palette.setColor(QPalette::WindowText, QColor(c.red, c.green, c.blue));
  QColor background = Qt::white;
  // The colour number is 0x00BBGGRR.
  if (auto bgr = SampleBackgroundColour(header_.WindowsSection)) {
    background = QColor(static_cast<int>(*bgr & 0xFF), static_cast<int>((*bgr >> 8) & 0xFF),
                        static_cast<int>((*bgr >> 16) & 0xFF));
  }
  palette.setColor(QPalette::Window, background);
  sample_->setPalette(palette);
}

void RunFontEffectsDialog(Editor& editor, const ProjectHeader& header, QWidget* parent) {
  FontEffectsDialog dialog(header, parent);
  if (dialog.exec() == QDialog::Accepted) ApplyFontEffects(editor, dialog.effects(), header);
}

}  // namespace qy::app
