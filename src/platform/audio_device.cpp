// A desktop's output: the sound card through SDL2, or the silent clock.
#include "platform/audiooutput.h"

namespace drum {

std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int period, std::string* error) {
  auto output = openSdlOutput(render, period, error);
  if (!output) output = openSilentClock(render, period);
  return output;
}

bool deviceOutputHasThread() { return true; }

}  // namespace drum
