// The options dialog: Cancel writes nothing, a cancelled folder change
// keeps the dialog and writes nothing, OK and Apply write every page (the
// key and toolbar files included).
#include <QTest>

#include "app/dialogs/options_dialog.h"
#include "app/qt_text.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "dialog_shots.h"
#include "support/fakes.h"

using qy::Sjis;
namespace keys = qy::keys;

class DialogsOptionsTest : public QObject {
  Q_OBJECT

 private slots:
  void CancelApplyAndOk();
};

void DialogsOptionsTest::CancelApplyAndOk() {
  qy::testing::TempDir folder;
  const std::string ini = folder.File("q.ini");
  qy::WriteFileAtomic(ini, "[Etcetera]\r\nBitmapPath=c:\\pics\r\n");
  qy::Settings settings(ini);
  qy::testing::FakePrompter prompter;
  int applied = 0;
  qy::app::OptionsHooks hooks;
  hooks.key_file_path = folder.File("q.kst");
  hooks.toolbar_file_path = folder.File("q.bar");
  hooks.applied = [&] { ++applied; };

  {  // The defaults of "その他", then Cancel: the file stays as it was.
    qy::app::OptionsDialog dialog(settings, prompter, hooks);
    QVERIFY(!dialog.Check(keys::kOptionTLeftSpace)->isChecked());  // absent shows unticked
    dialog.other_defaults()->click();
    QVERIFY(dialog.Check(keys::kOptionTLeftSpace)->isChecked());
    dialog.reject();
  }
  QCOMPARE(qy::ReadWholeFile(ini).value_or(""), "[Etcetera]\r\nBitmapPath=c:\\pics\r\n");

  qy::app::OptionsDialog dialog(settings, prompter, hooks, qy::app::OptionsTab::kExternalHelp);
  dialog.show();
  // Five external help files at most; a sixth is not added.
  for (int i = 1; i <= 6; ++i) {
    dialog.help_title()->setText(QStringLiteral("Help %1").arg(i));
    dialog.help_file()->setText(QStringLiteral("h%1.hlp").arg(i));
    dialog.help_button(0)->click();
  }
  QCOMPARE(dialog.help_list()->topLevelItemCount(), 5);
  SaveDialogShot(dialog, "options_external_help");
  dialog.tabs()->setCurrentIndex(2);
  dialog.scenes()->setCurrentItem(dialog.scenes()->topLevelItem(0));  // a heading
  QVERIFY(!dialog.sample()->isEnabled() || dialog.sample()->text().isEmpty());
  dialog.scenes()->setCurrentItem(dialog.scenes()->topLevelItem(0)->child(0));
  QVERIFY(dialog.sample()->text().startsWith(QStringLiteral("AaBbYyZz")));
  SaveDialogShot(dialog, "options_fonts");
  dialog.tabs()->setCurrentIndex(0);
  SaveDialogShot(dialog, "options");
  dialog.tabs()->setCurrentIndex(5);
  SaveDialogShot(dialog, "options_keys");
  dialog.help_button(3)->click();  // the fifth moves up
  // Debug: unticking "open after making" disables its two sub-boxes.
  dialog.Check(keys::kDebugHelpShow)->click();
  QVERIFY(!dialog.Check(keys::kDebugShowNote)->isEnabled());
  dialog.Edit(keys::kEtceteraHelpCompiler)->setText(QStringLiteral("C:\\hcw\\hcrtf.exe"));
  // A key in use is refused; a free one is taken.
  dialog.key_page()->SelectCommand(qy::kCmdNewPro);
  dialog.key_page()->key_list()->setCurrentText(QStringLiteral("F5"));
  dialog.key_page()->modifier(1)->click();  // Ctrl
  dialog.key_page()->key_list()->setCurrentText(QStringLiteral("Ctrl+O"));
  dialog.key_page()->set_button()->click();
  QCOMPARE(prompter.Texts().back(), "\r\n'Ctrl+O'" + Sjis("キーはすでに使われています。"));
  dialog.key_page()->key_list()->setCurrentText(QStringLiteral("Ctrl+Q"));
  dialog.key_page()->set_button()->click();
  QCOMPARE(dialog.key_page()->current_key()->text(), QStringLiteral("Ctrl+Q"));
  // The toolbar page: hide the second button of the file bar.
  QTreeWidgetItem* open_button = dialog.toolbar_page()->tree()->topLevelItem(0)->child(0)->child(1);
  open_button->setCheckState(0, Qt::Unchecked);

  // A new picture folder, refused: nothing is written, the dialog stays.
  dialog.Edit(keys::kEtceteraBitmapPath)->setText(QStringLiteral("d:\\art"));
  prompter.answers.push_back(qy::Answer::kCancel);
  dialog.apply_button()->click();
  QCOMPARE(applied, 0);
  QCOMPARE(qy::IniFile(ini).ReadString("Etcetera", "HelpCompiler"), "");
  // Only the letter case changed: no question, the stored spelling stays.
  dialog.Edit(keys::kEtceteraBitmapPath)->setText(QStringLiteral("C:\\PICS"));
  const std::size_t shown = prompter.shown.size();
  dialog.accept();
  QCOMPARE(prompter.shown.size(), shown);
  QVERIFY(!dialog.isVisible());
  QCOMPARE(applied, 1);

  const qy::IniFile file(ini);
  QCOMPARE(file.ReadString("Etcetera", "BitmapPath"), "c:\\pics");
  QCOMPARE(file.ReadString("Etcetera", "HelpCompiler"), "C:\\hcw\\hcrtf.exe");
  QCOMPARE(file.ReadString("Debug", "HelpShow"), "0");
  QCOMPARE(file.ReadString("Help", "Title3"), "Help 5");
  QCOMPARE(file.ReadString("Help", "File4"), "h4.hlp");
  QCOMPARE(qy::IniFile(folder.File("q.kst")).ReadString("File", "NewPro"), "Ctrl+Q");
  QCOMPARE(qy::IniFile(folder.File("q.bar")).ReadString("FileBar", "OpenPro"), "0");
}

QTEST_MAIN(DialogsOptionsTest)
#include "dialogs_options_test.moc"
