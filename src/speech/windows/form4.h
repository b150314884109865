// The voice settings dialog. Its state is the voice dialog model of the
// speech module (speech/voicemodels.h); this window shows the model and hands
// the user's changes back to it.
#pragma once
#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QSlider;

namespace drum {

class TrackBarModel;

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(QWidget* parent = nullptr);
  ~TForm4() override;

  QListWidget* voicelist() const { return voicelist_; }
  QSlider* pitchtb() const { return pitchtb_; }
  QSlider* speedtb() const { return speedtb_; }
  QSlider* volumetb() const { return volumetb_; }
  QPushButton* vyberhlasbitbtn() const { return vyberhlasbitbtn_; }
  QPushButton* closebitbtn() const { return closebitbtn_; }

  // Settings / Voice.
  void VoicesubmenuClick();
  // Copies the model into the widgets.
  void sync();

 private:
  QSlider* trackbar(const char* name);
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
