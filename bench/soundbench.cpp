// Sound figures on the real output path: the sound server (PulseAudio or
// PipeWire) into a null sink, recorded from its monitor with parec. Run under scripts/with-servers.sh
// (bench/sound.sh does). Prints what it measured; asserts nothing.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "platform/audiooutput.h"
#include "platform/realhost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "parec.h"
#include "soundprobe.h"
#include "soundsdesign.h"

using namespace drum;

namespace {

double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}
double threadCpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}
double wallSeconds() { return static_cast<double>(monoMicros()) / 1e6; }
// The process's time in its own code and in the kernel (task switches, the
// sound server's sockets), apart.
std::pair<double, double> userSystemSeconds() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  return {seconds(r.ru_utime), seconds(r.ru_stime)};
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}
double worst(const std::vector<double>& v) {
  double w = 0;
  for (double x : v) w = std::max(w, std::fabs(x));
  return w;
}

RealHost realhost;

// One run on a fresh null sink of its own and a fresh device.
struct Session {
  ProbeSink sink;
  Session() {
    if (!sink.ok()) {
      std::fprintf(stderr, "no probe sink: %s\n", sink.error().c_str());
      std::exit(1);
    }
    ::setenv("PULSE_SINK", sink.name().c_str(), 1);
    initSound(false);
    if (soundOutputName() != "pulseaudio" && soundOutputName() != "pipewire-pulse" && soundOutputName() != "pipewire") {
      std::fprintf(stderr, "the output is %s (%s), not a sound server\n", soundOutputName().c_str(), soundDeviceError().c_str());
      std::exit(1);
    }
    realhost.sleep(Millis(300));
  }
  ~Session() { releaseSound(); }
};

void lengths() {
  std::printf("SOUND length against its nominal length (1000 Hz, voice 0, 20 notes each, 80 ms apart)\n");
  std::vector<double> all;
  for (int ms : {15, 25, 70, 200}) {
    Session s;
    for (int i = 0; i < 20; ++i) {
      sound({1000}, ms, 0);
      realhost.sleep(Millis(80));
    }
    realhost.sleep(Millis(200));
    const auto x = s.sink.stop();
    std::vector<double> errors;
    for (const auto& b : findbursts(x, 0.01f)) {
      errors.push_back(sinelength(x, b, 1000) / 48 - ms);
      if (std::fabs(errors.back()) > 3)
        std::printf("    a note of %.3f ms (burst of %.3f ms) at %.3f s\n", errors.back() + ms, b.ms(), b.begin / 48000.0);
    }
    std::printf("  %3d ms: %zu notes, median error %+.3f ms, worst %.3f ms\n", ms, errors.size(), median(errors),
                worst(errors));
    all.insert(all.end(), errors.begin(), errors.end());
  }
  std::vector<double> absolute;
  for (double e : all) absolute.push_back(std::fabs(e));
  std::printf("  all: median |error| %.3f ms, worst %.3f ms\n", median(absolute), worst(all));
}

void farewell() {
  std::printf("Farewell sweep: 3500, 3450, ... 50 Hz, 25 ms each, voice 3 (nominal 1750 ms)\n");
  for (int run = 0; run < 5; ++run) {
    Session s;
    const double start = wallSeconds();
    for (int v = 3500; v >= 50; v -= 50) sound({static_cast<double>(v)}, 25, 3);
    const double statements = (wallSeconds() - start) * 1000;
    realhost.sleep(Millis(200));
    const auto x = s.sink.stop();
    const float level = peakof(x, 0, x.size()) * 0.1f;
    const auto bursts = findbursts(x, level, 4800);
    if (bursts.empty()) continue;
    const double heard = (bursts.back().end - bursts.front().begin) / 48.0;
    std::printf("  run %d: heard %.1f ms (%+.2f %%), statements took %.1f ms, %zu burst(s)\n", run + 1, heard,
                (heard - 1750) / 17.5, statements, bursts.size());
  }
}

void keyToSilence() {
  std::printf("Key during a 5000 ms SOUND (440 Hz, voice 0): key event to the end of the sound at the sink\n");
  std::mt19937 random(7);
  Session s;
  std::vector<double> keys;
  for (int i = 0; i < 15; ++i) {
    const int after = 300 + static_cast<int>(random() % 400);
    double at = 0;
    // The key comes from outside the UI thread, as a window system's does.
    std::thread presser([after, &at] {
      std::this_thread::sleep_for(std::chrono::milliseconds(after));
      at = static_cast<double>(monoMicros());
      realhost.post([] {
        keybuffer.assign(1, 'x');
        endSoundWait();
      });
    });
    sound({440}, 5000, 0);
    presser.join();
    keys.push_back(at);
    realhost.sleep(Millis(150));
  }
  realhost.sleep(Millis(200));
  const auto x = s.sink.stop();
  const auto bursts = findbursts(x, 0.001f);  // -60 dBFS
  if (bursts.size() != keys.size()) {
    std::printf("  %zu notes heard for %zu keys\n", bursts.size(), keys.size());
    return;
  }
  std::vector<double> half, last;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    double b = 0, e = 0;
    sinelength(x, bursts[i], 440, &b, &e);
    half.push_back((s.sink.timeOf(static_cast<std::size_t>(e)) - keys[i]) / 1000);
    last.push_back((s.sink.timeOf(bursts[i].end) - keys[i]) / 1000);
  }
  std::printf("  to half amplitude: median %.2f ms, worst %.2f ms\n", median(half), worst(half));
  std::printf("  to the last sample above -60 dBFS: median %.2f ms, worst %.2f ms\n", median(last), worst(last));
}

