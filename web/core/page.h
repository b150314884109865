// The page around the module: every call the core makes on
// globalThis.drumPage, and the events the page posts (web/BRIDGE.md). Texts
// are UTF-8 here and JavaScript strings there. Under Node there is no page:
// present() is false and the calls do nothing.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace drum::page {

bool present();

// drumPage[name](...args), `args` a JSON array (json.h writes them).
void call(const char* name, const std::string& args);

// The AudioContext's currentTime in seconds; negative before it runs.
double audioTime();
// Stereo frames to be played from the context's frame `frame` on. `onset`:
// a sound after silence, which the page plays from the first frame it can
// when `frame` has already begun to play, and what follows it as much later.
void audioWrite(const float* stereo, int frames, double frame, bool onset = false);

// A text for the player's screen reader (the live region).
void speak(const std::string& text);

// The next event the page posted becomes the current one; false when none.
bool nextEvent();
// Fields of the current event ("" / 0 when absent).
std::string text(const char* field);
double number(const char* field);
bool flag(const char* field);
std::string bytes(const char* field);
// Yields to the browser until an event is posted or `millis` have passed.
void wait(int millis);
// Yields to the browser for what it has pending only: back within a fraction
// of a millisecond on an idle page.
void yieldNow();

// The page's storage (IndexedDB): a file's bytes, or nothing.
std::optional<std::string> storageGet(const std::string& name);
// "" when stored, else the reason in words.
std::string storagePut(const std::string& name, const std::string& bytes);
void download(const std::string& name, const std::string& bytes);
// Where the 64 KiB memory image lies, for the page to keep it when it goes away.
void ramImage(const std::uint8_t* image);

}  // namespace drum::page
