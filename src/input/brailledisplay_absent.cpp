// Where BRLTTY cannot be reached at all (a browser, Node): no display ever
// connects, and what would be shown goes nowhere. A player there reads with
// the screen reader's own Braille support.
#include "input/brailledisplay.h"

namespace drum {

struct BrailleDisplay::Impl {};

BrailleDisplay& BrailleDisplay::instance() {
  static auto* display = new BrailleDisplay;
  return *display;
}

BrailleDisplay::BrailleDisplay() : impl_(new Impl) {}
void BrailleDisplay::setEnabled(bool) {}
bool BrailleDisplay::enabled() const { return false; }
bool BrailleDisplay::connected() const { return false; }
int BrailleDisplay::columns() const { return 0; }
void BrailleDisplay::focusWindow(unsigned long) {}
void BrailleDisplay::focusProgram() {}
void BrailleDisplay::unfocus() {}
void BrailleDisplay::show(std::u16string_view, int) {}

}  // namespace drum
