// The split between the page tree and the editor: what a stored width or
// height may become at start-up.
#pragma once

namespace qy {

inline constexpr int kDefaultBorderLine = 220;
// Below this the editor is no place to type in.
inline constexpr int kMinimumEditorExtent = 200;
inline constexpr int kMinimumTreeExtent = 40;

// The page-tree width (side by side) or height (one above the other) to
// start with: the stored value, the default for none (0 or less), cut so
// that the editor keeps kMinimumEditorExtent of `total` (the window's
// extent in that direction; 0 when not known yet).
int UsableBorderLine(int stored, int total);

}  // namespace qy
