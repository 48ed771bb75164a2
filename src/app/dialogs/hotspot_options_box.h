// The hotspot options both link dialogs share: colour change with its
// slider and sixteen swatches, underline, bold and italic. Edits the options
// in place; the underline box, slider and swatches follow colour change.
#pragma once

#include <QCheckBox>
#include <QSlider>
#include <QToolButton>
#include <QWidget>
#include <array>

#include "markup/hotspot_markup.h"

namespace qy::app {

class HotspotOptionsBox : public QWidget {
  Q_OBJECT

 public:
  HotspotOptionsBox(HotspotOptions& options, QWidget* parent = nullptr);

  QCheckBox* color_box() const { return color_; }
  QCheckBox* underline_box() const { return underline_; }
  QCheckBox* bold_box() const { return bold_; }
  QCheckBox* italic_box() const { return italic_; }
  QSlider* slider() const { return slider_; }
  QToolButton* swatch(int index) const { return swatches_[static_cast<std::size_t>(index - 1)]; }

 private:
  void ApplyEnabling();

  HotspotOptions& options_;
  QCheckBox* color_ = nullptr;
  QCheckBox* underline_ = nullptr;
  QCheckBox* bold_ = nullptr;
  QCheckBox* italic_ = nullptr;
  QSlider* slider_ = nullptr;
  std::array<QToolButton*, kMaxColorIndex> swatches_{};
};

}  // namespace qy::app
