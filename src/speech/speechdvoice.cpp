#include "speech/speechdvoice.h"

#include <poll.h>
#include <speech-dispatcher/libspeechd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <chrono>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/cp1250.h"
#include "platform/host.h"
#include "speech/speech.h"

namespace drum {

namespace {

// The language the service speaks when nobody has set one; only then do we
// ask for Slovak, the language of the game.
bool stockLanguage(const char* language) {
  return !language || !*language || std::strcmp(language, "en-US") == 0 || std::strcmp(language, "en") == 0;
}

}  // namespace

// A service that has a message of ours to begin and says nothing for this
// long is taken to be stuck (its audio output gone, its module hung).
constexpr std::int64_t kSilentServiceMicros = 10000000;
// After a cancel the service answers at once; this long without a word is stuck.
constexpr std::int64_t kCancelMicros = 3000000;

struct SpeechdVoice::Impl {
  struct Message {
    std::int64_t saidAt;
    bool begun = false;
  };

  ISpeechVoice* owner = nullptr;
  std::weak_ptr<Impl> self;
  SPDConnection* connection = nullptr;
  std::size_t client = 0;
  std::uint32_t interests = SVEStartInputStream | SVEEndInputStream;
  SPDDataMode mode = SPD_DATA_TEXT;
  SPDPriority priority = SPD_MESSAGE;
  std::string language;
  std::int32_t silentStreams = 0;
  // UI thread: messages said and not yet ended, and when the service last spoke up.
  std::map<std::int32_t, Message> open;
  std::int64_t lastHeard = 0;
  std::int64_t cancelledAt = -1;
  Host::TimerId watchdog = 0;

  Status connect();
  void disconnect();
  Status broken(const char* what);
  void watch();
  void check();

  void heard() {
    lastHeard = host().nowMicros();
    cancelledAt = -1;
  }
  void startStream(std::int32_t stream) {
    if (auto m = open.find(stream); m != open.end()) m->second.begun = true;
    if ((interests & SVEStartInputStream) && owner && owner->OnStartStream) owner->OnStartStream(stream);
  }
  void endStream(std::int32_t stream) {
    open.erase(stream);
    if ((interests & SVEEndInputStream) && owner && owner->OnEndStream) owner->OnEndStream(stream);
  }
};

namespace {

// The connections by the id the service gave them; UI thread only. The
// service's callbacks carry no pointer of ours, only that id.
std::map<std::size_t, SpeechdVoice::Impl*>& voices() {
  static std::map<std::size_t, SpeechdVoice::Impl*> map;
  return map;
}

// On libspeechd's thread: hand the notification to the UI thread.
void notified(std::size_t message, std::size_t client, SPDNotificationType type) {
  host().post([message, client, type] {
    const auto found = voices().find(client);
    if (found == voices().end()) return;
    SpeechdVoice::Impl& voice = *found->second;
    voice.heard();
    const auto stream = static_cast<std::int32_t>(message);
    if (type == SPD_EVENT_BEGIN) {
      voice.startStream(stream);
    } else if (type == SPD_EVENT_END || type == SPD_EVENT_CANCEL) {
      voice.endStream(stream);
    }
  });
}

}  // namespace

namespace {

// What the connecting thread hands back.
struct Opening {
  std::mutex lock;
  std::condition_variable done_cv;
  bool done = false;
  bool abandoned = false;  // the UI thread stopped waiting; the thread cleans up
  SPDConnection* connection = nullptr;
  int client = 0;
  std::string language;
  std::string failure;
};

// A service that is running but does not answer would hold start-up for
// ever inside libspeechd, which has no time-out of its own.
constexpr auto kConnectTimeout = std::chrono::seconds(5);

// Whether a service listening on its socket answers a harmless request in
// time. A socket nobody listens on counts as absent, not as mute: connecting
// then starts the service. (libspeechd crashes when a service that held a
// call of its hangs up, so a mute service is found here, before any call.)
bool muteService() {
  char* error = nullptr;
  SPDConnectionAddress* address = spd_get_default_address(&error);
  std::free(error);
  if (!address) return false;
  bool mute = false;
  if (address->method == SPD_METHOD_UNIX_SOCKET && address->unix_socket_name) {
    sockaddr_un where{};
    where.sun_family = AF_UNIX;
    const std::string path = address->unix_socket_name;
    const int fd = path.size() < sizeof where.sun_path ? ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0) : -1;
    if (fd >= 0) {
      std::memcpy(where.sun_path, path.c_str(), path.size() + 1);
      if (::connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) == 0) {
        static const char request[] = "HELP\r\n";
        pollfd answer{fd, POLLIN, 0};
        mute = ::send(fd, request, sizeof request - 1, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof request - 1) ||
               ::poll(&answer, 1, 3000) != 1;
      }
      ::close(fd);
    }
  }
  SPDConnectionAddress__free(address);
  return mute;
}

void openConnection(const std::shared_ptr<Opening>& o) {
  char* error = nullptr;
  SPDConnection* c = spd_open2("drum", "speech", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
  std::string failure;
  int id = 0;
  std::string language;
  if (!c) {
    failure = "Speech Dispatcher cannot be reached";
    if (error) failure += std::string(": ") + error;
  } else {
    c->callback_begin = notified;
    c->callback_end = notified;
    c->callback_cancel = notified;
    id = spd_get_client_id(c);
    if (id <= 0 || spd_set_notification_on(c, SPD_BEGIN) || spd_set_notification_on(c, SPD_END) ||
        spd_set_notification_on(c, SPD_CANCEL)) {
      spd_close(c);
      c = nullptr;
      failure = "Speech Dispatcher refused to report the progress of speech";
    } else {
      char* spoken = spd_get_language(c);
      if (stockLanguage(spoken) && spd_set_language(c, "sk") == 0) {
        language = "sk";
      } else {
        language = spoken ? spoken : "";
      }
      std::free(spoken);
    }
  }
  std::free(error);
  std::lock_guard guard(o->lock);
  if (o->abandoned) {
    if (c) spd_close(c);
    return;
  }
  o->connection = c;
  o->client = id;
  o->language = std::move(language);
  o->failure = std::move(failure);
  o->done = true;
  o->done_cv.notify_all();
}

}  // namespace

