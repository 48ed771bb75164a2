// The dialogs built over their Qt-free models, driven like a user: the
// controls reach the model, a refused OK keeps the dialog and what was
// typed, Cancel writes nothing and OK stores. The rules themselves are the
// models' (project, build, macro tests); the options form's are here.
#include <QTest>

#include "app/dialogs/help_map_dialog.h"
#include "app/dialogs/macro_registration_dialog.h"
#include "app/dialogs/macro_run_dialog.h"
#include "app/dialogs/make_wizard_dialog.h"
#include "app/dialogs/new_page_wizard_dialog.h"
#include "app/dialogs/options_dialog.h"
#include "app/dialogs/page_properties_dialog.h"
#include "app/dialogs/project_properties_dialog.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "core/settings_keys.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"
#include "window_fixture.h"

using qy::app::PagePropertiesDialog;
using R = qy::PageRow;

namespace {

QLineEdit* EditOf(PagePropertiesDialog& dialog, R row) {
  return static_cast<QLineEdit*>(dialog.Box(row));
}

// A project of `pages` (see MakePages) with its settings and prompter.
struct Project {
  explicit Project(const char* pages) { qy::testing::MakePages(model, pages); }
  qy::testing::TempDir folder;
  qy::Settings settings{folder.File("q.ini")};
  qy::ProjectModel model;
  qy::testing::FakePrompter prompter;
};

}  // namespace

class DialogsModelsTest : public QObject {
  Q_OBJECT

 private slots:
  void PagePropertiesRefuseAndStore() {
    Project p("T T B1 T");
    p.model.SetCurrentPage(2);
    qy::PagePropertiesModel properties(p.model, p.settings);
    PagePropertiesDialog dialog(properties, p.prompter, {}, {});
    dialog.show();
    SaveDialogShot(dialog, "page_properties");

    QLineEdit* id = EditOf(dialog, R::kContextId);
    id->setFocus();
    id->end(false);
    QTest::keyClicks(id, "x7");
    QCOMPARE(id->text(), QStringLiteral("27"));
    EditOf(dialog, R::kTitle)->clear();
    QTest::keyClicks(EditOf(dialog, R::kTitle), "Intro");
    // A book too deep disables OK.
    dialog.KindButton(2)->click();
    static_cast<QSlider*>(dialog.Box(R::kLevel))->setValue(2);
    QVERIFY(!dialog.ok_button()->isEnabled());
    dialog.KindButton(0)->click();

    // A context another page uses is refused: the dialog, the focus and the
    // typed text stay, the page is untouched.
    EditOf(dialog, R::kContext)->clear();
    QTest::keyClicks(EditOf(dialog, R::kContext), "hlp000001");
    dialog.ok_button()->click();
    QVERIFY(dialog.isVisible() && !dialog.outcome());
    QCOMPARE(p.prompter.shown.size(), std::size_t{1});
    QCOMPARE(dialog.focusWidget(), dialog.Box(R::kContext));
    QCOMPARE(EditOf(dialog, R::kContext)->text(), QStringLiteral("hlp000001"));
    dialog.find_free_context()->trigger();
    dialog.ok_button()->click();
    QVERIFY(!dialog.isVisible() && dialog.outcome());
    const qy::PageRecord& page = p.model.Page(2);
    QCOMPARE(page.Context, "HLP000005");
    QCOMPARE(page.ContextID, 27);
    QCOMPARE(page.Title, "Intro");
    QCOMPARE(qy::IniFile(p.folder.File("q.ini")).ReadString("Window", "PageWidth"),
             std::to_string(dialog.width()));
  }

  void NewPageWizardWalksItsScreens() {
    Project p("T B1 T");
    p.model.SetCurrentPage(2);
    qy::testing::FakeClipboard clipboard;
    qy::PageCommands commands(p.model, p.prompter, clipboard, p.settings);
    qy::NewPageWizard wizard(p.model, commands, p.prompter, p.settings);
    qy::app::NewPageWizardDialog dialog(wizard, {});
    dialog.show();
    auto next = [&] { dialog.next_button()->click(); };

    QVERIFY(!dialog.next_button()->isEnabled());
    QTest::keyClicks(dialog.text_box(), "Intro");
    next();
    dialog.choice(2)->click();  // a book, too deep for its place
    next();
    dialog.level_slider()->setValue(3);
    QVERIFY(!dialog.next_button()->isEnabled());
    dialog.back_button()->click();
    dialog.choice(0)->click();  // a topic after all
    next();
    dialog.choice(1)->click();  // own context
    next();
    QTest::keyClicks(dialog.text_box(), "hlp000001");
    next();  // in use: the screen and the text stay
    QCOMPARE(p.prompter.shown.size(), std::size_t{1});
    QCOMPARE(dialog.text_box()->text(), QStringLiteral("hlp000001"));
    dialog.text_box()->setText(QStringLiteral("intro"));
    for (int screen = 0; screen < 6; ++screen) next();  // the rest as offered
    QCOMPARE(p.model.Page(3).Context, "intro");
    QCOMPARE(p.model.Page(3).Title, "Intro");
  }

