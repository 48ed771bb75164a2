// The main window driven as a user would: start-up, opening the sample
// project, page switches and edits, shortcuts from the key file and the
// close question.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItemIterator>

#include "app/qt_text.h"
#include "core/codec.h"
#include "core/program_folder.h"
#include "project/project_file.h"
#include "window_fixture.h"

using qy::app::MainWindow;
using qy::app::testing::CopySample;
using qy::app::testing::WindowFixture;

namespace {

int TreeItemCount(MainWindow& window) {
  int count = 0;
  for (QTreeWidgetItemIterator it(window.tree_pane()->tree()); *it; ++it) ++count;
  return count;
}

void ShowAndActivate(MainWindow& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void FirstStartWithoutSettingsFile();
  void CommandLineOpensSample();
  void CommandLineArgumentsFormOneName();
  void SwitchingPagesAndEditing();
  void CtrlNWithoutKeyFileStartsNewProject();
  void KeyFileDecidesShortcuts();
  void CloseQuestion_data();
  void CloseQuestion();
  void OpensFullPageTable();
  void KeywordBarRowsStayInRange();
  void PageViewAndTreeLabels();
  void PageCommandsKeepTreeAndModel();
  void RecentFileThatIsGone();
};

void MainWindowTest::FirstStartWithoutSettingsFile() {
  WindowFixture f;
  MainWindow& window = f.Start();
  ShowAndActivate(window);
  QCOMPARE(window.windowTitle(), QStringLiteral("Project1.qyp - Quillory"));
  QCOMPARE(window.model().PageCount(), 1);
  QCOMPARE(window.BorderLine(), 220);
  QCOMPARE(window.page_splitter()->orientation(), Qt::Horizontal);
  QVERIFY(window.tree_pane()->isVisible());
  QVERIFY(!window.debug_pane()->isVisible());
  QVERIFY(window.statusBar()->isVisible());
  QCOMPARE(window.keyword_bar()->rows(), 1);
  QVERIFY(window.commands().action(qy::kCmdKeyOne)->isChecked());
  QCOMPARE(window.status().PanelText(qy::app::kCaretPanel), QStringLiteral(" 00001行 : 00001桁"));
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QString());
  QCOMPARE(window.status().PanelText(qy::app::kInsertPanel), QStringLiteral("挿入"));
  // The folders are written back as the program folder.
  const std::string folder = f.folder.path();
  QCOMPARE(f.Setting("Etcetera", "BitmapPath"), qy::LowerCaseFolder(folder));
  QCOMPARE(f.Setting("Macro", "Fold"), qy::LowerCaseFolder(folder));
  // No recent files: the items and their separator are hidden.
  QVERIFY(window.findChild<QAction*>(QStringLiteral("mnuFileRecent1"))->isVisible() == false);
  QVERIFY(f.prompter.shown.empty());
}

void MainWindowTest::CommandLineOpensSample() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  QCOMPARE(window.windowTitle(), QStringLiteral("sample.qyp - Quillory"));
  QVERIFY(window.model().PageCount() > 1);
  QCOMPARE(TreeItemCount(window), window.model().PageCount());
  QVERIFY(!window.model().Modified());
  QCOMPARE(window.commands().action(qy::kCmdProperty)->text(),
           QStringLiteral("sample.qyp のプロパティ(&P)..."));
  // The first page is shown and the file heads the recent files.
  QCOMPARE(window.editor().Text(), window.model().Page(1).Topic);
  QCOMPARE(window.keyword_bar()->ValueText(qy::app::KeywordBarField::kContext),
           qy::app::ToQt(window.model().Page(1).Context));
  QCOMPARE(f.Setting("Recent Files", "RecentFile1"), file);
  QAction* first = window.findChild<QAction*>(QStringLiteral("mnuFileRecent1"));
  QVERIFY(first->isVisible());
  QCOMPARE(first->text(), QStringLiteral("&1 ") + QString::fromStdString(file));
  QCOMPARE(window.recent_menu_source()->actions().size(), 1);
  QVERIFY(f.prompter.shown.empty());
}

void MainWindowTest::CommandLineArgumentsFormOneName() {
  QCOMPARE(qy::app::CommandLineFile({"C:\\My", "Docs\\help.qyp"}),
           std::string("C:\\My Docs\\help.qyp"));
  QCOMPARE(qy::app::CommandLineFile({}), std::string());
  WindowFixture f;
  MainWindow& window = f.Start();
  // A name that names no file: the message, then a new project.
  window.OpenFromCommandLine(f.folder.File("no such.qyp"));
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(window.windowTitle(), QStringLiteral("Project1.qyp - Quillory"));
}

