// INI access: lookups as the program's readers expect them, and writes that
// change one line and keep everything else.
#include "platform/ini_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>

#include "platform/file_io.h"
#include "tests/support/sim_process.h"

namespace {

using platform::IniDocument;

class IniFileTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& content) {
    const std::string path = folder.path() + "/" + name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }
  static std::string Read(const std::string& path) {
    std::string content;
    platform::ReadWholeFile(path, &content);
    return content;
  }
  testsupport::TempFolder folder;
};

TEST(IniDocumentTest, LookupsIgnoreCaseAndTakeTheFirstMatch) {
  const IniDocument document = IniDocument::Parse(
      "; comment\n"
      "[Text]\n"
      "Key = first value  \n"
      "KEY=second\n"
      "quoted=\"  spaced  \"\n"
      "single=' x '\n"
      "half=\"open\n"
      "empty=\n"
      "[TEXT]\n"
      "other=from the second section\n"
      "[Light]\n"
      "key=light\n");
  const struct {
    const char* section;
    const char* key;
    std::optional<std::string> expected;
  } cases[] = {
      {"TEXT", "key", "first value"},    {"text", "KEY", "first value"},
      {"TEXT", "quoted", "  spaced  "},  {"TEXT", "single", " x "},
      {"TEXT", "half", "\"open"},        {"TEXT", "empty", ""},
      {"TEXT", "other", std::nullopt},  // only the first section of a name counts
      {"LIGHT", "key", "light"},         {"MODE", "key", std::nullopt},
      {"TEXT", "missing", std::nullopt}, {"TEXT", "; comment", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(document.Find(c.section, c.key), c.expected) << c.key;
}

TEST_F(IniFileTest, MissingFileSectionOrKeyGiveTheDefault) {
  const std::string path = Write("a.ini", "[S]\nk=v\n");
  EXPECT_EQ(platform::ReadIniText(folder.path() + "/none.ini", "S", "k", "#Error"), "#Error");
  EXPECT_EQ(platform::ReadIniText(path, "T", "k", "#Error"), "#Error");
  EXPECT_EQ(platform::ReadIniText(path, "S", "x", "dflt"), "dflt");
  EXPECT_EQ(platform::ReadIniText(path, "s", "K", "dflt"), "v");
}

TEST_F(IniFileTest, ValuesAreCutToTheBufferWithoutSplittingACharacter) {
  const std::string longValue(300, 'x');
  const std::string path =
      Write("long.ini", "\xEF\xBB\xBF[S]\nlong=" + longValue + "\nwide=\xC3\xA9\xC3\xA9\xC3\xA9\n");
  EXPECT_EQ(platform::ReadIniText(path, "S", "long", ""), std::string(259, 'x'));
  EXPECT_EQ(platform::ReadIniText(path, "S", "long", "", 11), std::string(10, 'x'));
  EXPECT_EQ(platform::ReadIniText(path, "S", "wide", "", 3), "\xC3\xA9\xC3\xA9");
  EXPECT_EQ(platform::ReadIniText(path, "S", "none", std::string(300, 'd'), 5), "dddd");
}

TEST_F(IniFileTest, IntegersReadLikeThePlatformReadsThem) {
  const std::string path = Write("n.ini", "[S]\na=42\nb=-7\nc=12px\nd=abc\ne=\n");
  EXPECT_EQ(platform::ReadIniInt(path, "S", "a", 5), 42);
  EXPECT_EQ(platform::ReadIniInt(path, "S", "b", 5), -7);
  EXPECT_EQ(platform::ReadIniInt(path, "S", "c", 5), 12);
  EXPECT_EQ(platform::ReadIniInt(path, "S", "d", 5), 0);
  EXPECT_EQ(platform::ReadIniInt(path, "S", "e", 5), 0);
  EXPECT_EQ(platform::ReadIniInt(path, "S", "f", 5), 5);
}

TEST_F(IniFileTest, WritesChangeOneLineAndKeepTheRest) {
  const std::string original =
      "\xEF\xBB\xBF; user colours\r\n"
      "[KEYCOLOR]\r\n"
      "DengCheck=0\r\n"
      "  ; kept comment\r\n"
      "\r\n"
      "[Other]\r\n"
      "a=1\r\n";
  const std::string path = Write("w.ini", original);
  ASSERT_TRUE(platform::WriteIniText(path, "keycolor", "dengcheck", "1"));
  ASSERT_TRUE(platform::WriteIniText(path, "KEYCOLOR", "New", "value"));
  ASSERT_TRUE(platform::WriteIniText(path, "Third", "x", "  padded  "));
  EXPECT_EQ(Read(path),
            "\xEF\xBB\xBF; user colours\r\n"
            "[KEYCOLOR]\r\n"
            "DengCheck=1\r\n"
            "  ; kept comment\r\n"
            "New=value\r\n"
            "\r\n"
            "[Other]\r\n"
            "a=1\r\n"
            "\r\n"
            "[Third]\r\n"
            "x=\"  padded  \"\r\n");
  EXPECT_EQ(platform::ReadIniText(path, "Third", "x", ""), "  padded  ");
}

TEST_F(IniFileTest, WriteCreatesTheFileOnlyWhenItsFolderExists) {
  const std::string path = folder.path() + "/wskb.ini";
  ASSERT_TRUE(platform::WriteIniText(path, "KEYCOLOR", "DengCheck", "1"));
  EXPECT_EQ(Read(path), "[KEYCOLOR]\nDengCheck=1\n");
  EXPECT_FALSE(platform::WriteIniText(folder.path() + "/missing/x.ini", "S", "k", "v"));
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverReplaced) {
  const std::string path = folder.path() + "/folder.ini";
  ASSERT_EQ(mkdir(path.c_str(), 0700), 0);
  EXPECT_FALSE(platform::WriteIniText(path, "S", "k", "v"));
  struct stat info;
  ASSERT_EQ(stat(path.c_str(), &info), 0);
  EXPECT_TRUE(S_ISDIR(info.st_mode));
}

TEST(IniDocumentTest, KeysThatCannotBeStoredAreRefused) {
  IniDocument document = IniDocument::Parse("");
  EXPECT_FALSE(document.Set("S", "", "v"));
  EXPECT_FALSE(document.Set("S", "a=b", "v"));
  EXPECT_FALSE(document.Set("S", "[x", "v"));
  EXPECT_FALSE(document.Set("S", "line\nbreak", "v"));
  EXPECT_TRUE(document.Set("S", "name", "two\nlines"));
  EXPECT_EQ(document.Find("S", "name"), "two lines");
}

}  // namespace
