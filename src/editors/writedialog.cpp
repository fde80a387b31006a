#include "editors/writedialog.h"

TfWriteRadio::TfWriteRadio(QWidget *parent)
    : CloneDialog("fWriteRadio", QStringLiteral("Write data to radio"), parent)
{
    attach(&m_session, [this] { m_session.okClicked(); });
}
