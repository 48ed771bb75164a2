#include "app/keyword_bar.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt_text.h"
#include "project/attribute_change.h"

namespace qy::app {

namespace {

struct FieldText {
  const char* name;
  const char* hint;
};

constexpr FieldText kFieldTexts[kKeywordBarFieldCount] = {
    {"コンテキスト :", "クリックでこのページのコンテキストを編集します。"},
    {"", "クリックでこのページのウインドウスタイルを編集します。"},
    {"ＩＤ :", "クリックでこのページのコンテキストＩＤを編集します。"},
    {"タイトル :", "クリックでこのページのタイトルを編集します。"},
    {"キーワード :", "クリックでこのページのキーワードを編集します。"},
    {"Ａキーワード :", "クリックでこのページのＡキーワードを編集します。"},
    {"Ｂキーワード :", "クリックでこのページのＢキーワードを編集します。"},
    {"マクロ :", "クリックでこのページのページマクロを編集します。"},
};

// Keyword pairs from K to the macro, spread over the rows: which row (0..3)
// each of the four takes for 1..4 rows.
constexpr int kRowOf[kMaxKeywordRows][4] = {{0, 0, 0, 0}, {0, 1, 1, 1}, {0, 1, 2, 2}, {0, 1, 2, 3}};

constexpr int kPairSpacing = 12;

}  // namespace

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked();
  QLabel::mousePressEvent(event);
}

KeywordBar::KeywordBar(QWidget* parent)
    : QWidget(parent), up_(new QToolButton), down_(new QToolButton) {
  setObjectName(QStringLiteral("KeywordBar"));
  for (int i = 0; i < kKeywordBarFieldCount; ++i) {
    const auto field = static_cast<KeywordBarField>(i);
    auto* pair = new QWidget;
    auto* layout = new QHBoxLayout(pair);
    layout->setContentsMargins(0, 0, kPairSpacing, 0);
    layout->setSpacing(4);
    auto* name = new ClickLabel(QString::fromUtf8(kFieldTexts[i].name));
    auto* value = new ClickLabel;
    value->setTextFormat(Qt::PlainText);
    name->setToolTip(QString::fromUtf8(kFieldTexts[i].hint));
    value->setToolTip(QString::fromUtf8(kFieldTexts[i].hint));
    value->setStatusTip(value->toolTip());
    name->setStatusTip(value->toolTip());
    if (name->text().isEmpty()) name->hide();
    layout->addWidget(name);
    layout->addWidget(value);
    connect(name, &ClickLabel::clicked, this, [this, field] { emit fieldClicked(field); });
    connect(value, &ClickLabel::clicked, this, [this, field] { emit fieldClicked(field); });
    names_[static_cast<std::size_t>(i)] = name;
    values_[static_cast<std::size_t>(i)] = value;
    pairs_[static_cast<std::size_t>(i)] = pair;
  }

  auto* outer = new QHBoxLayout(this);
  outer->setContentsMargins(4, 1, 2, 1);
  auto* lines = new QVBoxLayout;
  lines->setSpacing(1);
  outer->addLayout(lines, 1);

  auto* top = new QHBoxLayout;
  top->setSpacing(0);
  for (KeywordBarField f : {KeywordBarField::kContext, KeywordBarField::kKind,
                            KeywordBarField::kContextId, KeywordBarField::kTitle}) {
    top->addWidget(pairs_[static_cast<std::size_t>(f)]);
  }
  top->addStretch(1);
  lines->addLayout(top);
  for (int r = 0; r < kMaxKeywordRows; ++r) {
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addStretch(1);
    lines->addWidget(row);
    row_widgets_[static_cast<std::size_t>(r)] = row;
  }

  auto* arrows = new QVBoxLayout;
  arrows->setSpacing(0);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setAutoRaise(true);
  down_->setAutoRaise(true);
  up_->setToolTip(QStringLiteral("キーワードバーの段数を減らします。"));
  down_->setToolTip(QStringLiteral("キーワードバーの段数を増やします。"));
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  arrows->addStretch(1);
  outer->addLayout(arrows);
  connect(up_, &QToolButton::clicked, this, [this] {
    if (rows_ > kMinKeywordRows) emit rowsRequested(rows_ - 1);
  });
  connect(down_, &QToolButton::clicked, this, [this] {
    if (rows_ < kMaxKeywordRows) emit rowsRequested(rows_ + 1);
  });
  PlaceRows();
}

void KeywordBar::SetRows(int rows) {
  rows_ = std::clamp(rows, kMinKeywordRows, kMaxKeywordRows);
  PlaceRows();
}

void KeywordBar::PlaceRows() {
  const KeywordBarField keyword_fields[] = {KeywordBarField::kKeyword, KeywordBarField::kAKeyword,
                                            KeywordBarField::kBKeyword, KeywordBarField::kMacro};
  for (QWidget* row : row_widgets_) {
    for (KeywordBarField f : keyword_fields)
      row->layout()->removeWidget(pairs_[static_cast<std::size_t>(f)]);
  }
  for (int k = 0; k < 4; ++k) {
    QWidget* pair = pairs_[static_cast<std::size_t>(keyword_fields[k])];
    QWidget* row = row_widgets_[static_cast<std::size_t>(kRowOf[rows_ - 1][k])];
    auto* layout = static_cast<QHBoxLayout*>(row->layout());
    pair->setParent(row);
    layout->insertWidget(layout->count() - 1, pair);
    pair->show();
  }
  for (int r = 0; r < kMaxKeywordRows; ++r)
    row_widgets_[static_cast<std::size_t>(r)]->setVisible(r < rows_);
  up_->setEnabled(rows_ > kMinKeywordRows);
  down_->setEnabled(rows_ < kMaxKeywordRows);
}

void KeywordBar::ShowPage(const PageRecord* page) {
  auto set = [this](KeywordBarField f, const std::string& sjis) {
    values_[static_cast<std::size_t>(f)]->setText(ToQt(sjis));
  };
  if (!page) {
    for (ClickLabel* value : values_) value->clear();
    return;
  }
  set(KeywordBarField::kContext, page->Context);
  set(KeywordBarField::kKind, PageKindLabel(*page));
  set(KeywordBarField::kContextId, std::to_string(page->ContextID));
  set(KeywordBarField::kTitle, page->Title);
  set(KeywordBarField::kKeyword, page->Keyword);
  set(KeywordBarField::kAKeyword, page->AKeyword);
  set(KeywordBarField::kBKeyword, page->BKeyword);
  set(KeywordBarField::kMacro, page->Macro);
}

QString KeywordBar::ValueText(KeywordBarField field) const {
  return values_[static_cast<std::size_t>(field)]->text();
}

void KeywordBar::SetFonts(const QFont& values, const QColor& label_color, const QFont& labels) {
  for (int i = 0; i < kKeywordBarFieldCount; ++i) {
    values_[static_cast<std::size_t>(i)]->setFont(values);
    ClickLabel* name = names_[static_cast<std::size_t>(i)];
    name->setFont(labels);
    QPalette palette = name->palette();
    palette.setColor(QPalette::WindowText, label_color);
    name->setPalette(palette);
  }
}

}  // namespace qy::app
