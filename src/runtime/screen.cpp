// The 24 × 80 text screen, the PRINT statement and the screen-full pause.
#include <langinfo.h>

#include <clocale>
#include <cstring>

#include "platform/host.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum {

TextScreen printmemo;
tscrcursor scrcursor;

std::uint8_t printseparator = 0;
bool pagemode = false;
bool fixednumbers = false;
std::uint8_t fixedwidth = 0;
std::uint8_t fixeddecimals = 0;
char decimalseparator = '.';
std::function<void(const std::string&)> speaktexthook;

// Kept here because resetruntime owns their reset; the sound statements use them.
std::uint8_t lastvoice = 1;
std::int32_t lastduration = 1;

// ---- TextScreen ----------------------------------------------------------------

void TextScreen::setLine(int row, std::string text) {
  lines_.at(row) = std::move(text);
  changed();
}

void TextScreen::deleteFirst() {
  if (lines_.empty()) return;
  lines_.erase(lines_.begin());
  changed();
}

void TextScreen::append(std::string text) {
  lines_.push_back(std::move(text));
  changed();
}

void TextScreen::clear() {
  lines_.clear();
  changed();
}

void TextScreen::fill() {
  if (count() >= kRows) return;
  lines_.resize(kRows);
  changed();
}

std::string TextScreen::text() const {
  std::string all;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) all += "\r\n";
    all += lines_[i];
  }
  return all;
}

// ---- PRINT ---------------------------------------------------------------------

namespace {

constexpr int kTabLimit = 73;  // separator 2 from this column on starts a new line
constexpr auto kPunctuationPause = Millis(300);

void speak(const std::string& text) {
  if (speaktexthook) speaktexthook(text);
}

// The screen always has 24 lines and the cursor stays on it; a window or a
// test that touched them directly must not make a PRINT read past the end.
void keepScreen() {
  printmemo.fill();
  if (scrcursor.row() >= TextScreen::kRows) scrcursor.setRow(TextScreen::kRows - 1);
  if (scrcursor.column() > TextScreen::kColumns) scrcursor.setColumn(TextScreen::kColumns);
}

// Puts `part` into line `row` from column `column` on, the line padded to 80.
void putpart(int row, int column, const std::string& part) {
  std::string line = printmemo.line(row);
  if (line.size() < TextScreen::kColumns) line.resize(TextScreen::kColumns, ' ');
  line.replace(column, part.size(), part);
  printmemo.setLine(row, std::move(line));
}

bool isPunctuation(char c) { return c == '.' || c == ',' || c == ';' || c == '?'; }

}  // namespace

void newline() {
  int row = scrcursor.row() + 1;
  scrcursor.setColumn(0);
  if (row >= TextScreen::kRows) {
    if (pagemode) {
      screenfull();
      return;
    }
    row = TextScreen::kRows - 1;
    printmemo.deleteFirst();
    printmemo.append(std::string());
  }
  scrcursor.setRow(static_cast<std::uint8_t>(row));
}

void writetext(const std::string& text) {
  keepScreen();
  std::string_view s = text;
  while (s.size() + scrcursor.column() > TextScreen::kColumns) {
    const std::size_t room = TextScreen::kColumns - scrcursor.column();
    putpart(scrcursor.row(), scrcursor.column(), std::string(s.substr(0, room)));
    s.remove_prefix(room);
    newline();
  }
  putpart(scrcursor.row(), scrcursor.column(), std::string(s));
  int column = scrcursor.column() + static_cast<int>(s.size());
  scrcursor.setColumn(static_cast<std::uint8_t>(column));

  switch (printseparator) {
    case 0:
      newline();
      break;
    case 2:
      if (column >= kTabLimit) {
        newline();
      } else {
        // Remainder 1 moves one column only (to remainder 2), not to the
        // next zone; remainders 2..7 go on to the next multiple of 8.
        const int m = column % 8;
        if (m == 1) column += 1;
        else if (m > 1) column += 8 - m;
        scrcursor.setColumn(static_cast<std::uint8_t>(column));
      }
      break;
    default:
      break;
  }
}

void printstring(const std::string& text, std::uint8_t separator) {
  tracePrintString(text, separator);
  printseparator = separator;
  writetext(text);
  if (pagemode || text.empty()) return;

  std::size_t start = 0;
  while (start < text.size() && static_cast<unsigned char>(text[start]) <= 32) ++start;
  if (start == text.size() || !isPunctuation(text[start])) {
    speak(text);
    return;
  }
  // Leading marks are pauses, not words: a speech engine would read them out.
  while (start < text.size() && isPunctuation(text[start])) {
    host().sleep(kPunctuationPause);
    ++start;
  }
  speak(text.substr(start));
}

void printnumber(std::uint8_t separator, double value) {
  tracePrintNumber(separator, value);
  const std::string text = numbertext(value);
  printseparator = separator;
  writetext(text);
  if (!pagemode && !text.empty()) speak(text);
}

void screenfull() {
  pagemode = false;
  speak(LocalString(41));
  for (;;) {
    host().processEvents();
    if (!inkey().empty()) break;
    host().waitForEvents(Millis(10));
  }
  pagemode = true;
  cls();
  // CLS leaves the screen alone when voice is not allowed; the write still
  // goes on at the top, never below the last line.
  scrcursor.setColumn(0);
  scrcursor.setRow(0);
}

void cls() {
  if (!voiceallowed) return;
  printmemo.clear();
  printmemo.fill();
  scrcursor.setColumn(0);
  scrcursor.setRow(0);
}

std::string screenLine(int row) {
  std::string line = row >= 0 && row < printmemo.count() ? printmemo.line(row) : std::string();
  const auto end = line.find_last_not_of(' ');
  line.resize(end == std::string::npos ? 0 : end + 1);
  return line;
}

ScreenPlace readingPlace() {
  const int row = scrcursor.row();
  const int column = scrcursor.column();
  if (column == 0 && row > 0 && screenLine(row).empty())
    return {row - 1, static_cast<int>(screenLine(row - 1).size()), true};
  return {row, column, false};
}

void resetruntime() {
  lastvoice = 1;
  lastduration = 1;
  scrcursor.setColumn(0);
}

void initRuntime() {
  std::setlocale(LC_ALL, "");
  const char* radix = nl_langinfo(RADIXCHAR);
  // A separator of more than one byte (some locales use U+066B) has no
  // Windows-1250 form; the point stands in for it.
  decimalseparator = (radix && std::strlen(radix) == 1) ? radix[0] : '.';
  // Numbers are formatted and parsed by the runtime itself; the rest of the
  // process keeps the C reading of numbers (settings file, transcripts).
  std::setlocale(LC_NUMERIC, "C");

  printmemo.clear();
  printmemo.fill();
  scrcursor = tscrcursor();
  lastvoice = 1;
  lastduration = 1;
  fixednumbers = false;
  pagemode = false;
}

}  // namespace drum
