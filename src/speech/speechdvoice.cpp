#include "speech/speechdvoice.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <speech-dispatcher/libspeechd.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <fstream>
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
// A connection that breaks this soon after it was made is a service that
// keeps dying: the next try waits.
constexpr std::int64_t kShortLivedMicros = 1000000;
// How soon the next text may try again after connecting failed (doubling
// while it keeps failing, up to the most), and after a stuck service.
constexpr std::int64_t kRetryFailedMicros = 1000000;
constexpr std::int64_t kRetryFailedMostMicros = 30000000;
constexpr std::int64_t kRetryStuckMicros = 30000000;
// A text waits this long for a connection being made before the stand-in
// voice says it: long enough for a service that is started anew (about half
// a second), short enough that nobody takes the wait for a hang.
constexpr std::int64_t kTakeOverMicros = 1500000;
// How often the watchdog looks while something is outstanding, and while a
// text waits for a connection.
constexpr Millis kWatchPeriod{250};
constexpr Millis kWaitingPeriod{100};

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
  Link() : wake(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~Link() {
    if (wake >= 0) ::close(wake);
    if (socket >= 0) ::close(socket);
  }
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;

  void notify() const {
    const std::uint64_t one = 1;
    if (wake >= 0) [[maybe_unused]] auto n = ::write(wake, &one, sizeof one);
  }

  std::mutex lock;
  std::deque<Request> requests;
  bool abandoned = false;  // the UI thread let go: post nothing, close, end
  const int wake;          // counts requests and the letting go
  // The connection's socket, duplicated: libspeechd closes its own when the
  // service hangs up, this one stays to be watched. Link's thread only.
  int socket = -1;
};

// The pid of a service a connection of ours started (0: none).
std::atomic<pid_t> startedService{0};


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
    bool sent = false;     // handed to the link (else it waits for one)
    bool standIn = false;  // the stand-in voice says it
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
  std::int32_t cancelledUpTo = 0;  // streams up to here were purged
  std::int32_t nextStream = 0;
  std::int32_t silentStreams = 0;
  Host::TimerId watchdog = 0;

  // Losses and retries.
  std::int64_t retryAt = 0;
  int failures = 0;  // connection attempts failed in a row
  bool everLinked = false;
  bool lost = false;      // speech was lost; cleared when a text is spoken to its end
  bool relinked = false;  // this link replaced one that broke
  bool reported = false;  // the loss was reported (once a loss)
  bool noticeQueued = false;

  bool inUse() const { return !owner || !owner->inUse || owner->inUse(); }

  void startLink();
  void abandonLink();
  void announceBack();
  void queue(Request request);
  void send(std::int32_t stream);
  std::int32_t say(const std::string& utf8, SPDDataMode mode, std::size_t characters, bool ours);
  bool takeOver(std::int32_t stream);
  bool speakStandIn(const std::string& utf8);
  void hungUp(const std::shared_ptr<Link>& from);
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
  bool hasStandIn() const { return owner && owner->standIn; }
  bool standInReady() const { return hasStandIn() && (!owner->standInReady || owner->standInReady()); }
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

// The service's socket, when it is reached through one.
std::string socketPath() {
  char* error = nullptr;
  SPDConnectionAddress* address = spd_get_default_address(&error);
  std::free(error);
  if (!address) return {};
  std::string path;
  if (address->method == SPD_METHOD_UNIX_SOCKET && address->unix_socket_name) path = address->unix_socket_name;
  SPDConnectionAddress__free(address);
  return path;
}

// A connection to the service's socket, or -1 when nobody listens there.
int connectSocket(const std::string& path) {
  sockaddr_un where{};
  where.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof where.sun_path) return -1;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return -1;
  std::memcpy(where.sun_path, path.c_str(), path.size() + 1);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&where), sizeof where) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

