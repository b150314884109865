// drum in a browser: what the desktop program's windows do, as calls on the
// page (web/BRIDGE.md). The page shows the screen, the menu and the dialogs;
// here their events become the same core calls the Qt windows make. The loop
// is the core's own: main waits for events, and every wait yields to the
// browser.
#include <emscripten.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "input/chordkeyboard.h"
#include "input/inputdialog.h"
#include "input/keyboardinput.h"
#include "input/screenreview.h"
#include "json.h"
#include "page.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/filelocations.h"
#include "platform/userfile.h"
#include "platform/virtualhost.h"
#include "runtime/oskcommands.h"
#include "shell/session/settingsdialogs.h"
#include "shell/session/startup.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/resourcelocalizer.h"
#include "speech/speech.h"
#include "speech/voicedialog.h"
#include "speech/voiceselection.h"
#include "webhost.h"
#include "webkeys.h"

namespace drum {
namespace {

constexpr const char* kGameFolder = "/game";
// The files the page's storage keeps for us.
const char* const kStored[] = {"ram.dat", "drum.ini", "data.dta"};

WebHost webhost;
KeyboardInput keyboard;

std::string utf8(const std::string& cp1250) { return cp1250ToUtf8(cp1250); }
std::string jtext(const std::string& cp1250) { return json::str(utf8(cp1250)); }

// An error that ends a command is reported, as the desktop's handlers do.
template <typename Fn>
bool guarded(Fn&& fn) {
  try {
    fn();
    return true;
  } catch (const ProcessTerminated& t) {
    host().terminate(t.status);
  } catch (const Error& e) {
    host().reportError(e.what());
  } catch (const std::exception& e) {
    host().reportError(utf8ToCp1250(e.what()));
  }
  return false;
}

// ---- The page's own words ----------------------------------------------------------------

// Texts only the browser has, from the message table in the interface language.
struct PageText {
  const char* key;
  int message;
};
constexpr PageText kPageTexts[] = {
    {"pressKey", 47},   {"exportItem", 48},    {"importItem", 49}, {"readerItem", 50},
    {"quotaFull", 51},  {"noStorage", 52},     {"ended", 53},      {"loadFailed", 54},
    {"exportNothing", 55}, {"importRunning", 56}, {"importSize", 57}, {"imported", 58},
    {"ok", 7},
};

std::string pageText(const std::string& key) {
  for (const PageText& t : kPageTexts)
    if (key == t.key) return LocalString(t.message);
  return {};
}

std::string pageTexts() {
  std::vector<std::pair<std::string, std::string>> fields;
  for (const PageText& t : kPageTexts) fields.emplace_back(t.key, jtext(LocalString(t.message)));
  fields.emplace_back("lang", json::str(languagebase == 1000 ? "cs" : languagebase == 3000 ? "sk" : "en"));
  return json::object(fields);
}

// ---- Modal dialogs ------------------------------------------------------------------

// The dialog the page shows now, and how it was closed.
struct Modal {
  std::string name;
  bool closed = false;
  bool ok = false;
  std::string control;  // the button that closed it
};
std::vector<Modal*> modals;

// Shows a dialog and delivers events until the page says it was closed.
bool runModal(const std::string& name, const std::string& model) {
  Modal m;
  m.name = name;
  modals.push_back(&m);
  page::call("openDialog", json::array({json::str(name), model}));
  while (!m.closed) host().waitForEvents(Millis(1000));
  modals.pop_back();
  return m.ok;
}

Modal* openModal(const std::string& name) {
  for (auto it = modals.rbegin(); it != modals.rend(); ++it)
    if ((*it)->name == name) return *it;
  return nullptr;
}

void closeModal(const std::string& name, bool ok, const std::string& control = {}) {
  if (Modal* m = openModal(name)) {
    m->closed = true;
    m->ok = ok;
    m->control = control;
  }
  page::call("closeDialog", json::array({json::str(name)}));
}

void messageBox(const std::string& text, bool error) {
  runModal("message", json::object({{"caption", jtext(mainCaption())}, {"text", jtext(text)},
                                    {"error", json::boolean(error)}}));
}

// ---- The screen, the caption, the menu -----------------------------------------------

bool screenPending = false;

void sendScreen() {
  screenPending = false;
  std::vector<std::string> lines;
  for (int row = 0; row < TextScreen::kRows; ++row) {
    std::string line = row < printmemo.count() ? printmemo.line(row) : std::string();
    // A control character the program printed must not break the line.
    for (char& c : line)
      if (static_cast<unsigned char>(c) < 32) c = ' ';
    lines.push_back(jtext(line));
  }
  page::call("screen", json::array({json::array(lines), json::num(scrcursor.row()), json::num(scrcursor.column())}));
}

void sendMenu() {
  std::vector<std::string> items;
  for (const MenuEntry& e : menuTable()) {
    items.push_back(json::object({
        {"item", json::str(e.name)},
        {"parent", json::num(e.parent)},
        // The desktop's speech-service switch: here the player's screen reader speaks.
        {"caption", jtext(e.item == MenuItem::usesapi5submenu ? LocalString(50) : menuCaption(e.item))},
        {"shortcut", json::str(e.shortcut ? std::string("Ctrl+") + e.shortcut : std::string())},
        {"checkable", json::boolean(e.checkitem)},
        {"checked", json::boolean(menuChecked(e.item))},
        {"enabled", json::boolean(menuEnabled(e.item))},
    }));
  }
  // Only a change is sent: the page rebuilds its menu bar for each.
  static std::string shown;
  std::string menu = json::array({json::array(items)});
  if (menu == shown) return;
  shown = std::move(menu);
  page::call("menu", shown);
}

void sendCaptions() {
  page::call("caption", json::array({jtext(mainCaption())}));
  page::call("texts", json::array({pageTexts()}));
  sendMenu();
}

// ---- Settings dialogs -----------------------------------------------------------------

class WebEnvironment : public EnvironmentDialog {
 public:
  bool showModal() override { return runModal("environment", model()); }
  void setEntries(const std::vector<LanguageEntry>& entries) override {
    entries_ = entries;
    index_ = -1;
  }
  int itemindex() const override { return index_; }
  void setItemIndex(int index) override {
    const int chosen = index >= 0 && index < static_cast<int>(entries_.size()) ? index : -1;
    if (chosen == index_) return;
    index_ = chosen;
    if (chosen >= 0) languagergroupClick(chosen);
    if (openModal("environment")) page::call("updateDialog", json::array({json::str("environment"), model()}));
  }
  void changed(int index) { setItemIndex(index); }

