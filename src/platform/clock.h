// The machine's clocks as every real host and sound output reads them.
#pragma once
#include <cstdint>
#include <ctime>

namespace drum {

// The steady clock in microseconds (its origin is arbitrary).
std::int64_t monoMicros();
// The local wall-clock time now.
std::tm localNow();

}  // namespace drum
