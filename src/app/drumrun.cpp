// drumrun: the runtime without windows. It starts as the desktop program
// does, runs the letter puzzle once as Program/Start does, then saves the
// memory and ends as Exit does. Keys come from the terminal or from a script;
// with --virtual the clock is virtual and a whole game takes milliseconds.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/drumrun_script.h"
#include "app/drumrun_terminal.h"
#include "app/drumrun_transcript.h"
#include "input/braillecells.h"
#include "input/brailledisplay.h"
#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/filelocations.h"
#include "platform/realhost.h"
#include "platform/stopsignal.h"
#include "platform/virtualhost.h"
#include "program/oskprog.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/resourcelocalizer.h"
#include "shell/session/startup.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum {
namespace {

const char kUsage[] =
    "usage: drumrun [--script FILE|-] [--virtual [--time HH:MM:SS] [--seed N]] [--transcript] [--screen]\n"
    "\n"
    "Runs the letter puzzle once, as Program/Start of the desktop program does.\n"
    "Beside a sound bank (a game folder such as build/game) it works in the\n"
    "current directory (sounds.dat, czech.ebt, *.eky, ram.dat) with the settings\n"
    "of drumrun.ini beside the executable; installed, in $XDG_DATA_HOME/drum\n"
    "with $XDG_CONFIG_HOME/drum/drumrun.ini.\n"
    "\n"
    "  (no --script)   keys from the terminal: arrows and Shift+arrows move the\n"
    "                  cursor, Esc and e save and end, Ctrl+C leaves at once\n"
    "                  (the memory is saved as it stands), F1 shows or hides\n"
    "                  the status line in a terminal of fewer than 25 rows\n"
    "  --script FILE   keys from FILE (- for standard input), one a line: one\n"
    "                  character, \\xNN, or space esc enter backspace up down\n"
    "                  left right shift+up shift+down shift+left shift+right;\n"
    "                  empty lines and lines starting with // are skipped\n"
    "  --virtual       virtual clock, no audio device, no speech engine: SOUND\n"
    "                  lasts its duration on the virtual clock, CLICK and\n"
    "                  BEEP their recording's length; speech takes no time\n"
    "  --time T        the virtual clock's start (default 12:00:00)\n"
    "  --seed N        the random generator's seed (default 1)\n"
    "  --transcript    one line per event on standard output\n"
    "  --screen        the 24 screen lines after the run\n"
    "\n"
    "Without --virtual, a Braille display that BRLTTY drives shows the line the\n"
    "game writes, and its keys type as chords on F D S J K L do in the desktop\n"
    "program ([braille] display=0 in the settings file turns it off).\n";

struct Options {
  std::optional<std::string> script;
  bool virtualclock = false;
  bool transcript = false;
  bool screen = false;
  std::optional<std::string> time;
  std::optional<std::string> seed;
};

[[noreturn]] void usage(const std::string& problem) {
  std::fprintf(stderr, "drumrun: %s\n\n%s", problem.c_str(), kUsage);
  std::fflush(stderr);
  exitNow(2);
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage(a + " needs a value");
      return argv[++i];
    };
    if (a == "--script") o.script = value();
    else if (a == "--virtual") o.virtualclock = true;
    else if (a == "--transcript") o.transcript = true;
    else if (a == "--screen") o.screen = true;
    else if (a == "--time") o.time = value();
    else if (a == "--seed") o.seed = value();
    else if (a == "--help" || a == "-h") {
      std::fputs(kUsage, stdout);
      std::exit(0);
    } else usage("unknown argument " + a);
  }
  if ((o.time || o.seed) && !o.virtualclock) usage("--time and --seed belong to --virtual");
  return o;
}

std::tm parseTime(const std::string& text) {
  int h = -1, m = -1, s = -1;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2d:%2d:%2d%c", &h, &m, &s, &tail) != 3 || h < 0 || h > 23 || m < 0 ||
      m > 59 || s < 0 || s > 59)
    usage("--time wants HH:MM:SS, not " + text);
  std::tm t = VirtualHost::defaultStart();
  t.tm_hour = h;
  t.tm_min = m;
  t.tm_sec = s;
  return t;
}

