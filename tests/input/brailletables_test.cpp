#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "input/brailletables.h"
#include "platform/error.h"
#include "tablefixture.h"

namespace drum::tabletest {
namespace {

using BrailleChords = TableTest;
using BrailleTableFile = TableTest;
using KeyFile = TableTest;

const char* const kSmallTable =
    "[prefixes]\r\n"
    "#cap=6\r\n"
    "#num=3456\r\n"
    "[characters]\r\n"
    "a=1\r\n"
    "b=12\r\n"
    "six=6\r\n"
    "[#cap]\r\n"
    "A=1\r\n"
    "B=12\r\n"
    "[#num]\r\n"
    "1=1\r\n"
    "2=12\r\n";

TEST_F(BrailleChords, PrefixChordSelectsThePrefixBeforeAnyCharacter) {
  loadTable(kSmallTable);
  // "six=6" shares its chord with the capital sign: the prefix always wins.
  std::string result = "unchanged";
  TranslateChord("6", result);
  EXPECT_EQ(result, "");
  EXPECT_EQ(currentprefix, "#cap");

  // Also while another prefix is in force.
  currentprefix = "#num";
  EXPECT_EQ(chord("6"), "");
  EXPECT_EQ(currentprefix, "#cap");
}

TEST_F(BrailleChords, CapitalSignHoldsForOneCharacter) {
  loadTable(kSmallTable);
  EXPECT_EQ(chords({"6", "1", "1", "6", "12", "12"}), "|A|a||B|b");
  EXPECT_EQ(currentprefix, "");
}

TEST_F(BrailleChords, CapitalSignStaysUntilAChordItHasAnEntryFor) {
  loadTable(kSmallTable);
  // 123 has no entry under "#cap": nothing is produced and the sign waits.
  EXPECT_EQ(chords({"6", "123", "1"}), "||A");
  EXPECT_EQ(currentprefix, "");
}

TEST_F(BrailleChords, OtherPrefixHoldsUntilTheSpaceChord) {
  loadTable(kSmallTable);
  EXPECT_EQ(chords({"3456", "1", "12", "1"}), "|1|2|1");
  // A chord without an entry under the prefix produces nothing and keeps it.
  EXPECT_EQ(chord("13"), "");
  EXPECT_EQ(currentprefix, "#num");
  EXPECT_EQ(chords({" ", "1", "12"}), " |a|b");
  EXPECT_EQ(currentprefix, "");
}

TEST_F(BrailleChords, AnotherPrefixChordReplacesThePrefixInForce) {
  loadTable(kSmallTable);
  EXPECT_EQ(chords({"3456", "1", "6", "1", "1"}), "|1||A|a");
}

TEST_F(BrailleChords, SpaceChordWorksWithAnEmptyTable) {
  currentprefix = "#num";
  std::string result;
  TranslateChord(" ", result);
  EXPECT_EQ(result, " ");
  EXPECT_EQ(currentprefix, "");
  EXPECT_EQ(chord("1"), "");
  EXPECT_EQ(chord("123456"), "");
}

TEST_F(BrailleChords, UnknownChordLeavesResultAndPrefixAlone) {
  loadTable(kSmallTable);
  std::string result = "kept";
  TranslateChord("2", result);
  EXPECT_EQ(result, "kept");
  currentprefix = "#cap";
  TranslateChord("2", result);
  EXPECT_EQ(currentprefix, "#cap");
  // Dot strings match only exactly as written.
  EXPECT_EQ(chord("21"), "");
  EXPECT_EQ(chord("1 "), "");
}

TEST_F(BrailleChords, FirstEntryWithTheSameChordAndPrefixWins) {
  loadTable(
      "[characters]\n"
      "x=1\n"
      "y=1\n"
      "[#cap]\n"
      "X=1\n"
      "[characters]\n"
      "z=1\n"
      "[#cap]\n"
      "Z=1\n"
      "[prefixes]\n"
      "#cap=6\n");
  EXPECT_EQ(charcount, 5);
  EXPECT_EQ(chords({"1", "6", "1"}), "x||X");
}

TEST_F(BrailleChords, EntryTextIsStoredWhole) {
  loadTable("[characters]\nch=1456\n==12\n");
  EXPECT_EQ(chord("1456"), "ch");
  // A line that begins with "=" has an empty character: "=" cannot be defined.
  std::string result = "x";
  TranslateChord("=12", result);
  EXPECT_EQ(result, "");
  EXPECT_EQ(brlchars[2].character, "");
  EXPECT_EQ(brlchars[2].dots, "=12");
}

TEST_F(BrailleTableFile, HeaderNameIsTheLineWithoutItsFirstAndLastCharacter) {
  // "[prefixes] " names the section "prefixes]": none of the known ones.
  loadTable("[prefixes] \r\n#cap=6\r\n[characters)\r\na=1\r\n");
  EXPECT_EQ(prefixcount, 0);
  ASSERT_EQ(charcount, 1);
  EXPECT_EQ(chord("6"), "");
  EXPECT_EQ(chord("1"), "a");
}

TEST_F(BrailleTableFile, SectionsReadTheirLinesByTheirOwnRules) {
  loadTable(
      "a=1\n"                 // before the first header: ignored
      "[remarks]\n"
      "b=12\n"                // unknown section: skipped
      "[prefixes]\n"
      "the capital sign\n"    // does not begin with "#": ignored
      "\n"
      "#cap=6\n"
      "[characters]\n"
      "#c=14\n"               // every non-empty line is an entry
      ";remark=145\n"
      "\n"
      "k=13\n"
      "[#cap]\n"
      "K=13\n"
      "[Characters]\n"        // names compare with case
      "q=12345\n");
  EXPECT_EQ(prefixcount, 1);
  EXPECT_EQ(brlprefixes[1].prefix, "#cap");
  EXPECT_EQ(brlprefixes[1].dots, "6");
  ASSERT_EQ(charcount, 4);
  EXPECT_EQ(brlchars[1].character, "#c");
  EXPECT_EQ(brlchars[1].prefix, "");
  EXPECT_EQ(brlchars[2].character, ";remark");
  EXPECT_EQ(brlchars[4].prefix, "#cap");
  EXPECT_EQ(chords({"14", "145", "13", "6", "13", "12", "12345"}), "#c|;remark|k||K||");
}

TEST_F(BrailleTableFile, LinesAreNeverTrimmed) {
  loadTable("[characters]\r\na =1\r\nb= 12\r\nc=14 \r\n[prefixes]\r\n #x=5\r\n#y =56");
  EXPECT_EQ(chord("1"), "a ");
  EXPECT_EQ(chord("12"), "");
  EXPECT_EQ(chord("14"), "");
  EXPECT_EQ(chord("14 "), "c");
  EXPECT_EQ(prefixcount, 1);
  EXPECT_EQ(brlprefixes[1].prefix, "#y ");
  // The last line needs no line end, and a lone CR stays part of its line.
  EXPECT_EQ(brlprefixes[1].dots, "56");
  loadTable("[characters]\rx=1\n");
  EXPECT_EQ(charcount, 0);
}

TEST_F(BrailleTableFile, LineWithoutEqualsSignIsBothTextAndDots) {
  loadTable("[characters]\n25\n[prefixes]\n#alone\n");
  EXPECT_EQ(chord("25"), "25");
  EXPECT_EQ(brlprefixes[1].prefix, "#alone");
  EXPECT_EQ(brlprefixes[1].dots, "#alone");
}

TEST_F(BrailleTableFile, SecondPrefixesSectionReplacesTheFirst) {
  loadTable("[prefixes]\n#cap=6\n#num=3456\n[prefixes]\n#big=46\n[#big]\nA=1\n");
  EXPECT_EQ(prefixcount, 1);
  EXPECT_EQ(chords({"6", "46", "1", "1"}), "||A|A");
}

TEST_F(BrailleTableFile, LoadingStartsTheCharacterListAgain) {
  loadTable(kSmallTable);
  loadTable("[characters]\nz=1356\n");
  EXPECT_EQ(charcount, 1);
  EXPECT_EQ(chord("1"), "");
  EXPECT_EQ(chord("1356"), "z");
}

TEST_F(BrailleTableFile, MissingFileRaisesAnErrorAndLeavesTheTablesEmpty) {
  brailletablefile = file("nowhere.ebt");
  try {
    LoadBrailleTable();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("nowhere.ebt"), std::string::npos) << e.what();
  }
  EXPECT_EQ(charcount, 0);
  EXPECT_EQ(prefixcount, 0);
  EXPECT_EQ(chord("1"), "");
  EXPECT_EQ(chord(" "), " ");
}

TEST_F(BrailleTableFile, FolderInsteadOfAFileRaisesAnError) {
  brailletablefile = file("");
  EXPECT_THROW(LoadBrailleTable(), Error);
}

// Both tables, each in place of a pipe, a folder, a device and a huge file:
// an error naming the file and why, at once, never a hang or an endless read.
TEST_F(BrailleTableFile, WhatIsNoTableFileIsRefusedAtOnceWithTheReason) {
  ::alarm(60);  // a read that blocks would hang the suite: end it instead
  const auto refusal = [](void (*load)()) {
    try {
      load();
    } catch (const Error& e) {
      return std::string(e.what());
    }
    return std::string("loaded");
  };
  struct Case {
    void (*load)();
    std::string* name;
  };
  for (const Case& c : {Case{LoadBrailleTable, &brailletablefile}, Case{LoadKeyFile, &keyfile}}) {
    const std::string path = file("czech.table");
    *c.name = path;
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    EXPECT_EQ(refusal(c.load), "Unable to read " + path + ": it is a pipe (FIFO), not a file");
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(refusal(c.load), "Unable to read " + path + ": it is a folder, not a file");
    std::filesystem::remove(path);
    std::filesystem::create_symlink("/dev/zero", path);
    EXPECT_EQ(refusal(c.load), "Unable to read " + path + ": it is a device, not a file");
    std::filesystem::remove(path);
    write(path, "");
    ASSERT_EQ(::truncate(path.c_str(), 1LL << 30), 0);
    EXPECT_EQ(refusal(c.load),
              "Unable to read " + path + ": it is 1073741824 bytes long, more than the 1 MiB that such a file can have");
    std::filesystem::remove(path);
  }
  ::alarm(0);
}

TEST_F(BrailleTableFile, SurplusLinesAreIgnoredAndReportedOnce) {
  std::string text = "[prefixes]\n";
  for (int i = 1; i <= 12; ++i) text += "#p" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  text += "[characters]\n";
  for (int i = 1; i <= 300; ++i) text += "c" + std::to_string(i) + "=x" + std::to_string(i) + "\n";
  loadTable(text);
  EXPECT_EQ(prefixcount, 10);
  EXPECT_EQ(brlprefixes[10].prefix, "#p10");
  EXPECT_EQ(charcount, 254);
  EXPECT_EQ(chord("x254"), "c254");
  EXPECT_EQ(chord("x255"), "");
  ASSERT_EQ(errors().size(), 1u);
  EXPECT_NE(errors()[0].find("48 lines"), std::string::npos) << errors()[0];
  EXPECT_NE(errors()[0].find("table.ebt"), std::string::npos) << errors()[0];
}

TEST_F(BrailleTableFile, ATableWithoutChordsIsReportedOnce) {
  std::size_t told = 0;
  for (const std::string text : {"", "\x89PNG\r\n\x1a\n\x01\x02", "[prefixes]\n#cap=6\n"}) {
    loadTable(text);
    ASSERT_EQ(errors().size(), ++told) << text;
    EXPECT_NE(errors().back().find("table.ebt: the Braille table holds no chords"), std::string::npos)
        << errors().back();
  }
}

TEST_F(BrailleTableFile, TableThatFitsReportsNothing) {
  std::string text = "[characters]\n";
  for (int i = 1; i <= 254; ++i) text += "c=" + std::to_string(i) + "\n";
  loadTable(text);
  EXPECT_EQ(charcount, 254);
  EXPECT_TRUE(errors().empty());
}

TEST_F(BrailleTableFile, StrangeBytesLoadWithinTheCapacities) {
  std::string text;
  text += std::string("[\0\n", 3);        // a header of one character (and a NUL)
  text += "[\n";                          // a header of one character
  text += std::string("[#\0]\nA\0=1\n", 10);
  text += "[characters]\n";
  for (int i = 0; i < 10000; ++i) text += (i % 3 ? "no equals sign\n" : "=\n");
  text += "[prefixes]\n";
  for (int i = 0; i < 1000; ++i) text += "#\n";
  text += "\xff\xfe[";                    // no line end at the end
  loadTable(text);
  EXPECT_EQ(prefixcount, 10);
  EXPECT_EQ(charcount, 254);
  EXPECT_EQ(brlchars[1].prefix, std::string("#\0", 2));
  EXPECT_EQ(brlchars[1].character, std::string("A\0", 2));
  EXPECT_EQ(errors().size(), 1u);
}

TEST_F(KeyFile, LinesFillTheTableInFileOrder) {
  loadKeys("32=mezera\r\n\r\n65=a\r\n321=a once more\r\n44=\r\n-1=last\r\n");
  EXPECT_EQ(echokeys[0].code, 32);
  EXPECT_EQ(echokeys[0].text, "mezera");
  EXPECT_EQ(echokeys[1].code, 65);
  EXPECT_EQ(echokeys[2].code, 65);  // 321 keeps its low eight bits
  EXPECT_EQ(echokeys[2].text, "a once more");
  EXPECT_EQ(echokeys[3].code, 44);
  EXPECT_EQ(echokeys[3].text, "");
  EXPECT_EQ(echokeys[4].code, 255);
  EXPECT_EQ(echokeys[5].code, 0);
  EXPECT_EQ(echokeys[5].text, "");
}

TEST_F(KeyFile, TextIsEverythingAfterTheFirstEqualsSign) {
  loadKeys("61=rovná se = \n+7=bell\n65");
  EXPECT_EQ(echokeys[0].code, 61);
  EXPECT_EQ(echokeys[0].text, "rovná se = ");
  EXPECT_EQ(echokeys[1].code, 7);
  // Without "=" the whole line is both the number and the text.
  EXPECT_EQ(echokeys[2].code, 65);
  EXPECT_EQ(echokeys[2].text, "65");
}

TEST_F(KeyFile, NumberThatIsNoIntegerStopsTheLoadAtItsLine) {
  for (const std::string bad : {"x=ix", " 65=a", "65 =a", "=nothing", "1e2=hundred", "4294967361=big", "+=plus"}) {
    SCOPED_TRACE(bad);
    echokeys.fill({});
    try {
      loadKeys("66=b\n\n" + bad + "\n67=c\n");
      FAIL() << "no error";
    } catch (const Error& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find("keys.eky"), std::string::npos) << message;
      EXPECT_NE(message.find("line 3"), std::string::npos) << message;
    }
    EXPECT_EQ(echokeys[0].code, 66);
    EXPECT_EQ(echokeys[0].text, "b");
    EXPECT_EQ(echokeys[1].text, "");  // nothing after the bad line
  }
}

