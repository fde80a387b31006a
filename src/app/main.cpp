#include "core/startup.h"
#include "editors/editorwindows.h"
#include "shell/mainwindow.h"
#include "shell/messagebox.h"
#include <QApplication>
#include <QScreen>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("ze4k"));
    InstallMessageBox();
    CreateDataModule();
    RegisterEditorWindows();
    TfMainFrm window;
    // Without a window manager "maximised" means nothing; start at the screen's size.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        window.resize(screen->availableGeometry().size());
    window.showMaximized();
    return app.exec();
}
