// The floor for the start-up benchmark: the least a Qt Widgets program with a main
// window does before it can take input (a menu bar, a status bar, shown maximised).
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("minimal"));
    QMenu *file = window.menuBar()->addMenu(QStringLiteral("&File"));
    file->addAction(QStringLiteral("E&xit"), &app, &QApplication::quit);
    window.menuBar()->addMenu(QStringLiteral("&Help"));
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.showMaximized();
    return app.exec();
}
