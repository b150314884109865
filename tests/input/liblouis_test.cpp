// The shipped Czech Braille table against liblouis's Czech table (cs-g1.ctb),
// through liblouis's own command-line translator. Every difference must be a
// choice written down below.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "input/brailletables.h"
#include "platform/cp1250.h"
#include "tablefixture.h"

namespace drum::tabletest {
namespace {

// Characters that we type on other cells than liblouis writes them, or do
// not type at all. Key: the character (UTF-8); value: ours, liblouis's
// ("undefined" when its Czech table has no cells for the character), why.
struct Choice {
  std::string ours;
  std::string liblouis;
  const char* why;
};
const std::map<std::string, Choice>& documentedChoices() {
  static const std::map<std::string, Choice> choices = {
      // Slovak letters. A chord types one character, and every chord but four
      // (5, 45, 46, 56) is taken by Czech Braille, so the four Slovak letters
      // that Czech Braille lacks get those four.
      {"ä", {"45", "1-15", "liblouis writes a then e; Slovak Braille's ä (4) is the Czech apostrophe"}},
      {"Ä", {"6-45", "6-1-15", "capital of ä"}},
      {"ĺ", {"46", "undefined", "Slovak Braille's own ĺ chord, free in Czech Braille"}},
      {"Ĺ", {"6-46", "undefined", "capital of ĺ"}},
      {"ô", {"56", "undefined", "Slovak Braille's ô (23456) is the Czech ů; 56 marks a capitalised word in "
                                "liblouis, which chord typing has no use for"}},
      {"Ô", {"6-56", "undefined", "capital of ô"}},
      {"ŕ", {"5", "undefined", "Slovak Braille's ŕ (12356) is the Czech w; dot 5 marks a letter after a "
                               "number in liblouis, where typing ends numbers with the space chord"}},
      {"Ŕ", {"6-5", "undefined", "capital of ŕ"}},
      // Inside a number. liblouis repeats the number sign after these signs
      // (10-20 is 3456-1-245-36-3456-12-245); typing keeps it in force until
      // the space chord, so "10-20" and "1+1" need it once.
      {"-", {"3456-36", "36", "the hyphen inside a number, under the lasting number sign"}},
      {"+", {"3456-256", "256", "the plus sign inside a number, under the lasting number sign"}},
      // Symbols that the table cannot offer.
      {"#", {"", "6-3456", "3456 is the number sign, and a prefix chord is read before any character"}},
      {"<", {"", "126", "126 is ě"}},
      {">", {"", "345", "345 is é"}},
      {"=", {"", "2356", "the table's lines split at the first \"=\", so \"=\" cannot be defined"}},
      {"[", {"", "6-236", "a table line that begins with \"[\" is a section header"}},
      {"^", {"", "6-45", "after the capital sign 45 is Ä"}},
      {"~", {"", "6-5", "after the capital sign 5 is Ŕ"}},
      {"`", {"", "45-4", "45 is ä"}},
      {"{", {"", "46-236", "46 is ĺ"}},
      {"}", {"", "46-356", "46 is ĺ"}},
  };
  return choices;
}

// Dots of a Unicode Braille pattern (U+2800 + bit n-1 for dot n).
std::string patternDots(char32_t cp) {
  std::string dots;
  for (int d = 0; d < 8; ++d)
    if ((cp - 0x2800) & (1u << d)) dots += static_cast<char>('1' + d);
  return dots;
}

// One line of liblouis output as cells joined with "-"; "undefined" when it
// used the marker cell (dots 7 and 8) that we give it for undefined characters.
std::string cellsOf(const std::string& utf8) {
  std::vector<std::string> cells;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    if (b == 0xE2 && i + 2 < utf8.size()) {
      const char32_t cp = ((b & 0x0F) << 12) | ((utf8[i + 1] & 0x3F) << 6) | (utf8[i + 2] & 0x3F);
      if (cp >= 0x2800 && cp <= 0x28FF) {
        const std::string dots = patternDots(cp);
        if (dots == "78") return "undefined";
        cells.push_back(dots);
        i += 3;
        continue;
      }
    }
    return "not braille: " + utf8;
  }
  std::string out;
  for (std::size_t i = 0; i < cells.size(); ++i) out += (i ? "-" : "") + cells[i];
  return out;
}

// Translates each text (UTF-8, one line each) with liblouis's Czech table.
class Liblouis : public TableTest {
 protected:
  std::vector<std::string> translate(const std::vector<std::string>& texts) {
    const std::string undefinedtable = file("undefined.ctb");
    write(undefinedtable, "undefined 78\n");
    std::string input;
    for (const auto& t : texts) {
      for (char c : t) input += c == '\\' ? std::string("\\\\") : std::string(1, c);  // it reads escapes
      input += "\n";
    }
    write(file("in.txt"), input);
    const std::string command = "lou_translate --forward unicode.dis,cs-g1.ctb," + undefinedtable + " < " +
                                file("in.txt") + " 2>&1";
    std::vector<std::string> lines;
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return lines;
    std::string current;
    for (int c; (c = std::fgetc(pipe)) != EOF;) {
      if (c == '\n') {
        lines.push_back(current);
        current.clear();
      } else {
        current += static_cast<char>(c);
      }
    }
    const int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "lou_translate (package liblouis-bin, table cs-g1.ctb from liblouis-data) failed: "
        << (lines.empty() ? "" : lines.front());
    return lines;
  }
};

TEST_F(Liblouis, CzechTableDiffersOnlyByDocumentedChoices) {
  brailletablefile = std::string(DRUM_SOURCE_DIR) + "/data/czech.ebt";
  LoadBrailleTable();
  std::map<std::string, std::string> prefixdots;
  for (int i = 1; i <= prefixcount; ++i) prefixdots[brlprefixes[i].prefix] = brlprefixes[i].dots;

  // Each entry as the cells one types for it: the prefix sign, then the chord.
  struct Entry {
    std::string character;  // UTF-8
    std::string cells;
    std::string inNumber;   // a lasting prefix's entry, typed inside "1_1"
  };
  std::vector<Entry> entries;
  std::set<std::string> ours;
  for (int i = 1; i <= charcount; ++i) {
    const brlchartype& e = brlchars[i];
    Entry entry{cp1250ToUtf8(e.character), e.dots, ""};
    if (!e.prefix.empty()) {
      ASSERT_EQ(prefixdots.count(e.prefix), 1u) << e.prefix;
      entry.cells = prefixdots[e.prefix] + "-" + e.dots;
      // A prefix other than the capital sign lasts, so inside a number its
      // sign is typed once: "1,5" is the number sign, 1, the comma, 5.
      if (e.prefix != "#cap") entry.inNumber = prefixdots[e.prefix] + "-1-" + e.dots + "-1";
    }
    entries.push_back(entry);
    ours.insert(entry.character);
  }

  // The characters the comparison covers the other way round: what a Czech
  // or Slovak keyboard types among letters, digits and ASCII punctuation.
  std::vector<std::string> others;
  for (char c = 33; c < 127; ++c)
    if (!ours.count(std::string(1, c))) others.push_back(std::string(1, c));
  for (const char* letter : {"á", "ä", "č", "ď", "é", "ě", "í", "ĺ", "ľ", "ň", "ó", "ô", "ŕ", "ř", "š", "ť", "ú",
                             "ů", "ý", "ž", "Á", "Ä", "Č", "Ď", "É", "Ě", "Í", "Ĺ", "Ľ", "Ň", "Ó", "Ô", "Ŕ", "Ř",
                             "Š", "Ť", "Ú", "Ů", "Ý", "Ž"})
    if (!ours.count(letter)) others.push_back(letter);

  std::vector<std::string> texts;
  for (const Entry& e : entries) {
    texts.push_back(e.character);
    texts.push_back("1" + e.character + "1");
  }
  for (const std::string& c : others) texts.push_back(c);
  const std::vector<std::string> louis = translate(texts);
  ASSERT_EQ(louis.size(), texts.size());

  std::map<std::string, Choice> found;
  std::size_t at = 0;
  for (const Entry& e : entries) {
    const std::string alone = cellsOf(louis[at++]);
    const std::string inNumber = cellsOf(louis[at++]);
    if (alone == e.cells || (!e.inNumber.empty() && inNumber == e.inNumber)) continue;
    found[e.character] = {e.cells, alone, ""};
  }
  for (const std::string& c : others) {
    const std::string cells = cellsOf(louis[at++]);
    if (cells != "undefined") found[c] = {"", cells, ""};
  }

  for (const auto& [character, diff] : found) {
    const auto doc = documentedChoices().find(character);
    const bool documented = doc != documentedChoices().end() && doc->second.ours == diff.ours &&
                            doc->second.liblouis == diff.liblouis;
    std::printf("  %-2s ours %-7s liblouis %-8s %s\n", character.c_str(), diff.ours.empty() ? "none" : diff.ours.c_str(),
                diff.liblouis.c_str(), documented ? doc->second.why : "NOT DOCUMENTED");
    EXPECT_TRUE(documented) << character << ": ours " << diff.ours << ", liblouis " << diff.liblouis;
  }
  // A documented choice that no longer differs is out of date.
  for (const auto& [character, choice] : documentedChoices()) EXPECT_EQ(found.count(character), 1u) << character;
}

}  // namespace
}  // namespace drum::tabletest
