#include "app/drumrun_terminal.h"

#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#ifndef __EMSCRIPTEN__
#include <sys/signalfd.h>
#endif
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "platform/cp1250.h"
#include "runtime/oskcommands.h"

namespace drum {

namespace {

termios savedtermios;

// What the reader takes as events (Ctrl+C, the ends, a new size), blocked
// in every thread so that only its signalfd sees them.
sigset_t terminalSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int s : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGWINCH}) sigaddset(&set, s);
  return set;
}

TerminalKey code(int c) {
  TerminalKey k;
  k.text = std::string(1, static_cast<char>(c));
  return k;
}

// The cursor code of an arrow's final byte: 128 + 1 up, 2 down, 4 left, 8 right.
int arrow(char final) {
  switch (final) {
    case 'A': case 'a': return 129;
    case 'B': case 'b': return 130;
    case 'D': case 'd': return 132;
    case 'C': case 'c': return 136;
    default: return 0;
  }
}

// "1;2" -> {1, 2}; a missing number reads as 1, as terminals mean it.
std::vector<int> parameters(std::string_view p) {
  std::vector<int> out;
  int value = 0;
  bool any = false;
  for (const char c : p) {
    if (c >= '0' && c <= '9') {
      value = value * 10 + (c - '0');
      any = true;
      if (value > 9999) value = 9999;
    } else if (c == ';') {
      out.push_back(any ? value : 1);
      value = 0;
      any = false;
    }
  }
  out.push_back(any ? value : 1);
  return out;
}

// Modifier parameter m (xterm): m - 1 holds Shift in its lowest bit.
bool shifted(const std::vector<int>& p) { return p.size() >= 2 && ((p[1] - 1) & 1) != 0; }

// A text screen byte as the terminal shows it: controls and the codes
// without a character would move the terminal's cursor, so they show as a dot.
std::string visible(const std::string& line) {
  std::string out;
  std::string run;
  for (const char ch : line) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 32 || c == 127 || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98) {
      out += cp1250ToUtf8(run);
      run.clear();
      out += "\xC2\xB7";
    } else {
      run += ch;
    }
  }
  return out + cp1250ToUtf8(run);
}

TerminalKey statusKey() {
  TerminalKey k;
  k.status = true;
  return k;
}

}  // namespace

// ---- Layout -----------------------------------------------------------------

TerminalLayout layoutTerminal(int rows, int columns, int cursorrow, bool statuswanted, int previoustop) {
  TerminalLayout l;
  if (rows < 1 || columns < 1) return l;
  const int lines = TextScreen::kRows;
  if (rows > lines) {
    l.gamerows = lines;
    l.statusrow = lines;
    return l;
  }
  l.statusrow = statuswanted ? rows - 1 : -1;
  l.gamerows = statuswanted ? rows - 1 : rows;
  if (l.gamerows <= 0) {
    l.gamerows = 0;
    return l;
  }
  // Keep the shown part still while the cursor stays inside it.
  int top = std::clamp(previoustop, 0, lines - l.gamerows);
  const int row = std::clamp(cursorrow, 0, lines - 1);
  if (row < top) top = row;
  if (row >= top + l.gamerows) top = row - l.gamerows + 1;
  l.top = top;
  return l;
}

std::string fitWidth(const std::string& utf8, int columns) {
  std::size_t i = 0;
  for (int n = 0; i < utf8.size(); ++n) {
    if (n == columns) return utf8.substr(0, i);
    i += std::max<std::size_t>(1, utf8Length(static_cast<unsigned char>(utf8[i])));
  }
  return utf8;
}

// ---- KeyDecoder -------------------------------------------------------------

void KeyDecoder::feed(std::string_view bytes, std::vector<TerminalKey>& out) {
  buffer_.append(bytes);
  while (!buffer_.empty() && step(out, false)) {
  }
}

void KeyDecoder::idle(std::vector<TerminalKey>& out) {
  while (!buffer_.empty() && step(out, true)) {
  }
}

