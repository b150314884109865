// The Braille table and the key files that the game folder ships.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>

#include "input/brailletables.h"
#include "platform/cp1250.h"
#include "tablefixture.h"

namespace drum::tabletest {
namespace {

std::string dataFile(const std::string& name) { return std::string(DRUM_SOURCE_DIR) + "/data/" + name; }

std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every line ends in CR LF, and no line is empty but for its line end.
void expectCrLfLines(const std::string& bytes) {
  ASSERT_FALSE(bytes.empty());
  ASSERT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
    } else if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at byte " << i;
    }
  }
}

// Small letter and capital pairs of Windows-1250.
std::vector<std::pair<char, char>> letterPairs() {
  std::vector<std::pair<char, char>> pairs;
  for (char c = 'a'; c <= 'z'; ++c) pairs.emplace_back(c, static_cast<char>(c - 32));
  const std::string both = cp(
      "šŠśŚťŤžŽźŹłŁąĄşŞżŻľĽŕŔáÁâÂăĂäÄĺĹćĆçÇčČéÉęĘëËěĚíÍîÎďĎđĐńŃňŇóÓôÔőŐöÖřŘůŮúÚűŰüÜýÝţŢ");
  for (std::size_t i = 0; i + 1 < both.size(); i += 2) pairs.emplace_back(both[i], both[i + 1]);
  return pairs;
}

// The characters of Windows-1250 that can be shown: all but the controls
// and the five codes the code page leaves undefined.
std::vector<unsigned char> printableCodes() {
  std::vector<unsigned char> codes;
  for (int c = 32; c < 256; ++c) {
    if (c == 127 || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98) continue;
    codes.push_back(static_cast<unsigned char>(c));
  }
  return codes;
}

// ---- Braille table ----------------------------------------------------------

class ShippedBrailleTable : public TableTest {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    brailletablefile = dataFile("czech.ebt");
    LoadBrailleTable();
  }
  // What a chord types from no prefix: the prefix sign's chord first if any.
  static std::string typed(const std::string& prefixdots, const std::string& dots) {
    currentprefix.clear();
    std::string out;
    if (!prefixdots.empty()) out += chord(prefixdots);
    return out + chord(dots);
  }
};

TEST_F(ShippedBrailleTable, IsWindows1250WithCrLfLinesAndFitsTheTables) {
  expectCrLfLines(readBytes(brailletablefile));
  EXPECT_TRUE(errors().empty());
  EXPECT_EQ(prefixcount, 2);
  EXPECT_GT(charcount, 100);
  EXPECT_LE(charcount, kMaxBrailleChars);
  EXPECT_EQ(typed("", "146"), cp("č"));
}

TEST_F(ShippedBrailleTable, EveryChordIsAWellFormedDotString) {
  std::set<std::string> prefixchords;
  for (int i = 1; i <= prefixcount; ++i) prefixchords.insert(brlprefixes[i].dots);
  std::set<std::pair<std::string, std::string>> seen;
  for (int i = 1; i <= charcount + prefixcount; ++i) {
    const std::string& dots = i <= charcount ? brlchars[i].dots : brlprefixes[i - charcount].dots;
    SCOPED_TRACE(dots);
    ASSERT_FALSE(dots.empty());
    for (std::size_t k = 0; k < dots.size(); ++k) {
      EXPECT_TRUE(dots[k] >= '1' && dots[k] <= '6');
      if (k > 0) {
        EXPECT_LT(dots[k - 1], dots[k]);  // ascending, each dot once
      }
    }
    if (i > charcount) continue;
    // An entry hidden by a prefix chord or by an earlier entry could never be typed.
    EXPECT_EQ(prefixchords.count(dots), 0u) << cp1250ToUtf8(brlchars[i].character);
    EXPECT_TRUE(seen.insert({brlchars[i].prefix, dots}).second) << cp1250ToUtf8(brlchars[i].character);
  }
}

TEST_F(ShippedBrailleTable, TypesEveryCzechAndSlovakLetterAndItsCapital) {
  std::map<std::string, std::string> chordof;  // small letter -> its chord
  for (int i = 1; i <= charcount; ++i)
    if (brlchars[i].prefix.empty()) chordof[brlchars[i].character] = brlchars[i].dots;
  std::string letters = "abcdefghijklmnopqrstuvwxyz" + cp("áäčďéěíĺľňóôŕřšťúůýž");
  for (char small : letters) {
    const std::string s(1, small);
    SCOPED_TRACE(cp1250ToUtf8(s));
    ASSERT_EQ(chordof.count(s), 1u);
    EXPECT_EQ(typed("", chordof[s]), s);
    // The capital sign then the same chord gives the capital, for one chord only.
    char capital = 0;
    for (auto [lo, up] : letterPairs())
      if (lo == small) capital = up;
    ASSERT_NE(capital, 0);
    EXPECT_EQ(typed("6", chordof[s]), std::string(1, capital));
    EXPECT_EQ(currentprefix, "");
  }
}

