// Whether a screen reader speaks on this desktop beside us. The desktop
// program learns it from the session (platform/windows/screenreaderwatch.h);
// elsewhere (drumrun, tests) none runs unless a test says so. While one runs,
// what it says well (the focus and values of standard controls, message
// boxes) is left to it, and our own speech takes turns with its voice.
#pragma once
#include <functional>
#include <utility>

namespace drum {

namespace detail {
inline bool screenreaderrunning = false;
inline std::function<void(bool)> screenreaderobserver;
}  // namespace detail

inline bool screenReaderRunning() { return detail::screenreaderrunning; }

inline void setScreenReaderRunning(bool on) {
  if (on == detail::screenreaderrunning) return;
  detail::screenreaderrunning = on;
  if (detail::screenreaderobserver) detail::screenreaderobserver(on);
}

// Told of every change; one observer (the speech module).
inline void setScreenReaderObserver(std::function<void(bool)> fn) { detail::screenreaderobserver = std::move(fn); }

}  // namespace drum
