#include "speech/sapi.h"

#include <cstdio>

#include "platform/error.h"
#include "speech/realplatform.h"

namespace drum {

void check(const Status& status) {
  if (status.succeeded()) return;
  if (!status.text.empty()) throw Error(status.text);
  char text[64];
  std::snprintf(text, sizeof text, "Speech engine error 0x%08X", static_cast<unsigned>(status.code));
  throw Error(text);
}

namespace {
SpeechPlatform* installed = nullptr;
}

SpeechPlatform& speechPlatform() { return installed ? *installed : realSpeechPlatform(); }

void setSpeechPlatform(SpeechPlatform* platform) { installed = platform; }

}  // namespace drum
