#include "export/chm_export.h"

#include <gtest/gtest.h>

#include "core/codec.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy::help_export {
namespace {

// Plays chmcmd: checks what it was given and leaves `output` as the
// compiled file.
class FakeChmcmd : public ProcessRunner {
 public:
  ProcessResult Start(const std::string& program, const std::vector<std::string>& arguments,
                      const std::string& working_dir, bool wait) override {
    EXPECT_TRUE(wait);
    program_ = program;
    project = ReadWholeFile(working_dir + "/" + arguments.at(0)).value_or("");
    contents = ReadWholeFile(working_dir + "/contents.hhc").value_or("");
    if (output) WriteFileAtomic(working_dir + "/quillory.chm", *output);
    return result;
  }
  bool ShellOpen(const std::string&, const std::string&) override { return false; }

  ProcessResult result{true, 0, ""};
  std::optional<std::string> output = std::string("ITSF\x03\0\0\0", 8);
  std::string program_;
  std::string project;
  std::string contents;
};

class ChmExportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    project_.ClearPages();
    PageRecord book;
    book.Context = "BOOK";
    book.Title = Sjis("基本");
    book.Attribute = BookAttribute(1);
    project_.AppendPage(book);
    PageRecord page;
    page.Context = "HLP000002";
    page.Title = Sjis("作成");
    page.Keyword = Sjis("新規");
    page.ContextID = 256;
    page.Topic = Sjis("本文");
    project_.AppendPage(page);
    project_.Header().HelpTitle = Sjis("家計簿");
    project_.SetProjectFileName(dir_.File("p.qyp"));
  }
  ExportResult Export() {
    return ExportChm(project_, target_, {}, runner_, progress_, "chmcmd-test");
  }

  qy::testing::TempDir dir_;
  ProjectModel project_;
  FakeChmcmd runner_;
  qy::testing::FakeProgress progress_;
  std::string target_ = dir_.File("out.chm");
};

TEST_F(ChmExportTest, ProjectIsJapaneseWithTextIndexAndNumbers) {
  const ExportResult result = Export();
  ASSERT_TRUE(result.ok) << Cp932ToUtf8(result.error);
  EXPECT_EQ(runner_.program_, "chmcmd-test");
  const std::string hhp = runner_.project;
  for (const char* line :
       {"Language=0x411 Japanese\r\n", "Binary Index=No\r\n", "Default topic=HLP000002.html\r\n",
        "[ALIAS]\r\nHLP000002=HLP000002.html\r\n", "[MAP]\r\n#define HLP000002 256\r\n"}) {
    EXPECT_NE(hhp.find(line), std::string::npos) << line;
  }
  EXPECT_NE(hhp.find("Title=" + Sjis("家計簿")), std::string::npos);  // Shift-JIS
  EXPECT_NE(runner_.contents.find(Sjis("<param name=\"Name\" value=\"基本\"></OBJECT>\n<UL>\n")),
            std::string::npos);
  EXPECT_EQ(ReadWholeFile(target_).value_or("").substr(0, 4), "ITSF");
  EXPECT_EQ(progress_.position, progress_.maximum);
}

// chmcmd's failures, including those it reports as success: the old file
// stays, no temporary file is left, and the message says what happened.
TEST_F(ChmExportTest, FailuresKeepTheOldFile) {
  struct Case {
    const char* name;
    ProcessResult result;
    std::optional<std::string> output;
    const char* message;
  } cases[] = {
      {"missing program", {false, -1, "No such file or directory"}, std::nullopt, "fp-utils"},
      {"exit status", {true, 1, ""}, std::string("ITSF"), "1"},
      {"no output", {true, 0, ""}, std::nullopt, "chmcmd"},
      {"empty output", {true, 0, ""}, std::string(), "chmcmd"},
      {"not a chm", {true, 0, ""}, std::string("<html>"), "chmcmd"},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileAtomic(target_, "old"));
    runner_.result = c.result;
    runner_.output = c.output;
    const ExportResult result = Export();
    EXPECT_FALSE(result.ok) << c.name;
    EXPECT_NE(Cp932ToUtf8(result.error).find(c.message), std::string::npos)
        << c.name << ": " << Cp932ToUtf8(result.error);
    EXPECT_EQ(ReadWholeFile(target_).value_or(""), "old") << c.name;
    EXPECT_FALSE(FileExists(dir_.File(".~qyout.chm"))) << c.name;
  }
}

}  // namespace
}  // namespace qy::help_export
