#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtimefixture.h"

namespace drum {
namespace {

using NumberTextTest = RuntimeTest;

TEST_F(NumberTextTest, GeneralLayoutRoundsToFifteenSignificantDigits) {
  EXPECT_EQ(numbertext(0.5), "0,5");
  EXPECT_EQ(numbertext(100), "100");
  EXPECT_EQ(numbertext(1.0 / 3), "0,333333333333333");
  EXPECT_EQ(numbertext(2.0 / 3), "0,666666666666667");
  EXPECT_EQ(numbertext(0.1 + 0.2), "0,3");
  EXPECT_EQ(numbertext(0.99999999999999999), "1");
  EXPECT_EQ(numbertext(123456.7890123456), "123456,789012346");
  EXPECT_EQ(numbertext(-2.5), "-2,5");
  EXPECT_EQ(numbertext(1234567.125), "1234567,125");
}

TEST_F(NumberTextTest, ZeroHasNoSignAndNoSeparator) {
  EXPECT_EQ(numbertext(0), "0");
  EXPECT_EQ(numbertext(-0.0), "0");
}

TEST_F(NumberTextTest, FixedNotationUpToFifteenWholeDigitsAndDownToOneTenThousandth) {
  EXPECT_EQ(numbertext(999999999999999.0), "999999999999999");
  EXPECT_EQ(numbertext(1e15), "1E15");
  EXPECT_EQ(numbertext(999999999999999.9), "1E15");  // rounds to 16 whole digits
  EXPECT_EQ(numbertext(0.0001), "0,0001");
  EXPECT_EQ(numbertext(0.00012345), "0,00012345");
  EXPECT_EQ(numbertext(0.00005), "5E-5");
  EXPECT_EQ(numbertext(-0.00005), "-5E-5");
}

TEST_F(NumberTextTest, ExponentFormHasNoPlusSignAndNoLeadingZeros) {
  EXPECT_EQ(numbertext(1e20), "1E20");
  EXPECT_EQ(numbertext(0.00000015), "1,5E-7");
  EXPECT_EQ(numbertext(123456789012345678.0), "1,23456789012346E17");
  EXPECT_EQ(numbertext(-1e-300), "-1E-300");
  EXPECT_EQ(numbertext(1.7976931348623157e308), "1,79769313486232E308");
  EXPECT_EQ(numbertext(5e-324), "4,94065645841247E-324");
}

TEST_F(NumberTextTest, TheSeparatorIsTheUsersOne) {
  decimalseparator = '.';
  EXPECT_EQ(numbertext(0.5), "0.5");
  EXPECT_EQ(numbertext(1.5e-7), "1.5E-7");
  EXPECT_EQ(numbertext(37), "37");
}

TEST_F(NumberTextTest, NonFiniteNumbersHaveTexts) {
  EXPECT_EQ(numbertext(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(numbertext(-std::numeric_limits<double>::infinity()), "-INF");
  EXPECT_EQ(numbertext(std::nan("")), "NAN");
}

TEST_F(NumberTextTest, StrAlwaysUsesTheGeneralLayout) {
  fixednumbers = true;
  fixedwidth = 6;
  fixeddecimals = 2;
  EXPECT_EQ(strstring(37), "37");
  EXPECT_EQ(strstring(0), "0");
  EXPECT_EQ(strstring(500), "500");
  EXPECT_EQ(numbertext(37), "    37,00");
}

TEST_F(NumberTextTest, FixedLayoutPadsTheWholePartAndCutsOrFillsTheDecimals) {
  fixednumbers = true;
  fixedwidth = 5;
  fixeddecimals = 2;
  EXPECT_EQ(numbertext(3.14159), "    3,14");  // cut, not rounded
  EXPECT_EQ(numbertext(2.999), "    2,99");
  EXPECT_EQ(numbertext(2.5), "    2,50");
  EXPECT_EQ(numbertext(-123456.5), "-123456,50");
  fixeddecimals = 0;
  EXPECT_EQ(numbertext(3.14159), "    3");
  fixeddecimals = 255;
  EXPECT_EQ(numbertext(3.14159), "    3,14159");
}

TEST_F(NumberTextTest, FixedLayoutOfTextsWithoutAComma) {
  fixednumbers = true;
  fixedwidth = 5;
  fixeddecimals = 2;
  EXPECT_EQ(numbertext(100), "  100,00");  // a whole number gains its decimals
  fixeddecimals = 255;
  EXPECT_EQ(numbertext(100), "  100");
  fixeddecimals = 2;
  fixedwidth = 6;
  EXPECT_EQ(numbertext(1e20), "  1E20");  // an exponent text is only padded
  decimalseparator = '.';
  fixedwidth = 0;
  EXPECT_EQ(numbertext(0.5), "0.50");  // split at the user's point
  EXPECT_EQ(numbertext(7), "7.00");
}

}  // namespace
}  // namespace drum
