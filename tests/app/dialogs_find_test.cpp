// The find windows from their commands: the search-and-replace window
// (hits, double-byte safety, replace, jumps, stale hits, its life), the
// normal find dialog with find next, and the page-link dialog.
#include <QApplication>
#include <QTest>

#include "app/dialogs/normal_find_window.h"
#include "app/dialogs/page_link_window.h"
#include "app/dialogs/search_replace_window.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "dialog_shots.h"
#include "modal_driver.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::MainWindow;
using qy::app::SearchReplaceDialog;

namespace {

// The sample project with the topic texts `topics` on its first text pages
// and nothing on the others; returns those pages.
std::vector<int> SetTopics(MainWindow& window, const std::vector<std::string>& topics) {
  std::vector<int> pages;
  for (int p = 1; p <= window.model().PageCount(); ++p) {
    qy::PageRecord& page = window.model().MutablePage(p);
    if (!qy::HasTopicText(page.Attribute)) continue;
    page.Topic = pages.size() < topics.size() ? topics[pages.size()] : std::string();
    if (pages.size() < topics.size()) pages.push_back(p);
  }
  return pages;
}

void Show(MainWindow& window, int page) {
  window.tree_pane()->tree()->setCurrentItem(window.tree_pane()->tree()->ItemOf(page));
}

void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class DialogsFindTest : public QObject {
  Q_OBJECT

 private slots:
  void SearchReplaceWindowFindsReplacesAndJumps();
  void NormalFindAndFindNext();
  void PageLinkJumpsOnExactMatchOnly();
};

void DialogsFindTest::SearchReplaceWindowFindsReplacesAndJumps() {
  qy::app::testing::WindowFixture f;
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(qy::app::testing::CopySample(f.folder));
  // "ア" is 0x83 0x41: its trail byte is an "A" that no search may find.
  const std::vector<int> pages =
      SetTopics(window, {"a-a", Sjis("アxA"), "none", Sjis("x\r\nHtml Ａ")});
  QCOMPARE(pages.size(), std::size_t{4});
  Show(window, pages[1]);

  window.RunCommand(qy::kCmdFind);
  SearchReplaceDialog* w = window.search_window();
  QVERIFY(w && w->isVisible());
  QCOMPARE(w->windowTitle(), QStringLiteral("検索・置換"));
  QVERIFY(!window.commands().action(qy::kCmdNewFind)->isEnabled());
  QVERIFY(!window.commands().action(qy::kCmdFindReset)->isEnabled());
  QVERIFY(!w->search_button()->isEnabled());
  w->find_box()->setEditText(QStringLiteral("a"));
  w->search_button()->click();
  QCOMPARE(w->list_label()->text(), QStringLiteral("検索結果リスト(&T) : ３個"));
  QCOMPARE(w->list()->model()->rowCount(), 3);
  const auto key = [&](int row) { return w->list()->model()->index(row, 3).data().toString(); };
  const QString p1 = QString::number(pages[0]), p2 = QString::number(pages[1]);
  QCOMPARE(key(0), p1 + "=1");
  QCOMPARE(key(1), p1 + "=3");
  QCOMPARE(key(2), p2 + "=4");  // after the trail byte, only the real "A"
  QCOMPARE(w->list()->model()->index(2, 1).data().toString(), QStringLiteral("A"));
  QVERIFY(window.commands().action(qy::kCmdFindReset)->isEnabled());
  QVERIFY(w->jump_button()->isEnabled());
  QVERIFY(!w->replace_all_button()->isEnabled());
  SaveDialogShot(*w, "search_replace_window");

  // Replace all: exactly the hits change; the shown page is one undo step.
  w->replace_box()->setEditText(QStringLiteral("xyz"));
  QVERIFY(w->replace_all_button()->isEnabled());
  w->replace_all_button()->click();
  QCOMPARE(window.model().Page(pages[0]).Topic, std::string("xyz-xyz"));
  QCOMPARE(window.model().Page(pages[1]).Topic, Sjis("アxxyz"));
  QCOMPARE(window.model().Page(pages[3]).Topic, Sjis("x\r\nHtml Ａ"));
  QCOMPARE(window.editor().Text(), Sjis("アxxyz"));
  QVERIFY(f.prompter.Texts() == std::vector<std::string>{Sjis("\r\n3個の置換を行いました。")});
  QCOMPARE(w->list()->model()->rowCount(), 0);
  QVERIFY(!window.commands().action(qy::kCmdFindReset)->isEnabled());
  window.RunCommand(qy::kCmdUndo);
  QCOMPARE(window.model().Page(pages[1]).Topic, Sjis("アxA"));

  // Selected rows only; the result list leads to its page.
  w->find_box()->setEditText(QStringLiteral("x"));
  w->search_button()->click();
  QCOMPARE(w->list()->model()->rowCount(), 4);  // xyz-xyz, アxA, x
  w->list()->selectionModel()->select(w->list()->model()->index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
  w->replace_box()->setEditText(QStringLiteral("Q"));
  w->replace_selected_button()->click();
  QCOMPARE(window.model().Page(pages[1]).Topic, Sjis("アQA"));
  QCOMPARE(w->list()->model()->rowCount(), 3);
  w->ActivateRow(2);  // the double-click: page 4's "x", window stays
  QCOMPARE(window.model().CurrentPage(), pages[3]);
  QCOMPARE(window.editor().SelStart(), 0);
  QCOMPARE(window.editor().SelLength(), 1);
  QVERIFY(w->isVisible());
  w->list()->setCurrentIndex(w->list()->model()->index(1, 0));
  w->jump_button()->click();
  QCOMPARE(window.model().CurrentPage(), pages[0]);
  QCOMPARE(window.editor().SelStart(), 4);
  QVERIFY(!w->isVisible());
  QVERIFY(window.commands().action(qy::kCmdNewFind)->isEnabled());

  // An edit makes the hits stale; coming back searches again, silently
  // when there are hits.
  window.editor().SetSelStart(0);
  window.editor().SetSelText("x");
  window.RunCommand(qy::kCmdFind);
  QVERIFY(window.search_window() == w);
  QCOMPARE(w->find_box()->currentText(), QStringLiteral("x"));  // kept
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(w, &activate);
  QCOMPARE(w->list()->model()->rowCount(), 4);

  // Closing with hits hides; the reset drops them and the window.
  w->close();
  QVERIFY(window.search_window() == w && !w->isVisible());
  QCOMPARE(f.Setting("FindText", "Find0"), std::string("x"));
  QCOMPARE(f.Setting("RepText", "Rep0"), std::string("Q"));
  QCOMPARE(f.Setting("Window", "FindTitWidth"), std::string("110"));
  window.RunCommand(qy::kCmdFindReset);
  Settle();
  QVERIFY(window.search_window() == nullptr);
  QCOMPARE(window.find_session().result_state, qy::FindResultState::kNone);
}

void DialogsFindTest::NormalFindAndFindNext() {
  qy::app::testing::WindowFixture f;
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(qy::app::testing::CopySample(f.folder));
  const std::vector<int> pages = SetTopics(window, {"no", Sjis("xx検索")});
  const int last = window.model().PageCount();
  window.model().MutablePage(last).Attribute = qy::kTopicPage;
  window.model().MutablePage(last).Topic = Sjis("検索の最後");
  Show(window, pages[0]);

  // Nothing searched yet: F3 opens the dialog instead.
  window.RunCommand(qy::kCmdNextFind);
  qy::app::NormalFindWindow* d = window.normal_find_window();
  QVERIFY(d && d->isVisible());
  QCOMPARE(d->windowTitle(), QStringLiteral("通常の検索"));
  QVERIFY(!d->next_button()->isEnabled());
  d->find_box()->setEditText(QStringLiteral("検索"));
  d->auto_box()->setChecked(true);
  d->next_button()->click();
  QCOMPARE(window.model().CurrentPage(), pages[1]);
  QCOMPARE(window.editor().SelStart(), 2);
  QCOMPARE(window.editor().SelText(), Sjis("検索"));
  QVERIFY(f.prompter.shown.empty());  // pages passed without asking

  // On the last page the question offers the first page; No keeps all.
  Show(window, last);
  window.editor().SetSelStart(2);
  f.prompter.answers.push_back(qy::Answer::kNo);
  window.RunCommand(qy::kCmdNextFind);
  QVERIFY(f.prompter.Texts() ==
          std::vector<std::string>{Sjis("「検索」 は見つかりませんでした。\r\n\r\n"
                                        "先頭のページから検索しますか？")});
  QCOMPARE(window.model().CurrentPage(), last);
  QCOMPARE(window.editor().SelStart(), 2);
  window.editor().SetSelStart(6);
  window.RunCommand(qy::kCmdBackFind);
  QCOMPARE(window.editor().SelStart(), 0);

  // The search window closes the dialog, which stores its boxes.
  d->close_box()->setChecked(true);
  window.RunCommand(qy::kCmdFind);
  Settle();
  QVERIFY(window.normal_find_window() == nullptr);
  QCOMPARE(f.Setting("Option", "FindItClose"), std::string("1"));
  QCOMPARE(f.Setting("Option", "FindItAuto"), std::string("1"));
  QCOMPARE(f.Setting("FindText", "Find0"), Sjis("検索"));
  window.RunCommand(qy::kCmdNewFind);  // disabled while the window shows
  QVERIFY(window.normal_find_window() == nullptr);
}

void DialogsFindTest::PageLinkJumpsOnExactMatchOnly() {
  qy::app::testing::WindowFixture f;
  MainWindow& window = f.Start();
  window.OpenFromCommandLine(qy::app::testing::CopySample(f.folder));
  const int target = window.model().PageCount();
  const std::string context = window.model().Page(target).Context;
  QVERIFY(qy::AsciiLower(context) != context);
  Show(window, 1);
  window.editor().SetText(qy::AsciiLower(context));
  window.editor().SetSelLength(static_cast<int>(context.size()));

  auto seen = qy::app::testing::WhenShown<qy::app::PageLinkWindow>([&](qy::app::PageLinkWindow& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("ページリンク"));
    QVERIFY(d.context_choice()->isChecked());
    // The list entry equal apart from case is selected; the box keeps
    // the typed case, and the jump wants it exact.
    QCOMPARE(qy::app::FromQt(d.list()->currentItem()->text()), context);
    d.text_box()->setText(qy::app::ToQt(qy::AsciiLower(context)));
    emit d.text_box()->textEdited(d.text_box()->text());
    d.jump_button()->click();
    QVERIFY(d.isVisible());
    QCOMPARE(f.prompter.Texts().back(),
             "\r\n[" + qy::AsciiLower(context) + Sjis("] は見つかりませんでした。"));
    d.text_box()->setText(qy::app::ToQt(context));
    emit d.text_box()->textEdited(d.text_box()->text());
    d.jump_button()->click();
    QVERIFY(!d.isVisible());
  });
  window.RunCommand(qy::kCmdContext);
  QVERIFY(*seen);
  QCOMPARE(window.model().CurrentPage(), target);
}

QTEST_MAIN(DialogsFindTest)
#include "dialogs_find_test.moc"
