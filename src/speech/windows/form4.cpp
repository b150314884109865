#include "speech/windows/form4.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <algorithm>

#include "platform/windows/focusevents.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "speech/voicedialog.h"
#include "speech/voiceselection.h"

namespace drum {

namespace {

void showBar(QSlider* slider, const TrackBarModel& bar) {
  slider->setRange(bar.min(), bar.max());
  slider->setValue(bar.position());
  slider->setTickInterval(bar.frequency());
  // Page Up and Page Down move a tenth of the range, so a wide bar (a volume
  // of 0 to 255) can be crossed in a few steps, each of them spoken.
  slider->setPageStep(std::max(1, (bar.max() - bar.min()) / 10));
  slider->setEnabled(bar.enabled());
}

void showLabel(QLabel* label, const LabelModel& model) {
  const QString text = qtext(model.caption);
  label->setText(text);
  label->setAccessibleName(accessibleCaption(text));
  label->setEnabled(model.enabled);
}

void showButton(QPushButton* button, const std::string& caption) {
  const QString text = qtext(caption);
  button->setText(text);
  button->setAccessibleName(accessibleCaption(text));
}

QLabel* label(QWidget* parent, const char* name, QWidget* buddy) {
  auto* l = new QLabel(parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setBuddy(buddy);  // its accelerator moves the focus to the control it names
  return l;
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
  voicelist_->setSortingEnabled(false);
  voicestatic_ = label(this, "voicestatic", voicelist_);
  pitchtb_ = trackbar("pitchtb");
  pitchstatic_ = label(this, "pitchstatic", pitchtb_);
  speedtb_ = trackbar("speedtb");
  speedstatic_ = label(this, "speedstatic", speedtb_);
  volumetb_ = trackbar("volumetb");
  volumestatic_ = label(this, "volumestatic", volumetb_);
  vyberhlasbitbtn_ = new QPushButton(this);
  vyberhlasbitbtn_->setObjectName(QStringLiteral("vyberhlasbitbtn"));
  vyberhlasbitbtn_->setDefault(true);
  connect(vyberhlasbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  closebitbtn_ = new QPushButton(this);
  closebitbtn_->setObjectName(QStringLiteral("closebitbtn"));
  connect(closebitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  grid->addWidget(voicestatic_, 0, 0, 1, 2);
  grid->addWidget(voicelist_, 1, 0, 1, 2);
  grid->addWidget(pitchstatic_, 2, 0);
  grid->addWidget(pitchtb_, 2, 1);
  grid->addWidget(speedstatic_, 3, 0);
  grid->addWidget(speedtb_, 3, 1);
  grid->addWidget(volumestatic_, 4, 0);
  grid->addWidget(volumetb_, 4, 1);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(1, 1);
  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(vyberhlasbitbtn_);
  row->addWidget(closebitbtn_);
  grid->addLayout(row, 5, 0, 1, 2);

  setTabOrder(voicelist_, pitchtb_);
  setTabOrder(pitchtb_, speedtb_);
  setTabOrder(speedtb_, volumetb_);
  setTabOrder(volumetb_, vyberhlasbitbtn_);
  setTabOrder(vyberhlasbitbtn_, closebitbtn_);

  // The user's changes go to the model; the model's come back through sync.
  connect(voicelist_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (syncing_) return;
    guarded([row] {
      voicedialog.voicelist.setItemIndex(row);
      voicelistClick();
    });
  });
  for (auto [slider, bar] : {std::pair{pitchtb_, &voicedialog.pitchtb}, std::pair{speedtb_, &voicedialog.speedtb},
                             std::pair{volumetb_, &voicedialog.volumetb}}) {
    connect(slider, &QSlider::valueChanged, this, [this, bar = bar](int value) {
      if (!syncing_) guarded([&] { bar->setPosition(value); });
    });
  }

  onenter(voicelist_, voicesettings::voicelistEnter);
  onenter(pitchtb_, voicesettings::pitchtbEnter);
  onenter(speedtb_, voicesettings::speedtbEnter);
  onenter(volumetb_, voicesettings::volumetbEnter);
  onenter(vyberhlasbitbtn_, voicesettings::vyberhlasbitbtnEnter);
  onenter(closebitbtn_, voicesettings::closebitbtnEnter);

  voicedialog.voicelist.onUpdate = [this] { sync(); };
  for (TrackBarModel* bar : {&voicedialog.pitchtb, &voicedialog.speedtb, &voicedialog.volumetb})
    bar->onUpdate = [this] { sync(); };
  voicedialog.isActiveWindow = [this] { return isVisible() && isActiveWindow(); };

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
  showLabel(voicestatic_, voicedialog.voicestatic);
  showLabel(pitchstatic_, voicedialog.pitchstatic);
  showLabel(speedstatic_, voicedialog.speedstatic);
  showLabel(volumestatic_, voicedialog.volumestatic);
  voicelist_->setAccessibleName(voicestatic_->accessibleName());
  showBar(pitchtb_, voicedialog.pitchtb);
  showBar(speedtb_, voicedialog.speedtb);
  showBar(volumetb_, voicedialog.volumetb);
  pitchtb_->setAccessibleName(pitchstatic_->accessibleName());
  speedtb_->setAccessibleName(speedstatic_->accessibleName());
  volumetb_->setAccessibleName(volumestatic_->accessibleName());
  showButton(vyberhlasbitbtn_, voicedialog.vyberhlasbitbtn);
  showButton(closebitbtn_, voicedialog.closebitbtn);
  syncing_ = false;
}

void TForm4::VoicesubmenuClick() { drum::VoicesubmenuClick(*this); }

bool TForm4::showModal() {
  // The labels follow their bars, which the selection may have enabled.
  sync();
  voicelist_->setFocus();
  return exec() == QDialog::Accepted;
}

bool TForm4::event(QEvent* e) {
  const bool handled = QDialog::event(e);
  if (e->type() == QEvent::WindowActivate && isVisible())
    guarded([this] { voicesettings::FormActivate([this] { announceFocus(); }); });
  return handled;
}

void TForm4::announceFocus() {
  const QWidget* w = focusWidget();
  if (w == voicelist_) voicesettings::voicelistEnter();
  else if (w == pitchtb_) voicesettings::pitchtbEnter();
  else if (w == speedtb_) voicesettings::speedtbEnter();
  else if (w == volumetb_) voicesettings::volumetbEnter();
  else if (w == vyberhlasbitbtn_) voicesettings::vyberhlasbitbtnEnter();
  else if (w == closebitbtn_) voicesettings::closebitbtnEnter();
}

void TForm4::hideEvent(QHideEvent* e) {
  voicesettings::FormClose();
  QDialog::hideEvent(e);
}

}  // namespace drum
