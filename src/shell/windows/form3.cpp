#include "shell/windows/form3.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

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
  // Any change of the selection, by the user or by the program, is a click.
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
  layout->addWidget(languagergroup_, 1);
  layout->addLayout(row);

  guarded([this] { FormCreate(); });
}

void TForm3::FormCreate() {
  EnvironmentFormCreate(*this);
  setCaptions();
}

void TForm3::setEntries(const std::vector<LanguageEntry>& entries) {
  for (QRadioButton* entry : entries_) delete entry;
  entries_.clear();
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto* entry = new QRadioButton(qtext(entries[i].name), languagergroup_);
    entry->setObjectName(QStringLiteral("languagergroup%1").arg(i));
    entry->setAccessibleName(accessibleCaption(entry->text()));
    languagergroup_->layout()->addWidget(entry);
    buttons_->addButton(entry, static_cast<int>(i));
    entries_.push_back(entry);
  }
  if (!entries_.empty()) setTabOrder(entries_.back(), okbitbtn_);
  setTabOrder(okbitbtn_, cancelbitbtn_);
}

int TForm3::itemindex() const { return buttons_->checkedId(); }

void TForm3::setItemIndex(int index) {
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
  drum::languagergroupClick(itemindex());
  setCaptions();
}

void TForm3::setCaptions() {
  const EnvironmentCaptions c = environmentCaptions();
  const QString title = qtext(c.caption);
  setWindowTitle(title);
  setAccessibleName(title);
  const QString group = qtext(c.languagergroup);
  languagergroup_->setTitle(group);
  languagergroup_->setAccessibleName(accessibleCaption(group));
  for (auto [button, caption] : {std::pair{okbitbtn_, &c.okbitbtn}, std::pair{cancelbitbtn_, &c.cancelbitbtn}}) {
    const QString text = qtext(*caption);
    button->setText(text);
    button->setAccessibleName(accessibleCaption(text));
  }
}

bool TForm3::showModal() {
  // The group's focus is its selected entry's.
  const int index = itemindex();
  if (index >= 0)
    entries_[static_cast<std::size_t>(index)]->setFocus();
  else if (!entries_.empty())
    entries_.front()->setFocus();
  return exec() == QDialog::Accepted;
}

void TForm3::environmentsubmenuClick() { drum::environmentsubmenuClick(*this); }

}  // namespace drum
