// Every dialog command of the window opens its dialog (none answers "not
// available"), the kind commands preset the page properties, a keyword-bar
// click opens them at the clicked field, and the dialogs whose outcome
// reaches the window: the picture registration and the brace check.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/dialogs/brace_check_window.h"
#include "app/dialogs/page_properties_dialog.h"
#include "app/dialogs/picture_registration_dialog.h"
#include "app/qt_text.h"
#include "core/native_path.h"
#include "window_fixture.h"

using qy::app::testing::WindowFixture;

namespace {

// Closes the modal dialog the window opens, noting its class and what
// `inspect` finds in it.
struct ModalCloser {
  std::string Run(const std::function<void()>& command,
                  const std::function<void(QDialog&)>& inspect = {}) {
    std::string name;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !name.empty()) return;
      name = dialog->metaObject()->className();
      if (inspect) inspect(*dialog);
      if (dialog->isVisible()) dialog->reject();
    });
    timer.start();
    command();
    return name;
  }
};

}  // namespace

class DialogsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandsOpenTheirDialogs() {
    WindowFixture f;
    // The macro folder must exist for the registration dialog to open.
    qy::WriteFileAtomic(f.options.settings_path, "[Macro]\r\nFold=" + f.folder.path() + "\r\n");
    qy::app::MainWindow& window = f.Start();
    window.show();
    ModalCloser closer;
    const std::pair<qy::CommandId, const char*> commands[] = {
        {qy::kCmdHelpMap, "HelpMapDialog"},
        {qy::kCmdHelpWiz, "MakeWizardDialog"},
        {qy::kCmdSetupBar, "OptionsDialog"},
        {qy::kCmdOption, "OptionsDialog"},
        {qy::kCmdOutside, "OptionsDialog"},
        {qy::kCmdPageWiz, "NewPageWizardDialog"},
        {qy::kCmdPageProperties, "PagePropertiesDialog"},
        {qy::kCmdAttrInclude, "PagePropertiesDialog"},
        {qy::kCmdProperty, "ProjectPropertiesDialog"},
        {qy::kCmdMacReg, "MacroRegistrationDialog"},
        {qy::kCmdJumpLink, "LinkDialog"},
        {qy::kCmdPopupLink, "LinkDialog"},
        {qy::kCmdKLink, "KeywordLinkDialog"},
        {qy::kCmdALink, "KeywordLinkDialog"},
        {qy::kCmdHLink, "KeywordLinkDialog"}};
    for (const auto& [command, dialog] : commands) {
      QCOMPARE(closer.Run([&] { window.RunCommand(command); }), "qy::app::" + std::string(dialog));
    }
    QVERIFY(f.prompter.shown.empty());

    // The book command opens the dialog as a book of level 1; a keyword-bar
    // click puts the focus into the clicked field's box.
    QString kind;
    closer.Run([&] { window.RunCommand(qy::kCmdAttrBook); },
               [&](QDialog& d) {
                 kind = static_cast<qy::app::PagePropertiesDialog&>(d).kind_label()->text();
               });
    QCOMPARE(kind, qy::app::ToQt(qy::Sjis("ブック属性 [レベル 1]")));
    bool title_focused = false;
    closer.Run([&] { emit window.keyword_bar()->fieldClicked(qy::app::KeywordBarField::kTitle); },
               [&](QDialog& d) {
                 auto& page = static_cast<qy::app::PagePropertiesDialog&>(d);
                 title_focused = page.focusWidget() == page.Box(qy::PageRow::kTitle);
               });
    QVERIFY(title_focused);
    QCOMPARE(window.model().Page(1).Attribute, qy::kTopicPage);  // Cancel kept the page
  }

  void PictureRegistrationRebuildsTheMenus() {
    WindowFixture f;
    qy::app::MainWindow& window = f.Start();
    const std::string section = window.model().Header().BitmapSection;
    const std::string pictures = f.folder.File("pics");
    QVERIFY(std::filesystem::create_directory(pictures));
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(pictures + "/logo.bmp"), "BMP");
    qy::IniFile& ini = window.settings().file();
    QVERIFY(ini.WriteString(section, "BitmapPath", qy::PathToSjis(pictures)));
    ModalCloser closer;
    closer.Run([&] { window.RunCommand(qy::kCmdBmpSet); },
               [](QDialog& dialog) {
                 auto& d = static_cast<qy::app::PictureRegistrationDialog&>(dialog);
                 d.files()->setCurrentRow(0);
                 QVERIFY(!d.preview()->pixmap().isNull());
                 d.title_box()->setText(QStringLiteral("ロゴ"));
                 d.button(0)->click();
                 d.registered()->item(0)->setCheckState(Qt::Checked);
                 d.accept();
               });
    QCOMPARE(ini.ReadString(section, "BitmapName1", ""), std::string("logo.bmp"));
    QCOMPARE(ini.ReadString(section, "BitmapCheck1", ""), std::string("True"));
    QCOMPARE(window.commands().action(qy::kCmdBmp1)->text(), QStringLiteral("ロゴ"));
    QVERIFY(!window.commands().action(qy::kCmdBmp2)->isVisible());
    window.RunCommand(qy::kCmdBmp1);
    QCOMPARE(window.editor().Text(), std::string("\\{bmct logo.bmp\\}"));
    // Cancel keeps the settings as they were.
    closer.Run([&] { window.RunCommand(qy::kCmdBmpSet); },
               [](QDialog& dialog) {
                 auto& d = static_cast<qy::app::PictureRegistrationDialog&>(dialog);
                 d.registered()->setCurrentRow(0);
                 d.button(2)->click();
               });
    QCOMPARE(ini.ReadString(section, "BitmapName1", ""), std::string("logo.bmp"));
  }

  void BraceCheckListsAndLeads() {
    WindowFixture f;
    qy::app::MainWindow& window = f.StartWithSample();
    for (int p = 1; p <= window.model().PageCount(); ++p) window.model().MutablePage(p).Topic = "";
    window.model().MutablePage(3).Topic = "{\\b x}{";
    // One window, checked by its button; a row leads to its page.
    window.RunCommand(qy::kCmdBraceChk);
    window.RunCommand(qy::kCmdBraceChk);
    QCOMPARE(window.findChildren<qy::app::BraceCheckDialog*>().size(), qsizetype{1});
    qy::app::BraceCheckDialog* braces = qy::app::OpenBraceCheckWindow(&window);
    QVERIFY(braces && braces->isVisible());
    braces->check_button()->click();
    QCOMPARE(braces->list()->topLevelItemCount(), 1);
    QTreeWidgetItem* row = braces->list()->topLevelItem(0);
    QCOMPARE(row->text(1).toStdString(), window.model().Page(3).Context);
    emit braces->list()->itemDoubleClicked(row, 0);
    QCOMPARE(window.model().CurrentPage(), 3);
    // An edit makes the list stale; coming back checks again without a word.
    window.editor().SetText("{}");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(braces, &activate);
    QCOMPARE(braces->list()->topLevelItemCount(), 0);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});  // the check button's report
    // A new project closes the window.
    window.model().SetModified(false);
    window.RunCommand(qy::kCmdNewPro);
    QVERIFY(qy::app::OpenBraceCheckWindow(&window) == nullptr);
  }
};

QTEST_MAIN(DialogsWindowTest)
#include "dialogs_window_test.moc"
