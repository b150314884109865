#include "shell/windows/dialogspeech.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QRadioButton>

#include "platform/cp1250.h"
#include "platform/screenreader.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/settings/flags.h"
#include "speech/speech.h"

namespace drum {

namespace {

const char* kTalks = "drumTalksWhenAlone";

// A check box's state in the interface language (the message table has no
// words for it).
std::string checkedWord(bool checked) {
  switch (languagebase) {
    case 2000: return checked ? "checked" : "not checked";
    case 3000: return cp(checked ? "začiarknuté" : "nezačiarknuté");
    default: return cp(checked ? "zaškrtnuto" : "nezaškrtnuto");
  }
}

QString nameOf(const QWidget* w) {
  if (!w->accessibleName().isEmpty()) return w->accessibleName();
  if (const auto* b = qobject_cast<const QAbstractButton*>(w)) return accessibleCaption(b->text());
  if (const auto* l = qobject_cast<const QLabel*>(w)) return accessibleCaption(l->text());
  return {};
}

std::string joined(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + " " + b;
}

QDialog* talkingDialog(QWidget* w) {
  auto* dialog = w ? qobject_cast<QDialog*>(w->window()) : nullptr;
  return dialog && dialog->property(kTalks).toBool() ? dialog : nullptr;
}

void speak(const std::string& text) {
  StopSpeech();
  SpeakWindowText(text);
}

void say(const std::string& text, const QWidget* where) {
  if (screenReaderRunning() || text.empty()) return;
  if (qobject_cast<const QMessageBox*>(where ? where->window() : nullptr)) {
    // A message box may be the report of a failure to speak: its own
    // failure to speak stays silent rather than open a box for ever.
    try {
      speak(text);
    } catch (const std::exception&) {
    }
    return;
  }
  guarded([&] { speak(text); });
}

// One for the application: follows the focus and the keys of every talking
// dialog.
class DialogSpeech : public QObject {
 public:
  DialogSpeech() {
    qApp->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focused(now); });
  }

  void watch(QDialog* dialog) {
    dialog->setProperty(kTalks, true);
    dialog->installEventFilter(this);
    for (auto* box : dialog->findChildren<QCheckBox*>()) {
      connect(box, &QCheckBox::toggled, this, [box] {
        if (box->hasFocus()) say(spokenControl(box), box);
      });
    }
    for (auto* bar : dialog->findChildren<QAbstractSlider*>()) {
      connect(bar, &QAbstractSlider::valueChanged, this, [bar] {
        if (bar->hasFocus() && bar->isVisible()) say(spokenControl(bar), bar);
      });
    }
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        // Any key in a talking dialog silences it, as keys do everywhere.
        if (!screenReaderRunning() && watched->isWindowType() && talkingDialog(QApplication::activeWindow()))
          guarded(StopSpeech);
        break;
      case QEvent::Show:
        if (auto* d = qobject_cast<QDialog*>(watched); d && d->property(kTalks).toBool()) {
          announced_.removeAll(d);
          announced_.removeAll(nullptr);
        }
        break;
      case QEvent::WindowActivate:
        // Said once Qt has finished activating the dialog: speaking waits
        // for the speech and runs the event loop, and inside this event the
        // focus has not yet moved into the dialog (the Braille display would
        // show the window behind it, and the focus arriving afterwards would
        // be said a second time).
        if (auto* d = qobject_cast<QDialog*>(watched); d && d->property(kTalks).toBool() && !announced_.contains(d)) {
          QMetaObject::invokeMethod(
              this,
              [this, d = QPointer<QDialog>(d)] {
                if (!d || announced_.contains(d) || !d->isVisible() || !d->isActiveWindow()) return;
                announced_.append(d);
                say(spokenDialog(d), d);
              },
              Qt::QueuedConnection);
        }
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void focused(QWidget* now) {
    QDialog* dialog = talkingDialog(now);
    // The focus a dialog is shown with is said with the dialog.
    if (!dialog || !announced_.contains(dialog) || !dialog->isActiveWindow()) return;
    say(spokenControl(now), now);
  }

  QList<QPointer<QDialog>> announced_;
};

DialogSpeech& dialogSpeech() {
  static auto* instance = new DialogSpeech;
  return *instance;
}

}  // namespace

std::string spokenControl(const QWidget* control) {
  if (!control) return {};
  const std::string name = cptext(nameOf(control));
  if (const auto* box = qobject_cast<const QCheckBox*>(control)) return joined(name, checkedWord(box->isChecked()));
  if (const auto* bar = qobject_cast<const QAbstractSlider*>(control))
    return joined(name, std::to_string(bar->value()));
  if (const auto* list = qobject_cast<const QListWidget*>(control))
    return joined(name, list->currentItem() ? cptext(list->currentItem()->text()) : std::string());
  return name;
}

std::string spokenDialog(const QDialog* dialog) {
  std::string text = cptext(dialog->windowTitle());
  QWidget* focus = dialog->focusWidget();
  if (const auto* box = qobject_cast<const QMessageBox*>(dialog)) {
    text = joined(text, cptext(box->text()));
  } else {
    // Texts that stand alone (not a control's name), in their order.
    for (const QLabel* label : dialog->findChildren<QLabel*>()) {
      if (label->buddy() || label->text().isEmpty() || !label->isVisibleTo(dialog)) continue;
      text = joined(text, cptext(accessibleCaption(label->text())));
    }
  }
  if (focus) {
    if (const auto* group = qobject_cast<const QGroupBox*>(focus->parentWidget()))
      text = joined(text, cptext(accessibleCaption(group->title())));
    text = joined(text, spokenControl(focus));
  }
  return text;
}

void talkWhenAlone(QDialog* dialog) { dialogSpeech().watch(dialog); }

}  // namespace drum
