#include "shell/windows/form3.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/host.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"

namespace drum {

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form3"));
  setModal(true);
  resize(481, 315);
  languagergroup_ = new QGroupBox(this);
  languagergroup_->setObjectName(QStringLiteral("languagergroup"));
  new QVBoxLayout(languagergroup_);
  buttons_ = new QButtonGroup(this);
  buttons_->setExclusive(true);
  connect(buttons_, &QButtonGroup::idToggled, this, [this](int, bool checked) {
    if (checked) guarded([this] { languagergroupClick(); });
  });
  okbitbtn_ = new QPushButton(this);
  okbitbtn_->setObjectName(QStringLiteral("okbitbtn"));
  okbitbtn_->setDefault(true);
  connect(okbitbtn_, &QPushButton::clicked, this, &QDialog::accept);
  cancelbitbtn_ = new QPushButton(this);
  cancelbitbtn_->setObjectName(QStringLiteral("cancelbitbtn"));
  connect(cancelbitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  auto* row = new QHBoxLayout;
  row->addStretch();
  row->addWidget(okbitbtn_);
  row->addWidget(cancelbitbtn_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(languagergroup_);
  layout->addLayout(row);

  guarded([this] { FormCreate(); });
}

void TForm3::FormCreate() {
  TResourceLocalizer::FillLanguageList(languages_);
  for (std::size_t i = 0; i < languages_.size(); ++i) {
    auto* entry = new QRadioButton(qtext(languages_[i].name), languagergroup_);
    entry->setAccessibleName(entry->text());
    languagergroup_->layout()->addWidget(entry);
    buttons_->addButton(entry, static_cast<int>(i));
    entries_.push_back(entry);
  }
  setitemindex(0);
  TResourceLocalizer::ReadLanguage();
  setcaptions();
}

int TForm3::itemindex() const { return buttons_->checkedId(); }

void TForm3::setitemindex(int index) {
  if (index < 0 || index >= static_cast<int>(entries_.size())) {
    // Out of range selects nothing, as a radio group does.
    buttons_->setExclusive(false);
    for (QRadioButton* entry : entries_) entry->setChecked(false);
    buttons_->setExclusive(true);
    return;
  }
  entries_[static_cast<std::size_t>(index)]->setChecked(true);
}

void TForm3::languagergroupClick() {
  const int index = itemindex();
  if (index < 0) return;
  languagebase = languages_[static_cast<std::size_t>(index)].base;
  setcaptions();
}

void TForm3::setcaptions() {
  const QString title = qtext(LocalString(10));
  setWindowTitle(title);
  setAccessibleName(title);
  const QString group = qtext(LocalString(9));
  languagergroup_->setTitle(group);
  languagergroup_->setAccessibleName(accessiblecaption(group));
  for (auto [button, message] : {std::pair{okbitbtn_, 7}, std::pair{cancelbitbtn_, 8}}) {
    const QString text = qtext(LocalString(message));
    button->setText(text);
    button->setAccessibleName(accessiblecaption(text));
  }
}

void TForm3::environmentsubmenuClick() {
  setitemindex(languagebase / 1000 - 1);
  const int remembered = itemindex();
  languagergroup_->setFocus();
  if (exec() != QDialog::Accepted) return;
  TResourceLocalizer::WriteLanguage();
  if (itemindex() != remembered) host().messageBox(LocalString(6));
}

}  // namespace drum
