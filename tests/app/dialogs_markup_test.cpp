// The dialogs that insert markup, as the user drives them, each ending in
// one edit of the selection or none: the link dialogs (with the page picker
// behind the macro function SelectPage) and the formatting dialogs. The
// markup and the dialogs' rules are the markup tests'.
#include <QApplication>
#include <QImage>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/dialogs/font_effects_dialog.h"
#include "app/dialogs/indent_spacing_dialog.h"
#include "app/dialogs/keyword_link_dialog.h"
#include "app/dialogs/link_dialog.h"
#include "app/dialogs/other_shortcuts_dialog.h"
#include "app/dialogs/picture_insert_dialog.h"
#include "core/codec.h"
#include "core/files.h"
#include "core/memory_editor.h"
#include "core/settings_keys.h"
#include "support/page_ops_fixture.h"
#include "window_fixture.h"

using qy::Sjis;
using qy::app::FontEffectsDialog;
using qy::app::IndentSpacingDialog;
using qy::app::KeywordLinkDialog;
using qy::app::LinkDialog;
using qy::app::OtherShortcutsDialog;
using qy::app::PictureInsertDialog;
using qy::app::testing::WhenShown;

namespace {

int PageOf(QTreeWidgetItem* item) { return item ? item->data(0, Qt::UserRole + 1).toInt() : 0; }

QTreeWidgetItem* ItemOf(QTreeWidget* tree, int page) {
  for (QTreeWidgetItemIterator it(tree); *it; ++it) {
    if (PageOf(*it) == page) return *it;
  }
  return nullptr;
}

qy::MemoryEditor Selected(const std::string& text) {
  qy::MemoryEditor editor(text);
  editor.SetSelLength(static_cast<int>(text.size()));
  return editor;
}

// Without the hotspot editor nothing is ever started.
class NoRunner : public qy::ProcessRunner {
 public:
  qy::ProcessResult Start(const std::string&, const std::vector<std::string>&, const std::string&,
                          bool) override {
    return {};
  }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }
};

}  // namespace

class DialogsMarkupTest : public QObject {
  Q_OBJECT

