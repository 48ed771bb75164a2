#include "app/dialogs/search_replace_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "app/qt_text.h"
#include "app/toolbar_icons.h"

namespace qy::app {

// The window's label and bar stand for the progress display. Window
// messages run between pages so that the window repaints, but no input
// reaches the project while it is searched or rewritten.
class SearchReplaceDialog::BarProgress : public Progress {
 public:
  explicit BarProgress(SearchReplaceDialog& owner) : owner_(owner) {}
  void Show() override {
    owner_.list_label_->setText(ToQt(owner_.window_.ListLabel()));
    owner_.bar_->show();
  }
  void Hide() override { owner_.bar_->hide(); }
  void SetRange(int maximum) override { owner_.bar_->setRange(0, maximum); }
  void SetPosition(int position) override { owner_.bar_->setValue(position); }
  int Position() const override { return owner_.bar_->value(); }
  void SetStatusText(int, const std::string&) override {}
  void Pump() override { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); }

 private:
  SearchReplaceDialog& owner_;
};

// The result list's rows, made from the hit list as they are shown; the
// fourth column carries the key and is never shown.
class SearchReplaceDialog::HitTable : public QAbstractTableModel {
 public:
  HitTable(const SearchReplaceWindow& window, QObject* parent)
      : QAbstractTableModel(parent), window_(window) {}

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() ? 0 : static_cast<int>(window_.hits().size());
  }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 4; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && !(role == Qt::DecorationRole && index.column() == 0)) return {};
    const FindHitRow& row = RowAt(index.row());
    if (role == Qt::DecorationRole) return PageKindIcon(row.attribute);
    switch (index.column()) {
      case 0:
        return ToQt(row.title);
      case 1:
        return ToQt(row.excerpt);
      case 2:
        return ToQt(row.context);
      default:
        return ToQt(row.key);
    }
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char16_t* const kTitles[] = {u"タイトル", u"トピック", u"コンテキスト", u""};
    return section >= 0 && section < 4 ? QString::fromUtf16(kTitles[section]) : QString();
  }

  void Reset() {
    beginResetModel();
    cached_ = -1;
    endResetModel();
  }

 private:
  // A row is asked for once per column; it is made once.
  const FindHitRow& RowAt(int row) const {
    if (row != cached_) {
      cached_row_ = window_.Row(row);
      cached_ = row;
    }
    return cached_row_;
  }

  const SearchReplaceWindow& window_;
  mutable int cached_ = -1;
  mutable FindHitRow cached_row_;
};

namespace {

QComboBox* NewHistoryBox(QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  box->setMaxVisibleItems(TextHistory::kMaxEntries);
  box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  return box;
}

void FillHistoryBox(QComboBox* box, const TextHistory& history, const std::string& text) {
  const QSignalBlocker quiet(box);
  box->clear();
  for (const std::string& entry : history.entries()) box->addItem(ToQt(entry));
  // The text in the box stays what the user typed.
  box->setEditText(ToQt(text));
}

}  // namespace

