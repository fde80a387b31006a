#include "shell/messagebox.h"
#include "core/showmsg.h"
#include <QApplication>
#include <QMessageBox>

namespace {

// Texts come from language files and name files the user picked: a "<" or "&" in
// them is meant literally, never as markup.
int runBox(QMessageBox::Icon icon, const QString &caption, const QString &text,
           QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, caption, text, buttons, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

} // namespace

void InstallMessageBox()
{
    SetMsgHandler([](const QString &caption, const QString &text, int kind) {
        if (kind == MsgQuestion) {
            // Yes or No, nothing else: Escape and the close box answer No.
            return runBox(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No)
                           == QMessageBox::Yes
                       ? int(MsgYes)
                       : int(MsgNo);
        }
        runBox(QMessageBox::Information, caption, text, QMessageBox::Ok);
        return int(MsgOk);
    });
}
