#pragma once
// The dialog that reads the radio's memory into the image. The exchange itself is
// the read session's; the dialog shows its progress and offers Ok and Cancel.
#include "link/readsession.h"
#include <QDialog>

class QProgressBar;
class QPushButton;

class TfReadRadio : public QDialog
{
    Q_OBJECT
public:
    explicit TfReadRadio(QWidget *parent = nullptr);

    // After the dialog has closed: whether a complete read went into the image.
    bool readCompleted() const { return m_session.ReadCompleted; }
    ReadSession &session() { return m_session; }

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    ReadSession m_session;
    QProgressBar *pBar = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
