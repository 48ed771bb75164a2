// Where the window looks for the compiler's code list when the debug view
// asks about a code: the folder of the files shipped with the program, which
// differs from the program folder once that one is the user's configuration
// folder.
#include <QTest>

#include "app/debug_pane.h"
#include "core/files.h"
#include "window_fixture.h"

using qy::app::testing::WindowFixture;

class CodeListFolderTest : public QObject {
  Q_OBJECT

 private slots:
  void LooksBesideTheProgram_data();
  void LooksBesideTheProgram();
};

void CodeListFolderTest::LooksBesideTheProgram_data() {
  QTest::addColumn<bool>("shipped_apart");
  QTest::newRow("shipped folder set") << true;
  QTest::newRow("no shipped folder: the program folder") << false;
}

void CodeListFolderTest::LooksBesideTheProgram() {
  QFETCH(bool, shipped_apart);
  WindowFixture fixture;
  qy::testing::TempDir shipped;
  if (shipped_apart) {
    fixture.options.shipped_folder = shipped.path();
    // A list in the program folder must not be the one read.
    QVERIFY(qy::WriteFileAtomic(fixture.folder.File("quillory.hcl"), "HC3025\r\n"));
  }
  auto& window = fixture.Start();

  // Neither case has a list where it is looked for, so the answer is the
  // error naming the path read, and no help viewer starts.
  emit window.debug_pane()->codeHelpRequested(QStringLiteral("HC3025"));
  const std::string expected =
      (shipped_apart ? shipped.path() : fixture.folder.path()) + "quillory.hcl";
  QCOMPARE(fixture.prompter.shown.size(), std::size_t{1});
  QCOMPARE(fixture.prompter.shown[0].kind, std::string("error"));
  QVERIFY2(fixture.prompter.shown[0].text.find(expected) != std::string::npos,
           fixture.prompter.shown[0].text.c_str());
}

QTEST_MAIN(CodeListFolderTest)
#include "code_list_folder_test.moc"
