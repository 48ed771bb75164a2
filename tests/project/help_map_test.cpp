#include "project/help_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <string>
#include <tuple>

#include "core/codec.h"
#include "core/files.h"
#include "project/context_list.h"
#include "project/page_commands.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::ContextOrder;
using testing::FakeProgress;
using testing::FakePrompter;
using testing::MakePages;
using testing::MakeTopicPages;
using testing::TempDir;

// --- One line ------------------------------------------------------------------

// Five hex digits count; a tab before a blank ends the name; the number
// follows the name up to the end of the line.
TEST(HelpMapLine, EntriesOtherAndBadLines) {
  const std::tuple<const char*, const char*, std::int32_t> entries[] = {
      {"HID_ABOUT 0x00100", "HID_ABOUT", 256},      {"HIDD_X\t\t0xfffff", "HIDD_X", 0xFFFFF},
      {"HID_LONG 0x1234567", "HID_LONG", 0x12345},  {"HID_SHORT 0x1f", "HID_SHORT", 0x1F},
      {"HID_TAB\t0x00010 ; note", "HID_TAB", 0x10}, {"HID_0x7 0x00020", "HID_0x7", 0x20}};
  for (const auto& [line, name, id] : entries) {
    HelpMapEntry e;
    ASSERT_EQ(ParseHelpMapLine(line, e), HelpMapLineKind::kEntry) << line;
    EXPECT_EQ(e.name, name);
    EXPECT_EQ(e.id, id);
  }
  HelpMapEntry e;
  for (const char* line : {"hid_lower 0x00001", " HID_INDENT 0x00001", "#define HID_A 0x1", ""}) {
    EXPECT_EQ(ParseHelpMapLine(line, e), HelpMapLineKind::kOther) << line;
  }
  for (const char* line : {"HID", "HIDNOBLANK0x00200", "HID_A 100", "HID_A 0x", "HID_A 0x1G000",
                           "HID_A 0x1F // note", "HID_A 0x 123", "HID_A 0X00100"}) {
    EXPECT_EQ(ParseHelpMapLine(line, e), HelpMapLineKind::kBad) << line;
  }
}

// --- The import ------------------------------------------------------------------

class HelpMapImportTest : public ::testing::Test {
 protected:
  HelpMapImportTest() { model.SetProjectFileName(dir.File("guide.qyp")); }

  void WriteMap(const std::string& name, const std::string& text) {
    ASSERT_TRUE(WriteFileAtomic(dir.File(name), text));
  }

  TempDir dir;
  ProjectModel model;
  FakePrompter prompter;
  FakeProgress progress;
  HelpMapImporter importer{model, prompter, progress};
};

TEST_F(HelpMapImportTest, NewNamesBecomePagesAtTheEnd) {
  MakePages(model, "T T");
  WriteMap("about.hm", "HID_ABOUT 0x00100\r\n");
  HelpMapImportResult r = importer.ImportHelpMap("about.hm");
  ASSERT_EQ(model.PageCount(), 3);
  PageRecord expected;
  expected.Context = expected.Title = "HID_ABOUT";
  expected.ContextID = 256;
  EXPECT_EQ(model.Page(3), expected);
  EXPECT_EQ(r.current_page, 3);
  EXPECT_TRUE(model.Modified());

  // A second import finds nothing to do.
  model.SetModified(false);
  EXPECT_FALSE(importer.ImportHelpMap("about.hm").changed);
  EXPECT_FALSE(model.Modified());
}

TEST_F(HelpMapImportTest, AMixedFileAddsTheGoodLinesAndReportsTheBadOnes) {
  MakePages(model, "T B1 T");
  const auto sample = ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/pageops/app.hm");
  ASSERT_TRUE(sample);
  WriteMap("app.hm", *sample);
  ASSERT_TRUE(WriteContextList(model, ContextListFileName(model)));

  HelpMapImportResult r = importer.ImportHelpMap("app.hm");
  EXPECT_EQ(ContextOrder(model), "HLP000001 HLP000002 HLP000003 HID_ABOUT HIDD_OPTIONS HID_SHORT");
  EXPECT_EQ(model.Page(5).ContextID, 0x20064);
  EXPECT_EQ(model.Page(6).ContextID, 0x1F);
  EXPECT_EQ(r.files[0].bad_lines, (std::vector<int>{4, 5, 7, 8}));
  // Pages appended after a book belong to it.
  EXPECT_EQ(r.tree.ChildrenOf(2), (std::vector<int>{3, 4, 5, 6}));
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].text.ends_with("\r\n8" + Sjis(" 行目 : ") +
                                               "HID_TAIL   0x1F // trailing note"));
  EXPECT_EQ(ReadWholeFile(ContextListFileName(model)).value_or(""), ContextListText(model));
  EXPECT_EQ(progress.maximum, 11);
}

