#include "shell/windows/brailleview.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTextBlock>
#include <QWindow>
#include <algorithm>
#include <utility>

#include "input/braillecells.h"
#include "input/chordkeyboard.h"
#include "input/inputdialog.h"
#include "input/screenreview.h"
#include "input/windows/form2.h"
#include "input/windows/form6.h"
#include "platform/cp1250.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "shell/windows/desktop.h"
#include "shell/windows/dialogspeech.h"
#include "shell/windows/form1.h"

namespace drum {

namespace {

BrailleView* view = nullptr;

// One cell a character: a control character the program printed is a blank,
// as the windows show it.
std::u16string cells(const std::string& cp1250) {
  std::u16string text = cp1250ToUtf16(cp1250);
  for (char16_t& c : text)
    if (c < 32) c = u' ';
  return text;
}

std::u16string cells(const QString& text) {
  std::u16string out(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
  for (char16_t& c : out)
    if (c < 32) c = u' ';
  return out;
}

// A line without the blanks that fill it to the screen's width, which would
// be cells to pan over: it ends at its last character or at the caret.
std::u16string trimmed(std::u16string text, int caret) {
  const std::size_t last = text.find_last_not_of(u' ');
  const std::size_t keep = std::max(last == std::u16string::npos ? 0 : last + 1, static_cast<std::size_t>(std::max(caret, 0)));
  if (keep < text.size()) text.resize(keep);
  return text;
}

// What a control holds, as a dialog says it; a radio button, which says
// only its name, marked as Braille readers know it: "(x)" chosen, "( )" not.
std::u16string controlText(const QWidget* control) {
  std::string text = spokenControl(control);
  if (const auto* radio = qobject_cast<const QRadioButton*>(control))
    text = (radio->isChecked() ? "(x) " : "( ) ") + text;
  if (const auto* box = qobject_cast<const QMessageBox*>(control ? control->window() : nullptr))
    text = box->text().isEmpty() ? text : cptext(box->text()) + (text.empty() ? "" : " " + text);
  return cells(text);
}

// A key of the PC keyboard given to a control, press and release.
void typeKey(QWidget* control, Qt::Key key, QChar character) {
  if (!control) return;
  QPointer<QWidget> target(control);
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(character));
  QCoreApplication::sendEvent(target, &press);
  if (!target) return;
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(character));
  QCoreApplication::sendEvent(target, &release);
}

bool isXcb() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

// What the display is taken for where windows have no ids: no X window has
// this id (X's ids have their top three bits clear).
constexpr unsigned long kProgram = ~0ul;

}  // namespace

BrailleView::BrailleView(DesktopWindows& windows) : windows_(windows) {
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this] { refocus(); });
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this] { refocus(); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
    follow(now);
    refresh();
  });
  // The text screen's memo is rewritten (and its caret set) whenever the
  // program's screen has changed.
  if (windows.Form1) {
    QPlainTextEdit* memo = windows.Form1->printmemo();
    connect(memo, &QPlainTextEdit::textChanged, this, &BrailleView::refresh);
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &BrailleView::refresh);
  }
  // The main window's menus: the item the user is on.
  if (windows.Form1) {
    for (QMenu* menu : windows.Form1->findChildren<QMenu*>()) {
      connect(menu, &QMenu::hovered, this, &BrailleView::refresh);
      connect(menu, &QMenu::aboutToHide, this, &BrailleView::refresh, Qt::QueuedConnection);
    }
    connect(windows.Form1->menuBar(), &QMenuBar::hovered, this, &BrailleView::refresh);
  }
  if (windows.Form6) {
    QPlainTextEdit* memo = windows.Form6->virtualscrmemo();
    connect(memo, &QPlainTextEdit::cursorPositionChanged, this, &BrailleView::refresh);
    connect(memo, &QPlainTextEdit::textChanged, this, &BrailleView::refresh);
  }
  if (windows.Form2) {
    QLineEdit* edit = windows.Form2->inputedit();
    connect(edit, &QLineEdit::textChanged, this, &BrailleView::refresh);
    connect(edit, &QLineEdit::cursorPositionChanged, this, &BrailleView::refresh);
  }
  refocus();
}

BrailleView::~BrailleView() {
  for (const auto& c : followers_) disconnect(c);
  if (focused_) BrailleDisplay::instance().unfocus();
}

QWidget* BrailleView::front() const {
  QWidget* active = QApplication::activeWindow();
  return active ? active->window() : nullptr;
}

void BrailleView::refocus() {
  QWidget* active = QGuiApplication::applicationState() == Qt::ApplicationActive ? front() : nullptr;
  // X has window ids, which a focus teller reports to BRLTTY: the display is
  // taken for the window. Elsewhere (Wayland) there are none, and the
  // display is taken for the program while it is the active application.
  const unsigned long id = !active ? 0 : isXcb() ? static_cast<unsigned long>(active->winId()) : kProgram;
  if (id != focused_) {
    focused_ = id;
    if (id == kProgram)
      BrailleDisplay::instance().focusProgram();
    else if (id)
      BrailleDisplay::instance().focusWindow(id);
    else
      BrailleDisplay::instance().unfocus();
    sent_ = false;  // a display taken anew gets the text again
  }
  follow(active ? active->focusWidget() : nullptr);
  refresh();
}

