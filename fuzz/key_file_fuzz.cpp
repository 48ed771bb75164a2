// Feeds arbitrary bytes to the key file reader: the shortcut texts, the keys
// applied at start-up, the macro keys, and a rewrite that must read back.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "shell/key_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // The bytes as one key text as well.
  if (std::optional<qy::KeyCombo> key = qy::ParseKeyText(bytes)) {
    if (qy::ParseKeyText(key->Text()) != key) __builtin_trap();
  }
  (void)qy::NormalizeKeyText(bytes);

  const std::optional<std::string> file = bytes;
  const qy::ShortcutTexts texts = qy::ReadShortcutTexts(file);
  const std::vector<qy::AppliedShortcut> applied = qy::ApplyKeySettings(file);
  (void)qy::DuplicateShortcuts(applied);
  for (int slot = 0; slot < 20; ++slot) (void)qy::RegisteredMacroShortcut(file, slot);

  // What was read writes back and reads again the same.
  std::string error;
  if (std::optional<std::string> rewritten = qy::KeyFileWithTexts(bytes, texts, &error)) {
    if (qy::ReadShortcutTexts(*rewritten) != texts) __builtin_trap();
  }
  return 0;
}
