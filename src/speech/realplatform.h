// The engines of this machine: espeak-ng in process, speaking into the
// program's mixer, and the desktop's speech service, speech-dispatcher.
#pragma once
#include "speech/sapi.h"

namespace drum {

SpeechPlatform& realSpeechPlatform();

}  // namespace drum
