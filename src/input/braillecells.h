// What a Braille display shows for a text: Czech 8-dot computer Braille
// (liblouis's cs-comp8.utb), one cell a character, so a cell's position is
// the character's and the caret and the routing keys line up with the text.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drum {

// The table the cells come from, as liblouis names it.
inline constexpr const char* kBrailleCellTable = "cs-comp8.utb";

// The cells of `text`: dots 1-8 as bits 0-7, one cell per UTF-16 unit.
// Nothing when liblouis cannot read its table. liblouis is not thread-safe:
// call this on the UI thread only.
std::optional<std::vector<std::uint8_t>> brailleCells(std::u16string_view text);

// What a display shows of the text screen: the line that holds the cursor,
// with the cursor as the caret. A PRINT that ends its line leaves the cursor
// at the start of the empty line below; then the line just written is shown,
// without a caret, since the game's latest words are the ones to read.
// Trailing blanks are left out (the screen pads its lines).
struct BrailleScreenLine {
  std::u16string text;
  int caret = -1;
};
BrailleScreenLine brailleScreenLine();

// A cell as the Braille tables write a chord: its dot numbers ascending
// ("125"; "" for a blank cell).
std::string cellDots(std::uint8_t cell);

}  // namespace drum
