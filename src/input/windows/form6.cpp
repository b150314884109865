#include "input/windows/form6.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "input/windows/keyboard.h"
#include "input/words.h"
#include "platform/windows/qtext.h"
#include "platform/windows/qthost.h"
#include "runtime/oskcommands.h"

namespace drum {

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Form6"));
  setModal(true);

  virtualscrmemo_ = new QPlainTextEdit(this);
  virtualscrmemo_->setObjectName(QStringLiteral("virtualscrmemo"));
  virtualscrmemo_->setReadOnly(true);
  virtualscrmemo_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  // One screen line is one line of the copy: the line and column arithmetic counts on it.
  virtualscrmemo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  virtualscrmemo_->setTabChangesFocus(true);
  virtualscrmemo_->setUndoRedoEnabled(false);
  virtualscrmemo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  virtualscrmemo_->installEventFilter(this);

  closebitbtn_ = new QPushButton(this);
  closebitbtn_->setObjectName(QStringLiteral("closebitbtn"));
  closebitbtn_->setDefault(true);           // Enter
  closebitbtn_->setFocusPolicy(Qt::ClickFocus);  // not a Tab stop
  connect(closebitbtn_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(virtualscrmemo_);
  layout->addWidget(closebitbtn_, 0, Qt::AlignRight);

  const QFontMetrics metrics(virtualscrmemo_->font());
  const int margin =
      2 * (virtualscrmemo_->frameWidth() + static_cast<int>(virtualscrmemo_->document()->documentMargin()));
  virtualscrmemo_->setMinimumSize(metrics.horizontalAdvance(QString(TextScreen::kColumns, QLatin1Char('M'))) + margin + 4,
                                  metrics.lineSpacing() * (TextScreen::kRows + 1) + margin + 4);

  guarded([this] { FormCreate(); });
  setReviewWindow(this);
}

TForm6::~TForm6() {
  if (reviewWindow() == this) setReviewWindow(nullptr);
}

void TForm6::FormCreate() {
  const QString caption = qtext(reviewCaption());
  setWindowTitle(caption);
  setAccessibleName(caption);
  virtualscrmemo_->setAccessibleName(caption);
  const QString close = qtext(reviewCloseCaption());
  closebitbtn_->setText(close);
  closebitbtn_->setAccessibleName(accessibleCaption(close));
}

void TForm6::setCopy(const std::string& copy) {
  QString text;
  text.reserve(static_cast<qsizetype>(copy.size()));
  for (std::size_t i = 0; i < copy.size(); ++i) {
    if (copy[i] == '\r' && i + 1 < copy.size() && copy[i + 1] == '\n') {
      text += QLatin1Char('\n');
      ++i;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(copy[i]);
    // Any other control character is shown as a blank, one for one, so
    // columns stay where the logic counts them.
    text += c < 32 ? QChar(QLatin1Char(' ')) : QChar(cp1250ToUnicode(c));
  }
  virtualscrmemo_->setPlainText(text);
  virtualscrmemo_->moveCursor(QTextCursor::Start);
  virtualscrmemo_->setFocus();
}

int TForm6::caret() const {
  const QTextCursor cursor = virtualscrmemo_->textCursor();
  // Each block before the caret's is one line of the copy and its CR LF.
  int position = 0;
  for (QTextBlock block = virtualscrmemo_->document()->firstBlock();
       block.isValid() && block.blockNumber() < cursor.blockNumber(); block = block.next())
    position += block.length() - 1 + 2;
  return position + cursor.positionInBlock();
}

void TForm6::setCaret(int position) {
  const CaretPlace place = caretPlace(reviewcopy, position);
  const QTextBlock block = virtualscrmemo_->document()->findBlockByNumber(place.line);
  if (!block.isValid()) return;
  QTextCursor cursor = virtualscrmemo_->textCursor();
  cursor.setPosition(block.position() + std::min(place.column - 1, block.length() - 1));
  virtualscrmemo_->setTextCursor(cursor);
}

void TForm6::showModal() { exec(); }

void TForm6::close() { reject(); }

bool TForm6::eventFilter(QObject* watched, QEvent* event) {
  if (watched == virtualscrmemo_ && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const int code = virtualKey(key);
    const ShiftState shift = shiftState(key);
    if (event->type() == QEvent::KeyPress) {
      // Key-down comes before the text box moves the caret.
      guarded([&] { virtualscrmemoKeyDown(code, shift, caret()); });
      if (code == vk::Escape) return true;  // closed already
      if ((code == vk::Left || code == vk::Right) && shift.ctrl && !shift.shift && !shift.alt) {
        // By words as a reader moves, over punctuation and line ends too.
        const int at = caret();
        setCaret(code == vk::Right ? nextWordStart(reviewcopy, at) : previousWordStart(reviewcopy, at));
        return true;
      }
    } else if (!key.isAutoRepeat()) {
      // Key-up: the text box has moved the caret by now.
      guarded([&] { virtualscrmemoKeyUp(code, shift, caret()); });
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace drum