void MainWindowTest::SwitchingPagesAndEditing() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);

  QTreeWidgetItem* second = window.tree_pane()->tree()->ItemOf(2);
  QVERIFY(second);
  window.tree_pane()->tree()->setCurrentItem(second);
  QCOMPARE(window.model().CurrentPage(), 2);
  QCOMPARE(window.editor().Text(), window.model().Page(2).Topic);
  QCOMPARE(window.keyword_bar()->ValueText(qy::app::KeywordBarField::kTitle),
           qy::app::ToQt(window.model().Page(2).Title));
  // Showing a page is no change.
  QVERIFY(!window.model().Modified());
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QString());

  // Page 2 may be a book without text; find a page that has text.
  int page = 1;
  while (!qy::HasTopicText(window.model().Page(page).Attribute)) ++page;
  window.tree_pane()->tree()->setCurrentItem(window.tree_pane()->tree()->ItemOf(page));
  window.editor_widget()->setFocus();
  window.editor().SetSelStart(0);
  QTest::keyClicks(window.editor_widget(), QStringLiteral("ab"));
  QTest::keyClick(window.editor_widget(), Qt::Key_Return);
  QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("あ"));
  QApplication::sendEvent(window.editor_widget(), &typed);
  QVERIFY(window.model().Modified());
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QStringLiteral("変更"));
  const std::string topic = window.model().Page(page).Topic;
  QCOMPARE(topic.substr(0, 6), "ab\r\n" + qy::Sjis("あ"));
  QCOMPARE(window.editor().Text(), topic);
  // Line 2, behind the double-byte character: column 3 counted from 1.
  QCOMPARE(window.status().PanelText(qy::app::kCaretPanel), QStringLiteral(" 00002行 : 00003桁"));

  // The edit survives a page switch and back.
  window.RunCommand(qy::kCmdPageNext);  // next page
  QVERIFY(window.model().CurrentPage() != page);
  window.tree_pane()->tree()->setCurrentItem(window.tree_pane()->tree()->ItemOf(page));
  QCOMPARE(window.editor().Text(), topic);

  // Insert toggles overwrite mode and its panel.
  QTest::keyClick(window.editor_widget(), Qt::Key_Insert);
  QCOMPARE(window.status().PanelText(qy::app::kInsertPanel), QStringLiteral("上書"));
}

void MainWindowTest::CtrlNWithoutKeyFileStartsNewProject() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  QCOMPARE(window.commands().action(qy::kCmdNewPro)->shortcut(),
           QKeySequence(QStringLiteral("Ctrl+N")));
  window.model().SetModified(true);
  f.prompter.answers.push_back(qy::Answer::kNo);
  QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(f.prompter.shown[0].kind, std::string("ask"));
  QCOMPARE(window.windowTitle(), QStringLiteral("Project1.qyp - Quillory"));
  QCOMPARE(window.model().PageCount(), 1);
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QString());
}

void MainWindowTest::KeyFileDecidesShortcuts() {
  WindowFixture f;
  // A key file that moves "new" to Ctrl+Q and leaves "open" without a key.
  qy::WriteFileAtomic(f.options.key_file_path,
                      "[File]\r\nNewPro=Ctrl+Q\r\nOpenPro=\r\nSavePro=Not\r\n");
  MainWindow& window = f.Start();
  ShowAndActivate(window);
  QCOMPARE(window.commands().action(qy::kCmdNewPro)->shortcut(),
           QKeySequence(QStringLiteral("Ctrl+Q")));
  QVERIFY(window.commands().action(qy::kCmdOpenPro)->shortcut().isEmpty());
  QVERIFY(window.commands().action(qy::kCmdSavePro)->shortcut().isEmpty());
  // Commands the file does not name have no key at all once it exists.
  QVERIFY(window.commands().action(qy::kCmdNewPage)->shortcut().isEmpty());

  window.model().SetModified(true);
  QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
  QVERIFY(f.prompter.shown.empty());  // Ctrl+N does nothing now
  f.prompter.answers.push_back(qy::Answer::kCancel);
  QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});  // the save question of "new"
  QVERIFY(window.model().Modified());                 // cancelled: nothing replaced
}

