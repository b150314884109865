// Decimal text of doubles, the same on every C library and in every locale:
// the C locale's point, correctly rounded both ways. (std::to_chars and
// std::from_chars for doubles are missing from some standard libraries.)
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace drum {

// The shortest text that reads back as `value`, in fixed or scientific
// layout, whichever is shorter (fixed on a tie): what std::to_chars gives.
std::string shortestDecimal(double value);
// The same into a caller's buffer (no allocation: the transcript writes one
// for nearly every number); returns its length. The longest text, the fixed
// layout of the smallest subnormal, takes 326 bytes.
inline constexpr std::size_t kDecimalTextSize = 400;
std::size_t shortestDecimal(double value, char (&to)[kDecimalTextSize]) noexcept;

// |value| or value as d.ddde±xx with `decimals` digits after the point.
std::string scientificDecimal(double value, int decimals);

enum class DecimalRead { Ok, OutOfRange };
// Reads a plain decimal number (digits, a point, an exponent), all of
// `text`. A number too large or too small for a double (other than zero) is
// OutOfRange and leaves `value` alone; subnormal results are read.
DecimalRead readDecimal(std::string_view text, double& value);

}  // namespace drum
