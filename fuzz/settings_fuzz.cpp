// Feeds arbitrary bytes to the settings (profile file) reader and editor.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const std::string& section : qy::IniFile::SectionsIn(text)) {
    for (const std::string& key : qy::IniFile::KeysIn(text, section)) {
      (void)qy::IniFile::ValueIn(text, section, key);
    }
  }
  // Writing a key and reading it back gives the written value.
  auto edited = qy::IniFile::WithValue(text, "Option", "ViewIndex", "6");
  if (edited) {
    auto value = qy::IniFile::ValueIn(*edited, "Option", "ViewIndex");
    if (!value || *value != "6") __builtin_trap();
    std::string removed = qy::IniFile::WithoutKey(*edited, "Option", "ViewIndex");
    if (qy::IniFile::ValueIn(removed, "Option", "ViewIndex")) __builtin_trap();
  }
  return 0;
}
