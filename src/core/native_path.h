// File names live in the platform's own encoding (UTF-8 on Linux) so that
// they can be handed to the file system unchanged; every text the system
// shows or stores is Shift-JIS. These two convert at that border: a file name
// put into a message, caption or project field goes through ToSjis, a
// Shift-JIS name read from a project or settings file goes through FromSjis
// before it is opened.
#pragma once

#include <string>
#include <string_view>

#include "core/codec.h"
#include "core/cp932.h"

namespace qy {

inline std::string PathToSjis(std::string_view native_path) {
#ifdef _WIN32
  return std::string(native_path);
#else
  return Utf8ToCp932(native_path);
#endif
}

inline std::string PathFromSjis(std::string_view sjis_path) {
#ifdef _WIN32
  return std::string(sjis_path);
#else
  return Cp932ToUtf8(sjis_path);
#endif
}

// Whether two paths (in the same encoding) name one file by their spelling,
// the way the file system compares names: letter case counts on Linux, where
// "A.qyp" and "a.qyp" are two files, and not on Windows.
inline bool SamePath(std::string_view a, std::string_view b) {
#ifdef _WIN32
  return AsciiLower(a) == AsciiLower(b);
#else
  return a == b;
#endif
}

}  // namespace qy
