// The main window without the window: its creation steps, its menu with the
// state of every item, and the commands Start, Exit, the close handler and
// the SAPI5 switch. The desktop program shows this state in its menu bar;
// the terminal runner uses the same steps, so both start and run alike.
#pragma once
#include <array>
#include <functional>
#include <string>

namespace drum {

enum class MenuItem {
  Programmenu,
  Startsubmenu,
  exitsubmenu,
  settingsmenu,
  braillekeyboarditem,
  soundssubmenu,
  Voicesubmenu,
  usesapi5submenu,
  environmentsubmenu,
  helpmenu,
  aboutsubmenu,
};
constexpr int kMenuItems = 11;

struct MenuEntry {
  MenuItem item;
  const char* name;  // the component's name
  int parent;        // index of the parent entry; -1 for the menu bar
  int message;       // caption: message number
  bool ellipsis;     // caption gets "..." (the item opens a dialog)
  char shortcut;     // Ctrl + this letter, or 0
  bool checkitem;    // shows a radio-style check mark
};

// Every item in menu order.
const std::array<MenuEntry, kMenuItems>& menuTable();
const MenuEntry& menuEntry(MenuItem item);

// Caption from the message table: message n, with "..." where shown.
std::string menuCaption(MenuItem item);
bool menuEnabled(MenuItem item);
void setMenuEnabled(MenuItem item, bool enabled);
// The check marks are the flags usesapi5checked and braillekeyboardchecked.
bool menuChecked(MenuItem item);
// Called whenever the state of an item may have changed, so a window can show it.
void setMenuObserver(std::function<void()> observer);
void menuChanged();

// The main window's caption: the executable's file name up to its first "."
// (no directory), " - ", message 1. `executable` defaults to this process's.
std::string mainWindowCaption(const std::string& executable = {});
// The caption the main window got at its creation (step 2). A language
// chosen later changes the texts fetched from then on, not this caption.
std::string mainCaption();

// The six items that Start disables and enables again.
const std::array<MenuItem, 6>& runMenuItems();

// A run of the translated program is in progress.
bool programRunning();

// How a session meets the machine. The desktop program takes the defaults;
// drumrun in a terminal the same; drumrun --virtual and the tests run
// without speech engines, and --virtual without any sound output and without
// writing the settings file, so a test run never changes what a player chose.
struct StartOptions {
  enum class Audio {
    Device,   // the sound card (SDL2); the silent clock when none opens
    Virtual,  // rendered on the virtual clock (host() must be a VirtualHost)
    None,     // no output: SOUND lasts its time by its Timer, CLICK and BEEP sleep
  };
  bool speech = true;  // the speech engines, and Start's voice preparation
  Audio audio = Audio::Device;
  bool writeSettings = true;
};

// Told true when the translated program begins and false when it has
// returned (or failed): the window between them is when game keys go in.
void setRunObserver(std::function<void(bool running)> observer);

namespace mainwindow {

// Creation of the main window, steps 1 and 4 to 13: language, text screen,
// flags, speech engines, settings, menu states, memory, sound bank, Braille
// and key tables. The window sets its caption and menu captions in between
// (`captions`, after the language is read). An error ends the steps there and
// goes to the caller, who reports it. The options hold for the session, the
// Start command included.
void FormCreate(const StartOptions& options = {}, const std::function<void()>& captions = {});
const StartOptions& startOptions();

// Program / Start: runs the translated program with the menu items that
// could interfere disabled, then prints message 25.
void StartsubmenuClick();
// Program / Exit: saves the memory; closes the main window when idle, else
// ends the process at once, abandoning the run.
void exitsubmenuClick();
// The main window is closing: saves the memory and releases the sound
// objects; during a run the process ends at once.
void FormClose();
// Settings / Use SAPI5 voice.
void usesapi5submenuClick();

// How the main window is closed (the window installs its own). Without a
// window, closing runs FormClose and ends the process.
void setCloser(std::function<void()> closer);

}  // namespace mainwindow

// The data file "data.dta" is open (during a run, when it exists).
bool dataFileOpen();

}  // namespace drum
