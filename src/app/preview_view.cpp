#include "app/preview_view.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QMenuBar>
#include <QStyle>
#include <QTextBrowser>
#include <QTextFrame>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/qt_text.h"
#include "app/topic_text_document.h"
#include "build/rtf_head.h"
#include "core/cp932.h"
#include "core/files.h"
#include "markup/picture_folder.h"
#include "preview/preview_document.h"
#include "topic/parser.h"

namespace qy::app {

namespace {

topic::ParseOptions ParseOptionsOf(const ProjectModel& model) {
  topic::ParseOptions options;
  options.default_font = EffectiveFontIndex(model.Header().FontNameIndex);
  options.default_size = FontSizeHalfPoints(model.Header().FontSizeIndex);
  return options;
}

// The page whose context is `context` (contexts compare without regard to
// ASCII case, as the help compiler compares them), or 0.
int PageOfContext(const ProjectModel& model, const std::string& context) {
  for (int page = 1; page <= model.PageCount(); ++page) {
    if (EqualsIgnoreAsciiCase(model.Page(page).Context, context)) return page;
  }
  return 0;
}

void ApplyInset(QTextBrowser* browser, int pixels) {
  QTextFrame* root = browser->document()->rootFrame();
  QTextFrameFormat format = root->frameFormat();
  format.setLeftMargin(pixels);
  format.setRightMargin(pixels);
  root->setFrameFormat(format);
}

QTextBrowser* NewBrowser(QWidget* parent) {
  auto* browser = new QTextBrowser(parent);
  browser->setOpenLinks(false);
  browser->setOpenExternalLinks(false);
  browser->setReadOnly(true);
  return browser;
}

}  // namespace

class PreviewFrame : public QMainWindow {
 public:
  explicit PreviewFrame(QtPreviewView& view) : view_(view) {
    setObjectName(QStringLiteral("frmPView"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    browser_ = NewBrowser(this);
    browser_->setObjectName(QStringLiteral("rchPreview"));
    setCentralWidget(browser_);
    QObject::connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
      view_.FollowAnchor(url.toString(), QCursor::pos());
    });

    QMenu* menu = menuBar()->addMenu(QStringLiteral("アクション(&A)"));
    QToolBar* bar = addToolBar(QStringLiteral("アクション"));
    bar->setObjectName(QStringLiteral("tbrPreview"));
    auto add = [&](const char* text, QKeySequence keys, QStyle::StandardPixmap icon, auto&& run) {
      auto* action = new QAction(style()->standardIcon(icon), QString::fromUtf8(text), this);
      action->setShortcut(keys);
      action->setShortcutContext(Qt::WindowShortcut);
      QObject::connect(action, &QAction::triggered, this, run);
      menu->addAction(action);
      bar->addAction(action);
      return action;
    };
    stay_on_top_ = add("手前に表示(&A)", QKeySequence(Qt::CTRL | Qt::Key_A),
                       QStyle::SP_TitleBarShadeButton, [this] {
                         if (view_.logic_) view_.logic_->ToggleStayOnTop();
                       });
    stay_on_top_->setCheckable(true);
    add("読み直し(&R)", QKeySequence(Qt::CTRL | Qt::Key_R), QStyle::SP_BrowserReload, [this] {
      if (view_.logic_) view_.logic_->Refresh();
    });
    menu->addSeparator();
    add("前のページ(&B)", QKeySequence(Qt::CTRL | Qt::Key_Left), QStyle::SP_ArrowLeft, [this] {
      if (view_.logic_) view_.logic_->PreviousPage();
    });
    add("次のページ(&N)", QKeySequence(Qt::CTRL | Qt::Key_Right), QStyle::SP_ArrowRight, [this] {
      if (view_.logic_) view_.logic_->NextPage();
    });
    menu->addSeparator();
    add("プレビューを閉じる(&X)", QKeySequence(Qt::Key_Escape), QStyle::SP_DialogCloseButton,
        [this] {
          if (view_.logic_) view_.logic_->Close();
        });
  }

  QTextBrowser* browser() const { return browser_; }
  QAction* stay_on_top() const { return stay_on_top_; }

 protected:
  void changeEvent(QEvent* event) override {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && view_.logic_) {
      view_.logic_->OnActivated();
    }
  }
  void resizeEvent(QResizeEvent* event) override {
    QMainWindow::resizeEvent(event);
    if (view_.logic_) view_.logic_->OnResized();
  }
  void closeEvent(QCloseEvent* event) override {
    // The close box closes through the logic, which saves the place and
    // then destroys this window.
    event->ignore();
    if (view_.logic_ && view_.logic_->IsOpen()) view_.logic_->Close();
  }