 private:
  std::string model() const {
    const EnvironmentCaptions c = environmentCaptions();
    std::vector<std::string> names;
    for (const auto& e : entries_) names.push_back(jtext(e.name));
    return json::object({{"caption", jtext(c.caption)}, {"group", jtext(c.languagergroup)},
                         {"ok", jtext(c.okbitbtn)}, {"cancel", jtext(c.cancelbitbtn)},
                         {"entries", json::array(names)}, {"selected", json::num(index_)}});
  }
  std::vector<LanguageEntry> entries_;
  int index_ = -1;
};

class WebSounds : public SoundsDialog {
 public:
  bool showModal() override { return runModal("sounds", model()); }
  bool voiceChecked() const override { return voice_; }
  void setVoiceChecked(bool on) override { voice_ = on; update(); }
  bool soundsChecked() const override { return sounds_; }
  void setSoundsChecked(bool on) override {
    sounds_ = on;
    volumeEnabled_ = on;  // the bar is usable only while the sounds are on
    update();
  }
  void setVolumePosition(int position) override {
    if (position == volume_) return;
    volume_ = position;
    sndvoltrackbarChange(position, openModal("sounds") != nullptr);
    update();
  }
  void setVolumeEnabled(bool on) override { volumeEnabled_ = on; update(); }

  void changed(const std::string& control, double value) {
    if (control == "voice") setVoiceChecked(value != 0);
    else if (control == "sounds") setSoundsChecked(value != 0);
    else if (control == "volume") setVolumePosition(static_cast<int>(value));
  }

