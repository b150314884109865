// The small functions of the runtime: INKEY$, RND, TIME$, LEFT$, MID$, VAL,
// ASC, CHR$ and the conversion of numbers to whole numbers.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>

#include "platform/decimal.h"
#include "platform/error.h"
#include "platform/host.h"
#include "runtime/keygate.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"

namespace drum {

std::string keybuffer;
double lastrandom = 0;

namespace {
std::mt19937_64 generator;

// Uniform in [0, 1): the top 53 bits of a draw, so 1 is never reached.
double draw() { return static_cast<double>(generator() >> 11) * 0x1.0p-53; }
}  // namespace

std::int64_t truncate(double x) noexcept {
  // Beyond the 64-bit range (and for NaN) a plain cast is undefined; such a
  // number is clamped, so it still reads as an address out of range.
  constexpr double kLimit = 9223372036854775808.0;  // 2^63
  if (std::isnan(x)) return 0;
  if (x >= kLimit) return std::numeric_limits<std::int64_t>::max();
  if (x <= -kLimit) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(x);
}

std::string inkey() {
  {
    // Key events stop at the first one that leaves a text in keybuffer: the
    // events behind it, its own release among them, wait for the next
    // delivery, so a chord or a short tap whose release came within the same
    // pass is still read here.
    KeyHold hold([] { return !keybuffer.empty(); });
    flushKeys();
    host().processEvents();
    // With the sounds off, CLICK 9 no longer paces the game's key wait: rather
    // than spin, wait for an event (a key ends the wait at once). 20 ms, not
    // less: each wake costs a task switch, and at 5 ms the idle loop's 200
    // wakes a second cost more CPU than the sound output's with sounds on.
    if (keybuffer.empty() && !oskirasounds) host().waitForEvents(Millis(20));
  }
  std::string key = std::move(keybuffer);
  keybuffer.clear();
  traceInkey(key);
  return key;
}

void seedRandom() {
  // The host's clock, so a run on the virtual clock repeats exactly; the
  // local time makes two real starts differ even at the same uptime.
  std::tm now = host().localTime();
  const auto micros = static_cast<std::uint64_t>(host().nowMicros());
  const auto seconds = static_cast<std::uint64_t>(std::mktime(&now));
  std::seed_seq seq{static_cast<std::uint32_t>(micros), static_cast<std::uint32_t>(micros >> 32),
                    static_cast<std::uint32_t>(seconds), static_cast<std::uint32_t>(seconds >> 32)};
  generator.seed(seq);
}

double rnd(double x) {
  // A negative argument reseeds and then draws as RND(1) does, so its result
  // is a number in [0, 1) like any other. NaN counts as 0.
  if (x < 0) seedRandom();
  if (x > 0 || x < 0) {
    const double r = draw();
    lastrandom = draw();
    return r;
  }
  return lastrandom;
}

std::string timestring() {
  const std::tm t = host().localTime();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d %02d %02d ", t.tm_hour % 100, t.tm_min % 100, t.tm_sec % 100);
  return buf;
}

std::string leftstring(const std::string& text, double count) {
  const std::int64_t n = truncate(count);
  if (n <= 0) return std::string();
  return text.substr(0, static_cast<std::uint64_t>(n) < text.size() ? static_cast<std::size_t>(n) : text.size());
}

std::string midstring(const std::string& text, double start, double count) {
  std::int64_t p = truncate(start);
  const std::int64_t n = truncate(count);
  if (text.empty() || p > static_cast<std::int64_t>(text.size()) || n < 0) return std::string();
  if (p < 1) p = 1;
  const auto from = static_cast<std::size_t>(p - 1);
  const std::size_t left = text.size() - from;
  return text.substr(from, static_cast<std::uint64_t>(n) < left ? static_cast<std::size_t>(n) : left);
}

namespace {

bool isdigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The "%" form: blanks, one sign, "$", hexadecimal digits up to 32 bits.
double hexVal(std::string text) {
  for (char& c : text)
    if (c == '%') c = '$';
  const auto refuse = [&] { return Error("'" + text + "' is not a valid integer value"); };

  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i >= text.size() || text[i] != '$') throw refuse();
  ++i;
  if (i >= text.size()) throw refuse();
  std::uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const int d = hexDigit(text[i]);
    if (d < 0 || value > 0x0FFFFFFFu) throw refuse();  // a ninth significant digit
    value = value << 4 | static_cast<std::uint32_t>(d);
  }
  if (negative) value = 0u - value;
  return static_cast<double>(static_cast<std::int32_t>(value));
}

// The decimal form with a point, or 0 when the whole text is not one.
double decimalVal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const std::size_t number = i;

  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    if (isdigit(text[i])) ++digits;
    else if (text[i] == '.' && !point) point = true;
    else break;
  }
  if (digits == 0) return 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t exponentdigits = 0;
    while (i < text.size() && isdigit(text[i])) ++i, ++exponentdigits;
    if (exponentdigits == 0) return 0;
  }
  if (i != text.size()) return 0;

  double value = 0;
  const char* first = text.data() + number;
  const char* last = text.data() + text.size();
  if (readDecimal(std::string_view(first, static_cast<std::size_t>(last - first)), value) == DecimalRead::OutOfRange) {
    // Too large is infinite, too small is zero: decide by where the first
    // significant digit sits, shifted by the exponent.
    long long magnitude = 0, seen = 0;
    bool afterpoint = false, significant = false;
    const char* p = first;
    for (; p < last && *p != 'E' && *p != 'e'; ++p) {
      if (*p == '.') { afterpoint = true; continue; }
      if (!significant && *p != '0') significant = true;
      if (!significant && afterpoint) --magnitude;
      if (significant && !afterpoint) ++seen;
    }
    magnitude += seen;
    long long exponent = 0;
    if (p < last) {
      ++p;
      const bool minus = *p == '-';
      if (*p == '+' || *p == '-') ++p;
      for (; p < last; ++p) exponent = std::min(exponent * 10 + (*p - '0'), 1000000000LL);
      if (minus) exponent = -exponent;
    }
    value = magnitude + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

double val(const std::string& text) {
  if (text.find('%') != std::string::npos) return hexVal(text);
  return decimalVal(text);
}

std::uint8_t asc(const std::string& text) {
  // The empty text has no first character; it gives 0, the code that no
  // text the program compares with ever has.
  return text.empty() ? 0 : static_cast<unsigned char>(text[0]);
}

std::string chrstring(double code) { return std::string(1, static_cast<char>(lowByte(code))); }

std::uint8_t lowByte(double x) noexcept {
  // The low eight bits of the truncated two's-complement integer, exact for
  // every finite double (fmod is exact); NaN and infinities give 0.
  if (!std::isfinite(x)) return 0;
  double m = std::fmod(std::trunc(x), 256.0);
  if (m < 0) m += 256.0;
  return static_cast<std::uint8_t>(m);
}

}  // namespace drum
