// The table of localised texts, numbered language base + message.
#pragma once
#include <map>
#include <string>

namespace drum {

// Messages of the program's own beyond the table's first ones.
constexpr int kSoundBackMessage = 59;  // the sound server came back after a gap

// Every text of the table by its number, in Windows-1250. Built once, on
// first use, from the UTF-8 texts of the source.
const std::map<int, std::string>& messageTable();

// Texts of our own, outside the numbered table, in the same three languages.
enum class OwnText { alreadyRunning, cannotSave, savesInPlace };
// The text in the language of `base` (Windows-1250), `filler` (Windows-1250)
// in its place.
std::string ownText(OwnText which, int base, const std::string& filler);

}  // namespace drum
