// The link dialogs as the user drives them: page tree, search, options and
// window row of the jump and popup dialog, the keyword list and hyperlink
// history of the keyword-link dialog, and the page picker behind the macro
// function SelectPage.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/dialogs/keyword_link_dialog.h"
#include "app/dialogs/link_dialog.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/memory_editor.h"
#include "core/settings_keys.h"
#include "modal_driver.h"
#include "support/page_ops_fixture.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::KeywordLinkDialog;
using qy::app::LinkDialog;
using qy::app::testing::WhenShown;

namespace {

int PageOf(QTreeWidgetItem* item) { return item ? item->data(0, Qt::UserRole + 1).toInt() : 0; }

QTreeWidgetItem* ItemOf(QTreeWidget* tree, int page) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if (PageOf(*it) == page) return *it;
  }
  return nullptr;
}

}  // namespace

class DialogsLinksTest : public QObject {
  Q_OBJECT

 private slots:
  void LinkDialogPicksSearchesAndInserts();
  void KeywordLinkDialogListsAndKeepsHistory();
  void WindowCommandsAndSelectPage();
};

void DialogsLinksTest::LinkDialogPicksSearchesAndInserts() {
  qy::testing::TempDir dir;
  qy::testing::FakePrompter prompter;
  qy::Settings settings(dir.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T B1 P C B1 I T");
  model.MutablePage(3).Title = Sjis("用語集");
  model.Header().WindowsSection = "main=a\r\n=skip\r\nsub=b";
  qy::MemoryEditor editor(Sjis("用語"));
  editor.SetSelLength(static_cast<int>(Sjis("用語").size()));

  auto seen = WhenShown<LinkDialog>([&](LinkDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("リンク先の設定 [ジャンプ]"));
    QCOMPARE(d.normal_button()->text(), QStringLiteral("通常ジャンプ(&N)"));
    // The selection found the popup page by a partial title match.
    QCOMPARE(PageOf(d.tree()->currentItem()), 3);
    QCOMPARE(d.status_label()->text(),
             QStringLiteral("コンテキスト名 : HLP000003 [ポップアップ属性]"));
    d.tree()->setCurrentItem(ItemOf(d.tree(), 4));
    QVERIFY(d.status_label()->text().endsWith(QStringLiteral(" [コンテント属性]")));
    QVERIFY(!d.normal_button()->isEnabled());
    d.find_box()->setText(QStringLiteral("Page"));
    d.find_next_button()->click();
    QCOMPARE(PageOf(d.tree()->currentItem()), 7);
    QVERIFY(d.normal_button()->isEnabled());
    d.find_box()->setText(QStringLiteral("無い"));
    d.find_top_button()->click();
    QVERIFY(prompter.Texts() == std::vector<std::string>{qy::PageNotFoundMessage(Sjis("無い"))});
    QCOMPARE(PageOf(d.tree()->currentItem()), 7);
    d.find_box()->clear();
    QVERIFY(!d.find_top_button()->isEnabled());

    QVERIFY(!d.window_list()->isEnabled());
    d.other_window_box()->setChecked(true);
    QVERIFY(d.window_list()->isEnabled());
    QCOMPARE(d.window_list()->count(), 2);
    d.window_list()->setCurrentIndex(1);
    QVERIFY(!d.options_box()->slider()->isEnabled());
    d.options_box()->color_box()->setChecked(true);
    QVERIFY(d.options_box()->slider()->isEnabled());
    d.options_box()->swatch(6)->click();
    QCOMPARE(d.options_box()->slider()->value(), 6);
    d.options_box()->bold_box()->setChecked(true);
    d.resize(600, 400);
    // QY_DIALOG_SHOTS names a folder for a picture of the dialog (docs/).
    const QString shots = qEnvironmentVariable("QY_DIALOG_SHOTS");
    if (!shots.isEmpty()) QVERIFY(d.grab().save(shots + QStringLiteral("/link_dialog.png")));
    d.normal_button()->click();
  });
  qy::app::RunLinkDialog(model, settings, prompter, editor, qy::LinkMode::kJump, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), Sjis("{\\uldb\\b\\cf6 用語}{\\v* !JumpID(.hlp>sub, HLP000007)}"));
  // One undo step brings the selection back.
  editor.Undo();
  QCOMPARE(editor.Text(), Sjis("用語"));
  QCOMPARE(settings.GetInt(qy::keys::kWindowJmpColorPos), 6);
  QCOMPARE(settings.GetBool(qy::keys::kWindowJmpColorChk), true);
  QCOMPARE(settings.GetInt(qy::keys::kWindowLinkWidth), 600);

  // Popup: no window row; a cancelled dialog inserts nothing but keeps its
  // options.
  seen = (WhenShown<LinkDialog>([&](LinkDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("リンク先の設定 [ポップアップ]"));
    QVERIFY(d.other_window_box() == nullptr);
    QCOMPARE(d.button_button()->text(), QStringLiteral("ボタンポップアップ(&B)"));
    QCOMPARE(d.width(), 600);
    d.options_box()->underline_box()->setChecked(false);
  }));
  qy::app::RunLinkDialog(model, settings, prompter, editor, qy::LinkMode::kPopup, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), Sjis("用語"));
  QCOMPARE(settings.GetBool(qy::keys::kWindowPopColorUdr), false);
  QCOMPARE(settings.GetBool(qy::keys::kWindowJmpColorUdr), true);
}