std::uint32_t parseSeed(const std::string& text) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || text[0] == '-' || *end != '\0' || errno != 0 || n > 4294967295ull)
    usage("--seed wants a whole number from 0 to 4294967295, not " + text);
  return static_cast<std::uint32_t>(n);
}

// ---- The run ------------------------------------------------------------------

struct Runner {
  Options options;
  std::unique_ptr<Host> host;
  VirtualHost* virtualhost = nullptr;
  RealHost* realhost = nullptr;
  std::unique_ptr<Transcript> transcript;
  std::vector<ScriptKey> script;
  std::size_t nextkey = 0;
  Terminal terminal;
  bool interactive = false;
  bool drawing = false;     // the terminal shows the screen
  bool running = false;     // the translated program runs: keys may go in
  bool speaking = false;    // inside SpeakText: no scripted key arrives
  std::vector<std::string> messages;  // reports kept until the terminal is restored
  int lastrow = -1, lastcolumn = -1;
  bool braille = false;     // a Braille display, when one is there, shows the cursor's line
  BrailleScreenLine brailleshown;  // what it was last given

  void report(const std::string& kind, const std::string& text) {
    if (transcript) {
      kind == "MSGBOX" ? transcript->messagebox(text) : transcript->error(text);
      return;
    }
    const std::string line = (kind == "MSGBOX" ? "" : "error: ") + cp1250ToUtf8(text);
    if (terminal.entered()) {
      messages.push_back(line);
      terminal.setStatus(line, true);
    } else {
      std::fprintf(stderr, "%s\n", line.c_str());
    }
  }

  // Before the process ends: the screen lines when asked, output flushed,
  // the terminal restored.
  void finishOutput() {
    if (drawing) terminal.draw();
    terminal.stopReader();
    terminal.leave();
    if (options.screen) {
      if (!transcript) transcript = std::make_unique<Transcript>(stdout);
      transcript->screen();
    }
    if (transcript) transcript->flush();
    for (const auto& m : messages) std::fprintf(stderr, "%s\n", m.c_str());
    // Only our own streams: flushing all would wait for the lock of a stream
    // that the speech service's reader thread holds while it waits for data.
    std::fflush(stdout);
    std::fflush(stderr);
  }

  // Threads of the sound device and the speech engines may still run, so the
  // process ends without running destructors.
  [[noreturn]] void finish(int status) {
    finishOutput();
    exitNow(status);
  }

  // What Exit does while the program runs: the memory saved as it stands,
  // the sound released, the run abandoned.
  [[noreturn]] void leave() {
    running = false;
    if (transcript) transcript->exit();
    int status = 0;
    try {
      saveram();
    } catch (const Error& e) {
      report("ERROR", e.what());
      status = 1;
    }
    releaseSound();
    finish(status);
  }

  // Scripted keys: the first INKEY$ after the previous key was taken gets
  // the next one. Only INKEY$ delivers events outside a SOUND or speech wait.
  void deliverScriptKey() {
    if (!running || !keybuffer.empty() || soundplaying || speaking) return;
    if (nextkey >= script.size()) leave();
    const ScriptKey& k = script[nextkey++];
    if (transcript) transcript->key(k.line);
    keybuffer = k.text;
  }

  // A key from the terminal, on the UI thread: what key-down does in the
  // main window. There is no key release, so the code waits in keybuffer.
  void terminalKey(const TerminalKey& k) {
    if (k.leave) leave();
    if (k.redraw) {
      terminal.draw(true);
      return;
    }
    if (k.status) {
      terminal.toggleStatus();
      return;
    }
    try {
      StopSpeech();
    } catch (const Error& e) {
      report("ERROR", e.what());
    }
    endSoundWait();
    keybuffer = k.text;
  }

