// The make wizard and the help-map dialog: what they hand back, what the
// make wizard stores, and the help-map list written through to its file.
#include <QTest>

#include "app/dialogs/help_map_dialog.h"
#include "app/dialogs/macro_registration_dialog.h"
#include "app/dialogs/macro_run_dialog.h"
#include "app/dialogs/make_wizard_dialog.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/settings_keys.h"
#include "dialog_shots.h"
#include "support/fakes.h"

class DialogsWizardAndMapTest : public QObject {
  Q_OBJECT

 private slots:
  void MakeWizardStoresTheFiveChoices();
  void HelpMapListAndImportChoice();
  void MacroRunAndRegistration();
};

void DialogsWizardAndMapTest::MakeWizardStoresTheFiveChoices() {
  qy::ProjectModel project;
  project.Header().ProjectOptions = "10000000main";
  project.Header().CompressMode = 1;
  project.SetModified(false);
  const qy::MakeWizardChoices opened = qy::LoadMakeWizardChoices(project.Header());
  qy::app::MakeWizardDialog dialog(opened, {});
  SaveDialogShot(dialog, "make_wizard");
  QVERIFY(dialog.Box(0)->isChecked() && !dialog.Box(3)->isChecked() && !dialog.Box(4)->isChecked());
  dialog.Box(0)->click();
  dialog.Box(3)->click();
  dialog.Box(4)->click();
  QVERIFY(qy::StoreMakeWizardChoices(dialog.Chosen(), opened, project));
  QCOMPARE(project.Header().ProjectOptions, "00010000main");
  QCOMPARE(project.Header().CompressMode, 3);
  QVERIFY(project.Modified());
}

void DialogsWizardAndMapTest::HelpMapListAndImportChoice() {
  qy::testing::TempDir folder;
  const std::string list_file = qy::HelpMapListFileName(folder.File("p.qyp"));
  qy::testing::FakePrompter prompter;
  {
    qy::HelpMapList list(list_file);
    qy::app::HelpMapDialog dialog(list, prompter, nullptr);
    dialog.file_box()->setText(QStringLiteral("a.txt"));
    dialog.button(1)->click();  // not a help map: not added
    dialog.file_box()->setText(QStringLiteral("app.HM"));
    dialog.button(1)->click();
    dialog.DropFiles({"app.HM", "b.hm", "c.doc"});
    QCOMPARE(dialog.list()->count(), 2);
    QVERIFY(qy::FileExists(list_file));
    dialog.button(3)->click();  // import every listed file
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.files(), (std::vector<std::string>{"app.HM", "b.hm"}));
  }
  qy::HelpMapList list(list_file);  // read back from the file
  qy::app::HelpMapDialog dialog(list, prompter, nullptr);
  QCOMPARE(dialog.list()->count(), 2);
  for (int i = 0; i < 2; ++i) {
    dialog.list()->setCurrentRow(0);
    dialog.button(2)->click();
  }
  QVERIFY(!qy::FileExists(list_file));  // the last entry takes the file along
  dialog.file_box()->setText(QStringLiteral("one.hm"));
  dialog.button(0)->click();
  QCOMPARE(dialog.files(), std::vector<std::string>{"one.hm"});
}

void DialogsWizardAndMapTest::MacroRunAndRegistration() {
  qy::testing::TempDir folder;
  qy::WriteFileAtomic(folder.File("b.p2s"), "//T=Beta\r\nbegin end.");
  qy::WriteFileAtomic(folder.File("a.P2S"), "begin end.");
  qy::WriteFileAtomic(folder.File("c.txt"), "");
  {
    qy::app::MacroRunDialog dialog(folder.path(), {}, {});
    QCOMPARE(dialog.panel()->list()->count(), 2);
    dialog.ok_button()->click();  // nothing chosen: stays
    QCOMPARE(dialog.result(), 0);
    dialog.panel()->list()->setCurrentRow(1);
    QVERIFY(dialog.panel()->title_label()->text().endsWith(QStringLiteral("Beta")));
    QVERIFY(dialog.panel()->preview()->toPlainText().startsWith(QStringLiteral("//T=Beta\n")));
    SaveDialogShot(dialog, "macro_run");
    dialog.ok_button()->click();
    QCOMPARE(dialog.chosen(), folder.File("b.p2s"));
  }
  qy::Settings settings(folder.File("q.ini"));
  settings.SetString(qy::keys::kMacroFold, folder.path());
  qy::testing::FakePrompter prompter;
  qy::app::MacroRegistrationDialog dialog(settings, prompter, {});
  dialog.panel()->list()->setCurrentRow(1);
  QCOMPARE(dialog.title_box()->text(), QStringLiteral("Beta"));  // the title line
  dialog.button(0)->click();
  dialog.panel()->list()->setCurrentRow(0);
  dialog.title_box()->setText(QStringLiteral("Alpha"));
  dialog.button(0)->click();
  dialog.button(3)->click();  // Alpha moves up
  dialog.ask_title = [](const std::string&) { return std::optional<std::string>(""); };
  dialog.button(1)->click();  // an empty title changes nothing
  SaveDialogShot(dialog, "macro_registration");
  dialog.accept();
  QCOMPARE(settings.GetInt(qy::keys::kMacroCount), 2);
  const std::vector<qy::MacroRegistration> stored = qy::ReadMacroRegistrations(settings);
  QCOMPARE(stored[0], (qy::MacroRegistration{"a.P2S", "Alpha"}));
  QCOMPARE(stored[1], (qy::MacroRegistration{"b.p2s", "Beta"}));
}

QTEST_MAIN(DialogsWizardAndMapTest)
#include "dialogs_wizard_and_map_test.moc"
