// The voice settings dialog as the user meets it: it talks. Every control
// says what it is and what it holds when it gets the focus, and the dialog
// names itself and the voice when it is activated. The window (TForm4) calls
// these from its focus and activation events; the controls' changes are the
// voice selection's handlers (speech/voiceselection.h).
#pragma once
#include <functional>

namespace drum::voicesettings {

// Set at the end of the dialog's activation, cleared when it closes. Until
// then the list's focus is silent, so the dialog is not named twice.
extern bool activated;
// Set as the dialog names itself after being opened, cleared when it closes.
extern bool announced;

// The first activation after the dialog opened names the dialog and the
// voice. Any later one (back from a message box, or from another
// application) says only what has the focus, through `focused` (that
// control's focus handler), as if the user had just moved to it; a failure
// to say it is not reported again, or every return from the error's own box
// would raise the next one.
void FormActivate(const std::function<void()>& focused = {});
void FormClose();

void voicelistEnter();
void pitchtbEnter();
void speedtbEnter();
void volumetbEnter();
void vyberhlasbitbtnEnter();
void closebitbtnEnter();

}  // namespace drum::voicesettings
