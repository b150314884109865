#include "speech/windows/form4.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "platform/host.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "shell/flags.h"
#include "shell/resourcelocalizer.h"
#include "shell/session/startup.h"
#include "speech/speech.h"
#include "speech/voiceselection.h"

namespace drum {

namespace {

void showbar(QSlider* slider, const TrackBarModel& bar) {
  slider->setRange(bar.min(), bar.max());
  slider->setValue(bar.position());
  slider->setTickInterval(bar.frequency());
  slider->setEnabled(bar.enabled());
}

void showlabel(QLabel* label, const LabelModel& model) {
  const QString text = qtext(model.caption);
  label->setText(text);
  label->setAccessibleName(accessiblecaption(text));
  label->setEnabled(model.enabled);
}

void showbutton(QPushButton* button, const std::string& caption) {
  const QString text = qtext(caption);
  button->setText(text);
  button->setAccessibleName(accessiblecaption(text));
}

}  // namespace

QSlider* TForm4::trackbar(const char* name) {
  auto* slider = new QSlider(Qt::Horizontal, this);
  slider->setObjectName(QString::fromLatin1(name));
  slider->setTickPosition(QSlider::TicksBelow);
  return slider;
}

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form4"));
  setModal(true);
  resize(521, 388);

  voicelist_ = new QListWidget(this);
  voicelist_->setObjectName(QStringLiteral("voicelist"));
  voicestatic_ = new QLabel(this);
  voicestatic_->setObjectName(QStringLiteral("voicestatic"));
  voicestatic_->setBuddy(voicelist_);
  pitchtb_ = trackbar("pitchtb");
  pitchstatic_ = new QLabel(this);
  pitchstatic_->setObjectName(QStringLiteral("pitchstatic"));
  pitchstatic_->setBuddy(pitchtb_);
  speedtb_ = trackbar("speedtb");
  speedstatic_ = new QLabel(this);
  speedstatic_->setObjectName(QStringLiteral("speedstatic"));
  speedstatic_->setBuddy(speedtb_);
  volumetb_ = trackbar("volumetb");
  volumestatic_ = new QLabel(this);
  volumestatic_->setObjectName(QStringLiteral("volumestatic"));
  volumestatic_->setBuddy(volumetb_);
  vyberhlasbitbtn_ = new QPushButton(this);
  vyberhlasbitbtn_->setObjectName(QStringLiteral("vyberhlasbitbtn"));
  vyberhlasbitbtn_->setDefault(true);
  connect(vyberhlasbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  closebitbtn_ = new QPushButton(this);
  closebitbtn_->setObjectName(QStringLiteral("closebitbtn"));
  connect(closebitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  grid->addWidget(voicestatic_, 0, 0);
  grid->addWidget(voicelist_, 1, 0, 1, 2);
  grid->addWidget(pitchstatic_, 2, 0);
  grid->addWidget(pitchtb_, 2, 1);
  grid->addWidget(speedstatic_, 3, 0);
  grid->addWidget(speedtb_, 3, 1);
  grid->addWidget(volumestatic_, 4, 0);
  grid->addWidget(volumetb_, 4, 1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(vyberhlasbitbtn_);
  row->addWidget(closebitbtn_);
  grid->addLayout(row, 5, 0, 1, 2);

  // The user's changes go to the model; the model's come back through sync.
  connect(voicelist_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_) return;
    voicedialog.voicelist.setItemIndex(row);
    guarded(voicelistClick);
  });
  for (auto [slider, bar] : {std::pair{pitchtb_, &voicedialog.pitchtb}, std::pair{speedtb_, &voicedialog.speedtb},
                             std::pair{volumetb_, &voicedialog.volumetb}}) {
    connect(slider, &QSlider::valueChanged, this, [this, bar = bar](int value) {
      if (!syncing_) guarded([&] { bar->setPosition(value); });
    });
  }
  voicedialog.voicelist.onUpdate = [this] { sync(); };
  for (TrackBarModel* bar : {&voicedialog.pitchtb, &voicedialog.speedtb, &voicedialog.volumetb})
    bar->onUpdate = [this] { sync(); };
  voicedialog.isActiveWindow = [this] { return isActiveWindow(); };

  guarded(VoiceDialogCreate);
  sync();
}

TForm4::~TForm4() {
  voicedialog.voicelist.onUpdate = nullptr;
  for (TrackBarModel* bar : {&voicedialog.pitchtb, &voicedialog.speedtb, &voicedialog.volumetb})
    bar->onUpdate = nullptr;
  voicedialog.isActiveWindow = nullptr;
}

void TForm4::sync() {
  syncing_ = true;
  const QString title = qtext(voicedialog.caption);
  setWindowTitle(title);
  setAccessibleName(title);
  const auto& list = voicedialog.voicelist;
  if (voicelist_->count() != list.count()) {
    voicelist_->clear();
    for (const std::string& item : list.items()) voicelist_->addItem(qtext(item));
  } else {
    for (int i = 0; i < list.count(); ++i) voicelist_->item(i)->setText(qtext(list.item(i)));
  }
  voicelist_->setCurrentRow(list.itemIndex());
  voicelist_->setAccessibleName(accessiblecaption(qtext(voicedialog.voicestatic.caption)));
  showlabel(voicestatic_, voicedialog.voicestatic);
  showlabel(pitchstatic_, voicedialog.pitchstatic);
  showlabel(speedstatic_, voicedialog.speedstatic);
  showlabel(volumestatic_, voicedialog.volumestatic);
  showbar(pitchtb_, voicedialog.pitchtb);
  showbar(speedtb_, voicedialog.speedtb);
  showbar(volumetb_, voicedialog.volumetb);
  pitchtb_->setAccessibleName(pitchstatic_->accessibleName());
  speedtb_->setAccessibleName(speedstatic_->accessibleName());
  volumetb_->setAccessibleName(volumestatic_->accessibleName());
  showbutton(vyberhlasbitbtn_, voicedialog.vyberhlasbitbtn);
  showbutton(closebitbtn_, voicedialog.closebitbtn);
  syncing_ = false;
}

void TForm4::VoicesubmenuClick() {
  if (!voiceallowed) {
    host().messageBox(LocalString(18));
    return;
  }
  if (!voiceready) {
    SelectVoice();
    SaveVoiceSettings();
  }
  LoadVoiceSettings();
  voicelist_->setFocus();
  if (exec() == QDialog::Accepted) {
    SaveVoiceSettings();
    LoadVoiceSettings();
    SpeakText(LocalString(19));
  } else {
    SpeakText(mainwindowcaption());
  }
}

}  // namespace drum
