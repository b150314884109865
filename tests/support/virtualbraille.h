// A Braille display for tests: BRLTTY runs in the foreground with its
// Virtual driver, and this object is the "display" the driver talks to over
// a private socket. It reads the cells BRLTTY writes and presses the
// display's keys. BRLTTY's BrlAPI server listens on a loopback port of its
// own with a key file of its own, so a client reaches it with apiHost() and
// apiAuth() (or the environment exportEnvironment() sets), and nothing of
// the machine's own BRLTTY is touched. BRLTTY's log, with times to the
// millisecond, is log() in the test's folder.
#pragma once
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace drum::testing {

class VirtualBraille {
 public:
  using Cells = std::vector<std::uint8_t>;  // dots 1-8 as bits 0-7
  using Clock = std::chrono::steady_clock;

  // Why the display cannot be had here ("" when it can): BRLTTY or its
  // Virtual driver (gone since BRLTTY 6.9) is missing. Tests skip with it.
  static std::string missing();

  // Starts BRLTTY with a display of `columns` cells and waits (up to 10 s)
  // until it has connected and its BrlAPI server answers; error() says
  // what failed.
  explicit VirtualBraille(int columns = 40);
  ~VirtualBraille();  // BRLTTY stopped, its folder removed
  VirtualBraille(const VirtualBraille&) = delete;
  VirtualBraille& operator=(const VirtualBraille&) = delete;

  bool ready() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  int columns() const { return columns_; }

  // Where a BrlAPI client connects: "127.0.0.1:N" and "keyfile:PATH".
  std::string apiHost() const;
  std::string apiAuth() const;
  // BRLAPI_HOST and BRLAPI_AUTH of this process (so its children inherit them).
  void exportEnvironment() const;
  const std::string& folder() const { return folder_; }
  std::string log() const { return folder_ + "/brltty.log"; }

  // The cells shown now (blank cells when nothing was written yet).
  Cells cells() const;
  // Waits until the cells satisfy `ok` (checked at once and at each write);
  // false after `timeout`.
  bool waitFor(const std::function<bool(const Cells&)>& ok, std::chrono::milliseconds timeout);
  // Waits until the display shows `expected` from its first cell on (the
  // cells beyond it blank) with BRLTTY's cursor, dots 7 and 8, added to the
  // cell at `cursor` (-1: no cursor).
  bool waitForText(const Cells& expected, int cursor = -1, std::chrono::milliseconds timeout = std::chrono::seconds(5));
  // Every write so far with the time it arrived.
  struct Frame {
    Clock::time_point at;
    Cells cells;
  };
  std::vector<Frame> frames() const;

  // The display's keys. A chord of dots (bits 0-7 = dots 1-8, not 0); the
  // space bar; a routing key over `cell` (0-based; the Virtual driver cannot
  // press the first cell's key, so `cell` >= 1); the pan keys; Backspace and
  // Enter of the Braille keyboard.
  void dots(int bits);
  void space();
  void route(int cell);
  void panLeft();
  void panRight();
  void backspace();
  void enter();
  // Any command line of the Virtual driver's protocol. Each returns once
  // BRLTTY has read it (up to 3 s).
  void send(const std::string& line);

  // Times, from BRLTTY's log, of the lines that contain `text` (ms since the
  // epoch, local wall clock of the log).
  std::vector<double> logTimes(const std::string& text) const;

  // The dots of a cell as BRLTTY's protocol writes them: "125", "" when blank.
  static std::string dotsText(std::uint8_t cell);
  static std::string cellsText(const Cells& cells);

 private:
  void readLoop();
  bool start();
  std::size_t commandsRead();  // the display's lines BRLTTY has read so far

  int columns_;
  std::string folder_;
  std::string error_;
  int port_ = 0;
  int listener_ = -1;
  int display_ = -1;
  int pid_ = -1;     // the shell that keeps BRLTTY
  int keeper_ = -1;  // its standard input: closed, BRLTTY ends
  std::thread reader_;
  mutable std::mutex lock_;
  std::condition_variable changed_;
  Cells cells_;
  std::vector<Frame> frames_;
  bool closed_ = false;
  std::size_t logRead_ = 0;
  std::size_t commands_ = 0;
};

}  // namespace drum::testing