// An existing name whose ID another page holds: that page gets a free ID. A
// new name whose ID another page holds: that page is renamed instead of a
// page added.
TEST_F(HelpMapImportTest, IdsTakenByOtherPages) {
  MakePages(model, "T T");
  model.MutablePage(1).Context = "HIDA";
  model.MutablePage(2).Context = "HIDB";
  WriteMap("m.hm", "HIDB 0x00001\r\n");
  HelpMapImportResult r = importer.ImportHelpMap(dir.File("m.hm"));
  EXPECT_EQ(model.Page(1).ContextID, 3);
  EXPECT_EQ(model.Page(2).ContextID, 1);
  EXPECT_EQ(r.files[0].pages_changed, 1);

  MakePages(model, "T T");
  WriteMap("m.hm", "HID_NEW 0x00002\r\nHLP000001 0x00001\r\n");
  r = importer.ImportHelpMap("m.hm");
  EXPECT_EQ(ContextOrder(model), "HLP000001 HID_NEW");
  EXPECT_EQ(model.Page(2).ContextID, 2);
  EXPECT_EQ(r.files[0].pages_added, 0);
  EXPECT_EQ(r.files[0].pages_changed, 1);
}

// A second page differing only in case would be a duplicate topic.
TEST_F(HelpMapImportTest, ANameInAnotherLetterCaseIsSkipped) {
  MakePages(model, "T");
  model.MutablePage(1).Context = "hid_about";
  WriteMap("m.hm", "HID_ABOUT 0x00100\r\n");
  EXPECT_EQ(importer.ImportHelpMap("m.hm").files[0].case_clash_lines, std::vector<int>{1});
  EXPECT_EQ(ContextOrder(model), "hid_about");
  EXPECT_EQ(model.Page(1).ContextID, 1);
}

TEST_F(HelpMapImportTest, MissingAndLockedFilesAreSkipped) {
  MakePages(model, "T");
  WriteMap("good.hm", "HID_GOOD 0x00010\r\n");
  WriteMap("locked.hm", "HID_LOCKED 0x00011\r\n");
  const bool can_lock = ::geteuid() != 0;  // the super-user reads any file
  if (can_lock) {
    ASSERT_EQ(::chmod(dir.File("locked.hm").c_str(), 0), 0);
  }

  HelpMapImportResult r = importer.ImportHelpMaps({"gone.hm", "locked.hm", "good.hm"});
  ASSERT_EQ(r.files.size(), 3u);
  EXPECT_FALSE(r.files[0].read);
  EXPECT_EQ(r.files[2].pages_added, 1);
  EXPECT_EQ(model.Page(model.PageCount()).Context, "HID_GOOD");
  ASSERT_FALSE(prompter.shown.empty());
  EXPECT_NE(prompter.shown[0].text.find("gone.hm"), std::string::npos);
  if (!can_lock) GTEST_SKIP() << "running as the super-user: no file can be made unreadable";
  EXPECT_FALSE(r.files[1].read);
  ASSERT_EQ(prompter.shown.size(), 2u);
  EXPECT_NE(prompter.shown[1].text.find("locked.hm"), std::string::npos);
}

TEST_F(HelpMapImportTest, TheTableNeverGrowsPast999Pages) {
  MakeTopicPages(model, kMaxPages - 2);
  std::string map = "HID_A 0x01001\r\nHID_B 0x01002\r\n";
  for (int i = 0; i < 12; ++i)
    map += "HID_X" + std::to_string(i) + " 0x0200" + std::to_string(i % 10) + "\r\n";
  // A name that only changes an existing page still applies when full.
  model.MutablePage(1).Context = "HID_FIRST";
  map += "HID_FIRST 0x03000\r\n";
  WriteMap("big.hm", map);
  HelpMapImportResult r = importer.ImportHelpMap("big.hm");

  EXPECT_EQ(model.PageCount(), kMaxPages);
  EXPECT_EQ(r.files[0].pages_added, 2);
  EXPECT_EQ(r.files[0].left_out.size(), 12u);
  EXPECT_EQ(model.Page(1).ContextID, 0x3000);
  ASSERT_EQ(prompter.shown.size(), 1u);
  EXPECT_TRUE(prompter.shown[0].text.starts_with(PageTableFullMessage()));
}

}  // namespace
}  // namespace qy
