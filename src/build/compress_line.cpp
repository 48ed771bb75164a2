#include "build/compress_line.h"

#include "core/files.h"

namespace qy {

std::string CompressLine(const HostSystem& host) {
  if (host.nt_family) return kCompressFull;
  if (!host.system_folder.empty()) {
    std::string folder = host.system_folder;
    if (folder.back() != '/' && folder.back() != '\\') folder += '/';
    if (FileExists(folder + "ftsrch.dll")) return kCompressFull;
  }
  return kCompressZeck;
}

}  // namespace qy
