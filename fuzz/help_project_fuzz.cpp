// Reads arbitrary bytes as a help project, with every #include answered by
// the same bytes (so include chains and loops are explored). Every input
// must end in a project and diagnostics, never in a crash or a hang, and
// what the reader keeps must respect the limits the writer relies on.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "hlp/help_project.h"
#include "hlp/system_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  qy::hlp::HelpProject project = qy::hlp::ReadHelpProject(
      text, "fuzz.hpj",
      [&text](const std::string&, std::string*) { return std::optional<std::string>(text); });
  if (project.windows.size() > 255) __builtin_trap();
  for (const qy::hlp::WindowDefinition& w : project.windows) {
    if (w.name.empty()) __builtin_trap();
    if (w.has_position && (w.x < 0 || w.x > 1023 || w.width > 1023)) __builtin_trap();
    if (qy::hlp::BuildWindowRecord(w).size() != 90) __builtin_trap();
  }
  for (const qy::hlp::MapEntry& m : project.map) {
    if (m.context.empty()) __builtin_trap();
  }
  const int charset = project.EffectiveCharset();
  if (charset < 0 || charset > 255) __builtin_trap();
  return 0;
}
