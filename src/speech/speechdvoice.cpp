#include "speech/speechdvoice.h"

#include <poll.h>
#include <speech-dispatcher/libspeechd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/cp1250.h"
#include "platform/host.h"
#include "speech/speech.h"

namespace drum {

namespace {

// A service that has a message of ours to begin and says nothing for this
// long is taken to be stuck (its audio output gone, its module hung).
constexpr std::int64_t kNeverBegunMicros = 10000000;
// A begun message may take this long, plus kPerCharacterMicros a character
// (slow speech runs at about ten characters a second).
constexpr std::int64_t kBegunMicros = 2000000;
constexpr std::int64_t kPerCharacterMicros = 150000;
// After a cancel the service answers at once; this long without a word is stuck.
constexpr std::int64_t kCancelMicros = 3000000;
// A call on a connection answers within milliseconds.
constexpr std::int64_t kCallMicros = 3000000;
// Connecting: a probe of the socket (3 s at most), maybe starting the service.
constexpr std::int64_t kConnectMicros = 10000000;
// How soon the next text may try again after a broken connection, and after
// a service that was stuck (and is likely stuck still).
constexpr std::int64_t kRetryBrokenMicros = 1000000;
constexpr std::int64_t kRetryStuckMicros = 30000000;
// How often the watchdog looks while something is outstanding.
constexpr Millis kWatchPeriod{250};

// The language the service speaks when nobody has set one; only then do we
// ask for Slovak, the language of the game.
bool stockLanguage(const char* language) {
  return !language || !*language || std::strcmp(language, "en-US") == 0 || std::strcmp(language, "en") == 0;
}

// What the UI thread asks of a connection's thread.
struct Request {
  enum Kind { Say, Cancel } kind = Say;
  std::uint64_t number = 0;
  std::int32_t stream = 0;
  std::string text;  // UTF-8
  SPDDataMode mode = SPD_DATA_TEXT;
  SPDPriority priority = SPD_MESSAGE;
};

// One connection and its thread. The thread owns the libspeechd connection;
// the UI thread only queues requests and reads results it is posted.
struct Link {
  std::mutex lock;
  std::condition_variable wake;
  std::deque<Request> requests;
  bool abandoned = false;  // the UI thread let go: post nothing, close, end
};

// The links by the id the service gave their connection: the service's
// callbacks carry no pointer of ours, only that id. Never destroyed: a link's
// thread is detached and may still be closing its connection while the
// process ends and runs its static destructors.
std::mutex& linksLock() {
  static auto* lock = new std::mutex;
  return *lock;
}
std::map<std::size_t, std::weak_ptr<Link>>& linksByClient() {
  static auto* map = new std::map<std::size_t, std::weak_ptr<Link>>;
  return *map;
}

}  // namespace

struct SpeechdVoice::Impl {
  struct Message {
    std::int64_t saidAt = 0;
    std::int64_t begunAt = -1;
    std::size_t characters = 0;
    bool ours = true;  // false: the voice's own notice, not the owner's stream
    std::string text;  // UTF-8, kept so a text can be said again on a new connection
    SPDDataMode mode = SPD_DATA_TEXT;
  };

  SpeechdVoice* owner = nullptr;
  std::weak_ptr<Impl> self;
  std::uint32_t interests = SVEStartInputStream | SVEEndInputStream;
  SPDPriority priority = SPD_MESSAGE;

  // The current link and what the UI thread knows of it.
  std::shared_ptr<Link> link;
  bool linked = false;  // the service answered the connection
  std::int64_t linkStartedAt = 0;
  std::int64_t linkedAt = 0;
  std::string language;
  SPDDataMode mode = SPD_DATA_TEXT;  // as last asked of the link
  std::uint64_t nextRequest = 0;
  std::map<std::uint64_t, std::int64_t> outstanding;  // request number -> when queued
  std::map<std::int32_t, Message> open;               // said and not yet ended
  std::map<int, std::int32_t> streamOf;               // service message id -> stream
  std::map<int, std::vector<SPDNotificationType>> early;  // events before their id was known
  std::int64_t lastHeard = 0;
  std::int64_t cancelledAt = -1;
  std::int32_t nextStream = 0;
  std::int32_t silentStreams = 0;
  Host::TimerId watchdog = 0;

  // Losses and retries.
  std::int64_t retryAt = 0;
  bool everLinked = false;
  bool lost = false;      // speech was lost; cleared when a text is spoken to its end
  bool reported = false;  // the loss was reported (once a loss)
  bool noticeQueued = false;

