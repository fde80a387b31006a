#include "editors/editorparts.h"
#include "shell/mainwindow.h"
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QRegularExpressionValidator>

NumberBox::NumberBox(QWidget *parent)
    : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), this));
}

void NumberBox::showText(const QString &text)
{
    setText(text);
    m_shown = text;
}

void NumberBox::finishEntry()
{
    // A message box shown while the entry is handled takes the focus away; that is
    // not a second entry.
    if (m_reporting || text() == m_shown)
        return;
    m_reporting = true;
    m_shown = text();
    emit entered();
    m_reporting = false;
}

void NumberBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        finishEntry();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void NumberBox::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (focusLossEndsEntry(event, this))
        finishEntry();
}

ChannelSpin::ChannelSpin(QWidget *parent)
    : QSpinBox(parent)
{
    setKeyboardTracking(false);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

QValidator::State ChannelSpin::validate(QString &input, int &) const
{
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (const QChar c : input) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return QValidator::Invalid;
    }
    bool ok = false;
    const int value = input.toInt(&ok);
    return ok && value >= minimum() && value <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

void ChannelSpin::fixup(QString &input) const
{
    if (input.isEmpty())
        return;
    bool ok = false;
    const qlonglong value = input.toLongLong(&ok);
    // Too many digits for a number is above any range.
    input = QString::number(ok ? qBound(qlonglong(minimum()), value, qlonglong(maximum())) : maximum());
}

bool focusLossEndsEntry(const QFocusEvent *event, const QWidget *widget)
{
    switch (event->reason()) {
    case Qt::PopupFocusReason:
        return false;
    case Qt::ActiveWindowFocusReason:
        // Another editor window of the main window took the focus.
        return QApplication::activeWindow() == widget->window();
    default:
        return true;
    }
}

void setTabChain(std::initializer_list<QWidget *> widgets)
{
    QWidget *previous = nullptr;
    for (QWidget *w : widgets) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void setEditorFrameButtons(QWidget *form, Qt::WindowFlags buttons)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        frame->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint | buttons);
}

void placeEditorFrame(QWidget *form)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        frame->move(20, 20);
}

void fitEditorFrame(QWidget *form)
{
    if (auto *frame = qobject_cast<QMdiSubWindow *>(form->parentWidget()))
        frame->adjustSize();
}