TEST_F(ShippedBrailleTable, NumberSignGivesTheDigitsUntilTheSpaceChord) {
  currentprefix.clear();
  std::string typedtext;
  for (const char* dots : {"3456", "1", "12", "14", "145", "15", "124", "1245", "125", "24", "245", "2", "15", " ", "1"})
    typedtext += chord(dots);
  EXPECT_EQ(typedtext, "1234567890,5 a");
}

TEST_F(ShippedBrailleTable, ANumberTakesAHyphenAndAPlusSignWithoutLeavingNumbers) {
  currentprefix.clear();
  std::string typedtext;
  for (const char* dots : {"3456", "1", "245", "36", "12", "245", "256", "14", " ", "36"}) typedtext += chord(dots);
  EXPECT_EQ(typedtext, "10-20+3 -");
}

TEST_F(ShippedBrailleTable, TypesTheCommonPunctuation) {
  std::set<std::string> plain;
  for (int i = 1; i <= charcount; ++i)
    if (brlchars[i].prefix.empty()) plain.insert(brlchars[i].character);
  for (const char* mark : {".", ",", ";", ":", "?", "!", "-", "'", "\"", "(", ")", "/", "*", "+"})
    EXPECT_EQ(plain.count(mark), 1u) << mark;
}

// ---- Key files ----------------------------------------------------------------

struct Language {
  const char* file;
  const char* space;
  const char* comma;
  const char* question;
  const char* lineend;
};

class ShippedKeyFile : public TableTest, public ::testing::WithParamInterface<Language> {
 protected:
  void SetUp() override {
    TableTest::SetUp();
    keyfile = dataFile(GetParam().file);
    LoadKeyFile();
  }
  // What SpeakKey would say: the first entry with the code.
  static const echokeytype* entry(unsigned char code) {
    for (const echokeytype& e : echokeys)
      if (e.code == code) return &e;
    return nullptr;
  }
  static std::string text(unsigned char code) {
    const echokeytype* e = entry(code);
    return e ? e->text : std::string();
  }
};

TEST_P(ShippedKeyFile, IsWindows1250WithCrLfLinesAndFitsTheTable) {
  const std::string bytes = readBytes(keyfile);
  expectCrLfLines(bytes);
  EXPECT_TRUE(errors().empty());
  int lines = 0;
  for (char c : bytes) lines += c == '\n';
  EXPECT_LE(lines, kEchoKeys);
  // Each code once: a second entry of a code would never be spoken.
  std::set<int> codes;
  for (int i = 0; i < lines; ++i) EXPECT_TRUE(codes.insert(echokeys[i].code).second) << int(echokeys[i].code);
}

TEST_P(ShippedKeyFile, EveryPrintableCharacterAndControlCodeHasWords) {
  for (unsigned char code : printableCodes())
    EXPECT_FALSE(text(code).empty()) << "code " << int(code) << " " << cp1250ToUtf8(std::string(1, char(code)));
  for (unsigned char code : {8, 9, 13, 27}) EXPECT_FALSE(text(code).empty()) << "code " << int(code);
  // Words, not the bare character that an engine reads its own way (plain
  // letters excepted: their names are what engines read for them).
  for (unsigned char code : printableCodes()) {
    const bool plainletter = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
    if (!plainletter) {
      EXPECT_NE(text(code), std::string(1, char(code))) << int(code);
    }
  }
}

TEST_P(ShippedKeyFile, CapitalSaysWhatItsSmallLetterSays) {
  for (auto [small, capital] : letterPairs())
    EXPECT_EQ(text(static_cast<unsigned char>(capital)), text(static_cast<unsigned char>(small)))
        << cp1250ToUtf8(std::string(1, capital));
}

TEST_P(ShippedKeyFile, SpeaksTheLanguagesOwnWords) {
  EXPECT_EQ(text(' '), cp(GetParam().space));
  EXPECT_EQ(text(','), cp(GetParam().comma));
  EXPECT_EQ(text('?'), cp(GetParam().question));
  EXPECT_EQ(text(13), cp(GetParam().lineend));
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedKeyFile,
                         ::testing::Values(Language{"czech.eky", "mezera", "čárka", "otazník", "konec řádku"},
                                           Language{"english.eky", "space", "comma", "question mark", "end of line"},
                                           Language{"slovak.eky", "medzera", "čiarka", "otáznik", "koniec riadku"}),
                         [](const auto& info) { return std::string(info.param.file).substr(0, 5); });

}  // namespace
}  // namespace drum::tabletest
