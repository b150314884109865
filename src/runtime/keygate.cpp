#include "runtime/keygate.h"

#include <deque>
#include <utility>

#include "platform/host.h"

namespace drum {

namespace {

std::deque<std::function<void()>> waiting;
std::function<bool()> stopcondition;
bool flushposted = false;

bool stopped() { return stopcondition && stopcondition(); }

// Held-back events go at the next delivery even when no new key comes.
void postflush() {
  if (flushposted || waiting.empty()) return;
  flushposted = true;
  host().post([] {
    flushposted = false;
    flushKeys();
  });
}

}  // namespace

void deliverKey(std::function<void()> handler) {
  waiting.push_back(std::move(handler));
  flushKeys();
}

void flushKeys() {
  // One at a time from the front: a handler may pump events, and a key that
  // arrives then is delivered after the ones already waiting.
  while (!waiting.empty() && !stopped()) {
    std::function<void()> handler = std::move(waiting.front());
    waiting.pop_front();
    KeyHold open(nullptr);
    handler();
  }
}

bool keysWaiting() { return !waiting.empty(); }

void dropWaitingKeys() { waiting.clear(); }

KeyHold::KeyHold(std::function<bool()> stop) : outer_(std::exchange(stopcondition, std::move(stop))) {}

KeyHold::~KeyHold() {
  const bool washolding = static_cast<bool>(stopcondition);
  stopcondition = std::move(outer_);
  if (washolding && !stopcondition) postflush();
}

}  // namespace drum
