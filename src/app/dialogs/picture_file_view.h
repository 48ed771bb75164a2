// What the picture dialogs show for the chosen file: its full path, cut to
// fit its label, and a preview scaled down to the preview box.
#pragma once

#include <QLabel>
#include <string>

#include "markup/picture_dialog.h"

namespace qy::app {

void ShowPictureFile(const std::string& native_path, PicturePreviewer& previewer, QLabel& path,
                     QLabel& preview);

}  // namespace qy::app
