// Speech figures on the real output path. Three ways of speaking the same
// texts, side by side in one run:
//   - drum: SpeakText through espeak-ng in process, into the mixer, SDL2 and
//     PulseAudio (times taken where the mixer hands a buffer to the device,
//     and at the sink);
//   - speech-dispatcher: spd_say (through the service's voice of drum);
//   - the espeak-ng command line, one process per text.
// What reaches the PulseAudio null sink is recorded from its monitor with
// parec. Run under scripts/with-servers.sh (bench/speech.sh).
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "parec.h"
#include "platform/audiooutput.h"
#include "platform/cp1250.h"
#include "platform/realhost.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "speech/speech.h"
#include "speech/speechdvoice.h"
#include "speech/voiceselection.h"

extern char** environ;

using namespace drum;

namespace {

constexpr float kAudible = 0.00316f;  // -50 dBFS
constexpr int kRate = 48000;

// What is heard: the signal above 40 Hz (two one-pole high-passes), so the
// slow decay of the output's DC blocker after a cut, a 4 Hz movement, does
// not count as sound.
class Audible {
 public:
  bool operator()(float x) {
    constexpr double a = 0.99479;  // RC / (RC + 1/48000) for 40 Hz
    const double y1 = a * (y1_ + x - x1_);
    x1_ = x;
    const double y2 = a * (y2_ + y1 - y1_);
    y1_ = y1;
    y2_ = y2;
    return std::fabs(y2) > kAudible;
  }

 private:
  double x1_ = 0, y1_ = 0, y2_ = 0;
};

// ---- What the sink played --------------------------------------------------------

class SinkRecorder {
 public:
  bool start(const std::string& monitor) {
    pid_ = bench::startParec(monitor, fd_);
    if (pid_ < 0) return false;
    reader_ = std::thread([this] { read(); });
    for (int i = 0; i < 500 && frames() == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return frames() > 0;
  }
  void stop() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
    if (reader_.joinable()) reader_.join();
    Audible audible;
    audible_.resize(samples_.size());
    for (std::size_t i = 0; i < samples_.size(); ++i) audible_[i] = audible(samples_[i]);
  }
  std::size_t frames() {
    std::lock_guard lock(mutex_);
    return samples_.size();
  }
  const std::vector<float>& samples() const { return samples_; }
  // A frame's time at the sink: when the data holding it came out of the
  // monitor. The sink takes in a block at a time, ahead of playing it, so this
  // is when the sound was taken by the server (late by parec's 2 ms
  // fragments at most, never early).
  // The first audible frame that arrived from `micros` on, as a time; -1 when none.
  double firstAudible(double micros, double until) const {
    for (std::size_t c = chunkAt(micros); c < chunks_.size() && chunks_[c].arrived < until; ++c) {
      for (std::size_t i = chunks_[c].first; i < chunkEnd(c); ++i)
        if (audible_[i]) return chunks_[c].arrived;
    }
    return -1;
  }
  double lastAudible(double from, double until) const {
    double last = -1;
    for (std::size_t c = chunkAt(from); c < chunks_.size() && chunks_[c].arrived < until; ++c) {
      for (std::size_t i = chunks_[c].first; i < chunkEnd(c); ++i)
        if (audible_[i]) last = chunks_[c].arrived;
    }
    return last;
  }
  double startedAt() const { return chunks_.empty() ? 0 : chunks_.front().arrived; }

