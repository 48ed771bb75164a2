// The picture registration from its command: the folder's pictures, the
// registered list with its transparent marks, what OK writes and the menus
// it rebuilds, and a cancel that writes nothing.
#include <QImage>
#include <QTest>
#include <filesystem>

#include "app/dialogs/picture_registration_dialog.h"
#include "app/qt_text.h"
#include "core/files.h"
#include "core/native_path.h"
#include "modal_driver.h"
#include "window_fixture.h"

using qy::app::PictureRegistrationDialog;
using qy::app::testing::WhenShown;

class DialogsPictureRegistrationTest : public QObject {
  Q_OBJECT

 private slots:
  void RegistersReordersMarksAndRebuildsTheMenus();
};

void DialogsPictureRegistrationTest::RegistersReordersMarksAndRebuildsTheMenus() {
  qy::app::testing::WindowFixture f;
  qy::app::MainWindow& window = f.Start();
  const std::string section = window.model().Header().BitmapSection;
  const std::string pictures = f.folder.File("pics");
  QVERIFY(std::filesystem::create_directory(pictures));
  QImage(4, 4, QImage::Format_RGB32).save(QString::fromStdString(pictures + "/logo.bmp"), "BMP");
  QVERIFY(qy::WriteFileAtomic(pictures + "/map.wmf", "x"));
  qy::IniFile& ini = window.settings().file();
  QVERIFY(ini.WriteString(section, "BitmapPath", qy::PathToSjis(pictures)));
  QVERIFY(ini.WriteString(section, "BitmapName1", "old.bmp"));
  QVERIFY(ini.WriteString(section, "BitmapTitle1", "Old"));

  auto seen = WhenShown<PictureRegistrationDialog>([](PictureRegistrationDialog& d) {
    QCOMPARE(d.windowTitle(), QStringLiteral("画像ファイルの登録"));
    QCOMPARE(d.files()->count(), 2);
    QCOMPARE(d.registered()->count(), 1);
    d.files()->setCurrentRow(0);
    QVERIFY(d.path_label()->text().startsWith(QStringLiteral("フルパス : ")));
    QVERIFY(!d.preview()->pixmap().isNull());
    d.button(0)->click();  // no title: refused
    QCOMPARE(d.registered()->count(), 1);
    d.title_box()->setText(QStringLiteral("ロゴ"));
    d.button(0)->click();
    QCOMPARE(d.registered()->count(), 2);
    d.registered()->item(1)->setCheckState(Qt::Checked);
    d.button(3)->click();  // up: the new entry becomes slot 1
    QCOMPARE(d.registered()->currentRow(), 0);
    d.accept();
  });
  window.RunCommand(qy::kCmdBmpSet);
  QVERIFY(*seen);
  QCOMPARE(ini.ReadString(section, "BitmapName1", ""), std::string("logo.bmp"));
  QCOMPARE(ini.ReadString(section, "BitmapTitle1", ""), qy::app::FromQt(QStringLiteral("ロゴ")));
  QCOMPARE(ini.ReadString(section, "BitmapCheck1", ""), std::string("True"));
  QCOMPARE(ini.ReadString(section, "BitmapName2", ""), std::string("old.bmp"));
  QCOMPARE(ini.ReadString(section, "BitmapCheck2", ""), std::string("False"));
  QCOMPARE(window.commands().action(qy::kCmdBmp1)->text(), QStringLiteral("ロゴ"));
  QVERIFY(window.commands().action(qy::kCmdBmp2)->isVisible());
  QVERIFY(!window.commands().action(qy::kCmdBmp3)->isVisible());
  window.RunCommand(qy::kCmdBmp1);
  QCOMPARE(window.editor().Text(), std::string("\\{bmct logo.bmp\\}"));

  // Cancel keeps the settings as they were.
  seen = WhenShown<PictureRegistrationDialog>([](PictureRegistrationDialog& d) {
    d.registered()->setCurrentRow(0);
    d.button(2)->click();
    QCOMPARE(d.registered()->count(), 1);
    d.reject();
  });
  window.RunCommand(qy::kCmdBmpSet);
  QVERIFY(*seen);
  QCOMPARE(ini.ReadString(section, "BitmapName1", ""), std::string("logo.bmp"));
  QVERIFY(f.prompter.shown.empty());
}

QTEST_MAIN(DialogsPictureRegistrationTest)
#include "dialogs_picture_registration_test.moc"
