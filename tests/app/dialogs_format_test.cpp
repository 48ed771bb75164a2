// The formatting dialogs as the user drives them: the indent and
// line-spacing slider with its buttons, and the font-effects choices, each
// ending in one edit of the selection or none.
#include <QImage>
#include <QTest>
#include <QToolBar>

#include "app/dialogs/font_effects_dialog.h"
#include "app/dialogs/indent_spacing_dialog.h"
#include "app/dialogs/other_shortcuts_dialog.h"
#include "app/dialogs/picture_insert_dialog.h"
#include "core/files.h"
#include "core/memory_editor.h"
#include "modal_driver.h"
#include "project/project_model.h"
#include "support/fakes.h"
#include "window_fixture.h"

using qy::app::FontEffectsDialog;
using qy::app::IndentSpacingDialog;
using qy::app::OtherShortcutsDialog;
using qy::app::PictureInsertDialog;
using qy::app::testing::WhenShown;

namespace {

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

class DialogsFormatTest : public QObject {
  Q_OBJECT

 private slots:
  void IndentAndLineSpacing();
  void FontEffectsChoices();
  void OtherShortcutsTabs();
  void PictureFilesPositionAndPreview();
  void ToolbarDropDowns();
};

void DialogsFormatTest::IndentAndLineSpacing() {
  qy::MemoryEditor editor = Selected("abc");
  auto seen = WhenShown<IndentSpacingDialog>([](IndentSpacingDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("インデントの設定"));
    QCOMPARE(d.slider()->value(), 200);
    d.slider()->setValue(450);
    QVERIFY(d.description()->text().contains(QStringLiteral("「 450 」")));
    d.right_indent_button()->click();
  });
  qy::app::RunIndentSpacingDialog(editor, qy::IndentDialogMode::kIndent, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("\\ri450 abc\\par\\pard"));
  editor.Undo();
  QCOMPARE(editor.Text(), std::string("abc"));

