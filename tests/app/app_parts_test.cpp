// The window's parts on their own: status texts, file filters, key
// sequences, colours, the menus and toolbars built from the tables, the
// debug view and the help viewer's refusals.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/caps_lock.h"
#include "app/debug_pane.h"
#include "app/display_settings.h"
#include "app/key_sequence.h"
#include "app/qt_platform.h"
#include "app/status_panels.h"
#include "core/codec.h"
#include "markup/format_markup.h"
#include "window_fixture.h"

using qy::app::MainWindow;
using qy::app::testing::WindowFixture;

class AppPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void FileFiltersBecomeQtFilters();
  void KeyTextsBecomeKeySequences();
  void ColoursAndFontStyles();
  void CapsLockFromLeds();
  void MenusFollowTheCommandTable();
  void ToolbarLayoutFileHidesButtons();
  void ExternalHelpEntriesNeedATitle();
  void DebugPaneRowsAndHelp();
};

void AppPartsTest::FileFiltersBecomeQtFilters() {
  QCOMPARE(qy::app::QtFileFilter(
               qy::Sjis("Quillory プロジェクト (*.qyp)|*.qyp|すべてのファイル (*.*)|*.*")),
           QStringLiteral("Quillory プロジェクト (*.qyp);;すべてのファイル (*.*)"));
  // A description without the patterns gets them, a ";" list becomes blanks.
  QCOMPARE(qy::app::QtFileFilter("Pictures|*.bmp;*.shg"), QStringLiteral("Pictures (*.bmp *.shg)"));
  // A dangling description without patterns is dropped.
  QCOMPARE(qy::app::QtFileFilter("Text (*.txt)|*.txt|Odd"), QStringLiteral("Text (*.txt)"));
  QCOMPARE(qy::app::QtFileFilter(""), QString());
}

