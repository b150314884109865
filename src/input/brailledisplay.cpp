#include "input/brailledisplay.h"

#include <brlapi.h>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "input/braillecells.h"
#include "platform/cp1250.h"
#include "platform/host.h"

namespace drum {
namespace {

// How long a missing BRLTTY (or one without a display) is left alone before
// the next try.
constexpr int kRetryMillis = 2000;

enum class Focus { None, Window, Program };

// An error BRLTTY reports after the call that caused it: the connection is
// dropped (the call then fails) instead of libbrlapi's default, which prints
// and aborts.
void BRLAPI_STDCALL quietException(brlapi_handle_t*, int, brlapi_packetType_t, const void*, size_t) {}

}  // namespace

// Shared by the UI thread (the wanted state, under `lock`) and the
// connection's thread (everything else). Never freed, and holds nothing
// whose destructor the end of the process would run under the thread.
struct BrailleDisplay::Impl {
  std::mutex lock;
  // Wanted, set by the UI thread.
  bool enabled = false;
  Focus focus = Focus::None;
  unsigned long window = 0;
  std::uint64_t focusSerial = 0;  // every focus call counts, so a window is entered again
  std::u16string text;
  std::vector<std::uint8_t> cells;
  bool haveCells = false;  // liblouis gave cells; otherwise BRLTTY translates `text`
  int caret = -1;
  std::uint64_t contentSerial = 0;
  // Keys read and not yet handed to the UI thread.
  std::deque<BrailleKey> keys;

  std::atomic<bool> connected{false};
  std::atomic<int> columns{0};
  int wake = -1;  // eventfd: the UI thread changed what is wanted
  bool started = false;

  // The connection's thread alone.
  brlapi_handle_t* handle = nullptr;
  int fd = -1;
  bool inTty = false;
  std::uint64_t appliedFocus = ~std::uint64_t{0};
  std::uint64_t shownContent = ~std::uint64_t{0};
  int offset = 0;  // the first cell shown: the pan
  bool rewrite = false;
  std::vector<std::uint8_t> written;
  std::string writtenText;
  int writtenCursor = -2;

