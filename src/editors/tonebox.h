#pragma once
// The tone field every channel editor uses: the tone list as items, typing held to
// the characters a tone can have, and a double click that opens the tone picker.
#include <QComboBox>

class ToneBox : public QComboBox
{
    Q_OBJECT
public:
    explicit ToneBox(QWidget *parent = nullptr);

signals:
    // The user picked a tone in the picker (the text need not be in the list).
    void tonePicked(const QString &text);
    // Enter was pressed in the field.
    void enterPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
