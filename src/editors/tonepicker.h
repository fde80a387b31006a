#pragma once
// The dialog in which the user picks a CTCSS tone or a DCS code from tables.
#include <QDialog>

class TfToneOption : public QDialog
{
    Q_OBJECT
public:
    explicit TfToneOption(QWidget *parent = nullptr);

    // The picked tone's text, empty when nothing was picked.
    QString result() const { return m_result; }

    // Runs the dialog modally and returns the picked text (empty: nothing picked).
    static QString pick(QWidget *parent);

private:
    QString m_result;
};