void MainWindowTest::CloseQuestion_data() {
  QTest::addColumn<int>("answer");
  QTest::newRow("yes") << static_cast<int>(qy::Answer::kYes);
  QTest::newRow("no") << static_cast<int>(qy::Answer::kNo);
  QTest::newRow("cancel") << static_cast<int>(qy::Answer::kCancel);
}

void MainWindowTest::CloseQuestion() {
  QFETCH(int, answer);
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  const std::string before = *qy::ReadWholeFile(file);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  window.model().MutablePage(1).Title = "Changed";
  window.model().SetModified(true);
  f.prompter.answers.push_back(static_cast<qy::Answer>(answer));

  const bool closed = window.close();
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(f.prompter.shown[0].buttons, qy::Buttons::kYesNoCancel);
  const std::string after = *qy::ReadWholeFile(file);
  switch (static_cast<qy::Answer>(answer)) {
    case qy::Answer::kYes:
      QVERIFY(closed);
      QVERIFY(after != before);
      QVERIFY(after.find("Changed") != std::string::npos);
      QCOMPARE(f.Setting("Window", "BorderLine"), std::string("220"));
      break;
    case qy::Answer::kNo:
      QVERIFY(closed);
      QCOMPARE(after, before);
      QCOMPARE(f.Setting("Window", "PageView"), std::string("1"));
      QCOMPARE(f.Setting("Window", "BorderLine"), std::string("220"));
      // DebugSave is off: DebugView is not written.
      QCOMPARE(f.Setting("Window", "DebugView"), std::string());
      break;
    default:
      QVERIFY(!closed);
      QVERIFY(window.isVisible());
      QVERIFY(window.editor_widget()->isVisible());
      QCOMPARE(after, before);
      QCOMPARE(f.Setting("Window", "BorderLine"), std::string());
      break;
  }
}

void MainWindowTest::OpensFullPageTable() {
  WindowFixture f;
  qy::ProjectModel big;
  big.NewProject(f.folder.path());
  while (!big.IsFull()) big.AppendPage(big.MakeNewPage());
  const std::string file = f.folder.File("big.qyp");
  QVERIFY(qy::WriteProjectFile(big, file).ok);

  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  QCOMPARE(window.windowTitle(), QStringLiteral("big.qyp - Quillory"));
  QCOMPARE(window.model().PageCount(), 999);
  QCOMPARE(TreeItemCount(window), 999);
  QVERIFY(!window.status().progress_bar()->isVisible());
  // The table is full: a new page is refused with the message.
  window.RunCommand(qy::kCmdNewPage);
  QCOMPARE(window.model().PageCount(), 999);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(f.prompter.shown[0].text, qy::PageTableFullMessage());
}

void MainWindowTest::KeywordBarRowsStayInRange() {
  WindowFixture f;
  qy::IniFile(f.options.settings_path).WriteString("Window", "KeyBarLevel", "4");
  MainWindow& window = f.Start();
  QCOMPARE(window.keyword_bar()->rows(), 4);
  QVERIFY(window.commands().action(qy::kCmdKeyFour)->isChecked());
  QVERIFY(!window.keyword_bar()->down_button()->isEnabled());
  window.keyword_bar()->up_button()->click();
  QCOMPARE(window.keyword_bar()->rows(), 3);
  QVERIFY(window.commands().action(qy::kCmdKeyThree)->isChecked());
  window.RunCommand(qy::kCmdKeyOne);
  QCOMPARE(window.keyword_bar()->rows(), 1);
  QVERIFY(!window.keyword_bar()->up_button()->isEnabled());
  window.keyword_bar()->up_button()->click();
  QCOMPARE(window.keyword_bar()->rows(), 1);
  window.close();
  QCOMPARE(f.Setting("Window", "KeyBarLevel"), std::string("1"));
}

