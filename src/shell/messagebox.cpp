#include "shell/messagebox.h"
#include "core/showmsg.h"
#include <QApplication>
#include <QMessageBox>

void InstallMessageBox()
{
    SetMsgHandler([](const QString &caption, const QString &text, int kind) {
        QWidget *parent = QApplication::activeWindow();
        if (kind == MsgQuestion) {
            // Yes or No, nothing else: Escape and the close box answer No.
            QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No, parent);
            return box.exec() == QMessageBox::Yes ? int(MsgYes) : int(MsgNo);
        }
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
        box.exec();
        return int(MsgOk);
    });
}
