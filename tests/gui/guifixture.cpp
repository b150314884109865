#include "gui/guifixture.h"

#include <QCoreApplication>
#include <QTimer>

namespace drum::gui {

void soon(int ms, std::function<void()> fn) { QTimer::singleShot(ms, qApp, std::move(fn)); }

}  // namespace drum::gui
