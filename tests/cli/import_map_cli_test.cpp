#include "cli_test.h"

namespace qy::testing {
namespace {

class ImportMapCliTest : public CliTest {
 protected:
  CliRun Import(const std::string& map) {
    EXPECT_TRUE(WriteFileAtomic(dir_.File("app.hm"), map));
    return Run({"import-map", project_, dir_.File("app.hm")});
  }
};

TEST_F(ImportMapCliTest, AddsNewContextsAlignsIdsAndSavesTheProject) {
  CliRun run = Import("// generated\r\nHIDC_ADD_ENTRY 0x10020\r\nHID_NO_NUMBER\r\n");
  ASSERT_EQ(run.exit_code, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("1 pages added, 0 pages changed"), std::string::npos) << run.out;
  // The line without a number is reported, never turned into a page.
  EXPECT_NE(run.out.find("HID_NO_NUMBER"), std::string::npos) << run.out;
  EXPECT_NE(Run({"info", project_}).out.find("\tHIDC_ADD_ENTRY\t65568\t"), std::string::npos);

  // A later build of the application renumbers the help ID: the page follows.
  run = Import("HIDC_ADD_ENTRY 0x00063\r\n");
  EXPECT_NE(run.out.find("0 pages added, 1 pages changed"), std::string::npos) << run.out;
  const std::string info = Run({"info", project_}).out;
  EXPECT_NE(info.find("\tHIDC_ADD_ENTRY\t99\t"), std::string::npos) << info;
  EXPECT_NE(info.find("PageCount\t12\n"), std::string::npos);
}

TEST_F(ImportMapCliTest, FailuresLeaveTheProjectAloneOrNameWhatWasLeftOut) {
  const std::string before = Read(project_);
  EXPECT_NE(Run({"import-map", project_, dir_.File("none.hm")}).exit_code, 0);
  EXPECT_EQ(Read(project_), before);

  std::string names;
  for (int i = 0; i < 990; ++i)
    names += "HID_N" + std::to_string(i) + " 0x" + std::to_string(1000 + i) + "\r\n";
  CliRun full = Import(names);
  EXPECT_EQ(full.exit_code, 1);
  EXPECT_NE(full.err.find("2 names left out"), std::string::npos) << full.err;
  EXPECT_NE(full.err.find("HID_N988 HID_N989\n"), std::string::npos) << full.err;
}

}  // namespace
}  // namespace qy::testing
