// The fixture of the quillory-cli tests: the program runs as a child process
// next to a copy of the sample project.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {

inline const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

class CliTest : public ::testing::Test {
 protected:
  CliTest() { EXPECT_TRUE(CopyFile(kSample, project_)); }
  // Every run gets its own settings file so that nothing depends on the
  // machine's.
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini")});
    return RunProgram(QY_CLI_PATH, args);
  }
  std::string Read(const std::string& file) { return ReadWholeFile(file).value_or(""); }

  TempDir dir_;
  std::string project_ = dir_.File("sample.qyp");
};

}  // namespace qy::testing
