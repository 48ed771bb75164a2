#include "app/debug_pane.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QStyle>

#include "app/qt_text.h"

namespace qy::app {

namespace {

QIcon KindIcon(DebugKind kind) {
  QStyle* style = QApplication::style();
  switch (kind) {
    case DebugKind::kNote:
      return style->standardIcon(QStyle::SP_MessageBoxInformation);
    case DebugKind::kWarning:
      return style->standardIcon(QStyle::SP_MessageBoxWarning);
    case DebugKind::kError:
      return style->standardIcon(QStyle::SP_MessageBoxCritical);
  }
  return {};
}

}  // namespace

DebugPane::DebugPane(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("lvwDebug"));
  setColumnCount(3);
  setHeaderLabels({QStringLiteral("状態"), QStringLiteral("番号"), QStringLiteral("内容")});
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  header()->resizeSection(0, 90);
  header()->resizeSection(1, 70);
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
    if (item) emit codeHelpRequested(item->text(1));
  });
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    QMenu menu(this);
    QAction* help = menu.addAction(QStringLiteral("HCWのヘルプ(&W)"));
    help->setObjectName(QStringLiteral("mnuDebugHelp"));
    help->setEnabled(currentItem() != nullptr);
    connect(help, &QAction::triggered, this, [this] {
      if (currentItem()) emit workshopHelpRequested(currentItem()->text(1));
    });
    menu.exec(viewport()->mapToGlobal(at));
  });
}

void DebugPane::SetEntries(const std::vector<DebugEntry>& entries) {
  clear();
  for (const DebugEntry& entry : entries) {
    auto* item = new QTreeWidgetItem(this);
    item->setIcon(0, KindIcon(entry.kind));
    item->setText(0, QString::fromLatin1(DebugKindCaption(entry.kind)).trimmed());
    item->setText(1, ToQt(entry.code));
    item->setText(2, ToQt(entry.message));
  }
}

void DebugPane::ShowView(bool shown) {
  setVisible(shown);
  if (on_show_view) on_show_view(shown);
}

std::string DebugPane::SelectedCode() const {
  return currentItem() ? FromQt(currentItem()->text(1)) : std::string();
}

}  // namespace qy::app