void BrailleView::follow(QWidget* control) {
  if (control == followed_) return;
  for (const auto& c : followers_) disconnect(c);
  followers_.clear();
  followed_ = control;
  if (!control) return;
  // A control's value changes while it has the focus.
  if (auto* button = qobject_cast<QAbstractButton*>(control))
    followers_.push_back(connect(button, &QAbstractButton::toggled, this, &BrailleView::refresh));
  if (auto* bar = qobject_cast<QAbstractSlider*>(control))
    followers_.push_back(connect(bar, &QAbstractSlider::valueChanged, this, &BrailleView::refresh));
  if (auto* list = qobject_cast<QListWidget*>(control))
    followers_.push_back(connect(list, &QListWidget::currentRowChanged, this, &BrailleView::refresh));
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    followers_.push_back(connect(edit, &QLineEdit::textChanged, this, &BrailleView::refresh));
    followers_.push_back(connect(edit, &QLineEdit::cursorPositionChanged, this, &BrailleView::refresh));
  }
}

namespace {

// The item of an open menu, or of the menu bar in keyboard mode.
QAction* menuItem() {
  if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) return menu->activeAction();
  if (auto* bar = qobject_cast<QMenuBar*>(QApplication::focusWidget())) return bar->activeAction();
  return nullptr;
}

}  // namespace

void BrailleView::refresh() {
  QWidget* window = front();
  if (!window) return;
  if (QAction* item = menuItem()) {
    show(cells(accessibleCaption(item->text())), -1);
  } else if (windows_.Form1 && window == windows_.Form1.get()) {
    // The same line drumrun shows; a control character the program printed
    // is a blank cell, as in the window.
    BrailleScreenLine line = brailleScreenLine();
    for (char16_t& c : line.text)
      if (c < 32) c = u' ';
    show(std::move(line.text), line.caret);
  } else if (windows_.Form6 && window == windows_.Form6.get()) {
    const QTextCursor cursor = windows_.Form6->virtualscrmemo()->textCursor();
    show(trimmed(cells(cursor.block().text()), cursor.positionInBlock()), cursor.positionInBlock());
  } else if (windows_.Form2 && window == windows_.Form2.get() &&
             window->focusWidget() == windows_.Form2->inputedit()) {
    const QLineEdit* edit = windows_.Form2->inputedit();
    show(cells(edit->text()), edit->cursorPosition());
  } else {
    show(controlText(window->focusWidget()), -1);
  }
}

void BrailleView::show(std::u16string text, int caret) {
  if (sent_ && text == text_ && caret == caret_) return;
  text_ = std::move(text);
  caret_ = caret;
  sent_ = true;
  BrailleDisplay::instance().show(text_, caret_);
}

void BrailleView::key(const BrailleKey& key) {
  QWidget* window = front();
  if (!window) return;
  QWidget* focus = window->focusWidget();
  if (menuItem()) {
    // A menu has the keyboard: Enter chooses the item, as on the keyboard.
    QWidget* menu = QApplication::activePopupWidget() ? QApplication::activePopupWidget() : QApplication::focusWidget();
    if (key.kind == BrailleKey::Enter) typeKey(menu, Qt::Key_Return, QChar(13));
    return;
  }
  if (windows_.Form1 && window == windows_.Form1.get()) {
    guarded([&] { DisplayKey(key); });
    return;
  }
  if (windows_.Form6 && window == windows_.Form6.get()) {
    QPlainTextEdit* memo = windows_.Form6->virtualscrmemo();
    if (key.kind == BrailleKey::Route) {
      // The cell shown is a character of the caret's line.
      QTextCursor cursor = memo->textCursor();
      const QTextBlock line = cursor.block();
      cursor.setPosition(line.position() + std::clamp(key.value, 0, line.length() - 1));
      memo->setTextCursor(cursor);
      const int caret = windows_.Form6->caret();
      guarded([caret] { virtualscrmemoRoute(caret); });
    } else if (key.kind == BrailleKey::Enter) {
      typeKey(memo, Qt::Key_Return, QChar(13));
    }
    return;
  }
  if (windows_.Form2 && window == windows_.Form2.get() && focus == windows_.Form2->inputedit()) {
    QLineEdit* edit = windows_.Form2->inputedit();
    switch (key.kind) {
      case BrailleKey::Dots:
      case BrailleKey::Space: {
        const std::string dots = key.kind == BrailleKey::Space ? std::string(" ") : displayDots(key.value);
        guarded([&] { inputdialog::displayChord(dots); });
        break;
      }
      case BrailleKey::Backspace:
        typeKey(edit, Qt::Key_Backspace, QChar(8));
        break;
      case BrailleKey::Enter:
        typeKey(edit, Qt::Key_Return, QChar(13));
        break;
      case BrailleKey::Route:
        edit->setCursorPosition(std::clamp(key.value, 0, static_cast<int>(edit->text().size())));
        break;
    }
    return;
  }
  // Any other dialog: the keys that work its controls.
  switch (key.kind) {
    case BrailleKey::Space:
      typeKey(focus, Qt::Key_Space, QChar(u' '));
      break;
    case BrailleKey::Enter:
      typeKey(focus, Qt::Key_Return, QChar(13));
      break;
    default:
      break;
  }
}

BrailleView* brailleView() { return view; }

void startBrailleView(DesktopWindows& windows) {
  stopBrailleView();
  view = new BrailleView(windows);
  BrailleDisplay::instance().onKey = [](const BrailleKey& key) {
    if (view) view->key(key);
  };
}

void stopBrailleView() {
  BrailleDisplay::instance().onKey = nullptr;
  delete view;
  view = nullptr;
}

}  // namespace drum
