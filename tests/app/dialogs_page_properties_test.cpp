// The page-properties dialog driven like a user: typing, kinds, book levels,
// a refused OK that keeps what was typed, and what OK stores.
#include <QTest>

#include "app/dialogs/page_properties_dialog.h"
#include "app/qt_text.h"
#include "core/files.h"
#include "core/ini_file.h"
#include "dialog_shots.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

using qy::Sjis;
using qy::app::PagePropertiesDialog;
using qy::app::ToQt;
using R = qy::PageRow;

class DialogsPagePropertiesTest : public QObject {
  Q_OBJECT

 private slots:
  void EditRefuseAndStore();
  void IncludePresetListsFolderFiles();
};

namespace {

QLineEdit* EditOf(PagePropertiesDialog& dialog, R row) {
  return static_cast<QLineEdit*>(dialog.Box(row));
}

}  // namespace

void DialogsPagePropertiesTest::EditRefuseAndStore() {
  qy::testing::TempDir folder;
  qy::Settings settings(folder.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T T B1 T");
  model.SetCurrentPage(2);
  qy::testing::FakePrompter prompter;
  qy::PagePropertiesModel properties(model, settings);
  PagePropertiesDialog dialog(properties, prompter, {}, {});
  dialog.show();
  SaveDialogShot(dialog, "page_properties");

  // The ID box takes digits only.
  QLineEdit* id = EditOf(dialog, R::kContextId);
  id->setFocus();
  id->end(false);
  QTest::keyClicks(id, "x7");
  QCOMPARE(id->text(), QStringLiteral("27"));

  // Title = keyword: the title fills the keywords until they differ.
  QTest::mouseClick(dialog.Box(R::kTitleIsKeyword), Qt::LeftButton, {}, QPoint(5, 5));
  EditOf(dialog, R::kTitle)->clear();
  QTest::keyClicks(EditOf(dialog, R::kTitle), "Intro");
  QCOMPARE(EditOf(dialog, R::kKeyword)->text(), QStringLiteral("Intro"));
  QTest::keyClicks(EditOf(dialog, R::kKeyword), ";x");
  QVERIFY(!static_cast<QCheckBox*>(dialog.Box(R::kTitleIsKeyword))->isChecked());

  // Kinds show their rows; a book too deep disables OK.
  dialog.KindButton(3)->click();  // Content
  QVERIFY(dialog.Box(R::kKeyword)->isHidden());
  dialog.KindButton(2)->click();  // Book
  SaveDialogShot(dialog, "page_properties_book");
  static_cast<QSlider*>(dialog.Box(R::kLevel))->setValue(2);
  QCOMPARE(dialog.kind_label()->text(), ToQt(Sjis("ブック属性 [レベル 不可]")));
  QVERIFY(!dialog.ok_button()->isEnabled());
  dialog.KindButton(0)->click();  // Topic again
  QVERIFY(dialog.ok_button()->isEnabled() && !dialog.Box(R::kKeyword)->isHidden());

  // A context another page uses is refused: the dialog stays, the focus and
  // the typed text stay in the box, the page is untouched.
  EditOf(dialog, R::kContext)->clear();
  QTest::keyClicks(EditOf(dialog, R::kContext), "hlp000001");
  dialog.ok_button()->click();
  QVERIFY(dialog.isVisible() && !dialog.outcome());
  QCOMPARE(prompter.Texts().back(),
           Sjis("\r\nコンテキスト 「hlp000001」 はすでに他のページで使用されています。"));
  QCOMPARE(dialog.focusWidget(), dialog.Box(R::kContext));
  QCOMPARE(model.Page(2).Title, "Page 2");
  // Then the ID 1 of page 1 is refused with the focus on the ID box.
  dialog.find_free_context()->trigger();
  QCOMPARE(EditOf(dialog, R::kContext)->text(), QStringLiteral("HLP000005"));
  id->setText(QStringLiteral("1"));
  emit id->textEdited(id->text());
  dialog.ok_button()->click();
  QCOMPARE(dialog.focusWidget(), id);
  dialog.find_free_id()->trigger();
  QCOMPARE(id->text(), QStringLiteral("5"));

  dialog.ok_button()->click();
  QVERIFY(!dialog.isVisible() && dialog.outcome());
  const qy::PageRecord& page = model.Page(2);
  QCOMPARE(page.Context, "HLP000005");
  QCOMPARE(page.ContextID, 5);
  QCOMPARE(page.Title, "Intro");
  QCOMPARE(page.Keyword, "Intro;x");
  QVERIFY(model.Modified());
  QCOMPARE(qy::IniFile(folder.File("q.ini")).ReadString("Window", "PageWidth"),
           std::to_string(dialog.width()));
}

void DialogsPagePropertiesTest::IncludePresetListsFolderFiles() {
  qy::testing::TempDir folder;
  qy::WriteFileAtomic(folder.File("help.cnt"), "");
  qy::WriteFileAtomic(folder.File("old.toc"), "");
  qy::Settings settings(folder.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T T");
  model.SetProjectFileName(folder.File("p.qyp"));
  model.MutablePage(1).Keyword = "k";
  qy::testing::FakePrompter prompter;
  qy::PagePropertiesModel properties(model, settings, qy::kIncludePage);
  PagePropertiesDialog dialog(properties, prompter, {}, {});
  dialog.show();
  auto* include = static_cast<QComboBox*>(dialog.Box(R::kInclude));
  QVERIFY(dialog.Box(R::kTitle)->isHidden() && include->isVisible());
  QCOMPARE(include->count(), 2);
  QCOMPARE(include->itemText(0), QStringLiteral("help.cnt"));
  QCOMPARE(include->itemText(1), QStringLiteral("old.toc"));

  include->setEditText(QString());
  dialog.ok_button()->click();
  QCOMPARE(prompter.Texts().back(), Sjis("\r\nインクルードするファイル名は必ず入力してください。"));
  QVERIFY(dialog.focusWidget() == include || dialog.focusWidget() == include->lineEdit());
  include->setCurrentIndex(0);
  dialog.ok_button()->click();
  QVERIFY(dialog.outcome() && dialog.outcome()->kind_changed);
  QCOMPARE(model.Page(1).Attribute, qy::kIncludePage);
  QCOMPARE(model.Page(1).Title, "help.cnt");
  QCOMPARE(model.Page(1).Keyword, "");
}

QTEST_MAIN(DialogsPagePropertiesTest)
#include "dialogs_page_properties_test.moc"
