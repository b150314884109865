// speech-dispatcher killed in the middle of a text, with its voice chosen:
// the time from the kill (SIGKILL) to the next audible speech at the
// PulseAudio null sink, recorded with parec. Two cases:
//   - back:     the service can be started again (libspeechd's autospawn);
//               no in-process voice, so what is heard next is the service;
//   - stand-in: the service cannot be started again (SPEECHD_CMD points at
//               a program that fails), so the in-process voice takes over.
// Run under scripts/with-servers.sh (bench/speechdkill.sh).
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "parec.h"
#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "platform/clock.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

using namespace drum;

namespace {

constexpr float kAudible = 0.00316f;  // -50 dBFS
constexpr double kGapMicros = 40000;  // silence that ends what was cut

// Blocks from the sink's monitor with the time each came out.
class Recorder {
 public:
  bool start(const std::string& monitor) {
    pid_ = bench::startParec(monitor, fd_);
    if (pid_ < 0) return false;
    reader_ = std::thread([this] {
      std::vector<float> block(96);  // 2 ms
      for (;;) {
        const ssize_t n = ::read(fd_, block.data(), block.size() * sizeof(float));
        if (n <= 0) break;
        bool audible = false;
        for (ssize_t i = 0; i < n / static_cast<ssize_t>(sizeof(float)); ++i)
          audible = audible || std::fabs(block[static_cast<std::size_t>(i)]) > kAudible;
        std::lock_guard lock(mutex_);
        blocks_.push_back({static_cast<double>(monoMicros()), audible});
      }
    });
    return true;
  }
  void stop() {
    if (pid_ > 0) kill(pid_, SIGTERM), waitpid(pid_, nullptr, 0);
    pid_ = -1;
    if (reader_.joinable()) reader_.join();
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
  // The first audible block after `from` that follows a silence of kGapMicros.
  double nextAudibleAfterGap(double from) {
    std::lock_guard lock(mutex_);
    double silentSince = -1;
    for (const Block& b : blocks_) {
      if (b.at < from) continue;
      if (!b.audible) {
        if (silentSince < 0) silentSince = b.at;
      } else if (silentSince >= 0 && b.at - silentSince >= kGapMicros) {
        return b.at;
      } else {
        silentSince = -1;
      }
    }
    return -1;
  }

 private:
  struct Block {
    double at;
    bool audible;
  };
  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  std::vector<Block> blocks_;
};

RealHost rhost;

void deliverFor(std::int64_t micros) {
  const std::int64_t until = rhost.nowMicros() + micros;
  while (rhost.nowMicros() < until) rhost.waitForEvents(Millis(5));
}

pid_t servicePid() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::ifstream in(std::string(runtime ? runtime : "") + "/speech-dispatcher/pid/speech-dispatcher.pid");
  long pid = 0;
  return in >> pid && pid > 1 ? static_cast<pid_t>(pid) : 0;
}

const char kLong[] = "Pravidlá hry: dva rady po trinástich písmenách sa križujú v strednom políčku, "
                     "ktoré patrí obom radom naraz.";

void report(const char* name, std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  if (ms.empty()) {
    std::printf("  %-44s nothing heard\n", name);
    return;
  }
  std::printf("  %-44s n=%zu  median %6.0f ms  worst %6.0f  best %6.0f\n", name, ms.size(), ms[ms.size() / 2],
              ms.back(), ms.front());
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  const char* sink = std::getenv("DRUM_NULL_SINK");
  if (!sink) {
    std::fprintf(stderr, "no null sink: run under scripts/with-servers.sh\n");
    return 2;
  }
  setHost(&rhost);
  const std::string settings = "/tmp/drum-speechdkill-" + std::to_string(getpid()) + ".ini";
  setSettingsPath(settings);
  initSound(false);
  Recorder recorder;
  if (!recorder.start(std::string(sink) + ".monitor")) return 2;
  sapi5inuse = voiceready = true;
  voiceallowed = true;

  for (const bool standIn : {false, true}) {
    if (standIn) {
      InitSpeechEngines();  // the in-process voice at hand
      setenv("SPEECHD_CMD", "/bin/false", 1);
    }
    std::vector<double> heard;
    double killedAt = -1;  // set by a timer, which may outlive a round cut short
    for (int r = 0; r < rounds; ++r) {
      if (standIn) unsetenv("SPEECHD_CMD");
      deliverFor(2500000);  // past the wait between tries
      SpeakText(cp("Pripravený."));  // connected (the service started when need be)
      if (standIn) setenv("SPEECHD_CMD", "/bin/false", 1);
      deliverFor(300000);
      killedAt = -1;
      rhost.startTimer(Millis(1200), [&] {
        if (const pid_t pid = servicePid()) {
          kill(pid, SIGKILL);
          killedAt = static_cast<double>(monoMicros());
        }
      });
      SpeakText(cp(kLong));
      deliverFor(1500000);
      if (killedAt < 0) continue;
      const double next = recorder.nextAudibleAfterGap(killedAt);
      if (next >= 0) heard.push_back((next - killedAt) / 1000.0);
    }
    report(standIn ? "killed -> next audible (in-process voice)" : "killed -> next audible (service back)", heard);
  }
  recorder.stop();
  std::remove(settings.c_str());
  ReleaseSpeech();
  releaseSound();
  exitNow(0);
}
