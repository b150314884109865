// The desktop program's windows, driven through real key events and menu
// commands on the offscreen platform.
#include <sys/stat.h>
#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <memory>

#include "gui/guifixture.h"
#include "input/brailletables.h"
#include "input/chordkeyboard.h"
#include "input/windows/form2.h"
#include "input/windows/form6.h"
#include "shell/windows/form3.h"
#include "shell/windows/form5.h"
#include "speech/windows/form4.h"
#include "input/windows/keyboard.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "runtime/soundsystem.h"
#include "shell/settings/flags.h"
#include "shell/settings/inifile.h"
#include "shell/settings/resourcelocalizer.h"
#include "shell/session/startup.h"
#include "shell/windows/aboutbox.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"

namespace drum::gui {

namespace {

std::string ch(int code) { return std::string(1, static_cast<char>(code)); }

QString q(const char* utf8) { return QString::fromUtf8(utf8); }

// Windows-1250 texts as a list that a failed comparison can print.
QStringList ql(const std::vector<std::string>& texts) {
  QStringList list;
  for (const auto& t : texts) list << qtext(t);
  return list;
}

// The accessible name a screen reader gets for an object.
QString accessibleNameOf(QObject* object) {
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(object);
  return iface ? iface->text(QAccessible::Name) : QString();
}

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<GuiWorld> world;

  TForm1& form1() { return *desktop().Form1; }
  QWindow* window() { return form1().windowHandle(); }
  QAction* item(MenuItem i) { return form1().action(i); }

  // Settings as the user left them, then the windows made and the main one shown.
  void start(const std::string& settings = {}) {
    if (!settings.empty()) world->writeFile("drum.ini", settings);
    createWindows();
    form1().show();
    QVERIFY(QTest::qWaitForWindowExposed(&form1()));
    form1().activateWindow();
    form1().printmemo()->setFocus();
  }

  std::vector<std::string> said() const { return world->speech.log.texts(); }

 private slots:
  void init() {
    world = std::make_unique<GuiWorld>();
    QVERIFY(world->ok());
    keybuffer.clear();
    resetMemory();
  }

  void cleanup() {
    destroyWindows();
    releaseSound();
    ReleaseSpeech();
    world.reset();
  }

  void startupOrderAndCaptions_data() {
    QTest::addColumn<int>("base");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("review");
    QTest::addColumn<QString>("version");
    QTest::newRow("Czech") << 1000 << q("Překladač Oskira Basicu")
                           << QStringList{q("&Program"), q("&Spustit"), q("Kon&ec"), q("Na&stavení"),
                                          q("&Braillská klávesnice"), q("&Zvuky..."), q("&Hlas..."),
                                          q("Používat hlas SA&PI5"), q("Prostř&edí..."), q("Ná&pověda"),
                                          q("O progr&amu")}
                           << q("Obrazovka") << q("verze 1.7");
    QTest::newRow("English") << 2000 << q("Oskira Basic Interpreter")
                             << QStringList{q("&Program"), q("&Start"), q("&Exit"), q("&Settings"),
                                            q("&Braille keyboard"), q("&Sounds..."), q("&Voice..."),
                                            q("Use SA&PI5 voice"), q("&Environment..."), q("Hel&p"), q("&About")}
                             << q("Screen") << q("version 1.7");
    QTest::newRow("Slovak") << 3000 << q("Prekladač Oskira Basicu")
                            << QStringList{q("&Program"), q("&Spustiť"), q("Koni&ec"), q("Na&stavenia"),
                                           q("&Braillská klávesnica"), q("&Zvuky..."), q("&Hlas..."),
                                           q("Používať hlas SA&PI5"), q("Prostr&edie..."), q("&Pomoc"),
                                           q("O progr&ame")}
                            << q("Obrazovka") << q("verzia 1.7");
  }

