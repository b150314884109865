#include "page.h"

#include <emscripten.h>

namespace drum::page {
namespace {

EM_JS(int, jsPresent, (), { return typeof globalThis.drumPage === "object" && globalThis.drumPage !== null ? 1 : 0; });

EM_JS(double, jsAudioTime, (), {
  var p = globalThis.drumPage;
  return p && p.audioTime ? p.audioTime() : -1;
});

EM_JS(void, jsAudioWrite, (const float* stereo, int frames, double frame), {
  var first = stereo >> 2;
  globalThis.drumPage.audioWrite(HEAPF32.slice(first, first + frames * 2), frame);
});

EM_JS(void, jsSpeak, (const char* text), { globalThis.drumPage.speak(UTF8ToString(text)); });

}  // namespace

bool present() {
  static const bool there = jsPresent() != 0;
  return there;
}

double audioTime() { return present() ? jsAudioTime() : -1; }

void audioWrite(const float* stereo, int frames, double frame) {
  if (present()) jsAudioWrite(stereo, frames, frame);
}

void speak(const std::string& text) {
  if (present()) jsSpeak(text.c_str());
}

}  // namespace drum::page
