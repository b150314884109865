#include "runtime/soundsystem.h"

#include <memory>
#include <optional>

#include "platform/audiooutput.h"
#include "platform/error.h"
#include "platform/filelocations.h"
#include "platform/host.h"
#include "platform/userfile.h"
#include "platform/virtualhost.h"
#include "runtime/soundbank.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum {
namespace {

constexpr int kPeriod = 256;  // frames per device request: 5.3 ms at 48 kHz
constexpr std::int64_t kNoticedGapMicros = 2000000;  // sound gone this long: the player is told it is back
constexpr char kBankFile[] = "sounds.dat";

std::unique_ptr<Mixer> mixer;
std::unique_ptr<AudioOutput> output;
std::string deviceError;
bool openedForSpeech = false;  // the real output, not yet taken by initSound
bool silenceReported = false;

// From the output's own thread, when a device took over from the silent pace.
void soundReturned(std::int64_t gapMicros) {
  if (gapMicros <= kNoticedGapMicros) return;
  postToHost([] {
    if (soundreturnedhook) soundreturnedhook();
  });
}

void openRealOutput(const AudioRender& render) {
  // An audio thread hands callbacks over to a thread of the mixer's; an
  // output rendered on the UI thread runs them there as it renders.
  mixer = std::make_unique<Mixer>(monoMicros, deviceOutputHasThread() ? Mixer::Delivery::Thread
                                                                      : Mixer::Delivery::Inline);
  output = openDeviceOutput(render, kPeriod, soundReturned, &deviceError);
  soundOutputAheadChanged();
}

void renderMixer(float* stereo, int frames, std::int64_t at) { mixer->render(stereo, frames, at); }

}  // namespace

void initSound(bool virtualDevice) {
  if (!virtualDevice && openedForSpeech && mixer && output) {
    openedForSpeech = false;
    soundbank.bind(mixer.get());
    return;
  }
  releaseSound();
  deviceError.clear();
  AudioRender render = renderMixer;
  if (virtualDevice) {
    auto* vh = dynamic_cast<VirtualHost*>(&host());
    if (!vh) throw Error("the virtual sound output needs the virtual host");
    mixer = std::make_unique<Mixer>([vh] { return vh->nowMicros(); });
    output = openVirtualOutput(*vh, render, kPeriod);
  } else {
    openRealOutput(render);
  }
  soundbank.bind(mixer.get());
}

void openSoundOutput() {
  if (mixer) return;
  deviceError.clear();
  openRealOutput(renderMixer);
  openedForSpeech = true;
}

void reportSilentOutput() {
  if (silenceReported || !output || output->name() != "silent clock") return;
  silenceReported = true;
  // Shown once start-up is over (or has stopped at an error), not in the
  // middle of it: the box waits for the player.
  host().post([] {
    host().messageBox(
        "No sound output was found (no sound card and no sound server), so the game runs silent: "
        "its sounds and the built-in voice keep their time but cannot be heard.");
  });
}

void loadsoundbank(const std::string& path) {
  const std::optional<std::string> data = readUserFile(path, kSoundBankCap);
  if (!data) throw Error("Unable to read " + shownPath(path) + ": there is no such file");
  soundbank.assign(readSoundBank(*data, path));
}

void loadsoundbank() {
  // Message 42 is for a bank that is missing; one that is there but cannot
  // be read (a folder, no permission, too large) raises the layer's error.
  const std::string path = gameFile(kBankFile);
  try {
    const std::optional<std::string> data = readUserFile(path, kSoundBankCap);
    if (!data) {
      host().messageBox(LocalString(42) + " " + kBankFile);
      host().terminate(1);
    }
    soundbank.assign(readSoundBank(*data, path));
  } catch (const Error&) {
    soundbank.loadFailed();
    throw;
  }
}

void releaseSound() {
  openedForSpeech = false;
  try {
    soundbank.bind(nullptr);
    output.reset();  // stops the audio thread before the mixer goes
    mixer.reset();
  } catch (...) {
  }
}

std::function<void()> soundreturnedhook;

Mixer* soundMixer() { return mixer.get(); }

void soundOutputAheadChanged() {
  // A command lands one period ahead of the request that renders it, plus
  // room for the device's jitter, so its frame is never already gone.
  if (mixer && output)
    mixer->setCommandDelay(static_cast<std::int64_t>(kPeriod) * 1000000 / Mixer::kRate + 3000 + output->aheadMicros());
}

std::string soundOutputName() { return output ? output->name() : std::string(); }

std::string soundDeviceError() { return deviceError; }

std::int64_t soundUnderflows() { return output ? output->underflows() : 0; }

}  // namespace drum
