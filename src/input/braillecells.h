// What a Braille display shows for a text, one cell a character, so a
// cell's position is the character's and the caret and the routing keys line
// up with the text. A character the Braille table (czech.ebt, the player's)
// types shows the dots it is typed with; the rest are in Czech 8-dot computer
// Braille (liblouis's cs-comp8.utb).
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drum {

// The table of the characters the Braille table does not type, as liblouis
// names it.
inline constexpr const char* kBrailleCellTable = "cs-comp8.utb";

// The cells of `text`: dots 1-8 as bits 0-7, one cell per UTF-16 unit.
// Nothing when liblouis cannot read its table. Reads the Braille table as
// loaded now. liblouis is not thread-safe: call this on the UI thread only.
std::optional<std::vector<std::uint8_t>> brailleCells(std::u16string_view text);

// What a display shows of the text screen: the line of the reading place
// (readingPlace), with the cursor as the caret; a line just written is shown
// without a caret. Trailing blanks are left out (the screen pads its lines).
struct BrailleScreenLine {
  std::u16string text;
  int caret = -1;
};
BrailleScreenLine brailleScreenLine();

// A cell as the Braille tables write a chord: its dot numbers ascending
// ("125"; "" for a blank cell).
std::string cellDots(std::uint8_t cell);

}  // namespace drum
