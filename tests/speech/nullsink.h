// What the PulseAudio null sink played, recorded from its monitor with
// parec (scripts/with-servers.sh starts the server and names the sink in
// DRUM_NULL_SINK). 16-bit mono at 16 kHz is enough to tell speech from silence.
#pragma once
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace drum::testing {

inline const char* nullSink() { return std::getenv("DRUM_NULL_SINK"); }

class NullSinkRecorder {
 public:
  static constexpr int kRate = 16000;

  // False when parec cannot be started.
  bool start() {
    const char* sink = nullSink();
    if (!sink) return false;
    int fds[2];
    if (pipe(fds) != 0) return false;
    const std::string device = std::string(sink) + ".monitor";
    pid_ = fork();
    if (pid_ == 0) {
      dup2(fds[1], 1);
      close(fds[0]);
      close(fds[1]);
      execlp("parec", "parec", "-d", device.c_str(), "--format=s16le", "--rate=16000", "--channels=1",
             "--latency-msec=10", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    if (pid_ < 0) {
      close(fds[0]);
      return false;
    }
    fd_ = fds[0];
    reader_ = std::thread([this] {
      std::int16_t buffer[1024];
      for (;;) {
        const ssize_t n = read(fd_, buffer, sizeof buffer);
        if (n <= 0) break;
        std::lock_guard lock(mutex_);
        samples_.insert(samples_.end(), buffer, buffer + n / 2);
      }
    });
    return true;
  }

  std::vector<std::int16_t> stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    std::lock_guard lock(mutex_);
    return samples_;
  }

  std::size_t recorded() {
    std::lock_guard lock(mutex_);
    return samples_.size();
  }

  ~NullSinkRecorder() { stop(); }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::vector<std::int16_t> samples_;
};

// Root mean square over the loudest 100 ms, relative to full scale.
inline double loudestRms(const std::vector<std::int16_t>& s, int rate) {
  const std::size_t window = static_cast<std::size_t>(rate / 10);
  double best = 0;
  for (std::size_t at = 0; at + window <= s.size(); at += window / 2) {
    double sum = 0;
    for (std::size_t i = at; i < at + window; ++i) sum += static_cast<double>(s[i]) * s[i];
    best = std::max(best, std::sqrt(sum / window) / 32768.0);
  }
  return best;
}

}  // namespace drum::testing
