#include "shell/session/startup.h"

#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <optional>

#include "input/brailletables.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/filelocations.h"
#include "platform/host.h"
#include "platform/userfile.h"
#include "program/oskprog.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/messages.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum {

namespace {

// clang-format off
const std::array<MenuEntry, kMenuItems> kMenu = {{
    {MenuItem::Programmenu,         "Programmenu",         -1,  2, false, 0,   false},
    {MenuItem::Startsubmenu,        "Startsubmenu",         0,  3, false, 'S', false},
    {MenuItem::exitsubmenu,         "exitsubmenu",          0, 33, false, 0,   false},
    {MenuItem::settingsmenu,        "settingsmenu",        -1,  4, false, 0,   false},
    {MenuItem::braillekeyboarditem, "braillekeyboarditem",  3, 46, false, 'B', true},
    {MenuItem::soundssubmenu,       "soundssubmenu",        3, 20, true,  'D', false},
    {MenuItem::Voicesubmenu,        "Voicesubmenu",         3, 38, true,  'H', false},
    {MenuItem::usesapi5submenu,     "usesapi5submenu",      3, 27, false, 'P', true},
    {MenuItem::environmentsubmenu,  "environmentsubmenu",   3,  5, true,  'E', false},
    {MenuItem::helpmenu,            "helpmenu",            -1, 34, false, 0,   false},
    {MenuItem::aboutsubmenu,        "aboutsubmenu",         9, 35, false, 0,   false},
}};
// clang-format on

const std::array<MenuItem, 6> kRunItems = {MenuItem::Startsubmenu,       MenuItem::soundssubmenu,
                                           MenuItem::environmentsubmenu, MenuItem::Voicesubmenu,
                                           MenuItem::usesapi5submenu,    MenuItem::helpmenu};

std::array<bool, kMenuItems> enabled = [] {
  std::array<bool, kMenuItems> all{};
  all.fill(true);
  all[static_cast<int>(MenuItem::Voicesubmenu)] = false;  // as designed; start-up decides
  return all;
}();

std::function<void()> observer;
std::function<void(bool)> runobserver;
std::function<void()> closer;
StartOptions options;
int runningdepth = 0;
OpenUserFile datafile;
std::string caption;  // the main window's, as set at its creation

// The settings file holds the player's choices, not the game: one that
// cannot be read or written is told once in the session, and start-up and
// Start go on with the defaults. Any other error goes to the caller.
bool settingsReported = false;

template <class Step>
void settingsStep(Step&& step) {
  try {
    step();
  } catch (const FileError& e) {
    if (e.path() != shownPath(settingsFile().path())) throw;
    if (!settingsReported) host().reportError(e.what());
    settingsReported = true;
  }
}

// The game's folder as the player should read it.
std::string gameFolderShown() {
  std::error_code ec;
  const auto here = std::filesystem::current_path(ec);
  return ec ? std::string(".") : utf8ToCp1250(here.string());
}

// Two copies on one game would each overwrite the other's game when they
// save: the second one says so and ends before it has touched anything.
void holdTheGame() {
  if (holdGameFolder()) return;
  // Said as well as shown (unless the player turned the voice off): the
  // voice is brought up for it, the settings file only read.
  if (options.speech) {
    InitSpeechEngines();
    try {
      voiceallowed = settingsFile().readBool("voice", "voiceallowed", true);
    } catch (const Error&) {
      voiceallowed = true;
    }
  }
  host().messageBox(ownText(OwnText::alreadyRunning, languagebase, gameFolderShown()));
  host().terminate(1);
}

// A new player (no "ram.dat" yet) starts from the won game shipped beside
// the sound bank: the first Start then shuffles a new game, as after every
// win, instead of showing an empty board. Nothing is lost when it cannot
// be had; the save check below tells of a folder that cannot be written.
void firstGame() {
  struct stat st {};
  if (::lstat("ram.dat", &st) == 0 || errno != ENOENT) return;
  try {
    if (const auto image = readUserFile(gameFile("start.dat"), kRamSize)) writeUserFile("ram.dat", *image);
  } catch (const Error&) {
  }
}

// Told before the first Start, not after the game: a save that will be
// refused, or one that can only be written in place.
void checkTheSave() {
  if (!ramLoaded()) return;  // such a save is refused with its own reason
  const SaveCheck check = checkSave("ram.dat", kRamSize);
  std::string note;
  if (!check.refusal.empty()) {
    std::string why = check.refusal;
    if (why.ends_with('.')) why.pop_back();
    note = ownText(OwnText::cannotSave, languagebase, why);
  } else if (check.inPlace) {
    note = ownText(OwnText::savesInPlace, languagebase, gameFolderShown());
  }
  if (!note.empty()) host().post([note] { host().messageBox(note); });
}

void setRunItems(bool on) {
  for (MenuItem item : kRunItems) enabled[static_cast<int>(item)] = on;
  menuChanged();
}

void openDataFile() {
  datafile.close();
  // Missing: the run goes on without it. Anything but a readable file is refused.
  if (auto file = openUserFile("data.dta")) datafile = std::move(*file);
}

void closeDataFile() { datafile.close(); }

// Errors in releasing are of no interest on the way out.
void releaseQuietly() { releaseSound(); }

void twoTones(double first, double second) {
  sound({first}, 50, 3);
  sound({second}, 50, 3);
}

struct RunDepth {
  RunDepth() {
    ++runningdepth;
    if (runobserver) runobserver(true);
  }
  ~RunDepth() {
    --runningdepth;
    if (runobserver) runobserver(false);
  }
};

}  // namespace

