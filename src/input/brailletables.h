// The two tables that say how the keyboard is understood and spoken: the
// Braille table (chord dots to text, with prefix signs such as the capital
// sign) and the key echo table (a character code to the words spoken for it).
// Both are read from plain Windows-1250 text files in the current directory,
// once at start-up, and live for the whole process.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace drum {

// A prefix sign: its name with the leading "#" ("#cap") and its chord.
struct brlpreftype {
  std::string prefix;
  std::string dots;
};

// A chord's text under a prefix ("" for the "characters" section).
struct brlchartype {
  std::string prefix;
  std::string character;
  std::string dots;
};

// The words spoken for one character code.
struct echokeytype {
  std::uint8_t code = 0;
  std::string text;
};

constexpr int kMaxPrefixes = 10;
// The chord scan counts slots in a byte, so 254 is the most it can walk.
constexpr int kMaxBrailleChars = 254;
constexpr int kEchoKeys = 256;

// Slots are numbered from 1, as the tables' users count them; slot 0 is unused.
extern std::array<brlpreftype, kMaxPrefixes + 1> brlprefixes;
extern std::uint8_t prefixcount;
extern std::array<brlchartype, kMaxBrailleChars + 1> brlchars;
extern std::uint8_t charcount;
// Numbered 0 to 255 in file order; slots no line filled hold code 0 and "".
extern std::array<echokeytype, kEchoKeys> echokeys;

// The prefix in force for the next chord; "" when none.
extern std::string currentprefix;
extern std::string brailletablefile;  // "czech.ebt" whatever the language
extern std::string keyfile;           // LocalString(24) + ".eky"

// Read `brailletablefile` / `keyfile` from the current directory. A file that
// cannot be opened, or a key-file line whose number is not an integer, raises
// Error; what was read before stays. Lines beyond the tables' capacities are
// ignored and reported once through the standard error report.
void LoadBrailleTable();
void LoadKeyFile();

// The text of a chord's dot string ("1" .. "123456" ascending, or " " for
// the space bar). A prefix chord selects its prefix and leaves `result`
// alone; "#cap" holds for one character, any other prefix until the space
// chord. `result` is left as it was when nothing matches.
void TranslateChord(const std::string& dots, std::string& result);

}  // namespace drum
