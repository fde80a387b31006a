#include "editors/tonebox.h"
#include "editors/tonepicker.h"
#include "image/tones.h"
#include "shell/translateform.h"
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

// Digits, the point, and the letters of a DCS code: D, I and N in either case.
bool isToneKey(const QString &text)
{
    if (text.size() != 1)
        return false;
    const QChar c = text.at(0);
    return c.isDigit() || c == QLatin1Char('.') || QStringLiteral("DINdin").contains(c);
}

} // namespace

ToneBox::ToneBox(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    addItems(toneList());
    // Of the tone list only "None" is translated.
    setProperty("tag", TagFirstItemOnly);
    lineEdit()->installEventFilter(this);
    installEventFilter(this);
}

bool ToneBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        const QString picked = TfToneOption::pick(this);
        if (!picked.isEmpty())
            emit tonePicked(picked);
        return true;
    }
    // Keys reach the box itself when it has the focus (it passes them on to its
    // line edit directly), or the line edit when that has the focus.
    if (event->type() == QEvent::KeyPress && (watched == lineEdit() || watched == this)) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            emit enterPressed();
            return true;
        }
        const bool editing = key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete
                             || key->key() == Qt::Key_Left || key->key() == Qt::Key_Right
                             || key->key() == Qt::Key_Home || key->key() == Qt::Key_End
                             || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down
                             || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                             || key->key() == Qt::Key_Escape
                             || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!editing && !isToneKey(key->text()))
            return true;   // other characters are dropped
    }
    return QComboBox::eventFilter(watched, event);
}
