// Scheduling for the threads that keep sound on time, as far as the system
// grants it to an ordinary user, the way sound servers ask for it: directly
// (within RLIMIT_RTPRIO and RLIMIT_NICE, or with the privilege to go beyond
// them), else from rtkit on the system bus. A refusal leaves the thread as it
// was and says nothing: the program runs the same, only less sure of its time
// on a busy machine.
#pragma once
#include <sys/types.h>

namespace drum {

enum class Raised {
  RealTime,  // round-robin real-time scheduling
  Nice,      // a lower nice level than before: a larger share of the CPU
  No,
};

// Where the audio threads ask to be: a little below the sound server's own
// threads (PulseAudio's are at real-time priority 5); where real time is
// refused, the nice level of PulseAudio's threads.
constexpr int kAudioPriority = 4;
constexpr int kAudioNice = -11;

// The calling thread's kernel id (what the calls below take).
pid_t currentThreadId();

// Round-robin real-time scheduling at `priority` for thread `tid` of this
// process, not inherited by processes it starts; where that is refused, a
// nice level towards `nice`. Only for a thread that blocks until its work
// comes and does little of it each time: a real-time thread that kept
// running would hold a core against everything else.
Raised raiseToRealTime(pid_t tid, int priority, int nice);

// A nice level towards `nice` (-20 .. 19; lower runs sooner) for thread
// `tid` of this process, as far as it is granted; never raises the level.
Raised raiseNice(pid_t tid, int nice);

}  // namespace drum