 private slots:
  void LinkDialogPicksAndInserts() {
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
      // The selection found the popup page by a partial title match.
      QCOMPARE(PageOf(d.tree()->currentItem()), 3);
      d.find_box()->setText(QStringLiteral("Page"));
      d.find_next_button()->click();
      QCOMPARE(PageOf(d.tree()->currentItem()), 7);
      d.other_window_box()->setChecked(true);
      d.window_list()->setCurrentIndex(1);
      d.options_box()->color_box()->setChecked(true);
      d.options_box()->swatch(6)->click();
      d.options_box()->bold_box()->setChecked(true);
      d.resize(600, 400);
      SaveDialogShot(d, "link_dialog");
      d.normal_button()->click();
    });
    qy::app::RunLinkDialog(model, settings, prompter, editor, qy::LinkMode::kJump, nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), Sjis("{\\uldb\\b\\cf6 用語}{\\v* !JumpID(.hlp>sub, HLP000007)}"));
    QCOMPARE(settings.GetInt(qy::keys::kWindowJmpColorPos), 6);
    QCOMPARE(settings.GetInt(qy::keys::kWindowLinkWidth), 600);
  }

  void KeywordLinkDialogListsAndInserts() {
    qy::testing::TempDir dir;
    qy::Settings settings(dir.File("q.ini"));
    qy::ProjectModel model;
    qy::testing::MakePages(model, "T T");
    model.MutablePage(1).Keyword = "zed;;def;zed";
    model.MutablePage(2).Keyword = "abc";
    qy::MemoryEditor editor("x");
    editor.SetSelLength(1);
    auto seen = WhenShown<KeywordLinkDialog>([&](KeywordLinkDialog& d) {
      QTest::mouseClick(d.list()->viewport(), Qt::LeftButton, {},
                        d.list()->visualItemRect(d.list()->item(1)).center());
      QCOMPARE(d.keyword_box()->text(), QStringLiteral("def"));
      d.button_button()->click();
    });
    qy::app::RunKeywordLinkDialog(model, settings, editor, qy::KeywordLinkMode::kKLink, nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), std::string("\\{button x,KLink(\"def\")\\}"));
  }

  void SelectPagePicker() {
    qy::app::testing::WindowFixture f;
    qy::app::MainWindow& window = f.StartWithSample();
    // A macro asks for a page; the picker shows only the tree and OK/Cancel.
    const std::string macro = f.folder.File("pick.p2s");
    QVERIFY(qy::WriteFileAtomic(macro, "begin SetPageTitle(1, IntToStr(SelectPage)) end."));
    bool picker_only = false;
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, [&] {
      auto* d = qobject_cast<LinkDialog*>(QApplication::activeModalWidget());
      if (!d || !d->isVisible()) return;
      picker_only = d->windowTitle() == QStringLiteral("ページを選択") &&
                    d->options_box() == nullptr && d->normal_button() == nullptr;
      d->tree()->setCurrentItem(ItemOf(d->tree(), 3));
      d->ok_button()->click();
      timer->stop();
    });
    timer->start(5);
    window.macro_runner().RunFile(macro, true);
    QVERIFY(picker_only);
    QCOMPARE(window.model().Page(2).Title, std::string("2"));  // counted from 0
  }

  void IndentAndLineSpacing() {
    qy::MemoryEditor editor = Selected("abc");
    auto seen = WhenShown<IndentSpacingDialog>([](IndentSpacingDialog& d) {
      d.slider()->setValue(450);
      d.right_indent_button()->click();
    });
    qy::app::RunIndentSpacingDialog(editor, qy::IndentDialogMode::kIndent, nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), std::string("\\ri450 abc\\par\\pard"));

    // Line spacing: no right-indent button; the slider stops at its minimum.
    editor = Selected("x\\par\\pard");
    seen = WhenShown<IndentSpacingDialog>([](IndentSpacingDialog& d) {
      QVERIFY(d.right_indent_button() == nullptr);
      d.slider()->setValue(0);
      d.insert_button()->click();
    });
    qy::app::RunIndentSpacingDialog(editor, qy::IndentDialogMode::kLineSpacing, nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), std::string("\\sl200 x\\par\\pard"));

    // Cancel changes nothing.
    seen = WhenShown<IndentSpacingDialog>([](IndentSpacingDialog&) {});
    qy::app::RunIndentSpacingDialog(editor, qy::IndentDialogMode::kIndent, nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), std::string("\\sl200 x\\par\\pard"));
  }

  void FontEffectsChoices() {
    qy::ProjectHeader header = qy::ProjectHeader::Defaults();
    header.WindowsSection = "main=\"\",,27648,(r255),(r12632256)";
    const int other_font = header.FontNameIndex == 2 ? 3 : 2;
    qy::MemoryEditor editor = Selected("abc");
    auto seen = WhenShown<FontEffectsDialog>([&](FontEffectsDialog& d) {
      // The sample sits on the help window's background, 0x0000FF: red.
      QCOMPARE(d.sample()->palette().color(QPalette::Window), QColor(255, 0, 0));
      d.font_list()->setCurrentRow(other_font);
      d.style_list()->setCurrentRow(3);
      d.colour_slider()->setValue(6);
      d.accept();
    });
    qy::app::RunFontEffectsDialog(editor, header, nullptr);
    QVERIFY(*seen);
    qy::FontEffects chosen = qy::InitialFontEffects(header);
    chosen.font = other_font;
    chosen.style = qy::FontStyle::kBoldItalic;
    chosen.colour = 6;
    qy::MemoryEditor expected = Selected("abc");
    QVERIFY(qy::ApplyFontEffects(expected, chosen, header));
    QCOMPARE(editor.Text(), expected.Text());
  }

  void PictureFilesPositionAndPreview() {
    qy::testing::TempDir folder;
    QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(folder.File("b.BMP")), "BMP");
    QVERIFY(qy::WriteFileAtomic(folder.File("a.shg"), "x"));
    QVERIFY(qy::WriteFileAtomic(folder.File("note.txt"), "x"));
    NoRunner runner;
    qy::MemoryEditor editor;
    auto seen = WhenShown<PictureInsertDialog>([](PictureInsertDialog& d) {
      d.files()->setCurrentRow(0);  // a.shg without the hotspot editor
      QCOMPARE(d.preview()->text(), QStringLiteral("SHGファイルです。"));
      d.files()->setCurrentRow(1);
      QVERIFY(!d.preview()->pixmap().isNull());
      d.positions()->button(2)->click();
      d.transparent_button()->click();
    });
    qy::app::RunPictureInsertDialog(editor, folder.path(), runner, "", nullptr);
    QVERIFY(*seen);
    QCOMPARE(editor.Text(), std::string("\\{bmrt b.BMP\\}"));
  }

  void ToolbarDropDowns() {
    qy::app::testing::WindowFixture f;
    qy::app::MainWindow& window = f.Start();
    QToolBar* bar = window.toolbar(qy::ToolbarId::kShortCut);
    QAction* etc = bar->findChild<QAction*>(QStringLiteral("btnEtcIn"));
    QVERIFY(etc && etc->menu());

    // The second item opens the dialog on its other tab, which decides.
    window.editor().SetText("abc");
    window.editor().SetSelLength(3);
    auto seen = WhenShown<OtherShortcutsDialog>([](OtherShortcutsDialog& d) {
      QCOMPARE(d.tabs()->currentIndex(), 1);
      d.positions()->button(4)->click();
      d.others()->button(1)->click();
      d.insert_button()->click();
    });
    etc->menu()->actions()[1]->trigger();
    QVERIFY(*seen);
    QCOMPARE(window.editor().Text(), std::string("\\keep abc\\par\\pard"));
  }
};

QTEST_MAIN(DialogsMarkupTest)
#include "dialogs_markup_test.moc"
