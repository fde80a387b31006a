#pragma once
// What the read and write dialogs share: a progress bar, Ok and Cancel over a clone
// session that does the exchange. However the dialog ends (success, Cancel, Escape,
// the close box), the port is closed and nothing more is sent to the radio.
#include <QDialog>
#include <functional>

class CloneSession;
class QProgressBar;
class QPushButton;

class CloneDialog : public QDialog
{
    Q_OBJECT
public:
    void done(int result) override;

protected:
    CloneDialog(const char *objectName, const QString &caption, QWidget *parent);
    // Binds the dialog to its session; Ok runs okAction.
    void attach(CloneSession *session, const std::function<void()> &okAction);
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();

    CloneSession *m_session = nullptr;
    QProgressBar *pBar = nullptr;
    QPushButton *btnOk = nullptr;
    QPushButton *btnCancel = nullptr;
};
