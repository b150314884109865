// Raised scheduling for the sound threads: granted where the system allows,
// refused quietly where it does not. Each case runs in a child process of
// its own, so the limits and privileges it gives up, and the priorities it
// gets, stay there.
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "platform/realtime.h"

namespace drum {
namespace {

#ifndef SCHED_RESET_ON_FORK
#define SCHED_RESET_ON_FORK 0x40000000
#endif

// What an ordinary user has: no privilege over priorities, and whatever
// RLIMIT_RTPRIO and RLIMIT_NICE are set to; no system bus, so no rtkit.
void becomeOrdinaryUser(rlim_t rtprio, rlim_t nice) {
  __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
  __user_cap_data_struct data[2]{};
  if (syscall(SYS_capget, &header, data) == 0) {
    data[0].effective &= ~(1u << CAP_SYS_NICE);
    data[0].permitted &= ~(1u << CAP_SYS_NICE);
    data[0].inheritable &= ~(1u << CAP_SYS_NICE);
    syscall(SYS_capset, &header, data);
  }
  const rlimit rt{rtprio, rtprio};
  setrlimit(RLIMIT_RTPRIO, &rt);
  const rlimit n{nice, nice};
  setrlimit(RLIMIT_NICE, &n);
  setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket", 1);
}

// Runs `body` in a child process; its exit status (0 = passed) and what it
// wrote on standard error.
struct ChildResult {
  int status = -1;
  std::string stderrText;
};
ChildResult inChild(const std::function<int()>& body) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], 2);
    _exit(body());
  }
  close(fds[1]);
  ChildResult result;
  char buffer[256];
  ssize_t n;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) result.stderrText.append(buffer, static_cast<std::size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
  return result;
}

// A thread that blocks until it is told to end, as a sound thread waits for
// its device or its next text.
class WaitingThread {
 public:
  WaitingThread() {
    thread_ = std::thread([this] {
      std::unique_lock lock(mutex_);
      tid_ = currentThreadId();
      changed_.notify_all();
      changed_.wait(lock, [this] { return done_; });
    });
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return tid_ != 0; });
  }
  ~WaitingThread() {
    {
      std::lock_guard lock(mutex_);
      done_ = true;
    }
    changed_.notify_all();
    thread_.join();
  }
  pid_t tid() const { return tid_; }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  pid_t tid_ = 0;
  bool done_ = false;
  std::thread thread_;
};

int niceOf(pid_t tid) {
  errno = 0;
  return getpriority(PRIO_PROCESS, static_cast<id_t>(tid));
}

TEST(Realtime, RefusedEverythingLeavesTheThreadAsItWasAndSaysNothing) {
  const ChildResult r = inChild([] {
    becomeOrdinaryUser(0, 0);
    WaitingThread thread;
    const int niceBefore = niceOf(thread.tid());
    if (raiseToRealTime(thread.tid(), 4, -11) != Raised::No) return 1;
    if ((sched_getscheduler(thread.tid()) & ~SCHED_RESET_ON_FORK) != SCHED_OTHER) return 2;
    if (niceOf(thread.tid()) != niceBefore) return 3;
    if (raiseNice(thread.tid(), -10) != Raised::No) return 4;
    if (niceOf(thread.tid()) != niceBefore) return 5;
    return 0;
  });
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.stderrText, "");
}

TEST(Realtime, RealTimeRefusedFallsBackToTheNiceLevelTheLimitAllows) {
  const ChildResult r = inChild([] {
    // RLIMIT_NICE 25: down to nice -5, not the -11 asked for.
    becomeOrdinaryUser(0, 25);
    rlimit limit{};
    if (getrlimit(RLIMIT_NICE, &limit) != 0 || limit.rlim_cur != 25) return 10;  // above our hard limit
    WaitingThread thread;
    if (niceOf(thread.tid()) != 0) return 10;  // the runner itself runs niced
    if (raiseToRealTime(thread.tid(), 4, -11) != Raised::Nice) return 1;
    if ((sched_getscheduler(thread.tid()) & ~SCHED_RESET_ON_FORK) != SCHED_OTHER) return 2;
    if (niceOf(thread.tid()) != -5) return 3;
    // Never higher than it is: asking for 5 leaves -5.
    if (raiseNice(thread.tid(), 5) != Raised::No || niceOf(thread.tid()) != -5) return 4;
    return 0;
  });
  if (r.status == 10) GTEST_SKIP() << "RLIMIT_NICE cannot be raised to 25 here, or the tests run niced";
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.stderrText, "");
}

TEST(Realtime, RealTimeWithinRlimitRtprioIsRoundRobinAndNotInherited) {
  const ChildResult r = inChild([] {
    // RLIMIT_RTPRIO 2: real time at 2, not the 4 asked for.
    becomeOrdinaryUser(2, 0);
    rlimit limit{};
    if (getrlimit(RLIMIT_RTPRIO, &limit) != 0 || limit.rlim_cur != 2) return 10;  // above our hard limit
    WaitingThread thread;
    if (raiseToRealTime(thread.tid(), 4, -11) != Raised::RealTime) return 1;
    const int policy = sched_getscheduler(thread.tid());
    if ((policy & ~SCHED_RESET_ON_FORK) != SCHED_RR) return 2;
    if (!(policy & SCHED_RESET_ON_FORK)) return 3;  // a process it starts runs normally
    sched_param param{};
    if (sched_getparam(thread.tid(), &param) != 0 || param.sched_priority != 2) return 4;
    return 0;
  });
  if (r.status == 10) GTEST_SKIP() << "RLIMIT_RTPRIO cannot be raised to 2 here";
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.stderrText, "");
}

// As granted to a privileged process (CI runs as root): real time at the
// priority asked for, and a nice level lowered, never raised.
TEST(Realtime, GrantedRealTimeIsRoundRobinAtThePriorityAskedAndNotInherited) {
  const ChildResult r = inChild([] {
    setenv("DBUS_SYSTEM_BUS_ADDRESS", "unix:path=/nonexistent/system_bus_socket", 1);
    WaitingThread thread;
    const Raised raised = raiseToRealTime(thread.tid(), 4, -11);
    if (raised == Raised::No) return 10;
    if (raised == Raised::RealTime) {
      const int policy = sched_getscheduler(thread.tid());
      if ((policy & ~SCHED_RESET_ON_FORK) != SCHED_RR) return 2;
      if (!(policy & SCHED_RESET_ON_FORK)) return 3;
      sched_param param{};
      if (sched_getparam(thread.tid(), &param) != 0 || param.sched_priority != 4) return 4;
    }
    WaitingThread other;
    const int before = niceOf(other.tid());
    if (raiseNice(other.tid(), before + 3) != Raised::No || niceOf(other.tid()) != before) return 5;
    if (before > -10 && raiseNice(other.tid(), -10) == Raised::Nice && niceOf(other.tid()) != -10) return 6;
    return 0;
  });
  if (r.status == 10) GTEST_SKIP() << "neither real time nor a lower nice level is granted here";
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.stderrText, "");
}

}  // namespace
}  // namespace drum
