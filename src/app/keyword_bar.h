// The keyword bar ("キーワードバー"): the current page's kind, context,
// context ID and title above one to four rows of K, A and B keywords and the
// page macro, with arrow buttons that change the number of rows.
#pragma once

#include <QFont>
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <array>

#include "project/page_record.h"

namespace qy::app {

// A label that reports a click.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
};

enum class KeywordBarField {
  kContext,
  kKind,
  kContextId,
  kTitle,
  kKeyword,
  kAKeyword,
  kBKeyword,
  kMacro
};
inline constexpr int kKeywordBarFieldCount = 8;

inline constexpr int kMinKeywordRows = 1;
inline constexpr int kMaxKeywordRows = 4;

class KeywordBar : public QWidget {
  Q_OBJECT

 public:
  explicit KeywordBar(QWidget* parent = nullptr);

  // Shows the fields of `page`; null empties the bar.
  void ShowPage(const PageRecord* page);
  // 1..4 rows; other values are brought into that range.
  void SetRows(int rows);
  int rows() const { return rows_; }
  // Value font (the first other area) and the field-name labels' colour and
  // weight (the second other area).
  void SetFonts(const QFont& values, const QColor& label_color, const QFont& labels);

  QString ValueText(KeywordBarField field) const;
  QToolButton* up_button() const { return up_; }
  QToolButton* down_button() const { return down_; }

 signals:
  // A field's label or value was clicked: the page properties open there.
  void fieldClicked(KeywordBarField field);
  // The arrow buttons asked for `rows` rows.
  void rowsRequested(int rows);

 private:
  void PlaceRows();

  std::array<ClickLabel*, kKeywordBarFieldCount> names_{};
  std::array<ClickLabel*, kKeywordBarFieldCount> values_{};
  std::array<QWidget*, kKeywordBarFieldCount> pairs_{};
  std::array<QWidget*, kMaxKeywordRows> row_widgets_{};
  QToolButton* up_;
  QToolButton* down_;
  int rows_ = 1;
};

}  // namespace qy::app
