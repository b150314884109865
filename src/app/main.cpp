// drum: the desktop program. Creates its windows in their order and runs the
// window system's message loop until the main window closes.
#include <unistd.h>

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "input/brailledisplay.h"
#include "input/windows/keyboard.h"
#include "platform/error.h"
#include "platform/cp1250.h"
#include "platform/filelocations.h"
#include "platform/stopsignal.h"
#include "platform/windows/qthost.h"
#include "platform/windows/readerkeys.h"
#include "platform/windows/screenreaderwatch.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"

namespace {

// DRUM_KEYTRACE=file appends a line for every key the running program took
// ("took <microseconds> <codes in hex>") and one when it is back at an empty
// INKEY$ ("wait <microseconds>"): what the game really read, for the chord
// benchmark. Nothing is traced unless the variable is set.
void startKeyTrace() {
  const char* path = std::getenv("DRUM_KEYTRACE");
  if (!path || !*path) return;
  std::FILE* out = std::fopen(path, "a");
  if (!out) return;
  drum::tracehooks.inkey = [out, took = true](const std::string& key) mutable {
    if (key.empty() && !took) return;
    const long long now = static_cast<long long>(drum::host().nowMicros());
    if (key.empty()) {
      std::fprintf(out, "wait %lld\n", now);
    } else {
      std::fprintf(out, "took %lld", now);
      for (unsigned char c : key) std::fprintf(out, " %02x", c);
      std::fprintf(out, "\n");
    }
    std::fflush(out);
    took = !key.empty();
  };
}

// The keys the main window takes, and the keys of windows that read what
// they do themselves, are handled before any event filter sees them: the
// accessibility bridge's filter would hold each one until the screen reader
// has answered.
class DrumApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    if (drum::KeyPreview::previewFirst(receiver, event)) return true;
    if (drum::deliverPastScreenReader(receiver, event)) return true;
    return QApplication::notify(receiver, event);
  }
};

const char kNoDisplay[] =
    "drum: no display found, so no window can be shown. "
    "To play in a terminal, use drumrun (drumrun --help tells how).\n";

[[noreturn]] void noDisplay() {
  std::fputs(kNoDisplay, stderr);
  std::fflush(stderr);
  _exit(1);
}

bool set(const char* name) {
  const char* value = std::getenv(name);
  return value && *value;
}

// Qt ends the process with abort() when its window system cannot be
// reached; a player gets a plain sentence and status 1 instead. A platform
// chosen explicitly (offscreen, vnc ...) is Qt's to judge.
void checkDisplay() {
  if (!set("QT_QPA_PLATFORM") && !set("DISPLAY") && !set("WAYLAND_DISPLAY")) noDisplay();
}

QtMessageHandler qtdefault = nullptr;
struct Held {
  QtMsgType type;
  QString message;
};
std::vector<Held> held;

// While the application is made: a display that is named but cannot be
// reached (a closed X server) is Qt's fatal error, after warnings about the
// platform plugin that say nothing to a player. They are held back and
// shown only when start-up goes on.
void startupMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtFatalMsg) noDisplay();
  held.push_back({type, message});
}

}  // namespace

int main(int argc, char** argv) {
  drum::blockStopSignals();  // before Qt starts threads that would take them
  checkDisplay();
  qtdefault = qInstallMessageHandler(startupMessages);
  DrumApplication app(argc, argv);
  qInstallMessageHandler(qtdefault);
  for (const Held& h : held)
    if (qtdefault) qtdefault(h.type, QMessageLogContext(), h.message);
  held.clear();
  QApplication::setApplicationName(QStringLiteral("drum"));
  // The desktop entry's name, so the window system shows the entry's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.drum_game.drum"));
  drum::QtHost qthost;
  drum::setHost(&qthost);
  try {
    const drum::FileLocations where = drum::locateFiles(drum::executablePath(), drum::currentHomeFolders());
    drum::enterFileLocations(where);
    drum::setSettingsPath(where.settingsFile);
  } catch (const drum::Error& e) {
    qthost.reportError(e.what());
    qthost.terminate(1);
  }
  drum::initRuntime();
  startKeyTrace();
  drum::installSpeechHooks();
  drum::ScreenReaderWatch screenreader;
  drum::createWindows();
  // SIGTERM, SIGINT, SIGHUP (a session that ends): saved and ended as Exit
  // does, without a box that nobody would answer.
  drum::catchStopSignals(qthost, [] {
    try {
      drum::saveRamOnExit();
    } catch (const drum::Error& e) {
      std::fprintf(stderr, "drum: %s\n", drum::cp1250ToUtf8(e.what()).c_str());
    }
    drum::releaseSound();
    drum::exitNow(0);
  });
  // A Braille display, when BRLTTY has one and the settings do not say no;
  // the settings have been read by the main window's creation.
  drum::BrailleDisplay::instance().setEnabled(drum::brailledisplay);
  drum::desktop().Form1->show();
  const int status = QApplication::exec();
  drum::BrailleDisplay::instance().setEnabled(false);
  // What had to be saved was saved by the close handler; the engines' threads
  // need no orderly goodbye.
  qthost.terminate(status);
}
