// The find windows from their commands: the search-and-replace window, the
// normal find dialog with find next, and the page-link dialog.
#include <QApplication>
#include <QTest>

#include "app/dialogs/normal_find_window.h"
#include "app/dialogs/page_link_window.h"
#include "app/dialogs/search_replace_window.h"
#include "app/qt_text.h"
#include "core/codec.h"
#include "core/cp932.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::MainWindow;

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

void Settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

}  // namespace

class DialogsFindTest : public QObject {
  Q_OBJECT

 private slots:
  // The search rules, replacing, stale hits and the window's life are the
  // find window model's (markup tests); here the controls reach them.
  void SearchReplaceWindowFindsReplacesAndJumps() {
    qy::app::testing::WindowFixture f;
    MainWindow& window = f.StartWithSample();
    const std::vector<int> pages = SetTopics(window, {"a-a", Sjis("アxA")});
    f.Show(pages[1]);

    window.RunCommand(qy::kCmdFind);
    auto* w = window.search_window();
    QVERIFY(w && w->isVisible());
    w->find_box()->setEditText(QStringLiteral("a"));
    w->search_button()->click();
    QCOMPARE(w->list()->model()->rowCount(), 3);  // not the trail byte of "ア"
    SaveDialogShot(*w, "search_replace_window");

    // Replace all reaches the pages and the shown page's editor.
    w->replace_box()->setEditText(QStringLiteral("xyz"));
    w->replace_all_button()->click();
    QCOMPARE(window.model().Page(pages[0]).Topic, std::string("xyz-xyz"));
    QCOMPARE(window.editor().Text(), Sjis("アxxyz"));
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});

    // A row leads to its page and selects the hit; the jump hides the window.
    w->find_box()->setEditText(QStringLiteral("x"));
    w->search_button()->click();
    w->ActivateRow(0);
    QCOMPARE(window.model().CurrentPage(), pages[0]);
    QCOMPARE(window.editor().SelLength(), 1);
    QVERIFY(w->isVisible());
    w->list()->setCurrentIndex(w->list()->model()->index(1, 0));
    w->jump_button()->click();
    QCOMPARE(window.editor().SelStart(), 4);
    QVERIFY(!w->isVisible());
    // An edit makes the hits stale; coming back searches again.
    window.editor().SetSelStart(0);
    window.editor().SetSelText("x");
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(w, &activate);
    QCOMPARE(w->list()->model()->rowCount(), 5);
    window.RunCommand(qy::kCmdFindReset);
    Settle();
    QVERIFY(window.search_window() == nullptr);
  }

  void NormalFindAndFindNext() {
    qy::app::testing::WindowFixture f;
    MainWindow& window = f.StartWithSample();
    const std::vector<int> pages = SetTopics(window, {"no", Sjis("xx検索")});
    f.Show(pages[0]);

    // Nothing searched yet: F3 opens the dialog instead.
    window.RunCommand(qy::kCmdNextFind);
    qy::app::NormalFindWindow* d = window.normal_find_window();
    QVERIFY(d && d->isVisible());
    d->find_box()->setEditText(QStringLiteral("検索"));
    d->auto_box()->setChecked(true);
    d->next_button()->click();
    QCOMPARE(window.model().CurrentPage(), pages[1]);
    QCOMPARE(window.editor().SelText(), Sjis("検索"));
    QVERIFY(f.prompter.shown.empty());  // pages passed without asking

    // The search window closes the dialog, which stores its boxes.
    d->close_box()->setChecked(true);
    window.RunCommand(qy::kCmdFind);
    Settle();
    QVERIFY(window.normal_find_window() == nullptr);
    QCOMPARE(f.Setting("Option", "FindItAuto"), std::string("1"));
  }

  void PageLinkJumpsOnExactMatchOnly() {
    qy::app::testing::WindowFixture f;
    MainWindow& window = f.StartWithSample();
    const int target = window.model().PageCount();
    const std::string context = window.model().Page(target).Context;
    QVERIFY(qy::AsciiLower(context) != context);
    f.Show(1);
    window.editor().SetText(qy::AsciiLower(context));
    window.editor().SetSelLength(static_cast<int>(context.size()));

    auto seen =
        qy::app::testing::WhenShown<qy::app::PageLinkWindow>([&](qy::app::PageLinkWindow& d) {
          // The list entry equal apart from case is selected; the box keeps the
          // typed case, and the jump wants it exact.
          QCOMPARE(qy::app::FromQt(d.list()->currentItem()->text()), context);
          d.jump_button()->click();
          QVERIFY(d.isVisible());
          d.text_box()->setText(qy::app::ToQt(context));
          emit d.text_box()->textEdited(d.text_box()->text());
          d.jump_button()->click();
          QVERIFY(!d.isVisible());
        });
    window.RunCommand(qy::kCmdContext);
    QVERIFY(*seen);
    QCOMPARE(window.model().CurrentPage(), target);
  }
};

QTEST_MAIN(DialogsFindTest)
#include "dialogs_find_test.moc"
