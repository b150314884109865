#include "input/braillecells.h"

#include <liblouis.h>


namespace drum {
namespace {

// liblouis reports a missing table on standard error by default; here a
// missing table only means the display falls back to BRLTTY's own table.
void quiet(logLevels, const char*) {}

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
  cells.reserve(out.size());
  for (const widechar c : out) cells.push_back(static_cast<std::uint8_t>(c & 0xFF));
  return cells;
}

}  // namespace drum
