#include <gtest/gtest.h>

#include "platform/error.h"
#include "soundfixture.h"

namespace drum {
namespace {

TEST_F(SoundTest, ToneSoundsAtItsValueForItsDuration) {
  sound({440}, 100, 1);
  EXPECT_DOUBLE_EQ(nowMs(), 100);
  clock.sleep(Millis(50));
  const auto [first, last] = audible();
  EXPECT_NEAR(static_cast<double>(last - first), 4800, 96);
  EXPECT_NEAR(pitch(first + 480, last - 480), 440, 0.5);
}

TEST_F(SoundTest, ClickTakesItsLength) {
  click(19);
  EXPECT_DOUBLE_EQ(nowMs(), 60);
  click(9.7);
  EXPECT_DOUBLE_EQ(nowMs(), 70);
}

}  // namespace
}  // namespace drum
