// The commands of the Settings menu that open a dialog: Voice, Environment
// and Sounds. The windows show the dialogs and hand over their controls'
// states; what is stored, spoken and refused is decided here.
#pragma once
#include <string>
#include <vector>

#include "shell/settings/resourcelocalizer.h"

namespace drum {

// A dialog shown by a command.
class SettingsDialog {
 public:
  virtual ~SettingsDialog() = default;
  // Shows the dialog modally, the focus on its first control; true when it
  // was closed with its OK button (every other way counts as Cancel).
  virtual bool showModal() = 0;
};

// ---- Voice ------------------------------------------------------------------

// Settings / Voice: refused with message 18 while voice is not allowed;
// otherwise the stored voice applied, the dialog shown, and on OK the new
// choice stored, applied and confirmed with message 19. Any other close says
// the main window's caption and leaves the engine as the dialog left it.
void VoicesubmenuClick(SettingsDialog& dialog);

// ---- Environment ----------------------------------------------------------------

class EnvironmentDialog : public SettingsDialog {
 public:
  // Makes the group's entries, one per language, none selected.
  virtual void setEntries(const std::vector<LanguageEntry>& entries) = 0;
  // The selected entry of the language group; -1 for none.
  virtual int itemindex() const = 0;
  // Selects an entry (-1 or beyond the entries: none); when the selection
  // changes, the group's click handler runs.
  virtual void setItemIndex(int index) = 0;
};

// The language group's entries, filled once when the dialog is created.
extern std::vector<LanguageEntry> languages;

// The dialog's captions in the current language: caption, group, OK, Cancel.
struct EnvironmentCaptions {
  std::string caption, languagergroup, okbitbtn, cancelbitbtn;
};
EnvironmentCaptions environmentCaptions();

// Creation: the entries filled, entry 0 selected (its click sets Czech),
// then the stored language read back.
void EnvironmentFormCreate(EnvironmentDialog& dialog);
// A click on an entry: its language becomes the language of every text
// fetched from now on, the dialog's own captions included.
void languagergroupClick(int index);
// Settings / Environment: on OK the language is written, and message 6 (in
// the new language) says that the change takes effect at the next start.
// Cancel puts back the language that was in force when the dialog opened.
void environmentsubmenuClick(EnvironmentDialog& dialog);

// ---- Sounds -----------------------------------------------------------------------

class SoundsDialog : public SettingsDialog {
 public:
  virtual bool voiceChecked() const = 0;
  virtual void setVoiceChecked(bool on) = 0;
  virtual bool soundsChecked() const = 0;
  virtual void setSoundsChecked(bool on) = 0;
  // Moves the volume bar; when its position changes, its change handler runs.
  virtual void setVolumePosition(int position) = 0;
  virtual void setVolumeEnabled(bool on) = 0;
};

// The volume bar runs from 0 to 100 over -10000 to 0 hundredths of a decibel.
int volumePosition(int volume);
int volumeFromPosition(int position);

// The volume bar moved: the volume follows it at once, and while the dialog is
// the active window a short tone lets the user hear it.
void sndvoltrackbarChange(int position, bool dialogactive);
// Settings / Sounds: on OK voice is allowed (its voices listed and the
// default one chosen and stored) or forbidden, the Oskira sounds switched,
// and the settings written; message 40 when no voices exist to allow. Cancel
// puts the volume back.
void soundssubmenuClick(SoundsDialog& dialog);

}  // namespace drum
