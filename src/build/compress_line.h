// The help compiler's compression setting, which depends on the system the
// compiler runs on.
#pragma once

#include <string>

namespace qy {

// What the compression choice needs to know about the system. The compiler
// runs under an NT-compatible layer here, so that is the default answer.
struct HostSystem {
  bool nt_family = true;
  // Consulted only when `nt_family` is false: the system folder, where the
  // full-text search library ftsrch.dll would be.
  std::string system_folder;
};

inline constexpr char kCompressFull[] = "COMPRESS=12 Hall Zeck";
inline constexpr char kCompressZeck[] = "COMPRESS=8 Zeck";

// The "COMPRESS=" line of the help project: full compression on an NT-family
// system or where ftsrch.dll is present, Zeck compression otherwise.
std::string CompressLine(const HostSystem& host = {});

}  // namespace qy
