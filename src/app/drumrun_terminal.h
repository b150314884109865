// drumrun in a terminal: raw keys become what the main window would put into
// keybuffer, and the text screen's 24 lines are kept visible inside the
// terminal, whatever its size, with a status line below them when it fits.
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
  bool status = false;  // F1: show or hide the status line
  std::string text;
};

// Where the game's lines and the status line go in a terminal of `rows` x
// `columns`. The status line sits below the 24 lines when the terminal has
// room for it; a smaller terminal shows it on its last row only when asked
// (or when it carries a message), and shows the part of the game's lines
// that holds the cursor.
struct TerminalLayout {
  int gamerows = 0;    // game lines shown, from terminal row 0
  int top = 0;         // the first game line shown
  int statusrow = -1;  // terminal row of the status line; -1: not shown
};
TerminalLayout layoutTerminal(int rows, int columns, int cursorrow, bool statuswanted, int previoustop);

// A line cut to `columns` characters (UTF-8), so the terminal never wraps it.
std::string fitWidth(const std::string& utf8, int columns);

// Turns terminal input into keys. Arrows and Shift+arrows give the cursor
// codes 129 to 152, Esc 27, Enter 13, Backspace 8 (F6 too, Shift+F6 25), F7 7,
// F8 13; F1 the status line; other keys their Windows-1250 character. Escape sequences may arrive
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
  // Back to the terminal's own screen, where the game's last lines are
  // printed again so they stay when the program has ended.
  void leave();
  bool entered() const { return entered_; }

  // Reads keys on a thread of its own; `onkey` runs on that thread (post from it).
  // Termination signals arrive as leave keys, a resize as a redraw.
  void startReader(std::function<void(const TerminalKey&)> onkey);
  void stopReader();

  // Draws the lines that changed since the last draw and puts the terminal's
  // cursor where the next character goes. `full` redraws everything.
  // `full` also reads the terminal's size again.
  void draw(bool full = false);
  // The status line's text; an `urgent` one (a message) is shown even where
  // the status line is hidden.
  void setStatus(const std::string& utf8, bool urgent = false);
  void toggleStatus();

 private:
  void write(const std::string& s);
  void readSize();
  bool entered_ = false;
  bool screen_ = false;
  int rows_ = 24;
  int columns_ = 80;
  int top_ = 0;
  bool statuswanted_ = false;
  bool urgent_ = false;
  std::vector<std::string> shown_;  // what each terminal row shows
  std::string status_;
  std::thread reader_;
  int wakepipe_[2] = {-1, -1};
  int signalfd_ = -1;
  std::atomic<bool> stopping_{false};
};

// Blocks the signals that the reader turns into keys (call before any thread starts).
void blockTerminalSignals();

}  // namespace drum