SearchReplaceDialog::SearchReplaceDialog(FindSession& session, Settings& settings,
                                         ProjectModel& project, Editor& editor,
                                         PageNavigator& navigator, Prompter& prompter,
                                         SearchReplaceHooks hooks, QWidget* main)
    : QDialog(main),
      hooks_(std::move(hooks)),
      main_(main),
      settings_(settings),
      progress_(std::make_unique<BarProgress>(*this)),
      window_(session, settings, project, editor, navigator, prompter, *progress_) {
  setModal(false);
  setWindowTitle(QStringLiteral("検索・置換"));
  const FindWindowGeometry defaults;
  setMinimumSize(defaults.width, defaults.height);
  window_.close_normal_find_dialog = [this] {
    if (hooks_.close_normal_find_dialog) hooks_.close_normal_find_dialog();
  };

  find_box_ = NewHistoryBox(this);
  replace_box_ = NewHistoryBox(this);
  auto* find_label = new QLabel(QStringLiteral("検索する文字列(&F):"), this);
  find_label->setBuddy(find_box_);
  auto* replace_label = new QLabel(QStringLiteral("置換後の文字列(&P):"), this);
  replace_label->setBuddy(replace_box_);
  case_box_ = new QCheckBox(QStringLiteral("大文字・小文字を区別する(&S)"), this);
  project_scope_ = new QRadioButton(QStringLiteral("プロジェクト(&C)"), this);
  page_scope_ = new QRadioButton(QStringLiteral("ページ(&G)"), this);
  project_scope_->setChecked(true);

  search_ = new QPushButton(QStringLiteral("検索(&N)"), this);
  replace_selected_ = new QPushButton(QStringLiteral("選択を置換(&R)"), this);
  replace_all_ = new QPushButton(QStringLiteral("すべて置換(&L)"), this);
  jump_ = new QPushButton(QStringLiteral("移動(&J)"), this);
  close_ = new QPushButton(QStringLiteral("閉じる"), this);
  search_->setDefault(true);

  list_label_ = new QLabel(this);
  bar_ = new QProgressBar(this);
  bar_->setTextVisible(false);
  bar_->hide();
  list_ = new QTreeView(this);
  table_ = new HitTable(window_, this);
  list_->setModel(table_);
  list_->setRootIsDecorated(false);
  list_->setUniformRowHeights(true);
  list_->setAllColumnsShowFocus(true);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setSelectionBehavior(QAbstractItemView::SelectRows);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  list_->header()->setSectionsClickable(false);
  list_->header()->setSectionsMovable(false);
  list_->header()->setStretchLastSection(false);
  list_->setColumnHidden(3, true);
  list_label_->setBuddy(list_);

  // Three rows of boxes beside the three buttons that act on them; the
  // list's buttons above the list, so that the smallest window still
  // leaves the list some rows.
  auto* options = new QHBoxLayout;
  options->addWidget(case_box_);
  options->addStretch();
  options->addWidget(project_scope_);
  options->addWidget(page_scope_);
  auto* grid = new QGridLayout;
  grid->addWidget(find_label, 0, 0);
  grid->addWidget(find_box_, 0, 1);
  grid->addWidget(search_, 0, 2);
  grid->addWidget(replace_label, 1, 0);
  grid->addWidget(replace_box_, 1, 1);
  grid->addWidget(replace_all_, 1, 2);
  grid->addLayout(options, 2, 0, 1, 2);
  grid->addWidget(replace_selected_, 2, 2);
  grid->setColumnStretch(1, 1);
  auto* label_row = new QHBoxLayout;
  label_row->addWidget(list_label_);
  label_row->addWidget(bar_, 1);
  label_row->addStretch();
  label_row->addWidget(jump_);
  label_row->addWidget(close_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid);
  layout->addLayout(label_row);
  layout->addWidget(list_, 1);

  connect(find_box_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    window_.find_text = FromQt(text);
    ShowState();
  });
  connect(replace_box_, &QComboBox::editTextChanged, this, [this](const QString& text) {
    window_.replace_text = FromQt(text);
    ShowState();
  });
  connect(case_box_, &QCheckBox::toggled, this, [this](bool on) { window_.case_sensitive = on; });
  connect(page_scope_, &QRadioButton::toggled, this,
          [this](bool on) { window_.scope = on ? FindScope::kPage : FindScope::kProject; });
  connect(search_, &QPushButton::clicked, this, &SearchReplaceDialog::Search);
  connect(replace_all_, &QPushButton::clicked, this, [this] { Replace(true); });
  connect(replace_selected_, &QPushButton::clicked, this, [this] { Replace(false); });
  connect(jump_, &QPushButton::clicked, this, &SearchReplaceDialog::Jump);
  connect(close_, &QPushButton::clicked, this, &QDialog::close);
  connect(list_, &QTreeView::doubleClicked, this,
          [this](const QModelIndex& index) { ActivateRow(index.row()); });
  ShowState();
}

SearchReplaceDialog::~SearchReplaceDialog() = default;

void SearchReplaceDialog::Open() {
  window_.Open();
  {
    const QSignalBlocker a(case_box_);
    const QSignalBlocker b(project_scope_);
    const QSignalBlocker c(page_scope_);
    case_box_->setChecked(window_.case_sensitive);
    (window_.scope == FindScope::kPage ? page_scope_ : project_scope_)->setChecked(true);
  }
  FillHistories();
  ApplyGeometry();
  ShowState();
  show();
  raise();
  activateWindow();
  find_box_->setFocus();
  if (hooks_.state_changed) hooks_.state_changed();
}

void SearchReplaceDialog::FillHistories() {
  FillHistoryBox(find_box_, window_.find_history(), window_.find_text);
  FillHistoryBox(replace_box_, window_.replace_history(), window_.replace_text);
}

void SearchReplaceDialog::ApplyGeometry() {
  const FindWindowGeometry g = LoadFindWindowGeometry(settings_);
  resize(g.width, g.height);
  const QRect m = main_ ? main_->frameGeometry() : QRect();
  const QScreen* screen = main_ ? main_->screen() : nullptr;
  const QSize s = screen ? screen->size() : QSize(g.width + g.left, g.height + g.top);
  move(PlaceFindWindowAxis(g.left, g.width, m.left(), m.width(), s.width()),
       PlaceFindWindowAxis(g.top, g.height, m.top(), m.height(), s.height()));
  list_->setColumnWidth(0, g.title_width);
  list_->setColumnWidth(1, g.topic_width);
  list_->setColumnWidth(2, g.context_width);
}