void DialogsLinksTest::KeywordLinkDialogListsAndKeepsHistory() {
  qy::testing::TempDir dir;
  qy::Settings settings(dir.File("q.ini"));
  qy::ProjectModel model;
  qy::testing::MakePages(model, "T T");
  model.MutablePage(1).Keyword = "zed;;def;zed";
  model.MutablePage(2).Keyword = "abc";
  qy::MemoryEditor editor("x");
  editor.SetSelLength(1);

  auto seen = WhenShown<KeywordLinkDialog>([&](KeywordLinkDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("キーワードリンク [Ｋリンク]"));
    QCOMPARE(d.list()->count(), 3);
    QCOMPARE(d.list()->item(0)->text(), QStringLiteral("abc"));
    QCOMPARE(d.list()->item(2)->text(), QStringLiteral("zed"));
    QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {},
                      d.list()->visualItemRect(d.list()->item(1)).center());
    QCOMPARE(d.keyword_box()->text(), QStringLiteral("def"));
    d.button_button()->click();
  });
  qy::app::RunKeywordLinkDialog(model, settings, editor, qy::KeywordLinkMode::kKLink, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("\\{button x,KLink(\"def\")\\}"));

  // Hyperlinks: history order, nothing for an empty target, the used target
  // moves to the top.
  settings.SetString(qy::keys::OptionLink(0), "b.exe");
  settings.SetString(qy::keys::OptionLink(1), "a.exe");
  settings.SetString(qy::keys::OptionLink(2), "c.exe");
  editor.SetText("y");
  editor.SetSelLength(1);
  for (const QString& target : {QString(), QStringLiteral("c.exe")}) {
    seen = (WhenShown<KeywordLinkDialog>([&](KeywordLinkDialog& d) {
      QCOMPARE(d.windowTitle(), QStringLiteral("ハイパーリンク"));
      QCOMPARE(d.list_label()->text(), QStringLiteral("ハイパーリンクリスト(&L)"));
      QCOMPARE(d.list()->item(0)->text(), QStringLiteral("b.exe"));
      d.keyword_box()->setText(target);
      QTest::keyClick(d.keyword_box(), Qt::Key_Return);
    }));
    qy::app::RunKeywordLinkDialog(model, settings, editor, qy::KeywordLinkMode::kHyperlink,
                                  nullptr);
    QVERIFY(*seen);
  }
  QCOMPARE(editor.Text(), std::string("{\\uldb y}{\\v !ExecFile(\"c.exe\")}"));
  QCOMPARE(settings.GetString(qy::keys::OptionLink(0)), std::string("c.exe"));
  QCOMPARE(settings.GetString(qy::keys::OptionLink(1)), std::string("b.exe"));
  QCOMPARE(settings.GetString(qy::keys::OptionLink(2)), std::string("a.exe"));
}

void DialogsLinksTest::WindowCommandsAndSelectPage() {
  qy::app::testing::WindowFixture f;
  qy::app::MainWindow& window = f.Start();
  window.OpenFromCommandLine(qy::app::testing::CopySample(f.folder));
  QVERIFY(window.model().PageCount() >= 3);
  std::unique_ptr<bool> seen;
  for (qy::CommandId command :
       {qy::kCmdJumpLink, qy::kCmdPopupLink, qy::kCmdKLink, qy::kCmdALink, qy::kCmdHLink}) {
    seen.reset(new bool(false));
    bool* flag = seen.get();
    QTimer::singleShot(0, [flag] {
      if (QWidget* modal = QApplication::activeModalWidget()) {
        *flag = true;
        qobject_cast<QDialog*>(modal)->reject();
      }
    });
    window.RunCommand(command);
    QVERIFY2(*seen, qy::FindCommand(command)->id);
  }
  QVERIFY(f.prompter.shown.empty());

  // A macro asks for a page; the picker shows only the tree and OK/Cancel.
  const std::string macro = f.folder.File("pick.p2s");
  QVERIFY(qy::WriteFileAtomic(
      macro,
      "begin SetPageTitle(1, IntToStr(SelectPage)); SetPageTitle(2, IntToStr(SelectPage)) "
      "end."));
  // The first pick chooses page 3, the second is cancelled.
  int answer = 0;
  bool picker_only = false;
  auto* timer = new QTimer(&window);
  QObject::connect(timer, &QTimer::timeout, [&] {
    auto* d = qobject_cast<LinkDialog*>(QApplication::activeModalWidget());
    if (!d || !d->isVisible()) return;
    picker_only = d->windowTitle() == QStringLiteral("ページを選択") &&
                  d->options_box() == nullptr && d->normal_button() == nullptr;
    if (++answer == 1) {
      d->tree()->setCurrentItem(ItemOf(d->tree(), 3));
      d->ok_button()->click();
    } else {
      d->reject();
      timer->stop();
    }
  });
  timer->start(5);
  window.macro_runner().RunFile(macro, true);
  QCOMPARE(answer, 2);
  QVERIFY(picker_only);
  QCOMPARE(window.model().Page(2).Title, std::string("2"));
  QCOMPARE(window.model().Page(3).Title, std::string("-1"));
}

QTEST_MAIN(DialogsLinksTest)
#include "dialogs_links_test.moc"
