// The sounds dialog: voice allowed, the Oskira sounds and their volume.
#pragma once
#include <QDialog>

#include "shell/session/settingsdialogs.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace drum {

class TForm5 : public QDialog, public SoundsDialog {
  Q_OBJECT
 public:
  explicit TForm5(QWidget* parent = nullptr);

  QCheckBox* voicecheckbox() const { return voicecheckbox_; }
  QCheckBox* oskirasoundschk() const { return oskirasoundschk_; }
  QSlider* sndvoltrackbar() const { return sndvoltrackbar_; }
  QLabel* sndvolstatic() const { return sndvolstatic_; }
  QPushButton* okbitbtn() const { return okbitbtn_; }
  QPushButton* cancelbitbtn() const { return cancelbitbtn_; }

  bool voiceChecked() const override;
  void setVoiceChecked(bool on) override;
  bool soundsChecked() const override;
  void setSoundsChecked(bool on) override;
  void setVolumePosition(int position) override;
  void setVolumeEnabled(bool on) override;
  // Focus on the voice check box, shown modally; true when closed with OK.
  bool showModal() override;

  // Settings / Sounds.
  void soundssubmenuClick();

 private:
  void FormCreate();

  QCheckBox* voicecheckbox_ = nullptr;
  QCheckBox* oskirasoundschk_ = nullptr;
  QSlider* sndvoltrackbar_ = nullptr;
  QLabel* sndvolstatic_ = nullptr;
  QPushButton* okbitbtn_ = nullptr;
  QPushButton* cancelbitbtn_ = nullptr;
};

}  // namespace drum