  void notify() {
    const std::uint64_t one = 1;
    if (wake >= 0) (void)!::write(wake, &one, sizeof one);
  }
  void run();
  bool connect();
  void disconnect();
  bool applyFocus();
  bool show();
  bool readKeys();
  void key(brlapi_keyCode_t code);
  void post(BrailleKey k);
  void drain();
  int length() const;
};

namespace {

void clearWake(int fd) {
  std::uint64_t n;
  (void)!::read(fd, &n, sizeof n);
}

}  // namespace

void BrailleDisplay::Impl::run() {
  // libbrlapi writes to its socket without MSG_NOSIGNAL: a BRLTTY that went
  // away must cost the connection, not the process.
  sigset_t pipe;
  sigemptyset(&pipe);
  sigaddset(&pipe, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipe, nullptr);
  handle = static_cast<brlapi_handle_t*>(std::calloc(1, brlapi_getHandleSize()));
  if (!handle) return;  // no memory for it: no display, as without BRLTTY
  const auto rest = [this] {
    pollfd p{wake, POLLIN, 0};
    if (::poll(&p, 1, kRetryMillis) > 0) clearWake(wake);
  };
  for (;;) {
    bool on;
    {
      std::lock_guard guard(lock);
      on = enabled;
    }
    if (!on) {
      if (fd >= 0) disconnect();
      pollfd p{wake, POLLIN, 0};
      ::poll(&p, 1, -1);
      clearWake(wake);
      continue;
    }
    if (fd < 0 && !connect()) {
      rest();
      continue;
    }
    if (!applyFocus() || !show() || !readKeys()) {
      // Gone, or refusing what was asked (a terminal it cannot find): asked
      // again after a rest, or at once when what is wanted changes.
      disconnect();
      rest();
      continue;
    }
    // Keys come only in tty mode; out of it the socket is watched for BRLTTY
    // going away now and then.
    pollfd p[2] = {{wake, POLLIN, 0}, {fd, POLLIN, 0}};
    const int n = ::poll(p, inTty ? 2 : 1, inTty ? -1 : kRetryMillis);
    if (n > 0 && (p[0].revents & POLLIN)) clearWake(wake);
    if (!inTty && n == 0) {
      char c;
      const ssize_t r = ::recv(fd, &c, 1, MSG_PEEK | MSG_DONTWAIT);
      if (r == 0 || (r < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) disconnect();
    }
  }
}

bool BrailleDisplay::Impl::connect() {
  const int got = brlapi__openConnection(handle, nullptr, nullptr);
  if (got < 0) return false;
  fd = got;
  brlapi__setExceptionHandler(handle, quietException);
  unsigned int x = 0, y = 0;
  if (brlapi__getDisplaySize(handle, &x, &y) < 0 || x == 0) {
    // BRLTTY without a display: tried again later, a display may come.
    disconnect();
    return false;
  }
  columns = static_cast<int>(x);
  connected = true;
  inTty = false;
  appliedFocus = ~std::uint64_t{0};
  rewrite = true;
  return true;
}

void BrailleDisplay::Impl::disconnect() {
  if (fd >= 0) brlapi__closeConnection(handle);
  fd = -1;
  inTty = false;
  connected = false;
  columns = 0;
}

bool BrailleDisplay::Impl::applyFocus() {
  Focus f;
  unsigned long id;
  std::uint64_t serial;
  {
    std::lock_guard guard(lock);
    f = focus;
    id = window;
    serial = focusSerial;
  }
  if (serial == appliedFocus) return true;
  appliedFocus = serial;
  if (inTty) {
    inTty = false;
    if (brlapi__leaveTtyMode(handle) < 0) return false;
  }
  if (f == Focus::None) return true;
  const int entered = f == Focus::Window ? brlapi__enterTtyMode(handle, static_cast<int>(id), nullptr)
                                         : brlapi__enterTtyModeWithPath(handle, nullptr, 0, nullptr);
  if (entered < 0) return false;
  inTty = true;
  // Dot chords as their dots, not as BRLTTY's characters: the chords are
  // ours to read through the Braille table.
  const brlapi_keyCode_t passdots = BRLAPI_KEY_TYPE_CMD | BRLAPI_KEY_CMD_PASSDOTS;
  if (brlapi__acceptKeys(handle, brlapi_rangeType_command, &passdots, 1) < 0) return false;
  rewrite = true;
  return true;
}

int BrailleDisplay::Impl::length() const {
  return static_cast<int>(haveCells ? cells.size() : text.size());
}

bool BrailleDisplay::Impl::show() {
  if (!inTty) return true;
  const int width = columns;
  if (width <= 0) return true;
  std::vector<std::uint8_t> window(width, 0);
  std::string utf8;
  int cursor = BRLAPI_CURSOR_OFF;
  bool haveDots;
  {
    std::lock_guard guard(lock);
    const int len = length();
    if (contentSerial != shownContent) {
      shownContent = contentSerial;
      // The caret stays in view: a new text pans to the window that holds it.
      if (caret >= 0 && (caret < offset || caret >= offset + width)) offset = caret / width * width;
      if (offset > 0 && offset >= len && (caret < 0 || caret < offset)) offset = len > 0 ? (len - 1) / width * width : 0;
    }
    haveDots = haveCells;
    const int count = std::max(0, std::min(width, len - offset));
    if (haveDots) {
      std::copy_n(cells.begin() + offset, count, window.begin());
    } else {
      utf8 = utf16ToUtf8(std::u16string_view(text).substr(static_cast<std::size_t>(offset), count));
      utf8.append(static_cast<std::size_t>(width - count), ' ');
    }
    if (caret >= offset && caret < offset + width) cursor = caret - offset + 1;
  }
  if (!rewrite && cursor == writtenCursor && (haveDots ? window == written : utf8 == writtenText)) return true;
  brlapi_writeArguments_t args = BRLAPI_WRITEARGUMENTS_INITIALIZER;
  args.regionBegin = 1;
  args.regionSize = width;
  args.cursor = cursor;
  const std::string blank(static_cast<std::size_t>(width), ' ');
  if (haveDots) {
    args.text = blank.c_str();
    args.textSize = width;
    args.orMask = window.data();
  } else {
    args.text = utf8.c_str();
    args.textSize = static_cast<int>(utf8.size());
    args.charset = "UTF-8";
  }
  if (brlapi__write(handle, &args) < 0) return false;
  rewrite = false;
  written = haveDots ? std::move(window) : std::vector<std::uint8_t>();
  writtenText = haveDots ? std::string() : std::move(utf8);
  writtenCursor = cursor;
  return true;
}

bool BrailleDisplay::Impl::readKeys() {
  if (!inTty) return true;
  for (;;) {
    brlapi_keyCode_t code = 0;
    const int got = brlapi__readKeyWithTimeout(handle, 0, &code);
    if (got < 0) return false;
    if (got == 0) return true;
    key(code);
    if (!show()) return false;
  }
}

void BrailleDisplay::Impl::key(brlapi_keyCode_t code) {
  const brlapi_keyCode_t type = code & BRLAPI_KEY_TYPE_MASK;
  if (type == BRLAPI_KEY_TYPE_SYM) {
    const brlapi_keyCode_t sym = code & BRLAPI_KEY_CODE_MASK;
    if (sym == BRLAPI_KEY_SYM_BACKSPACE) post({BrailleKey::Backspace, 0});
    else if (sym == BRLAPI_KEY_SYM_LINEFEED || sym == 0xFF0A) post({BrailleKey::Enter, 0});
    else if (sym == ' ') post({BrailleKey::Space, 0});
    return;
  }
  if (type != BRLAPI_KEY_TYPE_CMD) return;
  const brlapi_keyCode_t block = code & BRLAPI_KEY_CMD_BLK_MASK;
  const int argument = static_cast<int>(code & BRLAPI_KEY_CMD_ARG_MASK);
  const int width = columns;
  if (block == BRLAPI_KEY_CMD_PASSDOTS) {
    const int dots = argument & 0xFF;
    post({dots ? BrailleKey::Dots : BrailleKey::Space, dots});
  } else if (block == BRLAPI_KEY_CMD_ROUTE) {
    post({BrailleKey::Route, offset + argument});
  } else if (block == 0 && width > 0) {
    const int command = argument;
    if (command == (BRLAPI_KEY_CMD_FWINLT & BRLAPI_KEY_CMD_ARG_MASK)) {
      offset = std::max(0, offset - width);
    } else if (command == (BRLAPI_KEY_CMD_FWINRT & BRLAPI_KEY_CMD_ARG_MASK)) {
      std::lock_guard guard(lock);
      if (offset + width < length()) offset += width;
    }
  }
}

// One posted call a key (keys come at a typist's pace): a call that a host
// took and never ran, being replaced, holds back no later key.
void BrailleDisplay::Impl::post(BrailleKey k) {
  std::lock_guard guard(lock);
  keys.push_back(k);
  if (!postToHost([this] { drain(); })) keys.clear();  // no host: nobody is there to type to
}

void BrailleDisplay::Impl::drain() {
  std::deque<BrailleKey> taken;
  {
    std::lock_guard guard(lock);
    taken.swap(keys);
  }
  auto& display = BrailleDisplay::instance();
  for (const BrailleKey& k : taken)
    if (display.onKey) display.onKey(k);
}

BrailleDisplay& BrailleDisplay::instance() {
  static auto* display = new BrailleDisplay;  // never destroyed, as its Impl
  return *display;
}

BrailleDisplay::BrailleDisplay() : impl_(new Impl) {}

void BrailleDisplay::setEnabled(bool on) {
  Impl& d = *impl_;
  if (enabled() == on) return;
  // What was shown while the display was off was not made into cells.
  std::optional<std::vector<std::uint8_t>> cells;
  if (on) {
    std::u16string text;
    {
      std::lock_guard guard(d.lock);
      text = d.text;
    }
    cells = brailleCells(text);
  }
  {
    std::lock_guard guard(d.lock);
    d.enabled = on;
    if (on) {
      d.haveCells = cells.has_value();
      d.cells = cells ? std::move(*cells) : std::vector<std::uint8_t>();
      ++d.contentSerial;
    }
    if (on && !d.started) {
      d.wake = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
      if (d.wake < 0) {
        d.enabled = false;
        return;
      }
      d.started = true;
      std::thread([&d] { d.run(); }).detach();
    }
  }
  d.notify();
}

bool BrailleDisplay::enabled() const {
  std::lock_guard guard(impl_->lock);
  return impl_->enabled;
}

bool BrailleDisplay::connected() const { return impl_->connected; }

int BrailleDisplay::columns() const { return impl_->connected ? impl_->columns.load() : 0; }

void BrailleDisplay::focusWindow(unsigned long windowId) {
  {
    std::lock_guard guard(impl_->lock);
    impl_->focus = Focus::Window;
    impl_->window = windowId;
    ++impl_->focusSerial;
  }
  impl_->notify();
}

void BrailleDisplay::focusProgram() {
  {
    std::lock_guard guard(impl_->lock);
    impl_->focus = Focus::Program;
    ++impl_->focusSerial;
  }
  impl_->notify();
}

void BrailleDisplay::unfocus() {
  {
    std::lock_guard guard(impl_->lock);
    if (impl_->focus == Focus::None) return;
    impl_->focus = Focus::None;
    ++impl_->focusSerial;
  }
  impl_->notify();
}

void BrailleDisplay::show(std::u16string_view text, int caret) {
  // Cells are made here, on the UI thread: liblouis is not thread-safe. A
  // display that is off costs nothing.
  std::optional<std::vector<std::uint8_t>> cells;
  if (enabled()) cells = brailleCells(text);
  {
    std::lock_guard guard(impl_->lock);
    impl_->text.assign(text);
    impl_->haveCells = cells.has_value();
    impl_->cells = cells ? std::move(*cells) : std::vector<std::uint8_t>();
    impl_->caret = caret;
    ++impl_->contentSerial;
  }
  impl_->notify();
}

}  // namespace drum
