#include "app/dialogs/hotspot_options_box.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace qy::app {

HotspotOptionsBox::HotspotOptionsBox(HotspotOptions& options, QWidget* parent)
    : QWidget(parent), options_(options) {
  color_ = new QCheckBox(QStringLiteral("色の変更(&C)"), this);
  underline_ = new QCheckBox(QStringLiteral("下線(&U)"), this);
  bold_ = new QCheckBox(QStringLiteral("太字(&O)"), this);
  italic_ = new QCheckBox(QStringLiteral("斜体(&I)"), this);
  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setRange(kMinColorIndex, kMaxColorIndex);
  slider_->setPageStep(1);
  slider_->setTickPosition(QSlider::TicksBelow);

  auto* swatch_row = new QHBoxLayout;
  swatch_row->setSpacing(1);
  for (int n = kMinColorIndex; n <= kMaxColorIndex; ++n) {
    auto* swatch = new QToolButton(this);
    const HotspotColor c = HotspotColorOf(n);
    swatch->setFixedSize(16, 16);
    swatch->setToolTip(QString::number(n));
    swatch->setStyleSheet(QStringLiteral("background-color: rgb(%1,%2,%3); border: 1px solid gray;")
                              .arg(c.red)
                              .arg(c.green)
                              .arg(c.blue));
    connect(swatch, &QToolButton::clicked, this, [this, n] { slider_->setValue(n); });
    swatches_[static_cast<std::size_t>(n - 1)] = swatch;
    swatch_row->addWidget(swatch);
  }
  swatch_row->addStretch();

  color_->setChecked(options_.color_change);
  underline_->setChecked(options_.underline);
  bold_->setChecked(options_.bold);
  italic_->setChecked(options_.italic);
  slider_->setValue(options_.color_index);

  connect(color_, &QCheckBox::toggled, this, [this](bool on) {
    options_.color_change = on;
    ApplyEnabling();
  });
  connect(underline_, &QCheckBox::toggled, this, [this](bool on) { options_.underline = on; });
  connect(bold_, &QCheckBox::toggled, this, [this](bool on) { options_.bold = on; });
  connect(italic_, &QCheckBox::toggled, this, [this](bool on) { options_.italic = on; });
  connect(slider_, &QSlider::valueChanged, this, [this](int n) { options_.color_index = n; });

  auto* layout = new QGridLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(color_, 0, 0);
  layout->addWidget(slider_, 0, 1);
  layout->addWidget(underline_, 1, 0);
  layout->addLayout(swatch_row, 1, 1);
  auto* styles = new QHBoxLayout;
  styles->addWidget(bold_);
  styles->addWidget(italic_);
  styles->addStretch();
  layout->addLayout(styles, 2, 0, 1, 2);
  ApplyEnabling();
}

void HotspotOptionsBox::ApplyEnabling() {
  const bool on = options_.color_change;
  underline_->setEnabled(on);
  slider_->setEnabled(on);
  for (QToolButton* swatch : swatches_) swatch->setEnabled(on);
}

}  // namespace qy::app
