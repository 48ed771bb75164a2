// The preview window of the preview command in window mode, over the topic
// reader: formatted text, hotspots that work, pictures, and the window's
// life with the main window's pages.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMainWindow>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include "app/topic_editor.h"
#include "core/codec.h"
#include "window_fixture.h"

using qy::app::testing::WindowFixture;

namespace {

QMainWindow* PreviewFrame() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "frmPView" && widget->isVisible()) {
      return qobject_cast<QMainWindow*>(widget);
    }
  }
  return nullptr;
}

// The character format of the first fragment whose text is `text`.
std::optional<QTextCharFormat> FormatOf(QTextDocument* document, const QString& text) {
  for (QTextBlock b = document->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      if (it.fragment().text() == text) return it.fragment().charFormat();
    }
  }
  return std::nullopt;
}

}  // namespace

class PreviewViewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fixture_ = std::make_unique<WindowFixture>();
    qy::IniFile ini(fixture_->options.settings_path);
    ini.WriteString("Option", "PagePrev", "0");
    ini.WriteString("Etcetera", "BitmapPath", fixture_->folder.path());
    window_ = &fixture_->StartWithSample();
    window_->show();
  }

  void cleanup() { fixture_.reset(); }

  void ShowsThePageWithWorkingHotspots() {
    window_->RunCommand(qy::kCmdPreview);
    QMainWindow* frame = PreviewFrame();
    QVERIFY(frame != nullptr);
    auto* browser = frame->findChild<QTextBrowser*>("rchPreview");
    QVERIFY(browser->toPlainText().contains(QStringLiteral("かんたん家計簿は")));

    const auto jump = FormatOf(browser->document(), QStringLiteral("家計簿を作成する"));
    QVERIFY(jump && jump->isAnchor());
    QCOMPARE(jump->anchorHref(), QStringLiteral("jump:HLP000003"));
    QCOMPARE(jump->foreground().color(), QColor(0, 0x80, 0));
    QCOMPARE(FormatOf(browser->document(), QStringLiteral("残高"))->underlineStyle(),
             QTextCharFormat::DotLine);

    // A popup opens a small frameless window with the popup page.
    emit browser->anchorClicked(QUrl(QStringLiteral("popup:HLP000010")));
    auto* popup_window = frame->findChild<QFrame*>("frmPopup");
    QVERIFY(popup_window && !popup_window->findChild<QTextBrowser*>()->toPlainText().isEmpty());

    // A jump shows its target page, and the preview follows.
    emit browser->anchorClicked(QUrl(QStringLiteral("jump:HLP000003")));
    QCOMPARE(window_->model().Page(window_->model().CurrentPage()).Context,
             std::string("HLP000003"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("新しい家計簿が開きます")));
  }

  void PicturesAndPlaceholders() {
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(QString::fromStdString(fixture_->folder.File("logo.png"))));
    window_->editor_widget()->SetText(qy::Sjis("図 \\{bmc logo.png\\} と \\{bmr missing.shg\\}"));
    window_->RunCommand(qy::kCmdPreview);
    auto* browser = PreviewFrame()->findChild<QTextBrowser*>("rchPreview");
    QList<QSize> sizes;
    for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next()) {
      for (auto it = b.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        if (!format.isImageFormat()) continue;
        const QVariant image = browser->document()->resource(QTextDocument::ImageResource,
                                                             QUrl(format.toImageFormat().name()));
        sizes.append(image.value<QImage>().size());
      }
    }
    // The picture, then the labelled placeholder of the missing one.
    QCOMPARE(sizes, (QList<QSize>{QSize(40, 30), QSize(160, 48)}));
  }

  void EscClosesAndAClearedProjectClosesToo() {
    window_->RunCommand(qy::kCmdPreview);
    QMainWindow* frame = PreviewFrame();
    QVERIFY(frame != nullptr);
    for (QAction* action : frame->findChildren<QAction*>()) {
      if (action->shortcut() == QKeySequence(Qt::Key_Escape)) action->trigger();
    }
    QVERIFY(PreviewFrame() == nullptr);

    window_->RunCommand(qy::kCmdPreview);
    QVERIFY(PreviewFrame() != nullptr);
    window_->RunCommand(qy::kCmdNewPro);
    QVERIFY(PreviewFrame() == nullptr);
  }

 private:
  std::unique_ptr<WindowFixture> fixture_;
  qy::app::MainWindow* window_ = nullptr;
};

QTEST_MAIN(PreviewViewTest)
#include "preview_view_test.moc"
