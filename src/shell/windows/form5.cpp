#include "shell/windows/form5.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/host.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"
#include "shell/flags.h"
#include "shell/resourcelocalizer.h"
#include "shell/session/startup.h"
#include "speech/voiceselection.h"

namespace drum {

namespace {

template <typename Widget>
void caption(Widget* widget, int message) {
  const QString text = qtext(LocalString(message));
  widget->setText(text);
  widget->setAccessibleName(accessiblecaption(text));
}

}  // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form5"));
  setModal(true);
  resize(398, 256);
  voicecheckbox_ = new QCheckBox(this);
  voicecheckbox_->setObjectName(QStringLiteral("voicecheckbox"));
  oskirasoundschk_ = new QCheckBox(this);
  oskirasoundschk_->setObjectName(QStringLiteral("oskirasoundschk"));
  sndvoltrackbar_ = new QSlider(Qt::Horizontal, this);
  sndvoltrackbar_->setObjectName(QStringLiteral("sndvoltrackbar"));
  sndvoltrackbar_->setRange(0, 100);
  sndvoltrackbar_->setTickPosition(QSlider::TicksBelow);
  sndvoltrackbar_->setTickInterval(10);
  sndvolstatic_ = new QLabel(this);
  sndvolstatic_->setObjectName(QStringLiteral("sndvolstatic"));
  sndvolstatic_->setBuddy(sndvoltrackbar_);
  okbitbtn_ = new QPushButton(this);
  okbitbtn_->setObjectName(QStringLiteral("okbitbtn"));
  okbitbtn_->setDefault(true);
  connect(okbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  cancelbitbtn_ = new QPushButton(this);
  cancelbitbtn_->setObjectName(QStringLiteral("cancelbitbtn"));
  connect(cancelbitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  connect(sndvoltrackbar_, &QSlider::valueChanged, this, [this] { guarded([this] { sndvoltrackbarChange(); }); });
  connect(oskirasoundschk_, &QCheckBox::toggled, this, [this](bool on) { sndvoltrackbar_->setEnabled(on); });

  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(okbitbtn_);
  row->addWidget(cancelbitbtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(voicecheckbox_);
  layout->addWidget(oskirasoundschk_);
  layout->addWidget(sndvolstatic_);
  layout->addWidget(sndvoltrackbar_);
  layout->addLayout(row);

  guarded([this] { FormCreate(); });
}

void TForm5::FormCreate() {
  const QString title = qtext(LocalString(21));
  setWindowTitle(title);
  setAccessibleName(title);
  caption(voicecheckbox_, 22);
  caption(oskirasoundschk_, 39);
  caption(sndvolstatic_, 28);
  sndvoltrackbar_->setAccessibleName(sndvolstatic_->accessibleName());
  caption(okbitbtn_, 7);
  caption(cancelbitbtn_, 8);
}

void TForm5::sndvoltrackbarChange() {
  sndvolume = sndvoltrackbar_->value() * 100 - 10000;
  if (isActiveWindow()) sound({1000}, 100, 1);
}

void TForm5::soundssubmenuClick() {
  voicecheckbox_->setChecked(voiceallowed);
  oskirasoundschk_->setChecked(oskirasounds);
  sndvoltrackbar_->setValue((sndvolume + 10000) / 100);
  sndvoltrackbar_->setEnabled(oskirasounds);
  const int remembered = sndvolume;
  voicecheckbox_->setFocus();
  if (exec() != QDialog::Accepted) {
    sndvolume = remembered;
    return;
  }
  if (voicecheckbox_->isChecked() && !voiceallowed) {
    if (ttsenum) {
      FillVoiceList();
      SelectVoice();
      SaveVoiceSettings();
    } else {
      voicecheckbox_->setChecked(false);
      host().messageBox(LocalString(40));
    }
  }
  voiceallowed = voicecheckbox_->isChecked();
  setmenuenabled(MenuItem::Voicesubmenu, voiceallowed);
  oskirasounds = oskirasoundschk_->isChecked();
  TResourceLocalizer::SaveSettings();
}

}  // namespace drum
