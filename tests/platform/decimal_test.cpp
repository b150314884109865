// The decimal texts of doubles against the standard library's own (which
// the browser's standard library lacks), on edge values and a million
// random ones, and in a locale whose separator is a comma.
#include "platform/decimal.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <random>

namespace drum {
namespace {

std::string shortest(double v) {
  char b[64];
  return std::string(b, std::to_chars(b, b + sizeof b, v).ptr);
}

std::string scientific14(double v) {
  char b[64];
  return std::string(b, std::to_chars(b, b + sizeof b, v, std::chars_format::scientific, 14).ptr);
}

TEST(Decimal, WritesWhatToCharsWritesInAnyLocale) {
  const char* before = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = before ? before : "C";
  std::setlocale(LC_NUMERIC, "cs_CZ.UTF-8");  // a comma where the machine has the locale
  std::mt19937_64 rng(7);
  std::vector<double> values = {0.0, -0.0, 1, 10, 100, 1e15, 1e16, 1e20, 1e21, 123456, 1e-4, 1e-5, 0.1, 1.0 / 3,
                                5e-324, 1.7976931348623157e308, -999999999999999.0, 120000, 2.5e-7, 12345678901234567890.0};
  for (int i = 0; i < 250000; ++i) {
    double d;
    const std::uint64_t bits = rng();
    std::memcpy(&d, &bits, sizeof d);
    if (std::isfinite(d)) values.push_back(d);
    values.push_back(static_cast<double>(static_cast<std::int64_t>(rng() % 2000000000000000ll)));
    values.push_back(static_cast<double>(rng() % 100000) / static_cast<double>(1 + rng() % 1000));
  }
  for (const double v : values) {
    ASSERT_EQ(shortestDecimal(v), shortest(v)) << "shortest of " << v;
    ASSERT_EQ(scientificDecimal(std::fabs(v), 14), scientific14(std::fabs(v))) << "scientific of " << v;
  }
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(Decimal, ReadsNumbersAndTellsWhatADoubleCannotHold) {
  double v = -1;
  EXPECT_EQ(readDecimal("12.5", v), DecimalRead::Ok);
  EXPECT_EQ(v, 12.5);
  EXPECT_EQ(readDecimal("1e-310", v), DecimalRead::Ok);  // subnormal: read
  EXPECT_EQ(v, 1e-310);
  EXPECT_EQ(readDecimal("0.000", v), DecimalRead::Ok);
  EXPECT_EQ(v, 0.0);
  v = 7;
  EXPECT_EQ(readDecimal("1e400", v), DecimalRead::OutOfRange);
  EXPECT_EQ(readDecimal("1e-400", v), DecimalRead::OutOfRange);
  EXPECT_EQ(v, 7);
}

}  // namespace
}  // namespace drum
