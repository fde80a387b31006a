#include "editors/clonedialog.h"
#include "core/appstate.h"
#include "link/clonesession.h"
#include "shell/translateform.h"
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

CloneDialog::CloneDialog(const char *objectName, const QString &caption, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QLatin1String(objectName));
    setWindowTitle(caption);

    pBar = new QProgressBar(this);
    pBar->setObjectName(QStringLiteral("pBar"));
    pBar->setRange(0, CloneSession::ProgressMaximum);
    pBar->setValue(0);
    pBar->setTextVisible(false);
    pBar->setMinimumWidth(320);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    buttons->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(pBar);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    // A fixed border, as big as the (translated) contents need.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnCancel, &QPushButton::clicked, this, &CloneDialog::reject);
}

void CloneDialog::attach(CloneSession *session, const std::function<void()> &okAction)
{
    m_session = session;
    btnOk->setEnabled(session->okEnabled());
    connect(session, &CloneSession::progressChanged, pBar, &QProgressBar::setValue);
    connect(session, &CloneSession::okEnabledChanged, btnOk, &QPushButton::setEnabled);
    connect(session, &CloneSession::closeRequested, this, &CloneDialog::close);
    connect(btnOk, &QPushButton::clicked, session, okAction);
}

void CloneDialog::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void CloneDialog::FormShow()
{
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, false);
    pBar->setMaximum(CloneSession::ProgressMaximum);
    m_session->show(AppState.PortName);
}

void CloneDialog::done(int result)
{
    m_session->cancel();
    QDialog::done(result);
}
