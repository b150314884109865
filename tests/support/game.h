// A whole game of the letter puzzle in this process, on the virtual clock:
// keys handed to the program one per INKEY$, every statement the player
// would hear or see recorded with its virtual time.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/virtualhost.h"

namespace drum::test {

struct Event {
  std::string kind;  // PRINT, PRINTN, SAY, SOUND, CLICK, BEEP, PAUSE, KEY, END
  std::string text;  // Windows-1250 text, or the arguments
  std::vector<double> values;
  double a = 0, b = 0;
  std::int64_t micros = 0;  // virtual time
};

class Game {
 public:
  // Starts with sounds off (nothing waits on a sound bank) and an empty memory.
  explicit Game(std::tm start = VirtualHost::defaultStart());
  ~Game();

  // Runs the program once; keys are Windows-1250 texts. Returns true when the
  // program ended by itself, false when the keys ran out at a key wait.
  bool run(std::vector<std::string> keys);

  VirtualHost host;
  std::vector<Event> events;
  int deepest = 0;      // the most labels the return stack held at any event
  bool ended = false;

  // Events of one kind, in order.
  std::vector<Event> only(const std::string& kind) const;
  // The texts of the PRINT events (both kinds), in order.
  std::vector<std::string> printed() const;

 private:
  void record(Event e);
  std::vector<std::string> keys_;
  std::size_t next_ = 0;
};

// The memory as the game stores a position: rows as 13-letter texts, the
// two move counts as their decimal digits.
void storeGame(const std::string& hrow, const std::string& vrow, int moves, int lastmoves);
std::string storedRow(int first);  // 13 characters from ram[first]
std::string storedCount(int at);   // the digits after the count byte at `at`

// The solved rows.
inline const char* kSolvedH = "ABCDEFGHIJKLM";
inline const char* kSolvedV = "NOPQRSGTUVXYZ";

}  // namespace drum::test
