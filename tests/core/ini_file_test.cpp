#include "core/ini_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>
#include <ctime>
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

// How a stored file reads: {section, key, value or "fb" for the fallback}.
// ASCII case and blanks around names do not count; a present but empty value
// is no fallback; only the first section of a name counts; lone CR and LF end
// lines too; the trail byte 0x41 of "ア" is no 'A'; "ゾ" ends in "]"; "[open"
// is no section header; one enclosing pair of quotes goes.
TEST_F(IniFileTest, ReadingRules) {
  IniFile ini = With(
      "top=before any section\r\n"
      "  [ Window ]  \r\n\t PageView \t=  a b  \t\r\nEmpty=\r\n;c=comment\r\nnoequals\r\n"
      "k=first\r\nK=second\r\n"
      "[\x83\x41]\rk=jp\n"
      "[\x83\x5D]\r\na=1\r\n[x]y]\r\nb=2\r\n[open\r\nc=3\r\n"
      "[Macro]\r\nMenu00=\"\"a.p2s\",\"Title\"\"\r\nOpen=\"abc\r\nLone=\"\r\nPair=\"\"\r\n"
      "Inner= \" padded \" \r\n"
      "[window]\r\nextra=x\r\nlast=no line end");
  // clang-format off
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"", "top", "fb"}, {"WINDOW", "pageview", "a b"}, {" Window", "PageView ", "a b"},
      {"Window", "Empty", ""}, {"Window", ";c", "fb"}, {"Window", "noequals", "fb"},
      {"Window", "k", "first"}, {"Window", "extra", "fb"}, {"\x83\x41", "K", "jp"},
      {"\x83\x61", "k", "fb"}, {"\x83\x5D", "a", "1"}, {"x]y", "b", "2"}, {"x]y", "c", "3"},
      {"Macro", "Menu00", "\"a.p2s\",\"Title\""}, {"Macro", "Open", "\"abc"},
      {"Macro", "Lone", "\""}, {"Macro", "Pair", ""}, {"Macro", "Inner", " padded "}};
  // clang-format on
  for (const auto& [section, key, value] : cases) {
    EXPECT_EQ(ini.ReadString(section, key, "fb"), value) << section << "/" << key;
  }
  EXPECT_EQ(ini.ReadKeys("Window"), (std::vector<std::string>{"PageView", "Empty", "k"}));
  EXPECT_FALSE(ini.HasKey("window", "last"));
}

TEST_F(IniFileTest, ReadIntForms) {
  IniFile ini = With(
      "[N]\r\na=-12\r\nb=+7\r\nc=  42  \r\nd=12abc\r\ne=abc\r\nf=\r\ng=99999999999\r\n"
      "h=-2147483648\r\nj=\"5\"\r\nk=-\r\n");
  // g is out of range; e, f and k are no numbers.
  const std::pair<const char*, int> cases[] = {{"a", -12}, {"b", 7}, {"c", 42}, {"d", 12},
                                               {"e", 9},   {"f", 9}, {"g", 9},  {"h", INT32_MIN},
                                               {"j", 5},   {"k", 9}};
  for (const auto& [key, value] : cases) EXPECT_EQ(ini.ReadInt("N", key, 9), value) << key;
}

TEST_F(IniFileTest, WritesChangeOnlyWhatTheyMust) {
  // {file before, section, key, value, file after}: only the value changes,
  // duplicates, orphans and line ends stay, a last line keeps having no line
  // end; new keys go after the section's last non-blank line. "表" and "ソ"
  // end in 0x5C.
  const std::string cases[][5] = {
      {"; s\r\norphan = 1\r\n[Window]\n  PageView  =  1   \r\nUnknown=keep\rPAGEVIEW=dup\r\n",
       "window", "pageview", "0",
       "; s\r\norphan = 1\r\n[Window]\n  PageView  =  0\r\nUnknown=keep\rPAGEVIEW=dup\r\n"},
      {"[O]\r\nx=\"quoted\"", "O", "x", "y", "[O]\r\nx=y"},
      {"[A]\r\nk=\r\nz=1\r\n", "A", "k", "v", "[A]\r\nk=v\r\nz=1\r\n"},
      {"[A]\r\na=1\r\n;tail\r\n\r\n\r\n[B]\nb=2", "A", "new", "v",
       "[A]\r\na=1\r\n;tail\r\nnew=v\r\n\r\n\r\n[B]\nb=2"},
      {"[B]\nb=2", "B", "c", "3", "[B]\nb=2\r\nc=3\r\n"},
      {"[A]\r\n[B]\r\nb=1\r\n", "A", "a", "0", "[A]\r\na=0\r\n[B]\r\nb=1\r\n"},
      {"[B]\r\n", "Recent Files", "F1", "C:\\x.qyp", "[B]\r\n[Recent Files]\r\nF1=C:\\x.qyp\r\n"},
      {"", Sjis("表示"), Sjis("ソース"), Sjis("C:\\表\\"),
       "[" + Sjis("表示") + "]\r\n" + Sjis("ソース") + "=" + Sjis("C:\\表\\") + "\r\n"},
  };
  for (const auto& [before, section, key, value, after] : cases) {
    IniFile ini = With(before);
    ASSERT_TRUE(ini.WriteString(section, key, value).ok) << before;
    EXPECT_EQ(Bytes(), after);
    EXPECT_EQ(ini.ReadString(section, key), value);
  }
}

