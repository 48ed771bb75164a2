// Feeds arbitrary bytes to the project file reader in each layout version.
// Any input must end in a result code (with or without a message), never in a
// crash, a hang or a partly filled model.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/progress.h"
#include "core/prompter.h"
#include "project/project_file.h"
#include "project/project_model.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  qy::SilentPrompter prompter;
  qy::NullProgress progress;
  for (int version :
       {qy::kVersion160b, qy::kVersion160, qy::kVersion145, qy::kVersion140, qy::kVersion130}) {
    qy::ProjectModel model;
    model.NewProject("/tmp/");
    int result = qy::ParseProjectText(model, text, version, "fuzz.qyp", prompter, progress);
    if (result != qy::kLoadSuccess) {
      // A failed read leaves the model untouched.
      if (model.PageCount() != 1) __builtin_trap();
    } else {
      // What was read writes back and reads again to the same pages.
      qy::ProjectModel again;
      std::string written = qy::BuildProjectFileText(model);
      int r2 =
          qy::ParseProjectText(again, written, qy::kVersion160b, "fuzz.qyp", prompter, progress);
      if (qy::PagesWithEndMarkerLines(model).empty() &&
          (r2 != qy::kLoadSuccess || again.PageCount() != model.PageCount())) {
        __builtin_trap();
      }
    }
  }
  return 0;
}
