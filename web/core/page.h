// The page around the module: every call the core makes on
// globalThis.drumPage (web/BRIDGE.md). Texts are UTF-8 here and JavaScript
// strings there. Under Node there is no page: present() is false and the
// calls do nothing.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace drum::page {

bool present();

// The AudioContext's currentTime in seconds; negative before it runs.
double audioTime();
// Stereo frames to be played from the context's frame `frame` on.
void audioWrite(const float* stereo, int frames, double frame);

// A text for the player's screen reader (the live region).
void speak(const std::string& text);

}  // namespace drum::page
