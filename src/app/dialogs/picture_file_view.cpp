#include "app/dialogs/picture_file_view.h"

#include <QPixmap>

#include "app/qt_text.h"
#include "core/native_path.h"

namespace qy::app {

void ShowPictureFile(const std::string& native_path, PicturePreviewer& previewer, QLabel& path,
                     QLabel& preview) {
  // The label keeps to the box around it.
  const int room = path.parentWidget()->width() - 2 * path.margin();
  const QFontMetrics metrics = path.fontMetrics();
  const std::string shown = ShortenPathLabel(
      PathToSjis(native_path),
      [&](const std::string& label) { return metrics.horizontalAdvance(ToQt(label)) >= room; });
  path.setText(ToQt(FullPathLabel(shown)));
  const PicturePreview result = previewer.Preview(native_path);
  preview.clear();
  if (result.kind == PicturePreviewKind::kText) {
    preview.setText(ToQt(result.text));
  } else if (result.kind == PicturePreviewKind::kDrawn) {
    QPixmap image(QString::fromStdString(result.image));
    const QSize box = preview.size();
    if (!image.isNull() && (image.width() > box.width() || image.height() > box.height())) {
      image = image.scaled(box);
    }
    preview.setPixmap(image);
  }
}

}  // namespace qy::app
