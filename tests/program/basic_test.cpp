#include "program/basic.h"

#include <gtest/gtest.h>

#include <vector>

namespace drum {
namespace {

TEST(ForLoop, CounterEndsOnTheFirstValuePastTheLimit) {
  double i = 0;
  std::vector<double> seen;
  forLoop(i, 1, 13, 1, [&] { seen.push_back(i); });
  EXPECT_EQ(seen.size(), 13u);
  EXPECT_EQ(seen.front(), 1);
  EXPECT_EQ(seen.back(), 13);
  EXPECT_EQ(i, 14);

  seen.clear();
  forLoop(i, 13, 2, -1, [&] { seen.push_back(i); });
  EXPECT_EQ(seen.size(), 12u);
  EXPECT_EQ(seen.back(), 2);
  EXPECT_EQ(i, 1);
}

TEST(ForLoop, BodyRunsOnceWhenTheLimitIsAlreadyPassed) {
  double i = 0;
  int passes = 0;
  forLoop(i, 1, -48, 1, [&] { ++passes; });
  EXPECT_EQ(passes, 1);
  EXPECT_EQ(i, 2);
  forLoop(i, 1, 5, -1, [&] { ++passes; });
  EXPECT_EQ(passes, 2);
  EXPECT_EQ(i, 0);
}

TEST(ForLoop, TheLimitIsEvaluatedAtEveryTest) {
  double i = 0;
  double limit = 3;
  int evaluations = 0;
  int passes = 0;
  forLoop(i, 1, [&] { ++evaluations; return limit; }, 1, [&] {
    ++passes;
    if (i == 2) limit = 5;
  });
  EXPECT_EQ(passes, 5);
  EXPECT_EQ(evaluations, 5);
  EXPECT_EQ(i, 6);
}

TEST(ForLoop, ABodyCanLeaveTheLoopEarly) {
  double i = 0;
  forLoop(i, 1, 13, 1, [&] { return i == 4; });
  EXPECT_EQ(i, 4);
}

TEST(ForLoop, FractionalStepsAndTheHandWrittenForm) {
  double v = 0;
  int passes = 0;
  forLoop(v, 0, 1, 0.25, [&] { ++passes; });
  EXPECT_EQ(passes, 5);
  EXPECT_EQ(v, 1.25);

  double w = 10;
  passes = 0;
  do {
    ++passes;
    w += -3;
  } while (forNext(w, -3, 1));
  EXPECT_EQ(passes, 4);  // 10, 7, 4, 1
  EXPECT_EQ(w, -2);
}

TEST(Int, TruncatesTowardZeroAndStaysANumber) {
  EXPECT_EQ(INT(2.9), 2.0);
  EXPECT_EQ(INT(-2.9), -2.0);
  EXPECT_EQ(INT(1e300), 1e300);
}

}  // namespace
}  // namespace drum
