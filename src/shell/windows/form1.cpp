#include "shell/windows/form1.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "input/chordkeyboard.h"
#include "input/windows/keyboard.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/settings/resourcelocalizer.h"
#include "shell/windows/checkmenuitem.h"

namespace drum {

namespace {

// During a run the keys that become the game's codes are the game's alone:
// they must not move the text screen's caret or select its text, and a
// screen reader must not speak about them, which it would from the caret's
// moves and its own key echo: letters the game never printed. The numeric
// keypad and keys pressed with a screen reader's own modifier (Insert, Caps
// Lock) stay the screen reader's.
bool gameKey(const QKeyEvent& event) {
  if (event.modifiers() & Qt::KeypadModifier) return false;
  if (const KeyState* keys = keyState(); keys && (keys->isKeyDown(vk::Insert) || keys->isKeyDown(vk::Capital)))
    return false;
  const int code = virtualKey(event);
  // Once a game has been started, Up or Down alone opens the review, which
  // reads what its keys reach; a screen reader that heard the key would read
  // each of its caret moves as well.
  if (!programRunning())
    return programstarted && (code == vk::Up || code == vk::Down) && !(event.modifiers() & Qt::ShiftModifier);
  switch (code) {
    case vk::Back:
    case vk::F6:
    case vk::Return:
    case vk::F8:
    case vk::Escape:
    case vk::F7:
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down:
      return true;
    default:
      break;
  }
  // A character reaches the game at its key's release; Tab's does not.
  const auto typed = typedCharacter(event);
  return typed && (static_cast<unsigned char>(*typed) >= 32 || code >= 32);
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Basic interpreter"));
  resize(500, 350);
  if (auto* qthost = dynamic_cast<QtHost*>(&host())) qthost->setMainWindow(this);

  printmemo_ = new QPlainTextEdit(this);
  printmemo_->setObjectName(QStringLiteral("printmemo"));
  printmemo_->setReadOnly(true);
  // The caret stays, so the screen can be read with the keyboard (and by a
  // screen reader) although nothing can be typed into it.
  printmemo_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  printmemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  printmemo_->setTabChangesFocus(true);
  printmemo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  printmemo_->setUndoRedoEnabled(false);
  setCentralWidget(printmemo_);

  buildMenu();
  keypreview_ = new KeyPreview(this);
  keypreview_->setTakes(gameKey);

  drum::printmemo.setObserver([this] {
    // Many changes come in a row (a PRINT that scrolls); show them at once
    // when events are next delivered.
    if (screenpending_) return;
    screenpending_ = true;
    QMetaObject::invokeMethod(this, &TForm1::syncScreen, Qt::QueuedConnection);
  });
  setMenuObserver([this] { syncMenu(); });
  mainwindow::setCloser([this] { close(); });

  guarded([this] { mainwindow::FormCreate({}, [this] { setCaptions(); }); });
  syncMenu();
  syncScreen();
  fitScreen();
  printmemo_->setFocus();
}

TForm1::~TForm1() {
  drum::printmemo.setObserver({});
  setMenuObserver({});
  mainwindow::setCloser({});
}

void TForm1::buildMenu() {
  installCheckMenuItemAccessible();
  menuBar()->setObjectName(QStringLiteral("MainMenu"));
  for (const MenuEntry& entry : menuTable()) {
    const int i = static_cast<int>(entry.item);
    const bool hasitems = std::any_of(menuTable().begin(), menuTable().end(),
                                      [&](const MenuEntry& e) { return e.parent == i; });
    QWidget* owner = entry.parent < 0 ? static_cast<QWidget*>(menuBar()) : menus_[entry.parent];
    if (hasitems) {
      QMenu* m = entry.parent < 0 ? menuBar()->addMenu(QString()) : menus_[entry.parent]->addMenu(QString());
      m->setObjectName(QString::fromLatin1(entry.name));
      m->menuAction()->setObjectName(m->objectName());
      menus_[i] = m;
      actions_[i] = m->menuAction();
    } else {
      auto* a = new QAction(owner);
      a->setObjectName(QString::fromLatin1(entry.name));
      if (entry.shortcut) a->setShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_A + (entry.shortcut - 'A'))));
      if (entry.checkitem) {
        // A group of its own that may be empty shows the radio-style mark
        // and still lets the mark go.
        a->setCheckable(true);
        auto* group = new QActionGroup(a);
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
        group->addAction(a);
      }
      connect(a, &QAction::triggered, this, [this, item = entry.item] { command(item); });
      if (entry.parent < 0)
        menuBar()->addAction(a);
      else
        menus_[entry.parent]->addAction(a);
      actions_[i] = a;
    }
  }
  // Items the program has not named yet still show something before start-up
  // sets the captions.
  for (const MenuEntry& entry : menuTable())
    actions_[static_cast<int>(entry.item)]->setText(QString::fromLatin1(entry.name));
}

