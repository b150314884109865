// The main window's keyboard without a window: held keys are a set the test
// fills, sounds play on the virtual clock, speech goes to the scripted
// engines, the shipped Braille table and key file are loaded, and the
// memory image and settings file lie in a private folder.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "support/scriptedspeech.h"
#include "input/screenreview.h"
#include "platform/cp1250.h"
#include "platform/error.h"
#include "platform/virtualhost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundbank.h"
#include "runtime/soundfixture.h"
#include "runtime/soundsystem.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "speech/speech.h"
#include "speech/voicemodels.h"
#include "support/tempdir.h"

namespace drum::keyboardtest {

class HeldKeys : public KeyState {
 public:
  bool isKeyDown(int key) const override { return held.count(key) > 0; }
  std::set<int> held;
};

// What the tests heard: SOUND and CLICK calls as "sound 300+450/100/5" and
// "click 16", in order with the texts spoken.
struct Heard {
  std::vector<std::string> events;
  void clear() { events.clear(); }
};

inline std::string number(double v) {
  std::string s = std::to_string(v);
  s.erase(s.find_last_not_of('0') + 1);
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s;
}

// Every sound the bank is asked for in these tests.
inline std::vector<SoundItem> testbank() {
  std::vector<SoundItem> items;
  for (int position = 1; position <= 4; ++position)
    for (int voice = 0; voice <= 9; ++voice)
      items.push_back(toneItem("snd" + std::to_string(position) + std::to_string(voice)));
  for (int n : {2, 9, 16, 19}) items.push_back(clickItem("click" + std::to_string(n), 10));
  items.push_back(clickItem("beep", 30));
  return items;
}

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&clock);
    setKeyState(&keys);
    setSpeechPlatform(&speech);
    ASSERT_FALSE(folder_.path().empty());
    dir = folder_.path();
    olddir = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    setSettingsPath(dir + "/drum.ini");

    resetFlags();
    languagebase = 2000;
    // The service's voice: every text it is given is written down.
    sapi5inuse = true;
    voiceready = true;
    voiceallowed = true;
    soundplaying = false;
    keybuffer.clear();
    pendingkey.clear();
    chord.clear();
    resetMemory();
    loadram();  // no image in the fresh folder: the memory is loaded as at start-up
    wordseparators = {'\r', ' ', ','};
    reviewedgeflag = false;

    initSound(true);
    soundbank.assign(testbank());
    tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
      std::string v;
      for (double x : values) v += (v.empty() ? "" : "+") + number(x);
      heard.events.push_back("sound " + v + "/" + number(duration) + "/" + number(voice));
    };
    tracehooks.click = [this](double n) { heard.events.push_back("click " + number(n)); };

    brailletablefile = std::string(DRUM_SOURCE_DIR) + "/data/czech.ebt";
    LoadBrailleTable();
    keyfile = std::string(DRUM_SOURCE_DIR) + "/data/english.eky";
    LoadKeyFile();
    currentprefix.clear();
  }

  void TearDown() override {
    tracehooks = TraceHooks{};
    releaseSound();
    ReleaseSpeech();
    setSpeechPlatform(nullptr);
    setKeyState(nullptr);
    setReviewWindow(nullptr);
    std::filesystem::current_path(olddir);
    setHost(nullptr);
  }

  // A key going down and coming up, as the window reports it.
  void down(int key, ShiftState shift = {}) {
    keys.held.insert(key);
    FormKeyDown(key, shift);
  }
  void press(char c) { FormKeyPress(c); }
  void up(int key, ShiftState shift = {}) {
    keys.held.erase(key);
    FormKeyUp(key, shift);
  }
  // A character key typed on its own.
  void type(int key, char c, ShiftState shift = {}) {
    down(key, shift);
    press(c);
    up(key, shift);
  }

  std::string readFile(const std::string& name) const {
    std::ifstream in(dir + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  VirtualHost clock;
  HeldKeys keys;
  scripted::Platform speech;
  Heard heard;
  testing::TempDir folder_{"drum-keys"};  // removed after TearDown
  std::string dir;
  std::filesystem::path olddir;
};

}  // namespace drum::keyboardtest
