#include "platform/windows/keymap.h"

#ifdef DRUM_WAYLAND
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstring>
#endif

namespace drum {

#ifdef DRUM_WAYLAND
namespace {

// A connection of our own to the compositor with a keyboard of the seat. It
// has no surface, so it is never given keys, only the keymap in force, which
// the compositor sends every client whenever it changes.
class KeymapWatch {
 public:
  static KeymapWatch* instance();

  bool byPlace(std::uint32_t keycode, std::uint32_t keysym);

  void global(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version);
  void capabilities(std::uint32_t caps);
  void keymap(std::uint32_t format, int fd, std::uint32_t size);

 private:
  explicit KeymapWatch(wl_display* display);
  void pump();
  void stop();
  bool types(std::uint32_t keycode, std::uint32_t keysym) const;

  wl_display* display_;
  xkb_context* context_;
  QSocketNotifier* notifier_ = nullptr;
  wl_seat* seat_ = nullptr;
  wl_keyboard* keyboard_ = nullptr;
  xkb_keymap* keymap_ = nullptr;
  int keymaps_ = 0;        // keymaps read so far
  int waitedFor_ = -1;     // the keymap after which a strange key was waited for
  bool standard_ = true;
};

const wl_keyboard_listener kKeyboard = {
    [](void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
      static_cast<KeymapWatch*>(data)->keymap(format, fd, size);
    },
    [](void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {},
    [](void*, wl_keyboard*, std::uint32_t, wl_surface*) {},
    [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void*, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t) {},
    [](void*, wl_keyboard*, std::int32_t, std::int32_t) {},
};
const wl_seat_listener kSeat = {
    [](void* data, wl_seat*, std::uint32_t caps) { static_cast<KeymapWatch*>(data)->capabilities(caps); },
    [](void*, wl_seat*, const char*) {},
};
const wl_registry_listener kRegistry = {
    [](void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
      static_cast<KeymapWatch*>(data)->global(registry, name, interface, version);
    },
    [](void*, wl_registry*, std::uint32_t) {},
};

KeymapWatch* KeymapWatch::instance() {
  static KeymapWatch* watch = []() -> KeymapWatch* {
    if (QGuiApplication::platformName() != QLatin1String("wayland")) return nullptr;
    wl_display* display = wl_display_connect(nullptr);
    if (!display) return nullptr;
    auto* w = new KeymapWatch(display);  // lives as long as the program
    // The seat, its keyboard, the keymap.
    for (int i = 0; i < 3 && w->display_; ++i)
      if (wl_display_roundtrip(display) < 0) w->stop();
    return w;
  }();
  return watch;
}

KeymapWatch::KeymapWatch(wl_display* display) : display_(display), context_(xkb_context_new(XKB_CONTEXT_NO_FLAGS)) {
  wl_registry_add_listener(wl_display_get_registry(display_), &kRegistry, this);
  notifier_ = new QSocketNotifier(wl_display_get_fd(display_), QSocketNotifier::Read, qApp);
  QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { pump(); });
}

bool KeymapWatch::byPlace(std::uint32_t keycode, std::uint32_t keysym) {
  pump();
  // Qt reads its keys on a connection of its own: the keymap of a key that
  // does not fit the one known is waited for, once a keymap.
  if (display_ && keysym && waitedFor_ != keymaps_ && !types(keycode, keysym)) {
    waitedFor_ = keymaps_;
    if (wl_display_roundtrip(display_) < 0) stop();
  }
  return standard_;
}

// Reads and handles what the compositor sent, without waiting.
void KeymapWatch::pump() {
  if (!display_) return;
  while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
  wl_display_flush(display_);
  pollfd p{wl_display_get_fd(display_), POLLIN, 0};
  if (::poll(&p, 1, 0) > 0) {
    if (wl_display_read_events(display_) < 0) return stop();
  } else {
    wl_display_cancel_read(display_);
  }
  if (wl_display_dispatch_pending(display_) < 0) stop();
}

// The compositor went away: the keymap known last stands.
void KeymapWatch::stop() {
  if (!display_) return;
  delete notifier_;
  notifier_ = nullptr;
  wl_display_disconnect(display_);
  display_ = nullptr;
}

// The keymap known has `keysym` on `keycode`, at any level.
bool KeymapWatch::types(std::uint32_t keycode, std::uint32_t keysym) const {
  if (!keymap_) return false;
  for (xkb_layout_index_t layout = 0; layout < xkb_keymap_num_layouts_for_key(keymap_, keycode); ++layout) {
    for (xkb_level_index_t level = 0; level < xkb_keymap_num_levels_for_key(keymap_, keycode, layout); ++level) {
      const xkb_keysym_t* syms = nullptr;
      const int n = xkb_keymap_key_get_syms_by_level(keymap_, keycode, layout, level, &syms);
      for (int i = 0; i < n; ++i)
        if (syms[i] == keysym) return true;
    }
  }
  return false;
}

void KeymapWatch::global(wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t version) {
  if (seat_ || std::strcmp(interface, wl_seat_interface.name) != 0) return;
  seat_ = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, version < 5 ? version : 5));
  wl_seat_add_listener(seat_, &kSeat, this);
}

void KeymapWatch::capabilities(std::uint32_t caps) {
  const bool has = caps & WL_SEAT_CAPABILITY_KEYBOARD;
  if (has && !keyboard_) {
    keyboard_ = wl_seat_get_keyboard(seat_);
    wl_keyboard_add_listener(keyboard_, &kKeyboard, this);
  } else if (!has && keyboard_) {
    if (wl_keyboard_get_version(keyboard_) >= WL_KEYBOARD_RELEASE_SINCE_VERSION)
      wl_keyboard_release(keyboard_);
    else
      wl_keyboard_destroy(keyboard_);
    keyboard_ = nullptr;
  }
}

void KeymapWatch::keymap(std::uint32_t format, int fd, std::uint32_t size) {
  xkb_keymap* map = nullptr;
  if (format == WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1 && size > 0) {
    void* text = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (text != MAP_FAILED) {
      const char* chars = static_cast<const char*>(text);
      map = xkb_keymap_new_from_buffer(context_, chars, ::strnlen(chars, size), XKB_KEYMAP_FORMAT_TEXT_V1,
                                       XKB_KEYMAP_COMPILE_NO_FLAGS);
      ::munmap(text, size);
    }
  }
  ::close(fd);
  if (!map) return;
  if (keymap_) xkb_keymap_unref(keymap_);
  keymap_ = map;
  ++keymaps_;
  // A PC keyboard's keymap names and numbers Space and the six dot keys, the
  // keys known by place, as evdev does.
  static const struct {
    const char* name;
    xkb_keycode_t code;
  } pc[] = {{"SPCE", 65}, {"AC04", 41}, {"AC03", 40}, {"AC02", 39}, {"AC07", 44}, {"AC08", 45}, {"AC09", 46}};
  standard_ = true;
  for (const auto& key : pc)
    if (xkb_keymap_key_by_name(keymap_, key.name) != key.code) standard_ = false;
}

}  // namespace
#endif

void watchKeymap() {
#ifdef DRUM_WAYLAND
  KeymapWatch::instance();
#endif
}

bool keysByPlace(std::uint32_t keycode, std::uint32_t keysym) {
#ifdef DRUM_WAYLAND
  if (keycode < 8) return true;  // a key event the program made: it has no place
  if (KeymapWatch* watch = KeymapWatch::instance()) return watch->byPlace(keycode, keysym);
#else
  (void)keycode;
  (void)keysym;
#endif
  return true;
}

}  // namespace drum
