// The voice settings dialog as the user meets it: it talks. Every control
// says what it is and what it holds when it gets the focus, and the dialog
// names itself and the voice when it is activated. The window (TForm4) calls
// these from its focus and activation events; the controls' changes are the
// voice selection's handlers (speech/voiceselection.h).
#pragma once

namespace drum::voicesettings {

// Set at the end of the dialog's activation, cleared when it closes. Until
// then the list's focus is silent, so the dialog is not named twice.
extern bool activated;

void FormActivate();
void FormClose();

void voicelistEnter();
void pitchtbEnter();
void speedtbEnter();
void volumetbEnter();
void vyberhlasbitbtnEnter();
void closebitbtnEnter();

}  // namespace drum::voicesettings