TEST_F(IniFileTest, FailedWritesLeaveTheOldFileIntact) {
  const std::string before = "[A]\r\na=1\r\n";
  IniFile ini = With(before);
  // Values and names that would change the file's structure are refused.
  const std::pair<const char*, const char*> bad[] = {
      {"a", "1\r\n[B]"}, {"a", "x\ny"}, {"k=v", "1"}, {";k", "1"}, {"", "1"}};
  for (const auto& [key, value] : bad) EXPECT_FALSE(ini.WriteString("A", key, value).ok) << key;
  EXPECT_FALSE(ini.WriteString("", "a", "1").ok);
  EXPECT_EQ(Bytes(), before);
}

TEST_F(IniFileTest, DeleteKeyAndSection) {
  IniFile ini = With("[A]\r\na=1\r\n; note\r\nA=dup\r\nb=2\r\n[B]\nx=1\n\n[a]\r\nc=3\r\n");
  ASSERT_TRUE(ini.DeleteKey("a", "A").ok);
  EXPECT_EQ(Bytes(), "[A]\r\n; note\r\nb=2\r\n[B]\nx=1\n\n[a]\r\nc=3\r\n");
  ASSERT_TRUE(ini.DeleteSection("A").ok);
  EXPECT_EQ(Bytes(), "[B]\nx=1\n\n");
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
      for (const std::string& k : IniFile::KeysIn(data, s)) names.emplace_back(s, k);
    }
    // The first key that can be written (a key read from "[x=1" cannot), or a
    // new one.
    std::pair<std::string, std::string> target{"Z", "z"};
    std::optional<std::string> written;
    for (const auto& name : names) {
      if ((written = IniFile::WithValue(data, name.first, name.second, "new"))) target = name;
      if (written) break;
    }
    if (!written) written = IniFile::WithValue(data, "Z", "z", "new");
    ASSERT_TRUE(written.has_value());
    const auto& [ts, tk] = target;
    EXPECT_EQ(IniFile::ValueIn(*written, ts, tk), "new") << round;
    const std::string deleted = IniFile::WithoutKey(data, ts, tk);
    EXPECT_FALSE(IniFile::ValueIn(deleted, ts, tk).has_value()) << round;
    for (const auto& [s, k] : names) {
      if (EqualsIgnoreAsciiCase(s, ts) && EqualsIgnoreAsciiCase(k, tk)) continue;
      const auto before = IniFile::ValueIn(data, s, k);
      ASSERT_TRUE(before.has_value()) << round;
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
  std::string big(2'000'000, 'v');
  IniFile huge = With("[H]\r\nk=" + big + "\r\n");
  EXPECT_EQ(huge.ReadString("H", "k").size(), big.size());
}

// Rewrites the file in place (same inode) with the given modification time.
void Overwrite(const std::string& path, const std::string& text, std::time_t mtime) {
  FILE* f = std::fopen(path.c_str(), "r+b");
  ASSERT_NE(f, nullptr);
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
  const timespec times[2] = {{mtime, 0}, {mtime, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// The file is parsed once and read again only when it changed on disk; every
// change, by this program or another, is still seen.
TEST(IniFileReread, SeesEveryChangeOnDisk) {
  TempDir dir;
  const std::string path = dir.File("q.ini");
  IniFile ini(path);
  EXPECT_EQ(ini.ReadInt("A", "k", 7), 7);                           // missing, then created
  EXPECT_EQ(IniFile(dir.path()).ReadString("A", "k", "fb"), "fb");  // a folder reads as empty
  ASSERT_TRUE(WriteFileAtomic(path, "[A]\r\nk=1\r\n"));
  EXPECT_EQ(ini.ReadInt("A", "k", 0), 1);
  IniFile copy = ini;
  ASSERT_TRUE(ini.WriteInt("A", "k", 7));
  EXPECT_EQ(copy.ReadInt("A", "k", 0), 7);
  // Same size, same inode, another modification time.
  Overwrite(path, "[A]\r\nk=8\r\n", 1000000);
  EXPECT_EQ(ini.ReadInt("A", "k", 0), 8);
  ASSERT_TRUE(RemoveFile(path));
  EXPECT_FALSE(ini.HasKey("A", "k"));
}

}  // namespace
}  // namespace qy