void AppPartsTest::KeyTextsBecomeKeySequences() {
  auto sequence = [](const char* text) {
    auto combo = qy::ParseKeyText(text);
    return combo ? qy::app::ToKeySequence(*combo).value_or(QKeySequence()) : QKeySequence();
  };
  QCOMPARE(sequence("Shift+Ctrl+S"), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
  QCOMPARE(sequence("Ctrl+Alt+T"), QKeySequence(QStringLiteral("Ctrl+Alt+T")));
  QCOMPARE(sequence("F5"), QKeySequence(Qt::Key_F5));
  QCOMPARE(sequence("Shift+F12"), QKeySequence(QStringLiteral("Shift+F12")));
  QCOMPARE(sequence("Ctrl+Left"), QKeySequence(QStringLiteral("Ctrl+Left")));
  QCOMPARE(sequence("Ctrl+BkSp"), QKeySequence(QStringLiteral("Ctrl+Backspace")));
  QCOMPARE(sequence("Ctrl+Ins"), QKeySequence(QStringLiteral("Ctrl+Ins")));
  qy::KeyCombo bad{false, true, false, "F13"};
  QVERIFY(!qy::app::ToKeySequence(bad));
}

void AppPartsTest::ColoursAndFontStyles() {
  QPalette palette;
  palette.setColor(QPalette::Active, QPalette::Text, Qt::darkGreen);
  palette.setColor(QPalette::Active, QPalette::Base, Qt::yellow);
  QCOMPARE(qy::app::ColorFromSetting(16711680, palette), QColor(0, 0, 255));
  QCOMPARE(qy::app::ColorFromSetting(255, palette), QColor(255, 0, 0));
  QCOMPARE(qy::app::ColorFromSetting(16777215, palette), QColor(255, 255, 255));
  QCOMPARE(qy::app::ColorFromSetting(-2147483640, palette), QColor(Qt::darkGreen));
  QCOMPARE(qy::app::ColorFromSetting(-2147483643, palette), QColor(Qt::yellow));
  QFont font;
  qy::app::ApplyFontStyle(font, 3);
  QVERIFY(font.bold() && font.italic());
  qy::app::ApplyFontStyle(font, 1);
  QVERIFY(!font.bold() && font.italic());
  qy::app::ApplyFontStyle(font, 0);
  QVERIFY(!font.bold() && !font.italic());
}

void AppPartsTest::CapsLockFromLeds() {
  qy::testing::TempDir leds;
  namespace fs = std::filesystem;
  fs::create_directories(leds.File("input3::capslock"));
  fs::create_directories(leds.File("input3::numlock"));
  std::ofstream(leds.File("input3::numlock/brightness")) << "1\n";
  std::ofstream(leds.File("input3::capslock/brightness")) << "0\n";
  QVERIFY(!qy::app::CapsLockOn(leds.path()));
  std::ofstream(leds.File("input3::capslock/brightness")) << "1\n";
  QVERIFY(qy::app::CapsLockOn(leds.path()));
  QVERIFY(!qy::app::CapsLockOn(leds.File("missing")));
}

void AppPartsTest::MenusFollowTheCommandTable() {
  WindowFixture f;
  MainWindow& window = f.Start();
  qy::app::CommandActions& commands = window.commands();
  for (const qy::CommandRow& row : qy::CommandRows()) {
    if (row.IsGroup()) {
      QVERIFY2(commands.group_menu(row.number), row.id);
      QVERIFY(!commands.action(row.number));
    } else {
      QVERIFY2(commands.action(row.number), row.id);
    }
  }
  // Group rows are submenus holding the rows below them.
  QMenu* convert = commands.group_menu(qy::kCmdConvertGroup);
  QVERIFY(convert->actions().contains(commands.action(qy::kCmdUCase)));
  QVERIFY(convert->actions().contains(commands.action(qy::kCmdKata)));
  QVERIFY(!commands.section_menu(qy::CommandSection::kEdit)
               ->actions()
               .contains(commands.action(qy::kCmdUCase)));
  // The editor's shortcut menu and the tree's pop-up come from the same rows.
  QMenu editor_menu;
  commands.FillEditorPopup(&editor_menu);
  QVERIFY(editor_menu.actions().contains(commands.action(qy::kCmdUndo)));
  QVERIFY(editor_menu.actions().contains(commands.action(qy::kCmdJumpLink)));
  QVERIFY(!editor_menu.actions().contains(commands.action(qy::kCmdNewPage)));
  QMenu tree_menu;
  commands.FillTreePopup(&tree_menu);
  QVERIFY(tree_menu.actions().contains(commands.action(qy::kCmdNewPage)));
  QVERIFY(tree_menu.actions().contains(commands.action(qy::kCmdPageUp)));
  QVERIFY(!tree_menu.actions().contains(commands.action(qy::kCmdUndo)));
}

void AppPartsTest::ToolbarLayoutFileHidesButtons() {
  WindowFixture f;
  qy::WriteFileAtomic(f.options.toolbar_file_path,
                      "[FileBar]\r\nSavePro=0\r\nFileSp0=0\r\n[PageBar]\r\nPageHis=0\r\n");
  MainWindow& window = f.Start();
  QToolBar* file_bar = window.toolbar(qy::ToolbarId::kFile);
  QAction* save = file_bar->findChild<QAction*>(QStringLiteral("btnSavePro"));
  QAction* open = file_bar->findChild<QAction*>(QStringLiteral("btnOpenPro"));
  QVERIFY(save && open);
  QVERIFY(!save->isVisible());
  QVERIFY(open->isVisible());
  // The separator goes, the menu item of the hidden button stays.
  int visible_separators = 0;
  for (QAction* a : file_bar->actions()) visible_separators += a->isSeparator() && a->isVisible();
  QCOMPARE(visible_separators, 0);
  QVERIFY(window.commands().action(qy::kCmdSavePro)->isVisible());
  QVERIFY(!window.toolbar(qy::ToolbarId::kPage)
               ->findChild<QAction*>(QStringLiteral("btnPageHis"))
               ->isVisible());
  // A button runs its command.
  window.model().SetModified(true);
  f.prompter.answers.push_back(qy::Answer::kCancel);
  file_bar->findChild<QAction*>(QStringLiteral("btnNewPro"))->trigger();
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
}

void AppPartsTest::ExternalHelpEntriesNeedATitle() {
  WindowFixture f;
  qy::IniFile ini(f.options.settings_path);
  ini.WriteString("Help", "Title1", qy::Sjis("外部"));
  ini.WriteString("Help", "File1", "/tmp/x.hlp");
  ini.WriteString("Help", "File2", "/tmp/y.hlp");
  MainWindow& window = f.Start();
  QVERIFY(!window.commands().action(qy::kCmdHelp0)->isVisible());
  QVERIFY(window.commands().action(qy::kCmdHelp1)->isVisible());
  QCOMPARE(window.commands().action(qy::kCmdHelp1)->text(), QStringLiteral("外部"));
  QVERIFY(!window.commands().action(qy::kCmdHelp2)->isVisible());
  // Entry 0 is empty: the separator above the list is hidden too.
  QMenu* help = window.commands().section_menu(qy::CommandSection::kHelp);
  QAction* separator = qy::app::SeparatorAbove(help, window.commands().action(qy::kCmdHelp0));
  QVERIFY(separator->isSeparator());
  QVERIFY(!separator->isVisible());
}

void AppPartsTest::DebugPaneRowsAndHelp() {
  qy::app::DebugPane pane;
  QCOMPARE(pane.headerItem()->text(0) + pane.headerItem()->text(1) + pane.headerItem()->text(2),
           QStringLiteral("状態番号内容"));
  bool shown_told = false;
  pane.on_show_view = [&](bool shown) { shown_told = shown; };
  pane.SetEntries({{qy::DebugKind::kWarning, "HC3025", qy::Sjis("ジャンプ先がありません")},
                   {qy::DebugKind::kError, "HC5011", "cannot open"}});
  QCOMPARE(pane.topLevelItemCount(), 2);
  QCOMPARE(pane.topLevelItem(0)->text(0), QStringLiteral("Warning"));
  QCOMPARE(pane.topLevelItem(0)->text(2), QStringLiteral("ジャンプ先がありません"));
  QVERIFY(!pane.topLevelItem(1)->icon(0).isNull());
  QCOMPARE(pane.SelectedCode(), std::string());
  pane.setCurrentItem(pane.topLevelItem(1));
  QCOMPARE(pane.SelectedCode(), std::string("HC5011"));
  QSignalSpy help(&pane, &qy::app::DebugPane::codeHelpRequested);
  emit pane.itemDoubleClicked(pane.topLevelItem(0), 0);
  QCOMPARE(help.size(), 1);
  QCOMPARE(help[0][0].toString(), QStringLiteral("HC3025"));
  // The shortcut menu asks for Help Workshop's page on the selected code.
  QSignalSpy workshop(&pane, &qy::app::DebugPane::workshopHelpRequested);
  QTimer::singleShot(0, [] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    QCOMPARE(menu->actions().first()->text(), QStringLiteral("HCWのヘルプ(&W)"));
    menu->actions().first()->trigger();
    menu->close();
  });
  emit pane.customContextMenuRequested(QPoint(5, 5));
  QCOMPARE(workshop.size(), 1);
  QCOMPARE(workshop[0][0].toString(), QStringLiteral("HC5011"));
  pane.ShowView(true);
  QVERIFY(shown_told);
  pane.SetEntries({});
  QCOMPARE(pane.topLevelItemCount(), 0);
}

QTEST_MAIN(AppPartsTest)
#include "app_parts_test.moc"
