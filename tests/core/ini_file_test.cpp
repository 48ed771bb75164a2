#include "core/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string_view>
#include <utility>
#include <vector>

#include "core/codec.h"
#include "core/cp932.h"
#include "core/files.h"
#include "support/fakes.h"

namespace qy {
namespace {

using testing::TempDir;

class IniFileTest : public ::testing::Test {
 protected:
  // Writes `text` as the file's bytes and returns an IniFile on it.
  IniFile With(const std::string& text) {
    EXPECT_TRUE(WriteFileAtomic(path_, text).ok);
    return IniFile(path_);
  }
  std::string Bytes() const { return ReadWholeFile(path_).value_or("<missing>"); }

  TempDir dir_;
  std::string path_ = dir_.File("test.ini");
};

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesFallback) {
  IniFile missing(dir_.File("none.ini"));
  EXPECT_EQ(missing.ReadString("Window", "PageView", "fb"), "fb");
  EXPECT_EQ(missing.ReadInt("Window", "PageView", 7), 7);
  EXPECT_TRUE(missing.ReadBool("Window", "PageView", true));
  EXPECT_FALSE(missing.HasKey("Window", "PageView"));
  EXPECT_TRUE(missing.ReadKeys("Window").empty());
  EXPECT_TRUE(missing.ReadSections().empty());

  IniFile ini = With("[Window]\r\nPageView=0\r\n");
  EXPECT_EQ(ini.ReadString("Option", "PageView", "fb"), "fb");
  EXPECT_EQ(ini.ReadString("Window", "StatusBar", "fb"), "fb");
  EXPECT_EQ(ini.ReadInt("Window", "StatusBar", 3), 3);
  EXPECT_EQ(ini.ReadString("Window", "PageView", "fb"), "0");

  // A directory where the file should be reads as an empty file.
  IniFile folder(dir_.path());
  EXPECT_EQ(folder.ReadString("Window", "PageView", "fb"), "fb");
}

TEST_F(IniFileTest, NamesCompareIgnoringAsciiCaseOnly) {
  IniFile ini = With("[Window]\r\nPageView=1\r\n[\x83\x41]\r\nk=jp\r\n");
  EXPECT_EQ(ini.ReadString("WINDOW", "pageview"), "1");
  EXPECT_EQ(ini.ReadString("window", "PAGEVIEW"), "1");
  EXPECT_EQ(ini.ReadString("\x83\x41", "K"), "jp");
  // 0x83 0x61 is another character whose trail byte happens to be 'a'.
  EXPECT_EQ(ini.ReadString("\x83\x61", "k", "fb"), "fb");
}

TEST_F(IniFileTest, BlanksAroundNamesAndValuesAreDropped) {
  IniFile ini = With("  [ Window ]  \r\n\t PageView \t=  a b  \t\r\nEmpty=\r\nBlank=   \r\n");
  EXPECT_EQ(ini.ReadString("Window", "PageView"), "a b");
  EXPECT_EQ(ini.ReadString(" Window", "PageView "), "a b");
  // A present key with an empty value is empty, not the fallback.
  EXPECT_EQ(ini.ReadString("Window", "Empty", "fb"), "");
  EXPECT_EQ(ini.ReadString("Window", "Blank", "fb"), "");
  EXPECT_TRUE(ini.HasKey("Window", "Empty"));
}

TEST_F(IniFileTest, OneEnclosingPairOfQuotesIsRemoved) {
  IniFile ini = With(
      "[Macro]\r\n"
      "Menu00=\"\"a.p2s\",\"Title\"\"\r\n"
      "Twice=\"\"x\"\"\r\n"
      "Open=\"abc\r\n"
      "Lone=\"\r\n"
      "Pair=\"\"\r\n"
      "Inner= \" padded \" \r\n");
  EXPECT_EQ(ini.ReadString("Macro", "Menu00"), "\"a.p2s\",\"Title\"");
  EXPECT_EQ(ini.ReadString("Macro", "Twice"), "\"x\"");
  EXPECT_EQ(ini.ReadString("Macro", "Open"), "\"abc");
  EXPECT_EQ(ini.ReadString("Macro", "Lone"), "\"");
  EXPECT_EQ(ini.ReadString("Macro", "Pair", "fb"), "");
  EXPECT_EQ(ini.ReadString("Macro", "Inner"), " padded ");
}

TEST_F(IniFileTest, AcceptsCrLfLoneCrAndLoneLf) {
  for (const char* eol : {"\r\n", "\r", "\n"}) {
    std::string e = eol;
    IniFile ini = With("[A]" + e + "x=1" + e + "[B]" + e + "y=2" + e + e + "z=3");
    EXPECT_EQ(ini.ReadString("A", "x"), "1") << "eol " << int(e.back());
    EXPECT_EQ(ini.ReadString("B", "y"), "2");
    EXPECT_EQ(ini.ReadString("B", "z"), "3");  // last line without a line end
    EXPECT_EQ(ini.ReadString("A", "y", "fb"), "fb");
  }
  IniFile mixed = With("[A]\rx=1\n\r\ny=2\r\n");
  EXPECT_EQ(mixed.ReadKeys("A"), (std::vector<std::string>{"x", "y"}));
}

TEST_F(IniFileTest, StructureRulesCommentsOrphansAndDuplicates) {
  IniFile ini = With(
      "top=before any section\r\n"
      "[S]\r\n"
      ";c=comment\r\n"
      "noequals\r\n"
      "=novalue\r\n"
      "k=first\r\n"
      "K=second\r\n"
      "[T]\r\n"
      "t=1\r\n"
      "[s]\r\n"
      "k=other section\r\n"
      "extra=x\r\n");
  EXPECT_EQ(ini.ReadString("", "top", "fb"), "fb");
  EXPECT_FALSE(ini.HasKey(";c", "c"));
  EXPECT_FALSE(ini.HasKey("S", ";c"));
  EXPECT_FALSE(ini.HasKey("S", "noequals"));
  EXPECT_EQ(ini.ReadString("S", "k"), "first");
  EXPECT_EQ(ini.ReadString("S", "extra", "fb"), "fb");  // only the first [S] counts
  EXPECT_EQ(ini.ReadKeys("S"), (std::vector<std::string>{"k"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"S", "T"}));
}

TEST_F(IniFileTest, SectionNameEndsAtTheLastRealBracket) {
  // "ゾ" is 0x83 0x5D: its trail byte is "]".
  IniFile ini = With("[\x83\x5D]\r\na=1\r\n[x]y]\r\nb=2\r\n[open\r\nc=3\r\n");
  EXPECT_EQ(ini.ReadString("\x83\x5D", "a"), "1");
  EXPECT_EQ(ini.ReadString("x]y", "b"), "2");
  // "[open" is no section header, so c still belongs to [x]y].
  EXPECT_EQ(ini.ReadString("x]y", "c"), "3");
}

TEST_F(IniFileTest, ReadIntForms) {
  IniFile ini = With(
      "[N]\r\na=-12\r\nb=+7\r\nc=  42  \r\nd=12abc\r\ne=abc\r\nf=\r\ng=99999999999\r\n"
      "h=-2147483648\r\ni=-2147483640\r\nj=\"5\"\r\nk=-\r\n");
  // g is out of range; e, f and k are no numbers.
  const std::pair<const char*, int> cases[] = {
      {"a", -12},         {"b", 7}, {"c", 42}, {"d", 12},
      {"e", 9},           {"f", 9}, {"g", 9},  {"h", -2147483647 - 1},
      {"i", -2147483640}, {"j", 5}, {"k", 9}};
  for (const auto& [key, value] : cases) EXPECT_EQ(ini.ReadInt("N", key, 9), value) << key;
  EXPECT_TRUE(ini.ReadBool("N", "h", false));
  EXPECT_FALSE(ini.ReadBool("N", "f", false));
  EXPECT_TRUE(ini.ReadBool("N", "e", true));
}

TEST_F(IniFileTest, WriteReplacesOnlyTheValueAndKeepsEverythingElse) {
  const std::string before =
      "; settings\r\n"
      "orphan = 1\r\n"
      "\r\n"
      "[Window]\n"
      "  PageView  =  1   \r\n"
      "Unknown=keep me\r"
      "PAGEVIEW=duplicate\r\n"
      "\r\n"
      "[Option]\r\n"
      "x=\"quoted\"";
  IniFile ini = With(before);
  ASSERT_TRUE(ini.WriteString("window", "pageview", "0").ok);
  EXPECT_EQ(Bytes(),
            "; settings\r\n"
            "orphan = 1\r\n"
            "\r\n"
            "[Window]\n"
            "  PageView  =  0\r\n"
            "Unknown=keep me\r"
            "PAGEVIEW=duplicate\r\n"
            "\r\n"
            "[Option]\r\n"
            "x=\"quoted\"");
  // A value at the very end without a line end keeps having none.
  ASSERT_TRUE(ini.WriteString("Option", "x", "y").ok);
  EXPECT_TRUE(Bytes().ends_with("PAGEVIEW=duplicate\r\n\r\n[Option]\r\nx=y"));
  // An empty value is replaced too.
  IniFile empty = With("[A]\r\nk=\r\nz=1\r\n");
  ASSERT_TRUE(empty.WriteString("A", "k", "v").ok);
  EXPECT_EQ(Bytes(), "[A]\r\nk=v\r\nz=1\r\n");
}

TEST_F(IniFileTest, WriteAddsKeysAndSectionsInPlace) {
  IniFile ini = With("; head\r\n[A]\r\na=1\r\n;tail comment\r\n\r\n\r\n[B]\nb=2");
  ASSERT_TRUE(ini.WriteString("A", "new", "v").ok);
  EXPECT_EQ(Bytes(), "; head\r\n[A]\r\na=1\r\n;tail comment\r\nnew=v\r\n\r\n\r\n[B]\nb=2");
  ASSERT_TRUE(ini.WriteString("B", "c", "3").ok);
  EXPECT_EQ(Bytes(),
            "; head\r\n[A]\r\na=1\r\n;tail comment\r\nnew=v\r\n\r\n\r\n[B]\nb=2\r\nc=3\r\n");
  ASSERT_TRUE(ini.WriteString("Recent Files", "RecentFile1", "C:\\x.qyp").ok);
  EXPECT_EQ(ini.ReadString("recent files", "recentfile1"), "C:\\x.qyp");
  EXPECT_TRUE(Bytes().ends_with("\nc=3\r\n[Recent Files]\r\nRecentFile1=C:\\x.qyp\r\n"));
  // An empty section header gets the key right under it.
  IniFile bare = With("[A]\r\n[B]\r\nb=1\r\n");
  ASSERT_TRUE(bare.WriteString("A", "a", "0").ok);
  EXPECT_EQ(Bytes(), "[A]\r\na=0\r\n[B]\r\nb=1\r\n");
}

TEST_F(IniFileTest, WriteCreatesAMissingFileAndWritesValuesAsGiven) {
  IniFile ini(path_);
  ASSERT_TRUE(ini.WriteString("Macro", "Menu00", "\"\"a.p2s\",\"T\"\"").ok);
  ASSERT_TRUE(ini.WriteInt("Window", "TFontColor", -2147483640).ok);
  ASSERT_TRUE(ini.WriteBool("Window", "PageView", false).ok);
  ASSERT_TRUE(ini.WriteBool("Window", "StatusBar", true).ok);
  EXPECT_EQ(Bytes(),
            "[Macro]\r\nMenu00=\"\"a.p2s\",\"T\"\"\r\n"
            "[Window]\r\nTFontColor=-2147483640\r\nPageView=0\r\nStatusBar=1\r\n");
  EXPECT_EQ(ini.ReadString("Macro", "Menu00"), "\"a.p2s\",\"T\"");
  EXPECT_EQ(ini.ReadInt("Window", "TFontColor", 0), -2147483640);
}

TEST_F(IniFileTest, FailedWritesLeaveTheOldFileIntact) {
  const std::string before = "[A]\r\na=1\r\n";
  IniFile ini = With(before);
  // Values and names that would change the file's structure are refused.
  EXPECT_FALSE(ini.WriteString("A", "a", "1\r\n[B]").ok);
  EXPECT_FALSE(ini.WriteString("A", "a", "x\ny").ok);
  EXPECT_FALSE(ini.WriteString("A", "k=v", "1").ok);
  EXPECT_FALSE(ini.WriteString("A", ";k", "1").ok);
  EXPECT_FALSE(ini.WriteString("A", "", "1").ok);
  EXPECT_FALSE(ini.WriteString("", "a", "1").ok);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(IniFileTest, ShiftJisNamesAndValuesRoundTrip) {
  // "表" and "ソ" end in 0x5C, "ゾ" in 0x5D, "ア" in 0x41.
  const std::string section = Sjis("表示設定");
  const std::string key = Sjis("ソース");
  const std::string value = Sjis("C:\\表\\ゾーン アプリ\\");
  IniFile ini(path_);
  ASSERT_TRUE(ini.WriteString(section, key, value).ok);
  ASSERT_TRUE(ini.WriteString(section, Sjis("ア"), Sjis("表")).ok);
  ASSERT_TRUE(ini.WriteString(Sjis("ゾ"), "k", "v").ok);
  EXPECT_EQ(ini.ReadString(section, key), value);
  EXPECT_EQ(ini.ReadString(section, Sjis("ア")), Sjis("表"));
  EXPECT_EQ(ini.ReadString(Sjis("ゾ"), "k"), "v");
  EXPECT_EQ(Bytes(), "[" + section + "]\r\n" + key + "=" + value + "\r\n" + Sjis("ア") + "=" +
                         Sjis("表") + "\r\n[" + Sjis("ゾ") + "]\r\nk=v\r\n");
  ASSERT_TRUE(ini.WriteString(section, key, Sjis("表")).ok);
  EXPECT_EQ(ini.ReadString(section, key), Sjis("表"));
  EXPECT_EQ(ini.ReadKeys(section), (std::vector<std::string>{key, Sjis("ア")}));
}

TEST_F(IniFileTest, DeleteKeyAndSection) {
  IniFile ini = With(
      "[A]\r\n"
      "a=1\r\n"
      "; note\r\n"
      "A=dup\r\n"
      "b=2\r\n"
      "[B]\n"
      "x=1\n"
      "\n"
      "[a]\r\n"
      "c=3\r\n");
  ASSERT_TRUE(ini.DeleteKey("a", "A").ok);
  EXPECT_EQ(Bytes(), "[A]\r\n; note\r\nb=2\r\n[B]\nx=1\n\n[a]\r\nc=3\r\n");
  EXPECT_FALSE(ini.HasKey("A", "a"));
  ASSERT_TRUE(ini.DeleteSection("A").ok);
  EXPECT_EQ(Bytes(), "[B]\nx=1\n\n");
  ASSERT_TRUE(ini.DeleteSection("B").ok);
  EXPECT_EQ(Bytes(), "");

  // Deleting what is not there neither fails nor creates a file.
  IniFile none(dir_.File("none.ini"));
  EXPECT_TRUE(none.DeleteKey("A", "a").ok);
  EXPECT_TRUE(none.DeleteSection("A").ok);
  EXPECT_FALSE(FileExists(none.path()));
}

// Random bytes rich in the characters the parser cares about.
std::string RandomProfileText(std::mt19937& rng) {
  static const char kSpecials[] = "[]=;\"\r\n \x81\x5D";
  std::uniform_int_distribution<int> byte(0, 255);
  std::string data;
  for (int i = 0; i < 300; ++i) {
    int b = byte(rng);
    data += (b < 88) ? kSpecials[b % 11] : (b < 160 ? char('a' + b % 4) : char(b));
  }
  return data;
}

TEST(IniTextTest, EditsOnRandomInputChangeOnlyTheirKey) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 300; ++round) {
    std::string data = RandomProfileText(rng);
    std::vector<std::pair<std::string, std::string>> names;
    for (const std::string& s : IniFile::SectionsIn(data)) {
      for (const std::string& k : IniFile::KeysIn(data, s)) {
        ASSERT_TRUE(IniFile::ValueIn(data, s, k).has_value()) << round;
        names.emplace_back(s, k);
      }
    }
    // The first key that can be written (a key read from "[x=1" cannot).
    std::string target_section = "Z", target_key = "z";
    std::optional<std::string> written;
    for (const auto& [s, k] : names) {
      if ((written = IniFile::WithValue(data, s, k, "new value"))) {
        target_section = s;
        target_key = k;
        break;
      }
    }
    if (!written) written = IniFile::WithValue(data, "Z", "z", "new value");
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(IniFile::ValueIn(*written, target_section, target_key), "new value") << round;
    std::string deleted = IniFile::WithoutKey(data, target_section, target_key);
    EXPECT_FALSE(IniFile::ValueIn(deleted, target_section, target_key).has_value()) << round;
    for (const auto& [s, k] : names) {
      if (EqualsIgnoreAsciiCase(s, target_section) && EqualsIgnoreAsciiCase(k, target_key))
        continue;
      auto before = IniFile::ValueIn(data, s, k);
      EXPECT_EQ(IniFile::ValueIn(*written, s, k), before) << round << " " << s << "/" << k;
      EXPECT_EQ(IniFile::ValueIn(deleted, s, k), before) << round << " " << s << "/" << k;
    }
  }
}

TEST_F(IniFileTest, CorruptAndHugeInputNeverCrashes) {
  // Truncated double-byte characters and NUL bytes.
  using namespace std::string_view_literals;
  IniFile odd = With(std::string("[\x81\r\n[a\0b]\r\nk\0=v\x81"sv));
  EXPECT_EQ(odd.ReadString(std::string("a\0b"sv), std::string("k\0"sv)), "v\x81");
  // A very long line.
  std::string big(2'000'000, 'v');
  IniFile huge = With("[H]\r\nk=" + big + "\r\n");
  EXPECT_EQ(huge.ReadString("H", "k").size(), big.size());
}

}  // namespace
}  // namespace qy
