#include "project/context_list.h"

#include <gtest/gtest.h>

#include <string>

#include "core/codec.h"
#include "core/files.h"
#include "project/help_map_list.h"
#include "support/fakes.h"
#include "support/page_ops_fixture.h"

namespace qy {
namespace {

using testing::MakePages;
using testing::TempDir;

// --- Context list -----------------------------------------------------------------

TEST(ContextList, ThreePagesInFourSections) {
  ProjectModel model;
  MakePages(model, "T B1 C");
  model.MutablePage(1).Title = Sjis("はじめに");
  model.MutablePage(3).ContextID = 1000;
  EXPECT_EQ(ContextListText(model),
            "[Title]\r\nTItemCount=3\r\nTItem001=" + Sjis("はじめに") +
                "\r\nTItem002=Page 2\r\nTItem003=Page 3\r\n\r\n"
                "[ConText]\r\nCItemCount=3\r\nCItem001=HLP000001\r\nCItem002=HLP000002\r\n"
                "CItem003=HLP000003\r\n\r\n"
                "[ConTextID]\r\nIItemCount=3\r\nIItem001=1\r\nIItem002=2\r\nIItem003=1000\r\n\r\n"
                "[PageAttr]\r\nPItemCount=3\r\nPItem001=0\r\nPItem002=11\r\nPItem003=2\r\n");
}

TEST(ContextList, RefreshWritesOnlyAnExistingFile) {
  TempDir dir;
  ProjectModel model;
  MakePages(model, "T T");
  EXPECT_TRUE(RefreshContextList(model));  // no project file name: nothing to do
  model.SetProjectFileName(dir.File("guide.qyp"));
  const std::string hls = dir.File("guide.hls");

  EXPECT_TRUE(RefreshContextList(model));
  EXPECT_FALSE(FileExists(hls));
  ASSERT_TRUE(WriteContextList(model, hls));
  model.MutablePage(2).Title = "Renamed";
  ASSERT_TRUE(RefreshContextList(model));
  EXPECT_EQ(ReadWholeFile(hls).value_or(""), ContextListText(model));
}

// --- Help-map list ------------------------------------------------------------------

// Only Path lines after the header block count; Japanese names (UTF-8 here)
// are written in Shift-JIS.
TEST(HelpMapListFile, WritesAndReadsItsEntries) {
  TempDir dir;
  const std::string qym = HelpMapListFileName(dir.File("guide.qyp"));
  ASSERT_TRUE(WriteHelpMapList(qym, {"app.hm", "ヘルプ.hm"}));
  EXPECT_EQ(ReadWholeFile(qym).value_or(""),
            "Quillory Second Project Ver1.47\r\n\r\n//HelpMap//\r\nPath=app.hm\r\nPath=" +
                Sjis("ヘルプ.hm") + "\r\n//End//\r\n");
  EXPECT_EQ(ReadHelpMapList(qym), (std::vector<std::string>{"app.hm", "ヘルプ.hm"}));
  ASSERT_TRUE(WriteFileAtomic(qym,
                              "Quillory Second Project Ver1.47\nPath=skipped.hm\nPath=also.hm\n"
                              "Path=one.hm\r\nnoise\r\nPath=two.hm\r\n//End//\r\n"));
  EXPECT_EQ(ReadHelpMapList(qym), (std::vector<std::string>{"one.hm", "two.hm"}));
  ASSERT_TRUE(WriteFileAtomic(qym, "Quillory Project Ver1.47\r\n\r\n//HelpMap//\r\nPath=x.hm\r\n"));
  EXPECT_TRUE(ReadHelpMapList(qym).empty());
  EXPECT_TRUE(ReadHelpMapList(dir.File("none.qym")).empty());
}

TEST(HelpMapListDialog, AddDropAndRemove) {
  TempDir dir;
  const std::string qym = dir.File("p.qym");
  HelpMapList list(qym);
  EXPECT_FALSE(list.Add("").changed);
  EXPECT_FALSE(list.Add("notes.txt").changed);
  EXPECT_FALSE(FileExists(qym));
  EXPECT_TRUE(list.Add("APP.HM").changed);
  EXPECT_TRUE(list.Add("APP.HM").changed);  // the box adds without a duplicate test
  EXPECT_TRUE(FileExists(qym));

  HelpMapList::Update dropped = list.Drop({"APP.HM", "readme.txt", "more.hm", "more.hm"});
  EXPECT_TRUE(dropped.written);
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"APP.HM", "APP.HM", "more.hm"}));
  EXPECT_EQ(HelpMapList(qym).Entries(), list.Entries());
  EXPECT_FALSE(list.Drop({"APP.HM"}).changed);

  EXPECT_FALSE(list.Remove(3).changed);
  EXPECT_TRUE(list.Remove(0).changed);
  EXPECT_EQ(ReadHelpMapList(qym), (std::vector<std::string>{"APP.HM", "more.hm"}));
  list.Remove(1);
  EXPECT_TRUE(FileExists(qym));
  EXPECT_TRUE(list.Remove(0).written);
  EXPECT_FALSE(FileExists(qym));
}

}  // namespace
}  // namespace qy
