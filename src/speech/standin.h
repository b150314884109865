// The in-process voice at hand where the chosen way of speaking cannot speak:
// the windows before the first Start has chosen an engine, and the texts of
// the speech service while it cannot be had. It is an engine of its own,
// made on first use from the enumerator with the stored voice and values (or
// the voice the voice list starts with), so the engine the player chooses is
// never touched by it.
#pragma once
#include <functional>
#include <string>

namespace drum::standin {

// Hands the text (Windows-1250) over; `done` runs on the UI thread once it
// has been spoken or cut. False, and `done` never runs, when there is no
// in-process voice (no engine installed, no sound output for it).
bool speak(const std::string& text, std::function<void()> done);
// Whether there is an in-process voice to speak with (made now if need be).
bool ready();
// Cuts what it says; every pending `done` runs before this returns.
void stop();
bool speaking();
// Drops the engine (the end of the process, tests).
void release();

}  // namespace drum::standin
