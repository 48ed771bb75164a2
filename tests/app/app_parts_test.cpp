// The window's parts on their own: file filters, key sequences, colours,
// the menus and toolbars built from the tables, the debug view, and what a
// Japanese desktop user meets: Qt's own texts, message boxes with the
// buttons a macro asks for, page icons.
#include <QApplication>
#include <QLibraryInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "app/caps_lock.h"
#include "app/debug_pane.h"
#include "app/display_settings.h"
#include "app/key_sequence.h"
#include "app/qt_platform.h"
#include "app/qt_prompter.h"
#include "app/toolbar_icons.h"
#include "app/translations.h"
#include "core/codec.h"
#include "macro/builtins_dialogs.h"
#include "window_fixture.h"

using qy::app::testing::WindowFixture;

namespace {

// Runs `act` on the modal box as soon as the event loop shows it.
void OnModalBox(std::function<void(QMessageBox*)> act) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    act(box);
  });
}

}  // namespace

class AppPartsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    qy::app::InstallQtTranslations(*qApp);
    qy::app::SelectIconTheme();
  }

  void StandardButtonsSpeakJapanese() {
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_ja.qm")) {
      QSKIP("Qt's Japanese translation is not installed");
    }
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
    QVERIFY(!box.button(QMessageBox::Cancel)->text().contains(QStringLiteral("Cancel")));
  }

  void MacroMessageBoxesShowTheAskedButtons() {
    using qy::BoxButton;
    // Type, icon and default bits; a default past the last button is the first.
    const qy::MessageBoxRequest retry = qy::MessageBoxRequestOf("t", "c", 0x5 | 0x10 | 0x200);
    QVERIFY(retry.buttons == (std::vector<BoxButton>{BoxButton::kRetry, BoxButton::kCancel}));
    QCOMPARE(retry.icon, qy::Beep::kHand);
    QCOMPARE(retry.default_button, std::size_t{0});

    // The real box: three buttons, the asked default, the pressed button's code.
    QWidget parent;
    qy::app::QtPrompter prompter(&parent);
    qy::PrompterDialogs dialogs(prompter);
    OnModalBox([](QMessageBox* box) {
      QCOMPARE(box->buttons().size(), 3);
      QCOMPARE(box->icon(), QMessageBox::Information);
      QCOMPARE(box->defaultButton()->text(), QStringLiteral("続行(&C)"));
      for (QAbstractButton* b : box->buttons()) {
        if (b->text() == QStringLiteral("再試行(&T)")) b->click();
      }
    });
    QCOMPARE(dialogs.MessageBox("t", "c", 0x6 | 0x40 | 0x200), qy::message_box::kIdTryAgain);
  }

  void EveryPageKindHasItsOwnIcon() {
    QSet<qint64> images;
    for (int kind : {qy::kTopicPage, qy::kPopupPage, qy::kContentPage, qy::kIncludePage, 11, -11}) {
      const QImage image = qy::app::PageKindIcon(std::abs(kind), kind < 0).pixmap(16, 16).toImage();
      images.insert(qHashBits(image.constBits(), static_cast<std::size_t>(image.sizeInBytes())));
    }
    QCOMPARE(images.size(), 6);
  }

  void FileFiltersBecomeQtFilters() {
    QCOMPARE(qy::app::QtFileFilter(
                 qy::Sjis("Quillory プロジェクト (*.qyp)|*.qyp|すべてのファイル (*.*)|*.*")),
             QStringLiteral("Quillory プロジェクト (*.qyp);;すべてのファイル (*.*)"));
    // A description without the patterns gets them, a ";" list becomes blanks.
    QCOMPARE(qy::app::QtFileFilter("Pictures|*.bmp;*.shg"),
             QStringLiteral("Pictures (*.bmp *.shg)"));
    // A dangling description without patterns is dropped.
    QCOMPARE(qy::app::QtFileFilter("Text (*.txt)|*.txt|Odd"), QStringLiteral("Text (*.txt)"));
    QCOMPARE(qy::app::QtFileFilter(""), QString());
  }

  void KeyTextsBecomeKeySequences() {
    const std::pair<const char*, const char*> cases[] = {
        {"Shift+Ctrl+S", "Ctrl+Shift+S"}, {"Ctrl+Alt+F5", "Ctrl+Alt+F5"},
        {"Ctrl+Left", "Ctrl+Left"},       {"Ctrl+BkSp", "Ctrl+Backspace"},
        {"Ctrl+Ins", "Ctrl+Ins"},
    };
    for (const auto& [text, expected] : cases) {
      const auto combo = qy::ParseKeyText(text);
      QVERIFY2(combo, text);
      QCOMPARE(qy::app::ToKeySequence(*combo), QKeySequence(QString::fromLatin1(expected)));
    }
    QVERIFY(!qy::app::ToKeySequence(qy::KeyCombo{false, true, false, "F13"}));
  }

  void ColoursFromSettings() {
    QPalette palette;
    palette.setColor(QPalette::Active, QPalette::Text, Qt::darkGreen);
    palette.setColor(QPalette::Active, QPalette::Base, Qt::yellow);
    // Windows colours are 0x00BBGGRR; negative values name system colours.
    QCOMPARE(qy::app::ColorFromSetting(16711680, palette), QColor(0, 0, 255));
    QCOMPARE(qy::app::ColorFromSetting(255, palette), QColor(255, 0, 0));
    QCOMPARE(qy::app::ColorFromSetting(-2147483640, palette), QColor(Qt::darkGreen));
    QCOMPARE(qy::app::ColorFromSetting(-2147483643, palette), QColor(Qt::yellow));
  }

  void CapsLockFromLeds() {
    qy::testing::TempDir leds;
    namespace fs = std::filesystem;
    fs::create_directories(leds.File("input3::capslock"));
    fs::create_directories(leds.File("input3::numlock"));
    std::ofstream(leds.File("input3::numlock/brightness")) << "1\n";
    std::ofstream(leds.File("input3::capslock/brightness")) << "0\n";
    QVERIFY(!qy::app::CapsLockOn(leds.path()));
    std::ofstream(leds.File("input3::capslock/brightness")) << "1\n";
    QVERIFY(qy::app::CapsLockOn(leds.path()));
    QVERIFY(!qy::app::CapsLockOn(leds.File("missing")));
  }

  void MenusFollowTheCommandTable() {
    WindowFixture f;
    qy::app::MainWindow& window = f.Start();
    qy::app::CommandActions& commands = window.commands();
    for (const qy::CommandRow& row : qy::CommandRows()) {
      const bool made = row.IsGroup() ? commands.group_menu(row.number) != nullptr
                                      : commands.action(row.number) != nullptr;
      QVERIFY2(made, row.id);
    }
    // Group rows are submenus holding the rows below them.
    QMenu* convert = commands.group_menu(qy::kCmdConvertGroup);
    QVERIFY(convert->actions().contains(commands.action(qy::kCmdUCase)));
    // The editor's shortcut menu and the tree's pop-up come from the same rows.
    QMenu editor_menu;
    commands.FillEditorPopup(&editor_menu);
    QVERIFY(editor_menu.actions().contains(commands.action(qy::kCmdJumpLink)));
    QVERIFY(!editor_menu.actions().contains(commands.action(qy::kCmdNewPage)));
    QMenu tree_menu;
    commands.FillTreePopup(&tree_menu);
    QVERIFY(tree_menu.actions().contains(commands.action(qy::kCmdNewPage)));
    QVERIFY(!tree_menu.actions().contains(commands.action(qy::kCmdUndo)));
  }

  void ToolbarLayoutFileHidesButtons() {
    WindowFixture f;
    qy::WriteFileAtomic(f.options.toolbar_file_path, "[FileBar]\r\nSavePro=0\r\nFileSp0=0\r\n");
    qy::app::MainWindow& window = f.Start();
    QToolBar* file_bar = window.toolbar(qy::ToolbarId::kFile);
    QAction* save = file_bar->findChild<QAction*>(QStringLiteral("btnSavePro"));
    QVERIFY(save && !save->isVisible());
    // The separator goes, the menu item of the hidden button stays.
    int visible_separators = 0;
    for (QAction* a : file_bar->actions()) visible_separators += a->isSeparator() && a->isVisible();
    QCOMPARE(visible_separators, 0);
    QVERIFY(window.commands().action(qy::kCmdSavePro)->isVisible());
    // A button runs its command.
    window.model().SetModified(true);
    f.prompter.answers.push_back(qy::Answer::kCancel);
    file_bar->findChild<QAction*>(QStringLiteral("btnNewPro"))->trigger();
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
  }

  void ExternalHelpEntriesNeedATitle() {
    WindowFixture f;
    qy::IniFile ini(f.options.settings_path);
    ini.WriteString("Help", "Title1", qy::Sjis("外部"));
    ini.WriteString("Help", "File1", "/tmp/x.hlp");
    qy::app::MainWindow& window = f.Start();
    QCOMPARE(window.commands().action(qy::kCmdHelp1)->text(), QStringLiteral("外部"));
    // Entry 0 is empty: the separator above the list is hidden too.
    QMenu* help = window.commands().section_menu(qy::CommandSection::kHelp);
    QAction* separator = qy::app::SeparatorAbove(help, window.commands().action(qy::kCmdHelp0));
    QVERIFY(separator->isSeparator() && !separator->isVisible());
  }

  void DebugPaneRowsAndHelp() {
    qy::app::DebugPane pane;
    pane.SetEntries({{qy::DebugKind::kWarning, "HC3025", qy::Sjis("ジャンプ先がありません")},
                     {qy::DebugKind::kError, "HC5011", "cannot open"}});
    pane.setCurrentItem(pane.topLevelItem(1));
    QCOMPARE(pane.SelectedCode(), std::string("HC5011"));
    QSignalSpy help(&pane, &qy::app::DebugPane::codeHelpRequested);
    emit pane.itemDoubleClicked(pane.topLevelItem(0), 0);
    QCOMPARE(help.value(0).value(0).toString(), QStringLiteral("HC3025"));
    // The shortcut menu asks for Help Workshop's page on the selected code.
    QSignalSpy workshop(&pane, &qy::app::DebugPane::workshopHelpRequested);
    QTimer::singleShot(0, [] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      QVERIFY(menu);
      menu->actions().first()->trigger();
      menu->close();
    });
    emit pane.customContextMenuRequested(QPoint(5, 5));
    QCOMPARE(workshop.value(0).value(0).toString(), QStringLiteral("HC5011"));
  }
};

QTEST_MAIN(AppPartsTest)
#include "app_parts_test.moc"
