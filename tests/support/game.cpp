#include "support/game.h"

#include <algorithm>

#include "program/oskprog.h"
#include "runtime/oskcommands.h"
#include "runtime/trace.h"
#include "shell/settings/flags.h"

namespace drum::test {

namespace {

struct KeysRanOut {};

int depth(const stackentry* s) {
  int n = 0;
  for (; s; s = s->next) ++n;
  return n;
}

}  // namespace

Game::Game(std::tm start) : host(start) {
  setHost(&host);
  initRuntime();
  ram.fill(0);
  keybuffer.clear();
  resetFlags();
  oskirasounds = false;

  tracehooks.printstring = [this](const std::string& text, std::uint8_t sep) {
    record({"PRINT", text, {}, double(sep)});
  };
  tracehooks.printnumber = [this](std::uint8_t sep, double value) {
    record({"PRINTN", numbertext(value), {}, double(sep), value});
  };
  tracehooks.sound = [this](const std::vector<double>& values, double duration, double voice) {
    record({"SOUND", "", values, duration, voice});
  };
  tracehooks.click = [this](double n) { record({"CLICK", "", {}, n}); };
  tracehooks.beep = [this] { record({"BEEP", "", {}}); };
  tracehooks.pause = [this](int ms) { record({"PAUSE", "", {}, double(ms)}); };
  tracehooks.end = [this] { record({"END", "", {}}); };
  speaktexthook = [this](const std::string& text) { record({"SAY", text, {}}); };

  // A key reaches the first INKEY$ after the previous one was taken; none
  // arrives during a SOUND.
  host.setDeliveryHook([this] {
    deepest = std::max(deepest, depth(returnstack));
    if (!keybuffer.empty() || soundplaying) return;
    if (next_ >= keys_.size()) throw KeysRanOut{};
    record({"KEY", keys_[next_], {}});
    keybuffer = keys_[next_++];
  });
}

Game::~Game() {
  tracehooks = TraceHooks{};
  speaktexthook = nullptr;
  stackclear(returnstack);
  setHost(nullptr);
}

bool Game::run(std::vector<std::string> keys) {
  keys_ = std::move(keys);
  next_ = 0;
  resetruntime();
  try {
    runprogram();
    ended = true;
  } catch (const KeysRanOut&) {
    ended = false;
  }
  return ended;
}

void Game::record(Event e) {
  deepest = std::max(deepest, depth(returnstack));
  e.micros = host.nowMicros();
  events.push_back(std::move(e));
}

std::vector<Event> Game::only(const std::string& kind) const {
  std::vector<Event> out;
  for (const auto& e : events)
    if (e.kind == kind) out.push_back(e);
  return out;
}

std::vector<std::string> Game::printed() const {
  std::vector<std::string> out;
  for (const auto& e : events)
    if (e.kind == "PRINT" || e.kind == "PRINTN") out.push_back(e.text);
  return out;
}

void storeGame(const std::string& hrow, const std::string& vrow, int moves, int lastmoves) {
  for (int i = 0; i < 13; ++i) {
    ram[262 + i] = static_cast<std::uint8_t>(hrow.at(i));
    ram[275 + i] = static_cast<std::uint8_t>(vrow.at(i));
  }
  const auto count = [](int at, int value) {
    const std::string digits = std::to_string(value);
    ram[at] = static_cast<std::uint8_t>('0' + digits.size());
    for (std::size_t i = 0; i < digits.size(); ++i) ram[at + 1 + i] = static_cast<std::uint8_t>(digits[i]);
  };
  count(288, moves);
  count(293, lastmoves);
}

std::string storedRow(int first) {
  std::string s;
  for (int i = 0; i < 13; ++i) s += static_cast<char>(ram[first + i]);
  return s;
}

std::string storedCount(int at) {
  std::string s;
  for (int i = 1; i <= ram[at] - '0' && i <= 3; ++i) s += static_cast<char>(ram[at + i]);
  return s;
}

}  // namespace drum::test