// Sends one request and reads the answer up to its last line (the one whose
// code is followed by a blank), waiting at most `millis` for each piece.
// `hungUp` tells whether the service closed the connection.
std::string exchange(int fd, const char* request, int millis, bool* hungUp = nullptr) {
  if (hungUp) *hungUp = false;
  const std::size_t length = std::strlen(request);
  if (::send(fd, request, length, MSG_NOSIGNAL) != static_cast<ssize_t>(length)) {
    if (hungUp) *hungUp = true;
    return {};
  }
  std::string answer;
  char chunk[1024];
  for (;;) {
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, millis) != 1) return answer;
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, MSG_DONTWAIT);
    if (n <= 0) {
      if (hungUp) *hungUp = n == 0 || errno != EAGAIN;
      return answer;
    }
    answer.append(chunk, static_cast<std::size_t>(n));
    if (answer.size() > 65536) return answer;
    if (answer.size() < 2 || answer.compare(answer.size() - 2, 2, "\r\n") != 0) continue;
    const std::size_t end = answer.size() - 2;
    std::size_t start = end == 0 ? std::string::npos : answer.rfind("\r\n", end - 1);
    start = start == std::string::npos ? 0 : start + 2;
    if (end - start > 3 && answer[start + 3] == ' ')
      return answer;
  }
}

