// drum: the desktop program. Creates its windows in their order and runs the
// window system's message loop until the main window closes.
#include <QApplication>

#include "platform/error.h"
#include "platform/filelocations.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "shell/settings/inifile.h"
#include "shell/windows/desktop.h"
#include "shell/windows/form1.h"
#include "speech/speech.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("drum"));
  // The desktop entry's name, so the window system shows the entry's icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.drum_game.drum"));
  drum::QtHost qthost;
  drum::setHost(&qthost);
  try {
    const drum::FileLocations where = drum::locateFiles(drum::executablePath(), drum::currentHomeFolders());
    drum::enterFileLocations(where);
    drum::setSettingsPath(where.settingsFile);
  } catch (const drum::Error& e) {
    qthost.reportError(e.what());
    qthost.terminate(1);
  }
  drum::initRuntime();
  drum::installSpeechHooks();
  drum::createWindows();
  drum::desktop().Form1->show();
  const int status = QApplication::exec();
  // What had to be saved was saved by the close handler; the engines' threads
  // need no orderly goodbye.
  qthost.terminate(status);
}