bool KeyDecoder::step(std::vector<TerminalKey>& out, bool final) {
  const auto c = static_cast<unsigned char>(buffer_[0]);
  const auto consume = [&](std::size_t n) { buffer_.erase(0, n); };

  if (c == 0x1B) {
    if (buffer_.size() == 1) {
      if (!final) return false;
      out.push_back(code(27));
      consume(1);
      return true;
    }
    if (buffer_[1] == '[' && buffer_.size() >= 3 && buffer_[2] == '[') {
      // The Linux console's F1 to F5: ESC [ [ A to E.
      if (buffer_.size() < 4) {
        if (!final) return false;
        consume(buffer_.size());
        return true;
      }
      if (buffer_[3] == 'A') out.push_back(statusKey());
      consume(4);
      return true;
    }
    if (buffer_[1] == '[') {
      // CSI: parameters, then a final byte from '@' to '~'.
      std::size_t i = 2;
      while (i < buffer_.size() && !(buffer_[i] >= 0x40 && buffer_[i] <= 0x7E)) ++i;
      if (i >= buffer_.size()) {
        if (!final && buffer_.size() < 32) return false;
        consume(buffer_.size());  // a broken sequence: nothing of it is a key
        return true;
      }
      const char fin = buffer_[i];
      const auto p = parameters(std::string_view(buffer_).substr(2, i - 2));
      consume(i + 1);
      if (const int a = arrow(fin)) {
        const bool rxvtshift = fin >= 'a' && fin <= 'd';
        out.push_back(code(a + (shifted(p) || rxvtshift ? 16 : 0)));
      } else if (fin == 'P') {
        out.push_back(statusKey());  // F1 with a modifier (xterm)
      } else if (fin == '~') {
        switch (p[0]) {
          case 11: out.push_back(statusKey()); break;                // F1 (rxvt)
          case 17: out.push_back(code(shifted(p) ? 25 : 8)); break;  // F6
          case 18: out.push_back(code(7)); break;                    // F7
          case 19: out.push_back(code(13)); break;                   // F8
          default: break;
        }
      }
      return true;
    }
    if (buffer_[1] == 'O') {
      if (buffer_.size() < 3) {
        if (!final) return false;
        consume(2);
        return true;
      }
      if (const int a = arrow(buffer_[2]); a && buffer_[2] <= 'D') out.push_back(code(a));
      if (buffer_[2] == 'P') out.push_back(statusKey());  // F1
      consume(3);
      return true;
    }
    // Alt with a key: the main window takes no character from it.
    const std::size_t n = utf8Length(static_cast<unsigned char>(buffer_[1]));
    if (n > 0 && buffer_.size() < 1 + n && !final) return false;
    consume(std::min(buffer_.size(), 1 + std::max<std::size_t>(n, 1)));
    return true;
  }

  if (c == 0x03) {  // Ctrl+C
    TerminalKey k;
    k.leave = true;
    out.push_back(k);
    consume(1);
    return true;
  }
  if (c == '\r' || c == '\n') {
    out.push_back(code(13));
    consume(1);
    return true;
  }
  if (c == 0x7F || c == 0x08) {
    out.push_back(code(8));
    consume(1);
    return true;
  }
  if (c < 32) {  // other control keys give no character to the program
    consume(1);
    return true;
  }

  const std::size_t n = utf8Length(c);
  if (n == 0) {
    consume(1);
    return true;
  }
  if (buffer_.size() < n) {
    if (!final) return false;
    consume(buffer_.size());
    return true;
  }
  const std::string utf8 = buffer_.substr(0, n);
  consume(n);
  const std::string text = utf8ToCp1250(utf8, '\0');
  if (text.size() == 1 && text[0] != '\0' && cp1250ToUtf8(text) == utf8) out.push_back(code(static_cast<unsigned char>(text[0])));
  return true;
}

// ---- Terminal ---------------------------------------------------------------

void blockTerminalSignals() {
  const sigset_t set = terminalSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

Terminal::~Terminal() {
  stopReader();
  leave();
}

bool Terminal::enter(bool screen) {
  if (entered_) return true;
  if (!isatty(STDIN_FILENO) || tcgetattr(STDIN_FILENO, &savedtermios) != 0) return false;
  termios raw = savedtermios;
  raw.c_iflag &= ~static_cast<tcflag_t>(ICRNL | INLCR | IGNCR | IXON | ISTRIP | BRKINT);
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ISIG | IEXTEN);
  raw.c_cc[VMIN] = 1;
  raw.c_cc[VTIME] = 0;
  if (tcsetattr(STDIN_FILENO, TCSAFLUSH, &raw) != 0) return false;
  entered_ = true;
  screen_ = screen;
  shown_.clear();
  readSize();
  // Line wrap off as well: nothing drawn may push the screen up.
  if (screen_) write("\x1b[?1049h\x1b[?7l\x1b[2J\x1b[H");
  return true;
}

void Terminal::leave() {
  if (!entered_) return;
  if (screen_) write("\x1b[0m\x1b[?7h\x1b[?25h\x1b[?1049l");
  tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedtermios);
  entered_ = false;
  if (!screen_) return;
  // The alternate screen is gone with what the game printed; the lines go
  // onto the terminal's own screen, up to the last one that holds text.
  int last = printmemo.count() - 1;
  while (last >= 0 && printmemo.line(last).empty()) --last;
  std::string out;
  for (int r = 0; r <= last; ++r) out += visible(printmemo.line(r)) + "\r\n";
  write(out);
}

void Terminal::readSize() {
  winsize w{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &w) == 0 && w.ws_row > 0 && w.ws_col > 0) {
    rows_ = w.ws_row;
    columns_ = w.ws_col;
  } else {
    rows_ = TextScreen::kRows;
    columns_ = TextScreen::kColumns;
  }
}

