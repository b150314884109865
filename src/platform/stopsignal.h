// SIGTERM, SIGINT and SIGHUP end the program as Exit does (the game saved),
// within a second whatever it is waiting for: the signals are blocked in
// every thread and taken by a thread of their own, which hands the stop to
// the UI thread as a posted call and cuts short a sleep in progress there.
#pragma once
#include <functional>

#include "platform/host.h"

namespace drum {

// Blocks the signals in this thread and the threads it starts from now on:
// first thing in main, before any library starts a thread of its own. They
// wait, pending, until catchStopSignals takes them.
void blockStopSignals();

// Blocks them (if not yet) and starts the thread that takes them. `stop` runs once, on the UI thread, from the next delivery of `host` or
// from inside a sleep; it is expected to end the process.
void catchStopSignals(Host& host, std::function<void()> stop);

// What the hosts' sleep does: sleeps, unless a stop arrives first; then the
// stop runs at once.
void sleepUnlessStopped(Millis duration);

}  // namespace drum
