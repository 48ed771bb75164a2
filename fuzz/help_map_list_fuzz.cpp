// Reads arbitrary bytes as a help-map list file; the entries read write back
// and read again the same.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_file.h"
#include "project/help_map_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string file = qy::fuzz::ScratchFile("list.hml", bytes);
  const std::vector<std::string> entries = qy::ReadHelpMapList(file);
  for (const std::string& entry : entries) (void)qy::IsHelpMapFileName(entry);
  const std::string again = qy::fuzz::ScratchFile("again.hml", qy::HelpMapListText(entries));
  if (qy::ReadHelpMapList(again) != entries) __builtin_trap();
  return 0;
}