 private:
  void update() {
    if (openModal("sounds")) page::call("updateDialog", json::array({json::str("sounds"), model()}));
  }
  std::string model() const {
    return json::object({
        {"caption", jtext(LocalString(21))},
        {"voice", json::object({{"label", jtext(LocalString(22))}, {"checked", json::boolean(voice_)}})},
        {"sounds", json::object({{"label", jtext(LocalString(39))}, {"checked", json::boolean(sounds_)}})},
        {"volume", json::object({{"label", jtext(LocalString(28))}, {"value", json::num(volume_)},
                                 {"enabled", json::boolean(volumeEnabled_)}})},
        {"ok", jtext(LocalString(7))},
        {"cancel", jtext(LocalString(8))},
    });
  }
  bool voice_ = false, sounds_ = false, volumeEnabled_ = true;
  int volume_ = 0;
};

class WebVoice : public SettingsDialog {
 public:
  WebVoice() {
    voicedialog.voicelist.onUpdate = [this] { update(); };
    for (TrackBarModel* bar : {&voicedialog.pitchtb, &voicedialog.speedtb, &voicedialog.volumetb})
      bar->onUpdate = [this] { update(); };
    voicedialog.isActiveWindow = [] { return openModal("voice") != nullptr; };
  }
  bool showModal() override {
    activated_ = false;
    const bool ok = runModal("voice", model());
    voicesettings::FormClose();
    return ok;
  }
  void focused(const std::string& control) {
    if (!activated_) {
      // The first focus of the open dialog: it names itself and the voice.
      activated_ = true;
      voicesettings::FormActivate();
      return;
    }
    if (control == "voices") voicesettings::voicelistEnter();
    else if (control == "pitch") voicesettings::pitchtbEnter();
    else if (control == "speed") voicesettings::speedtbEnter();
    else if (control == "volume") voicesettings::volumetbEnter();
    else if (control == "choose") voicesettings::vyberhlasbitbtnEnter();
    else if (control == "close") voicesettings::closebitbtnEnter();
  }
  void changed(const std::string& control, double value) {
    const int v = static_cast<int>(value);
    if (control == "voices") {
      voicedialog.voicelist.setItemIndex(v);
      voicelistClick();
    } else if (control == "pitch") {
      voicedialog.pitchtb.setPosition(v);
    } else if (control == "speed") {
      voicedialog.speedtb.setPosition(v);
    } else if (control == "volume") {
      voicedialog.volumetb.setPosition(v);
    }
  }

 private:
  static std::string bar(const LabelModel& label, const TrackBarModel& b) {
    return json::object({{"label", jtext(label.caption)}, {"min", json::num(b.min())}, {"max", json::num(b.max())},
                         {"value", json::num(b.position())}, {"enabled", json::boolean(b.enabled())}});
  }
  std::string model() const {
    const auto& list = voicedialog.voicelist;
    std::vector<std::string> names;
    for (const std::string& item : list.items()) names.push_back(jtext(item));
    return json::object({
        {"caption", jtext(voicedialog.caption)},
        {"voices", json::object({{"label", jtext(voicedialog.voicestatic.caption)}, {"entries", json::array(names)},
                                 {"selected", json::num(list.itemIndex())}})},
        {"pitch", bar(voicedialog.pitchstatic, voicedialog.pitchtb)},
        {"speed", bar(voicedialog.speedstatic, voicedialog.speedtb)},
        {"volume", bar(voicedialog.volumestatic, voicedialog.volumetb)},
        {"choose", jtext(voicedialog.vyberhlasbitbtn)},
        {"close", jtext(voicedialog.closebitbtn)},
    });
  }
  void update() {
    if (openModal("voice")) page::call("updateDialog", json::array({json::str("voice"), model()}));
  }
  bool activated_ = false;
};

// ---- The INPUT dialog and the review -------------------------------------------------

// The page's field counts UTF-16 units, the logic Windows-1250 bytes: the same
// characters, one for one.
class WebInput : public InputDialogWindow {
 public:
  std::string text() const override { return text_; }
  int caret() const override { return caret_; }
  void setText(const std::string& text, int caret) override {
    text_ = text;
    caret_ = caret;
    if (openModal("input")) page::call("inputText", json::array({jtext(text), json::num(caret)}));
  }
  bool showModal() override {
    inputdialog::inputeditEnter();
    const bool ok = runModal("input", json::object({{"caption", jtext(inputdialog::captions.caption)},
                                                     {"text", jtext(text_)}, {"caret", json::num(caret_)},
                                                     {"ok", jtext(inputdialog::captions.Enterbitbtn)},
                                                     {"exit", jtext(inputdialog::captions.exitprogrambtn)}}));
    inputdialog::FormClose();
    return ok;
  }
  void report(const std::string& field, int caret) {
    text_ = utf8ToCp1250(field);
    caret_ = caret;
  }

 private:
  std::string text_;
  int caret_ = 0;
};

class WebReview : public ReviewWindow {
 public:
  void setCopy(const std::string& copy) override {
    std::string shown;
    for (std::size_t i = 0; i < copy.size(); ++i) {
      if (copy[i] == '\r' && i + 1 < copy.size() && copy[i + 1] == '\n') {
        shown += '\n';
        ++i;
        continue;
      }
      shown += static_cast<unsigned char>(copy[i]) < 32 ? ' ' : copy[i];
    }
    shown_ = shown;
  }
  void showModal() override {
    runModal("review", json::object({{"caption", jtext(reviewCaption())}, {"close", jtext(reviewCloseCaption())},
                                     {"text", jtext(shown_)}}));
  }
  void close() override { closeModal("review", false); }
  // The page's caret (a "\n" is one) as the logic counts it (CR LF is two).
  int caret(int shown) const {
    int lines = 0;
    for (int i = 0; i < shown && i < static_cast<int>(shown_.size()); ++i) lines += shown_[i] == '\n';
    return shown + lines;
  }

