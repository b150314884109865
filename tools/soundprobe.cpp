#include "soundprobe.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/audiooutput.h"

extern char** environ;

namespace drum {
namespace {

std::string run(const std::string& command, int* status) {
  std::string out;
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) {
    *status = -1;
    return out;
  }
  char buf[256];
  while (std::fgets(buf, sizeof buf, p)) out += buf;
  *status = ::pclose(p);
  return out;
}

}  // namespace

bool pulsereachable() {
  int status = 0;
  run("pactl info >/dev/null 2>&1", &status);
  return status == 0;
}

bool pipewireserves() {
  int status = 0;
  const std::string info = run("pactl info 2>/dev/null", &status);
  return status == 0 && info.find("on PipeWire") != std::string::npos;
}

namespace {
// A sink name of its own for every probe: a second probe of one process
// named as the first would be renamed by the server, and the recorder and
// PULSE_SINK would find the first one, about to go.
std::atomic<int> probes{0};
}  // namespace

ProbeSink::ProbeSink() : name_("drum_probe_" + std::to_string(::getpid()) + "_" + std::to_string(++probes)) {
  int status = 0;
  const std::string index =
      run("pactl load-module module-null-sink sink_name=" + name_ + " rate=48000 channels=2 2>&1", &status);
  if (status != 0) {
    error_ = "pactl load-module: " + index;
    return;
  }
  module_ = std::atoi(index.c_str());

  int fds[2];
  if (::pipe(fds) != 0) {
    error_ = "pipe";
    return;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  const std::string device = name_ + ".monitor";
  const char* argv[] = {"parec", "-d", device.c_str(), "--raw", "--format=float32le", "--rate=48000",
                        "--channels=1", "--latency-msec=2", nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "parec", &actions, nullptr, const_cast<char* const*>(argv), environ) != 0) {
    error_ = "cannot start parec";
    ::close(fds[0]);
    ::close(fds[1]);
    posix_spawn_file_actions_destroy(&actions);
    return;
  }
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  recorder_ = pid;
  pipe_ = fds[0];
  reader_ = std::thread([this] { read(pipe_); });
  // The recording has begun once the first data arrives.
  for (int i = 0; i < 300; ++i) {
    {
      std::lock_guard lock(mutex_);
      if (samples_.size() > 480) return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  error_ = "parec records nothing";
}

ProbeSink::~ProbeSink() {
  stop();
  if (module_ >= 0) {
    int status = 0;
    run("pactl unload-module " + std::to_string(module_) + " >/dev/null 2>&1", &status);
  }
}

void ProbeSink::read(int fd) {
  std::uint8_t buf[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) return;
    const double arrival = static_cast<double>(monoMicros());
    std::lock_guard lock(mutex_);
    partial_.insert(partial_.end(), buf, buf + n);
    const std::size_t whole = partial_.size() / 4;
    for (std::size_t i = 0; i < whole; ++i) {
      float v;
      std::memcpy(&v, partial_.data() + 4 * i, 4);
      samples_.push_back(v);
    }
    partial_.erase(partial_.begin(), partial_.begin() + static_cast<std::ptrdiff_t>(whole * 4));
    offset_ = std::min(offset_, arrival - static_cast<double>(samples_.size()) * 1e6 / 48000);
  }
}

std::vector<float> ProbeSink::stop() {
  if (recorder_ > 0) {
    ::kill(recorder_, SIGTERM);
    ::waitpid(recorder_, nullptr, 0);
    recorder_ = 0;
  }
  if (reader_.joinable()) reader_.join();
  if (pipe_ >= 0) ::close(pipe_);
  pipe_ = -1;
  std::lock_guard lock(mutex_);
  return samples_;
}

double ProbeSink::timeOf(std::size_t frame) const {
  std::lock_guard lock(mutex_);
  return offset_ + static_cast<double>(frame) * 1e6 / 48000;
}

std::vector<Burst> findbursts(const std::vector<float>& x, float level, std::size_t gap) {
  std::vector<Burst> out;
  for (std::size_t i = 0; i < x.size(); ++i) {
    if (std::fabs(x[i]) <= level) continue;
    if (!out.empty() && i - out.back().end < gap) {
      out.back().end = i + 1;
    } else {
      out.push_back({i, i + 1});
    }
  }
  return out;
}

double zerocrossingpitch(const std::vector<float>& x, std::size_t from, std::size_t to) {
  std::vector<double> c;
  for (std::size_t i = std::max<std::size_t>(from, 1); i < to && i < x.size(); ++i) {
    if (x[i - 1] < 0 && x[i] >= 0) c.push_back(static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]));
  }
  if (c.size() < 2) return 0;
  return static_cast<double>(c.size() - 1) * 48000 / (c.back() - c.front());
}

double sinelength(const std::vector<float>& x, const Burst& b, double hz, double* begin, double* end) {
  // x(t)^2 + x(t - T/4)^2 is the squared amplitude of a steady sine.
  const double q = 48000 / (4 * hz);
  const std::size_t lag = static_cast<std::size_t>(q);
  const double frac = q - static_cast<double>(lag);
  auto delayed = [&](std::size_t i) -> double {
    if (i < lag + 1) return 0;
    return (1 - frac) * x[i - lag] + frac * x[i - lag - 1];
  };
  const std::size_t from = b.begin > 2 * lag + 200 ? b.begin - 2 * lag - 200 : 0;
  const std::size_t to = std::min(x.size(), b.end + 2 * lag + 200);
  std::vector<double> e(to - from);
  for (std::size_t i = from; i < to; ++i) e[i - from] = std::sqrt(x[i] * x[i] + delayed(i) * delayed(i));
  // The steady amplitude: the median of the middle half.
  std::vector<double> mid(e.begin() + (b.begin - from) + (b.end - b.begin) / 4,
                          e.begin() + (b.begin - from) + 3 * (b.end - b.begin) / 4);
  if (mid.empty()) return 0;
  std::nth_element(mid.begin(), mid.begin() + mid.size() / 2, mid.end());
  const double half = mid[mid.size() / 2] / 2;
  double first = -1, last = -1;
  for (std::size_t i = 1; i < e.size(); ++i) {
    if (first < 0 && e[i - 1] < half && e[i] >= half) first = static_cast<double>(i - 1) + (half - e[i - 1]) / (e[i] - e[i - 1]);
    if (e[i - 1] >= half && e[i] < half) last = static_cast<double>(i - 1) + (e[i - 1] - half) / (e[i - 1] - e[i]);
  }
  if (first < 0 || last < 0) return 0;
  if (begin) *begin = static_cast<double>(from) + first;
  if (end) *end = static_cast<double>(from) + last;
  return last - first;
}

float peakof(const std::vector<float>& x, std::size_t from, std::size_t to) {
  float p = 0;
  for (std::size_t i = from; i < to && i < x.size(); ++i) p = std::max(p, std::fabs(x[i]));
  return p;
}

}  // namespace drum
