// The main window driven as a user would: start-up, opening the sample
// project, page switches and edits, shortcuts from the key file, the close
// question and the layout it keeps, unreadable layout files, a page out in
// the text editor, missing outside programs and menus enabled by the state
// they open in.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <filesystem>

#include "app/qt_text.h"
#include "core/codec.h"
#include "shell/external_editor.h"
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

// The window with a copy of the sample project, shown and active.
MainWindow& OpenSample(WindowFixture& f) {
  MainWindow& window = f.StartWithSample();
  window.show();
  [&] { QVERIFY(QTest::qWaitForWindowActive(&window)); }();
  return window;
}

// Answers like the fake but runs an event loop first, as a real message box
// does: whatever the loop lets happen to the window happens.
class LoopingPrompter : public qy::testing::FakePrompter {
 public:
  qy::Answer Ask(const std::string& text, qy::Buttons buttons, qy::Beep beep,
                 const std::string& caption) override {
    QTest::qWait(50);
    return FakePrompter::Ask(text, buttons, beep, caption);
  }
};

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandLineOpensSampleOrNewProject() {
    QCOMPARE(qy::app::CommandLineFile({"C:\\My", "Docs\\help.qyp"}),
             std::string("C:\\My Docs\\help.qyp"));
    WindowFixture f;
    const std::string file = CopySample(f.folder);
    MainWindow& window = f.Start();
    window.OpenFromCommandLine(file);
    QCOMPARE(window.windowTitle(), QStringLiteral("sample.qyp - Quillory"));
    QCOMPARE(TreeItemCount(window), window.model().PageCount());
    // The first page is shown and the file heads the recent files.
    QCOMPARE(window.editor().Text(), window.model().Page(1).Topic);
    QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnuFileRecent1"))->text(),
             QStringLiteral("&1 ") + QString::fromStdString(file));
    QVERIFY(f.prompter.shown.empty());
    QCOMPARE(window.status().PanelText(qy::app::kMessagePanel), QString());
    // A name that names no file: the message, then a new project.
    window.OpenFromCommandLine(f.folder.File("no such.qyp"));
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QCOMPARE(window.windowTitle(), QStringLiteral("Project1.qyp - Quillory"));
    QCOMPARE(window.model().PageCount(), 1);
    QCOMPARE(window.status().PanelText(qy::app::kCaretPanel), QStringLiteral(" 00001行 : 00001桁"));
  }

  void SwitchingPagesAndEditing() {
    WindowFixture f;
    MainWindow& window = OpenSample(f);
    // Find a page that has text; showing it is no change.
    int page = 2;
    while (!qy::HasTopicText(window.model().Page(page).Attribute)) ++page;
    f.Show(page);
    QVERIFY(!window.model().Modified());

    window.editor_widget()->setFocus();
    window.editor().SetSelStart(0);
    QTest::keyClicks(window.editor_widget(), QStringLiteral("ab"));
    QTest::keyClick(window.editor_widget(), Qt::Key_Return);
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QStringLiteral("あ"));
    QApplication::sendEvent(window.editor_widget(), &typed);
    QCOMPARE(window.status().PanelText(qy::app::kModifiedPanel), QStringLiteral("変更"));
    const std::string topic = window.model().Page(page).Topic;
    QCOMPARE(topic.substr(0, 6), "ab\r\n" + qy::Sjis("あ"));
    // Line 2, behind the double-byte character: column 3 counted from 1.
    QCOMPARE(window.status().PanelText(qy::app::kCaretPanel), QStringLiteral(" 00002行 : 00003桁"));

    // The edit survives a page switch and back.
    f.Show(1);
    f.Show(page);
    QCOMPARE(window.editor().Text(), topic);
    QTest::keyClick(window.editor_widget(), Qt::Key_Insert);
    QCOMPARE(window.status().PanelText(qy::app::kInsertPanel), QStringLiteral("上書"));
  }

  void KeyFileDecidesShortcuts() {
    WindowFixture f;
    // A key file that moves "new" to Ctrl+Q and leaves "open" without a key.
    qy::WriteFileAtomic(f.options.key_file_path, "[File]\r\nNewPro=Ctrl+Q\r\nOpenPro=\r\n");
    MainWindow& window = f.Start();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(window.commands().action(qy::kCmdOpenPro)->shortcut().isEmpty());
    window.model().SetModified(true);
    QTest::keyClick(&window, Qt::Key_N, Qt::ControlModifier);
    QVERIFY(f.prompter.shown.empty());  // Ctrl+N does nothing now
    f.prompter.answers.push_back(qy::Answer::kNo);
    QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});  // the save question of "new"
    QVERIFY(!window.model().Modified());
  }

  void CloseQuestion_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("yes") << static_cast<int>(qy::Answer::kYes);
    QTest::newRow("no") << static_cast<int>(qy::Answer::kNo);
    QTest::newRow("cancel") << static_cast<int>(qy::Answer::kCancel);
  }

  void CloseQuestion() {
    QFETCH(int, answer);
    WindowFixture f;
    LoopingPrompter prompter;
    f.options.prompter = &prompter;
    qy::IniFile(f.options.settings_path).WriteString("Window", "BorderLine", "5000");
    MainWindow& window = OpenSample(f);
    QVERIFY(window.editor_widget()->width() >= 150);  // 5000 was cut back
    window.page_splitter()->setSizes({260, 640});
    const std::string file = window.model().ProjectFileName();
    const std::string before = *qy::ReadWholeFile(file);
    window.model().MutablePage(1).Title = "Changed";
    window.model().SetModified(true);
    prompter.answers.push_back(static_cast<qy::Answer>(answer));

    const bool closed = window.close();
    QCOMPARE(prompter.shown.size(), std::size_t{1});
    const std::string after = *qy::ReadWholeFile(file);
    const bool cancelled = answer == static_cast<int>(qy::Answer::kCancel);
    QCOMPARE(closed, !cancelled);
    QCOMPARE(after.find("Changed") != std::string::npos,
             answer == static_cast<int>(qy::Answer::kYes));
    if (answer != static_cast<int>(qy::Answer::kYes)) QCOMPARE(after, before);
    // The question's event loop leaves the layout alone; it is written only
    // when the window really closes.
    if (cancelled) QCOMPARE(window.BorderLine(), 260);
    QCOMPARE(f.Setting("Window", "BorderLine"), std::string(cancelled ? "5000" : "260"));
  }

  void UnreadableLayoutFilesAreReportedOnce() {
    WindowFixture f;
    // A folder where a file should be: it exists and can not be read.
    std::filesystem::create_directory(f.options.key_file_path);
    std::filesystem::create_directory(f.options.toolbar_file_path);
    MainWindow& window = f.Start();
    const std::vector<std::string> texts = f.prompter.Texts();
    QCOMPARE(texts.size(), std::size_t{2});
    QVERIFY(texts[0].find(qy::Sjis("quillory.bar")) != std::string::npos);
    QVERIFY(texts[1].find(qy::Sjis("quillory.kst")) != std::string::npos);
    // The default keys are there.
    QCOMPARE(window.commands().action(qy::kCmdNewPro)->shortcut(),
             QKeySequence(QStringLiteral("Ctrl+N")));
  }

  void KeywordBarAndPageView() {
    WindowFixture f;
    qy::IniFile ini(f.options.settings_path);
    ini.WriteString("Window", "KeyBarLevel", "4");
    MainWindow& window = f.Start();
    QCOMPARE(window.keyword_bar()->rows(), 4);
    QVERIFY(!window.keyword_bar()->down_button()->isEnabled());
    window.keyword_bar()->up_button()->click();
    window.RunCommand(qy::kCmdKeyOne);
    QVERIFY(!window.keyword_bar()->up_button()->isEnabled());

    window.RunCommand(qy::kCmdPageView);
    QVERIFY(!window.tree_pane()->isVisible());
    window.close();
    QCOMPARE(f.Setting("Window", "KeyBarLevel"), std::string("1"));
    QCOMPARE(f.Setting("Window", "PageView"), std::string("0"));
  }

  void PageCommandsKeepTreeAndModel() {
    WindowFixture f;
    MainWindow& window = OpenSample(f);
    const int pages = window.model().PageCount();

    // Ctrl+G: a new page right after the current one, shown and selected.
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    QCOMPARE(TreeItemCount(window), pages + 1);
    QCOMPARE(window.keyword_bar()->ValueText(qy::app::KeywordBarField::kContext),
             qy::app::ToQt(window.model().Page(2).Context));

    // Dropping the new page on the last one moves it behind that; a refused
    // drop (the first page) shows that page again.
    const std::string added = window.model().Page(2).Context;
    emit window.tree_pane()->tree()->pageDropped(2, pages + 1);
    QCOMPARE(window.model().Page(pages + 1).Context, added);
    QCOMPARE(window.tree_pane()->tree()->ItemOf(2)->text(0),
             qy::app::ToQt(window.model().TreeLabel(2)));
    emit window.tree_pane()->tree()->pageDropped(1, 3);
    QCOMPARE(window.editor().Text(), window.model().Page(1).Topic);

    f.Show(pages + 1);
    f.prompter.answers.push_back(qy::Answer::kYes);
    window.RunCommand(qy::kCmdDelPage);
    QCOMPARE(TreeItemCount(window), pages);
    QCOMPARE(window.editor().Text(), window.model().Page(window.model().CurrentPage()).Topic);
  }

  void PageOutKeepsTheEditorReadOnly() {
    WindowFixture f;
    qy::IniFile(f.options.settings_path).WriteString("Etcetera", "TextEditor", "true");
    MainWindow& window = OpenSample(f);
    const std::string topic = window.model().Page(1).Topic;
    window.RunCommand(qy::kCmdEditor);
    QVERIFY(window.editor().ReadOnly());
    window.editor_widget()->setFocus();
    QTest::keyClicks(window.editor_widget(), QStringLiteral("lost"));
    QCOMPARE(window.editor().Text(), topic);
    QCOMPARE(window.status().PanelText(qy::app::kMessagePanel),
             qy::app::ToQt(qy::ExternalEditReadOnlyNotice()));
    window.RunCommand(qy::kCmdEditor);  // taken back: the editor takes typing again
    QVERIFY(!window.editor().ReadOnly());
    QCOMPARE(window.status().PanelText(qy::app::kMessagePanel), QString());
  }

  void KeyTableWinsInTheEditor() {
    WindowFixture f;
    MainWindow& window = OpenSample(f);
    window.editor_widget()->setFocus();
    QTest::keyClick(window.editor_widget(), Qt::Key_Right, Qt::ControlModifier);
    QCOMPARE(window.model().CurrentPage(), 2);
    // A key the table leaves free keeps its editor meaning.
    window.editor().SetSelStart(0);
    QTest::keyClick(window.editor_widget(), Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window.editor().SelStart(), static_cast<int>(window.editor().Text().size()));
  }

  void MissingOutsideProgramsAreNamed() {
    WindowFixture f;
    qy::IniFile ini(f.options.settings_path);
    ini.WriteString("Etcetera", "TextEditor", "/missing/texteditor");
    MainWindow& window = f.Start();
    window.RunCommand(qy::kCmdEditCnt);  // CNT file in the text editor
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QVERIFY(f.prompter.Texts()[0].find("/missing/texteditor") != std::string::npos);
  }

  void MenusFollowPageAndSelection() {
    WindowFixture f;
    MainWindow& window = f.Start();
    window.editor().SetText("text");
    QMenu* edit = window.commands().section_menu(qy::CommandSection::kEdit);
    QMenu* shortcut = window.commands().section_menu(qy::CommandSection::kShortCut);
    emit edit->aboutToShow();
    emit shortcut->aboutToShow();
    QVERIFY(!window.commands().group_menu(qy::kCmdConvertGroup)->isEnabled());
    window.editor().SetSelLength(2);
    emit edit->aboutToShow();
    QVERIFY(window.commands().group_menu(qy::kCmdConvertGroup)->isEnabled());
    // Closed again, the items' keys work whatever the selection.
    emit shortcut->aboutToHide();
    window.editor().SetSelLength(0);
    QVERIFY(window.commands().action(qy::kCmdIndent)->isEnabled());
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
