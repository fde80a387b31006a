#include "editors/readdialog.h"

TfReadRadio::TfReadRadio(QWidget *parent)
    : CloneDialog("fReadRadio", QStringLiteral("Read data From radio"), parent)
{
    attach(&m_session, [this] { m_session.StartExchange(); });
}
