#include "editors/writedialog.h"
#include "core/appstate.h"
#include "shell/translateform.h"
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfWriteRadio::TfWriteRadio(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fWriteRadio"));
    setWindowTitle(QStringLiteral("Write data to radio"));

    pBar = new QProgressBar(this);
    pBar->setObjectName(QStringLiteral("pBar"));
    pBar->setRange(0, WriteSession::ProgressMaximum);
    pBar->setValue(0);
    pBar->setTextVisible(false);
    pBar->setMinimumWidth(320);

    btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnOk->setEnabled(m_session.okEnabled());
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

    connect(&m_session, &WriteSession::progressChanged, pBar, &QProgressBar::setValue);
    connect(&m_session, &WriteSession::okEnabledChanged, btnOk, &QPushButton::setEnabled);
    connect(&m_session, &WriteSession::closeRequested, this, &TfWriteRadio::close);
    connect(btnOk, &QPushButton::clicked, &m_session, &WriteSession::okClicked);
    connect(btnCancel, &QPushButton::clicked, this, &TfWriteRadio::reject);
}

void TfWriteRadio::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfWriteRadio::FormShow()
{
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, false);
    pBar->setMaximum(WriteSession::ProgressMaximum);
    m_session.show(AppState.PortName);
}

// However the dialog ends (Ok's success, Cancel, Escape, the close box), the port is
// closed and nothing more is sent to the radio.
void TfWriteRadio::done(int result)
{
    m_session.cancel();
    QDialog::done(result);
}
