// The project properties dialog: every tab edited through its controls, a
// refused OK that keeps the dialog, and the header and settings afterwards.
#include <QTest>

#include "app/dialogs/project_properties_dialog.h"
#include "app/qt_text.h"
#include "core/ini_file.h"
#include "dialog_shots.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

using qy::Sjis;
using qy::StyleBox;
using qy::app::ToQt;

class DialogsProjectPropertiesTest : public QObject {
  Q_OBJECT

 private slots:
  void EditsEveryTabAndStores();
};

void DialogsProjectPropertiesTest::EditsEveryTabAndStores() {
  qy::testing::TempDir folder;
  qy::Settings settings(folder.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T P B1 T");
  model.SetProjectFileName(folder.File("Sample.qyp"));
  model.SetModified(false);
  qy::testing::FakePrompter prompter;
  int menu_rebuilds = 0;
  qy::app::ProjectPropertiesHooks hooks;
  hooks.rebuild_bitmap_menu = [&] { ++menu_rebuilds; };
  hooks.choose_color = [](int) { return std::optional<int>(0x0000ff); };
  qy::app::ProjectPropertiesDialog dialog(model, settings, prompter, hooks);
  dialog.show();

  dialog.help_title()->setText(QStringLiteral("Manual"));
  dialog.font_size()->setCurrentIndex(5);

  // Windows: a second style, maximised, red topic area; main stays.
  qy::app::WindowStylesPage* windows = dialog.windows();
  windows->ask_style_name = [] { return QStringLiteral("sub"); };
  windows->add_button()->click();
  QCOMPARE(windows->style_list()->count(), 2);
  dialog.tabs()->setCurrentIndex(2);
  SaveDialogShot(dialog, "project_properties_windows");
  dialog.tabs()->setCurrentIndex(1);
  SaveDialogShot(dialog, "project_properties");
  windows->Box(StyleBox::kMaximize)->click();
  QVERIFY(!windows->Box(StyleBox::kAutoHeight)->isEnabled());
  QTest::keyClicks(windows->position(qy::PositionPart::kLeft), "1a0");
  QCOMPARE(windows->position(qy::PositionPart::kLeft)->text(), QStringLiteral("10"));
  for (QPushButton* button : windows->findChildren<QPushButton*>()) {
    if (button->text() == ToQt(Sjis("変更(&T)..."))) button->click();
  }
  windows->style_list()->setCurrentRow(0);
  windows->delete_button()->click();
  QCOMPARE(prompter.Texts().back(),
           "\r\n" + Sjis("ウインドウスタイル \"main\" は削除できません。"));

  // Configuration: direct editing, confirmed.
  dialog.config_direct()->click();
  QVERIFY(dialog.config_direct()->isChecked());

  // Words: two, and the first can not move up.
  dialog.word_entry()->setText(QStringLiteral("alpha"));
  dialog.word_button(0)->click();
  dialog.word_entry()->setText(QStringLiteral("beta"));
  dialog.word_button(0)->click();
  dialog.word_list()->setCurrentRow(0);
  dialog.word_button(3)->click();
  QCOMPARE(prompter.Texts().back(), "\r\n" + Sjis("この言葉はリストの先頭にあります。"));

  // Own bitmap folder: refused while empty, nothing stored.
  dialog.default_folder()->click();
  QVERIFY(dialog.bitmap_folder()->isEnabled());
  dialog.accept();
  QVERIFY(dialog.isVisible());
  QCOMPARE(model.Header().HelpTitle, "");
  QVERIFY(!model.Modified());
  dialog.bitmap_folder()->setText(QStringLiteral("C:\\pics"));
  dialog.contents_include()->click();
  dialog.include_file()->setText(QStringLiteral("other.cnt"));
  dialog.accept();
  QVERIFY(!dialog.isVisible());

  const qy::ProjectHeader& header = model.Header();
  QCOMPARE(header.HelpTitle, "Manual");
  QCOMPARE(header.FontSizeIndex, 5);
  QCOMPARE(header.WindowsSection,
           "main=\"\",,27648,(r14876671),(r12632256)\r\nsub=\"\",(10,,,),5,(r255),(r12632256)");
  QCOMPARE(header.ConfigSection, "");
  QCOMPARE(header.Word, "alpha\r\nbeta");
  QCOMPARE(header.ProjectOptions, "00000111main//other.cnt");
  QCOMPARE(header.BitmapSection, "sample.qyp");
  QCOMPARE(qy::IniFile(folder.File("q.ini")).ReadString("sample.qyp", "BitmapPath"), "C:\\pics");
  QCOMPARE(menu_rebuilds, 1);
  QVERIFY(model.Modified());
}

QTEST_MAIN(DialogsProjectPropertiesTest)
#include "dialogs_project_properties_test.moc"