  bool inUse() const { return !owner || !owner->inUse || owner->inUse(); }

  void startLink(bool forText);
  void queue(Request request);
  std::int32_t say(const std::string& utf8, SPDDataMode mode, std::size_t characters, bool ours);
  void connected(const std::shared_ptr<Link>& from, const std::string& lang);
  void connectFailed(const std::shared_ptr<Link>& from);
  void answered(const std::shared_ptr<Link>& from, std::uint64_t request, std::int32_t stream, int messageId, bool ok);
  void event(const std::shared_ptr<Link>& from, int messageId, SPDNotificationType type);
  void lose(bool stuck);
  void broken();
  void silentStream();
  void watch();
  void check();

  void startStream(std::int32_t stream) {
    auto m = open.find(stream);
    if (m == open.end()) return;
    if (m->second.begunAt < 0) m->second.begunAt = host().nowMicros();
    if (!m->second.ours) return;
    if ((interests & SVEStartInputStream) && owner && owner->OnStartStream) owner->OnStartStream(stream);
  }
  void endStream(std::int32_t stream) {
    auto m = open.find(stream);
    if (m == open.end()) return;
    const bool ours = m->second.ours;
    open.erase(m);
    if (ours && (interests & SVEEndInputStream) && owner && owner->OnEndStream) owner->OnEndStream(stream);
  }
  void endAll() {
    const auto pending = std::move(open);
    open.clear();
    for (const auto& [stream, message] : pending) {
      if (message.ours && (interests & SVEEndInputStream) && owner && owner->OnEndStream) owner->OnEndStream(stream);
    }
  }
};

namespace {

// Hands `fn` to the UI thread unless the voice let go of the link (checked
// under the link's lock, so nothing is posted once the voice is gone).
void postFrom(const std::shared_ptr<Link>& link, std::weak_ptr<SpeechdVoice::Impl> voice,
              std::function<void(SpeechdVoice::Impl&)> fn) {
  std::lock_guard guard(link->lock);
  if (link->abandoned) return;
  postToHost([voice = std::move(voice), fn = std::move(fn)] {
    if (auto v = voice.lock()) fn(*v);
  });
}

// The service's callbacks, on libspeechd's thread. The voice is found
// through its link; one posted call per notification.
std::map<std::size_t, std::weak_ptr<SpeechdVoice::Impl>>& voicesByClient() {
  static auto* map = new std::map<std::size_t, std::weak_ptr<SpeechdVoice::Impl>>;  // as linksByClient
  return *map;
}

void notified(std::size_t message, std::size_t client, SPDNotificationType type) {
  std::shared_ptr<Link> link;
  std::weak_ptr<SpeechdVoice::Impl> voice;
  {
    std::lock_guard guard(linksLock());
    const auto found = linksByClient().find(client);
    if (found == linksByClient().end()) return;
    link = found->second.lock();
    if (auto v = voicesByClient().find(client); v != voicesByClient().end()) voice = v->second;
  }
  if (!link) return;
  const int id = static_cast<int>(message);
  postFrom(link, voice, [link, id, type](SpeechdVoice::Impl& v) { v.event(link, id, type); });
}

// Whether a service listening on its socket answers a harmless request in
// time. A socket nobody listens on counts as absent, not as mute: connecting
// then starts the service. (libspeechd crashes when a service hangs up in
// the middle of a call of its, so a service that is mute, or that drops the
// connection at once, is found here, before any libspeechd call.)
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
        char first[4] = {};
        mute = ::send(fd, request, sizeof request - 1, MSG_NOSIGNAL) != static_cast<ssize_t>(sizeof request - 1) ||
               ::poll(&answer, 1, 3000) != 1 || ::recv(fd, first, sizeof first, MSG_DONTWAIT) < 1 ||
               first[0] < '1' || first[0] > '9';
      }
      ::close(fd);
    }
  }
  SPDConnectionAddress__free(address);
  return mute;
}

