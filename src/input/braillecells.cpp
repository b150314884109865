#include "input/braillecells.h"

#include <liblouis.h>

#include <algorithm>
#include <utility>

#include "input/brailletables.h"
#include "platform/cp1250.h"

namespace drum {
namespace {

// liblouis reports a missing table on standard error by default; here a
// missing table only means the display falls back to BRLTTY's own table.
void quiet(logLevels, const char*) {}

// A chord's dot string as a cell; nothing for a string no chord makes.
std::optional<std::uint8_t> chordCell(const std::string& dots) {
  if (dots == " ") return std::uint8_t{0};
  if (dots.empty()) return std::nullopt;
  std::uint8_t cell = 0;
  char last = '0';
  for (const char d : dots) {
    if (d <= last || d > '6') return std::nullopt;
    cell |= static_cast<std::uint8_t>(1u << (d - '1'));
    last = d;
  }
  return cell;
}

// The characters the Braille table types, each with the cell it is typed
// with, sorted by character. A capital's chord (after the capital sign)
// gets dot 7 and a chord after any other sign (the number sign) dot 8, as
// eight-dot computer Braille marks capitals and digits. A character typed in
// several ways shows its chord without a sign first, then its capital's.
std::vector<std::pair<char16_t, std::uint8_t>> typedCells() {
  std::vector<std::pair<char16_t, std::uint8_t>> typed;
  std::vector<int> rank;
  for (int i = 1; i <= charcount; ++i) {
    const brlchartype& entry = brlchars[static_cast<std::size_t>(i)];
    if (entry.character.size() != 1) continue;
    auto cell = chordCell(entry.dots);
    if (!cell) continue;
    const int order = entry.prefix.empty() ? 0 : entry.prefix == "#cap" ? 1 : 2;
    if (order == 1) *cell |= 0x40;
    if (order == 2) *cell |= 0x80;
    const std::u16string unit = cp1250ToUtf16(entry.character);
    if (unit.size() != 1) continue;
    const char16_t c = unit[0];
    const auto known = std::find_if(typed.begin(), typed.end(), [c](const auto& t) { return t.first == c; });
    if (known == typed.end()) {
      typed.emplace_back(c, *cell);
      rank.push_back(order);
    } else if (order < rank[static_cast<std::size_t>(known - typed.begin())]) {
      known->second = *cell;
      rank[static_cast<std::size_t>(known - typed.begin())] = order;
    }
  }
  std::sort(typed.begin(), typed.end());
  return typed;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> brailleCells(std::u16string_view text) {
  static const bool prepared = [] {
    lou_registerLogCallback(quiet);
    return true;
  }();
  (void)prepared;
  std::vector<std::uint8_t> cells;
  if (text.empty()) return cells;
  const std::vector<widechar> in(text.begin(), text.end());
  std::vector<widechar> out(in.size());
  if (!lou_charToDots(kBrailleCellTable, in.data(), out.data(), static_cast<int>(in.size()), ucBrl)) {
    return std::nullopt;
  }
  const auto typed = typedCells();
  cells.reserve(out.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    const auto t = std::lower_bound(typed.begin(), typed.end(), std::make_pair(text[i], std::uint8_t{0}));
    cells.push_back(t != typed.end() && t->first == text[i] ? t->second : static_cast<std::uint8_t>(out[i] & 0xFF));
  }
  return cells;
}

}  // namespace drum