  // The text screen's line that the game writes, as the desktop shows it.
  void showBraille() {
    if (!braille) return;
    BrailleScreenLine line = brailleScreenLine();
    if (line.text == brailleshown.text && line.caret == brailleshown.caret) return;
    brailleshown = std::move(line);
    BrailleDisplay::instance().show(brailleshown.text, brailleshown.caret);
  }

  // A key of the display: what the same key does on the PC keyboard.
  void brailleKey(const BrailleKey& k) {
    try {
      DisplayKey(k);
    } catch (const Error& e) {
      report("ERROR", e.what());
    }
  }

  void startBraille() {
    if (virtualhost || !brailledisplay) return;
    braille = true;
    auto& display = BrailleDisplay::instance();
    display.onKey = [this](const BrailleKey& k) { brailleKey(k); };
    display.setEnabled(true);
    display.focusProgram();
    showBraille();
  }

  void redraw() {
    if (!drawing) return;
    if (scrcursor.row() == lastrow && scrcursor.column() == lastcolumn) return;
    lastrow = scrcursor.row();
    lastcolumn = scrcursor.column();
    terminal.draw();
  }

  int run();
  void startUp();
};

// The main window's creation as the desktop program runs it. On the virtual
// clock there is no speech engine and no sound output, and the settings file
// is read but never written, so a test run does not change what the player
// has chosen. The sound bank is read and its items are looked up as always;
// with no output, SOUND lasts its duration through its Timer on the virtual
// clock, and CLICK and BEEP sleep for their recording's length. (Rendering
// hours of virtual audio nobody hears would cost far more than the game.)
void Runner::startUp() {
  StartOptions start;
  if (virtualhost) {
    start.speech = false;
    start.audio = StartOptions::Audio::None;
    start.writeSettings = false;
  } else {
    installSpeechHooks();
  }
  try {
    mainwindow::FormCreate(start);
  } catch (const Error& e) {
    // As in the main window: the remaining start-up steps are skipped.
    host->reportError(e.what());
  }
  if (!start.speech) return;
  try {
    VoiceDialogCreate();
  } catch (const Error& e) {
    host->reportError(e.what());
  }
}

