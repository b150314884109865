// The dialogs' tests on the offscreen platform (QT_QPA_PLATFORM=xcb under
// Xvfb shows them), with the Qt host, as the desktop program runs.
#include <QApplication>

#include "dialogs/dialogstests.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "speech/speech.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // What the dialogs play is read from the statements, not from a sound
  // server: a silent device of the real pace spares each test its connection.
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  drum::QtHost host;
  drum::setHost(&host);
  drum::initRuntime();
  drum::installSpeechHooks();
  int failed = 0;
  for (auto run :
       {drum::dialogs::runVoiceDialogTests, drum::dialogs::runEnvironmentDialogTests,
        drum::dialogs::runSoundsDialogTests, drum::dialogs::runInputDialogTests, drum::dialogs::runAboutBoxTests,
        drum::dialogs::runScreenReaderTests})
    failed += run(argc, argv);
  return failed == 0 ? 0 : 1;
}
