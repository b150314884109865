#include "platform/windows/readerkeys.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>
#include <QWindow>
#include <vector>

#include "platform/screenreader.h"

namespace drum {

namespace {

struct Kept {
  QPointer<QWidget> window;
  std::function<bool(const QKeyEvent&)> keys;
};

std::vector<Kept>& kept() {
  static std::vector<Kept> list;
  return list;
}

}  // namespace

void keepKeysFromScreenReader(QWidget* window, std::function<bool(const QKeyEvent&)> keys) {
  kept().push_back({window, std::move(keys)});
}

bool deliverPastScreenReader(QObject* receiver, QEvent* event) {
  if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) || !event->spontaneous() ||
      !receiver->isWindowType() || !screenReaderRunning())
    return false;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  for (const Kept& k : kept()) {
    if (!k.window || k.window->windowHandle() != receiver || !k.keys(key)) continue;
    // The same key, sent rather than coming from the window system: the
    // bridge passes what is not spontaneous.
    QKeyEvent copy(key.type(), key.key(), key.modifiers(), key.nativeScanCode(), key.nativeVirtualKey(),
                   key.nativeModifiers(), key.text(), key.isAutoRepeat(), key.count(), key.device());
    copy.setTimestamp(key.timestamp());
    QCoreApplication::sendEvent(receiver, &copy);
    event->setAccepted(copy.isAccepted());
    return true;
  }
  return false;
}

}  // namespace drum
