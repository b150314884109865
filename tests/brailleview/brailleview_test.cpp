// The windows on the Braille display, on the offscreen platform: what each
// window gives the display to show, and where the display's keys go. The
// keys come in through the display's own callback, as its host delivers
// them on the UI thread.
#include "shell/windows/brailleview.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "input/brailledisplay.h"
#include "input/brailletables.h"
#include "input/windows/form2.h"
#include "input/windows/form6.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/inputstring.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/windows/desktop.h"
#include "shell/windows/dialogspeech.h"
#include "shell/windows/form1.h"
#include "shell/windows/form3.h"
#include "shell/windows/form5.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum::dialogs {

namespace {

using Texts = std::vector<std::string>;

// Dots 1-8 as the display reports them: bit 0 is dot 1.
int dots(const char* numbers) {
  int bits = 0;
  for (const char* p = numbers; *p; ++p) bits |= 1 << (*p - '1');
  return bits;
}

void press(BrailleKey::Kind kind, int value = 0) {
  const auto& onKey = BrailleDisplay::instance().onKey;
  QVERIFY(onKey);
  onKey(BrailleKey{kind, value});
}

void chord(const char* numbers) { press(BrailleKey::Dots, dots(numbers)); }

QString shown() { return QString::fromStdU16String(brailleView()->shownText()); }
int caret() { return brailleView()->shownCaret(); }

}  // namespace

class BrailleViewTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;

  void start(const std::string& settings = "[environment]\nlanguage=2000\n") {
    world->start(settings);
    QVERIFY(brailleView());
  }

 private slots:
  void init() {
    world = std::make_unique<World>();
    QVERIFY(world->ok());
    braillemode = false;
    currentprefix.clear();
    programstarted = false;
  }
  void cleanup() {
    QCOMPARE(world->errors, Texts{});
    world.reset();
    braillemode = false;
    programstarted = false;
  }

  void theMainWindowShowsTheLineTheProgramWrites() {
    start();
    cls();
    // A PRINT that ends its line leaves the cursor on the next, empty one:
    // the line just written is shown, without a caret; the blanks that fill
    // a line to 80 columns are not.
    printstring(cp("hra drúm"), 0);
    QVERIFY(waitfor([] { return shown() == QStringLiteral("hra drúm"); }));
    QCOMPARE(caret(), -1);
    // The cursor within a line the program is writing.
    printstring("ab ", 1);
    QVERIFY(waitfor([] { return shown() == QStringLiteral("ab") && caret() == 3; }));
    printstring(std::string("x\ty"), 1);  // a control character is one blank cell
    QVERIFY(waitfor([] { return shown() == QStringLiteral("ab x y"); }));
    QCOMPARE(caret(), 6);
    // The screen scrolled full: still the line last written.
    for (int i = 0; i < 30; ++i) printstring("line " + std::to_string(i), 0);
    QVERIFY(waitfor([] { return shown() == QStringLiteral("line 29"); }));
    QCOMPARE(caret(), -1);
    cls();
    QVERIFY(waitfor([] { return shown().isEmpty(); }));
    QCOMPARE(caret(), 0);
  }

  void chordsOnTheDisplayReachTheProgramAsOnTheKeyboard() {
    start();
    // Chord typing off in the menu: the display is a Braille keyboard anyway.
    QVERIFY(!braillemode);
    const std::pair<const char*, std::string> typed[] = {
        {"12", "b"},  {"6", ""},    {"12", "B"}, {"12", "b"},   // the capital sign holds for one letter
        {"3456", ""}, {"1", "1"},   {"15", "5"},                // the number sign until the space
        {" ", " "},   {"1", "a"},   {"78", "a"},                // dots 7 and 8 alone type nothing
        {"127", "b"},                                           // and are left out of a chord
    };
    for (const auto& [numbers, text] : typed) {
      if (std::string(numbers) == " ")
        press(BrailleKey::Space);
      else
        chord(numbers);
      QCOMPARE(keybuffer, text);
    }
    press(BrailleKey::Backspace);
    QCOMPARE(keybuffer, std::string("\b"));
    press(BrailleKey::Enter);
    QCOMPARE(keybuffer, std::string("\r"));
    press(BrailleKey::Route, 3);  // nothing for the program
    QCOMPARE(keybuffer, std::string("\r"));
    // With chord typing on, the same.
    braillemode = true;
    chord("6");
    chord("1");
    QCOMPARE(keybuffer, std::string("A"));
  }

  void aChordOnTheDisplayStopsSpeech() {
    start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    world->forget();
    chord("1");
    const Texts& log = world->speech.log.said;
    QVERIFY(std::find(log.begin(), log.end(), std::string("<stop>")) != log.end());
  }

  void aRadioButtonShowsWhetherItIsChosen() {
    start();
    TForm3& form3 = *desktop().Form3;
    QString first, moved;
    whenShown(&form3, [&] {
      // The dialog is visible before its first control has the focus.
      waitfor([] { return !shown().isEmpty(); }, 2000);
      first = shown();
      keyClick(form3.windowHandle(), Qt::Key_Down);  // the next language, chosen as the focus moves
      moved = shown();
      keyClick(form3.windowHandle(), Qt::Key_Escape);
    });
    form3.environmentsubmenuClick();
    QCOMPARE(first, QStringLiteral("(x) English"));
    QCOMPARE(moved, QString::fromUtf8("(x) Slovenčina"));
  }

  void aMessageBoxShowsItsTextAndButton() {
    start();
    QString seen;
    auto watch = connect(qApp, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
      if (seen.isEmpty() && qobject_cast<QMessageBox*>(now ? now->window() : nullptr)) seen = shown();
    });
    host().messageBox("Unable to write to drum.ini");
    disconnect(watch);
    QCOMPARE(seen, QStringLiteral("Unable to write to drum.ini OK"));
  }

  void anOpenMenuShowsItsItem() {
    start();
    TForm1& form1 = *desktop().Form1;
    QMenu* program = form1.menu(MenuItem::Programmenu);
    QVERIFY(program);
    program->popup(form1.mapToGlobal(QPoint(0, 0)));
    QVERIFY(waitfor([&] { return QApplication::activePopupWidget() == program; }));
    program->setActiveAction(form1.action(MenuItem::exitsubmenu));
    QVERIFY(waitfor([] { return shown() == QStringLiteral("Exit"); }));
    QCOMPARE(caret(), -1);
    program->setActiveAction(form1.action(MenuItem::Startsubmenu));
    QVERIFY(waitfor([] { return shown() == QStringLiteral("Start"); }));
    program->hide();
    // Closed: the main window's line again (an empty screen).
    QVERIFY(waitfor([] { return shown().isEmpty(); }));
  }

  void theReviewShowsItsCaretLineAndRoutesItsCaret() {
    start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    programstarted = true;
    cls();
    printmemo.setLine(0, "first line");
    printmemo.setLine(2, "hra drum,je tu");
    TForm6& review = *desktop().Form6;
    QPlainTextEdit* memo = review.virtualscrmemo();
    QString opened, second, third;
    int openedcaret = -2, routedcaret = -2, reviewcaret = -2;
    Texts routedsaid;
    whenShown(&review, [&] {
      opened = shown();
      openedcaret = caret();
      QTest::keyClick(memo, Qt::Key_Down);
      second = shown();
      QTest::keyClick(memo, Qt::Key_Down);
      third = shown();
      world->forget();
      press(BrailleKey::Route, 3);  // the blank after "hra"
      press(BrailleKey::Route, 4);  // "d"
      routedcaret = caret();
      reviewcaret = review.caret();
      routedsaid = world->said();
      press(BrailleKey::Route, 200);  // past the line's end: its end
      press(BrailleKey::Enter);       // closes the review, as Enter does
    });
    QTest::keyClick(desktop().Form1->windowHandle(), Qt::Key_Up);
    QVERIFY(!review.isVisible());
    QCOMPARE(opened, QStringLiteral("first line"));
    QCOMPARE(openedcaret, 0);
    QCOMPARE(second, QString());
    QCOMPARE(third, QStringLiteral("hra drum,je tu"));
    QCOMPARE(routedcaret, 4);
    QCOMPARE(reviewcaret, 10 + 2 + 0 + 2 + 4);
    QCOMPARE(routedsaid, (Texts{"space", "d"}));
    QCOMPARE(world->said().back(), std::string("end of screen"));
    // Back in the main window: its line again.
    world->activateMain();
    QVERIFY(waitfor([] { return shown() == QStringLiteral("first line"); }));
  }

  void theInputDialogShowsItsTextAndTakesChords() {
    start();
    SelectVoice();
    TForm2& form2 = *desktop().Form2;
    QLineEdit* edit = form2.inputedit();
    QString typed, moved, routed, onbutton;
    int typedcaret = -2, movedcaret = -2, chordcaret = -2, routedcaret = -2, buttoncaret = -2;
    Texts chordsaid;
    bool timedout = false;
    whenShown(
        &form2,
        [&] {
          type(form2.windowHandle(), QStringLiteral("ab"));
          typed = shown();
          typedcaret = caret();
          keyClick(form2.windowHandle(), Qt::Key_Left);
          moved = shown();
          movedcaret = caret();
          world->forget();
          chord("6");    // the capital sign
          chord("13");   // K, put in at the caret
          chord("13");   // k
          chordsaid = world->said();
          chordcaret = caret();
          press(BrailleKey::Backspace);  // removes the k, as the key does
          press(BrailleKey::Route, 0);
          routed = shown();
          routedcaret = caret();
          edit->setCursorPosition(edit->text().size());
          press(BrailleKey::Space);
          keyClick(form2.windowHandle(), Qt::Key_Tab);  // to the OK button
          onbutton = shown();
          buttoncaret = caret();
          keyClick(form2.windowHandle(), Qt::Key_Backtab);
          press(BrailleKey::Enter);  // OK
        },
        {}, 20000, &timedout);
    const std::string result = inputstring();
    QVERIFY(!timedout);
    QCOMPARE(typed, QStringLiteral("ab"));
    QCOMPARE(typedcaret, 2);
    QCOMPARE(moved, QStringLiteral("ab"));
    QCOMPARE(movedcaret, 1);
    QCOMPARE(chordsaid, (Texts{"k", "k"}));  // the capital told by its tone
    QCOMPARE(chordcaret, 3);
    QCOMPARE(routed, QStringLiteral("aKb"));
    QCOMPARE(routedcaret, 0);
    QCOMPARE(onbutton, QStringLiteral("OK"));
    QCOMPARE(buttoncaret, -1);
    QCOMPARE(result, std::string("aKb "));
  }

  void anotherDialogShowsItsFocusedControl() {
    start();
    TForm5& form5 = *desktop().Form5;
    QString first, toggled;
    bool waschecked = false, nowchecked = false;
    std::string expected;
    int firstcaret = -2;
    whenShown(&form5, [&] {
      // As with the language dialog: visible before a control has the focus.
      waitfor([&] { return form5.focusWidget() && !shown().isEmpty(); }, 2000);
      QWidget* focus = form5.focusWidget();
      expected = spokenControl(focus);
      first = shown();
      firstcaret = caret();
      auto* box = qobject_cast<QCheckBox*>(focus);
      waschecked = box && box->isChecked();
      press(BrailleKey::Space);  // the check box toggles, as with the space bar
      nowchecked = box && box->isChecked();
      toggled = shown();
      press(BrailleKey::Space);
      press(BrailleKey::Enter);  // the default button
    });
    form5.soundssubmenuClick();
    QVERIFY(!form5.isVisible());
    QVERIFY(!expected.empty());
    QCOMPARE(first, qtext(expected));
    QCOMPARE(firstcaret, -1);
    QCOMPARE(nowchecked, !waschecked);
    QVERIFY(toggled != first);
  }
};

}  // namespace drum::dialogs

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  drum::QtHost host;
  drum::setHost(&host);
  drum::initRuntime();
  drum::installSpeechHooks();
  drum::dialogs::BrailleViewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "brailleview_test.moc"
