#include "webhost.h"

#include <emscripten.h>

#include <algorithm>

#include "json.h"
#include "page.h"
#include "platform/clock.h"
#include "speech/espeakengine.h"
#include "webaudio.h"

namespace drum {
namespace {

// How long the host yields at a time while it waits: the sound output is fed
// and the voice synthesized at least this often.
constexpr std::int64_t kFeedMicros = 4000;
// Within this of a timer's due time or a sleep's end the host yields without
// a browser timer (which comes late by up to a step), so a SOUND's tones
// stop, and a pause ends, within a fraction of a millisecond of their time.
constexpr std::int64_t kPreciseMicros = 5000;

}  // namespace

WebHost::WebHost() {
  setDeliveryHook([this] {
    // At most one key a delivery: the program's INKEY$ loop sees what each
    // key put into the key buffer before the next key changes it (the two
    // releases of a chord often arrive together).
    while (page::nextEvent()) {
      ++taken_;
      const bool key = page::text("type") == "key";
      if (onPageEvent) onPageEvent();
      if (key) break;
    }
  });
}

WebHost::~WebHost() { retire(); }

void WebHost::feed() {
  pumpEspeak();
  pumpWebAudio();
}

void WebHost::processEvents() {
  feed();
  deliver();
}

void WebHost::waitForEvents(Millis timeout) {
  const std::int64_t end = nowMicros() + std::chrono::duration_cast<std::chrono::microseconds>(timeout).count();
  for (;;) {
    feed();
    const int before = taken_;
    if (deliver() > 0 || taken_ != before) return;
    const std::int64_t now = nowMicros();
    if (now >= end) return;
    const auto due = queue_.nextDue();
    if (due && *due - now <= kPreciseMicros) {
      page::yieldNow();
      continue;
    }
    std::int64_t until = std::min(end, now + kFeedMicros);
    if (due) until = std::min(until, *due);
    page::wait(static_cast<int>(std::max<std::int64_t>(0, (until - now + 999) / 1000)));
  }
}

void WebHost::sleep(Millis duration) {
  const std::int64_t end = nowMicros() + std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
  for (;;) {
    feed();
    const std::int64_t left = end - nowMicros();
    if (left <= 0) return;
    if (left <= kPreciseMicros)
      page::yieldNow();
    else
      emscripten_sleep(static_cast<unsigned>(std::min(left - kPreciseMicros, kFeedMicros) + 999) / 1000);
  }
}

std::int64_t WebHost::nowMicros() { return monoMicros(); }

std::tm WebHost::localTime() { return localNow(); }

void WebHost::terminate(int status) {
  page::call("ended", json::array({json::num(status)}));
  for (;;) emscripten_sleep(60000);
}

// The front end shows boxes in the page; without one (no page) they are lost.
void WebHost::showMessageBox(const std::string&) {}
void WebHost::showError(const std::string&) {}

}  // namespace drum
