// What a display shows of the screen, apart from the cells' table, so a
// platform without liblouis has it too.
#include "input/braillecells.h"

#include "platform/cp1250.h"
#include "runtime/oskcommands.h"

namespace drum {

BrailleScreenLine brailleScreenLine() {
  const ScreenPlace place = readingPlace();
  return {cp1250ToUtf16(screenLine(place.row)), place.written ? -1 : place.column};
}

std::string cellDots(std::uint8_t cell) {
  std::string dots;
  for (int d = 0; d < 8; ++d)
    if (cell & (1u << d)) dots += static_cast<char>('1' + d);
  return dots;
}

}  // namespace drum