void Terminal::write(const std::string& s) {
  const char* p = s.data();
  std::size_t left = s.size();
  while (left > 0) {
    const ssize_t n = ::write(STDOUT_FILENO, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    p += n;
    left -= static_cast<std::size_t>(n);
  }
}

void Terminal::draw(bool full) {
  if (!entered_ || !screen_) return;
  if (full) {
    readSize();
    shown_.clear();
    write("\x1b[2J");
  }
  const TerminalLayout l = layoutTerminal(rows_, columns_, scrcursor.row(), statuswanted_ || urgent_, top_);
  if (l.top != top_) shown_.clear();  // every row shows another line now
  top_ = l.top;
  shown_.resize(static_cast<std::size_t>(rows_), std::string(1, '\xFF'));  // never equal to a real line
  std::string out = "\x1b[?25l";
  const auto put = [&](int row, const std::string& text) {
    if (shown_[static_cast<std::size_t>(row)] == text) return;
    shown_[static_cast<std::size_t>(row)] = text;
    out += "\x1b[" + std::to_string(row + 1) + ";1H" + text + "\x1b[0m\x1b[K";
  };
  for (int r = 0; r < l.gamerows; ++r) {
    const int line = l.top + r;
    put(r, fitWidth(visible(line < printmemo.count() ? printmemo.line(line) : std::string()), columns_));
  }
  for (int r = l.gamerows; r < rows_; ++r)
    put(r, r == l.statusrow ? "\x1b[7m" + fitWidth(status_, columns_) : std::string());
  const int row = std::clamp(scrcursor.row() - l.top, 0, std::max(0, l.gamerows - 1));
  const int column = std::min({static_cast<int>(scrcursor.column()), TextScreen::kColumns - 1, columns_ - 1});
  out += "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H\x1b[?25h";
  write(out);
}

void Terminal::setStatus(const std::string& utf8, bool urgent) {
  status_ = utf8;
  urgent_ = urgent_ || urgent;
  draw();
}

void Terminal::toggleStatus() {
  // A message shown in a small terminal goes away with the status line.
  statuswanted_ = !(statuswanted_ || urgent_);
  urgent_ = false;
  draw();
}

void Terminal::startReader(std::function<void(const TerminalKey&)> onkey) {
#ifdef __EMSCRIPTEN__
  // Under Node drumrun plays key scripts only (drumrun.cpp refuses the rest):
  // no threads, no signals to read.
  (void)onkey;
  return;
#else
  if (reader_.joinable()) return;
  if (::pipe(wakepipe_) != 0) wakepipe_[0] = wakepipe_[1] = -1;
  const sigset_t set = terminalSignals();
  signalfd_ = ::signalfd(-1, &set, SFD_CLOEXEC);
  stopping_ = false;
  reader_ = std::thread([this, onkey = std::move(onkey)] {
    KeyDecoder decoder;
    std::vector<TerminalKey> keys;
    while (!stopping_) {
      pollfd fds[3] = {{STDIN_FILENO, POLLIN, 0}, {signalfd_, POLLIN, 0}, {wakepipe_[0], POLLIN, 0}};
      // A lone ESC is the Esc key when nothing follows it within 30 ms.
      const int n = ::poll(fds, 3, decoder.pending() ? 30 : -1);
      if (n < 0) {
        if (errno == EINTR) continue;
        break;
      }
      keys.clear();
      if (n == 0) decoder.idle(keys);
      if (fds[1].revents & POLLIN) {
        signalfd_siginfo info{};
        if (::read(signalfd_, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) {
          TerminalKey k;
          if (info.ssi_signo == SIGWINCH) k.redraw = true;
          else k.leave = true;
          keys.push_back(k);
        }
      }
      if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
        char buf[256];
        const ssize_t got = ::read(STDIN_FILENO, buf, sizeof buf);
        if (got > 0) {
          decoder.feed(std::string_view(buf, static_cast<std::size_t>(got)), keys);
        } else if (got == 0 || errno != EINTR) {
          TerminalKey k;  // the terminal went away
          k.leave = true;
          keys.push_back(k);
          stopping_ = true;
        }
      }
      for (const auto& k : keys) onkey(k);
      if (fds[2].revents & POLLIN) break;
    }
  });
#endif
}

void Terminal::stopReader() {
  if (!reader_.joinable()) return;
  stopping_ = true;
  if (wakepipe_[1] >= 0) {
    const char c = 0;
    (void)!::write(wakepipe_[1], &c, 1);
  }
  reader_.join();
  for (int& fd : wakepipe_) {
    if (fd >= 0) ::close(fd);
    fd = -1;
  }
  if (signalfd_ >= 0) ::close(signalfd_);
  signalfd_ = -1;
}

}  // namespace drum
