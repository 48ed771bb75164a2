#include "shell/window_layout.h"

#include <algorithm>

namespace qy {

int UsableBorderLine(int stored, int total) {
  int line = stored > 0 ? stored : kDefaultBorderLine;
  if (total > 0) line = std::min(line, total - kMinimumEditorExtent);
  return std::max(line, kMinimumTreeExtent);
}

}  // namespace qy
