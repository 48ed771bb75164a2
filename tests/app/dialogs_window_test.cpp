// Every dialog command of the window opens its dialog (none answers "not
// available"), the kind commands preset the page properties, and a
// keyword-bar click opens them at the clicked field.
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "app/dialogs/page_properties_dialog.h"
#include "app/qt_text.h"
#include "window_fixture.h"

using qy::app::testing::WindowFixture;

class DialogsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void CommandsOpenTheirDialogs();
};

namespace {

// Closes the modal dialog the window opens, noting its object name and
// what `inspect` finds in it.
struct ModalCloser {
  std::string Run(const std::function<void()>& command,
                  const std::function<void(QDialog&)>& inspect = {}) {
    std::string name;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!dialog || !name.empty()) return;
      name = dialog->objectName().toStdString();
      if (inspect) inspect(*dialog);
      dialog->reject();
    });
    timer.start();
    command();
    return name;
  }
};

}  // namespace

void DialogsWindowTest::CommandsOpenTheirDialogs() {
  WindowFixture f;
  // The macro folder must exist for the registration dialog to open.
  qy::WriteFileAtomic(f.options.settings_path, "[Macro]\r\nFold=" + f.folder.path() + "\r\n");
  qy::app::MainWindow& window = f.Start();
  window.show();
  ModalCloser closer;
  const std::pair<qy::CommandId, const char*> commands[] = {
      {qy::kCmdHelpMap, "TfrmMap"},      {qy::kCmdHelpWiz, "TfrmMakeWiz"},
      {qy::kCmdSetupBar, "TfrmOption"},  {qy::kCmdOption, "TfrmOption"},
      {qy::kCmdPageWiz, "TfrmGrpWiz"},   {qy::kCmdPageProperties, "TfrmPage"},
      {qy::kCmdAttrInclude, "TfrmPage"}, {qy::kCmdAttrBook, "TfrmPage"},
      {qy::kCmdProperty, "TfrmProp"},    {qy::kCmdMacReg, "TfrmMenuSet"},
      {qy::kCmdOutside, "TfrmOption"},
  };
  for (const auto& [command, dialog] : commands) {
    QCOMPARE(closer.Run([&] { window.RunCommand(command); }), std::string(dialog));
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

QTEST_MAIN(DialogsWindowTest)
#include "dialogs_window_test.moc"
