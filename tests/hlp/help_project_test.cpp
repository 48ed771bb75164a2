#include "hlp/help_project.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "core/codec.h"
#include "core/files.h"
#include "hlp/path_resolver.h"
#include "hlp/system_file.h"

namespace qy::hlp {
namespace {

IncludeLoader FakeFiles(std::map<std::string, std::string> files) {
  return [files](const std::string& name, std::string* reason) -> std::optional<std::string> {
    auto it = files.find(name);
    if (it == files.end()) {
      *reason = "not found";
      return std::nullopt;
    }
    return it->second;
  };
}

TEST(HelpProjectTest, ReadsWhatTheBuildWrites) {
  auto text = ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/build/worked_example.hpj");
  auto header = ReadWholeFile(std::string(QY_TEST_DATA_DIR) + "/build/worked_example.hh");
  ASSERT_TRUE(text && header);
  HelpProject p = ReadHelpProject(*text, "Sample.hpj", FakeFiles({{".\\Sample.hh", *header}}));
  EXPECT_EQ(p.title, Sjis("サンプル ヘルプ"));
  EXPECT_EQ(p.contents, "HLP000001");
  EXPECT_EQ(p.EffectiveCharset(), 128);  // from LCID 0x411
  EXPECT_TRUE(p.compress && p.report);
  EXPECT_EQ(p.bitmap_roots, std::vector<std::string>{"C:\\Help\\Bmp"});
  EXPECT_EQ(p.config_macros, std::vector<std::string>{"BrowseButtons()"});
  ASSERT_EQ(p.map.size(), 2u);
  EXPECT_EQ(p.map[1].number, 20);
  ASSERT_EQ(p.windows.size(), 1u);
  EXPECT_EQ(p.windows[0].nsr_colour, 12632256u);
  // Only the phrase-compression note: every other line is understood.
  ASSERT_EQ(p.diagnostics.size(), 1u);
  EXPECT_EQ(p.diagnostics[0].severity, Severity::kNote);
}

TEST(HelpProjectTest, HandMadeProjects) {
  const std::string text =
      "; a comment\r\n"
      "[options]\r\n"
      "Title = My Help ; with a semicolon\r\n"
      "COMPRESS=0\r\n"
      "charset=134\r\n"
      "BMROOT=art, .\\more art\r\n"
      "HLP=x.hlp\r\n"
      "[FILES]\r\n"
      "a.rtf ; first\r\n"
      "[WINDOWS]\r\n"
      "proc4=\"Procedure\", (653,102,360,600), 0, (255, 255, 226), (192,192,192), 1\r\n"
      "bad=\"x\", (1,2,3)\r\n"
      "[MAP]\r\n"
      "ctx_a 0x10\r\n"
      "ctx_b=7 // seven\r\n"
      "#define ctx_c 12\r\n"
      "#include <more.h>\r\n"
      "#include missing.h\r\n"
      "nonsense\r\n"
      "[ALIAS]\r\n"
      "old = ctx_a\r\n"
      "[BITMAPS]\r\n"
      "logo.bmp\r\n"
      "[MYSECTION]\r\n"
      "x\r\n";
  HelpProject p = ReadHelpProject(text, "h.hpj", FakeFiles({{"more.h", "#define ctx_d -3\n"}}));
  EXPECT_EQ(p.title, "My Help ; with a semicolon");
  EXPECT_FALSE(p.compress);
  EXPECT_EQ(p.EffectiveCharset(), 134);
  EXPECT_EQ(p.bitmap_roots, (std::vector<std::string>{"art", ".\\more art"}));
  EXPECT_EQ(p.files, std::vector<std::string>{"a.rtf"});
  ASSERT_EQ(p.windows.size(), 1u);
  const WindowDefinition& w = p.windows[0];
  EXPECT_EQ(w.caption, "Procedure");
  EXPECT_EQ(w.width, 360);
  EXPECT_EQ(w.colour, 0xE2FFFFu);
  std::vector<std::pair<std::string, int>> map;
  for (const MapEntry& e : p.map) map.emplace_back(e.context, e.number);
  EXPECT_EQ(map, (std::vector<std::pair<std::string, int>>{
                     {"ctx_a", 16}, {"ctx_b", 7}, {"ctx_c", 12}, {"ctx_d", -3}}));
  EXPECT_EQ(p.aliases.at(0).context, "ctx_a");
  EXPECT_EQ(p.bitmaps, std::vector<std::string>{"logo.bmp"});
  std::vector<int> codes;
  for (const Diagnostic& d : p.diagnostics) codes.push_back(d.code);
  // HLP= unknown, bad window, missing include, nonsense map line, section.
  EXPECT_EQ(codes, (std::vector<int>{1001, 3003, 5001, 3002, 3001}));
  EXPECT_EQ(p.diagnostics[2].line, 18);
}

TEST(HelpProjectTest, FeatureSectionsAndTheirFaults) {
  const std::string text =
      "[OPTIONS]\r\nMULTIKEY=b\r\nMULTIKEY=BB\r\nMULTIKEY=b\r\nBUILD=a & b ; note\r\n"
      "[CONFIG:x]\r\nLost()\r\n[Config-Proc]\r\nKept()\r\n[FONTS]\r\nArial=Helv\r\n"
      "[MACROS]\r\n; a comment\r\none; two ;\r\nM()\r\nTitle\r\nlast\r\nN()\r\n"
      "[EXCLUDE]\r\ndraft ; old\r\n";
  HelpProject p = ReadHelpProject(text, "h.hpj", FakeFiles({}));
  EXPECT_EQ(p.multikey, "b");
  EXPECT_EQ(p.build_expression, "a & b");
  ASSERT_EQ(p.window_configs.size(), 1u);
  EXPECT_EQ(p.window_configs[0].window, "Proc");
  EXPECT_EQ(p.window_configs[0].macros, std::vector<std::string>{"Kept()"});
  ASSERT_EQ(p.keyword_macros.size(), 1u);
  EXPECT_EQ(p.keyword_macros[0].keywords, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(p.keyword_macros[0].title, "Title");
  EXPECT_EQ(p.exclude_tags, std::vector<std::string>{"draft"});
  std::vector<int> codes;
  for (const Diagnostic& d : p.diagnostics) codes.push_back(d.code);
  // MULTIKEY=BB, [CONFIG:x], [FONTS], the unfinished [MACROS] entry.
  EXPECT_EQ(codes, (std::vector<int>{3002, 3002, 1003, 3002}));
}

TEST(HelpProjectTest, IncludeLoopsStop) {
  HelpProject p = ReadHelpProject("[MAP]\n#include a.h\n", "h.hpj",
                                  FakeFiles({{"a.h", "#include a.h\nx 1\n"}}));
  EXPECT_EQ(p.map.size(), 8u);
  EXPECT_FALSE(p.diagnostics.empty());
}

TEST(PathResolverTest, MatchesWindowsPathsWithoutRegardToCase) {
  namespace fs = std::filesystem;
  const fs::path root = fs::path(TempFolder()) / ("qy_hlp_paths_" + std::to_string(::getpid()));
  fs::create_directories(root / "Help" / "BMP");
  fs::create_directories(root / Cp932ToUtf8(Sjis("画像")));
  std::ofstream(root / "Help" / "Sample.RTF") << "x";
  std::ofstream(root / "Help" / "BMP" / "Logo.bmp") << "x";
  std::ofstream(root / Cp932ToUtf8(Sjis("画像")) / "Pic.bmp") << "x";
  const std::string base = root.string() + "/";
  EXPECT_EQ(ResolveWindowsPath(base, ".\\help\\sample.rtf"), base + "Help/Sample.RTF");
  EXPECT_EQ(ResolveWindowsPath(base, "HELP/bmp/../Sample.rtf"), base + "Help/BMP/../Sample.RTF");
  EXPECT_EQ(ResolveWindowsPath(base, "help\\nothing.rtf"), "");
  // "表" ends in the byte 0x5C: it must not split the name.
  EXPECT_EQ(ResolveWindowsPath(base, Sjis("画像\\pic.BMP")),
            base + Cp932ToUtf8(Sjis("画像")) + "/Pic.bmp");
  EXPECT_EQ(FindInFolders(base, {"nowhere", "help\\bmp"}, "LOGO.BMP"), base + "Help/BMP/Logo.bmp");
  fs::remove_all(root);
}

TEST(SystemFileTest, WindowRecordLayout) {
  WindowDefinition w;
  w.name = "a_very_long_name";
  w.caption = "Cap";
  w.has_caption = true;
  w.has_colour = true;
  w.colour = 0x123456;
  const std::string r = BuildWindowRecord(w);
  ASSERT_EQ(r.size(), 90u);
  EXPECT_EQ(static_cast<unsigned char>(r[0]), 0x02 | 0x04);
  EXPECT_EQ(static_cast<unsigned char>(r[1]), 0x01);
  EXPECT_EQ(std::string(r.c_str() + 12), "a_very_l");
  EXPECT_EQ(std::string(r.c_str() + 21), "Cap");
  EXPECT_EQ(static_cast<unsigned char>(r[82]), 0x56);
}

}  // namespace
}  // namespace qy::hlp
