// A desktop's output: the sound server or card, watched, with the silent
// clock's pace while there is none.
#include "platform/audiooutput.h"

namespace drum {

std::unique_ptr<AudioOutput> openDeviceOutput(AudioRender render, int period,
                                              std::function<void(std::int64_t)> returned, std::string* error) {
  return openWatchedOutput(std::move(render), period, std::move(returned), error);
}

bool deviceOutputHasThread() { return true; }

}  // namespace drum