void MainWindowTest::PageViewAndTreeLabels() {
  WindowFixture f;
  qy::IniFile ini(f.options.settings_path);
  ini.WriteString("Option", "ViewIndex", "6");
  ini.WriteString("Window", "BorderSet", "1");
  ini.WriteString("Window", "BorderLine", "150");
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  QCOMPARE(window.page_splitter()->orientation(), Qt::Vertical);
  QCOMPARE(window.BorderLine(), 150);
  QVERIFY(window.commands().action(qy::kCmdViewCon)->isChecked());
  QVERIFY(window.commands().action(qy::kCmdViewId)->isChecked());
  QVERIFY(!window.commands().action(qy::kCmdViewKey)->isChecked());
  QCOMPARE(window.tree_pane()->tree()->ItemOf(1)->text(0),
           qy::app::ToQt(window.model().TreeLabel(1)));
  QVERIFY(window.tree_pane()->tree()->ItemOf(1)->text(0).contains(
      qy::app::ToQt(window.model().Page(1).Context)));
  // Untick the context item: mode 4.
  window.RunCommand(qy::kCmdViewCon);
  QCOMPARE(window.model().TreeLabelMode(), 4);
  // Hiding the tree keeps the editor; the setting follows at shutdown.
  window.RunCommand(qy::kCmdPageView);
  QVERIFY(!window.tree_pane()->isVisible());
  QVERIFY(!window.commands().action(qy::kCmdPageView)->isChecked());
  window.close();
  QCOMPARE(f.Setting("Window", "PageView"), std::string("0"));
  QCOMPARE(f.Setting("Option", "ViewIndex"), std::string("4"));
}

void MainWindowTest::PageCommandsKeepTreeAndModel() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  const int pages = window.model().PageCount();
  const std::string first = window.model().Page(1).Context;

  // Ctrl+G: a new page right after the current one, shown and selected.
  QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
  QCOMPARE(window.model().PageCount(), pages + 1);
  QCOMPARE(window.model().CurrentPage(), 2);
  QCOMPARE(TreeItemCount(window), pages + 1);
  QCOMPARE(window.tree_pane()->SelectedPage(), 2);
  QCOMPARE(window.keyword_bar()->ValueText(qy::app::KeywordBarField::kContext),
           qy::app::ToQt(window.model().Page(2).Context));
  QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QStringLiteral("変更"));

  // Dropping the new page on the last one moves it behind that; the first
  // page may not move at all.
  const std::string added = window.model().Page(2).Context;
  emit window.tree_pane()->tree()->pageDropped(2, pages + 1);
  QCOMPARE(window.model().Page(pages + 1).Context, added);
  QCOMPARE(window.model().CurrentPage(), pages + 1);
  QCOMPARE(window.tree_pane()->SelectedPage(), pages + 1);
  QCOMPARE(window.tree_pane()->tree()->ItemOf(2)->text(0),
           qy::app::ToQt(window.model().TreeLabel(2)));
  f.prompter.shown.clear();
  emit window.tree_pane()->tree()->pageDropped(1, 3);
  QCOMPARE(window.model().Page(1).Context, first);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(window.model().CurrentPage(), 1);
  QCOMPARE(window.editor().Text(), window.model().Page(1).Topic);

  // Delete asks first; No keeps the page.
  window.tree_pane()->tree()->setCurrentItem(window.tree_pane()->tree()->ItemOf(pages + 1));
  f.prompter.shown.clear();
  f.prompter.answers.push_back(qy::Answer::kNo);
  window.RunCommand(qy::kCmdDelPage);
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(window.model().PageCount(), pages + 1);
  f.prompter.answers.push_back(qy::Answer::kYes);
  window.RunCommand(qy::kCmdDelPage);
  QCOMPARE(window.model().PageCount(), pages);
  QCOMPARE(TreeItemCount(window), pages);
  QCOMPARE(window.editor().Text(), window.model().Page(window.model().CurrentPage()).Topic);
}

void MainWindowTest::RecentFileThatIsGone() {
  WindowFixture f;
  const std::string gone = f.folder.File("gone.qyp");
  const std::string kept = CopySample(f.folder);
  qy::IniFile ini(f.options.settings_path);
  ini.WriteString("Recent Files", "RecentFile1", gone);
  ini.WriteString("Recent Files", "RecentFile2", kept);
  MainWindow& window = f.Start();
  QCOMPARE(window.recent_menu_source()->actions().size(), 2);
  window.findChild<QAction*>(QStringLiteral("mnuFileRecent1"))->trigger();
  QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  QCOMPARE(f.prompter.shown[0].kind, std::string("warning"));
  QCOMPARE(f.Setting("Recent Files", "RecentFile1"), kept);
  QCOMPARE(window.recent_menu_source()->actions().size(), 1);
  // The remaining entry opens from the open button's pop-up.
  window.recent_menu_source()->actions()[0]->trigger();
  QCOMPARE(window.windowTitle(), QStringLiteral("sample.qyp - Quillory"));
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
