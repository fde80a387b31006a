#pragma once
// The dialog that writes the image to the radio. The exchange itself is the write
// session's; the dialog shows its progress and offers Ok and Cancel. After a
// complete write it stays open, and Ok writes again.
#include "link/writesession.h"
#include <QDialog>

class QProgressBar;
class QPushButton;

class TfWriteRadio : public QDialog
{
    Q_OBJECT
public:
    explicit TfWriteRadio(QWidget *parent = nullptr);

    WriteSession &session() { return m_session; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    WriteSession m_session;
    QProgressBar *pBar = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
