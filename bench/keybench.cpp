// Key to speech in the desktop program: the game waits for a key, a cursor
// key reaches the main window, the game moves its cursor and prints the
// letter, which the in-process engine speaks. Measured from the key event
// reaching the main window's key preview to the first audible sample of the
// letter (-50 dBFS), where the mixer hands it to the device and where the
// PulseAudio null sink takes it (recorded with parec from its monitor).
//
// Usage: bench_keylatency [keys=30]   (run by bench/desktop.sh under
// scripts/with-servers.sh; the real windows on the offscreen platform, the
// real espeak-ng engine and the real SDL2 output).
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "parec.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/inifile.h"
#include "shell/session/startup.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"

extern char** environ;

using namespace drum;

namespace {

constexpr float kAudible = 0.00316f;  // -50 dBFS

std::int64_t micros() {
  return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The time the key reached the main window, and the first audible sample
// after it, leaving the mixer and arriving at the sink.
std::atomic<std::int64_t> keyAt{-1};
std::atomic<std::int64_t> speakAt{-1};  // the game's PRINT handed the letter to SpeakText
std::atomic<std::int64_t> mixerAt{-1};
std::atomic<std::int64_t> sinkAt{-1};

void tap(const float* stereo, int frames) {
  if (keyAt < 0 || mixerAt >= 0) return;
  for (int i = 0; i < 2 * frames; ++i) {
    if (std::fabs(stereo[i]) > kAudible) {
      mixerAt = micros();
      return;
    }
  }
}


// Sees every key event first, as it reaches a window.
class KeyClock : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress && watched->isWindowType() &&
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space)
      keyAt = micros();
    return false;
  }
};

// From the crossing (column 7) to 8, then 9, 8, 9, ...: the crossing itself
// is left out, since it sounds a signal before its letter.
int stepKey(int sent) { return sent <= 1 || sent % 2 ? Qt::Key_Right : Qt::Key_Left; }

void key(QWindow* window, QEvent::Type type, int code, const QString& text = {}) {
  QKeyEvent event(type, code, Qt::NoModifier, text);
  QCoreApplication::sendEvent(window, &event);
}

struct Series {
  std::vector<double> v;
  void add(double x) { v.push_back(x); }
  void print(const char* what) {
    std::vector<double> s;
    for (double x : v)
      if (x >= 0) s.push_back(x);
    std::sort(s.begin(), s.end());
    if (s.empty()) {
      std::printf("%-58s no samples\n", what);
      return;
    }
    // Nearest rank: the smallest value with at least that share of the keys at or below it.
    const auto rank = [&](double p) { return s[static_cast<std::size_t>(std::ceil(p * s.size())) - 1]; };
    std::printf("%-58s p50 %6.1f ms  p90 %6.1f  p99 %6.1f  worst %6.1f  best %6.1f  (%zu of %zu)\n", what, rank(0.5),
                rank(0.9), rank(0.99), s.back(), s.front(), s.size(), v.size());
  }
};