Status SpeechdVoice::Impl::connect() {
  // libspeechd writes to its socket with plain write(): a service that died
  // must not take the program down with SIGPIPE.
  struct sigaction current {};
  if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);

  if (muteService()) return Status::failure("Speech Dispatcher does not answer");
  auto opening = std::make_shared<Opening>();
  std::thread(openConnection, opening).detach();
  std::unique_lock guard(opening->lock);
  if (!opening->done_cv.wait_for(guard, kConnectTimeout, [&] { return opening->done; })) {
    opening->abandoned = true;
    return Status::failure("Speech Dispatcher does not answer");
  }
  if (!opening->connection) return Status::failure(opening->failure);

  connection = opening->connection;
  client = static_cast<std::size_t>(opening->client);
  language = opening->language;
  mode = SPD_DATA_TEXT;
  voices()[client] = this;
  return Status::ok();
}

void SpeechdVoice::Impl::disconnect() {
  if (watchdog) host().cancelTimer(watchdog);
  watchdog = 0;
  if (!connection) return;
  const auto found = voices().find(client);
  if (found != voices().end() && found->second == this) voices().erase(found);
  spd_close(connection);
  connection = nullptr;
  // What was said will never be reported now: end it, so that no wait hangs.
  const auto pending = std::move(open);
  open.clear();
  for (const auto& [stream, message] : pending) endStream(stream);
}

Status SpeechdVoice::Impl::broken(const char* what) {
  disconnect();
  return Status::failure(std::string("Speech Dispatcher stopped answering (") + what + ")");
}

void SpeechdVoice::Impl::watch() {
  if (watchdog || !connection) return;
  watchdog = host().startTimer(Millis(1000), [weak = self] {
    if (auto v = weak.lock()) {
      v->watchdog = 0;
      v->check();
    }
  });
}

void SpeechdVoice::Impl::check() {
  if (!connection || open.empty()) return;
  const std::int64_t now = host().nowMicros();
  const bool cancelIgnored = cancelledAt >= 0 && now - cancelledAt > kCancelMicros;
  bool neverBegun = false;
  for (const auto& [stream, message] : open) {
    if (!message.begun && now - std::max(message.saidAt, lastHeard) > kSilentServiceMicros) neverBegun = true;
  }
  if (cancelIgnored || neverBegun) {
    // A stuck service would keep every wait for speech waiting for ever.
    // Let go of it: from now on speech through it is silent.
    disconnect();
    host().reportError("Speech Dispatcher does not answer; speech through it is silent now");
    return;
  }
  watch();
}

SpeechdVoice::SpeechdVoice(Priority priority) : impl_(std::make_shared<Impl>()) {
  impl_->priority = priority == Priority::Important ? SPD_IMPORTANT : SPD_MESSAGE;
  impl_->owner = this;
  impl_->self = impl_;
}

SpeechdVoice::~SpeechdVoice() {
  // A watchdog still pending finds the voice gone and does nothing; the host
  // may already be gone itself when this runs at the end of the process.
  impl_->owner = nullptr;
  if (impl_->connection) {
    const auto found = voices().find(impl_->client);
    if (found != voices().end() && found->second == impl_.get()) voices().erase(found);
    spd_close(impl_->connection);
  }
}

bool SpeechdVoice::connected() const { return impl_->connection != nullptr; }

std::string SpeechdVoice::language() const { return impl_->language; }

Status SpeechdVoice::SetEventInterests(std::uint32_t interests) {
  impl_->interests = interests;
  if (impl_->connection) return Status::ok();
  return impl_->connect();
}

Status SpeechdVoice::Speak(std::u16string_view text, std::uint32_t flags) {
  Impl& v = *impl_;
  if (!v.connection) {
    if (text.empty()) return Status::ok();
    const std::int32_t stream = --v.silentStreams;  // below zero: never a message id
    std::weak_ptr<Impl> weak = impl_;
    host().post([weak, stream] {
      if (auto voice = weak.lock(); voice && voice->owner) {
        voice->startStream(stream);
        voice->endStream(stream);
      }
    });
    return Status::ok();
  }

  if (flags & SVSFPurgeBeforeSpeak) {
    if (spd_cancel(v.connection) != 0) return v.broken("cancel");
    if (!v.open.empty() && v.cancelledAt < 0) v.cancelledAt = host().nowMicros();
  }
  // The service hangs on an empty message; there is nothing to say anyway.
  if (text.empty()) return Status::ok();

  const SPDDataMode mode = (flags & SVSFIsXML) ? SPD_DATA_SSML : SPD_DATA_TEXT;
  if (mode != v.mode) {
    if (spd_set_data_mode(v.connection, mode) != 0) return v.broken("data mode");
    v.mode = mode;
  }
  const int id = spd_say(v.connection, v.priority, utf16ToUtf8(text).c_str());
  if (id < 0) return v.broken("speak");
  v.open[id] = Impl::Message{host().nowMicros()};
  v.watch();

  if (!(flags & SVSFlagsAsync)) {
    while (v.connection && v.open.count(id)) host().waitForEvents(Millis(250));
  }
  return Status::ok();
}

}  // namespace drum
