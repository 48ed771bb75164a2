// The images of the toolbar buttons and their menu items: a glyph on a
// coloured square per button, so that no image files are needed.
#pragma once

#include <QIcon>
#include <string_view>

namespace qy::app {

// The image of the toolbar button with layout key `key` (a null icon for
// keys without one).
QIcon ToolbarIcon(std::string_view key);

}  // namespace qy::app