  // Line spacing: no right-indent button; the slider stops at its minimum.
  editor = Selected("x\\par\\pard");
  seen = WhenShown<IndentSpacingDialog>([](IndentSpacingDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("行間設定"));
    QVERIFY(d.right_indent_button() == nullptr);
    d.slider()->setValue(0);
    QCOMPARE(d.slider()->value(), 200);
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

void DialogsFormatTest::FontEffectsChoices() {
  qy::ProjectHeader header = qy::ProjectHeader::Defaults();
  header.WindowsSection = "main=\"\",,27648,(r255),(r12632256)";
  const int other_font = header.FontNameIndex == 2 ? 3 : 2;
  qy::MemoryEditor editor = Selected("abc");
  qy::FontEffects chosen;
  auto seen = WhenShown<FontEffectsDialog>([&](FontEffectsDialog& d) {
    QCOMPARE(d.size_list()->currentRow(), header.FontSizeIndex);
    QCOMPARE(d.style_list()->currentItem()->text(), QStringLiteral("通常"));
    // The sample sits on the help window's background, 0x0000FF: red.
    QCOMPARE(d.sample()->palette().color(QPalette::Window), QColor(255, 0, 0));
    d.font_list()->setCurrentRow(other_font);
    d.style_list()->setCurrentRow(3);
    d.colour_slider()->setValue(6);
    chosen = d.effects();
    d.accept();
  });
  qy::app::RunFontEffectsDialog(editor, header, nullptr);
  QVERIFY(*seen);
  QCOMPARE(chosen.font, other_font);
  QCOMPARE(chosen.style, qy::FontStyle::kBoldItalic);
  QCOMPARE(chosen.colour, 6);
  qy::MemoryEditor expected = Selected("abc");
  QVERIFY(qy::ApplyFontEffects(expected, chosen, header));
  QCOMPARE(editor.Text(), expected.Text());

  // Defaults only: OK inserts nothing.
  editor = Selected("abc");
  seen = WhenShown<FontEffectsDialog>([](FontEffectsDialog& d) { d.accept(); });
  qy::app::RunFontEffectsDialog(editor, header, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("abc"));
}

void DialogsFormatTest::OtherShortcutsTabs() {
  qy::MemoryEditor editor = Selected("gone");
  auto seen = WhenShown<OtherShortcutsDialog>([](OtherShortcutsDialog& d) {
    QCOMPARE(d.tabs()->currentIndex(), 0);
    QVERIFY(d.positions()->button(0)->isChecked());
    d.positions()->button(1)->click();
    d.kinds()->button(2)->click();
    d.insert_button()->click();
  });
  qy::app::RunOtherShortcutsDialog(editor, qy::OtherShortcutsTab::kLines, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("\\pard\\brdrb\\brdrdb\\par\\pard"));

  // The open tab decides: the no-wrap choice of the other tab.
  editor = Selected("abc");
  seen = WhenShown<OtherShortcutsDialog>([](OtherShortcutsDialog& d) {
    d.positions()->button(4)->click();
    d.tabs()->setCurrentIndex(1);
    d.others()->button(1)->click();
    d.insert_button()->click();
  });
  qy::app::RunOtherShortcutsDialog(editor, qy::OtherShortcutsTab::kLines, nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("\\keep abc\\par\\pard"));
}

void DialogsFormatTest::PictureFilesPositionAndPreview() {
  qy::testing::TempDir folder;
  QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(folder.File("b.BMP")), "BMP");
  QVERIFY(qy::WriteFileAtomic(folder.File("a.shg"), "x"));
  QVERIFY(qy::WriteFileAtomic(folder.File("note.txt"), "x"));
  NoRunner runner;
  qy::MemoryEditor editor;
  auto seen = WhenShown<PictureInsertDialog>([](PictureInsertDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("画像ファイルの挿入"));
    QCOMPARE(d.files()->count(), 2);
    QVERIFY(d.positions()->button(1)->isChecked());
    d.files()->setCurrentRow(0);  // a.shg without the hotspot editor
    QCOMPARE(d.preview()->text(), QStringLiteral("SHGファイルです。"));
    d.files()->setCurrentRow(1);
    QVERIFY(d.path_label()->text().startsWith(QStringLiteral("フルパス : ")));
    QVERIFY(!d.preview()->pixmap().isNull());
    d.positions()->button(2)->click();
    d.transparent_button()->click();
  });
  qy::app::RunPictureInsertDialog(editor, folder.path(), runner, "", nullptr);
  QVERIFY(*seen);
  QCOMPARE(editor.Text(), std::string("\\{bmrt b.BMP\\}"));
}

void DialogsFormatTest::ToolbarDropDowns() {
  qy::app::testing::WindowFixture f;
  qy::app::MainWindow& window = f.Start();
  QToolBar* bar = window.toolbar(qy::ToolbarId::kShortCut);
  QAction* etc = bar->findChild<QAction*>(QStringLiteral("btnEtcIn"));
  QAction* picture = bar->findChild<QAction*>(QStringLiteral("btnBitmap"));
  QVERIFY(etc && etc->menu() && picture && picture->menu());
  const QList<QAction*> items = etc->menu()->actions();
  QCOMPARE(items.size(), qsizetype{2});
  QCOMPARE(items[0]->text(), QStringLiteral("線を挿入(&L)..."));
  QCOMPARE(items[1]->text(), QStringLiteral("その他を挿入(&E)..."));
  // The pictures are the menus' own items.
  QCOMPARE(picture->menu()->actions().size(), qsizetype{9});
  QCOMPARE(picture->menu()->actions()[0], window.commands().action(qy::kCmdBmp1));

  window.editor().SetText("abc");
  window.editor().SetSelLength(3);
  auto seen = WhenShown<OtherShortcutsDialog>([](OtherShortcutsDialog& d) {
    QCOMPARE(d.tabs()->currentIndex(), 1);  // opened on the other tab
    d.others()->button(1)->click();
    d.insert_button()->click();
  });
  items[1]->trigger();
  QVERIFY(*seen);
  QCOMPARE(window.editor().Text(), std::string("\\keep abc\\par\\pard"));
}

QTEST_MAIN(DialogsFormatTest)
#include "dialogs_format_test.moc"