int Runner::run() {
  interactive = !options.script;
#ifdef __EMSCRIPTEN__
  // Under Node there are neither threads for the terminal, a sound device
  // nor a speech engine: the runner plays key scripts on the virtual clock.
  if (interactive || !options.virtualclock) usage("under Node drumrun plays a --script on the --virtual clock");
#endif
  if (interactive && !isatty(STDIN_FILENO)) usage("standard input is not a terminal: give the keys with --script");

  if (options.script) {
    std::string error;
    bool ok;
    if (*options.script == "-") {
      ok = readScript(std::cin, script, error);
    } else {
      std::ifstream in(*options.script, std::ios::binary);
      if (!in) usage("cannot read the script " + *options.script);
      ok = readScript(in, script, error);
    }
    if (!ok) usage(*options.script + ": " + error);
  }
  if (interactive) blockTerminalSignals();

  if (options.virtualclock) {
    std::tm start = options.time ? parseTime(*options.time) : VirtualHost::defaultStart();
    // The program seeds its generator from the clock. The virtual clock's
    // calendar day, which TIME$ does not show, carries the seed, and its
    // time zone is UTC, so a run repeats exactly on any machine.
    setenv("TZ", "UTC", 1);
    tzset();
    // Seeds below a million are days (within 2,738 years); each further
    // million moves on 3,000 years, so no two seeds share a date.
    const std::uint32_t seed = parseSeed(options.seed.value_or("1"));
    start.tm_mday = 1 + static_cast<int>(seed % 1000000u);
    start.tm_year += 3000 * static_cast<int>(seed / 1000000u);
    auto vh = std::make_unique<VirtualHost>(start);
    virtualhost = vh.get();
    host = std::move(vh);
  } else {
    auto rh = std::make_unique<RealHost>();
    realhost = rh.get();
    host = std::move(rh);
  }
  setHost(host.get());
  // In a terminal the key reader takes the signals as the keys that leave;
  // otherwise they leave as Exit does, the game saved.
  if (realhost && !interactive) catchStopSignals(*host, [this] { leave(); });
  try {
    const FileLocations where = locateFiles(executablePath(), currentHomeFolders());
    enterFileLocations(where);
    setSettingsPath(where.settingsFile);
  } catch (const Error& e) {
    std::fprintf(stderr, "drumrun: %s\n", cp1250ToUtf8(escapeControls(e.what())).c_str());
    return 1;
  }

  if (options.transcript) {
    // In real time each line is worth seeing as it happens.
    // On the virtual clock only the whole matters: written in large blocks.
    // The block is ours: some C libraries (the WebAssembly build's) keep
    // their small one when given none, and write every few lines.
    static char block[1 << 16];
    if (!virtualhost) std::setvbuf(stdout, nullptr, _IOLBF, 0);
    else std::setvbuf(stdout, block, _IOFBF, sizeof block);
    transcript = std::make_unique<Transcript>(stdout);
    transcript->observe();
  }
  setRunObserver([this](bool on) { running = on; });
  if (transcript) tracehooks.end = [this] { transcript->end(); };

  auto& queuehost = static_cast<QueueHost&>(*host);
  queuehost.onMessageBox = [this](const std::string& t) {
    report("MSGBOX", t);
    // As the desktop's message boxes do, said as well as shown: a player
    // who cannot see the terminal hears why, say, a second copy ends.
    if (!realhost) return;
    try {
      SpeakWindowText(t);
    } catch (const Error&) {
    }
  };
  queuehost.onError = [this](const std::string& t) { report("ERROR", t); };
  queuehost.setDeliveryHook([this] {
    showBraille();
    if (interactive) redraw();
    else deliverScriptKey();
  });
  if (realhost) realhost->beforeTerminate = [this] { finishOutput(); };

  initRuntime();
  try {
    startUp();
  } catch (const ProcessTerminated& t) {
    finish(t.status);
  }

  // PRINT hands its text to speech; the transcript sees it, and no key
  // arrives while it is being spoken.
  auto speak = virtualhost ? std::function<void(const std::string&)>() : speaktexthook;
  speaktexthook = [this, speak](const std::string& text) {
    if (transcript) transcript->say(text);
    if (!speak) return;
    speaking = true;
    try {
      speak(text);
    } catch (...) {
      speaking = false;
      throw;
    }
    speaking = false;
  };

  // The screen observer runs inside PRINT, before the cursor has moved: the
  // display is written once the statement is done, as in the window.
  const auto brailleLater = [this] {
    if (braille) host->post([this] { showBraille(); });
  };
  startBraille();
  if (braille) printmemo.setObserver(brailleLater);
  if (interactive && !options.transcript && isatty(STDOUT_FILENO) && terminal.enter(true)) {
    drawing = true;
    printmemo.setObserver([this, brailleLater] {
      lastrow = -1;
      terminal.draw();
      brailleLater();
    });
    terminal.setStatus(" ? codes  p rules  Esc saves and ends  Ctrl+C quits unsaved  F1 this line ");
  } else if (interactive) {
    terminal.enter(false);  // raw keys all the same
  }
  if (interactive) {
    terminal.startReader([this](const TerminalKey& k) { postToHost([this, k] { terminalKey(k); }); });
  }

  int status = 0;
  try {
    mainwindow::StartsubmenuClick();
  } catch (const ProcessTerminated& t) {
    finish(t.status);
  } catch (const Error& e) {
    running = false;
    host->reportError(e.what());
    status = 1;
  }
  running = false;
  try {
    saveram();
  } catch (const Error& e) {
    host->reportError(e.what());
    status = 1;
  }
  releaseSound();
  finish(status);
}

}  // namespace
}  // namespace drum

int main(int argc, char** argv) {
  drum::Runner runner;
  runner.options = drum::parse(argc, argv);
  return runner.run();
}
