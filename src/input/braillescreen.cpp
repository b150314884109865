// What a display shows of the screen, apart from the cells' table, so a
// platform without liblouis has it too.
#include "input/braillecells.h"

#include "platform/cp1250.h"
#include "runtime/oskcommands.h"

namespace drum {

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
