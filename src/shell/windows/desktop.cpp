#include "shell/windows/desktop.h"

#include <QKeyEvent>

#include "input/windows/form2.h"
#include "input/windows/form6.h"
#include "platform/windows/qthost.h"
#include "platform/windows/readerkeys.h"
#include "shell/windows/aboutbox.h"
#include "shell/windows/brailleview.h"
#include "shell/windows/dialogspeech.h"
#include "shell/windows/form1.h"
#include "shell/windows/form3.h"
#include "shell/windows/form5.h"
#include "speech/windows/form4.h"

namespace drum {

namespace {

DesktopWindows windows;
std::vector<std::string> created;

template <typename Window>
std::unique_ptr<Window> make(const char* name, QWidget* parent) {
  auto window = std::make_unique<Window>(parent);
  created.emplace_back(name);
  return window;
}

}  // namespace

DesktopWindows& desktop() { return windows; }

void createWindows() {
  created.clear();
  // Before the main window: its creation may already show a box (a second
  // copy on the same game is told so and ends).
  if (auto* qthost = dynamic_cast<QtHost*>(&host())) qthost->setMessageBoxHook([](QDialog& box) { talkWhenAlone(&box); });
  windows.Form1 = make<TForm1>("TForm1", nullptr);
  QWidget* main = windows.Form1.get();
  windows.Form2 = make<TForm2>("TForm2", main);
  windows.Form3 = make<TForm3>("TForm3", main);
  windows.Form4 = make<TForm4>("TForm4", main);
  windows.Form5 = make<TForm5>("TForm5", main);
  windows.Form6 = make<TForm6>("TForm6", main);
  windows.Aboutbox = make<TAboutbox>("TAboutbox", main);

  TForm1& form1 = *windows.Form1;
  form1.onSounds = [] { windows.Form5->soundssubmenuClick(); };
  form1.onVoice = [] { windows.Form4->VoicesubmenuClick(); };
  form1.onEnvironment = [] { windows.Form3->environmentsubmenuClick(); };
  form1.onAbout = [] { windows.Aboutbox->aboutsubmenuClick(); };

  // The voice dialog, the INPUT dialog and the review talk in their own way.
  talkWhenAlone(windows.Form3.get());
  talkWhenAlone(windows.Form5.get());
  talkWhenAlone(windows.Aboutbox.get());
  // The review reads each line, character and word its keys reach.
  keepKeysFromScreenReader(windows.Form6.get(), [](const QKeyEvent& key) {
    switch (key.key()) {
      case Qt::Key_Up:
      case Qt::Key_Down:
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Home:
      case Qt::Key_End:
      case Qt::Key_F2:
        return !(key.modifiers() & Qt::KeypadModifier);
      default:
        return false;
    }
  });
  startBrailleView(windows);
}

void destroyWindows() {
  stopBrailleView();
  windows.Aboutbox.reset();
  windows.Form6.reset();
  windows.Form5.reset();
  windows.Form4.reset();
  windows.Form3.reset();
  windows.Form2.reset();
  windows.Form1.reset();
}

const std::vector<std::string>& createdWindows() { return created; }

}  // namespace drum
