#include "app/status_panels.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <cstdio>

#include "app/qt_text.h"
#include "core/codec.h"
#include "markup/format_markup.h"

namespace qy::app {

StatusPanels::StatusPanels(QStatusBar* bar) : bar_(bar), progress_(new QProgressBar) {
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* label = new QLabel;
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setObjectName(QStringLiteral("statusPanel%1").arg(i));
    panels_[static_cast<std::size_t>(i)] = label;
  }
  // Panels 2..5 are as wide as the longest text they show.
  const QFontMetrics metrics(panels_[0]->font());
  const QString widest[] = {QStringLiteral("00000行 : 00000桁 "), QStringLiteral("変更"),
                            QStringLiteral("上書"), QStringLiteral("CAPS")};
  for (int i = kCaretPanel; i < kStatusPanelCount; ++i) {
    panels_[static_cast<std::size_t>(i)]->setMinimumWidth(
        metrics.horizontalAdvance(widest[i - kCaretPanel]) + 12);
    panels_[static_cast<std::size_t>(i)]->setAlignment(Qt::AlignCenter);
  }
  bar_->addWidget(panels_[kMessagePanel], 1);
  panels_[kProgressPanel]->setFixedWidth(160);
  progress_->setParent(panels_[kProgressPanel]);
  progress_->setTextVisible(false);
  progress_->setGeometry(2, 2, 156, 14);
  progress_->hide();
  bar_->addPermanentWidget(panels_[kProgressPanel]);
  for (int i = kCaretPanel; i < kStatusPanelCount; ++i) {
    bar_->addPermanentWidget(panels_[static_cast<std::size_t>(i)]);
  }
  ShowCaret(0, 0);
  ShowOverwrite(false);
}

QString StatusPanels::PanelText(int index) const { return panel(index)->text(); }

void StatusPanels::ShowCaret(int row, int col) {
  panels_[kCaretPanel]->setText(ToQt(CaretPositionText(row, col)));
}

void StatusPanels::ShowModified(bool modified) {
  panels_[kModifiedPanel]->setText(modified ? QStringLiteral("変更") : QString());
}

void StatusPanels::ShowOverwrite(bool overwrite) {
  panels_[kInsertPanel]->setText(overwrite ? QStringLiteral("上書") : QStringLiteral("挿入"));
}

void StatusPanels::ShowCaps(bool caps_on) {
  panels_[kCapsPanel]->setText(caps_on ? QStringLiteral("CAPS") : QString());
}

void StatusPanels::Show() {
  progress_->setGeometry(2, 2, panels_[kProgressPanel]->width() - 4,
                         panels_[kProgressPanel]->height() - 4);
  progress_->show();
}

void StatusPanels::Hide() { progress_->hide(); }

void StatusPanels::SetRange(int maximum) { progress_->setRange(0, maximum < 0 ? 0 : maximum); }

void StatusPanels::SetPosition(int position) {
  position_ = position;
  progress_->setValue(position);
}

void StatusPanels::SetStatusText(int panel, const std::string& text) {
  if (panel < 0 || panel >= kStatusPanelCount) return;
  panels_[static_cast<std::size_t>(panel)]->setText(ToQt(text));
}

// Painting and timers run; input waits, so that a command can not start in the
// middle of another one.
void StatusPanels::Pump() { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

}  // namespace qy::app