TEST_F(KeyFile, LoadingClearsWhatAnEarlierLoadLeft) {
  loadKeys("65=a\n66=b\n");
  loadKeys("67=c\n");
  EXPECT_EQ(echokeys[0].code, 67);
  EXPECT_EQ(echokeys[1].code, 0);
  EXPECT_EQ(echokeys[1].text, "");
}

TEST_F(KeyFile, MissingFileRaisesAnError) {
  keyfile = file("english.eky");
  try {
    LoadKeyFile();
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("english.eky"), std::string::npos) << e.what();
  }
}

TEST_F(KeyFile, SurplusLinesAreIgnoredAndReportedOnce) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += std::to_string(i) + "=t" + std::to_string(i) + "\n";
  text += "not a number=after the surplus\n";
  loadKeys(text);
  EXPECT_EQ(echokeys[255].code, 255);
  EXPECT_EQ(echokeys[255].text, "t255");
  ASSERT_EQ(errors().size(), 1u);
  EXPECT_NE(errors()[0].find("45 lines"), std::string::npos) << errors()[0];
}

TEST_F(KeyFile, StrangeBytesNeverReadOutsideTheTable) {
  std::string text;
  for (int i = 0; i < 10000; ++i) text += std::to_string(i * 7919) + std::string("=\0\xff\r", 4) + "\n";
  loadKeys(text);
  EXPECT_EQ(echokeys[1].code, 7919 & 0xFF);
  EXPECT_EQ(echokeys[1].text, std::string("\0\xff", 2));  // the CR before the LF ends the line
  EXPECT_EQ(errors().size(), 1u);
}

}  // namespace
}  // namespace drum::tabletest
