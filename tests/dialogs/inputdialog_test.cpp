// The INPUT dialog shown by the INPUT statement and typed into with keys:
// echo, edges, word reading, chords, focus words, the text given back.
#include "input/inputdialog.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "dialogs/dialogsfixture.h"
#include "dialogs/dialogstests.h"
#include "input/windows/form2.h"
#include "input/windows/form6.h"
#include "runtime/inputstring.h"
#include "runtime/oskcommands.h"
#include "shell/settings/flags.h"
#include "shell/windows/desktop.h"
#include "speech/voiceselection.h"

namespace drum::dialogs {

namespace {

QString accessibleNameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

using Texts = std::vector<std::string>;

}  // namespace

class InputDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<World> world;
  TForm2& form2() { return *desktop().Form2; }
  QWindow* w() { return form2().windowHandle(); }
  QLineEdit* edit() { return form2().inputedit(); }

  // The INPUT statement with `inside` run in its dialog; its result.
  std::string input(std::function<void()> inside, const std::string& text = {}) {
    bool timedout = false;
    whenShown(&form2(), std::move(inside), {}, 20000, &timedout);
    const std::string typed = inputstring(text);
    if (timedout) QTest::qFail("the INPUT dialog stayed open", __FILE__, __LINE__);
    return typed;
  }
  void start() {
    world->start("[environment]\nlanguage=2000\n");
    SelectVoice();  // a voice ready, as in a run
    world->forget();
  }
  void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier, const QString& text = {}) { keyClick(w(), k, m, text); }

 private slots:
  void init() {
    world = std::make_unique<World>();
    QVERIFY(world->ok());
  }
  void cleanup() {
    QCOMPARE(world->errors, Texts{});
    world.reset();
  }

  void theDialogAsDesigned() {
    start();
    QCOMPARE(form2().windowTitle(), QStringLiteral("Enter data"));
    QCOMPARE(form2().Enterbitbtn()->text(), QStringLiteral("&OK"));
    QCOMPARE(form2().exitprogrambtn()->text(), QStringLiteral("E&xit program"));
    QCOMPARE(accessibleNameOf(edit()), QStringLiteral("Enter data"));
    QCOMPARE(accessibleNameOf(form2().Enterbitbtn()), QStringLiteral("OK"));
    QCOMPARE(accessibleNameOf(form2().exitprogrambtn()), QStringLiteral("Exit program"));
  }

  void typedTextIsEchoedAndGivenBackOnOk() {
    start();
    Texts said;
    Texts tones;
    const std::string typed = input([&] {
      type(w(), QStringLiteral("Hi there"));
      said = world->said();
      tones = world->sounds;
      key(Qt::Key_Escape);  // no Cancel here: the dialog stays
      key(Qt::Key_Return);
    });
    QCOMPARE(typed, std::string("Hi there"));
    QCOMPARE(said, (Texts{"h", "i", "space", "t", "h", "e", "r", "e"}));
    QCOMPARE(tones, Texts{"2000/20/1"});  // before the capital H only
  }

  void leftOnAnEmptyLineBeepsEveryTime() {
    start();
    Texts empty;
    input([&] {
      for (int i = 0; i < 3; ++i) key(Qt::Key_Left);
      empty = world->events;
      key(Qt::Key_Return);
    });
    QCOMPARE(empty, (Texts{"beep", "beep", "beep"}));
  }

  void theEndsAreMarkedByClicksAndBeeps() {
    start();
    Texts right, home, ends;
    input([&] {
      type(w(), QStringLiteral("ab"));
      key(Qt::Key_Left);  // inside the text: no edge reached yet
      world->forget();
      key(Qt::Key_Right);
      key(Qt::Key_Right);
      right = world->events;
      world->forget();
      key(Qt::Key_Home);
      home = world->said();
      world->forget();
      key(Qt::Key_Backspace);  // at the start
      key(Qt::Key_End);
      key(Qt::Key_Delete);  // at the end
      key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
      ends = world->events;
      ends.push_back(edit()->text().toStdString());
      const Texts said = world->said();
      ends.insert(ends.end(), said.begin(), said.end());
      key(Qt::Key_Return);
    });
    QCOMPARE(right, (Texts{"click 2", "click 2", "beep"}));
    QCOMPARE(home, Texts{"a"});
    QCOMPARE(ends, (Texts{"click 2", "beep", "click 2", "beep", "click 2", "beep", "click 2", "a", "b"}));
  }

  void ctrlWithTheArrowsReadsAWord() {
    start();
    Texts said;
    int caret = -1;
    input([&] {
      edit()->setText(QStringLiteral("one two,three"));
      key(Qt::Key_Home);
      world->forget();
      key(Qt::Key_Right, Qt::ControlModifier);
      caret = edit()->cursorPosition();
      key(Qt::Key_End);
      key(Qt::Key_Left, Qt::ControlModifier);
      said = world->said();
      key(Qt::Key_Return);
    });
    QCOMPARE(caret, 4);
    QCOMPARE(said, (Texts{"two", "three"}));
  }

  void wordsSkipPunctuationBothWays() {
    start();
    Texts forward, backward;
    std::vector<int> carets;
    input([&] {
      edit()->setText(QStringLiteral("ab, cd.ef gh"));
      key(Qt::Key_Home);
      world->forget();
      for (int i = 0; i < 3; ++i) {
        key(Qt::Key_Right, Qt::ControlModifier);
        carets.push_back(edit()->cursorPosition());
      }
      forward = world->said();
      key(Qt::Key_End);
      world->forget();
      for (int i = 0; i < 4; ++i) {
        key(Qt::Key_Left, Qt::ControlModifier);
        carets.push_back(edit()->cursorPosition());
      }
      backward = world->said();
      key(Qt::Key_Return);
    });
    QCOMPARE(carets, (std::vector<int>{4, 7, 10, 10, 7, 4, 0}));
    QCOMPARE(forward, (Texts{"cd", "ef", "gh"}));
    QCOMPARE(backward, (Texts{"gh", "ef", "cd", "ab"}));
  }

  void altUpOnAnEmptyLineSaysEmptyLine() {
    start();
    Texts empty, line;
    input([&] {
      key(Qt::Key_Up, Qt::AltModifier);
      empty = world->said();
      type(w(), QStringLiteral("x y"));
      world->forget();
      key(Qt::Key_Up, Qt::AltModifier);
      line = world->said();
      key(Qt::Key_Return);
    });
    QCOMPARE(empty, Texts{"empty line"});
    QCOMPARE(line, Texts{"x y"});
  }

  void aCapitalChordInTheMiddleOfTheText() {
    start();
    Texts preview, tones;
    std::string during;
    input([&] {
      type(w(), QStringLiteral("ab"));
      braillemode = true;
      key(Qt::Key_Left);
      world->forget();
      key(Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));  // dot 6: the capital sign
      keyDown(w(), Qt::Key_F, Qt::NoModifier, QStringLiteral("f"));
      keyDown(w(), Qt::Key_J, Qt::NoModifier, QStringLiteral("j"));
      during = edit()->text().toStdString();
      keyUp(w(), Qt::Key_F);
      keyUp(w(), Qt::Key_J);
      preview = world->said();
      tones = world->sounds;
      key(Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));  // still deletes
      key(Qt::Key_Return);
    });
    QCOMPARE(during, std::string("ab"));  // the dot keys type nothing themselves
    QCOMPARE(preview, (Texts{"a", "c"}));
    QCOMPARE(tones, (Texts{"2000/20/1", "2000/20/1"}));
    QCOMPARE(world->said().back(), std::string("c"));  // Backspace names what it removes
    QCOMPARE(edit()->text(), QStringLiteral("ab"));
    braillemode = false;
  }

  void aHeldChordIsPutInOnce() {
    start();
    const std::string typed = input([&] {
      braillemode = true;
      // "/" (F D J K L), L pressed last and repeating while the others are
      // let go one by one: the keys still held never make a chord ("|" is
      // 456, the capital sign 6).
      const std::pair<int, const char*> dots[] = {
          {Qt::Key_F, "f"}, {Qt::Key_D, "d"}, {Qt::Key_J, "j"}, {Qt::Key_K, "k"}, {Qt::Key_L, "l"}};
      for (const auto& [k, t] : dots) keyDown(w(), k, Qt::NoModifier, QString::fromLatin1(t));
      for (int i = 0; i < 4; ++i) {
        keyDown(w(), Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));  // the repeat: presses alone
        keyUp(w(), dots[i].first);
        keyDown(w(), Qt::Key_L, Qt::NoModifier, QStringLiteral("l"));
      }
      keyUp(w(), Qt::Key_L);
      // The next chord is a small letter: no capital sign was left behind.
      keyDown(w(), Qt::Key_F, Qt::NoModifier, QStringLiteral("f"));
      keyDown(w(), Qt::Key_D, Qt::NoModifier, QStringLiteral("d"));
      keyUp(w(), Qt::Key_F);
      keyUp(w(), Qt::Key_D);
      braillemode = false;
      key(Qt::Key_Return);
    });
    QCOMPARE(typed, std::string("/b"));
  }

  void theChordIsPutInWhereTheCaretStands() {
    start();
    int caret = -1;
    const std::string typed = input([&] {
      type(w(), QStringLiteral("ab"));
      braillemode = true;
      key(Qt::Key_Left);
      keyDown(w(), Qt::Key_F, Qt::NoModifier, QStringLiteral("f"));
      keyDown(w(), Qt::Key_S, Qt::NoModifier, QStringLiteral("s"));
      keyUp(w(), Qt::Key_S);
      keyUp(w(), Qt::Key_F);
      caret = edit()->cursorPosition();
      braillemode = false;
      key(Qt::Key_Return);
    });
    QCOMPARE(typed, std::string("akb"));
    QCOMPARE(caret, 2);
  }

  void theFocusSaysTheButtonsAndTheLine() {
    start();
    Texts said;
    input([&] {
      type(w(), QStringLiteral("me"));
      world->forget();
      for (int i = 0; i < 3; ++i) key(Qt::Key_Tab);
      said = world->said();
      key(Qt::Key_Return);
    });
    QCOMPARE(said, (Texts{"&OK", "E&xit program", "me"}));
  }

  void upOpensTheScreenReviewAndComesBack() {
    start();
    TForm6& review = *desktop().Form6;
    bool opened = false, back = false;
    input([&] {
      whenShown(&review, [&] {
        opened = true;
        keyClick(review.windowHandle(), Qt::Key_Escape);
      });
      key(Qt::Key_Up);
      back = form2().isVisible() && QApplication::activeModalWidget() == &form2();
      key(Qt::Key_Return);
    });
    QVERIFY(opened);
    QVERIFY(back);
    const Texts said = world->said();
    QVERIFY(std::find(said.begin(), said.end(), "end of screen") != said.end());
  }
};

int runInputDialogTests(int argc, char** argv) {
  InputDialogTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace drum::dialogs

#include "inputdialog_test.moc"
