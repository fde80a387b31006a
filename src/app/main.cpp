#include "core/startup.h"
#include "shell/mainwindow.h"
#include "shell/messagebox.h"
#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ze4k"));
    InstallMessageBox();
    CreateDataModule();
    TfMainFrm window;
    window.showMaximized();
    return app.exec();
}