FindWindowGeometry SearchReplaceDialog::CurrentGeometry() const {
  FindWindowGeometry g;
  g.left = pos().x();
  g.top = pos().y();
  g.width = width();
  g.height = height();
  g.title_width = list_->columnWidth(0);
  g.topic_width = list_->columnWidth(1);
  g.context_width = list_->columnWidth(2);
  return g;
}

void SearchReplaceDialog::ShowState() {
  if (busy_) return;
  list_label_->setText(ToQt(window_.ListLabel()));
  search_->setEnabled(window_.SearchEnabled());
  jump_->setEnabled(window_.JumpEnabled());
  replace_selected_->setEnabled(window_.ReplaceEnabled());
  replace_all_->setEnabled(window_.ReplaceEnabled());
}

void SearchReplaceDialog::Busy(bool busy) {
  busy_ = busy;
  for (QWidget* w : std::initializer_list<QWidget*>{
           find_box_, replace_box_, case_box_, project_scope_, page_scope_, search_,
           replace_selected_, replace_all_, jump_, close_, list_}) {
    w->setEnabled(!busy);
  }
  if (busy) table_->Reset();  // no row is made from a half-built hit list
}

std::vector<int> SearchReplaceDialog::SelectedRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows()) {
    rows.push_back(index.row());
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void SearchReplaceDialog::Search() {
  if (busy_ || !window_.SearchEnabled()) return;
  Busy(true);
  window_.Search(true);
  Busy(false);
  table_->Reset();
  FillHistories();
  ShowState();
  if (hooks_.state_changed) hooks_.state_changed();
}

void SearchReplaceDialog::Replace(bool all) {
  if (busy_ || !window_.ReplaceEnabled()) return;
  const std::vector<int> rows = SelectedRows();
  if (!all && rows.empty()) return;
  Busy(true);
  const int replaced = all ? window_.ReplaceAll() : window_.ReplaceSelected(rows);
  Busy(false);
  table_->Reset();
  FillHistories();
  ShowState();
  if (replaced > 0 && hooks_.pages_replaced) hooks_.pages_replaced();
  if (hooks_.state_changed) hooks_.state_changed();
}

void SearchReplaceDialog::Jump() {
  if (busy_) return;
  const QModelIndex current = list_->currentIndex();
  const bool row_chosen = current.isValid() && list_->selectionModel()->isSelected(current);
  const bool moved = row_chosen ? window_.JumpToRow(current.row(), true) : window_.JumpToNextHit();
  if (moved && !window_.Visible()) {
    hide();
    if (hooks_.jumped_away) hooks_.jumped_away();
  }
  if (hooks_.state_changed) hooks_.state_changed();
}

void SearchReplaceDialog::ActivateRow(int row) {
  if (busy_) return;
  window_.JumpToRow(row, false);
}

void SearchReplaceDialog::DropHits() {
  // Dropping the hits closes the window: its place is kept as on a close.
  if (window_.ClearResultsEnabled()) SaveFindWindowGeometry(settings_, CurrentGeometry());
  window_.DropHits();
  if (!window_.Exists()) {
    hide();
    deleteLater();
  }
  if (hooks_.state_changed) hooks_.state_changed();
}

void SearchReplaceDialog::closeEvent(QCloseEvent* event) {
  if (busy_) {
    event->ignore();
    return;
  }
  window_.Close(CurrentGeometry());
  // Not QDialog's, which would call reject() and with it close() again.
  event->accept();
  if (!window_.Exists()) deleteLater();
  if (hooks_.state_changed) hooks_.state_changed();
}

bool SearchReplaceDialog::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && window_.Stale() && !busy_) {
    SearchReplaceWindow::ListPosition before;
    const QModelIndex current = list_->currentIndex();
    if (current.isValid()) before.selected_row = current.row();
    const QModelIndex top = list_->indexAt(QPoint(0, 0));
    if (top.isValid()) before.top_row = top.row();
    Busy(true);
    const SearchReplaceWindow::ListPosition after = window_.Activated(before);
    Busy(false);
    table_->Reset();
    ShowState();
    if (after.top_row) {
      list_->scrollTo(table_->index(*after.top_row, 0), QAbstractItemView::PositionAtTop);
    }
    if (after.selected_row) {
      list_->setCurrentIndex(table_->index(*after.selected_row, 0));
    }
    if (hooks_.state_changed) hooks_.state_changed();
  }
  return QDialog::event(event);
}

}  // namespace qy::app
