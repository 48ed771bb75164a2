// Feeds arbitrary bytes to the toolbar layout file reader; a layout written
// into any existing file reads back the same.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/toolbar_layout.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const qy::ToolbarLayout layout = qy::ToolbarLayout::FromFile(bytes);
  (void)qy::ApplyToolbarLayout(layout);
  (void)qy::BuildToolbarTree(layout);
  // Hide every other button, then write into the same bytes.
  qy::ToolbarLayout changed = layout;
  for (int number = 0; number < qy::kToolbarRowCount; number += 2) {
    changed.SetShown(number, !changed.Shown(number));
  }
  const std::string written = changed.FileText(bytes);
  if (!(qy::ToolbarLayout::FromFile(written) == changed)) __builtin_trap();
  return 0;
}
