// Pseudo-terminals and termination signals on POSIX systems.
#include "pty.h"
#include <QObject>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace {

QString systemError(const QString &what)
{
    return QStringLiteral("%1: %2").arg(what, QString::fromLocal8Bit(std::strerror(errno)));
}

bool setFlags(int fd, bool nonBlocking)
{
    if (::fcntl(fd, F_SETFD, FD_CLOEXEC) != 0)
        return false;
    if (!nonBlocking)
        return true;
    const int flags = ::fcntl(fd, F_GETFL);
    return flags >= 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Raw bytes both ways, no echo, no line editing, no signals; 2400 baud 8N2 as the
// radio's cable would be (a pseudo-terminal ignores the speed, the host sets its own).
bool makeRaw(int fd)
{
    termios tio;
    if (::tcgetattr(fd, &tio) != 0)
        return false;
    ::cfmakeraw(&tio);
    tio.c_cflag |= CLOCAL | CREAD | CSTOPB;
    ::cfsetispeed(&tio, B2400);
    ::cfsetospeed(&tio, B2400);
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    return ::tcsetattr(fd, TCSANOW, &tio) == 0;
}

int g_signalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::open(QString *error)
{
    close();
    const auto fail = [this, error](const QString &what) {
        if (error)
            *error = systemError(what);
        close();
        return false;
    };
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return fail(QStringLiteral("cannot create a pseudo-terminal"));
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail(QStringLiteral("cannot unlock the pseudo-terminal"));
    const char *name = ::ptsname(m_master);
    if (!name)
        return fail(QStringLiteral("cannot name the pseudo-terminal"));
    m_slavePath = QString::fromLocal8Bit(name);
    if (!setFlags(m_master, true))
        return fail(QStringLiteral("cannot configure the pseudo-terminal"));
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail(QStringLiteral("cannot open %1").arg(m_slavePath));
    if (!setFlags(m_slave, false) || !makeRaw(m_master) || !makeRaw(m_slave))
        return fail(QStringLiteral("cannot put %1 in raw mode").arg(m_slavePath));
    return true;
}

void PseudoTerminal::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

bool PseudoTerminal::readAvailable(QByteArray *into, QString *error)
{
    char buffer[4096];
    while (m_master >= 0) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            into->append(buffer, int(n));
            continue;
        }
        if (n == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return true;
        if (error)
            *error = systemError(QStringLiteral("reading the pseudo-terminal"));
        return false;
    }
    return true;
}

qint64 PseudoTerminal::write(const char *data, qint64 size, QString *error)
{
    qint64 done = 0;
    while (m_master >= 0 && done < size) {
        const ssize_t n = ::write(m_master, data + done, size_t(size - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (error)
            *error = systemError(QStringLiteral("writing the pseudo-terminal"));
        return -1;
    }
    return done;
}

bool callOnTerminationRequest(QObject *context, std::function<void()> handler)
{
    if (g_signalPipe[0] < 0) {
        if (::pipe(g_signalPipe) != 0)
            return false;
        setFlags(g_signalPipe[0], true);
        setFlags(g_signalPipe[1], true);
        struct sigaction action;
        std::memset(&action, 0, sizeof action);
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (int sig : {SIGINT, SIGTERM, SIGHUP})
            ::sigaction(sig, &action, nullptr);
    }
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, context);
    QObject::connect(notifier, &QSocketNotifier::activated, context, [handler = std::move(handler)] {
        char buffer[16];
        while (::read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        handler();
    });
    return true;
}
