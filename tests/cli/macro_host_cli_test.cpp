#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/codec.h"
#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

// A headless macro run starts programs like the window's, ends a runaway
// string with a message, and the tool says its bounds; an import into a
// full project fails and names what it left out.
TEST(CliHostBehaviour, RunsLikeTheWindowAndReportsWhatItCouldNotDo) {
  TempDir dir;
  const std::string project = dir.File("help.qyp");
  ASSERT_TRUE(CopyFile(kSample, project));
  auto run = [&](std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir.File("quillory.ini")});
    return RunProgram(kCli, args);
  };
  auto macro = [&](const std::string& source) {
    EXPECT_TRUE(WriteFileAtomic(dir.File("m.p2s"), Sjis(source)));
    return run({"macro", dir.File("m.p2s"), "--project", project});
  };

  const std::string marker = dir.File("ran");
  CliRun exec = macro("var r: Integer; begin r := Exec('/bin/sh', '-c \"echo x > " + marker +
                      "\"', -1); MessageBox(IntToStr(r), '', 0) end.");
  EXPECT_EQ(exec.exit_code, 0) << exec.err;
  EXPECT_TRUE(FileExists(marker));
  EXPECT_EQ(exec.out, "0\n");
  CliRun missing =
      macro("begin MessageBox(IntToStr(Exec('/no/such/program', '', -1)), '', 0) end.");
  EXPECT_EQ(missing.out, "0\n");

  CliRun huge =
      macro("var s: String; i: Integer; begin s := 'x'; for i := 1 to 40 do s := s + s end.");
  EXPECT_EQ(huge.exit_code, 1);
  EXPECT_NE(huge.err.find("文字列が長すぎます"), std::string::npos) << huge.err;

  EXPECT_NE(run({"--help"}).out.find("--max-steps defaults to 100000000"), std::string::npos);

  std::string names;
  for (int i = 0; i < 990; ++i)
    names += "HID_N" + std::to_string(i) + " 0x" + std::to_string(1000 + i) + "\r\n";
  ASSERT_TRUE(WriteFileAtomic(dir.File("big.hm"), names));
  CliRun import = run({"import-map", project, dir.File("big.hm")});
  EXPECT_EQ(import.exit_code, 1);
  EXPECT_NE(import.err.find("2 names left out"), std::string::npos) << import.err;
  EXPECT_NE(import.err.find("HID_N988 HID_N989\n"), std::string::npos) << import.err;
}

}  // namespace
}  // namespace qy::testing