const std::array<MenuEntry, kMenuItems>& menuTable() { return kMenu; }
const MenuEntry& menuEntry(MenuItem item) { return kMenu[static_cast<int>(item)]; }

std::string menuCaption(MenuItem item) {
  const MenuEntry& entry = menuEntry(item);
  return LocalString(entry.message) + (entry.ellipsis ? "..." : "");
}

bool menuEnabled(MenuItem item) { return enabled[static_cast<int>(item)]; }

void setMenuEnabled(MenuItem item, bool on) {
  enabled[static_cast<int>(item)] = on;
  menuChanged();
}

bool menuChecked(MenuItem item) {
  if (item == MenuItem::usesapi5submenu) return usesapi5checked;
  if (item == MenuItem::braillekeyboarditem) return braillekeyboardchecked;
  return false;
}

void setMenuObserver(std::function<void()> fn) { observer = std::move(fn); }
void setRunObserver(std::function<void(bool)> fn) { runobserver = std::move(fn); }
void menuChanged() {
  if (observer) observer();
}

const std::array<MenuItem, 6>& runMenuItems() { return kRunItems; }

std::string mainCaption() { return caption.empty() ? mainWindowCaption() : caption; }

bool programRunning() { return runningdepth > 0; }
bool dataFileOpen() { return datafile.isOpen(); }

std::string mainWindowCaption(const std::string& executable) {
  std::string path = executable;
  if (path.empty()) path = executablePath();
  std::string name = std::filesystem::path(path).filename().string();
  name = name.substr(0, name.find('.'));
  return utf8ToCp1250(name) + " - " + LocalString(1);
}

namespace mainwindow {

const StartOptions& startOptions() { return options; }

void FormCreate(const StartOptions& given, const std::function<void()>& captions) {
  // No sound device: said once, when the steps are over or have stopped at
  // an error. Said in the middle, any wait of a later step would show the
  // box and hold the start-up (the settings file unwritten) until answered.
  struct SilenceNotice {
    ~SilenceNotice() { reportSilentOutput(); }
  } notice;
  options = given;
  settingsFile().setWritable(options.writeSettings);
  resetFlags();
  settingsReported = false;
  settingsStep(TResourceLocalizer::ReadLanguage);
  holdTheGame();
  removeStaleTemporaries({settingsFile().path(), "ram.dat"});  // left by a save that was killed
  caption = mainWindowCaption();
  if (captions) captions();

  printmemo.clear();
  printmemo.fill();


  if (options.speech) InitSpeechEngines();  // opens the sound output for speech
  settingsStep(TResourceLocalizer::LoadSettings);
  sapi5inuse = usesapi5checked;
  voiceready = usesapi5checked;
  enabled[static_cast<int>(MenuItem::Voicesubmenu)] = voiceallowed && !sapi5inuse;
  menuChanged();

  ram.fill(0);
  firstGame();
  loadram();
  checkTheSave();

  // The device, and the bank bound to it. Without an output the bank is
  // still read: SOUND, CLICK and BEEP look up their items all the same.
  if (options.audio != StartOptions::Audio::None) initSound(options.audio == StartOptions::Audio::Virtual);
  // "sounds.dat"; missing: message 42 and the end. A damaged bank is told
  // after the last step: the game runs without its sounds, and the tables
  // of the steps below still serve.
  std::optional<Error> bankError;
  try {
    loadsoundbank();
  } catch (const Error& e) {
    bankError = e;
  }

  brailletablefile = gameFile("czech.ebt");
  LoadBrailleTable();
  currentprefix.clear();
  keyfile = gameFile(LocalString(24) + ".eky");
  LoadKeyFile();
  if (bankError) throw *bankError;
}

void StartsubmenuClick() {
  setRunItems(false);
  if (options.speech && !sapi5inuse) {
    if (voiceallowed) settingsStep(LoadVoiceSettings);
    if (!voiceready && voiceallowed) {
      SelectVoice();
      settingsStep(SaveVoiceSettings);
      settingsStep(LoadVoiceSettings);
    }
  }
  openDataFile();
  programstarted = true;
  {
    RunDepth running;
    resetruntime();
    runprogram();
  }
  printstring(LocalString(25), 0);
  closeDataFile();  // closing a file that was never opened is no error here
  setRunItems(true);
}

void exitsubmenuClick() {
  saveRamOnExit();
  if (menuEnabled(MenuItem::Startsubmenu)) {
    if (closer) {
      closer();
    } else {
      FormClose();
      host().terminate(0);
    }
    return;
  }
  releaseQuietly();
  host().terminate(0);
}

void FormClose() {
  saveRamOnExit();
  releaseQuietly();
  if (programRunning()) host().terminate(0);
}

void usesapi5submenuClick() {
  usesapi5checked = !usesapi5checked;
  sapi5inuse = usesapi5checked;
  voiceready = usesapi5checked;
  enabled[static_cast<int>(MenuItem::Voicesubmenu)] = !usesapi5checked;
  menuChanged();
  WriteSapi5Mark(usesapi5checked);
  // The service, chosen now, is reached (and started) while the tones play.
  if (usesapi5checked && options.speech) voice5().SetEventInterests(SVEAllEvents);
  if (usesapi5checked)
    twoTones(400, 600);
  else
    twoTones(600, 400);
}

void setCloser(std::function<void()> fn) { closer = std::move(fn); }

}  // namespace mainwindow

}  // namespace drum
