// Dialogs beside a screen reader and without one: the message boxes, the
// environment and sounds dialogs and the About box talk when none runs and
// leave it all to the reader when one does; the menu's check items are
// check boxes to it; during a run the game's keys stay away from the text
// screen, whose caret stands at the end of the line the game wrote last.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTextBlock>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "dialogs/dialogstests.h"
#include "input/keycodes.h"
#include "platform/host.h"
#include "platform/screenreader.h"
#include "platform/windows/qtext.h"
#include "runtime/oskcommands.h"
#include "shell/session/startup.h"
#include "shell/windows/aboutbox.h"
#include "shell/windows/desktop.h"
#include "shell/windows/dialogspeech.h"
#include "shell/windows/form1.h"
#include "shell/windows/form3.h"
#include "shell/windows/form5.h"

namespace drum::dialogs {

namespace {

bool contains(const std::vector<std::string>& said, const std::string& text) {
  return std::find(said.begin(), said.end(), text) != said.end();
}

}  // namespace

class ScreenReaderTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TForm1& form1() { return *desktop().Form1; }

  // The environment dialog walked with Tab and closed; what was said.
  std::vector<std::string> walkEnvironment() {
    TForm3& form3 = *desktop().Form3;
    whenShown(&form3, [&] {
      QWindow* w = form3.windowHandle();
      keyClick(w, Qt::Key_Tab);
      keyClick(w, Qt::Key_Tab);
      keyClick(w, Qt::Key_Escape);
    });
    form1().action(MenuItem::environmentsubmenu)->trigger();
    return world->said();
  }

 private slots:
  void init() {
    world = std::make_unique<World>();
    QVERIFY(world->ok());
  }
  void cleanup() {
    setScreenReaderRunning(false);
    world.reset();
  }

  void theEnvironmentDialogTalksAlone() {
    world->start("[Voice]\nSAPI5=1\n");
    const std::vector<std::string> said = walkEnvironment();
    QVERIFY(!said.empty());
    QCOMPARE(said.front(), cp("Nastavení prostředí jazyk Čeština"));
    // The focus it opened with is said with the dialog, not again after it.
    QCOMPARE(said.at(1), std::string("Ok"));
    QVERIFY(contains(said, cp("Zrušit")));
    // Each key silences what was being said.
    QVERIFY(contains(world->speech.log.said, "<stop>"));
  }

  // Before the first Start no engine is chosen; the in-process voice speaks
  // the windows all the same (before: silence).
  void beforeTheFirstStartTheWindowsTalkWithTheInProcessVoice() {
    world->start("[environment]\nlanguage=2000\n");
    const std::vector<std::string> said = walkEnvironment();
    QVERIFY(!said.empty());
    QCOMPARE(said.front(), std::string("environment settings Language English"));
    world->forget();
    host().messageBox("sounds.dat was not found.");
    std::string all;
    for (const std::string& text : world->said()) all += (all.empty() ? "" : " ") + text;
    QCOMPARE(all, mainWindowCaption() + " sounds.dat was not found. OK");
  }

  void besideAScreenReaderTheDialogsAreQuiet() {
    world->start("[Voice]\nSAPI5=1\n");
    setScreenReaderRunning(true);
    QCOMPARE(walkEnvironment(), std::vector<std::string>{});
    host().messageBox("pozor");
    QCOMPARE(world->said(), std::vector<std::string>{});
  }

  void aMessageBoxSaysItsCaptionTextAndButton() {
    world->start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    host().messageBox("Your changes will be applied after you restart the program.");
    std::string all;
    for (const std::string& text : world->said()) all += (all.empty() ? "" : " ") + text;
    QCOMPARE(all, mainWindowCaption() + " Your changes will be applied after you restart the program. OK");
  }

  void theSoundsDialogSaysItsControlsAndTheirValues() {
    world->start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n[sounds]\nsndvolume=-500\n");
    TForm5& form5 = *desktop().Form5;
    whenShown(&form5, [&] {
      QWindow* w = form5.windowHandle();
      keyClick(w, Qt::Key_Space);  // the voice check box changes
      keyClick(w, Qt::Key_Tab);
      keyClick(w, Qt::Key_Tab);
      keyClick(w, Qt::Key_Escape);
    });
    form1().action(MenuItem::soundssubmenu)->trigger();
    const std::vector<std::string> said = world->said();
    QVERIFY(!said.empty());
    QCOMPARE(said.front(), std::string("Sounds settings Use the voice checked"));
    QVERIFY(contains(said, "Use the voice not checked"));
    QVERIFY(contains(said, "Oskira sounds checked"));
    QVERIFY(contains(said, "Sound volume 95"));
  }