  void ProjectPropertiesEditsTheTabs() {
    Project p("T P B1 T");
    p.model.SetProjectFileName(p.folder.File("Sample.qyp"));
    p.model.SetModified(false);
    int menu_rebuilds = 0;
    qy::app::ProjectPropertiesHooks hooks;
    hooks.rebuild_bitmap_menu = [&] { ++menu_rebuilds; };
    qy::app::ProjectPropertiesDialog dialog(p.model, p.settings, p.prompter, hooks);
    dialog.show();
    SaveDialogShot(dialog, "project_properties");
    dialog.help_title()->setText(QStringLiteral("Manual"));
    // Windows: a second style at a typed left edge (digits only).
    qy::app::WindowStylesPage* windows = dialog.windows();
    windows->ask_style_name = [] { return QStringLiteral("sub"); };
    windows->add_button()->click();
    windows->Box(qy::StyleBox::kMaximize)->click();
    QTest::keyClicks(windows->position(qy::PositionPart::kLeft), "1a0");
    // Own bitmap folder: refused while empty, nothing stored.
    dialog.default_folder()->click();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    QVERIFY(!p.model.Modified());
    dialog.bitmap_folder()->setText(QStringLiteral("C:\\pics"));
    dialog.accept();
    QVERIFY(!dialog.isVisible());

    const qy::ProjectHeader& header = p.model.Header();
    QCOMPARE(header.HelpTitle, "Manual");
    QCOMPARE(header.WindowsSection,
             "main=\"\",,27648,(r14876671),(r12632256)\r\n"
             "sub=\"\",(10,,,),5,(r14876671),(r12632256)");
    QCOMPARE(qy::IniFile(p.folder.File("q.ini")).ReadString("sample.qyp", "BitmapPath"),
             "C:\\pics");
    QCOMPARE(menu_rebuilds, 1);
  }

