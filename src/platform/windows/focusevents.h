// Focus announcements: a control that talks when the user brings the focus
// to it (Tab, its label's accelerator, a click, the program). The focus that
// comes back with its window's activation is not a move of the user's and
// says nothing, as on the platform these dialogs were made for.
#pragma once
#include <QEvent>
#include <QFocusEvent>
#include <QObject>
#include <QWidget>
#include <functional>
#include <utility>

#include "platform/windows/qthost.h"

namespace drum {

class FocusAnnouncer : public QObject {
 public:
  FocusAnnouncer(QWidget* widget, std::function<void()> entered) : QObject(widget), entered_(std::move(entered)) {
    widget->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn) {
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) guarded(entered_);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> entered_;
};

// `entered` runs whenever the user brings the focus to `widget`.
inline void onenter(QWidget* widget, std::function<void()> entered) { new FocusAnnouncer(widget, std::move(entered)); }

}  // namespace drum
