#pragma once
// Pieces the channel editor windows share: the number box that reports an entry
// when the user finishes it, the channel spin that clamps what is typed into it,
// and the frame of an editor window inside the main window.
#include <QLineEdit>
#include <QSpinBox>
#include <initializer_list>

// Takes digits and "." only. An entry ends with Enter or when the box loses the
// focus; it is reported once, and only when the text differs from what the box
// showed before. Texts set through showText are not entries.
class NumberBox : public QLineEdit
{
    Q_OBJECT
public:
    explicit NumberBox(QWidget *parent = nullptr);

    void showText(const QString &text);
    // Reports a typed entry the user has not finished yet.
    void finishEntry();

signals:
    void entered();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QString m_shown;
    bool m_reporting = false;
};

// A whole number from minimum to maximum. Any number can be typed; when the entry
// ends it is clamped to the range without a message. valueChanged comes once per
// entry, not per keystroke.
class ChannelSpin : public QSpinBox
{
    Q_OBJECT
public:
    explicit ChannelSpin(QWidget *parent = nullptr);

protected:
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
};

// Whether losing the focus ends a typed entry: it does when the focus moves on inside
// the program (to another control or another editor window), not when a popup opens
// or another program or a dialog becomes active.
bool focusLossEndsEntry(const QFocusEvent *event, const QWidget *widget);

// The order in which Tab moves through the controls.
void setTabChain(std::initializer_list<QWidget *> widgets);

// The frame of an editor window inside the main window: the buttons asked for, set
// when the window is put into its frame; the place 20, 20 of the main window's client
// area, taken when it is first shown; and the window's own size, which translated
// texts change, followed whenever it changes.
void setEditorFrameButtons(QWidget *form, Qt::WindowFlags buttons);
void placeEditorFrame(QWidget *form);
void fitEditorFrame(QWidget *form);
