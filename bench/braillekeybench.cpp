// A chord typed on the Braille display against the same chord on F D S J K L,
// in the desktop program, to the game's letter audible. The real windows
// (offscreen platform), the real espeak-ng engine and SDL2 output, and BRLTTY
// with its Virtual driver, this program being the display. The game moves its
// row (b, /) and reads the letter at the crossing; each chord waits until the
// letter is heard and the game is quiet again.
//
// Time 0: a PC chord's first key release reaching the main window (the chord
// is delivered there); a display chord's line "transmitting accepted command"
// in BRLTTY's log (BRLTTY's own polling of the Virtual driver comes before it
// and belongs to the driver). The end: the first sample above -50 dBFS
// leaving the mixer, and arriving at the PulseAudio null sink.
//
// Usage: bench_braillekeys [chords of each kind=30]   (under scripts/with-servers.sh)
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
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>
#include <vector>

#include "parec.h"
#include "input/brailledisplay.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/inifile.h"
#include "shell/session/startup.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"
#include "support/virtualbraille.h"

extern char** environ;

using namespace drum;
using drum::testing::VirtualBraille;

namespace {

constexpr float kAudible = 0.00316f;  // -50 dBFS

// Wall-clock milliseconds: BRLTTY's log is on that clock.
double wallMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::system_clock::now().time_since_epoch()).count();
}

std::atomic<double> keyAt{-1};  // the PC chord's release at the window
std::atomic<bool> armed{false};
std::atomic<double> mixerAt{-1};
std::atomic<double> sinkAt{-1};

void tap(const float* stereo, int frames) {
  if (!armed || mixerAt >= 0) return;
  for (int i = 0; i < 2 * frames; ++i) {
    if (std::fabs(stereo[i]) > kAudible) {
      mixerAt = wallMs();
      return;
    }
  }
}


// Sees every key event first, as it reaches a window: the first release of
// a chord is where the keyboard delivers it.
class KeyClock : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyRelease && watched->isWindowType() && armed && keyAt < 0) keyAt = wallMs();
    return false;
  }
};

void key(QWindow* window, QEvent::Type type, int code, const QString& text) {
  QKeyEvent event(type, code, Qt::NoModifier, text);
  QCoreApplication::sendEvent(window, &event);
}

struct Dot {
  int key;
  const char* text;
};
// The game's moves "b" (dots 1 2) and "/" (dots 1 2 4 5 6), on the keyboard
// and as the display sends them.
const std::vector<Dot> kLeft{{Qt::Key_F, "f"}, {Qt::Key_D, "d"}};
const std::vector<Dot> kRight{{Qt::Key_F, "f"}, {Qt::Key_D, "d"}, {Qt::Key_J, "j"}, {Qt::Key_K, "k"}, {Qt::Key_L, "l"}};
constexpr int kLeftDots = 0b000011, kRightDots = 0b111011;

struct Series {
  std::vector<double> v;
  void print(const char* what) const {
    std::vector<double> s;
    for (double x : v)
      if (x >= 0) s.push_back(x);
    std::sort(s.begin(), s.end());
    if (s.empty()) {
      std::printf("%-62s no samples\n", what);
      return;
    }
    const auto rank = [&](double p) { return s[static_cast<std::size_t>(std::ceil(p * s.size())) - 1]; };
    std::printf("%-62s p50 %6.1f ms  p90 %6.1f  worst %6.1f  best %6.1f  (%zu of %zu)\n", what, rank(0.5), rank(0.9),
                s.back(), s.front(), s.size(), v.size());
  }
};

