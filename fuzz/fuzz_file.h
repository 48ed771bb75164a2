// A scratch file per fuzzing process, for readers that take a path.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace qy::fuzz {

// Writes `bytes` to this process's scratch file named `name` and returns its
// path. The file goes when the process ends normally.
inline std::string ScratchFile(std::string_view name, std::string_view bytes) {
  struct Scratch {
    std::vector<std::string> paths;
    ~Scratch() {
      for (const std::string& path : paths) std::remove(path.c_str());
    }
  };
  static Scratch scratch;
  const std::string path = "/tmp/qy_fuzz_" + std::to_string(::getpid()) + "_" + std::string(name);
  bool known = false;
  for (const std::string& p : scratch.paths) known = known || p == path;
  if (!known) scratch.paths.push_back(path);
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  return path;
}

}  // namespace qy::fuzz
