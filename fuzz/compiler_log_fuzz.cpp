// Feeds arbitrary bytes to the compiler log analysis and its decision
// table under every combination of the Debug options.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "build/compiler_log.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  const qy::ParsedLog log = qy::ParseCompilerLog(text);
  // A row needs at least its "    HC" line.
  if (log.entries.size() > size / 6) __builtin_trap();
  for (unsigned bits = 0; bits < 64; ++bits) {
    qy::DebugOptions options;
    options.debug_auto = bits & 1;
    options.auto_note = bits & 2;
    options.auto_warn = bits & 4;
    options.show_note = bits & 8;
    options.show_warn = bits & 16;
    const qy::LogVerdict verdict = qy::DecideLogVerdict(log, options, bits & 32);
    if ((log.has_error || log.hc4005) && !verdict.failed) __builtin_trap();
  }
  return 0;
}
