#include "hlp/help_file_assembly.h"

#include <gtest/gtest.h>

#include "hlp/help_compiler.h"
#include "hlp/message_codes.h"

namespace qy::hlp {
namespace {

CompiledTopic Topic(std::uint32_t offset, std::string title, std::vector<std::string> contexts) {
  CompiledTopic t;
  t.topic_offset = offset;
  t.title = std::move(title);
  t.contexts = std::move(contexts);
  t.line = static_cast<int>(offset / 100 + 1);
  return t;
}

std::vector<int> Codes(const Assembly& a) {
  std::vector<int> codes;
  for (const Diagnostic& d : a.diagnostics) codes.push_back(d.code);
  return codes;
}

// Two context strings, different even without regard to case, with one hash:
// 'B' and 'A' weigh 18 and 17, 'U' 37 and byte 0x80 weighs 80, so both come to
// 18 * 43 + 37 = 17 * 43 + 80.
std::pair<std::string, std::string> CollidingContexts() { return {"BU", "A\x80"}; }

struct Fixture {
  HelpProject project;
  TopicFile topics;
  Assembly Run() {
    AssemblyInput in;
    in.project = &project;
    in.topics = &topics;
    in.source_names = {"a.rtf"};
    return AssembleHelpFile(in);
  }
};

TEST(AssemblyTest, GoodProjectMakesAFileAndWarnsAboutLooseEnds) {
  Fixture f;
  f.project.file_name = "a.hpj";
  f.project.contents = "second";
  f.project.aliases = {{"old_name", "first", 3}, {"gone", "nowhere", 4}};
  f.project.map = {{"first", 10, "a.hh", 1}, {"nowhere", 11, "a.hh", 2}, {"second", 10, "a.hh", 3}};
  f.topics.topics = {Topic(0, "One", {"first"}), Topic(200, "Two", {"second"})};
  // Repeated names are answered again each time, defined or not.
  f.topics.references = {{"FIRST", false, 1, 7},
                         {"old_name", true, 0, 2},
                         {"missing", true, 1, 9},
                         {"FIRST", false, 0, 10},
                         {"missing", false, 0, 11}};
  Assembly a = f.Run();
  ASSERT_TRUE(a.file);
  EXPECT_EQ(Codes(a),
            (std::vector<int>{code::kAliasUndefined, code::kPopupUndefined, code::kJumpUndefined,
                              code::kMapUndefined, code::kDuplicateMap}));
  EXPECT_EQ(a.diagnostics[2].line, 11);
  const Diagnostic& popup = a.diagnostics[1];
  EXPECT_EQ(popup.topic, "Two");
  EXPECT_EQ(popup.line, 9);
  EXPECT_NE(popup.text.find("missing"), std::string::npos);
}

TEST(AssemblyTest, DuplicatesAndCollisionsStopTheBuild) {
  const auto [one, two] = CollidingContexts();
  ASSERT_EQ(ContextHash(one), ContextHash(two));
  Fixture f;
  f.topics.topics = {Topic(0, "One", {"same", one}), Topic(200, "Two", {"SAME"}),
                     Topic(400, "Three", {two})};
  Assembly a = f.Run();
  EXPECT_FALSE(a.file);
  EXPECT_EQ(Codes(a), (std::vector<int>{code::kDuplicateContext, code::kHashCollision}));
  EXPECT_EQ(a.diagnostics[0].topic, "Two");
  EXPECT_NE(a.diagnostics[1].text.find(one), std::string::npos);
}

TEST(CompilerLogTest, RowsHaveTheLayoutTheLogAnalysisReads) {
  const std::string log = FormatCompilerLog(
      {MakeDiagnostic(code::kJumpUndefined, "Jump to \"x\"\nnext", "a.rtf", 12, "Intro"),
       MakeDiagnostic(code::kUnknownOption, "HLP ignored")},
      "a.hlp", 12345, true);
  EXPECT_EQ(log,
            "Quillory Help Compiler\r\n"
            "    HC3025: Warning: a.rtf : Jump to undefined Topic ID\r\n"
            " Jump to \"x\" next (topic \"Intro\") [line 12]\r\n"
            "    HC1001: Note: Option not supported; ignored\r\n"
            " HLP ignored\r\n"
            "Created a.hlp, 12,345 bytes\r\n");
  const std::string failed = FormatCompilerLog({}, "a.hlp", 0, false);
  EXPECT_NE(failed.find("    HC4005: Error: "), std::string::npos);
}

TEST(CompilerLogTest, CodeListNamesEveryCodeOnce) {
  const std::string list = CodeListText();
  for (const MessageCode& c : MessageCodes()) {
    char code[8];
    std::snprintf(code, sizeof code, "HC%04d", c.code);
    const std::size_t at = list.find(code);
    ASSERT_NE(at, std::string::npos) << code;
    EXPECT_EQ(list.find(code, at + 1), std::string::npos) << code;
  }
}

}  // namespace
}  // namespace qy::hlp