  void MakeWizardAndHelpMap() {
    // The make wizard's boxes are the project options' flags.
    qy::ProjectModel project;
    project.Header().ProjectOptions = "10000000main";
    const qy::MakeWizardChoices opened = qy::LoadMakeWizardChoices(project.Header());
    qy::app::MakeWizardDialog wizard(opened, {});
    wizard.Box(0)->click();
    wizard.Box(3)->click();
    QVERIFY(qy::StoreMakeWizardChoices(wizard.Chosen(), opened, project));
    QCOMPARE(project.Header().ProjectOptions, "00010000main");

    // The help-map list: dropped names, written through to its file.
    qy::testing::TempDir folder;
    const std::string list_file = qy::HelpMapListFileName(folder.File("p.qyp"));
    qy::testing::FakePrompter prompter;
    qy::HelpMapList list(list_file);
    qy::app::HelpMapDialog dialog(list, prompter, nullptr);
    dialog.DropFiles({"app.HM", "b.hm", "c.doc"});
    QCOMPARE(dialog.list()->count(), 2);
    dialog.list()->setCurrentRow(0);
    dialog.button(2)->click();
    QCOMPARE(qy::HelpMapList(list_file).Entries(), std::vector<std::string>{"b.hm"});
    dialog.button(3)->click();  // import every listed file
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.files(), std::vector<std::string>{"b.hm"});
  }

  void MacroRunAndRegistration() {
    qy::testing::TempDir folder;
    qy::WriteFileAtomic(folder.File("b.p2s"), "//T=Beta\r\nbegin end.");
    qy::WriteFileAtomic(folder.File("a.P2S"), "begin end.");
    qy::WriteFileAtomic(folder.File("c.txt"), "");
    {
      qy::app::MacroRunDialog dialog(folder.path(), {}, {});
      QCOMPARE(dialog.panel()->list()->count(), 2);
      dialog.panel()->list()->setCurrentRow(1);
      QVERIFY(dialog.panel()->title_label()->text().endsWith(QStringLiteral("Beta")));
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
    dialog.accept();
    const std::vector<qy::MacroRegistration> stored = qy::ReadMacroRegistrations(settings);
    QCOMPARE(stored[0], (qy::MacroRegistration{"a.P2S", "Alpha"}));
  }

  void OptionsCancelApplyAndOk() {
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
      QVERIFY(!dialog.Check(qy::keys::kOptionTLeftSpace)->isChecked());  // absent shows unticked
      dialog.other_defaults()->click();
      QVERIFY(dialog.Check(qy::keys::kOptionTLeftSpace)->isChecked());
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
    dialog.tabs()->setCurrentIndex(2);
    dialog.scenes()->setCurrentItem(dialog.scenes()->topLevelItem(0));  // a heading
    QVERIFY(!dialog.sample()->isEnabled() || dialog.sample()->text().isEmpty());
    dialog.scenes()->setCurrentItem(dialog.scenes()->topLevelItem(0)->child(0));
    QVERIFY(dialog.sample()->text().startsWith(QStringLiteral("AaBbYyZz")));
    SaveDialogShot(dialog, "options_fonts");
    dialog.tabs()->setCurrentIndex(0);
    SaveDialogShot(dialog, "options");
    dialog.help_button(3)->click();  // the fifth moves up
    // Debug: unticking "open after making" disables its two sub-boxes.
    dialog.Check(qy::keys::kDebugHelpShow)->click();
    QVERIFY(!dialog.Check(qy::keys::kDebugShowNote)->isEnabled());
    dialog.Edit(qy::keys::kEtceteraHelpCompiler)->setText(QStringLiteral("C:\\hcw\\hcrtf.exe"));
    // A key in use is refused; a free one is taken.
    dialog.key_page()->SelectCommand(qy::kCmdNewPro);
    dialog.key_page()->modifier(1)->click();  // Ctrl
    dialog.key_page()->key_list()->setCurrentText(QStringLiteral("Ctrl+O"));
    dialog.key_page()->set_button()->click();
    QVERIFY(prompter.Texts().back().find("'Ctrl+O'") != std::string::npos);
    dialog.key_page()->key_list()->setCurrentText(QStringLiteral("Ctrl+Q"));
    dialog.key_page()->set_button()->click();
    // The toolbar page: hide the second button of the file bar.
    QTreeWidgetItem* open_button =
        dialog.toolbar_page()->tree()->topLevelItem(0)->child(0)->child(1);
    open_button->setCheckState(0, Qt::Unchecked);

    // A new picture folder, refused: nothing is written, the dialog stays.
    dialog.Edit(qy::keys::kEtceteraBitmapPath)->setText(QStringLiteral("d:\\art"));
    prompter.answers.push_back(qy::Answer::kCancel);
    dialog.apply_button()->click();
    QCOMPARE(applied, 0);
    QCOMPARE(qy::IniFile(ini).ReadString("Etcetera", "HelpCompiler"), "");
    // Only the letter case changed: no question, the stored spelling stays.
    dialog.Edit(qy::keys::kEtceteraBitmapPath)->setText(QStringLiteral("C:\\PICS"));
    const std::size_t shown = prompter.shown.size();
    dialog.accept();
    QCOMPARE(prompter.shown.size(), shown);
    QCOMPARE(applied, 1);

    const qy::IniFile file(ini);
    QCOMPARE(file.ReadString("Etcetera", "BitmapPath"), "c:\\pics");
    QCOMPARE(file.ReadString("Etcetera", "HelpCompiler"), "C:\\hcw\\hcrtf.exe");
    QCOMPARE(file.ReadString("Debug", "HelpShow"), "0");
    QCOMPARE(file.ReadString("Help", "Title3"), "Help 5");
    QCOMPARE(qy::IniFile(folder.File("q.kst")).ReadString("File", "NewPro"), "Ctrl+Q");
    QCOMPARE(qy::IniFile(folder.File("q.bar")).ReadString("FileBar", "OpenPro"), "0");
  }
};

QTEST_MAIN(DialogsModelsTest)
#include "dialogs_models_test.moc"
