// The statements and functions of the BASIC runtime that the translated
// program calls. All texts are Windows-1250 byte strings; all numeric
// arguments are doubles and are truncated toward zero where a whole number
// is needed.
#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drum {

// ---- Text screen and PRINT -------------------------------------------------

// The cursor of the text screen: where the next character goes.
class tscrcursor {
 public:
  std::uint8_t column() const { return column_; }
  std::uint8_t row() const { return row_; }
  void setColumn(std::uint8_t c) { column_ = c; }
  void setRow(std::uint8_t r) { row_ = r; }

 private:
  std::uint8_t column_ = 0;  // 0..80, 80 = line full
  std::uint8_t row_ = 0;     // 0..23
};

// The 24 lines of the text screen (what the main window's memo shows).
class TextScreen {
 public:
  static constexpr int kRows = 24;
  static constexpr int kColumns = 80;

  int count() const { return static_cast<int>(lines_.size()); }
  const std::string& line(int row) const { return lines_.at(row); }
  void setLine(int row, std::string text);
  void deleteFirst();            // every line moves up by one
  void append(std::string text);
  void clear();                  // no lines at all
  void fill();                   // empty lines appended until there are 24
  std::string text() const;      // the lines joined with CR LF

  // Called after every change, so a window can mirror the screen.
  void setObserver(std::function<void()> fn) { observer_ = std::move(fn); }

 private:
  void changed() { if (observer_) observer_(); }
  std::vector<std::string> lines_;
  std::function<void()> observer_;
};

extern TextScreen printmemo;
extern tscrcursor scrcursor;

extern std::uint8_t printseparator;  // 0 new line, 1 stay, 2 next tab zone
extern bool pagemode;
extern bool fixednumbers;
extern std::uint8_t fixedwidth;
extern std::uint8_t fixeddecimals;

// The user's decimal separator, read once at start (initRuntime).
extern char decimalseparator;

// Speech of printed text. The speech module installs the real one; until
// then PRINT is silent.
extern std::function<void(const std::string&)> speaktexthook;

void printstring(const std::string& text, std::uint8_t separator);
void printnumber(std::uint8_t separator, double value);
std::string numbertext(double value);
void writetext(const std::string& text);
void newline();
void screenfull();
void cls();

// Where a reader of the screen stands: at the cursor, except where a PRINT
// has ended its line and left the cursor at the start of the empty line
// below; then at the end of the line just written, since the program's
// latest words are the ones to read (`written` is set). Trailing blanks are
// no part of a line here (the screen pads its lines).
struct ScreenPlace {
  int row = 0;
  int column = 0;
  bool written = false;
};
ScreenPlace readingPlace();
// A line of the screen without the blanks that pad it.
std::string screenLine(int row);
void resetruntime();

// Once at process start: the locale's decimal separator, the screen filled
// with 24 empty lines, the cursor at (0, 0).
void initRuntime();

// ---- Functions and emulated memory -----------------------------------------

constexpr std::size_t kRamSize = 65536;
constexpr int kReviewLockAddress = 50730;
extern std::array<std::uint8_t, kRamSize> ram;
extern std::string keybuffer;
extern double lastrandom;

std::string inkey();
// An address outside 0..65535 after truncation raises Error naming it.
std::uint8_t peek(double address);
void poke(double address, double value);
double rnd(double x);
void seedRandom();  // from the clock (what RND with a negative argument does)
std::string timestring();
std::string leftstring(const std::string& text, double count);
std::string midstring(const std::string& text, double start, double count);
double val(const std::string& text);
std::uint8_t asc(const std::string& text);  // 0 for the empty text
std::string chrstring(double code);

// The memory image "ram.dat" in the current directory.
void loadram();
void saveram();
// Same, with an explicit path (tests, tools).
void loadram(const std::string& path);
void saveram(const std::string& path);
// A save replaces the image only when the memory holds what loadram read
// (a missing image counts as read): a memory that could not be loaded, or
// was never loaded, is not saved over the player's game, and the error says
// why. ramLoaded tells which.
bool ramLoaded();
// saveram on a way out of the program (Exit, closing the main window,
// Alt+F4): when it fails, the error says that the next way out leaves
// without saving, and the next call then saves nothing and succeeds.
void saveRamOnExit();
// The image the memory was loaded from, as the player should read it.
std::string ramImagePath();
// The memory as at process start: all zeros, nothing loaded.
void resetMemory();

// ---- Sound statements --------------------------------------------------------

extern std::uint8_t lastvoice;      // voice of the previous SOUND (reset by resetruntime)
extern std::int32_t lastduration;   // duration of the previous SOUND (reset by resetruntime)
extern bool soundplaying;           // a SOUND is waiting for its timer or a key

// The main window's Timer event: ends a timed SOUND.
void TimerTimer();
// What a key going down does to a waiting SOUND: clears soundplaying and
// stops the Timer, so the wait ends at once.
void endSoundWait();

void sound(const std::vector<double>& values, double duration, double voice);
void beep();
void click(double n);

// ---- Helpers for the translated program ---------------------------------------

// Truncation toward zero, the one conversion of a number to a whole number.
// NaN gives 0; numbers beyond the 64-bit range are clamped to its ends.
std::int64_t truncate(double x) noexcept;
// The low eight bits of truncate(x) in two's complement (POKE, CHR$).
std::uint8_t lowByte(double x) noexcept;
// STR$: always the general layout of numbertext.
std::string strstring(double x);

}  // namespace drum
