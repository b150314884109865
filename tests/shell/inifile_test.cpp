#include "shell/settings/inifile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "platform/error.h"
#include "support/tempdir.h"
#include "support/unprivileged.h"

namespace drum {
namespace {

using testing::entryCount;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

class IniFileTest : public ::testing::Test {
 protected:
  IniFile withContent(const std::string& bytes) {
    writeFile(path_, bytes);
    return IniFile(path_);
  }
  TempDir dir_;
  std::string path_ = dir_.file("drum.ini");
};

TEST_F(IniFileTest, SectionAndKeyNamesIgnoreCase) {
  IniFile ini = withContent("[VOICE]\nVoiceAllowed=0\nSAPI5=1\n[Sounds]\nsndVOLUME=-300\n");
  EXPECT_FALSE(ini.readBool("voice", "voiceallowed", true));
  EXPECT_TRUE(ini.readBool("Voice", "sapi5", false));
  EXPECT_EQ(ini.readInteger("sounds", "sndvolume", 0), -300);
  // Letters fold as everywhere in the program, by Windows-1250's pairs.
  IniFile other = withContent("[\xC8" "ech]\nk=1\n");  // "Čech"
  EXPECT_EQ(other.readInteger("\xE8" "ech", "k", 7), 1);
  EXPECT_EQ(other.readInteger("\xC8" "ECH", "K", 7), 1);
  EXPECT_EQ(other.readInteger("Cech", "k", 7), 7);
}

TEST_F(IniFileTest, IntegersAreDecimalOrHexadecimal) {
  IniFile ini = withContent(
      "[environment]\n"
      "a=2000\nb=0x7D0\nc=0X7d0\nd=$7D0\ne=  2000  \nf=-10000\ng=+5\nh=-0x10\n"
      "i=2147483647\nj=-2147483648\nk=0\nl=$ffff\n"
      // Eight hexadecimal digits with the top bit set are negative, as VAL reads them.
      "m=0xFFFFEC78\nn=0xffffffff\no=$80000000\np=0x0000000010\nq=-0xFFFFEC78\n");
  const std::pair<const char*, std::int64_t> cases[] = {
      {"a", 2000}, {"b", 2000},       {"c", 2000},        {"d", 2000}, {"e", 2000},  {"f", -10000},
      {"g", 5},    {"h", -16},        {"i", 2147483647},  {"j", -2147483648LL},       {"k", 0},
      {"l", 65535}, {"m", -5000},     {"n", -1},          {"o", -2147483648LL},       {"p", 16},
      {"q", 5000}};
  for (const auto& [key, value] : cases) EXPECT_EQ(ini.readInteger("environment", key, 1000), value) << key;
}

TEST_F(IniFileTest, AnythingElseReadsAsTheDefault) {
  IniFile ini = withContent(
      "[s]\n"
      "a=12abc\nb=abc\nc=\nd=0x\ne=$\nf=0xG1\ng=1.5\nh=1e3\ni=2147483648\nj=-2147483649\n"
      "k=0x100000000\nl=99999999999999999999999\nm=--1\nn=1 2\no=x7D0\np=0b101\nq=\xB9\n");
  for (const char* key : {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m", "n", "o", "p", "q"}) {
    EXPECT_EQ(ini.readInteger("s", key, 42), 42) << key;
    EXPECT_TRUE(ini.readBool("s", key, true)) << key;
    EXPECT_FALSE(ini.readBool("s", key, false)) << key;
  }
}

TEST_F(IniFileTest, MissingFileSectionOrKeyReadsAsTheDefault) {
  IniFile none(dir_.file("absent.ini"));
  EXPECT_FALSE(none.exists());
  EXPECT_EQ(none.readInteger("voice", "volume", 255), 255);
  EXPECT_EQ(none.readString("voice", "person", "x"), "x");
  EXPECT_TRUE(none.readBool("voice", "voiceallowed", true));

  IniFile ini = withContent("[voice]\nperson=Slovak\n; volume=3\nvolume\n");
  EXPECT_TRUE(ini.exists());
  EXPECT_EQ(ini.readString("voice", "person", ""), "Slovak");
  EXPECT_EQ(ini.readInteger("voice", "volume", 255), 255);  // commented out, or without "="
  EXPECT_EQ(ini.readInteger("voice", "pitch", 0), 0);
  EXPECT_EQ(ini.readInteger("sounds", "person", 9), 9);  // a key of another section
  // A folder is no settings file: an error that says so, not a silent default.
  EXPECT_THROW(IniFile(dir_.path()).readInteger("voice", "volume", 255), Error);
  EXPECT_FALSE(IniFile(dir_.path()).exists());
}

TEST_F(IniFileTest, BooleansAreIntegers) {
  IniFile ini = withContent("[k]\na=1\nb=0\nc=2\nd=-1\ne=0x0\nf=true\n");
  EXPECT_TRUE(ini.readBool("k", "a", false));
  EXPECT_FALSE(ini.readBool("k", "b", true));
  EXPECT_TRUE(ini.readBool("k", "c", false));
  EXPECT_TRUE(ini.readBool("k", "d", false));
  EXPECT_FALSE(ini.readBool("k", "e", true));
  EXPECT_FALSE(ini.readBool("k", "f", false));  // not a number: the default
  ini.writeBool("k", "a", false);
  ini.writeBool("k", "b", true);
  EXPECT_EQ(readFile(path_), "[k]\na=0\nb=1\nc=2\nd=-1\ne=0x0\nf=true\n");
}

TEST_F(IniFileTest, StringsAreTrimmedAndCutAt2047Characters) {
  const std::string longValue(5000, 'v');
  IniFile ini = withContent("[voice]\nperson =  Eliska CZ  \nlong=" + longValue + "\nexact=" +
                            std::string(2047, 'e') + "\nnul=ab" + std::string(1, '\0') + "cd\n");
  EXPECT_EQ(ini.readString("voice", "person", ""), "Eliska CZ");
  EXPECT_EQ(ini.readString("voice", "long", ""), std::string(2047, 'v'));
  EXPECT_EQ(ini.readString("voice", "exact", ""), std::string(2047, 'e'));
  EXPECT_EQ(ini.readString("voice", "nul", ""), "ab");
  // The file itself keeps the whole value.
  ini.writeInteger("voice", "pitch", 3);
  EXPECT_NE(readFile(path_).find(longValue), std::string::npos);
}

TEST_F(IniFileTest, EveryOperationReadsTheFileAnew) {
  IniFile ini = withContent("[environment]\nlanguage=2000\n");
  EXPECT_EQ(ini.readInteger("environment", "language", 1000), 2000);
  writeFile(path_, "[environment]\nlanguage=3000\n");
  EXPECT_EQ(ini.readInteger("environment", "language", 1000), 3000);
  ini.writeInteger("environment", "language", 1000);
  IniFile second(path_);
  EXPECT_EQ(second.readInteger("environment", "language", 0), 1000);
}

TEST_F(IniFileTest, WritingKeepsHeaderSpellingAndEveryOtherLine) {
  const std::string before =
      "; drum settings\r\n"
      "[VOICE]\r\n"
      "person=Czech\r\n"
      "sapi5=0\r\n"
      "  ; a note\r\n"
      "\r\n"
      "[Unknown]\r\n"
      "x = y\r\n";
  IniFile ini = withContent(before);
  ini.writeBool("Voice", "SAPI5", true);
  ini.writeInteger("voice", "volume", 200);
  ini.writeInteger("unknown", "z", 1);
  EXPECT_EQ(readFile(path_),
            "; drum settings\r\n"
            "[VOICE]\r\n"
            "person=Czech\r\n"
            "SAPI5=1\r\n"
            "  ; a note\r\n"
            "volume=200\r\n"
            "\r\n"
            "[Unknown]\r\n"
            "x = y\r\n"
            "z=1\r\n");
  EXPECT_TRUE(ini.readBool("voice", "sapi5", false));
}

TEST_F(IniFileTest, NewSectionsAreAppended) {
  IniFile ini(path_);
  ini.writeBool("voice", "voiceallowed", false);
  ini.writeBool("Voice", "SAPI5", true);
  ini.writeInteger("sounds", "sndvolume", -2500);
  ini.writeString("Voice", "person", "Slovak");
  EXPECT_EQ(readFile(path_),
            "[voice]\nvoiceallowed=0\nSAPI5=1\nperson=Slovak\n"
            "\n"
            "[sounds]\nsndvolume=-2500\n");
}

TEST_F(IniFileTest, LineBreaksInAValueCannotForgeLines) {
  IniFile ini(path_);
  ini.writeString("Voice", "person", "a\r\n[sounds]\nsndvolume=5000");
  EXPECT_EQ(ini.readInteger("sounds", "sndvolume", 0), 0);
  EXPECT_EQ(ini.readString("Voice", "person", ""), "a  [sounds] sndvolume=5000");
}

TEST_F(IniFileTest, RefusedWritesSayWhereAndLeaveNoTrace) {
  const std::string noFolder = dir_.file("missing/drum.ini");
  IniFile lost(noFolder);
  try {
    lost.writeBool("voice", "voiceallowed", true);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + noFolder + ": No such file or directory");
  }

  const std::string folder = dir_.file("drum.ini.d");
  ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
  IniFile isFolder(folder);
  EXPECT_THROW(isFolder.writeInteger("environment", "language", 2000), Error);
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_EQ(entryCount(dir_.path()), 1);  // no temporary file left behind
}

TEST_F(IniFileTest, ReadOnlyFileIsRefusedAndPermissionsBindAnUnprivilegedPlayer) {
  IniFile ini = withContent("[voice]\nvoiceallowed=1\n");
  ASSERT_EQ(::chmod(path_.c_str(), 0444), 0);
  try {
    ini.writeBool("voice", "voiceallowed", false);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_EQ(std::string(e.what()), "Unable to write to " + path_ + ": the file is read-only");
  }
  EXPECT_EQ(readFile(path_), "[voice]\nvoiceallowed=1\n");

  // Root's own file, readable by all, writable by root only.
  ASSERT_EQ(::chmod(path_.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(dir_.path().c_str(), 0777), 0);
  const std::string path = path_;
  const auto result = testing::asUnprivileged([&] {
    IniFile mine(path);
    std::string seen = std::to_string(mine.readInteger("voice", "voiceallowed", 7));
    try {
      mine.writeBool("voice", "voiceallowed", false);
    } catch (const Error& e) {
      seen += std::string(" ") + e.what();
    }
    return seen;
  });
  if (!result) GTEST_SKIP() << "no unprivileged user to run as";
  EXPECT_EQ(*result, "1 Unable to write to " + path_ + ": Permission denied");
  EXPECT_EQ(readFile(path_), "[voice]\nvoiceallowed=1\n");
}

TEST_F(IniFileTest, ASettingsFileThatIsNoFileOrTooLargeIsRefusedNeverReadOrReplaced) {
  ::alarm(60);  // a read that blocks would hang the suite: end it instead
  const auto outcome = [&](IniFile& ini) {
    std::string seen;
    try {
      seen = std::to_string(ini.readInteger("voice", "voiceallowed", 7));
    } catch (const Error& e) {
      seen = e.what();
    }
    try {
      ini.writeBool("voice", "voiceallowed", false);
      seen += " | written";
    } catch (const Error& e) {
      seen += std::string(" | ") + e.what();
    }
    return seen;
  };
  IniFile ini(path_);
  ASSERT_EQ(::mkfifo(path_.c_str(), 0600), 0);
  EXPECT_EQ(outcome(ini), "Unable to read " + path_ + ": it is a pipe (FIFO), not a file | Unable to write to " +
                              path_ + ": it is a pipe (FIFO), not a file");
  std::filesystem::remove(path_);
  std::filesystem::create_symlink("/dev/zero", path_);
  EXPECT_EQ(outcome(ini), "Unable to read " + path_ + ": it is a device, not a file | Unable to write to " + path_ +
                              ": it is a device, not a file");
  std::filesystem::remove(path_);
  // A large file is refused by its size, and it is not replaced by a file
  // holding only the one key written.
  writeFile(path_, "[voice]\nvoiceallowed=1\n");
  ASSERT_EQ(::truncate(path_.c_str(), 1LL << 30), 0);
  const std::string tooLarge = ": it is 1073741824 bytes long, more than the 4 MiB that such a file can have";
  EXPECT_EQ(outcome(ini), "Unable to read " + path_ + tooLarge + " | Unable to write to " + path_ + tooLarge);
  EXPECT_EQ(std::filesystem::file_size(path_), 1u << 30);
  EXPECT_EQ(entryCount(dir_.path()), 1);
  ::alarm(0);
}

TEST_F(IniFileTest, ALinkedSettingsFileIsWrittenThroughToItsTarget) {
  const std::string target = dir_.file("real.ini");
  writeFile(target, "[voice]\nvoiceallowed=1\n");
  std::filesystem::create_symlink("real.ini", path_);
  IniFile ini(path_);
  ini.writeBool("voice", "voiceallowed", false);
  EXPECT_TRUE(std::filesystem::is_symlink(path_));
  EXPECT_EQ(readFile(target), "[voice]\nvoiceallowed=0\n");
  EXPECT_EQ(entryCount(dir_.path()), 2);
}

TEST_F(IniFileTest, RewriteReplacesTheFileWholeAndKeepsItsPermissions) {
  IniFile ini = withContent("[voice]\nvoiceallowed=1\n");
  ASSERT_EQ(::chmod(path_.c_str(), 0640), 0);
  struct stat before {};
  ASSERT_EQ(::stat(path_.c_str(), &before), 0);
  ini.writeBool("voice", "voiceallowed", false);
  struct stat after {};
  ASSERT_EQ(::stat(path_.c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);  // a new file renamed into place
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(entryCount(dir_.path()), 1);
}

TEST_F(IniFileTest, DuplicateSectionsAndKeys_TheFirstWins) {
  IniFile ini = withContent(
      "[voice]\nvoiceallowed=0\nvoiceallowed=1\n"
      "[sounds]\nsndvolume=-100\n"
      "[Voice]\nvoiceallowed=1\nperson=second\n");
  EXPECT_FALSE(ini.readBool("voice", "voiceallowed", true));
  EXPECT_EQ(ini.readString("voice", "person", "none"), "none");  // the second section is never read
  ini.writeBool("voice", "voiceallowed", true);
  ini.writeString("voice", "person", "first");
  EXPECT_EQ(readFile(path_),
            "[voice]\nvoiceallowed=1\nvoiceallowed=1\nperson=first\n"
            "[sounds]\nsndvolume=-100\n"
            "[Voice]\nvoiceallowed=1\nperson=second\n");
  EXPECT_EQ(ini.readString("VOICE", "PERSON", ""), "first");
}

TEST_F(IniFileTest, NoNewlineAtTheEnd) {
  IniFile ini = withContent("[sounds]\nsndvolume=-700");
  EXPECT_EQ(ini.readInteger("sounds", "sndvolume", 0), -700);
  ini.writeBool("sounds", "oskirasounds", false);
  EXPECT_EQ(readFile(path_), "[sounds]\nsndvolume=-700\noskirasounds=0\n");

  IniFile last = withContent("[sounds]\nsndvolume=-700");
  last.writeInteger("sounds", "sndvolume", -800);
  EXPECT_EQ(readFile(path_), "[sounds]\nsndvolume=-800");

  IniFile other = withContent("[sounds]\r\nsndvolume=-700");
  other.writeBool("keyboard", "braillekeys", true);
  EXPECT_EQ(readFile(path_), "[sounds]\r\nsndvolume=-700\r\n\r\n[keyboard]\r\nbraillekeys=1\r\n");
}

TEST_F(IniFileTest, AHundredThousandCharacterLine) {
  const std::string huge(100000, 'x');
  IniFile ini = withContent("[voice]\n" + huge + "\nperson=" + huge + "\n[sounds]\nsndvolume=-1\n" + huge);
  EXPECT_EQ(ini.readString("voice", "person", "").size(), 2047u);
  EXPECT_EQ(ini.readInteger("sounds", "sndvolume", 0), -1);
  ini.writeInteger("sounds", "sndvolume", -2);
  // Compared whole, without printing 300,000 characters when they differ.
  EXPECT_TRUE(readFile(path_) == "[voice]\n" + huge + "\nperson=" + huge + "\n[sounds]\nsndvolume=-2\n" + huge);
}

TEST_F(IniFileTest, BinaryJunkAroundGoodLines) {
  std::mt19937 rng(1250);
  std::string junk(4096, '\0');
  for (char& c : junk) c = static_cast<char>(rng());
  std::string nuls(64, '\0');
  const std::string content = junk + "\n[keyboard]\nbraillekeys=1\n" + nuls + "\n" + junk;
  IniFile ini = withContent(content);
  EXPECT_TRUE(ini.readBool("keyboard", "braillekeys", false));
  ini.writeBool("keyboard", "braillekeys", false);
  const std::string after = readFile(path_);
  EXPECT_FALSE(ini.readBool("keyboard", "braillekeys", true));
  // Everything but the one line comes back byte for byte.
  std::string expected = content;
  expected.replace(expected.find("braillekeys=1"), 13, "braillekeys=0");
  EXPECT_TRUE(after == expected);
}

TEST_F(IniFileTest, ByteOrderMarkDoesNotHideTheFirstSection) {
  IniFile ini = withContent("\xEF\xBB\xBF[environment]\r\nlanguage=3000\r\n");
  EXPECT_EQ(ini.readInteger("environment", "language", 1000), 3000);
  ini.writeInteger("environment", "language", 2000);
  EXPECT_EQ(readFile(path_), "\xEF\xBB\xBF[environment]\r\nlanguage=2000\r\n");
}

TEST(ExecutableIniPath, IsTheExecutableWithIniForItsExtension) {
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
  const std::filesystem::path ini = executableIniPath();
  EXPECT_EQ(ini.parent_path(), exe.parent_path());
  EXPECT_EQ(ini.filename().string(), exe.stem().string() + ".ini");
}

TEST(SettingsFile, FollowsTheChosenPath) {
  TempDir dir;
  setSettingsPath(dir.file("chosen.ini"));
  settingsFile().writeInteger("environment", "language", 3000);
  EXPECT_EQ(readFile(dir.file("chosen.ini")), "[environment]\nlanguage=3000\n");
  setSettingsPath(executableIniPath());
  EXPECT_EQ(settingsFile().path(), executableIniPath());
}

}  // namespace
}  // namespace drum
