#pragma once

#include <ctime>
#include <string>

namespace drum::testing {

// A TZ value under which it is now noon (give or take the test's own
// minutes), so a program run on the real clock greets the day whatever
// the hour of the run.
inline std::string noonZone() {
  const std::time_t now = std::time(nullptr);
  std::tm utc{};
  gmtime_r(&now, &utc);
  // POSIX counts the offset west of Greenwich: local = UTC - offset.
  return "NOON" + std::to_string(utc.tm_hour - 12);
}

}  // namespace drum::testing
