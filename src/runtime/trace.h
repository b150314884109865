// Observation of the statements that a player hears or sees: every PRINT,
// SOUND, CLICK, BEEP and fixed pause, and the end of the program. drumrun writes its transcript from
// these, and tests watch a whole game through them. Nothing observes by
// default; then each call costs one test of an empty function.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace drum {

struct TraceHooks {
  std::function<void(const std::string& text, std::uint8_t separator)> printstring;
  std::function<void(std::uint8_t separator, double value)> printnumber;
  // The arguments as the statement was given them, before any rule applies.
  std::function<void(const std::vector<double>& values, double duration, double voice)> sound;
  std::function<void(double n)> click;
  std::function<void()> beep;
  std::function<void(int milliseconds)> pause;
  // The translated program returns (END, or a RETURN to a label it lacks).
  std::function<void()> end;
  // Every INKEY$ with what it returned (mostly the empty text).
  std::function<void(const std::string& key)> inkey;
};

inline TraceHooks tracehooks;

inline void tracePrintString(const std::string& text, std::uint8_t separator) {
  if (tracehooks.printstring) tracehooks.printstring(text, separator);
}
inline void tracePrintNumber(std::uint8_t separator, double value) {
  if (tracehooks.printnumber) tracehooks.printnumber(separator, value);
}
inline void traceSound(const std::vector<double>& values, double duration, double voice) {
  if (tracehooks.sound) tracehooks.sound(values, duration, voice);
}
inline void traceClick(double n) {
  if (tracehooks.click) tracehooks.click(n);
}
inline void traceBeep() {
  if (tracehooks.beep) tracehooks.beep();
}
inline void tracePause(int milliseconds) {
  if (tracehooks.pause) tracehooks.pause(milliseconds);
}
inline void traceInkey(const std::string& key) {
  if (tracehooks.inkey) tracehooks.inkey(key);
}
inline void traceEnd() {
  if (tracehooks.end) tracehooks.end();
}

}  // namespace drum
