#include "shell/windows/form5.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/settings/resourcelocalizer.h"

namespace drum {

namespace {

template <typename Widget>
void caption(Widget* widget, int message) {
  const QString text = qtext(LocalString(message));
  widget->setText(text);
  widget->setAccessibleName(accessibleCaption(text));
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
  sndvolstatic_->setBuddy(sndvoltrackbar_);  // its accelerator moves the focus to the bar
  okbitbtn_ = new QPushButton(this);
  okbitbtn_->setObjectName(QStringLiteral("okbitbtn"));
  okbitbtn_->setDefault(true);
  connect(okbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  cancelbitbtn_ = new QPushButton(this);
  cancelbitbtn_->setObjectName(QStringLiteral("cancelbitbtn"));
  connect(cancelbitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  connect(sndvoltrackbar_, &QSlider::valueChanged, this,
          [this](int position) { guarded([&] { sndvoltrackbarChange(position, isVisible() && isActiveWindow()); }); });
  // oskirasoundschkClick: the bar is usable only while the sounds are on.
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
  layout->addStretch();
  layout->addLayout(row);
  setTabOrder(voicecheckbox_, oskirasoundschk_);
  setTabOrder(oskirasoundschk_, sndvoltrackbar_);
  setTabOrder(sndvoltrackbar_, okbitbtn_);
  setTabOrder(okbitbtn_, cancelbitbtn_);

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

bool TForm5::voiceChecked() const { return voicecheckbox_->isChecked(); }
void TForm5::setVoiceChecked(bool on) { voicecheckbox_->setChecked(on); }
bool TForm5::soundsChecked() const { return oskirasoundschk_->isChecked(); }
void TForm5::setSoundsChecked(bool on) { oskirasoundschk_->setChecked(on); }
void TForm5::setVolumePosition(int position) { sndvoltrackbar_->setValue(position); }
void TForm5::setVolumeEnabled(bool on) { sndvoltrackbar_->setEnabled(on); }

bool TForm5::showModal() {
  voicecheckbox_->setFocus();
  return exec() == QDialog::Accepted;
}

void TForm5::soundssubmenuClick() { drum::soundssubmenuClick(*this); }

}  // namespace drum