  void startupOrderAndCaptions() {
    QFETCH(int, base);
    QFETCH(QString, title);
    QFETCH(QStringList, menus);
    QFETCH(QString, review);
    QFETCH(QString, version);
    start("[environment]\nlanguage=" + std::to_string(base) + "\n");

    QCOMPARE(ql(createdWindows()), ql(std::vector<std::string>{"TForm1", "TForm2", "TForm3", "TForm4", "TForm5", "TForm6", "TAboutbox"}));
    QCOMPARE(languagebase, base);  // the environment dialog read it back after its own Czech default
    QCOMPARE(form1().windowTitle(), QStringLiteral("test_gui - ") + title);
    // The menu table as the window shows it: captions, the two check marks,
    // the six shortcuts the README lists, About under Help.
    QStringList shortcuts;
    int marks = 0;
    for (const MenuEntry& entry : menuTable()) {
      QAction* action = item(entry.item);
      QCOMPARE(action->text(), menus[static_cast<int>(entry.item)]);
      QCOMPARE(action->objectName(), QString::fromLatin1(entry.name));
      marks += action->isCheckable();
      if (!action->shortcut().isEmpty()) shortcuts << action->shortcut().toString();
    }
    QCOMPARE(shortcuts, QStringList({"Ctrl+S", "Ctrl+B", "Ctrl+D", "Ctrl+H", "Ctrl+P", "Ctrl+E"}));
    QCOMPARE(marks, 2);
    QVERIFY(form1().menu(MenuItem::helpmenu)->actions().contains(item(MenuItem::aboutsubmenu)));
    QCOMPARE(desktop().Form6->windowTitle(), review);
    QCOMPARE(desktop().Aboutbox->Version()->text(), version);
    QCOMPARE(desktop().Aboutbox->ProductName()->text(), title);
    // The screen: 24 empty lines, read-only, in a fixed-pitch font.
    QCOMPARE(form1().printmemo()->document()->blockCount(), 24);
    QVERIFY(form1().printmemo()->isReadOnly());
    QVERIFY(QFontInfo(form1().printmemo()->font()).fixedPitch());
  }

  void theScreenIsShownWholeAndMirrorsPrint() {
    start();
    QPlainTextEdit* memo = form1().printmemo();
    const QFontMetrics metrics(memo->font());
    QVERIFY(memo->viewport()->width() >= metrics.horizontalAdvance(QString(80, QLatin1Char('M'))));
    QVERIFY(memo->viewport()->height() >= metrics.lineSpacing() * 24);
    printstring(cp("dobrý deň"), 0);
    QVERIFY(waitfor([&] { return memo->document()->firstBlock().text().startsWith(q("dobrý deň")); }));
    QCOMPARE(memo->document()->blockCount(), 24);
  }

  void everyControlHasItsAccessibleName() {
    start("[environment]\nlanguage=2000\n");
    const DesktopWindows& w = desktop();
    const std::vector<QWidget*> windows = {w.Form1.get(), w.Form2.get(), w.Form3.get(), w.Form4.get(),
                                           w.Form5.get(), w.Form6.get(), w.Aboutbox.get()};
    for (QWidget* window : windows) {
      QVERIFY2(!window->accessibleName().isEmpty(), qPrintable(window->objectName()));
      QCOMPARE(window->accessibleName(), window->windowTitle());
      for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        QCOMPARE(button->accessibleName(), accessibleCaption(button->text()));
      for (QLabel* label : window->findChildren<QLabel*>())
        if (!label->text().isEmpty()) QCOMPARE(label->accessibleName(), accessibleCaption(label->text()));
      for (QGroupBox* group : window->findChildren<QGroupBox*>())
        QCOMPARE(group->accessibleName(), accessibleCaption(group->title()));
    }
    // Menus and their items, as a screen reader reads them: no "&".
    for (const MenuEntry& entry : menuTable())
      QCOMPARE(accessibleNameOf(item(entry.item)).isEmpty() ? accessibleCaption(item(entry.item)->text())
                                                          : accessibleNameOf(item(entry.item)),
               accessibleCaption(item(entry.item)->text()));
    QCOMPARE(form1().menu(MenuItem::settingsmenu)->accessibleName(), QStringLiteral("Settings"));
    QCOMPARE(form1().printmemo()->accessibleName(), QStringLiteral("Screen"));
    // The screen takes the keyboard focus, so it can be read.
    QVERIFY(form1().printmemo()->focusPolicy() & Qt::TabFocus);
    QCOMPARE(QApplication::focusWidget(), form1().printmemo());
  }

