// Dialogs that talk while no screen reader runs: the message boxes, the
// environment and sounds dialogs and the About box would otherwise be
// silent windows for a blind user. When one of them becomes active it says
// its caption, its texts and the control that has the focus; each control
// the focus moves to is named with its value, and a check box or a bar says
// its new value when it changes. A key stops what is being said. While a
// screen reader runs it says all this itself, and these dialogs are quiet.
#pragma once
#include <string>

class QDialog;
class QWidget;

namespace drum {

// `dialog` talks whenever it is shown from now on.
void talkWhenAlone(QDialog* dialog);

// What is said of a control: its name (without accelerator marks) and value.
std::string spokenControl(const QWidget* control);
// What a dialog says when it becomes active.
std::string spokenDialog(const QDialog* dialog);

}  // namespace drum