  void theAboutBoxSaysItsTexts() {
    world->start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    TAboutbox& about = *desktop().Aboutbox;
    whenShown(&about, [&] { keyClick(about.windowHandle(), Qt::Key_Return); });
    form1().action(MenuItem::aboutsubmenu)->trigger();
    const std::vector<std::string> said = world->said();
    QVERIFY(!said.empty());
    QCOMPARE(said.front(), std::string("About Oskira Basic Interpreter version 1.7 A talking runtime of Oskira Basic "
                                       "for blind players. OK"));
  }

  void checkItemsAreCheckBoxesToAScreenReader() {
    world->start();
    for (MenuItem item : {MenuItem::braillekeyboarditem, MenuItem::usesapi5submenu}) {
      QAction* action = form1().action(item);
      QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(action);
      QVERIFY(iface);
      QCOMPARE(iface->role(), QAccessible::CheckBox);
      QVERIFY(iface->state().checkable);
      QCOMPARE(bool(iface->state().checked), action->isChecked());
      QVERIFY(iface->parent() && iface->parent()->object() == static_cast<QObject*>(form1().menu(MenuItem::settingsmenu)));
    }
    QAction* braille = form1().action(MenuItem::braillekeyboarditem);
    braille->trigger();
    QVERIFY(QAccessible::queryAccessibleInterface(braille)->state().checked);
    QCOMPARE(QAccessible::queryAccessibleInterface(braille)->text(QAccessible::Name),
             QString::fromUtf8("Braillská klávesnice"));
    // As the menu gives them to a screen reader: the check item is the
    // menu's first child; the other items stay menu items.
    QAccessibleInterface* settings = QAccessible::queryAccessibleInterface(form1().menu(MenuItem::settingsmenu));
    QVERIFY(settings && settings->childCount() == 5);
    QCOMPARE(settings->child(0)->role(), QAccessible::CheckBox);
    QCOMPARE(settings->child(1)->role(), QAccessible::MenuItem);
  }

  void duringARunTheGamesKeysLeaveTheCaretWhereTheGameWrote() {
    world->start("[sounds]\noskirasounds=0\n[Voice]\nSAPI5=1\n");
    QPlainTextEdit* memo = form1().printmemo();
    QWindow* w = form1().windowHandle();
    bool selected = true;
    std::string code;
    // What a screen reader takes for the current line: the accessible text's
    // line at its caret, and where the caret stands in it.
    struct Reading {
      QString line;
      int caretInLine = -1;
      std::string written;  // the line the game wrote last
    };
    const auto read = [&] {
      QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(memo)->textInterface();
      Reading r;
      int start = 0, end = 0;
      const int caret = text->cursorPosition();
      r.line = text->textAtOffset(caret, QAccessible::LineBoundary, &start, &end);
      while (r.line.endsWith(QLatin1Char('\n')) || r.line.endsWith(QLatin1Char(' '))) r.line.chop(1);
      r.caretInLine = caret - start;
      r.written = screenLine(readingPlace().row);
      return r;
    };
    std::vector<Reading> readings;
    QTimer::singleShot(1500, [&] {
      readings.push_back(read());  // the prompt, after the greeting
      keyDown(w, Qt::Key_Right);
      code = keybuffer;
      keyUp(w, Qt::Key_Right);
      QTest::qWait(300);
      keyDown(w, Qt::Key_Left, Qt::ShiftModifier);  // the row's end: its letter is said
      keyUp(w, Qt::Key_Left, Qt::ShiftModifier);
      QTest::qWait(300);
      readings.push_back(read());
      keyClick(w, Qt::Key_Right, Qt::NoModifier);  // the next letter
      QTest::qWait(300);
      readings.push_back(read());
      selected = memo->textCursor().hasSelection();
      keyClick(w, Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));  // the game's end
    });
    form1().action(MenuItem::Startsubmenu)->trigger();
    QCOMPARE(code, std::string(1, static_cast<char>(128 + 8)));
    QCOMPARE(readings.size(), std::size_t{3});
    // The game's cursor waits at the start of the empty line below what it
    // printed; the caret stands at the end of the line just written.
    QCOMPARE(readings[0].line, QStringLiteral("ke\u010F chce\u0161 k\u00F3dy, nap\u00ED\u0161 otazn\u00EDk."));
    for (const Reading& r : readings) {
      QVERIFY(!r.line.isEmpty());
      QCOMPARE(r.line, qtext(r.written));
      QCOMPARE(r.caretInLine, static_cast<int>(r.line.size()));
    }
    QVERIFY(!selected);
    // Outside a run the caret is the user's to move.
    QVERIFY(!programRunning());
    memo->setFocus();
    const int before = memo->textCursor().position();
    keyClick(w, Qt::Key_Left);
    QVERIFY(memo->textCursor().position() != before || before == 0);
  }
};

int runScreenReaderTests(int argc, char** argv) {
  ScreenReaderTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace drum::dialogs

#include "screenreader_test.moc"
