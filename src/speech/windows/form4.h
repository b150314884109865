// The voice settings dialog. Its state is the voice dialog model of the
// speech module (speech/voicemodels.h): this window shows the model, hands
// the user's changes back to it, and reports focus, activation and closing to
// the talking handlers (speech/voicedialog.h).
#pragma once
#include <QDialog>

#include "shell/session/settingsdialogs.h"

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace drum {

class TrackBarModel;

class TForm4 : public QDialog, public SettingsDialog {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  QListWidget* voicelist() const { return voicelist_; }
  QLabel* voicestatic() const { return voicestatic_; }
  QSlider* pitchtb() const { return pitchtb_; }
  QLabel* pitchstatic() const { return pitchstatic_; }
  QSlider* speedtb() const { return speedtb_; }
  QLabel* speedstatic() const { return speedstatic_; }
  QSlider* volumetb() const { return volumetb_; }
  QLabel* volumestatic() const { return volumestatic_; }
  QPushButton* vyberhlasbitbtn() const { return vyberhlasbitbtn_; }
  QPushButton* closebitbtn() const { return closebitbtn_; }

  // Settings / Voice.
  void VoicesubmenuClick();
  // Focus on the voice list, shown modally; true when closed with the choose button.
  bool showModal() override;
  // Copies the model into the widgets.
  void sync();

 protected:
  bool event(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  QSlider* trackbar(const char* name);
  // What the control with the focus says when the user moves to it.
  void announceFocus();
  QListWidget* voicelist_ = nullptr;
  QLabel* voicestatic_ = nullptr;
  QSlider* pitchtb_ = nullptr;
  QLabel* pitchstatic_ = nullptr;
  QSlider* speedtb_ = nullptr;
  QLabel* speedstatic_ = nullptr;
  QSlider* volumetb_ = nullptr;
  QLabel* volumestatic_ = nullptr;
  QPushButton* vyberhlasbitbtn_ = nullptr;
  QPushButton* closebitbtn_ = nullptr;
  bool syncing_ = false;
};

}  // namespace drum
