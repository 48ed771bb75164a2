// The font-effects dialog: font, style and size lists, the colour slider
// with its swatches and a sample drawn as chosen on the help window's
// background. OK merges the words of the choice into the selection. Every
// rule is in markup/format_font_effects.h.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QSlider>

#include "core/editor.h"
#include "markup/format_font_effects.h"
#include "project/project_model.h"

namespace qy::app {

class FontEffectsDialog : public QDialog {
  Q_OBJECT

 public:
  FontEffectsDialog(const ProjectHeader& header, QWidget* parent);

  const FontEffects& effects() const { return effects_; }
  QListWidget* font_list() const { return font_list_; }
  QListWidget* style_list() const { return style_list_; }
  QListWidget* size_list() const { return size_list_; }
  QSlider* colour_slider() const { return colour_; }
  QLabel* sample() const { return sample_; }

 private:
  void ShowSample();

  const ProjectHeader& header_;
  FontEffects effects_;
  QListWidget* font_list_ = nullptr;
  QListWidget* style_list_ = nullptr;
  QListWidget* size_list_ = nullptr;
  QSlider* colour_ = nullptr;
  QLabel* sample_ = nullptr;
};

// The command: on OK the chosen words are merged into the selection as one
// edit; a choice of nothing but defaults inserts nothing.
void RunFontEffectsDialog(Editor& editor, const ProjectHeader& header, QWidget* parent);

}  // namespace qy::app
