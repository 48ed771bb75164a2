// The images of the toolbar buttons, their menu items and the page tree:
// the desktop's icon theme by freedesktop icon names, and a drawn glyph for
// the few commands no standard icon fits.
#pragma once

#include <QIcon>
#include <QString>
#include <string_view>

#include "project/page_record.h"

namespace qy::app {

// When the desktop names no icon theme (a bare X server, a window manager
// without settings), picks an installed one so that the standard icons
// exist. Returns the theme in use.
QString SelectIconTheme();

// The program's own icon: the installed theme's "quillory", else the copy
// built into the program.
QIcon ApplicationIcon();

// The image of the toolbar button with layout key `key` (a null icon for
// keys without one).
QIcon ToolbarIcon(std::string_view key);

// The image of a page kind in the page tree; books have an open and a
// closed one.
QIcon PageKindIcon(PageAttribute attribute, bool expanded = false);
// The icon of an image index of the page tree (kTopicImage, kOpenBookImage, ...).
QIcon PageImageIcon(int image);

}  // namespace qy::app
