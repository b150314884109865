// What reached the PulseAudio null sink, as the benchmarks hear it: parec on
// the sink's monitor, 48 kHz mono float samples in 2 ms fragments.
#pragma once
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace drum::bench {

// Starts parec on `monitor`; its samples are read from `fd`. -1 on failure.
inline pid_t startParec(const std::string& monitor, int& fd) {
  int fds[2];
  if (pipe(fds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const char* argv[] = {"parec", "-d", monitor.c_str(), "--raw", "--format=float32le", "--rate=48000",
                        "--channels=1", "--latency-msec=2", nullptr};
  pid_t pid = -1;
  const int r = posix_spawnp(&pid, "parec", &actions, nullptr, const_cast<char* const*>(argv), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (r != 0) {
    close(fds[0]);
    return -1;
  }
  fd = fds[0];
  return pid;
}

// Stamps, on the caller's clock, the arrival of the first block holding an
// audible sample while `armed` says a measurement is open and `at` is still
// unset (negative).
template <typename Time>
class FirstAudibleAtSink {
 public:
  FirstAudibleAtSink(std::function<Time()> now, std::function<bool()> armed, std::atomic<Time>& at, float audible)
      : now_(std::move(now)), armed_(std::move(armed)), at_(at), audible_(audible) {}
  ~FirstAudibleAtSink() { stop(); }

  bool start(const std::string& monitor) {
    int fd = -1;
    pid_ = startParec(monitor, fd);
    if (pid_ < 0) return false;
    reader_ = std::thread([this, fd] {
      std::vector<float> block(1024);
      for (;;) {
        const ssize_t n = ::read(fd, block.data(), block.size() * sizeof(float));
        if (n <= 0) break;
        const Time now = now_();
        if (!armed_() || at_ >= 0) continue;
        for (ssize_t i = 0; i < n / static_cast<ssize_t>(sizeof(float)); ++i) {
          if (std::fabs(block[static_cast<std::size_t>(i)]) > audible_) {
            at_ = now;
            break;
          }
        }
      }
      close(fd);
    });
    return true;
  }
  void stop() {
    if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
    pid_ = -1;
    if (reader_.joinable()) reader_.join();
  }

 private:
  std::function<Time()> now_;
  std::function<bool()> armed_;
  std::atomic<Time>& at_;
  float audible_;
  pid_t pid_ = -1;
  std::thread reader_;
};

}  // namespace drum::bench