// Whether a service listening on its socket answers a harmless request in
// time. A socket nobody listens on counts as absent, not as mute: connecting
// then starts the service. (libspeechd crashes when a service hangs up in
// the middle of a call of its, so a service that is mute, or that drops the
// connection at once, is found here, before any libspeechd call.)
//
// A service that was just killed may still accept a connection for a moment
// while the kernel tears it down, and then drop it: such a hang-up is asked
// again a few times before the service counts as mute.
bool muteService(const std::string& path, bool& listening) {
  for (int attempt = 0;; ++attempt) {
    const int fd = connectSocket(path);
    listening = fd >= 0;
    if (fd < 0) return false;
    bool hungUp = false;
    const std::string answer = exchange(fd, "HELP\r\n", 3000, &hungUp);
    ::close(fd);
    const bool mute = answer.empty() || answer[0] < '1' || answer[0] > '9';
    if (!mute || !hungUp || !answer.empty() || attempt == 4) return mute;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
}

// The pid the service wrote where it keeps its runtime files.
pid_t servicePid() {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return 0;
  std::ifstream in(std::string(runtime) + "/speech-dispatcher/pid/speech-dispatcher.pid");
  long pid = 0;
  return in >> pid && pid > 1 ? static_cast<pid_t>(pid) : 0;
}

SPDConnection* openConnection(std::string& language) {
  const std::string path = socketPath();
  bool listening = false;
  if (muteService(path, listening)) return nullptr;
  char* error = nullptr;
  SPDConnection* c = spd_open2("drum", "speech", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
  std::free(error);
  if (!c) {
    // A service that another program is starting at this moment refuses
    // the second start and is not listening yet: one more try, a moment later.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    if (muteService(path, listening)) return nullptr;
    error = nullptr;
    c = spd_open2("drum", "speech", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    std::free(error);
  }
  if (!c) return nullptr;
  // Nobody listened before, so this connection started the service.
  if (!listening && !path.empty()) {
    if (const pid_t pid = servicePid()) startedService = pid;
  }
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

// Waits for a request or for the service to hang up; false when it hung up.
bool waitForWork(Link& link) {
  pollfd watched[2] = {{link.wake, POLLIN, 0}, {link.socket, POLLRDHUP, 0}};
  for (;;) {
    {
      std::lock_guard guard(link.lock);
      if (link.abandoned || !link.requests.empty()) return true;
    }
    if (::poll(watched, 2, -1) < 0 && errno != EINTR) return true;
    if (watched[1].revents & (POLLRDHUP | POLLHUP | POLLERR | POLLNVAL)) return false;
    std::uint64_t count;
    [[maybe_unused]] auto n = ::read(link.wake, &count, sizeof count);
  }
}

// The thread of one link: connect, then make the calls asked, in order.
void serve(std::shared_ptr<Link> link, std::weak_ptr<SpeechdVoice::Impl> voice) {
  std::string language;
  SPDConnection* c = openConnection(language);
  if (!c) {
    postFrom(link, voice, [link](SpeechdVoice::Impl& v) { v.connectFailed(link); });
    return;
  }
  link->socket = ::fcntl(c->socket, F_DUPFD_CLOEXEC, 0);
  const auto client = static_cast<std::size_t>(spd_get_client_id(c));
  {
    std::lock_guard guard(linksLock());
    linksByClient()[client] = link;
    voicesByClient()[client] = voice;
  }
  postFrom(link, voice, [link, language](SpeechdVoice::Impl& v) { v.connected(link, language); });

  SPDDataMode mode = SPD_DATA_TEXT;
  for (;;) {
    if (!waitForWork(*link)) {
      postFrom(link, voice, [link](SpeechdVoice::Impl& v) { v.hungUp(link); });
      break;
    }
    Request r;
    {
      std::lock_guard guard(link->lock);
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

void SpeechdVoice::Impl::startLink() {
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
  std::thread(serve, link, self).detach();
  watch();
}

void SpeechdVoice::Impl::abandonLink() {
  if (link) {
    {
      std::lock_guard guard(link->lock);
      link->abandoned = true;
      link->requests.clear();
    }
    link->notify();
  }
  link.reset();
  linked = false;
  outstanding.clear();
  streamOf.clear();
  early.clear();
  cancelledAt = -1;
}

void SpeechdVoice::Impl::queue(Request request) {
  request.number = ++nextRequest;
  outstanding[request.number] = host().nowMicros();
  {
    std::lock_guard guard(link->lock);
    link->requests.push_back(std::move(request));
  }
  link->notify();
  watch();
}

void SpeechdVoice::Impl::send(std::int32_t stream) {
  Message& m = open.at(stream);
  m.sent = true;
  m.saidAt = host().nowMicros();
  Request r;
  r.kind = Request::Say;
  r.stream = stream;
  r.text = m.text;
  r.mode = m.mode;
  r.priority = priority;
  mode = m.mode;
  queue(std::move(r));
}

// A text goes to the link when it is connected; until then it waits there.
std::int32_t SpeechdVoice::Impl::say(const std::string& utf8, SPDDataMode m, std::size_t characters, bool ours) {
  const std::int32_t stream = ++nextStream;
  Message message;
  message.saidAt = host().nowMicros();
  message.characters = characters;
  message.ours = ours;
  message.text = utf8;
  message.mode = m;
  if (ours) announceBack();
  open[stream] = message;
  if (linked) send(stream);
  watch();
  return stream;
}

// The stand-in voice says a text of ours that the service cannot; its stream
// begins now and ends when the stand-in is done with it.
bool SpeechdVoice::Impl::takeOver(std::int32_t stream) {
  auto m = open.find(stream);
  if (m == open.end() || !m->second.ours || !hasStandIn()) return false;
  std::weak_ptr<Impl> weak = self;
  const bool taken = owner->standIn(m->second.text, [weak, stream] {
    if (auto v = weak.lock()) v->endStream(stream);
  });
  if (!taken) return false;
  m->second.standIn = true;
  m->second.sent = false;
  startStream(stream);
  return true;
}

// A text said while the service cannot be had, on a stream of its own.
bool SpeechdVoice::Impl::speakStandIn(const std::string& utf8) {
  if (!hasStandIn()) return false;
  const std::int32_t stream = ++nextStream;
  Message message;
  message.saidAt = host().nowMicros();
  message.text = utf8;
  open[stream] = message;
  if (takeOver(stream)) return true;
  open.erase(stream);
  return false;
}

void SpeechdVoice::Impl::connected(const std::shared_ptr<Link>& from, const std::string& lang) {
  if (from != link) return;
  linked = true;
  everLinked = true;
  failures = 0;
  language = lang;
  lastHeard = linkedAt = host().nowMicros();
  std::vector<std::int32_t> waiting;
  for (const auto& [stream, m] : open) {
    if (!m.sent && !m.standIn && m.ours) waiting.push_back(stream);
  }
  if (!waiting.empty()) announceBack();
  for (std::int32_t stream : waiting) send(stream);
}

// Speech that comes back after a loss is announced once, before the next
// text (not at once: the stand-in may still be speaking).
void SpeechdVoice::Impl::announceBack() {
  if (!lost || noticeQueued || !linked || !owner || !owner->backNotice) return;
  const std::u16string notice = owner->backNotice();
  if (notice.empty()) return;
  noticeQueued = true;
  say(utf16ToUtf8(notice), SPD_DATA_TEXT, notice.size(), false);
}

void SpeechdVoice::Impl::connectFailed(const std::shared_ptr<Link>& from) {
  if (from != link) return;
  lose(false);
}

// The service closed the connection (it died, or was ended). What it had
// not yet said to its end, the cut text included, goes to a new connection
// at once, unless the last one broke this soon (a service that keeps dying).
void SpeechdVoice::Impl::broken() {
  // Only a replacement that breaks as soon tells of a service that keeps
  // dying; a first break is a service that died once.
  const bool shortLived = !linked || (relinked && host().nowMicros() - linkedAt < kShortLivedMicros);
  lost = true;
  abandonLink();
  std::vector<std::int32_t> ended;
  for (auto& [stream, m] : open) {
    if (m.standIn) continue;
    if (!m.ours || stream <= cancelledUpTo) {
      ended.push_back(stream);  // a notice, or a text the player silenced
      continue;
    }
    m.sent = false;
    m.begunAt = -1;
    m.saidAt = host().nowMicros();
  }
  for (std::int32_t stream : ended) endStream(stream);
  if (shortLived) {
    lose(false);
    return;
  }
  relinked = true;
  startLink();
}

void SpeechdVoice::Impl::hungUp(const std::shared_ptr<Link>& from) {
  if (from != link) return;
  broken();
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

// The service cannot be had: connecting failed, or it is stuck. The texts
// of ours it was to say go to the stand-in voice; without one they end
// silent and the loss is reported once.
void SpeechdVoice::Impl::lose(bool stuck) {
  abandonLink();
  relinked = false;
  if (watchdog) host().cancelTimer(watchdog);
  watchdog = 0;
  if (!stuck) ++failures;
  const std::int64_t backoff = kRetryFailedMicros << std::min(failures > 0 ? failures - 1 : 0, 5);
  retryAt = host().nowMicros() + (stuck ? kRetryStuckMicros : std::min(backoff, kRetryFailedMostMicros));
  lost = lost || everLinked;
  std::vector<std::int32_t> waiting;
  for (const auto& [stream, m] : open) {
    if (!m.standIn) waiting.push_back(stream);
  }
  bool textsLost = false;
  for (std::int32_t stream : waiting) {
    if (takeOver(stream)) continue;
    textsLost = textsLost || open.at(stream).ours;
    endStream(stream);  // what was said will never be reported now: no wait may hang
  }
  if (textsLost) lost = true;
  const bool report = !reported && (textsLost || (inUse() && !standInReady()));
  if (!report) return;
  reported = true;
  host().reportError(everLinked ? "The speech service (Speech Dispatcher) stopped speaking. "
                                  "Speech through it is silent until it answers again."
                                : "The speech service (Speech Dispatcher) cannot be reached, "
                                  "so speech through it is silent.");
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
  const bool waiting = !linked && std::any_of(open.begin(), open.end(), [](const auto& m) {
    return m.second.ours && !m.second.standIn;
  });
  watchdog = host().startTimer(waiting ? kWaitingPeriod : kWatchPeriod, [weak = self] {
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
  std::vector<std::int32_t> late;
  for (const auto& [stream, m] : open) {
    if (m.standIn) continue;
    if (!m.sent) {
      // Waiting for a connection being made: not longer than a moment.
      if (m.ours && now - m.saidAt > kTakeOverMicros) late.push_back(stream);
    } else if (m.begunAt < 0) {
      stuck = stuck || now - std::max(m.saidAt, lastHeard) > kNeverBegunMicros;
    } else {
      const auto limit = kBegunMicros + kPerCharacterMicros * static_cast<std::int64_t>(m.characters);
      stuck = stuck || now - m.begunAt > limit;
    }
  }
  if (stuck) {
    // A stuck service would keep every wait for speech waiting for ever.
    lose(true);
    return;
  }
  for (std::int32_t stream : late) takeOver(stream);
  if (!linked || !outstanding.empty() || !open.empty()) watch();
}

SpeechdVoice::SpeechdVoice(Priority priority) : impl_(std::make_shared<Impl>()) {
  addExitStep(endStartedService);
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
    impl_->link->notify();
  }
}

bool SpeechdVoice::connected() const { return impl_->link && impl_->linked; }

bool SpeechdVoice::connecting() const { return impl_->link && !impl_->linked; }

std::string SpeechdVoice::language() const { return impl_->language; }

Status SpeechdVoice::SetEventInterests(std::uint32_t interests) {
  impl_->interests = interests;
  if (!impl_->link && impl_->inUse() && host().nowMicros() >= impl_->retryAt) impl_->startLink();
  return Status::ok();
}

Status SpeechdVoice::Speak(std::u16string_view text, std::uint32_t flags) {
  Impl& v = *impl_;
  if (flags & SVSFPurgeBeforeSpeak) {
    v.cancelledUpTo = v.nextStream;
    // What the stand-in says is cut at once (its streams end).
    bool standIn = false;
    for (const auto& [stream, m] : v.open) standIn = standIn || m.standIn;
    if (standIn && standInStop) standInStop();
    // Texts not yet handed to the link are dropped here; the rest the
    // service cancels and reports.
    std::vector<std::int32_t> dropped;
    for (const auto& [stream, m] : v.open) {
      if (!m.sent && !m.standIn) dropped.push_back(stream);
    }
    if (v.link) {
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
    if (v.link && v.linked && !v.open.empty()) {
      Request cancel;
      cancel.kind = Request::Cancel;
      v.queue(std::move(cancel));
      if (v.cancelledAt < 0) v.cancelledAt = host().nowMicros();
    }
  }
  // The service hangs on an empty message; there is nothing to say anyway.
  if (text.empty()) return Status::ok();

  const std::string utf8 = utf16ToUtf8(text);
  if (!v.link) {
    if (host().nowMicros() < v.retryAt) {
      if (!v.speakStandIn(utf8)) v.silentStream();
      return Status::ok();
    }
    v.startLink();
  }
  const SPDDataMode mode = (flags & SVSFIsXML) ? SPD_DATA_SSML : SPD_DATA_TEXT;
  const std::int32_t stream = v.say(utf8, mode, text.size(), true);

  if (!(flags & SVSFlagsAsync)) {
    while (v.open.count(stream)) host().waitForEvents(Millis(250));
  }
  return Status::ok();
}

void SpeechdVoice::endStartedService() {
  const pid_t pid = startedService.exchange(0);
  if (pid <= 0) return;
  // Still the service we started, not a process that took its number since.
  std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
  std::string name;
  if (!std::getline(comm, name) || name.rfind("speech-dispatch", 0) != 0) return;
  // Clients other than ours (a screen reader that came later) keep it.
  const int fd = connectSocket(socketPath());
  if (fd >= 0) {
    const std::string list = exchange(fd, "HISTORY GET CLIENT_LIST\r\n", 500);
    ::close(fd);
    std::size_t at = 0;
    while ((at = list.find("240-", at)) != std::string::npos) {
      const std::size_t end = list.find("\r\n", at);
      const std::string line = list.substr(at + 4, end == std::string::npos ? std::string::npos : end - at - 4);
      at = end == std::string::npos ? list.size() : end;
      // "<id> <user>:<client>:<connection> <1 when connected>"
      const std::size_t space = line.find(' '), last = line.rfind(' ');
      if (space == std::string::npos || last == space || line.substr(last + 1) != "1") continue;
      const std::string name = line.substr(space + 1, last - space - 1);
      const std::size_t colon = name.find(':');
      const std::string client = colon == std::string::npos ? name : name.substr(colon + 1, name.find(':', colon + 1) - colon - 1);
      if (client != "drum" && client != "unknown") return;
    }
  }
  ::kill(pid, SIGTERM);
}

}  // namespace drum
