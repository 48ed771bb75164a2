// The new page wizard driven through its screens: refused inputs keep the
// screen and the text, the level check, and the page it makes.
#include <QTest>

#include "app/dialogs/new_page_wizard_dialog.h"
#include "app/qt_text.h"
#include "dialog_shots.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

using qy::Sjis;
using qy::app::ToQt;

class DialogsNewPageWizardTest : public QObject {
  Q_OBJECT

 private slots:
  void WalksTheScreensAndMakesThePage();
};

void DialogsNewPageWizardTest::WalksTheScreensAndMakesThePage() {
  qy::testing::TempDir folder;
  qy::Settings settings(folder.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T B1 T");
  model.SetCurrentPage(2);
  qy::testing::FakePrompter prompter;
  qy::testing::FakeClipboard clipboard;
  qy::PageCommands commands(model, prompter, clipboard, settings);
  qy::NewPageWizard wizard(model, commands, prompter, settings);
  qy::app::NewPageWizardDialog dialog(wizard, {});
  dialog.show();
  auto next = [&] { dialog.next_button()->click(); };

  QVERIFY(!dialog.back_button()->isEnabled() && !dialog.next_button()->isEnabled());
  QTest::keyClicks(dialog.text_box(), "Intro");
  next();
  dialog.choice(2)->click();  // a book
  SaveDialogShot(dialog, "new_page_wizard");
  next();
  dialog.level_slider()->setValue(3);  // two below the level-1 book
  QCOMPARE(dialog.level_label()->text(), ToQt(Sjis("階層レベル : 不可")));
  QVERIFY(!dialog.next_button()->isEnabled());
  dialog.level_slider()->setValue(2);
  QVERIFY(dialog.next_button()->isEnabled());
  dialog.back_button()->click();
  dialog.choice(0)->click();  // a topic after all
  next();
  dialog.choice(1)->click();  // own context
  next();
  QTest::keyClicks(dialog.text_box(), "hlp000001");
  next();  // in use: the screen and the text stay
  QCOMPARE(prompter.Texts().back(), Sjis("このコンテキストは他のページで使われています。\r\n\r\n"
                                         "違うコンテキストを入力してください。"));
  QCOMPARE(dialog.text_box()->text(), QStringLiteral("hlp000001"));
  dialog.text_box()->clear();
  QTest::keyClicks(dialog.text_box(), "intro");
  next();
  dialog.choice(1)->click();  // own ID
  next();
  QTest::keyClicks(dialog.text_box(), "x4y2");
  QCOMPARE(dialog.text_box()->text(), QStringLiteral("42"));
  next();
  next();  // keywords: as the title
  next();  // A keywords: none
  next();  // macro: none
  QCOMPARE(dialog.next_button()->text(), ToQt(Sjis("完了(&E)")));
  next();
  QCOMPARE(dialog.result(), int(QDialog::Accepted));

  QCOMPARE(model.PageCount(), 4);
  const qy::PageRecord& page = model.Page(3);
  QCOMPARE(page.Context, "intro");
  QCOMPARE(page.ContextID, 42);
  QCOMPARE(page.Title, "Intro");
  QCOMPARE(page.Keyword, "Intro");
  QCOMPARE(page.Attribute, qy::kTopicPage);
}

QTEST_MAIN(DialogsNewPageWizardTest)
#include "dialogs_new_page_wizard_test.moc"
