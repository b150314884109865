#include "platform/decimal.h"

#include <locale.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace drum {
namespace {

// The C locale for this thread while it lives: the program's own locale
// (the user's, for the decimal separator it shows) never reaches these texts.
class CNumeric {
 public:
  CNumeric() : previous_(uselocale(locale())) {}
  ~CNumeric() { uselocale(previous_); }

 private:
  static locale_t locale() {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return c;
  }
  locale_t previous_;
};

std::string print(const char* format, int precision, double value) {
  char buf[kDecimalTextSize];
  const int n = std::snprintf(buf, sizeof buf, format, precision, value);
  return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::size_t printInto(char (&to)[kDecimalTextSize], const char* format, int precision, double value) noexcept {
  const int n = std::snprintf(to, kDecimalTextSize, format, precision, value);
  return n > 0 ? std::min(static_cast<std::size_t>(n), kDecimalTextSize - 1) : 0;
}

std::size_t put(char (&to)[kDecimalTextSize], const char* text) noexcept {
  const std::size_t n = std::strlen(text);
  std::copy(text, text + n, to);
  return n;
}

}  // namespace

std::size_t shortestDecimal(double value, char (&to)[kDecimalTextSize]) noexcept {
  if (std::isnan(value)) return put(to, std::signbit(value) ? "-nan" : "nan");
  if (std::isinf(value)) return put(to, value < 0 ? "-inf" : "inf");
  // Whole numbers (the game's are nearly all whole) need no search: their
  // digits are exact, and only the layout is to be chosen.
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    char digits[16];
    const auto whole = static_cast<unsigned long long>(std::fabs(value));
    const auto count = static_cast<std::size_t>(std::to_chars(digits, digits + sizeof digits, whole).ptr - digits);
    std::size_t significant = count;
    while (significant > 1 && digits[significant - 1] == '0') --significant;
    // d[.ddd]e+XX: below 1e15 the exponent has two digits.
    const std::size_t scilength = (significant > 1 ? significant + 1 : 1) + 4;
    char* end = to;
    if (std::signbit(value)) *end++ = '-';
    if (count <= scilength) {
      end = std::copy(digits, digits + count, end);
    } else {
      *end++ = digits[0];
      if (significant > 1) {
        *end++ = '.';
        end = std::copy(digits + 1, digits + significant, end);
      }
      const int exponent = static_cast<int>(count) - 1;
      *end++ = 'e';
      *end++ = '+';
      *end++ = static_cast<char>('0' + exponent / 10);
      *end++ = static_cast<char>('0' + exponent % 10);
    }
    return static_cast<std::size_t>(end - to);
  }
  CNumeric c;
  // The fewest significant digits that read back as the value.
  char sci[kDecimalTextSize];
  std::size_t scilength = 0;
  for (int decimals = 0; decimals <= 16; ++decimals) {
    scilength = printInto(sci, "%.*e", decimals, value);
    if (std::strtod(sci, nullptr) == value) break;
  }
  const char* e = std::find(sci, sci + scilength, 'e');
  const int exponent = std::atoi(e + 1);
  const int digits = static_cast<int>(std::count_if(static_cast<const char*>(sci), e, [](char d) { return d >= '0' && d <= '9'; }));
  const std::size_t fixedlength = printInto(to, "%.*f", digits - 1 - exponent > 0 ? digits - 1 - exponent : 0, value);
  if (fixedlength <= scilength) return fixedlength;
  std::copy(sci, sci + scilength, to);
  return scilength;
}

std::string shortestDecimal(double value) {
  char text[kDecimalTextSize];
  return std::string(text, shortestDecimal(value, text));
}

std::string scientificDecimal(double value, int decimals) {
  CNumeric c;
  return print("%.*e", decimals, value);
}

DecimalRead readDecimal(std::string_view text, double& value) {
  const std::string copy(text);
  CNumeric c;
  errno = 0;
  const double v = std::strtod(copy.c_str(), nullptr);
  if (errno == ERANGE && (v == 0 || std::isinf(v))) return DecimalRead::OutOfRange;
  value = v;
  return DecimalRead::Ok;
}

}  // namespace drum
