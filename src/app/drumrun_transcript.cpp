#include "app/drumrun_transcript.h"

#include <algorithm>

#include "platform/cp1250.h"
#include "platform/decimal.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"

namespace drum {

namespace {

bool hasNoCharacter(unsigned char c) {
  return c < 32 || c == 127 || c == 0x81 || c == 0x83 || c == 0x88 || c == 0x90 || c == 0x98;
}

}  // namespace

std::string Transcript::quote(const std::string& text) {
  // Most texts have nothing to escape: converted whole, not byte by byte.
  if (std::none_of(text.begin(), text.end(), [](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c == '\\' || c == '"' || hasNoCharacter(c);
      })) {
    std::string out = cp1250ToUtf8(text);
    out.insert(out.begin(), '"');
    out += '"';
    return out;
  }
  std::string out = "\"";
  std::string run;  // printable Windows-1250 bytes waiting for conversion
  const auto flushrun = [&] {
    out += cp1250ToUtf8(run);
    run.clear();
  };
  for (const char ch : text) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\\' || c == '"') {
      flushrun();
      out += '\\';
      out += ch;
    } else if (hasNoCharacter(c)) {
      flushrun();
      static const char hex[] = "0123456789ABCDEF";
      out += "\\x";
      out += hex[c >> 4];
      out += hex[c & 15];
    } else {
      run += ch;
    }
  }
  flushrun();
  out += '"';
  return out;
}

std::string Transcript::number(double value) {
  return shortestDecimal(value);
}

void Transcript::line(const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), out_);
  std::fputc('\n', out_);
}

void Transcript::observe() {
  tracehooks.printstring = [this](const std::string& text, std::uint8_t sep) { print(text, sep); };
  tracehooks.printnumber = [this](std::uint8_t sep, double value) { printnumber(sep, value); };
  tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
    sound(values, duration, voice);
  };
  tracehooks.click = [this](double n) { click(n); };
  tracehooks.beep = [this] { beep(); };
  tracehooks.pause = [this](int ms) { pause(ms); };
}

void Transcript::print(const std::string& text, int separator) {
  line("PRINT " + std::to_string(separator) + " " + quote(text));
}

void Transcript::printnumber(int separator, double value) {
  line("PRINTN " + std::to_string(separator) + " " + quote(numbertext(value)));
}

void Transcript::say(const std::string& text) { line("SAY " + quote(text)); }

// Most of a game's lines: written piece by piece from one buffer, with no
// string to build (and, in the WebAssembly build, to unwind).
void Transcript::sound(const std::vector<double>& values, double duration, double voice) {
  char text[kDecimalTextSize];
  std::fputs("SOUND ", out_);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (i > 0) std::fputc(',', out_);
    std::fwrite(text, 1, shortestDecimal(values[i], text), out_);
  }
  std::fputc(' ', out_);
  std::fwrite(text, 1, shortestDecimal(duration, text), out_);
  std::fputc(' ', out_);
  std::fwrite(text, 1, shortestDecimal(voice, text), out_);
  std::fputc('\n', out_);
}

void Transcript::click(double n) { line("CLICK " + number(n)); }
void Transcript::beep() { line("BEEP"); }
void Transcript::pause(int milliseconds) { line("PAUSE " + std::to_string(milliseconds)); }
void Transcript::key(const std::string& scriptline) { line("KEY " + scriptline); }
void Transcript::end() { line("END"); }
void Transcript::exit() { line("EXIT"); }
void Transcript::messagebox(const std::string& text) { line("MSGBOX " + quote(text)); }
void Transcript::error(const std::string& text) { line("ERROR " + quote(text)); }

void Transcript::screen() {
  for (int row = 0; row < printmemo.count(); ++row)
    line("SCREEN " + std::to_string(row) + " " + quote(printmemo.line(row)));
}

}  // namespace drum