SPDConnection* openConnection(std::string& language) {
  if (muteService()) return nullptr;
  char* error = nullptr;
  SPDConnection* c = spd_open2("drum", "speech", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
  std::free(error);
  if (!c) {
    // A service that another program is starting at this moment refuses
    // the second start and is not listening yet: one more try, a moment later.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (muteService()) return nullptr;
    error = nullptr;
    c = spd_open2("drum", "speech", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    std::free(error);
  }
  if (!c) return nullptr;
  c->callback_begin = notified;
  c->callback_end = notified;
  c->callback_cancel = notified;
  const int id = spd_get_client_id(c);
  if (id <= 0 || spd_set_notification_on(c, SPD_BEGIN) || spd_set_notification_on(c, SPD_END) ||
      spd_set_notification_on(c, SPD_CANCEL)) {
    spd_close(c);
    return nullptr;
  }
  char* spoken = spd_get_language(c);
  if (stockLanguage(spoken) && spd_set_language(c, "sk") == 0) {
    language = "sk";
  } else {
    language = spoken ? spoken : "";
  }
  std::free(spoken);
  return c;
}

// The thread of one link: connect, then make the calls asked, in order.
void serve(std::shared_ptr<Link> link, std::weak_ptr<SpeechdVoice::Impl> voice) {
  std::string language;
  SPDConnection* c = openConnection(language);
  if (!c) {
    postFrom(link, voice, [link](SpeechdVoice::Impl& v) { v.connectFailed(link); });
    return;
  }
  const auto client = static_cast<std::size_t>(spd_get_client_id(c));
  {
    std::lock_guard guard(linksLock());
    linksByClient()[client] = link;
    voicesByClient()[client] = voice;
  }
  postFrom(link, voice, [link, language](SpeechdVoice::Impl& v) { v.connected(link, language); });

  SPDDataMode mode = SPD_DATA_TEXT;
  for (;;) {
    Request r;
    {
      std::unique_lock guard(link->lock);
      link->wake.wait(guard, [&] { return link->abandoned || !link->requests.empty(); });
      if (link->abandoned) break;
      r = std::move(link->requests.front());
      link->requests.pop_front();
    }
    int id = 0;
    bool ok = true;
    if (r.kind == Request::Cancel) {
      ok = spd_cancel(c) == 0;
    } else {
      if (r.mode != mode) {
        ok = spd_set_data_mode(c, r.mode) == 0;
        if (ok) mode = r.mode;
      }
      if (ok) {
        id = spd_say(c, r.priority, r.text.c_str());
        ok = id >= 0;
      }
    }
    postFrom(link, voice, [link, number = r.number, stream = r.stream, id, ok](SpeechdVoice::Impl& v) {
      v.answered(link, number, stream, id, ok);
    });
    if (!ok) break;  // a broken connection: the voice drops the link
  }
  {
    std::lock_guard guard(linksLock());
    const auto found = linksByClient().find(client);
    if (found != linksByClient().end() && found->second.lock() == link) {
      linksByClient().erase(found);
      voicesByClient().erase(client);
    }
  }
  spd_close(c);
}

}  // namespace

void SpeechdVoice::Impl::startLink(bool forText) {
  // libspeechd writes to its socket with plain write(): a service that died
  // must not take the program down with SIGPIPE.
  struct sigaction current {};
  if (sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) std::signal(SIGPIPE, SIG_IGN);

  link = std::make_shared<Link>();
  linked = false;
  linkStartedAt = host().nowMicros();
  mode = SPD_DATA_TEXT;
  outstanding.clear();
  streamOf.clear();
  early.clear();
  cancelledAt = -1;
  noticeQueued = false;
  retryAt = linkStartedAt + kRetryBrokenMicros;
  std::thread(serve, link, self).detach();
  // Speech that comes back after a loss is announced before the text.
  if (forText && lost && owner && owner->backNotice) {
    const std::u16string notice = owner->backNotice();
    if (!notice.empty()) {
      say(utf16ToUtf8(notice), SPD_DATA_TEXT, notice.size(), false);
      noticeQueued = true;
    }
  }
  watch();
}

void SpeechdVoice::Impl::queue(Request request) {
  request.number = ++nextRequest;
  outstanding[request.number] = host().nowMicros();
  {
    std::lock_guard guard(link->lock);
    link->requests.push_back(std::move(request));
  }
  link->wake.notify_one();
  watch();
}

std::int32_t SpeechdVoice::Impl::say(const std::string& utf8, SPDDataMode m, std::size_t characters, bool ours) {
  const std::int32_t stream = ++nextStream;
  Message message;
  message.saidAt = host().nowMicros();
  message.characters = characters;
  message.ours = ours;
  message.text = utf8;
  message.mode = m;
  open[stream] = message;
  Request r;
  r.kind = Request::Say;
  r.stream = stream;
  r.text = utf8;
  r.mode = m;
  r.priority = priority;
  mode = m;
  queue(std::move(r));
  return stream;
}

void SpeechdVoice::Impl::connected(const std::shared_ptr<Link>& from, const std::string& lang) {
  if (from != link) return;
  linked = true;
  everLinked = true;
  language = lang;
  lastHeard = linkedAt = host().nowMicros();
}

void SpeechdVoice::Impl::connectFailed(const std::shared_ptr<Link>& from) {
  if (from != link) return;
  lose(false);
}

// A connection that worked has broken (the service died or was restarted).
// Texts it had not yet begun go to a new connection at once, unless one was
// tried within the last second.
void SpeechdVoice::Impl::broken() {
  if (!linked || host().nowMicros() < retryAt) {
    lose(false);
    return;
  }
  lost = true;
  std::vector<std::int32_t> begun;
  for (const auto& [stream, m] : open) {
    if (!m.ours || m.begunAt >= 0) begun.push_back(stream);
  }
  {
    std::lock_guard guard(link->lock);
    link->abandoned = true;
    link->requests.clear();
  }
  link->wake.notify_one();
  link.reset();
  for (std::int32_t stream : begun) endStream(stream);
  // The carried texts keep their streams: whoever waits for them still waits.
  const auto keep = std::move(open);
  open.clear();
  startLink(true);
  for (const auto& [stream, m] : keep) {
    if (!m.ours || m.begunAt >= 0) continue;
    open[stream] = m;
    open[stream].saidAt = host().nowMicros();
    Request r;
    r.kind = Request::Say;
    r.stream = stream;
    r.text = m.text;
    r.mode = m.mode;
    r.priority = priority;
    queue(std::move(r));
  }
}

void SpeechdVoice::Impl::answered(const std::shared_ptr<Link>& from, std::uint64_t request, std::int32_t stream,
                                  int messageId, bool ok) {
  if (from != link) return;
  outstanding.erase(request);
  if (!ok) {
    broken();
    return;
  }
  lastHeard = host().nowMicros();
  if (messageId <= 0 || !open.count(stream)) return;  // a cancel, or a text purged meanwhile
  streamOf[messageId] = stream;
  if (auto e = early.find(messageId); e != early.end()) {
    const auto events = std::move(e->second);
    early.erase(e);
    for (SPDNotificationType type : events) event(link, messageId, type);
  }
}

void SpeechdVoice::Impl::event(const std::shared_ptr<Link>& from, int messageId, SPDNotificationType type) {
  if (from != link) return;
  lastHeard = host().nowMicros();
  cancelledAt = -1;
  const auto found = streamOf.find(messageId);
  if (found == streamOf.end()) {
    // Before spd_say's answer reached us; replayed when it does.
    if (early.size() < 64) early[messageId].push_back(type);
    return;
  }
  const std::int32_t stream = found->second;
  if (type == SPD_EVENT_BEGIN) {
    startStream(stream);
  } else if (type == SPD_EVENT_END || type == SPD_EVENT_CANCEL) {
    streamOf.erase(found);
    const auto m = open.find(stream);
    const bool notice = m != open.end() && !m->second.ours;
    if (type == SPD_EVENT_END && lost && (notice || !noticeQueued)) {
      lost = reported = false;  // spoken through to the end: speech is back
    }
    endStream(stream);
  }
}

void SpeechdVoice::Impl::lose(bool stuck) {
  const bool textsLost = std::any_of(open.begin(), open.end(), [](const auto& m) { return m.second.ours; });
  if (link) {
    {
      std::lock_guard guard(link->lock);
      link->abandoned = true;
      link->requests.clear();
    }
    link->wake.notify_one();
  }
  link.reset();
  linked = false;
  outstanding.clear();
  streamOf.clear();
  early.clear();
  cancelledAt = -1;
  if (watchdog) host().cancelTimer(watchdog);
  watchdog = 0;
  retryAt = host().nowMicros() + (stuck ? kRetryStuckMicros : kRetryBrokenMicros);
  const bool report = !reported && (textsLost || inUse());
  if (report) reported = true;
  if (textsLost || report || everLinked) lost = true;
  // What was said will never be reported now: end it, so that no wait hangs.
  endAll();
  if (report) {
    host().reportError(everLinked ? "The speech service (Speech Dispatcher) stopped speaking. "
                                    "Speech through it is silent until it answers again."
                                  : "The speech service (Speech Dispatcher) cannot be reached, "
                                    "so speech through it is silent.");
  }
}

void SpeechdVoice::Impl::silentStream() {
  const std::int32_t stream = --silentStreams;  // below zero: never one of ours
  std::weak_ptr<Impl> weak = self;
  host().post([weak, stream] {
    if (auto v = weak.lock(); v && v->owner) {
      if ((v->interests & SVEStartInputStream) && v->owner->OnStartStream) v->owner->OnStartStream(stream);
      if ((v->interests & SVEEndInputStream) && v->owner->OnEndStream) v->owner->OnEndStream(stream);
    }
  });
}

void SpeechdVoice::Impl::watch() {
  if (watchdog || !link) return;
  watchdog = host().startTimer(kWatchPeriod, [weak = self] {
    if (auto v = weak.lock()) {
      v->watchdog = 0;
      v->check();
    }
  });
}

void SpeechdVoice::Impl::check() {
  if (!link) return;
  const std::int64_t now = host().nowMicros();
  bool stuck = !linked && now - linkStartedAt > kConnectMicros;
  for (const auto& [number, at] : outstanding) stuck = stuck || (linked && now - std::max(at, linkedAt) > kCallMicros);
  if (cancelledAt >= 0 && !open.empty() && now - cancelledAt > kCancelMicros) stuck = true;
  if (linked) {
    for (const auto& [stream, m] : open) {
      if (m.begunAt < 0) {
        stuck = stuck || now - std::max(m.saidAt, lastHeard) > kNeverBegunMicros;
      } else {
        const auto limit = kBegunMicros + kPerCharacterMicros * static_cast<std::int64_t>(m.characters);
        stuck = stuck || now - m.begunAt > limit;
      }
    }
  }
  if (stuck) {
    // A stuck service would keep every wait for speech waiting for ever.
    lose(true);
    return;
  }
  if (!linked || !outstanding.empty() || !open.empty()) watch();
}

SpeechdVoice::SpeechdVoice(Priority priority) : impl_(std::make_shared<Impl>()) {
  impl_->priority = priority == Priority::Important ? SPD_IMPORTANT : SPD_MESSAGE;
  impl_->owner = this;
  impl_->self = impl_;
}

SpeechdVoice::~SpeechdVoice() {
  // The link's thread closes the connection when its call returns; nothing
  // is posted from then on, so a host that ends with us is never reached.
  // A watchdog still pending finds the voice gone and does nothing; the host
  // may already be gone itself when this runs at the end of the process.
  impl_->owner = nullptr;
  if (impl_->link) {
    {
      std::lock_guard guard(impl_->link->lock);
      impl_->link->abandoned = true;
      impl_->link->requests.clear();
    }
    impl_->link->wake.notify_one();
  }
}

bool SpeechdVoice::connected() const { return impl_->link && impl_->linked; }

bool SpeechdVoice::connecting() const { return impl_->link && !impl_->linked; }

std::string SpeechdVoice::language() const { return impl_->language; }

Status SpeechdVoice::SetEventInterests(std::uint32_t interests) {
  impl_->interests = interests;
  if (!impl_->link) impl_->startLink(false);
  return Status::ok();
}

Status SpeechdVoice::Speak(std::u16string_view text, std::uint32_t flags) {
  Impl& v = *impl_;
  if (flags & SVSFPurgeBeforeSpeak) {
    if (v.link) {
      // Texts the link has not yet taken are dropped here; the rest the
      // service cancels and reports.
      std::vector<std::int32_t> dropped;
      {
        std::lock_guard guard(v.link->lock);
        auto& q = v.link->requests;
        for (auto r = q.begin(); r != q.end();) {
          if (r->kind == Request::Say) {
            dropped.push_back(r->stream);
            v.outstanding.erase(r->number);
            r = q.erase(r);
          } else {
            ++r;
          }
        }
      }
      for (std::int32_t stream : dropped) v.endStream(stream);
      if (!v.open.empty()) {
        Request cancel;
        cancel.kind = Request::Cancel;
        v.queue(std::move(cancel));
        if (v.cancelledAt < 0) v.cancelledAt = host().nowMicros();
      }
    }
  }
  // The service hangs on an empty message; there is nothing to say anyway.
  if (text.empty()) return Status::ok();

  if (!v.link) {
    if (host().nowMicros() < v.retryAt) {
      v.silentStream();
      return Status::ok();
    }
    v.startLink(true);
  }
  const SPDDataMode mode = (flags & SVSFIsXML) ? SPD_DATA_SSML : SPD_DATA_TEXT;
  const std::int32_t stream = v.say(utf16ToUtf8(text), mode, text.size(), true);

  if (!(flags & SVSFlagsAsync)) {
    while (v.link && v.open.count(stream)) host().waitForEvents(Millis(250));
  }
  return Status::ok();
}

}  // namespace drum
