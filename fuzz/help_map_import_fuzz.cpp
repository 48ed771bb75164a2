// Imports arbitrary bytes as a help-map file into a small project. Every
// input must end in a report, never in a crash, a page table over its limit
// or pages that break the model's rules.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/progress.h"
#include "core/prompter.h"
#include "fuzz_file.h"
#include "project/help_map.h"
#include "project/project_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // Each line alone, as the import reads it.
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    qy::HelpMapEntry entry;
    if (qy::ParseHelpMapLine(bytes.substr(start, end - start), entry) ==
            qy::HelpMapLineKind::kEntry &&
        entry.name.empty()) {
      __builtin_trap();
    }
    start = end + 1;
  }

  const std::string file = qy::fuzz::ScratchFile("import.hm", bytes);
  qy::ProjectModel model;
  model.NewProject("/tmp/");
  qy::SilentPrompter prompter;
  qy::NullProgress progress;
  qy::HelpMapImporter importer(model, prompter, progress);
  const qy::HelpMapImportResult result = importer.ImportHelpMap(file);
  if (model.PageCount() < 1 || model.PageCount() > qy::kMaxPages) __builtin_trap();
  if (result.changed && !model.ValidPage(result.current_page)) __builtin_trap();
  return 0;
}
