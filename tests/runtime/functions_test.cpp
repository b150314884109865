#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/error.h"
#include "runtimefixture.h"

namespace drum {
namespace {

using FunctionsTest = RuntimeTest;

std::string valError(const std::string& text) {
  try {
    val(text);
  } catch (const Error& e) {
    return e.what();
  }
  return "no error";
}

TEST(Truncate, CutsTowardZeroAndClampsWhatHasNoWholeNumber) {
  EXPECT_EQ(truncate(2.9), 2);
  EXPECT_EQ(truncate(-2.9), -2);
  EXPECT_EQ(truncate(-0.5), 0);
  EXPECT_EQ(truncate(std::nan("")), 0);
  EXPECT_EQ(truncate(1e300), std::numeric_limits<std::int64_t>::max());
  EXPECT_EQ(truncate(-1e300), std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(truncate(-std::numeric_limits<double>::infinity()), std::numeric_limits<std::int64_t>::min());
}

TEST(Val, HexadecimalFormWithPercent) {
  EXPECT_EQ(val("%FF"), 255);
  EXPECT_EQ(val("%ff"), 255);
  EXPECT_EQ(val("-%10"), -16);
  EXPECT_EQ(val("+%a"), 10);
  EXPECT_EQ(val("   %7FFFFFFF"), 2147483647);
  EXPECT_EQ(val("%FFFFFFFF"), -1);  // 8 digits with the top bit set
  EXPECT_EQ(val("%80000000"), -2147483648.0);
  EXPECT_EQ(val("-%80000000"), -2147483648.0);  // two's complement wraps
  EXPECT_EQ(val("%00000000001"), 1);            // leading zeros need no room
}

TEST(Val, HexadecimalFormRefusesWithTheReplacedText) {
  EXPECT_EQ(valError("%"), "'$' is not a valid integer value");
  EXPECT_EQ(valError("1%"), "'1$' is not a valid integer value");
  EXPECT_EQ(valError("%%1"), "'$$1' is not a valid integer value");
  EXPECT_EQ(valError("%1 "), "'$1 ' is not a valid integer value");
  EXPECT_EQ(valError("% 1"), "'$ 1' is not a valid integer value");
  EXPECT_EQ(valError("%-1"), "'$-1' is not a valid integer value");
  EXPECT_EQ(valError("--%1"), "'--$1' is not a valid integer value");
  EXPECT_EQ(valError("%G"), "'$G' is not a valid integer value");
  EXPECT_EQ(valError("%100000000"), "'$100000000' is not a valid integer value");
  EXPECT_EQ(valError("\xE1%"), "'\xE1$' is not a valid integer value");
  EXPECT_THROW(val(std::string("%1\0", 3)), Error);
}

TEST(Val, DecimalFormWithAPoint) {
  EXPECT_EQ(val(" 3.5"), 3.5);
  EXPECT_EQ(val("37"), 37);
  EXPECT_EQ(val("07"), 7);  // a leading zero is a digit (VAL(LEFT$(TIME$, 2)))
  EXPECT_EQ(val("-.5"), -0.5);
  EXPECT_EQ(val("+7"), 7);
  EXPECT_EQ(val("5."), 5);
  EXPECT_EQ(val("1e3"), 1000);
  EXPECT_EQ(val("1.5E-2"), 0.015);
  EXPECT_EQ(val("2E+2"), 200);
  EXPECT_EQ(val(".5e1"), 5);
  EXPECT_EQ(val("0.1"), 0.1);  // correctly rounded
}

TEST(Val, AnythingElseIsZero) {
  for (const char* text : {"", " ", "3,5", "12abc", "12 ", "\t7", ".", "-", "+", "1e", "1e+", "e5", "1.2.3", "--7",
                           "1 2", "0x10", "$10", "inf", "nan", "1e5.5"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(val(text), 0);
  }
  EXPECT_EQ(val(std::string("7\0", 2)), 0);
}

TEST(Val, NumbersBeyondTheRangeOfADouble) {
  EXPECT_EQ(val("1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(val("-1e400"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(val("1e-400"), 0);
  EXPECT_EQ(val("0.0000000001e-320"), 0);
  EXPECT_EQ(val("0e99999999999999999999"), 0);
  EXPECT_EQ(val(std::string(400, '9')), std::numeric_limits<double>::infinity());
}

TEST(Strings, LeftTakesAtMostTheWholeText) {
  EXPECT_EQ(leftstring("hello", 2), "he");
  EXPECT_EQ(leftstring("hello", 2.9), "he");
  EXPECT_EQ(leftstring("hello", 0), "");
  EXPECT_EQ(leftstring("hello", -3), "");
  EXPECT_EQ(leftstring("hello", 5), "hello");
  EXPECT_EQ(leftstring("hello", 99), "hello");
  EXPECT_EQ(leftstring("hello", 1e300), "hello");
  EXPECT_EQ(leftstring("", 3), "");
}

TEST(Strings, MidCountsFromOneAndClampsItsBounds) {
  EXPECT_EQ(midstring("abcdef", 0, 3), "abc");  // start below 1: n is not reduced
  EXPECT_EQ(midstring("abcdef", -5, 2), "ab");
  EXPECT_EQ(midstring("abcdef", 2, 3), "bcd");
  EXPECT_EQ(midstring("abcdef", 2.9, 1.9), "b");
  EXPECT_EQ(midstring("abcdef", 6, 1), "f");
  EXPECT_EQ(midstring("abcdef", 7, 1), "");
  EXPECT_EQ(midstring("abcdef", 4, 99), "def");
  EXPECT_EQ(midstring("abcdef", 4, 1e300), "def");
  EXPECT_EQ(midstring("abcdef", 1, 0), "");
  EXPECT_EQ(midstring("abcdef", 1, -1), "");
  EXPECT_EQ(midstring("", 0, 3), "");
  EXPECT_EQ(midstring("abcdef", 1e300, 1), "");
  EXPECT_EQ(midstring("abcdef", -1e300, 1), "a");
}

TEST(Strings, AscAndChr) {
  EXPECT_EQ(asc("A"), 65);
  EXPECT_EQ(asc("\xE1x"), 0xE1);  // codes above 127 stay positive
  EXPECT_EQ(asc(""), 0);
  EXPECT_EQ(chrstring(65.9), "A");
  EXPECT_EQ(chrstring(321), "A");
  EXPECT_EQ(chrstring(-1), "\xFF");
  EXPECT_EQ(chrstring(0), std::string(1, '\0'));
  EXPECT_EQ(chrstring(std::nan("")), std::string(1, '\0'));
  EXPECT_EQ(chrstring(4294967297.0 + 64), "A");  // 2^32 + 65
  EXPECT_EQ(chrstring(1e20), std::string(1, '\0'));  // 2^20 * 5^20: a multiple of 256
}

TEST_F(FunctionsTest, InkeyTakesThePendingKeyOnceAndNeverWaits) {
  clock.schedule(0, [] { keybuffer.assign(1, 'a'); });
  EXPECT_EQ(inkey(), "a");
  EXPECT_EQ(inkey(), "");
  EXPECT_EQ(clock.nowMicros(), 0);
}

TEST_F(FunctionsTest, InkeyGetsOnlyTheLatestOfTwoKeys) {
  clock.schedule(0, [] { keybuffer.assign(1, 'a'); });
  clock.schedule(0, [] { keybuffer.assign(1, 'b'); });
  EXPECT_EQ(inkey(), "b");
  EXPECT_EQ(inkey(), "");
}

TEST_F(FunctionsTest, TimeHasHoursMinutesAndSecondsWithTrailingBlank) {
  std::tm evening{};
  evening.tm_year = 126;
  evening.tm_mday = 1;
  evening.tm_hour = 21;
  evening.tm_min = 5;
  evening.tm_sec = 7;
  evening.tm_isdst = -1;
  VirtualHost h(evening);
  setHost(&h);
  EXPECT_EQ(timestring(), "21 05 07 ");
  h.sleep(Millis(3 * 3600 * 1000));
  EXPECT_EQ(timestring(), "00 05 07 ");
  EXPECT_EQ(val(leftstring(timestring(), 2)), 0);
  h.sleep(Millis(9 * 3600 * 1000));
  EXPECT_EQ(val(leftstring(timestring(), 2)), 9);
  setHost(&clock);
}

TEST_F(FunctionsTest, RndDrawsTwiceAndKeepsTheSecondForRndZero) {
  lastrandom = 0;
  EXPECT_EQ(rnd(0), 0);
  seedRandom();
  const double a = rnd(1);
  const double kept = rnd(0);
  const double b = rnd(5);
  seedRandom();  // the same virtual instant: the same sequence
  EXPECT_EQ(rnd(1), a);
  EXPECT_EQ(rnd(0), kept);
  EXPECT_EQ(rnd(1), b);
  for (double x : {a, kept, b}) {
    EXPECT_GE(x, 0);
    EXPECT_LT(x, 1);
  }
  EXPECT_NE(kept, a);
  EXPECT_NE(kept, b);
}

TEST_F(FunctionsTest, RndNegativeReseedsFromTheClock) {
  const double first = rnd(-1);
  EXPECT_EQ(rnd(-1), first);  // the clock has not moved
  clock.sleep(Millis(1));
  EXPECT_NE(rnd(-1), first);
  EXPECT_GE(first, 0);
  EXPECT_LT(first, 1);
}

TEST_F(FunctionsTest, RndIsRoughlyUniform) {
  seedRandom();
  int buckets[10] = {};
  for (int i = 0; i < 100000; ++i) {
    const double r = rnd(1);
    ASSERT_GE(r, 0);
    ASSERT_LT(r, 1);
    ++buckets[static_cast<int>(r * 10)];
  }
  for (int n : buckets) {
    EXPECT_GT(n, 9500);
    EXPECT_LT(n, 10500);
  }
}

}  // namespace
}  // namespace drum
