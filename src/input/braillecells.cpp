#include "input/braillecells.h"

#include <liblouis.h>

#include "platform/cp1250.h"
#include "runtime/oskcommands.h"

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

BrailleScreenLine brailleScreenLine() {
  const auto lineAt = [](int row) {
    std::string line = row >= 0 && row < printmemo.count() ? printmemo.line(row) : std::string();
    const auto end = line.find_last_not_of(' ');
    line.resize(end == std::string::npos ? 0 : end + 1);
    return line;
  };
  const int row = scrcursor.row();
  const int column = scrcursor.column();
  std::string line = lineAt(row);
  if (line.empty() && column == 0 && row > 0) return {cp1250ToUtf16(lineAt(row - 1)), -1};
  return {cp1250ToUtf16(line), column};
}

std::string cellDots(std::uint8_t cell) {
  std::string dots;
  for (int d = 0; d < 8; ++d)
    if (cell & (1u << d)) dots += static_cast<char>('1' + d);
  return dots;
}

}  // namespace drum
