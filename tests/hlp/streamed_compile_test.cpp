// The compiler takes each topic as the reader finishes it; what a topic is
// compiled with and what messages say of it must not depend on that.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/files.h"
#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"
#include "support/fakes.h"

namespace qy::hlp {
namespace {

const char kProject[] = "[OPTIONS]\r\nCONTENTS=ONE\r\n[FILES]\r\ndoc.rtf\r\n";

std::string TopicText(const char* context, const char* title, const char* body) {
  return std::string("#{\\footnote ") + context + "}${\\footnote " + title + "}\r\n" + body +
         "\\par\r\n\\page\r\n";
}

class StreamedCompileTest : public ::testing::Test {
 protected:
  CompileOutcome Compile(const std::string& rtf, const std::string& name) {
    const std::string folder = dir_.File(name);
    EXPECT_TRUE(std::filesystem::create_directories(folder));
    EXPECT_TRUE(WriteFileAtomic(folder + "/doc.rtf", rtf));
    EXPECT_TRUE(WriteFileAtomic(folder + "/doc.hpj", kProject));
    return CompileHelpProject({folder + "/doc.hpj", "", 0});
  }
  testing::TempDir dir_;
};

// Tables read after the first topic apply to the whole file, as they do
// when the file is read first and compiled after.
TEST_F(StreamedCompileTest, TablesAfterTheFirstTopicApplyToIt) {
  const std::string one = TopicText("ONE", "One", "\\f1\\cf1 red text");
  const std::string two = TopicText("TWO", "Two", "\\f1 more {\\uldb jump}{\\v ONE}");
  const char kFonts[] = "{\\fonttbl{\\f0\\froman Times;}{\\f1\\fswiss Arial;}}";
  const char kColors[] = "{\\colortbl;\\red255\\green0\\blue0;}";
  const struct {
    const char* name;
    std::string early;
    std::string late;
  } cases[] = {
      {"fonts", std::string("{\\rtf1") + kFonts + one + two + "}",
       "{\\rtf1" + one + kFonts + two + "}"},
      {"colours", std::string("{\\rtf1") + kColors + one + two + "}",
       "{\\rtf1" + one + kColors + two + "}"},
      {"default", std::string("{\\rtf1") + kFonts + "\\deff1 " + one + two + "}",
       std::string("{\\rtf1") + kFonts + one + "\\deff1 " + two + "}"},
  };
  for (const auto& c : cases) {
    const CompileOutcome early = Compile(c.early, std::string(c.name) + "_early");
    const CompileOutcome late = Compile(c.late, std::string(c.name) + "_late");
    ASSERT_TRUE(early.help_file_written) << c.name;
    ASSERT_TRUE(late.help_file_written) << c.name;
    EXPECT_EQ(ReadWholeFile(early.help_file).value_or("early"),
              ReadWholeFile(late.help_file).value_or("late"))
        << c.name;
  }
}

TEST_F(StreamedCompileTest, MarkupNotesNameTheTopicTheyStandIn) {
  // No outer group, so the brace closes nothing.
  const std::string rtf =
      TopicText("ONE", "One", "fine") + TopicText("TWO", "Two", "a stray } here");
  const CompileOutcome out = Compile(rtf, "notes");
  bool found = false;
  for (const Diagnostic& d : out.diagnostics) {
    if (d.code != code::kUnbalancedGroup) continue;
    found = true;
    EXPECT_EQ(d.topic, "Two");
    EXPECT_EQ(d.line, 5);
  }
  EXPECT_TRUE(found);
}

}  // namespace
}  // namespace qy::hlp
