// The sound device through SDL2's audio subsystem, where the sound server's
// own library finds no server: ALSA, or whichever driver SDL_AUDIODRIVER
// names. Only asks the mixer for frames.
#include <SDL.h>
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/audiooutput.h"
#include "platform/realtime.h"

namespace drum {
namespace {

void ignoreAlsa(const char*, int, const char*, int, const char*, ...) {}

// SDL tries ALSA when no sound server answers, and the ALSA library then
// prints its own complaints ("ALSA lib ...") on standard error, on the
// player's terminal. The program says plainly itself that it found no sound
// output, so ALSA's handler is made silent. ALSA is loaded here as SDL
// loads it; the handler lives in the library, which stays loaded.
void quietAlsa() {
  static bool done = false;
  if (done) return;
  done = true;
  void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_GLOBAL);
  if (!alsa) return;
  using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
  using SetHandler = int (*)(Handler);
  if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) set(ignoreAlsa);
}

class SdlOutput : public AudioOutput {
 public:
  SdlOutput(AudioRender render, int period) : render_(std::move(render)), period_(period) {}
  ~SdlOutput() override {
    closing_ = true;
    if (raiser_.joinable()) raiser_.join();
    if (device_) SDL_CloseAudioDevice(device_);
    if (initialised_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool open(std::string* error) {
    // SDL would otherwise take SIGTERM and SIGINT for a quit event that
    // nobody reads here: the process would ignore kill and a logout.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    quietAlsa();
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      if (error) *error = SDL_GetError();
      return false;
    }
    initialised_ = true;
    SDL_AudioSpec want{};
    want.freq = kRate;
    want.format = AUDIO_F32SYS;
    want.channels = 2;
    want.samples = static_cast<Uint16>(period_);
    want.callback = &SdlOutput::callback;
    want.userdata = this;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts for the device if it must, and the
    // mixer keeps its own 48 kHz stereo float and period.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device_ == 0) {
      if (error) *error = SDL_GetError();
      return false;
    }
    const char* driver = SDL_GetCurrentAudioDriver();
    driver_ = driver ? driver : "sdl";
    SDL_PauseAudioDevice(device_, 0);
    // Beside the start-up, not in its way: the first callback comes only once
    // the server has asked for frames.
    raiser_ = std::thread([this] { raiseAudioThread(); });
    return true;
  }

  int period() const override { return period_; }
  std::string name() const override { return driver_; }
  // SDL stops a device whose server or card went away.
  bool lost() const override { return SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED; }

 private:
  // Real-time scheduling for SDL's audio thread where the system grants it
  // (a little below the sound server's own threads: PulseAudio's are at 5), so
  // a busy machine does not starve the output. The thread only waits for the
  // device and mixes a few hundred microseconds a period. Asked for from a
  // thread of its own, not from the audio thread: the answer may take a round
  // trip on the system bus.
  void raiseAudioThread() {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (audioThread_ == 0 && !closing_ && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    if (closing_) return;
    // Refused, SDL's own raised priority stays.
    if (const pid_t tid = audioThread_) raiseToRealTime(tid, kAudioPriority, kAudioNice);
  }

  static void callback(void* self, Uint8* stream, int len) {
    auto* out = static_cast<SdlOutput*>(self);
    if (out->audioThread_ == 0) out->audioThread_ = currentThreadId();
    const int frames = len / static_cast<int>(2 * sizeof(float));
    out->render_(reinterpret_cast<float*>(stream), frames, monoMicros());
  }

  AudioRender render_;
  int period_;
  bool initialised_ = false;
  std::atomic<pid_t> audioThread_{0};     // set by the first callback
  std::atomic<bool> closing_{false};
  std::thread raiser_;                    // asks for the audio thread's priority once
  SDL_AudioDeviceID device_ = 0;
  std::string driver_;
};

}  // namespace

std::unique_ptr<AudioOutput> openSdlOutput(AudioRender render, int period, std::string* error) {
  auto out = std::make_unique<SdlOutput>(std::move(render), period);
  if (!out->open(error)) return nullptr;
  return out;
}

}  // namespace drum
