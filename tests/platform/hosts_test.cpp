#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <thread>

#include "platform/realhost.h"
#include "platform/virtualhost.h"
#include "support/noonzone.h"

namespace drum {
namespace {

TEST(VirtualHost, ClockMovesOnlyWhenSleepingOrWaiting) {
  VirtualHost h;
  h.processEvents();
  EXPECT_EQ(h.nowMicros(), 0);
  h.sleep(Millis(300));
  EXPECT_EQ(h.nowMicros(), 300000);
  h.waitForEvents(Millis(10));
  EXPECT_EQ(h.nowMicros(), 310000);
}

TEST(VirtualHost, WaitJumpsToTheNextTimerAndSleepDeliversNothing) {
  VirtualHost h;
  int fired = 0;
  h.startTimer(Millis(250), [&] { ++fired; });
  h.sleep(Millis(300));
  EXPECT_EQ(fired, 0);  // a plain sleep delivers no events
  h.processEvents();
  EXPECT_EQ(fired, 1);

  const auto id = h.startTimer(Millis(100), [&] { fired += 10; });
  h.startTimer(Millis(40), [&] { fired += 100; });
  h.waitForEvents(Millis(1000));
  EXPECT_EQ(fired, 101);
  EXPECT_EQ(h.nowMicros(), 340000);
  h.cancelTimer(id);
  h.waitForEvents(Millis(1000));
  EXPECT_EQ(fired, 101);
  EXPECT_EQ(h.nowMicros(), 1340000);
}

TEST(VirtualHost, LocalTimeFollowsTheVirtualClock) {
  std::tm start = VirtualHost::defaultStart();
  start.tm_hour = 23;
  start.tm_min = 59;
  start.tm_sec = 59;
  VirtualHost h(start);
  h.sleep(Millis(1500));
  const std::tm t = h.localTime();
  EXPECT_EQ(t.tm_hour, 0);
  EXPECT_EQ(t.tm_min, 0);
  EXPECT_EQ(t.tm_sec, 0);
}

TEST(VirtualHost, ScheduledEventsAndClockListeners) {
  VirtualHost h;
  std::vector<std::int64_t> seen;
  h.addClockListener([&](std::int64_t now) { seen.push_back(now); });
  bool key = false;
  h.schedule(5000, [&] { key = true; });
  h.waitForEvents(Millis(100));
  EXPECT_TRUE(key);
  EXPECT_EQ(seen, std::vector<std::int64_t>{5000});
  EXPECT_THROW(h.terminate(3), ProcessTerminated);
}

// A thread posting (a speech callback) while the host in force ends: the
// host's queue is torn down only once no post can reach it any more.
TEST(Hosts, AHostThatEndsTakesNoMorePostsFromOtherThreads) {
  std::atomic<bool> done{false};
  std::atomic<int> posted{0};
  std::thread poster([&] {
    while (!done)
      if (postToHost([] {})) ++posted;
  });
  for (int round = 0; round < 300; ++round) {
    auto h = std::make_unique<VirtualHost>();
    for (int i = 0; i < 2000; ++i) h->post([] {});  // a queue that takes a while to tear down
    setHost(h.get());
    while (posted.load() < round) std::this_thread::yield();
    h.reset();
  }
  done = true;
  poster.join();
  EXPECT_FALSE(postToHost([] {}));
}

TEST(RealHost, PostFromAnotherThreadWakesAWait) {
  RealHost h;
  bool ran = false;
  std::thread t([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    h.post([&] { ran = true; });
  });
  const auto before = h.nowMicros();
  while (!ran) h.waitForEvents(Millis(5000));
  t.join();
  EXPECT_LT(h.nowMicros() - before, 4000000);
}

TEST(RealHost, TimerFiresFromEventDelivery) {
  RealHost h;
  int fired = 0;
  h.startTimer(Millis(15), [&] { ++fired; });
  const auto start = h.nowMicros();
  while (fired == 0 && h.nowMicros() - start < 2000000) h.waitForEvents(Millis(1000));
  EXPECT_EQ(fired, 1);
  EXPECT_GE(h.nowMicros() - start, 15000);
}

// The programs run on the real clock by the tests see noon under this zone.
TEST(RealHost, NoonZoneMakesItDayAtAnyHour) {
  const char* was = std::getenv("TZ");
  const std::string saved = was ? was : "";
  ::setenv("TZ", testing::noonZone().c_str(), 1);
  ::tzset();
  const int hour = RealHost().localTime().tm_hour;
  if (was) ::setenv("TZ", saved.c_str(), 1);
  else ::unsetenv("TZ");
  ::tzset();
  EXPECT_TRUE(hour == 12 || hour == 13) << hour;  // 13 only if the hour turned between the two calls
}

}  // namespace
}  // namespace drum
