// Runs the real drumrun in a game folder of its own and compares its
// transcript with one written from the game's rules.
#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace drum::test {

struct RunResult {
  int status = -1;
  std::vector<std::string> lines;  // the transcript, UTF-8
  std::string errors;              // standard error
};

class GameFolder {
 public:
  GameFolder();
  ~GameFolder();
  const std::filesystem::path& path() const { return dir_; }

  // The memory image the game starts from (absent until written).
  void writeRam(const std::vector<std::uint8_t>& image);
  std::vector<std::uint8_t> readRam() const;
  bool hasRam() const;
  void writeFile(const std::string& name, const std::string& content);

  // drumrun --virtual --transcript --script <keys> plus `extra` arguments.
  // With DRUM_WASM_DRUMRUN naming the browser build's folder, the wasm
  // drumrun makes the same run under Node, and any difference fails the test.
  RunResult run(const std::vector<std::string>& keys, const std::vector<std::string>& extra = {});
  // drumrun with exactly these arguments; `stdinput` is fed to it. `env`:
  // "NAME=value" sets a variable for the run, "NAME" removes it.
  RunResult runRaw(const std::vector<std::string>& args, const std::string& stdinput = "",
                   const std::vector<std::string>& env = {});

 private:
  static RunResult execute(const std::filesystem::path& folder, const std::vector<std::string>& command,
                           const std::string& stdinput, const std::vector<std::string>& env);
  std::filesystem::path dir_;
};

// A memory image holding a stored game.
std::vector<std::uint8_t> gameImage(const std::string& hrow, const std::string& vrow, int moves, int lastmoves);
std::string row(const std::vector<std::uint8_t>& ram, int first);  // 13 characters
std::string digits(const std::vector<std::uint8_t>& ram, int at);  // as the count byte says

// The expected transcript, built from the game's rules.
class Expect {
 public:
  Expect& line(const std::string& l);
  // PRINT with separator 0 and what speech gets (leading commas are waits).
  Expect& print(const std::string& text);
  Expect& number(const std::string& text);  // PRINTN 1, spoken as it is
  Expect& count(int n);                     // the count announcement
  Expect& jingle();
  Expect& middle();                         // middle-letter signal
  Expect& refusal();
  Expect& key(const std::string& scriptline);  // the key wait's tick, then the key
  Expect& shuffle();                        // one or more passes of 20 ticks
  Expect& farewell();
  Expect& saveEnd();                        // farewell, END, message 25
  Expect& greeting(int hour);
  // Greeting, jingle, title, prompt and the ready click (no stored solution).
  Expect& start(int hour = 12);
  Expect& exit();                           // the script ran out at a key wait

  const std::vector<std::string>& lines() const { return lines_; }

 private:
  std::vector<std::string> lines_;
};

// Empty when `actual` matches; otherwise where and how it differs.
std::string compare(const Expect& expected, const std::vector<std::string>& actual);

}  // namespace drum::test
