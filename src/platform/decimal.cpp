#include "platform/decimal.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
  char buf[400];  // %.0f of the largest double has 309 digits
  const int n = std::snprintf(buf, sizeof buf, format, precision, value);
  return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

}  // namespace

std::string shortestDecimal(double value) {
  if (std::isnan(value)) return std::signbit(value) ? "-nan" : "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  // Whole numbers (the game's are nearly all whole) need no search: their
  // digits are exact, and only the layout is to be chosen.
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
    const long long whole = static_cast<long long>(value);
    std::string digits = std::to_string(whole < 0 ? -whole : whole);
    const std::string sign = std::signbit(value) ? "-" : "";
    std::size_t significant = digits.size();
    while (significant > 1 && digits[significant - 1] == '0') --significant;
    const int exponent = static_cast<int>(digits.size()) - 1;
    std::string sci = digits.substr(0, 1);
    if (significant > 1) sci += "." + digits.substr(1, significant - 1);
    sci += exponent < 10 ? "e+0" : "e+";
    sci += std::to_string(exponent);
    return sign + (digits.size() <= sci.size() ? digits : sci);
  }
  CNumeric c;
  // The fewest significant digits that read back as the value.
  std::string sci;
  for (int decimals = 0; decimals <= 16; ++decimals) {
    sci = print("%.*e", decimals, value);
    if (std::strtod(sci.c_str(), nullptr) == value) break;
  }
  const auto e = sci.find('e');
  const int exponent = std::atoi(sci.c_str() + e + 1);
  int digits = 0;
  for (std::size_t i = 0; i < e; ++i) digits += sci[i] >= '0' && sci[i] <= '9';
  const std::string fixed = print("%.*f", digits - 1 - exponent > 0 ? digits - 1 - exponent : 0, value);
  return fixed.size() <= sci.size() ? fixed : sci;
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