// A stored game that no move can win (N and O swapped), E at the crossing.
void writegame(const std::string& path) {
  std::string image(65536, '\0');
  image.replace(262, 13, "LMABCDEFGHIJK");
  image.replace(275, 13, "ONPQRSETUVXYZ");
  image.replace(288, 2, "10");
  image.replace(293, 2, "10");
  std::ofstream(path, std::ios::binary) << image;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const int each = argc > 1 ? std::max(2, std::atoi(argv[1])) : 30;
  if (const std::string why = VirtualBraille::missing(); !why.empty()) {
    std::printf("skipped: %s\n", why.c_str());
    return 0;
  }
  auto brltty = std::make_unique<VirtualBraille>(40);
  VirtualBraille& braille = *brltty;
  if (!braille.ready()) {
    std::printf("BRLTTY did not start: %s\n", braille.error().c_str());
    return 1;
  }
  braille.exportEnvironment();

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
  // The game's own sounds off: the first audible sample is the letter, not
  // the signal of the crossing that comes before it.
  std::ofstream(dir.filePath("drum.ini").toStdString()) << "[voice]\nvoiceallowed=1\n[sounds]\noskirasounds=0\n[keyboard]\nbraillekeys=1\n";

  bench::FirstAudibleAtSink<double> sink([] { return wallMs(); }, [] { return armed.load(); }, sinkAt, kAudible);
  const char* nullsink = std::getenv("DRUM_NULL_SINK");
  const bool atsink = nullsink && sink.start(std::string(nullsink) + ".monitor");

  initRuntime();
  installSpeechHooks();
  createWindows();
  TForm1& form1 = *desktop().Form1;
  form1.show();
  form1.activateWindow();
  if (!soundMixer()) {
    std::fprintf(stderr, "no sound output\n");
    return 1;
  }
  // No X window ids offscreen: the display is taken as a terminal's.
  auto& display = BrailleDisplay::instance();
  display.setEnabled(true);
  display.focusProgram();
  std::printf("sound output: %s%s\n", soundOutputName().c_str(),
              atsink ? ", recorded at the null sink" : " (no null sink: mixer times only)");
  soundMixer()->setTap(tap);
  KeyClock clock;
  qApp->installEventFilter(&clock);  // installed last, so it sees each key first
  // The display's key on the UI thread, before the window's own handling.
  std::atomic<double> onKeyAt{-1};
  auto windowsKey = display.onKey;
  display.onKey = [&](const BrailleKey& k) {
    if (onKeyAt < 0) onKeyAt = wallMs();
    windowsKey(k);
  };

  struct Trial {
    bool fromDisplay;
    double start = -1, onKey = -1, mixer = -1, sink = -1;
  };
  std::vector<Trial> trials;
  std::thread sender;
  QWindow* window = form1.windowHandle();
  int step = 0, sent = 0;
  double begun = -1;
  const int total = 2 * each + 2;  // the first of each kind is a warm-up
  double quietSince = -1;
  const std::vector<Dot>* held = nullptr;
  QTimer driver;
  driver.setInterval(5);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    const bool quiet = !sapi4speaking && !soundplaying;
    const double now = wallMs();
    if (!quiet) quietSince = -1;
    else if (quietSince < 0) quietSince = now;
    const bool settled = quiet && quietSince >= 0 && now - quietSince > 400;
    switch (step) {
      case 0:  // the prompt has been said: the game is in its key wait
        if (settled && display.connected() && printmemo.text().find("otazn") != std::string::npos) step = 1;
        break;
      case 1: {  // the next chord: display and keyboard in turn, left and right in turn
        if (!settled) break;
        const bool fromDisplay = sent % 2 == 1;
        const bool left = (sent / 2) % 2 == 0;
        keyAt = -1, onKeyAt = -1, mixerAt = -1, sinkAt = -1;
        armed = true;
        trials.push_back({fromDisplay});
        begun = now;
        if (fromDisplay) {
          if (sender.joinable()) sender.join();
          sender = std::thread([&braille, left] { braille.dots(left ? kLeftDots : kRightDots); });
        } else {
          held = left ? &kLeft : &kRight;
          for (const Dot& d : *held) key(window, QEvent::KeyPress, d.key, QString::fromLatin1(d.text));
          key(window, QEvent::KeyRelease, held->front().key, QString::fromLatin1(held->front().text));
        }
        step = 2;
        break;
      }
      case 2: {  // the letter is heard
        Trial& t = trials.back();
        if (mixerAt >= 0 && (!atsink || sinkAt >= 0 || now - mixerAt > 500)) {
          if (!t.fromDisplay) {
            for (std::size_t i = 1; i < held->size(); ++i)
              key(window, QEvent::KeyRelease, (*held)[i].key, QString::fromLatin1((*held)[i].text));
            t.start = keyAt;
          }
          t.onKey = onKeyAt, t.mixer = mixerAt, t.sink = atsink ? sinkAt.load() : -1;
          armed = false;
          ++sent;
          quietSince = -1;
          step = sent >= total ? 3 : 1;
        } else if (now - begun > 4000) {
          std::fprintf(stderr, "no letter within 4 s of chord %d\n", sent);
          if (!t.fromDisplay)
            for (std::size_t i = 1; i < held->size(); ++i)
              key(window, QEvent::KeyRelease, (*held)[i].key, QString::fromLatin1((*held)[i].text));
          armed = false;
          ++sent;
          quietSince = -1;
          step = sent >= total ? 3 : 1;
        }
        break;
      }
      case 3: {
        driver.stop();
        if (sender.joinable()) sender.join();
        // Each display chord's hand-over to the client, in order; BRLTTY
        // writes its log in its own time.
        const auto displayed = static_cast<std::size_t>(std::count_if(
            trials.begin(), trials.end(), [](const Trial& t) { return t.fromDisplay; }));
        std::vector<double> passed;
        for (int i = 0; i < 100; ++i) {
          passed = braille.logTimes("transmitting accepted command 22");
          if (passed.size() >= displayed) break;
          std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        std::size_t d = 0;
        if (std::getenv("DRUM_BENCH_VERBOSE")) {
          std::ifstream log(braille.log());
          for (std::string line; std::getline(log, line);)
            if (line.find("ransmit") != std::string::npos || line.find("PASSDOTS") != std::string::npos)
              std::printf("%s\n", line.c_str());
        }
        for (Trial& t : trials)
          if (t.fromDisplay) t.start = d < passed.size() ? passed[d++] : -1;
        Series pcMixer, pcSink, brlMixer, brlSink, brlOnKey;
        bool firstPc = true, firstBrl = true;
        for (const Trial& t : trials) {
          bool& first = t.fromDisplay ? firstBrl : firstPc;
          if (first) {
            first = false;
            continue;
          }
          const auto from = [&](double end) { return t.start >= 0 && end >= 0 ? end - t.start : -1; };
          if (t.fromDisplay) {
            brlOnKey.v.push_back(from(t.onKey));
            brlMixer.v.push_back(from(t.mixer));
            brlSink.v.push_back(from(t.sink));
          } else {
            pcMixer.v.push_back(from(t.mixer));
            pcSink.v.push_back(from(t.sink));
          }
        }
        std::printf("\n");
        pcMixer.print("PC chord (first release at the window) -> letter leaving mixer");
        brlMixer.print("display chord (BRLTTY passes it on) -> letter leaving mixer");
        if (atsink) {
          pcSink.print("PC chord (first release at the window) -> letter at null sink");
          brlSink.print("display chord (BRLTTY passes it on) -> letter at null sink");
        }
        brlOnKey.print("display chord (BRLTTY passes it on) -> onKey on the UI thread");
        std::printf("goal: the display chord's median within 5 ms of the PC chord's (log times: 1 ms steps)\n");
        std::fflush(stdout);
        sink.stop();
        display.onKey = {};
        display.unfocus();
        display.setEnabled(false);
        brltty.reset();  // BRLTTY stopped before the process ends at once
        qthost.terminate(0);  // the game is still running; nothing to save
      }
    }
  });
  driver.start();
  form1.action(MenuItem::Startsubmenu)->trigger();
  return 0;
}