 private:
  std::string shown_;
};

WebEnvironment environment;
WebSounds sounds;
std::unique_ptr<WebVoice> voice;
WebInput input;
WebReview review;

// ---- Events of the page ----------------------------------------------------------------

void command(const std::string& item);

void key() {
  const bool down = page::flag("down");
  const std::string target = page::text("target");
  KeyEvent e;
  e.key = webVirtualKey(page::text("code"), page::text("key"));
  e.shift = ShiftState{page::flag("shift"), page::flag("ctrl"), page::flag("alt")};
  e.autorepeat = page::flag("repeat");
  e.receiver = target == "main" || target.empty() ? KeyEvent::Receiver::MainWindow : KeyEvent::Receiver::Other;
  if (down) e.typed = webTypedCharacter(page::text("key"), e.shift.ctrl, e.shift.alt);

  if (target == "input" && openModal("input")) {
    input.report(page::text("text"), static_cast<int>(page::number("caret")));
    if (down) {
      keyboard.press(e);
      guarded([&] { inputdialog::inputeditKeyDown(e.key, e.shift, input.text(), input.caret(), e.typed); });
      if (braillemode && e.typed && !lastKeyPressRepeated()) guarded([&] { inputdialog::inputeditKeyPress(*e.typed); });
    } else {
      keyboard.release(e);
      guarded([&] { inputdialog::inputeditKeyUp(e.key, e.shift); });
    }
    return;
  }
  if (target == "review" && openModal("review")) {
    const int caret = review.caret(static_cast<int>(page::number("caret")));
    if (down) {
      keyboard.press(e);
      guarded([&] { virtualscrmemoKeyDown(e.key, e.shift, caret); });
    } else {
      keyboard.release(e);
      guarded([&] { virtualscrmemoKeyUp(e.key, e.shift, caret); });
    }
    return;
  }
  // The menu's shortcuts, while their items are enabled, as the desktop's
  // menu takes them before the window sees the key.
  if (down && e.shift.ctrl && !e.shift.alt && !e.autorepeat && e.key >= vk::KeyA && e.key <= vk::KeyA + 25) {
    for (const MenuEntry& entry : menuTable()) {
      if (entry.shortcut != static_cast<char>(e.key) || !menuEnabled(entry.item)) continue;
      command(entry.name);
      return;
    }
  }
  if (down) keyboard.press(e);
  else keyboard.release(e);
}

void dialogEvent() {
  const std::string dialog = page::text("dialog");
  const std::string action = page::text("action");
  const std::string control = page::text("control");
  if (action == "close") {
    if (dialog == "input" && control == "exit") {
      guarded(inputdialog::exitprogrambtnClick);
      return;
    }
    closeModal(dialog, page::flag("ok"), control);
    return;
  }
  if (!openModal(dialog)) return;
  if (action == "focus") {
    if (dialog == "voice") guarded([&] { voice->focused(control); });
    else if (dialog == "input" && control == "edit") guarded(inputdialog::inputeditEnter);
    else if (dialog == "input" && control == "ok") guarded(inputdialog::EnterbitbtnEnter);
    else if (dialog == "input" && control == "exit") guarded(inputdialog::exitprogrambtnEnter);
    return;
  }
  if (action != "change") return;
  const double value = page::number("value");
  if (dialog == "environment" && control == "language") guarded([&] { environment.changed(static_cast<int>(value)); });
  else if (dialog == "sounds") guarded([&] { sounds.changed(control, value); });
  else if (dialog == "voice") guarded([&] { voice->changed(control, value); });
}

// Export: the memory as it is stored now, as a file to download.
void exportGame() {
  if (ramLoaded()) saveram();
  const std::optional<std::string> image = readUserFile("ram.dat", 65536);
  if (!image) throw Error(pageText("exportNothing"));
  page::download("ram.dat", *image);
}

// Import: a memory image from another machine, when no game runs.
void importGame(const std::string& bytes) {
  if (programRunning()) throw Error(pageText("importRunning"));
  if (bytes.size() != 65536) throw Error(pageText("importSize"));
  writeUserFile("ram.dat", bytes);
  loadram();
  page::ramImage(ram.data());
  host().messageBox(pageText("imported"));
}

void command(const std::string& item) {
  if (item == "export") {
    guarded(exportGame);
    return;
  }
  for (const MenuEntry& e : menuTable()) {
    if (item != e.name) continue;
    if (!menuEnabled(e.item)) return;
    switch (e.item) {
      case MenuItem::Startsubmenu: guarded(mainwindow::StartsubmenuClick); break;
      case MenuItem::exitsubmenu: guarded(mainwindow::exitsubmenuClick); break;
      case MenuItem::braillekeyboarditem: guarded(braillekeyboarditemClick); break;
      case MenuItem::usesapi5submenu: guarded(mainwindow::usesapi5submenuClick); break;
      case MenuItem::soundssubmenu: guarded([] { soundssubmenuClick(sounds); }); break;
      case MenuItem::Voicesubmenu: guarded([] { VoicesubmenuClick(*voice); }); break;
      case MenuItem::environmentsubmenu: guarded([] { environmentsubmenuClick(environment); }); break;
      case MenuItem::aboutsubmenu:
        runModal("about", json::object({{"caption", jtext(LocalString(36))},
                                        {"text", jtext(LocalString(1) + "\n" + LocalString(37) + " " + DRUM_VERSION)},
                                        {"ok", jtext(LocalString(7))}}));
        break;
      default: break;
    }
    sendMenu();
  }
}

void pageEvent() {
  const std::string type = page::text("type");
  if (type == "key") key();
  else if (type == "menu") command(page::text("item"));
  else if (type == "dialog") dialogEvent();
  else if (type == "import") guarded([] { importGame(page::bytes("bytes")); });
  else if (type == "focus" && !page::flag("on")) keyboard.clear();
}

// ---- Start -----------------------------------------------------------------------------

// The stored files are brought into the game folder before anything reads
// them; every later write of one is stored again, in one transaction.
void loadStoredFiles() {
  for (const char* name : kStored) {
    const std::optional<std::string> bytes = page::storageGet(name);
    if (!bytes) continue;
    std::ofstream out(std::string(kGameFolder) + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes->data(), static_cast<std::streamsize>(bytes->size()));
  }
  setUserFileStore([](const std::string& path, std::string_view data) -> std::string {
    const std::string name = path.substr(path.rfind('/') + 1);
    for (const char* stored : kStored)
      if (name == stored) return page::storagePut(name, std::string(data));
    return {};
  });
}

void start() {
  setHost(&webhost);
  webhost.onPageEvent = pageEvent;
  webhost.onMessageBox = [](const std::string& text) { messageBox(text, false); };
  webhost.onError = [](const std::string& text) { messageBox(text, true); };
  keyboard.runhandler = [](const std::function<void()>& fn) { guarded(fn); };
  setKeyState(&keyboard);

  // The data lie in /game as in a portable game folder, which is where the
  // desktop program runs too.
  if (::chdir(kGameFolder) != 0) host().reportError("The game's files were not loaded.");
  loadStoredFiles();
  try {
    const FileLocations where = locateFiles(executablePath(), currentHomeFolders());
    enterFileLocations(where);
    setSettingsPath(where.settingsFile);
  } catch (const Error& e) {
    host().reportError(e.what());
    host().terminate(1);
  }
  initRuntime();
  installSpeechHooks();

  printmemo.setObserver([] {
    // Many changes come in a row (a PRINT that scrolls): sent at once when
    // events are next delivered.
    if (screenPending) return;
    screenPending = true;
    host().post(sendScreen);
  });
  setMenuObserver(sendMenu);
  mainwindow::setCloser([] { host().terminate(0); });
  setInputDialogWindow(&input);
  setReviewWindow(&review);

  // The windows' creation in the desktop's order: the main window, the INPUT
  // dialog, Environment, Voice.
  guarded([] { mainwindow::FormCreate({}, sendCaptions); });
  guarded(inputdialog::FormCreate);
  guarded([] { EnvironmentFormCreate(environment); });
  voice = std::make_unique<WebVoice>();
  guarded(VoiceDialogCreate);
  sendCaptions();
  sendScreen();
  // The page keeps the memory image when it goes away, once it is ours to write.
  if (ramLoaded()) page::ramImage(ram.data());
}

}  // namespace
}  // namespace drum

int main() {
  drum::start();
  for (;;) drum::host().waitForEvents(drum::Millis(60000));
}
