#include <gtest/gtest.h>

#include <string>

#include "core/files.h"
#include "support/cli_runner.h"
#include "support/fakes.h"

namespace qy::testing {
namespace {

const std::string kCli = QY_CLI_PATH;
const std::string kSample = std::string(QY_EXAMPLES_DIR) + "/sample.qyp";

class ImportMapCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CopyFile(kSample, dir_.File("help.qyp")));
    ASSERT_TRUE(WriteFileAtomic(dir_.File("app.hm"),
                                "// generated\r\n"
                                "HIDC_ADD_ENTRY 0x10020\r\n"
                                "HID_NO_NUMBER\r\n"));
    ASSERT_TRUE(WriteFileAtomic(dir_.File("app2.hm"), "HIDC_ADD_ENTRY 0x00063\r\n"));
  }
  CliRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"--settings", dir_.File("quillory.ini")});
    return RunProgram(kCli, args);
  }
  TempDir dir_;
};

TEST_F(ImportMapCliTest, AddsNewContextsAlignsIdsAndSavesTheProject) {
  CliRun run = Run({"import-map", dir_.File("help.qyp"), dir_.File("app.hm")});
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("1 pages added, 0 pages changed"), std::string::npos) << run.out;
  // The line without a number is reported, never turned into a page.
  EXPECT_NE(run.out.find("HID_NO_NUMBER"), std::string::npos) << run.out;

  CliRun info = Run({"info", dir_.File("help.qyp")});
  ASSERT_EQ(info.exit_code, 0) << info.err;
  EXPECT_NE(info.out.find("\tHIDC_ADD_ENTRY\t65568\t"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("PageCount\t12\n"), std::string::npos);

  // A later build of the application renumbers the help ID: the page follows.
  CliRun again = Run({"import-map", dir_.File("help.qyp"), dir_.File("app2.hm")});
  ASSERT_EQ(again.exit_code, 0) << again.out << again.err;
  EXPECT_NE(again.out.find("0 pages added, 1 pages changed"), std::string::npos) << again.out;
  info = Run({"info", dir_.File("help.qyp")});
  EXPECT_NE(info.out.find("\tHIDC_ADD_ENTRY\t99\t"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("PageCount\t12\n"), std::string::npos);
}

TEST_F(ImportMapCliTest, MissingMapFileFailsAndLeavesTheProjectAlone) {
  std::string before = *ReadWholeFile(dir_.File("help.qyp"));
  CliRun run = Run({"import-map", dir_.File("help.qyp"), dir_.File("none.hm")});
  EXPECT_NE(run.exit_code, 0);
  EXPECT_EQ(*ReadWholeFile(dir_.File("help.qyp")), before);
}

}  // namespace
}  // namespace qy::testing
