// Commands as the user reaches them: a page out in the text editor, keys of
// the key table inside the editor, outside programs that are missing, one
// undo step per markup command and menus enabled by the state they open in.
#include <QMenu>
#include <QTest>

#include "app/qt_text.h"
#include "core/ini_file.h"
#include "markup/format_commands.h"
#include "shell/external_editor.h"
#include "window_fixture.h"

using qy::app::MainWindow;
using qy::app::testing::CopySample;
using qy::app::testing::WindowFixture;

namespace {

void ShowAndActivate(MainWindow& window) {
  window.show();
  QVERIFY(QTest::qWaitForWindowActive(&window));
}

}  // namespace

class WindowCommandsTest : public QObject {
  Q_OBJECT

 private slots:
  void PageOutKeepsTheEditorReadOnly();
  void KeyTableWinsInTheEditor();
  void MissingOutsideProgramsAreNamed();
  void MarkupCommandIsOneUndoStep();
  void MenusFollowPageAndSelection();
};

void WindowCommandsTest::PageOutKeepsTheEditorReadOnly() {
  WindowFixture f;
  qy::IniFile(f.options.settings_path).WriteString("Etcetera", "TextEditor", "true");
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  const std::string topic = window.model().Page(1).Topic;
  window.RunCommand(qy::kCmdEditor);
  QVERIFY(window.external_editing());
  QVERIFY(window.editor().ReadOnly());
  window.editor_widget()->setFocus();
  QTest::keyClicks(window.editor_widget(), QStringLiteral("lost"));
  QCOMPARE(window.editor().Text(), topic);
  QCOMPARE(window.status().PanelText(qy::app::kMessagePanel),
           qy::app::ToQt(qy::ExternalEditReadOnlyNotice()));
  window.RunCommand(qy::kCmdEditor);  // taken back: the editor takes typing again
  QVERIFY(!window.external_editing());
  QVERIFY(!window.editor().ReadOnly());
  QCOMPARE(window.status().PanelText(qy::app::kMessagePanel), QString());
}

void WindowCommandsTest::KeyTableWinsInTheEditor() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  ShowAndActivate(window);
  window.editor_widget()->setFocus();
  QCOMPARE(window.model().CurrentPage(), 1);
  QTest::keyClick(window.editor_widget(), Qt::Key_Right, Qt::ControlModifier);
  QCOMPARE(window.model().CurrentPage(), 2);
  QTest::keyClick(window.editor_widget(), Qt::Key_Left, Qt::ControlModifier);
  QCOMPARE(window.model().CurrentPage(), 1);
  // A key the table leaves free keeps its editor meaning.
  window.editor().SetSelStart(0);
  QTest::keyClick(window.editor_widget(), Qt::Key_End, Qt::ControlModifier);
  QCOMPARE(window.editor().SelStart(), static_cast<int>(window.editor().Text().size()));
}

void WindowCommandsTest::MissingOutsideProgramsAreNamed() {
  WindowFixture f;
  qy::IniFile ini(f.options.settings_path);
  ini.WriteString("Etcetera", "TextEditor", "/missing/texteditor");
  ini.WriteString("Etcetera", "HelpWorkshop", "/missing/workshop");
  MainWindow& window = f.Start();
  window.RunCommand(qy::kCmdEditCnt);  // CNT file in the text editor
  window.RunCommand(qy::kCmdHwsHpj);   // HPJ file in Help Workshop
  const std::vector<std::string> texts = f.prompter.Texts();
  QCOMPARE(texts.size(), std::size_t{2});
  QVERIFY(texts[0].find("/missing/texteditor") != std::string::npos);
  QVERIFY(texts[1].find("/missing/workshop") != std::string::npos);
}

void WindowCommandsTest::MarkupCommandIsOneUndoStep() {
  WindowFixture f;
  MainWindow& window = f.Start();
  qy::Editor& editor = window.editor();
  const std::string text = "first\r\nsecond\r\n";
  editor.SetText(text);  // the non-scrolling region edits twice
  editor.SetSelStart(7);
  editor.SetSelLength(6);
  qy::MakeNonScrollingRegion(editor);
  QVERIFY(editor.Text() != text);
  editor.Undo();
  QCOMPARE(editor.Text(), text);
}

void WindowCommandsTest::MenusFollowPageAndSelection() {
  WindowFixture f;
  MainWindow& window = f.Start();
  qy::Editor& editor = window.editor();
  editor.SetText("text");
  QMenu* edit = window.commands().section_menu(qy::CommandSection::kEdit);
  QMenu* shortcut = window.commands().section_menu(qy::CommandSection::kShortCut);
  emit edit->aboutToShow();
  emit shortcut->aboutToShow();
  QVERIFY(!window.commands().group_menu(qy::kCmdConvertGroup)->isEnabled());
  QVERIFY(!window.commands().action(qy::kCmdLineSpace)->isEnabled());
  editor.SetSelLength(2);
  emit edit->aboutToShow();
  emit shortcut->aboutToShow();
  QVERIFY(window.commands().group_menu(qy::kCmdConvertGroup)->isEnabled());
  QVERIFY(window.commands().action(qy::kCmdBold)->isEnabled());
  // The editor's context menu offers the conversions and the pictures.
  QMenu* popup = window.findChild<QMenu*>(QStringLiteral("pumEditor"));
  QVERIFY(popup);
  QList<QAction*> reachable;
  for (QAction* item : popup->actions())
    reachable << item << (item->menu() ? item->menu()->actions() : QList<QAction*>());
  for (qy::CommandId c : {qy::kCmdUCase, qy::kCmdKata, qy::kCmdBmp1, qy::kCmdBmp9}) {
    QVERIFY(reachable.contains(window.commands().action(c)));
  }
  // Closed again, the items' keys work whatever the selection.
  emit shortcut->aboutToHide();
  editor.SetSelLength(0);
  QVERIFY(window.commands().action(qy::kCmdIndent)->isEnabled());
}

QTEST_MAIN(WindowCommandsTest)
#include "window_commands_test.moc"