 private:
  QtPreviewView& view_;
  QTextBrowser* browser_ = nullptr;
  QAction* stay_on_top_ = nullptr;
};

QtPreviewView::QtPreviewView(const ProjectModel& model, Settings& settings)
    : model_(model), settings_(settings) {}

QtPreviewView::~QtPreviewView() {
  delete popup_.data();
  delete frame_.data();
}

void QtPreviewView::Create(const WindowRect& place) {
  delete frame_.data();
  // A window of its own, not owned by the main window.
  frame_ = new PreviewFrame(*this);
  const int width = place.width > 0 ? place.width : 480;
  const int height = place.height > 0 ? place.height : 360;
  frame_->setGeometry(place.left, place.top, width, height);
}

void QtPreviewView::SetCaption(const std::string& caption) {
  if (frame_) frame_->setWindowTitle(ToQt(caption));
}

std::string QtPreviewView::PictureFolder() const {
  return qy::PictureFolder(settings_, PictureSection(model_));
}

void QtPreviewView::LoadRtfFile(const std::string& file) {
  if (!frame_) return;
  QTextBrowser* view = frame_->browser();
  const std::optional<std::string> text = ReadWholeFile(file);
  const topic::Document doc = topic::ParseDocument(text.value_or(""), ParseOptionsOf(model_));
  TopicLayoutOptions options;
  options.picture_folder = PictureFolder();
  LayOutTopic(*view->document(), doc, doc.topics.front(), options);
  ApplyInset(view, inset_);
}

void QtPreviewView::ShowAndRaise() {
  if (!frame_) return;
  frame_->show();
  frame_->raise();
  frame_->activateWindow();
}

void QtPreviewView::SetStayOnTop(bool on) {
  if (!frame_) return;
  frame_->setWindowFlag(Qt::WindowStaysOnTopHint, on);
  frame_->stay_on_top()->setChecked(on);
  frame_->show();  // changing the flags hides the window
}

void QtPreviewView::SetTextInset(int pixels) {
  inset_ = pixels;
  if (frame_) ApplyInset(frame_->browser(), pixels);
}

WindowRect QtPreviewView::Geometry() const {
  if (!frame_) return {};
  const QRect r = frame_->geometry();
  return {r.left(), r.top(), r.width(), r.height()};
}

void QtPreviewView::Destroy() {
  delete popup_.data();
  if (frame_) {
    frame_->hide();
    frame_->deleteLater();
    frame_ = nullptr;
  }
}

QMainWindow* QtPreviewView::window() const { return frame_; }

QTextBrowser* QtPreviewView::browser() const { return frame_ ? frame_->browser() : nullptr; }

bool QtPreviewView::FollowAnchor(const QString& anchor, const QPoint& global_pos) {
  const qsizetype colon = anchor.indexOf(':');
  if (colon < 0) return false;
  const QString scheme = anchor.left(colon);
  const int page = PageOfContext(model_, FromQt(anchor.mid(colon + 1)));
  if (page == 0 || (scheme != kJumpScheme && scheme != kPopupScheme)) return false;
  if (scheme == kPopupScheme) {
    ShowPopup(page, global_pos);
  } else {
    delete popup_.data();
    if (logic_ && logic_->select_page) logic_->select_page(page);
  }
  return true;
}

void QtPreviewView::ShowPopup(int page, const QPoint& global_pos) {
  delete popup_.data();
  auto* popup = new QFrame(frame_, Qt::Popup | Qt::FramelessWindowHint);
  popup->setObjectName(QStringLiteral("frmPopup"));
  popup->setAttribute(Qt::WA_DeleteOnClose);
  popup->setFrameShape(QFrame::Box);
  auto* layout = new QVBoxLayout(popup);
  layout->setContentsMargins(1, 1, 1, 1);
  QTextBrowser* browser = NewBrowser(popup);
  browser->setFrameShape(QFrame::NoFrame);
  layout->addWidget(browser);
  QObject::connect(browser, &QTextBrowser::anchorClicked, popup,
                   [this](const QUrl& url) { FollowAnchor(url.toString(), QCursor::pos()); });
  const topic::Document doc =
      topic::ParseDocument(BuildPreviewDocument(model_, page), ParseOptionsOf(model_));
  TopicLayoutOptions options;
  options.picture_folder = PictureFolder();
  LayOutTopic(*browser->document(), doc, doc.topics.front(), options);
  ApplyInset(browser, 6);
  browser->document()->setTextWidth(360);
  const int height = static_cast<int>(browser->document()->size().height()) + 8;
  popup->resize(364, std::min(height, 320));
  popup->move(global_pos + QPoint(0, 8));
  popup_ = popup;
  popup->show();
}

}  // namespace qy::app
