// Keys a window speaks about itself. While a screen reader runs, such keys
// reach the window's controls without passing Qt's accessibility bridge: the
// screen reader neither holds them until it has decided about them nor
// speaks about what they do (it reads a text box's caret moves only after
// keys it has heard), so the window's own reading is the only one.
#pragma once
#include <QKeyEvent>
#include <functional>

class QObject;
class QEvent;
class QWidget;

namespace drum {

void keepKeysFromScreenReader(QWidget* window, std::function<bool(const QKeyEvent&)> keys);

// From the application's notify, before any event filter: true when the
// event was delivered that way.
bool deliverPastScreenReader(QObject* receiver, QEvent* event);

}  // namespace drum
