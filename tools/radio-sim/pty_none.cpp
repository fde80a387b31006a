// Platforms without pseudo-terminals: the virtual radio cannot start there.
#include "pty.h"

PseudoTerminal::~PseudoTerminal() = default;

bool PseudoTerminal::open(QString *error)
{
    if (error)
        *error = QStringLiteral("pseudo-terminals are not available on this system");
    return false;
}

void PseudoTerminal::close()
{
}

bool PseudoTerminal::readAvailable(QByteArray *, QString *)
{
    return false;
}

qint64 PseudoTerminal::write(const char *, qint64, QString *)
{
    return -1;
}

bool callOnTerminationRequest(QObject *, std::function<void()>)
{
    return false;
}
