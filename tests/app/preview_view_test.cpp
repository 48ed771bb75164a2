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
#include <QTextFragment>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/topic_editor.h"
#include "core/codec.h"
#include "window_fixture.h"

using qy::app::testing::CopySample;
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
    window_ = &fixture_->Start();
    window_->show();
    window_->OpenFromCommandLine(CopySample(fixture_->folder));
  }
  void cleanup() { fixture_.reset(); }

  void ShowsThePageWithWorkingHotspots() {
    window_->RunCommand(qy::kCmdPreview);
    QMainWindow* frame = PreviewFrame();
    QVERIFY(frame != nullptr);
    QCOMPARE(frame->windowTitle(),
             qy::app::ToQt(window_->model().Page(1).Title + qy::Sjis(" - Quillory プレビュー")));
    auto* browser = frame->findChild<QTextBrowser*>("rchPreview");
    QVERIFY(browser->toPlainText().contains(QStringLiteral("かんたん家計簿は")));
    QVERIFY(!browser->toPlainText().contains(QStringLiteral("HLP000003")));

    const auto jump = FormatOf(browser->document(), QStringLiteral("家計簿を作成する"));
    QVERIFY(jump && jump->isAnchor());
    QCOMPARE(jump->anchorHref(), QStringLiteral("jump:HLP000003"));
    QCOMPARE(jump->foreground().color(), QColor(0, 0x80, 0));
    QCOMPARE(jump->underlineStyle(), QTextCharFormat::SingleUnderline);
    const auto popup = FormatOf(browser->document(), QStringLiteral("残高"));
    QVERIFY(popup && popup->isAnchor());
    QCOMPARE(popup->underlineStyle(), QTextCharFormat::DotLine);

    // A popup opens a small frameless window with the popup page.
    emit browser->anchorClicked(QUrl(QStringLiteral("popup:HLP000010")));
    auto* popup_window = frame->findChild<QFrame*>("frmPopup");
    QVERIFY(popup_window != nullptr);
    QVERIFY(popup_window->windowFlags() & Qt::FramelessWindowHint);
    QVERIFY(!popup_window->findChild<QTextBrowser*>()->toPlainText().isEmpty());
    QCOMPARE(window_->model().CurrentPage(), 1);

    // A jump shows its target page, and the preview follows.
    emit browser->anchorClicked(QUrl(QStringLiteral("jump:HLP000003")));
    QCOMPARE(window_->model().Page(window_->model().CurrentPage()).Context,
             std::string("HLP000003"));
    QVERIFY(browser->toPlainText().contains(QStringLiteral("新しい家計簿が開きます")));
    QVERIFY(frame->windowTitle().startsWith(
        qy::app::ToQt(window_->model().Page(window_->model().CurrentPage()).Title)));
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
    QCOMPARE(sizes.size(), 2);
    QCOMPARE(sizes[0], QSize(40, 30));
    QCOMPARE(sizes[1], QSize(160, 48));  // the labelled placeholder
  }

  void EscClosesAndAClearedProjectClosesToo() {
    window_->RunCommand(qy::kCmdPreview);
    QMainWindow* frame = PreviewFrame();
    QVERIFY(frame != nullptr);
    QAction* close = nullptr;
    for (QAction* action : frame->findChildren<QAction*>()) {
      if (action->shortcut() == QKeySequence(Qt::Key_Escape)) close = action;
    }
    QVERIFY(close != nullptr);
    QCOMPARE(close->text(), QStringLiteral("プレビューを閉じる(&X)"));
    close->trigger();
    QVERIFY(PreviewFrame() == nullptr);
    QVERIFY(!fixture_->Setting("Preview", "Width").empty());

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
