// The printed text of a number: the general layout (also STR$) and the fixed
// layout. Formatting goes through platform/decimal.h, so the C library's
// locale never slips a separator in; the user's separator is `decimalseparator`.
#include <cmath>
#include <cstdlib>

#include "platform/decimal.h"
#include "runtime/oskcommands.h"

namespace drum {
namespace {

constexpr int kSignificant = 15;

// The digits of |value| rounded to 15 significant digits, trailing zeros
// dropped, and the decimal exponent of the first digit.
void significantDigits(double value, std::string& digits, int& exponent) {
  const std::string text = scientificDecimal(std::fabs(value), kSignificant - 1);  // d.dddddddddddddde±xx
  const auto e = text.find('e');
  digits.clear();
  for (char c : text.substr(0, e))
    if (c != '.') digits += c;
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  exponent = std::atoi(text.c_str() + e + 1);
}

std::string fixedLayout(const std::string& general) {
  // The comma is sought literally; a text without one is split at the
  // user's separator instead (a point on English systems), and a whole
  // number is taken as an integer part with an empty decimal part, so it
  // gains zeros just as a fraction does: 100 with 2 decimals is "100,00".
  // Only an exponent text without a separator ("1E20", "INF") is left to
  // padding: zeros after its exponent would change its value.
  char separator = ',';
  std::size_t at = general.find(',');
  if (at == std::string::npos) {
    separator = decimalseparator;
    at = general.find(decimalseparator);
  }
  std::string whole = at == std::string::npos ? general : general.substr(0, at);
  std::string decimals = at == std::string::npos ? std::string() : general.substr(at + 1);

  if (whole.size() < fixedwidth) whole.insert(0, fixedwidth - whole.size(), ' ');
  if (at == std::string::npos && general.find_first_not_of("-0123456789") != std::string::npos) return whole;

  if (decimals.size() >= fixeddecimals) decimals.resize(fixeddecimals);
  else if (fixeddecimals != 255) decimals.append(fixeddecimals - decimals.size(), '0');

  std::string result = whole + separator + decimals;
  if (result.back() == separator) result.pop_back();
  return result;
}

}  // namespace

std::string strstring(double x) {
  if (std::isnan(x)) return "NAN";
  if (std::isinf(x)) return x > 0 ? "INF" : "-INF";
  if (x == 0) return "0";  // -0 too

  std::string digits;
  int exponent = 0;
  significantDigits(x, digits, exponent);

  std::string text = std::signbit(x) ? "-" : "";
  if (exponent >= -4 && exponent < kSignificant) {
    if (exponent < 0) {
      text += '0';
      text += decimalseparator;
      text.append(-exponent - 1, '0');
      text += digits;
    } else {
      const std::size_t whole = exponent + 1;
      if (digits.size() <= whole) {
        text += digits;
        text.append(whole - digits.size(), '0');
      } else {
        text += digits.substr(0, whole);
        text += decimalseparator;
        text += digits.substr(whole);
      }
    }
  } else {
    text += digits[0];
    if (digits.size() > 1) {
      text += decimalseparator;
      text += digits.substr(1);
    }
    text += 'E';
    text += std::to_string(exponent);
  }
  return text;
}

std::string numbertext(double value) {
  std::string general = strstring(value);
  return fixednumbers ? fixedLayout(general) : general;
}

}  // namespace drum
