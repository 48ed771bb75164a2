// A key file or toolbar layout file that exists but can not be read: the
// window says so once, naming the file and the reason, and goes on with the
// defaults instead of losing every shortcut or button.
#pragma once

#include <optional>
#include <string>

namespace qy {

enum class LayoutFileKind { kKeys, kToolbars };

// The Shift-JIS message; `path` in the platform's encoding, `reason` ASCII.
std::string UnreadableFileMessage(LayoutFileKind kind, const std::string& path,
                                  const std::string& reason);

// The key file's text to apply shortcuts from; nullopt means the default
// keys (no key file, or one that can not be read: *message then holds what
// to tell the user).
std::optional<std::string> KeyFileForShortcuts(const std::string& path, std::string* message);

}  // namespace qy
