// drumrun in a terminal: raw keys become what the main window would put into
// keybuffer, and the text screen's 24 lines are kept visible.
#pragma once
#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace drum {

// A key read from the terminal: the Windows-1250 text for keybuffer, or a
// request to leave (Ctrl+C, end of input, a hang-up or termination signal).
struct TerminalKey {
  bool leave = false;
  bool redraw = false;  // the window changed size
  std::string text;
};

// Turns terminal input into keys. Arrows and Shift+arrows give the cursor
// codes 129 to 152, Esc 27, Enter 13, Backspace 8 (F6 too, Shift+F6 25), F7 7,
// F8 13; other keys their Windows-1250 character. Escape sequences may arrive
// split across reads; a lone ESC is only known to be Esc once nothing follows.
class KeyDecoder {
 public:
  void feed(std::string_view bytes, std::vector<TerminalKey>& out);
  // Nothing more came: a pending lone ESC is the Esc key.
  void idle(std::vector<TerminalKey>& out);
  bool pending() const { return !buffer_.empty(); }

 private:
  // Decodes what it can from the front of buffer_; false when more bytes are needed.
  bool step(std::vector<TerminalKey>& out, bool final);
  std::string buffer_;
};

class Terminal {
 public:
  ~Terminal();
  // Raw mode, and the alternate screen when the screen is to be shown.
  // False when standard input is not a terminal.
  bool enter(bool screen);
  void leave();
  bool entered() const { return entered_; }

  // Reads keys on a thread of its own; `onkey` runs on that thread (post from it).
  // Termination signals arrive as leave keys, a resize as a redraw.
  void startReader(std::function<void(const TerminalKey&)> onkey);
  void stopReader();

  // Draws the lines that changed since the last draw and puts the terminal's
  // cursor where the next character goes. `full` redraws everything.
  void draw(bool full = false);
  void setStatus(const std::string& utf8);

 private:
  void write(const std::string& s);
  bool entered_ = false;
  bool screen_ = false;
  std::vector<std::string> shown_;
  std::string status_;
  std::thread reader_;
  int wakepipe_[2] = {-1, -1};
  int signalfd_ = -1;
  std::atomic<bool> stopping_{false};
};

// Blocks the signals that the reader turns into keys (call before any thread starts).
void blockTerminalSignals();

}  // namespace drum
