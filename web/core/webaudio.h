// The browser's sound output: the mixer rendered a little ahead of the
// AudioContext's clock, from the UI thread's event delivery, and handed to
// the page's AudioWorklet (web/BRIDGE.md). Before the page's context runs
// (browsers start one only on a key or click) and under Node it renders at
// the real pace into nothing, so every sound still takes its time.
#pragma once

namespace drum {

// Renders what is due; the web host calls it whenever it delivers events.
void pumpWebAudio();

}  // namespace drum