  void menuStatesBeforeDuringAndAfterARun() {
    start("[environment]\nlanguage=2000\n[sounds]\noskirasounds=0\n");
    const auto runitems = runMenuItems();
    for (MenuItem i : runitems) QVERIFY(item(i)->isEnabled());
    bool checked = false;
    soon(300, [&] {
      QVERIFY(programRunning());
      for (MenuItem i : runitems) QVERIFY(!item(i)->isEnabled());
      QVERIFY(item(MenuItem::exitsubmenu)->isEnabled());
      QVERIFY(item(MenuItem::braillekeyboarditem)->isEnabled());
      QVERIFY(!form1().menu(MenuItem::helpmenu)->menuAction()->isEnabled());
      checked = true;
      keyClick(window(), Qt::Key_E, Qt::NoModifier, QStringLiteral("e"));  // the game's "end"
    });
    item(MenuItem::Startsubmenu)->trigger();
    QVERIFY(checked);
    QVERIFY(!programRunning());
    for (MenuItem i : runitems) QVERIFY(item(i)->isEnabled());
    QVERIFY(programstarted);
    QVERIFY(waitfor([&] { return form1().printmemo()->toPlainText().contains(QStringLiteral("\nready")); }));
    QCOMPARE(ram[kReviewLockAddress], 0);
    QCOMPARE(said().back(), std::string("ready"));
  }