// The game's key wait: CLICK 9, then INKEY$, over and over, for `seconds`.
void keyWaitCpu(double seconds) {
  std::printf("CPU of the key wait loop (CLICK 9 then INKEY$), %.0f s each, whole process (audio threads included)\n",
              seconds);
  Session s;
  s.sink.stop();  // its recorder is a thread of this process too, and not drum's
  for (bool on : {true, false}) {
    oskirasounds = on;
    const double c0 = cpuSeconds(), w0 = wallSeconds();
    const auto [u0, s0] = userSystemSeconds();
    long passes = 0;
    while (wallSeconds() - w0 < seconds) {
      click(9);
      inkey();
      ++passes;
    }
    const double cpu = cpuSeconds() - c0, wall = wallSeconds() - w0;
    const auto [u1, s1] = userSystemSeconds();
    std::printf("  sounds %s: %.2f %% of one core (user %.2f %%, system %.2f %%), %.0f passes per second\n",
                on ? "on " : "off", 100 * cpu / wall, 100 * (u1 - u0) / wall, 100 * (s1 - s0) / wall, passes / wall);
  }
  oskirasounds = true;
  const double c0 = cpuSeconds(), w0 = wallSeconds();
  realhost.sleep(Millis(static_cast<int>(seconds * 1000)));
  std::printf("  for comparison, the open device alone: %.2f %% of one core\n",
              100 * (cpuSeconds() - c0) / (wallSeconds() - w0));
}

std::vector<std::int16_t> speechLike(int rate, double seconds) {
  std::vector<std::int16_t> v(static_cast<std::size_t>(rate * seconds));
  for (std::size_t i = 0; i < v.size(); ++i) {
    const double t = static_cast<double>(i) / rate;
    v[i] = static_cast<std::int16_t>(6000 * std::sin(2 * M_PI * 140 * t) * (0.6 + 0.4 * std::sin(2 * M_PI * 3 * t)) +
                                     2000 * std::sin(2 * M_PI * 1100 * t));
  }
  return v;
}

// Eight looping tones and a 22,050 Hz stream: the mixer alone (render time
// against audio time) and the whole process on the real device.
void mixerCost(double seconds) {
  std::printf("Mixer cost: eight looping tones and one 22,050 Hz stream\n");
  const auto pcm = speechLike(22050, 1.0);
  {
    Mixer m(monoMicros);
    auto buffer = soundbank.find("snd11").buffer;
    for (int i = 0; i < 8; ++i) m.start(m.addVoice(buffer), (200 + 150 * i) * 64, -600, true);
    auto stream = m.openStream(22050, {});
    std::vector<float> out(512);
    const int blocks = static_cast<int>(seconds * 48000 / 256);
    const std::int64_t t0 = monoMicros();
    const double c0 = cpuSeconds();
    for (int b = 0; b < blocks; ++b) {
      if (b % 94 == 0) stream->push(pcm.data(), pcm.size() / 2);  // at the pace it is played
      m.render(out.data(), 256, t0 + static_cast<std::int64_t>(b) * 256 * 1000000 / 48000);
    }
    const double cpu = cpuSeconds() - c0;
    std::printf("  render alone: %.3f %% of one core (%.1f s of audio in %.3f s)\n", 100 * cpu / seconds, seconds, cpu);
  }
  Session s;
  const double idle0 = cpuSeconds(), idleW = wallSeconds();
  realhost.sleep(Millis(static_cast<int>(seconds * 1000)));
  const double idle = (cpuSeconds() - idle0) / (wallSeconds() - idleW);
  for (int i = 1; i <= 8; ++i) {
    SoundItem& item = soundbank.find("snd" + std::to_string(i) + "1");
    soundbank.setLooped(item, true);
    soundbank.setFrequency(item, (200 + 150 * i) * 64);
    soundbank.setVolume(item, -600);
    soundbank.play(item, false);
  }
  auto stream = soundMixer()->openStream(22050, {});
  const double c0 = cpuSeconds(), w0 = wallSeconds();
  while (wallSeconds() - w0 < seconds) {
    stream->push(pcm.data(), pcm.size() / 4);
    realhost.sleep(Millis(250));
  }
  const double busy = (cpuSeconds() - c0) / (wallSeconds() - w0);
  for (int i = 1; i <= 8; ++i) soundbank.stop(soundbank.find("snd" + std::to_string(i) + "1"));
  std::printf("  on the device, whole process: %.2f %% of one core (device open and silent: %.2f %%)\n", 100 * busy,
              100 * idle);
}

