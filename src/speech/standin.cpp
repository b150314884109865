#include "speech/standin.h"

#include <memory>
#include <utility>
#include <vector>

#include "platform/error.h"
#include "platform/host.h"
#include "shell/settings/inifile.h"
#include "speech/sapi.h"
#include "speech/voiceselection.h"

namespace drum::standin {

namespace {

// AudioStop means the engine is silent with nothing left to say: every text
// handed over until then is done.
class Sink : public ITTSNotifySink {
 public:
  void AttribChanged(std::uint32_t) override {}
  void AudioStart(std::uint64_t) override {}
  void AudioStop(std::uint64_t) override { finish(); }
  void Visual(std::uint64_t, char, char, std::uint32_t, const TTSMOUTH*) override {}

  void finish() {
    const auto done = std::move(pending);
    pending.clear();
    for (const auto& fn : done) fn();
  }
  std::vector<std::function<void()>> pending;
};

std::shared_ptr<ITTSCentral> engine;
std::shared_ptr<Sink> sink;

// The player's values where the settings file has them; a value missing or
// out of the engine's range leaves the engine's own.
void applyStoredValues(ITTSCentral& e) {
  const IniFile& ini = settingsFile();
  const auto stored = [&](const char* key, std::int64_t low, std::int64_t high) -> std::int64_t {
    try {
      const std::int64_t v = ini.readInteger("Voice", key, -1);
      return v >= low && v <= high ? v : -1;
    } catch (const Error&) {
      return -1;
    }
  };
  std::shared_ptr<ITTSAttributes> attributes;
  std::uint32_t speedmin = 0;
  // The engine's own minimum: a speed below it is a damaged value, not a choice.
  if (e.QueryAttributes(attributes).succeeded() && attributes) {
    std::uint32_t current = 0;
    if (attributes->SpeedGet(current).succeeded() && attributes->SpeedSet(0).succeeded()) {
      attributes->SpeedGet(speedmin);
      attributes->SpeedSet(current);
    }
  }
  if (const auto speed = stored("speed", std::max<std::int64_t>(speedmin, 1), 100000); speed >= 0)
    e.Inject("\\Spd=" + std::to_string(speed) + "\\");
  if (const auto pitch = stored("pitch", 0, 0xFFFF); pitch >= 0) e.Inject("\\Pit=" + std::to_string(pitch) + "\\");
  if (const auto volume = stored("volume", 0, 255); volume >= 0) e.Inject("\\Vol=" + std::to_string(volume * 256) + "\\");
}

bool make() {
  if (engine) return true;
  if (!ttsenum || !audiodestination) return false;
  const std::optional<TTSMODEINFO> mode = storedOrFirstMode();
  if (!mode) return false;
  std::shared_ptr<ITTSCentral> made;
  if (!ttsenum->Select(mode->gModeID, audiodestination, made).succeeded() || !made) return false;
  auto s = std::make_shared<Sink>();
  std::uint32_t key = 0;
  if (!made->Register(s, key).succeeded()) return false;
  applyStoredValues(*made);
  engine = std::move(made);
  sink = std::move(s);
  return true;
}

}  // namespace

bool ready() { return make(); }

bool speak(const std::string& text, std::function<void()> done) {
  if (!make()) return false;
  sink->pending.push_back(std::move(done));
  const std::string bytes = text;
  if (!engine->TextData(CHARSET_TEXT, 0, SDATA{bytes.c_str(), static_cast<std::uint32_t>(bytes.size() + 1)})
           .succeeded()) {
    // Nothing will report this text: it is done, unheard.
    auto fn = std::move(sink->pending.back());
    sink->pending.pop_back();
    host().post(std::move(fn));
  }
  return true;
}

void stop() {
  if (!engine || sink->pending.empty()) return;
  engine->AudioReset();
  sink->finish();
}

bool speaking() { return sink && !sink->pending.empty(); }

void release() {
  if (sink) sink->pending.clear();
  engine.reset();
  sink.reset();
}

}  // namespace drum::standin
