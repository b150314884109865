// The main window's steps without the window, in a private game folder: the
// shipped Braille table and key files, a sound bank written here, a settings
// file beside them, speech to the scripted engines, the virtual clock.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "input/keyboardfixture.h"
#include "program/oskprog.h"
#include "shell/settings/resourcelocalizer.h"
#include "shell/session/startup.h"
#include "speech/voiceselection.h"
#include "shell/settings/flags.h"
#include "support/tempdir.h"

namespace drum::sessiontest {

using keyboardtest::HeldKeys;
using keyboardtest::number;
using keyboardtest::testbank;

class SessionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&clock);
    resetFlags();
    setKeyState(&keys);
    setSpeechPlatform(&speech);
    installSpeechHooks();
    ASSERT_FALSE(folder_.path().empty());
    dir = folder_.path();
    olddir = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    setSettingsPath(dir + "/drum.ini");
    for (const char* name : {"czech.ebt", "czech.eky", "english.eky", "slovak.eky"})
      std::filesystem::copy_file(std::string(DRUM_SOURCE_DIR) + "/data/" + name, dir + "/" + name);
    writeFile("sounds.dat", writeSoundBank(testbank()));
    for (MenuItem item : runMenuItems()) setMenuEnabled(item, true);
    keybuffer.clear();
    resetMemory();
    tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
      std::string v;
      for (double x : values) v += (v.empty() ? "" : "+") + number(x);
      sounds.push_back(v + "/" + number(duration) + "/" + number(voice));
    };
    tracehooks.printstring = [this](const std::string& text, std::uint8_t) {
      printed.push_back(text);
      if (onprint) onprint(text);
    };
    // Keys for the program: one per key wait, taken as the program asks.
    clock.setDeliveryHook([this] {
      if (programRunning() && keybuffer.empty() && nextkey < gamekeys.size()) keybuffer = gamekeys[nextkey++];
    });
  }

  void TearDown() override {
    clock.setDeliveryHook({});
    tracehooks = TraceHooks{};
    speaktexthook = nullptr;
    enumeratorexistshook = nullptr;
    releaseSound();
    ReleaseSpeech();
    setSpeechPlatform(nullptr);
    setKeyState(nullptr);
    mainwindow::setCloser({});
    setMenuObserver({});
    setRunObserver({});
    std::filesystem::current_path(olddir);
    setHost(nullptr);
  }

  void writeFile(const std::string& name, const std::string& bytes) {
    std::ofstream(dir + "/" + name, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::string readFile(const std::string& name) const {
    std::ifstream in(dir + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool exists(const std::string& name) const { return std::filesystem::exists(dir + "/" + name); }

  // A settings file as a user would have it.
  void settings(const std::string& text) { writeFile("drum.ini", text); }

  // The main window made, on the virtual sound device, and the voice
  // dialog's creation after it.
  void create(const std::function<void()>& captions = {}) {
    StartOptions options;
    options.audio = StartOptions::Audio::Virtual;
    mainwindow::FormCreate(options, captions);
    VoiceDialogCreate();
  }

  bool allRunItems(bool enabled) const {
    for (MenuItem item : runMenuItems())
      if (menuEnabled(item) != enabled) return false;
    return true;
  }

  VirtualHost clock;
  HeldKeys keys;
  scripted::Platform speech;
  testing::TempDir folder_{"drum-session"};  // removed after TearDown
  std::string dir;
  std::filesystem::path olddir;
  std::vector<std::string> sounds;
  std::vector<std::string> printed;
  std::function<void(const std::string&)> onprint;
  std::vector<std::string> gamekeys;
  std::size_t nextkey = 0;
};

}  // namespace drum::sessiontest