 private:
  void read() {
    std::vector<char> buffer(8192);
    std::size_t carry = 0;
    for (;;) {
      const ssize_t n = ::read(fd_, buffer.data() + carry, buffer.size() - carry);
      if (n <= 0) break;
      const double arrived = static_cast<double>(monoMicros());
      const std::size_t bytes = carry + static_cast<std::size_t>(n);
      const std::size_t whole = bytes / sizeof(float);
      std::lock_guard lock(mutex_);
      for (std::size_t i = 0; i < whole; ++i) {
        float v;
        std::memcpy(&v, buffer.data() + i * sizeof(float), sizeof v);
        samples_.push_back(v);
      }
      chunks_.push_back({samples_.size() - whole, arrived});
      carry = bytes - whole * sizeof(float);
      std::memmove(buffer.data(), buffer.data() + whole * sizeof(float), carry);
    }
    close(fd_);
  }
  pid_t pid_ = -1;
  int fd_ = -1;
  std::thread reader_;
  std::mutex mutex_;
  struct Chunk {
    std::size_t first;  // its first frame
    double arrived;     // monoMicros
  };
  std::size_t chunkAt(double micros) const {
    return static_cast<std::size_t>(
        std::lower_bound(chunks_.begin(), chunks_.end(), micros, [](const Chunk& c, double t) { return c.arrived < t; }) -
        chunks_.begin());
  }
  std::size_t chunkEnd(std::size_t c) const { return c + 1 < chunks_.size() ? chunks_[c + 1].first : samples_.size(); }
  std::vector<float> samples_;
  std::vector<bool> audible_;
  std::vector<Chunk> chunks_;
};

// ---- What left the mixer ---------------------------------------------------------

std::atomic<std::int64_t> armedAt{-1};       // looking for the first audible buffer after this
std::atomic<std::int64_t> firstAudibleAt{-1};
std::atomic<std::int64_t> lastAudibleAt{-1};

void tap(const float* stereo, int frames) {
  static Audible detector;  // the rendering thread's alone
  bool audible = false;
  for (int i = 0; i < frames; ++i) audible = detector(stereo[2 * i]) || audible;
  if (!audible) return;
  const std::int64_t now = monoMicros();
  lastAudibleAt = now;
  if (armedAt >= 0 && firstAudibleAt < 0) firstAudibleAt = now;
}

void arm() {
  firstAudibleAt = -1;
  armedAt = monoMicros();
}

// ---- Figures -------------------------------------------------------------------------

struct Series {
  explicit Series(std::string n) : name(std::move(n)) {}
  std::string name;
  std::vector<double> ms;
  void add(double micros) {
    if (micros >= 0) ms.push_back(micros / 1000.0);
  }
  double median() const {
    if (ms.empty()) return NAN;
    auto v = ms;
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
  }
  // Nearest rank: the smallest value with at least that share of the trials at or below it.
  double percentile(double p) const {
    if (ms.empty()) return NAN;
    auto v = ms;
    std::sort(v.begin(), v.end());
    return v[static_cast<std::size_t>(std::ceil(p * v.size())) - 1];
  }
  double worst() const { return ms.empty() ? NAN : *std::max_element(ms.begin(), ms.end()); }
  double best() const { return ms.empty() ? NAN : *std::min_element(ms.begin(), ms.end()); }
  void print() const {
    std::printf("  %-52s n=%2zu  median %7.1f ms  p90 %7.1f  p99 %7.1f  worst %7.1f  best %7.1f\n", name.c_str(),
                ms.size(), median(), percentile(0.9), percentile(0.99), worst(), best());
  }
};

RealHost rhost;

void deliverFor(std::int64_t micros) {
  const std::int64_t until = rhost.nowMicros() + micros;
  while (rhost.nowMicros() < until) rhost.waitForEvents(Millis(5));
}

template <typename Done>
bool deliverUntil(Done done, std::int64_t micros) {
  const std::int64_t until = rhost.nowMicros() + micros;
  while (!done()) {
    if (rhost.nowMicros() > until) return false;
    rhost.waitForEvents(Millis(2));
  }
  return true;
}

const std::vector<std::string> kLetters = {"a", "k", "m", "o", "s", "t", "v", "e", "l", "p"};
const std::string kSentence = "Dobrý deň, dnes si spolu zahráme hru s písmenami v dvoch radoch.";  // ten words

pid_t spawnEspeak(const std::string& utf8) {
  const char* argv[] = {"espeak-ng", "-v", "sk", utf8.c_str(), nullptr};
  pid_t pid = -1;
  if (posix_spawnp(&pid, "espeak-ng", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return -1;
  return pid;
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2;  // passes over the ten letters
  const char* sink = std::getenv("DRUM_NULL_SINK");
  if (!sink) {
    std::fprintf(stderr, "no null sink: run under scripts/with-servers.sh\n");
    return 2;
  }
  setHost(&rhost);
  initSound(false);
  std::printf("sound output: %s\n", soundOutputName().c_str());
  // An idle null sink takes a moment to ask for audio; our device stays open
  // all through, so every engine finds the sink awake.
  while (soundMixer()->framesRendered() < kRate / 5) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  soundMixer()->setTap(tap);

  SinkRecorder sinkrec;
  const auto recordingFrom = monoMicros();
  if (!sinkrec.start(std::string(sink) + ".monitor")) {
    std::fprintf(stderr, "parec records nothing\n");
    return 2;
  }

  // drum: the in-process engine, Slovak, through the facade.
  InitSpeechEngines();
  notifysink = std::make_shared<TTTSNotifySink>();
  voiceallowed = true;
  FillVoiceList();
  SelectVoice();
  std::printf("in-process voice: %s\n", cp1250ToUtf8(voicedialog.voicelist.selectedText()).c_str());

  Series oursLetterMixer{"drum SpeakText letter -> first audible leaving the mixer"};
  Series oursLetterSink{"drum SpeakText letter -> first audible at the sink"};
  Series oursSentenceMixer{"drum SpeakText sentence -> first audible leaving mixer"};
  Series oursSentenceSink{"drum SpeakText sentence -> first audible at the sink"};
  Series oursStopMixer{"drum StopSpeech -> last audible leaving the mixer"};
  Series oursStopSink{"drum StopSpeech -> last audible at the sink"};
  std::vector<std::pair<double, Series*>> sinkStarts;  // (t0, series) measured after the recording
  struct StopTrial {
    double stopAt;
    Series* series;
  };
  std::vector<StopTrial> sinkStops;

  for (int r = 0; r < rounds; ++r) {
    for (const std::string& letter : kLetters) {
      deliverFor(250000);
      arm();
      const auto t0 = monoMicros();
      SpeakText(letter);
      oursLetterMixer.add(firstAudibleAt >= 0 ? static_cast<double>(firstAudibleAt - t0) : -1);
      sinkStarts.push_back({static_cast<double>(t0), &oursLetterSink});
    }
  }
  for (int r = 0; r < rounds * 5; ++r) {
    deliverFor(250000);
    arm();
    const auto t0 = monoMicros();
    rhost.startTimer(Millis(500), [] { StopSpeech(); });
    SpeakText(cp(kSentence));
    oursSentenceMixer.add(firstAudibleAt >= 0 ? static_cast<double>(firstAudibleAt - t0) : -1);
    sinkStarts.push_back({static_cast<double>(t0), &oursSentenceSink});
  }
  for (int r = 0; r < rounds * 5; ++r) {
    deliverFor(250000);
    std::int64_t stopAt = 0;
    rhost.startTimer(Millis(900 + 37 * r), [&stopAt] {
      stopAt = monoMicros();
      StopSpeech();
    });
    SpeakText(cp(kSentence));
    deliverFor(150000);
    oursStopMixer.add(lastAudibleAt >= stopAt ? static_cast<double>(lastAudibleAt - stopAt) : 0);
    sinkStops.push_back({static_cast<double>(stopAt), &oursStopSink});
  }
  deliverFor(400000);  // the last stop's window ends before the next engine speaks
  ReleaseSpeech();

  // speech-dispatcher: spd_say and spd_cancel.
  Series spdLetter{"speech-dispatcher spd_say letter -> first audible at sink"};
  Series spdSentence{"speech-dispatcher spd_say sentence -> first audible at sink"};
  Series spdStop{"speech-dispatcher spd_cancel -> last audible at the sink"};
  {
    SpeechdVoice voice;
    int ended = 0;
    voice.OnEndStream = [&](std::int32_t) { ++ended; };
    const Status s = voice.SetEventInterests(SVEAllEvents);
    if (!s.succeeded()) {
      std::printf("speech-dispatcher: %s\n", s.text.c_str());
    } else {
      std::printf("speech-dispatcher language: %s\n", voice.language().c_str());
      voice.Speak(u"a", SVSFlagsAsync);  // the first message starts its output module
      deliverUntil([&] { return ended > 0; }, 10000000);
      for (int r = 0; r < rounds; ++r) {
        for (const std::string& letter : kLetters) {
          deliverFor(250000);
          const int before = ended;
          const auto t0 = monoMicros();
          voice.Speak(cp1250ToUtf16(letter), SVSFlagsAsync);
          sinkStarts.push_back({static_cast<double>(t0), &spdLetter});
          deliverUntil([&] { return ended > before; }, 10000000);
        }
      }
      for (int r = 0; r < rounds * 5; ++r) {
        deliverFor(250000);
        const int before = ended;
        const auto t0 = monoMicros();
        voice.Speak(cp1250ToUtf16(cp(kSentence)), SVSFlagsAsync);
        sinkStarts.push_back({static_cast<double>(t0), &spdSentence});
        deliverFor(500000);
        voice.Speak(u"", SVSFPurgeBeforeSpeak);
        deliverUntil([&] { return ended > before; }, 10000000);
      }
      for (int r = 0; r < rounds * 5; ++r) {
        deliverFor(250000);
        const int before = ended;
        voice.Speak(cp1250ToUtf16(cp(kSentence)), SVSFlagsAsync);
        deliverFor(900000 + 37000 * r);
        sinkStops.push_back({static_cast<double>(monoMicros()), &spdStop});
        voice.Speak(u"", SVSFPurgeBeforeSpeak);
        deliverUntil([&] { return ended > before; }, 10000000);
        deliverFor(150000);
      }
    }
  }

  // The espeak-ng command line: a process per text.
  Series cliLetter{"espeak-ng command line letter -> first audible at sink"};
  Series cliSentence{"espeak-ng command line sentence -> first audible at sink"};
  for (int r = 0; r < rounds; ++r) {
    for (const std::string& letter : kLetters) {
      deliverFor(250000);
      const auto t0 = monoMicros();
      const pid_t pid = spawnEspeak(letter);
      if (pid > 0) waitpid(pid, nullptr, 0);
      sinkStarts.push_back({static_cast<double>(t0), &cliLetter});
    }
  }
  for (int r = 0; r < rounds * 5; ++r) {
    deliverFor(250000);
    const auto t0 = monoMicros();
    const pid_t pid = spawnEspeak(kSentence);
    deliverFor(700000);
    if (pid > 0) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
    sinkStarts.push_back({static_cast<double>(t0), &cliSentence});
  }
  deliverFor(300000);
  soundMixer()->setTap(nullptr);
  const auto recordingTo = monoMicros();
  sinkrec.stop();
  releaseSound();
  std::printf("recorded %.2f s of the sink in %.2f s\n", sinkrec.samples().size() / double(kRate),
              (recordingTo - recordingFrom) / 1e6);

  if (const char* dump = std::getenv("DRUM_BENCH_DUMP")) {
    if (FILE* f = std::fopen(dump, "wb")) {
      std::fwrite(sinkrec.samples().data(), sizeof(float), sinkrec.samples().size(), f);
      std::fclose(f);
    }
    for (const auto& [t0, series] : sinkStarts)
      std::printf("start %.3f s %s\n", (t0 - sinkrec.startedAt()) / 1e6, series->name.c_str());
  }
  for (const auto& [t0, series] : sinkStarts) {
    const double heard = sinkrec.firstAudible(t0, t0 + 3e6);
    series->add(heard >= 0 ? heard - t0 : -1);
  }
  for (const auto& trial : sinkStops) {
    const double last = sinkrec.lastAudible(trial.stopAt - 50000, trial.stopAt + 300000);
    if (std::getenv("DRUM_BENCH_DUMP"))
      std::printf("stop at %.3f s: last audible %+.1f ms %s\n", (trial.stopAt - sinkrec.startedAt()) / 1e6,
                  (last - trial.stopAt) / 1e3, trial.series->name.c_str());
    trial.series->add(last >= trial.stopAt ? last - trial.stopAt : 0);
  }

  std::printf("\nlatencies (%d letters, %d sentences, %d stops per engine; audible = above -50 dBFS over 40 Hz):\n",
              rounds * 10, rounds * 5, rounds * 5);
  for (const Series* s : {&oursLetterMixer, &oursLetterSink, &oursSentenceMixer, &oursSentenceSink, &oursStopMixer,
                          &oursStopSink, &spdLetter, &spdSentence, &spdStop, &cliLetter, &cliSentence})
    s->print();
  std::printf("\nratios of medians at the sink (other / drum):\n");
  std::printf("  letter:   speech-dispatcher %.1fx, espeak-ng command line %.1fx\n",
              spdLetter.median() / oursLetterSink.median(), cliLetter.median() / oursLetterSink.median());
  std::printf("  sentence: speech-dispatcher %.1fx, espeak-ng command line %.1fx\n",
              spdSentence.median() / oursSentenceSink.median(), cliSentence.median() / oursSentenceSink.median());
  std::printf("  stop:     speech-dispatcher %.1fx\n", spdStop.median() / oursStopSink.median());
  return 0;
}