// A stored game with letters in every cell (E at the crossing).
void writegame(const std::string& path) {
  std::string image(65536, '\0');
  const std::string h = "LMABCDEFGHIJK", v = "NOPQRSETUVXYZ";
  image.replace(262, 13, h);
  image.replace(275, 13, v);
  image.replace(288, 2, "10");
  image.replace(293, 2, "10");
  std::ofstream(path, std::ios::binary) << image;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int keys = argc > 1 ? std::atoi(argv[1]) : 30;
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  QtHost qthost;
  setHost(&qthost);

  QTemporaryDir dir;
  for (const char* name : {"sounds.dat", "czech.ebt", "czech.eky", "english.eky", "slovak.eky"})
    std::filesystem::copy_file(std::string(DRUM_GAME_DIR) + "/" + name, dir.filePath(name).toStdString());
  writegame(dir.filePath("ram.dat").toStdString());
  std::filesystem::current_path(dir.path().toStdString());
  setSettingsPath(dir.filePath("drum.ini").toStdString());
  std::ofstream(dir.filePath("drum.ini").toStdString()) << "[voice]\nvoiceallowed=1\n";

  bench::FirstAudibleAtSink<std::int64_t> sink([] { return micros(); }, [] { return keyAt >= 0; }, sinkAt, kAudible);
  const char* nullsink = std::getenv("DRUM_NULL_SINK");
  const bool atsink = nullsink && sink.start(std::string(nullsink) + ".monitor");

  initRuntime();
  installSpeechHooks();
  speaktexthook = [speak = speaktexthook](const std::string& text) {
    if (keyAt >= 0 && speakAt < 0) speakAt = micros();
    speak(text);
  };
  createWindows();
  TForm1& form1 = *desktop().Form1;
  form1.show();
  if (!soundMixer()) {
    std::fprintf(stderr, "no sound output\n");
    return 1;
  }
  std::printf("sound output: %s%s\n", soundOutputName().c_str(),
              atsink ? ", recorded at the null sink" : " (no null sink: mixer times only)");
  soundMixer()->setTap(tap);
  KeyClock clock;
  qApp->installEventFilter(&clock);  // installed last, so it sees each key first

  Series handed, leaving, arriving;
  QWindow* window = form1.windowHandle();
  // The run, step by step, from timers that fire while the game waits for keys.
  int step = 0, sent = 0;
  std::int64_t quietSince = -1;
  QTimer driver;
  driver.setInterval(5);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    const bool quiet = !sapi4speaking && !soundplaying;
    const std::int64_t now = micros();
    if (!quiet) quietSince = -1;
    else if (quietSince < 0) quietSince = now;
    const bool settled = quiet && quietSince >= 0 && now - quietSince > 400000;
    switch (step) {
      case 0:  // the prompt has been said: the game is in its key wait
        if (settled && printmemo.text().find("otazn") != std::string::npos) {
          key(window, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
          key(window, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
          step = 1;
          quietSince = -1;
        }
        break;
      case 1:  // the crossing has been read; off it to the right, then back and forth
        if (!settled) break;
        keyAt = -1, speakAt = -1, mixerAt = -1, sinkAt = -1;
        key(window, QEvent::KeyPress, stepKey(sent));
        step = 2;
        break;
      case 2:  // the letter is heard: let the key go
        if (mixerAt >= 0 && (!atsink || sinkAt >= 0 || now - mixerAt > 500000)) {
          key(window, QEvent::KeyRelease, stepKey(sent));
          if (sent > 0) {  // the first step from the crossing is a warm-up
            handed.add(speakAt >= 0 ? (speakAt - keyAt) / 1000.0 : -1);
            if (std::getenv("DRUM_BENCH_VERBOSE"))
              std::printf("key %2d: SpeakText %+7.1f ms, leaving the mixer %+7.1f ms, at the sink %+7.1f ms\n", sent,
                          speakAt >= 0 ? (speakAt - keyAt) / 1000.0 : -1.0, (mixerAt - keyAt) / 1000.0,
                          sinkAt >= 0 ? (sinkAt - keyAt) / 1000.0 : -1.0);
            leaving.add((mixerAt - keyAt) / 1000.0);
            arriving.add(sinkAt >= 0 ? (sinkAt - keyAt) / 1000.0 : -1);
          }
          ++sent;
          quietSince = -1;
          step = sent > keys ? 3 : 1;
        } else if (keyAt >= 0 && now - keyAt > 3000000) {
          std::fprintf(stderr, "no sound within 3 s of key %d\n", sent);
          key(window, QEvent::KeyRelease, stepKey(sent));
          handed.add(-1), leaving.add(-1), arriving.add(-1);
          ++sent;
          step = sent > keys ? 3 : 1;
        }
        break;
      case 3:
        driver.stop();
        std::printf("\n");
        handed.print("key at the main window -> the letter handed to SpeakText");
        leaving.print("key at the main window -> letter audible leaving the mixer");
        if (atsink) arriving.print("key at the main window -> letter audible at the null sink");
        std::printf("the sound server ran out of our frames %lld times in the run\n",
                    static_cast<long long>(soundUnderflows()));
        std::printf("goals: median <= 30 ms; at the sink p99 <= 15 ms quiet, p90 <= 25 ms and worst <= 60 ms busy\n");
        std::fflush(stdout);
        sink.stop();
        qthost.terminate(0);  // the game is still running; nothing to save
    }
  });
  driver.start();
  form1.action(MenuItem::Startsubmenu)->trigger();
  return 0;
}