  void ctrlSStartsAndExitWhenIdleClosesAfterSaving() {
    start("[sounds]\noskirasounds=0\n");
    soon(300, [&] { keyClick(window(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b")); });
    QTest::keySequence(window(), QKeySequence(QStringLiteral("Ctrl+S")));
    QVERIFY(programstarted);
    QVERIFY(!programRunning());
    ram[7] = 77;
    item(MenuItem::exitsubmenu)->trigger();
    QVERIFY(!form1().isVisible());
    const std::string image = world->readFile("ram.dat");
    QCOMPARE(image.size(), kRamSize);
    QCOMPARE(image[7], char(77));
    QCOMPARE(soundMixer(), nullptr);
  }

  void aWayOutThatCannotSaveSaysSoAndTheNextOneLeavesWithoutSaving() {
    world->writeFile("ram.dat", "kept");
    ::chmod(world->path("ram.dat").c_str(), 0444);  // the player made the game read-only
    start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    ram[7] = 77;
    item(MenuItem::exitsubmenu)->trigger();
    QVERIFY(waitfor([&] { return !world->errors.empty(); }));
    QCOMPARE(world->errors[0], "Unable to write to " + world->path("ram.dat") +
                                           ": the file is read-only. Exit once more to end the program without "
                                           "saving the game.");
    QVERIFY(form1().isVisible());
    // Heard as well as shown.
    const std::vector<std::string> heard = said();
    QVERIFY(std::any_of(heard.begin(), heard.end(),
                        [&](const std::string& t) { return t.find("Exit once more") != std::string::npos; }));
    // Closing the window (as Alt+F4 does at the window's frame) now leaves.
    form1().close();
    QVERIFY(!form1().isVisible());
    QCOMPARE(world->errors.size(), std::size_t{1});
    QCOMPARE(world->readFile("ram.dat"), std::string("kept"));
  }

  void tonePairsAndTheSettingsOfTheTwoCheckItems() {
    start();
    world->sounds.clear();
    QTest::keySequence(window(), QKeySequence(QStringLiteral("Ctrl+B")));
    QVERIFY(item(MenuItem::braillekeyboarditem)->isChecked());
    QVERIFY(braillemode);
    QCOMPARE(ql(world->sounds), ql(std::vector<std::string>{"400/50/3", "600/50/3"}));
    QVERIFY(settingsFile().readBool("keyboard", "braillekeys", false));
    item(MenuItem::braillekeyboarditem)->trigger();
    QVERIFY(!item(MenuItem::braillekeyboarditem)->isChecked());
    QVERIFY(!settingsFile().readBool("keyboard", "braillekeys", true));

    world->sounds.clear();
    QTest::keySequence(window(), QKeySequence(QStringLiteral("Ctrl+P")));
    QVERIFY(item(MenuItem::usesapi5submenu)->isChecked());
    QVERIFY(!item(MenuItem::Voicesubmenu)->isEnabled());
    QVERIFY(settingsFile().readBool("Voice", "SAPI5", false));
    item(MenuItem::usesapi5submenu)->trigger();
    QVERIFY(!item(MenuItem::usesapi5submenu)->isChecked());
    QVERIFY(item(MenuItem::Voicesubmenu)->isEnabled());
    QVERIFY(!settingsFile().readBool("Voice", "SAPI5", true));
    QCOMPARE(ql(world->sounds), ql(std::vector<std::string>{"400/50/3", "600/50/3", "600/50/3", "400/50/3"}));
  }

  void everyKeyCodeOfTheTable_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("down");   // code after key-down; -1: left as it was
    QTest::addColumn<int>("after");  // code after key-up; 0: empty
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << QStringLiteral("\b") << 8 << 8;
    QTest::newRow("Shift+Backspace") << int(Qt::Key_Backspace) << int(Qt::ShiftModifier) << QStringLiteral("\b") << 25 << 25;
    QTest::newRow("F6") << int(Qt::Key_F6) << 0 << QString() << 8 << 0;
    QTest::newRow("Shift+F6") << int(Qt::Key_F6) << int(Qt::ShiftModifier) << QString() << 25 << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << QStringLiteral("\r") << 13 << 13;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << QStringLiteral("\r") << 13 << 13;
    QTest::newRow("F8") << int(Qt::Key_F8) << 0 << QString() << 13 << 0;
    QTest::newRow("Esc") << int(Qt::Key_Escape) << 0 << QStringLiteral("\x1b") << 27 << 27;
    QTest::newRow("F7") << int(Qt::Key_F7) << 0 << QString() << 7 << 0;
    QTest::newRow("Shift") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << QString() << 0 << 0;
    QTest::newRow("Ctrl") << int(Qt::Key_Control) << int(Qt::ControlModifier) << QString() << 0 << 0;
    QTest::newRow("Alt") << int(Qt::Key_Alt) << int(Qt::AltModifier) << QString() << 0 << 0;
    QTest::newRow("F4") << int(Qt::Key_F4) << 0 << QString() << -1 << 0;
    QTest::newRow("Up") << int(Qt::Key_Up) << 0 << QString() << 129 << 0;
    QTest::newRow("Down") << int(Qt::Key_Down) << 0 << QString() << 130 << 0;
    QTest::newRow("Left") << int(Qt::Key_Left) << 0 << QString() << 132 << 0;
    QTest::newRow("Right") << int(Qt::Key_Right) << 0 << QString() << 136 << 0;
    QTest::newRow("Shift+Up") << int(Qt::Key_Up) << int(Qt::ShiftModifier) << QString() << 145 << 0;
    QTest::newRow("Shift+Down") << int(Qt::Key_Down) << int(Qt::ShiftModifier) << QString() << 146 << 0;
    QTest::newRow("Shift+Left") << int(Qt::Key_Left) << int(Qt::ShiftModifier) << QString() << 148 << 0;
    QTest::newRow("Shift+Right") << int(Qt::Key_Right) << int(Qt::ShiftModifier) << QString() << 152 << 0;
    QTest::newRow("letter") << int(Qt::Key_N) << 0 << QStringLiteral("n") << -1 << int('n');
    QTest::newRow("colon") << int(Qt::Key_Colon) << int(Qt::ShiftModifier) << QStringLiteral(":") << -1 << int(':');
    QTest::newRow("slash") << int(Qt::Key_Slash) << 0 << QStringLiteral("/") << -1 << int('/');
    QTest::newRow("Czech letter") << 0x11b << 0 << q("ě") << -1 << 0xEC;
    QTest::newRow("Home") << int(Qt::Key_Home) << 0 << QString() << -1 << 0;
  }

  void everyKeyCodeOfTheTable() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, down);
    QFETCH(int, after);
    start();
    keybuffer = "q";
    const auto mods = Qt::KeyboardModifiers(modifiers);
    keyDown(window(), key, mods, text);
    QCOMPARE(keybuffer, down < 0 ? std::string("q") : down == 0 ? std::string() : ch(down));
    keyUp(window(), key, mods, text);
    QCOMPARE(keybuffer, after == 0 ? std::string() : ch(after));
  }

  void arrowsHeldTogetherAndSpaceHeld() {
    start();
    keyDown(window(), Qt::Key_Up);
    keyDown(window(), Qt::Key_Right);
    QCOMPARE(keybuffer, ch(137));
    keyDown(window(), Qt::Key_Right, Qt::ShiftModifier);  // auto-repeat with Shift now held
    QCOMPARE(keybuffer, ch(153));
    keyDown(window(), Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "), kScanSpace);
    keyDown(window(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(keybuffer, ch(185));
    // An auto-repeat release of Space leaves it held.
    sendKey(window(), QEvent::KeyRelease, Qt::Key_Space, Qt::ShiftModifier, QStringLiteral(" "), kScanSpace, true);
    keyDown(window(), Qt::Key_Right);
    QCOMPARE(keybuffer, ch(169));
    keyUp(window(), Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), kScanSpace);
    keyUp(window(), Qt::Key_Up);
    keyDown(window(), Qt::Key_Right);
    QCOMPARE(keybuffer, ch(136));
    keyUp(window(), Qt::Key_Right);
    // Keys let go while another application had the focus count as up.
    keyDown(window(), Qt::Key_Left);
    form1().keyPreview()->clear();
    keyDown(window(), Qt::Key_Down);
    QCOMPARE(keybuffer, ch(130));
  }

  void aHeldChordRepeatingAsX11DoesGivesOneText_data() {
    QTest::addColumn<int>("kind");  // 0: pairs flagged as repeat, 1: pairs unflagged, 2: presses alone
    QTest::newRow("flagged pairs") << 0;
    QTest::newRow("unflagged pairs of one timestamp") << 1;
    QTest::newRow("presses alone (detectable repeat)") << 2;
  }

  void aHeldChordRepeatingAsX11DoesGivesOneText() {
    QFETCH(int, kind);
    start();
    QTest::keySequence(window(), QKeySequence(QStringLiteral("Ctrl+B")));
    QVERIFY(braillemode);
    // "/" is dots 12456: F D J K L, L pressed last and repeating.
    struct Dot {
      int key;
      const char* text;
      quint32 scan;
    };
    const Dot dots[] = {{Qt::Key_F, "f", kScanF}, {Qt::Key_D, "d", kScanD}, {Qt::Key_J, "j", kScanJ},
                        {Qt::Key_K, "k", kScanK}, {Qt::Key_L, "l", kScanL}};
    const Dot& L = dots[4];
    ulong t = 1000;
    auto send = [&](QEvent::Type type, const Dot& d, bool flag = false) {
      sendKey(window(), type, d.key, Qt::NoModifier, QString::fromLatin1(d.text), d.scan, flag, t);
    };
    auto repeatL = [&] {
      t += 33;
      if (kind != 2) send(QEvent::KeyRelease, L, kind == 0);
      send(QEvent::KeyPress, L, kind == 0);
    };
    std::vector<std::string> texts;  // every text that appeared in keybuffer
    auto look = [&] {
      QTest::qWait(10);  // a release waits a few ms for a paired press
      if (!keybuffer.empty()) texts.push_back(keybuffer);
      keybuffer.clear();
    };
    for (const Dot& d : dots) send(QEvent::KeyPress, d), t += 5;
    for (int i = 0; i < 5; ++i) repeatL(), look();
    for (int i = 0; i < 4; ++i) {
      t += 10;
      send(QEvent::KeyRelease, dots[i]);
      look();
      repeatL();
      look();
      repeatL();
      look();
    }
    t += 10;
    send(QEvent::KeyRelease, L);
    QTRY_VERIFY(!keyIsDown(vk::L));  // the last release waited for a paired press in vain
    look();
    QCOMPARE(texts, std::vector<std::string>{"/"});
    QCOMPARE(currentprefix, std::string());
    for (int k : {vk::F, vk::D, vk::J, vk::K, vk::L}) QVERIFY2(!keyIsDown(k), std::to_string(k).c_str());
  }

  void theMenuOwnsTheKeysWhileItIsActive() {
    start();
    programstarted = true;
    // Alt alone puts the menu bar into keyboard mode; Right and Down then
    // move in it and open a menu, and give the program nothing.
    QApplication::setActiveWindow(&form1());
    keyDown(window(), Qt::Key_Alt, Qt::AltModifier);
    keyUp(window(), Qt::Key_Alt);
    QVERIFY(qobject_cast<QMenuBar*>(QApplication::focusWidget()));
    keyClick(window(), Qt::Key_Right);
    QCOMPARE(keybuffer, std::string());
    keyDown(window(), Qt::Key_Down);
    QCOMPARE(keybuffer, std::string());
    QVERIFY(QApplication::activePopupWidget());
    QVERIFY(!desktop().Form6->isVisible());
    keyUp(window(), Qt::Key_Down);
    QCOMPARE(keybuffer, std::string());
    // Esc twice: the menu closes, then the menu bar gives the keys back.
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    if (qobject_cast<QMenuBar*>(QApplication::focusWidget())) keyClick(window(), Qt::Key_Escape);
    QVERIFY(!QApplication::activePopupWidget());
    keybuffer.clear();
    keyDown(window(), Qt::Key_Right);
    QCOMPARE(keybuffer, ch(136));
    keyUp(window(), Qt::Key_Right);
  }

  void chordsWithCapitalAndNumberSigns_data() {
    QTest::addColumn<bool>("scancodes");
    QTest::newRow("by place") << true;
    QTest::newRow("by key, without native codes") << false;
  }

  void chordsWithCapitalAndNumberSigns() {
    QFETCH(bool, scancodes);
    start();
    QTest::keySequence(window(), QKeySequence(QStringLiteral("Ctrl+B")));
    QVERIFY(braillemode);
    struct Dot {
      int key;
      const char* text;
      quint32 scan;
    };
    const Dot F{Qt::Key_F, "f", kScanF}, D{Qt::Key_D, "d", kScanD}, S{Qt::Key_S, "s", kScanS},
        J{Qt::Key_J, "j", kScanJ}, K{Qt::Key_K, "k", kScanK}, L{Qt::Key_L, "l", kScanL},
        Space{Qt::Key_Space, " ", kScanSpace};
    // Keys pressed one after the other and released in the same order; what
    // the buffer holds after each release.
    auto chord = [&](std::vector<Dot> dots) {
      for (const Dot& d : dots) keyDown(window(), d.key, Qt::NoModifier, QString::fromLatin1(d.text), scancodes ? d.scan : 0);
      std::vector<std::string> after;
      for (const Dot& d : dots) {
        keyUp(window(), d.key, Qt::NoModifier, QString::fromLatin1(d.text), scancodes ? d.scan : 0);
        after.push_back(keybuffer);
      }
      return after;
    };
    QCOMPARE(ql(chord({F, D})), ql(std::vector<std::string>{"b", ""}));
    QCOMPARE(chord({L})[0], std::string());  // the capital sign
    QCOMPARE(chord({D, F})[0], std::string("B"));
    QCOMPARE(chord({F, D})[0], std::string("b"));
    QCOMPARE(chord({S, J, K, L})[0], std::string());  // the number sign
    QCOMPARE(chord({F})[0], std::string("1"));
    QCOMPARE(chord({F, K})[0], std::string("5"));
    QCOMPARE(chord({Space})[0], std::string(" "));
    QCOMPARE(chord({F})[0], std::string("a"));
  }

  void theReviewWindowReads() {
    start("[environment]\nlanguage=2000\n[Voice]\nSAPI5=1\n");
    programstarted = true;
    printmemo.setLine(0, "first line");
    printmemo.setLine(2, "hra drum,je tu");
    TForm6& review = *desktop().Form6;
    QPlainTextEdit* memo = review.virtualscrmemo();
    bool inside = false;
    world->speech.log.clear();
    world->sounds.clear();
    auto press = [&](int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
      QTest::keyPress(memo, Qt::Key(key), mods);
      QTest::keyRelease(memo, Qt::Key(key), mods);
    };
    std::vector<std::string> opening, openingsounds, clicks;
    whenShown(&review, [&] {
      // Checks come after the window has closed: a failed check here would
      // leave it open.
      inside = review.isVisible();
      opening = said();
      openingsounds = world->sounds;
      world->speech.log.clear();
      press(Qt::Key_Up);  // already on the first line: arms the edge
      press(Qt::Key_Up);  // again: a click
      clicks = world->clicks;
      press(Qt::Key_Down);
      press(Qt::Key_Down);
      QTest::keyClick(memo, Qt::Key_F2);
      press(Qt::Key_End);
      press(Qt::Key_Home);
      for (int i = 0; i < 4; ++i) press(Qt::Key_Right);
      // Ctrl+Right: on to the start of the next word, over the comma, and
      // that word is read.
      press(Qt::Key_Right, Qt::ControlModifier);
      press(Qt::Key_Right, Qt::ControlModifier);
      QTest::keyClick(memo, Qt::Key_F2);
      QTest::keyClick(memo, Qt::Key_Escape);
    });
    keyDown(window(), Qt::Key_Up);  // opens the review, returns when it is closed
    keyUp(window(), Qt::Key_Up);
    QVERIFY(inside);
    QCOMPARE(ql(opening), ql(std::vector<std::string>{"Screen"}));
    QCOMPARE(ql(openingsounds), ql(std::vector<std::string>{"300+450/100/5"}));
    QCOMPARE(ql(clicks), ql(std::vector<std::string>{"16"}));
    QVERIFY(!review.isVisible());
    QCOMPARE(keybuffer, std::string());
    QCOMPARE(ql(said()), ql(std::vector<std::string>{"first line", "first line", "empty line", "hra drum,je tu",
                                               "line 3, column 1", "end of line", "h", "r", "a", "space", "d", "je", "tu",
                                               "line 3, column 13", "end of screen"}));
    QCOMPARE(world->sounds.back(), std::string("300+450/100/5"));
  }

  void theLockKeepsTheReviewShut() {
    start("[Voice]\nSAPI5=1\n");
    programstarted = true;
    ram[kReviewLockAddress] = 1;
    keyDown(window(), Qt::Key_Down);
    QVERIFY(!desktop().Form6->isVisible());
    QCOMPARE(keybuffer, ch(130));
    keyUp(window(), Qt::Key_Down);
  }

  void theAboutBox() {
    start("[environment]\nlanguage=2000\n");
    TAboutbox& about = *desktop().Aboutbox;
    QCOMPARE(about.windowTitle(), QStringLiteral("About"));
    QCOMPARE(about.OKButton()->text(), QStringLiteral("&OK"));
    bool shown = false;
    whenShown(&about, [&] {
      shown = about.isVisible() && about.isModal();
      QTest::keyClick(about.OKButton(), Qt::Key_Space);
    });
    item(MenuItem::aboutsubmenu)->trigger();
    QVERIFY(shown);
    QVERIFY(!about.isVisible());
  }

  void anErrorInAHandlerIsReportedAndTheWindowGoesOn() {
    start("[environment]\nlanguage=2000\n");
    setSettingsPath(world->path("no-such-folder/drum.ini"));
    item(MenuItem::braillekeyboarditem)->trigger();
    QVERIFY(waitfor([&] { return !world->errors.empty(); }));
    QVERIFY(world->errors[0].find("Unable to write to") != std::string::npos);
    QVERIFY(form1().isVisible());
  }
};

}  // namespace drum::gui

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  drum::QtHost host;
  drum::setHost(&host);
  drum::initRuntime();
  drum::installSpeechHooks();
  drum::gui::WindowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "windows_test.moc"