// A SOUND of 255 values starts 255 looped voices at once. The mixer alone
// (device requests rendered back to back on a clock that follows the frames):
// the time the starts take the caller, and the longest request while they
// land, against the device period of 256 frames (5.33 ms). Times are the
// thread's CPU time, so other jobs on the machine do not count.
void manyStarts() {
  std::printf("255 looped voices started together (a SOUND of 255 values), 20 times, the mixer alone, CPU time\n");
  const auto buffer = soundbank.find("snd11").buffer;
  std::vector<double> calls, longest, steady;
  std::vector<float> out(512);
  for (int run = 0; run < 20; ++run) {
    Mixer m(monoMicros);
    std::vector<Mixer::VoiceId> voices;
    for (int i = 0; i < 255; ++i) voices.push_back(m.addVoice(buffer));
    const std::int64_t t0 = monoMicros();
    std::int64_t frames = 0;
    auto request = [&] {
      const double at = threadCpuSeconds();
      m.render(out.data(), 256, t0 + frames * 1000000 / 48000);
      frames += 256;
      return (threadCpuSeconds() - at) * 1000;
    };
    request();
    const double s0 = threadCpuSeconds();
    for (int i = 0; i < 255; ++i) m.start(voices[i], (100 + 10 * i) * 64, -600, true);
    calls.push_back((threadCpuSeconds() - s0) * 1000);
    // Requests until every start has landed (its stamp is behind the frames).
    double most = 0;
    while (t0 + frames * 1000000 / 48000 < monoMicros() + 6000) most = std::max(most, request());
    longest.push_back(most);
    steady.push_back(request());
  }
  std::printf("  the 255 start calls: median %.2f ms, worst %.2f ms\n", median(calls), worst(calls));
  std::printf("  longest device request while they land: median %.2f ms, worst %.2f ms\n", median(longest),
              worst(longest));
  std::printf("  a request with the 255 voices sounding: median %.2f ms\n", median(steady));
}

// The sound server stopped for 2.5 s and started again, five times: from the
// server answering again (scripts/sound-server.sh start has returned: the null
// sink is there and is the default) to the first sound of the program heard
// at the sink, with a 20 ms tone played every 50 ms meanwhile. Only on a
// server that scripts/with-servers.sh started for the run.
void restart() {
  const char* server = std::getenv("DRUM_STARTED_SOUND");
  if (!server) {
    std::fprintf(stderr, "restart: only on a server of the run's own (bench/sound.sh --server pipewire|pulseaudio)\n");
    std::exit(1);
  }
  const std::string script = std::string(DRUM_SOURCE_DIR) + "/scripts/sound-server.sh";
  const std::string start = script + " start " + server + " >/dev/null", stop = script + " stop";
  std::printf("sound server (%s) stopped for 2.5 s and started again -> a tone played every 50 ms heard at the null sink\n",
              server);
  ::unsetenv("PULSE_SINK");
  initSound(false);
  std::vector<double> heard, named;
  for (int round = 0; round < 5; ++round) {
    if (std::system(stop.c_str()) != 0) std::exit(1);
    realhost.sleep(Millis(2500));
    if (std::system(start.c_str()) != 0) std::exit(1);
    const std::int64_t back = monoMicros();
    std::atomic<std::int64_t> at{-1};
    bench::FirstAudibleAtSink<std::int64_t> sink([] { return monoMicros(); }, [] { return true; }, at, 0.01f);
    if (!sink.start("null.monitor")) std::exit(1);
    std::int64_t outputBack = -1;
    while (at < 0 && monoMicros() - back < 15000000) {
      if (outputBack < 0 && soundOutputName() != "silent clock") outputBack = monoMicros();
      sound({1000}, 20, 0);
      realhost.sleep(Millis(30));
    }
    sink.stop();
    heard.push_back(at >= 0 ? (at - back) / 1000.0 : -1);
    named.push_back(outputBack >= 0 ? (outputBack - back) / 1000.0 : -1);
    std::printf("  round %d: output open again after %.0f ms, heard after %.0f ms\n", round + 1, named.back(), heard.back());
  }
  std::printf("server back -> heard: median %.0f ms, worst %.0f ms (goal <= 3000 ms)\n", median(heard), worst(heard));
  releaseSound();
}

}  // namespace

int main(int argc, char** argv) {
  if (!pulsereachable()) {
    std::fprintf(stderr, "no PulseAudio server: run under scripts/with-servers.sh\n");
    return 1;
  }
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  ::setenv("SDL_AUDIODRIVER", "pulseaudio", 1);
  setHost(&realhost);
  soundbank.assign(designsoundbank());
  const std::string only = argc > 1 ? argv[1] : "";
  if (only.empty() || only == "lengths") lengths();
  if (only.empty() || only == "farewell") farewell();
  if (only.empty() || only == "key") keyToSilence();
  if (only.empty() || only == "cpu") keyWaitCpu(10);
  if (only.empty() || only == "mixer") mixerCost(10);
  if (only.empty() || only == "starts") manyStarts();
  if (only == "restart") restart();
  return 0;
}
