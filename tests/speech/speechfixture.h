// A fresh speech module for each test: the virtual host, the scripted
// platform with three voices, a settings file of its own, all flags clear.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/virtualhost.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "support/fakeengine.h"
#include "speech/speech.h"
#include "speech/voicemodels.h"
#include "speech/voiceselection.h"
#include "support/tempdir.h"

namespace drum::testing {

class SpeechTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setHost(&vhost);
    ASSERT_FALSE(folder_.path().empty());
    dir = folder_.path();
    setSettingsPath(dir + "/drum.ini");
    platform.modes = {{"sk", "Slovak"}, {"cs", "Czech"}, {"en", "English"}};
    setSpeechPlatform(&platform);
    resetFlags();
    voicedialog = VoiceDialogModel();
  }
  void TearDown() override {
    ReleaseSpeech();
    voicedialog = VoiceDialogModel();
    setSpeechPlatform(nullptr);
    resetFlags();
    setHost(nullptr);
  }

  // Start-up as the main window and the voice dialog do it, then the voice
  // chosen in the list made current (as the Start command does).
  void startWithVoice() {
    InitSpeechEngines();
    VoiceDialogCreate();
    SelectVoice();
  }

  std::int64_t now() { return vhost.nowMicros(); }
  fake::Log& log() { return platform.log; }
  fake::Engine& engine() { return *platform.current(); }

  VirtualHost vhost;
  fake::Platform platform;
  testing::TempDir folder_{"drum-speech"};  // removed after TearDown
  std::string dir;
};

}  // namespace drum::testing
