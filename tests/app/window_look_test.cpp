// The window as a Japanese desktop user meets it: Qt's own texts, message
// boxes with the buttons a macro asks for, icons, the layout
// kept over a close question, unreadable layout files and stale status texts.
#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/qt_prompter.h"
#include "app/toolbar_icons.h"
#include "app/translations.h"
#include "core/codec.h"
#include "core/ini_file.h"
#include "macro/builtins_dialogs.h"
#include "window_fixture.h"

using qy::app::MainWindow;
using qy::app::testing::CopySample;
using qy::app::testing::WindowFixture;

namespace {

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

// Runs `act` on the modal box as soon as the event loop shows it.
void OnModalBox(std::function<void(QMessageBox*)> act) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    act(box);
  });
}

}  // namespace

class WindowLookTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qy::app::InstallQtTranslations(*qApp);
    qy::app::SelectIconTheme();
  }
  void StandardButtonsSpeakJapanese();
  void MacroMessageBoxesShowTheAskedButtons();
  void EveryPageKindHasItsOwnIcon();
  void CloseQuestionKeepsTheLayout();
  void UnreadableLayoutFilesAreReportedOnce();
  void OpenProgressTextGoesAway();
};

void WindowLookTest::StandardButtonsSpeakJapanese() {
  if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm")) {
    QSKIP("Qt's Japanese translation is not installed");
  }
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
  QVERIFY(!box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("Cancel")));
}

void WindowLookTest::MacroMessageBoxesShowTheAskedButtons() {
  using qy::BoxButton;
  // Type, icon and default bits; a default past the last button is the first.
  const qy::MessageBoxRequest retry = qy::MessageBoxRequestOf("t", "c", 0x5 | 0x10 | 0x200);
  QVERIFY(retry.buttons == (std::vector<BoxButton>{BoxButton::kRetry, BoxButton::kCancel}));
  QCOMPARE(retry.icon, qy::Beep::kHand);
  QCOMPARE(retry.default_button, std::size_t{0});

  // The real box: three buttons, the asked default, the pressed button's code.
  QWidget parent;
  qy::app::QtPrompter prompter(&parent);
  qy::PrompterDialogs dialogs(prompter);
  OnModalBox([](QMessageBox* box) {
    QCOMPARE(box->buttons().size(), 3);
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->defaultButton()->text(), QStringLiteral("続行(&C)"));
    for (QAbstractButton* b : box->buttons()) {
      if (b->text() == QStringLiteral("再試行(&T)")) b->click();
    }
  });
  QCOMPARE(dialogs.MessageBox("t", "c", 0x6 | 0x40 | 0x200), qy::message_box::kIdTryAgain);
  OnModalBox([](QMessageBox* box) { box->button(QMessageBox::Ignore)->click(); });
  QCOMPARE(dialogs.MessageBox("t", "c", 0x2), qy::message_box::kIdIgnore);
}

void WindowLookTest::EveryPageKindHasItsOwnIcon() {
  QSet<qint64> images;
  for (const auto& [kind, expanded] : std::vector<std::pair<int, bool>>{{qy::kTopicPage, false},
                                                                        {qy::kPopupPage, false},
                                                                        {qy::kContentPage, false},
                                                                        {qy::kIncludePage, false},
                                                                        {11, false},
                                                                        {11, true}}) {
    const QImage image = qy::app::PageKindIcon(kind, expanded).pixmap(16, 16).toImage();
    QVERIFY(!image.isNull());
    images.insert(qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes())));
  }
  QCOMPARE(images.size(), 6);
}

void WindowLookTest::CloseQuestionKeepsTheLayout() {
  WindowFixture f;
  LoopingPrompter prompter;
  f.options.prompter = &prompter;
  qy::IniFile ini(f.options.settings_path);
  for (const auto& [key, value] :
       {std::pair{"SizOption", "1"}, {"Width", "900"}, {"Height", "600"}, {"BorderLine", "5000"}}) {
    ini.WriteString("Window", key, value);
  }
  MainWindow& window = f.Start();
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QVERIFY(window.editor_widget()->width() >= 150);  // 5000 was cut back
  window.page_splitter()->setSizes({260, 640});
  QCOMPARE(window.BorderLine(), 260);
  window.model().SetModified(true);
  prompter.answers = {qy::Answer::kCancel};
  QVERIFY(!window.close());
  QCOMPARE(window.BorderLine(), 260);
  prompter.answers = {qy::Answer::kNo};
  QVERIFY(window.close());
  QCOMPARE(f.Setting("Window", "BorderLine"), std::string("260"));
}

void WindowLookTest::UnreadableLayoutFilesAreReportedOnce() {
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

void WindowLookTest::OpenProgressTextGoesAway() {
  WindowFixture f;
  const std::string file = CopySample(f.folder);
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(file);
  QCOMPARE(window.model().ProjectFileName(), file);
  QCOMPARE(window.status().PanelText(qy::app::kMessagePanel), QString());
}

QTEST_MAIN(WindowLookTest)
#include "window_look_test.moc"