void TForm1::setCaptions() {
  const QString title = qtext(mainCaption());
  setWindowTitle(title);
  setAccessibleName(title);
  printmemo_->setAccessibleName(qtext(LocalString(26)));
  menuBar()->setAccessibleName(title);
  for (const MenuEntry& entry : menuTable()) {
    const int i = static_cast<int>(entry.item);
    const QString caption = qtext(menuCaption(entry.item));
    actions_[i]->setText(caption);
    if (menus_[i]) {
      menus_[i]->setTitle(caption);
      menus_[i]->setAccessibleName(accessibleCaption(caption));
    }
  }
}

void TForm1::syncMenu() {
  for (const MenuEntry& entry : menuTable()) {
    QAction* a = actions_[static_cast<int>(entry.item)];
    a->setEnabled(menuEnabled(entry.item));
    if (entry.checkitem) a->setChecked(menuChecked(entry.item));
  }
}

void TForm1::syncScreen() {
  screenpending_ = false;
  QString text;
  for (int row = 0; row < drum::printmemo.count(); ++row) {
    if (row > 0) text += QLatin1Char('\n');
    QString line = qtext(drum::printmemo.line(row));
    // A control character the program printed must not break the line.
    for (QChar& c : line)
      if (c.unicode() < 32) c = QLatin1Char(' ');
    text += line;
  }
  if (text == printmemo_->toPlainText()) return;
  printmemo_->setPlainText(text);
  // The caret stands at the reading place: where the program writes next,
  // or at the end of the line a PRINT has just written, so that a screen
  // reader's current line is the line the program last wrote.
  const ScreenPlace place = readingPlace();
  const QTextBlock line = printmemo_->document()->findBlockByNumber(place.row);
  QTextCursor cursor(printmemo_->document());
  if (line.isValid()) cursor.setPosition(line.position() + std::min<int>(place.column, line.length() - 1));
  printmemo_->setTextCursor(cursor);
}

void TForm1::fitScreen() {
  // 24 lines of 80 characters shown whole.
  const QFontMetrics metrics(printmemo_->font());
  const int margin = 2 * (printmemo_->frameWidth() + static_cast<int>(printmemo_->document()->documentMargin()));
  const int width = metrics.horizontalAdvance(QString(TextScreen::kColumns, QLatin1Char('M'))) + margin + 4;
  const int height = metrics.lineSpacing() * TextScreen::kRows + margin + 4;
  printmemo_->setMinimumSize(width, height);
  adjustSize();
}

void TForm1::command(MenuItem item) {
  switch (item) {
    case MenuItem::Startsubmenu:
      guarded(mainwindow::StartsubmenuClick);
      break;
    case MenuItem::exitsubmenu:
      guarded(mainwindow::exitsubmenuClick);
      break;
    case MenuItem::braillekeyboarditem:
      guarded(braillekeyboarditemClick);
      break;
    case MenuItem::usesapi5submenu:
      guarded(mainwindow::usesapi5submenuClick);
      break;
    case MenuItem::soundssubmenu:
      if (onSounds) guarded(onSounds);
      break;
    case MenuItem::Voicesubmenu:
      if (onVoice) guarded(onVoice);
      break;
    case MenuItem::environmentsubmenu:
      if (onEnvironment) guarded(onEnvironment);
      break;
    case MenuItem::aboutsubmenu:
      if (onAbout) guarded(onAbout);
      break;
    default:
      break;
  }
  // The marks belong to the program: a click must not leave its own.
  syncMenu();
}

void TForm1::closeEvent(QCloseEvent* event) {
  // When the memory cannot be saved the window stays, and the error says why.
  if (!guarded(mainwindow::FormClose)) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace drum
