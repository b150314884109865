// The test classes of the dialogs, each run by main in turn.
#pragma once

namespace drum::dialogs {

int runVoiceDialogTests(int argc, char** argv);
int runEnvironmentDialogTests(int argc, char** argv);
int runSoundsDialogTests(int argc, char** argv);
int runInputDialogTests(int argc, char** argv);
int runAboutBoxTests(int argc, char** argv);
int runScreenReaderTests(int argc, char** argv);

}  // namespace drum::dialogs
