// Runs the quillory-cli executable and captures what it prints.
#pragma once

#include <string>
#include <vector>

namespace qy::testing {

struct CliRun {
  int exit_code = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `program` with `args` (no shell involved) and waits for it.
CliRun RunProgram(const std::string& program, const std::vector<std::string>& args);

}  // namespace qy::testing
