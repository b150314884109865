// A refreshable Braille display reached through BRLTTY's BrlAPI. Connecting
// goes on in the background and is retried while BRLTTY is not there, so a
// machine without a display costs nothing and hears nothing. The display is
// taken only for the window (or program) that has the focus, and given back
// when it loses it. Everything here is called on the UI thread; keys arrive
// there through the host's posted calls.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace drum {

struct BrailleKey {
  enum Kind {
    Dots,       // a chord typed on the display's keyboard: `value` holds dots 1-8 as bits 0-7
    Space,      // the space bar alone
    Backspace,
    Enter,
    Route,      // a routing key: `value` is the cell (0-based) of the text shown, pan included
  };
  Kind kind = Dots;
  int value = 0;
};

class BrailleDisplay {
 public:
  // The one display of the process.
  static BrailleDisplay& instance();

  // Starts (or stops) looking for BRLTTY. Off: the display is let go at once.
  void setEnabled(bool on);
  bool enabled() const;
  // A display is connected and ours to write.
  bool connected() const;
  // Cells of the display's text area (0 when none is connected).
  int columns() const;

  // What has the focus: an X window id, or the program as a whole, without
  // a window (the terminal drumrun runs in; the desktop program, while it is
  // the active application, where windows have no ids a focus teller could
  // report, as on Wayland). `unfocus` gives the display back.
  void focusWindow(unsigned long windowId);
  void focusProgram();
  void unfocus();

  // The text to show, one cell a character, and the caret's index in it
  // (-1: no caret). The display's pan keys move along a longer text.
  void show(std::u16string_view text, int caret);

  // Keys of the display, on the UI thread.
  std::function<void(const BrailleKey&)> onKey;

 private:
  BrailleDisplay();
  struct Impl;
  Impl* impl_;  // never freed: its thread may outlive the process's static destructors
};

}  // namespace drum
