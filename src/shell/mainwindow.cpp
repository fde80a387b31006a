#include "shell/mainwindow.h"
#include "core/appstate.h"
#include "core/startup.h"
#include <QMdiArea>

TfMainFrm::TfMainFrm(QWidget *parent)
    : QMainWindow(parent), m_mdi(new QMdiArea(this))
{
    setObjectName(QStringLiteral("fMainFrm"));
    setCentralWidget(m_mdi);
}

void TfMainFrm::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        firstShow();
    }
}

void TfMainFrm::firstShow()
{
    SelectStartModel();
    AppState.PortName = AppState.PortName.toUpper();
    setWindowTitle(AppState.ProductName + AppState.VersionText);
}
