// A scratch file per fuzzing process, for readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>

namespace qy::fuzz {

// Writes `bytes` to this process's scratch file named `name` and returns its
// path.
inline std::string ScratchFile(std::string_view name, std::string_view bytes) {
  const std::string path = "/tmp/qy_fuzz_" + std::to_string(::getpid()) + "_" + std::string(name);
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

}  // namespace qy::fuzz
