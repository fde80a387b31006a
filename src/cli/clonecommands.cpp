// ze4k-cli ports, read and write: the clone sessions of the window program, driven
// from the command line. The sessions' messages are printed as they come, the
// progress bar is drawn when a person is watching, and the exit status says whether
// the clone went through.
#include "cli/clicommands.h"
#include "cli/progressbar.h"
#include "cli/terminal.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/datafile.h"
#include "link/backups.h"
#include "link/readsession.h"
#include "link/serialports.h"
#include "link/writesession.h"
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <cstdio>

namespace {

void printLine(const QString &text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
    std::fflush(stderr);
}

bool isComName(const QString &port)
{
    static const QRegularExpression comName(QStringLiteral("^COM\\d+$"), QRegularExpression::CaseInsensitiveOption);
    return comName.match(port).hasMatch();
}

// "COM5 (/dev/ttyUSB4)", or a device path as it was given.
QString portLabel(const QString &port)
{
    if (!isComName(port))
        return QDir::toNativeSeparators(port);
    const QString name = QStringLiteral("COM%1").arg(PortNumber(port));
    const QString device = SerialDevicePath(port);
    return device.isEmpty() || device == name ? name : QStringLiteral("%1 (%2)").arg(name, device);
}

// While one clone runs: the session's messages and a failed backup go to stderr, each
// on a line of its own, and the force question is answered from --force.
class CloneConsole
{
public:
    explicit CloneConsole(bool force)
        : m_bar(CloneSession::ProgressMaximum, stderrIsTerminal()), m_force(force)
    {
        m_previousHandler = SetMsgHandler([this](const QString &caption, const QString &text, int kind) {
            return message(caption, text, kind);
        });
        m_previousReporter = Backups::setReporter([this](const QString &text) {
            m_bar.end();
            cliError(text);
        });
    }
    ~CloneConsole()
    {
        m_bar.stop();
        SetMsgHandler(m_previousHandler);
        Backups::setReporter(m_previousReporter);
    }
    CloneConsole(const CloneConsole &) = delete;
    CloneConsole &operator=(const CloneConsole &) = delete;

    void watch(CloneSession &session)
    {
        QObject::connect(&session, &CloneSession::progressChanged, &session,
                         [this](int position) { m_bar.update(position); });
    }
    bool forceRefused() const { return m_forceRefused; }

private:
    int message(const QString &caption, const QString &text, int kind)
    {
        if (kind != MsgQuestion) {
            // Every information message ends the attempt or reports its success, so
            // the bar is finished; what a session sets afterwards is not drawn.
            m_bar.stop();
            printLine(caption + QStringLiteral(": ") + text);
            return MsgOk;
        }
        m_bar.end();
        const bool yes = m_force && text == LangTexts.Modforce;
        if (text == LangTexts.Modforce && !yes)
            m_forceRefused = true;
        printLine(caption + QStringLiteral(": ") + text
                  + (yes ? QStringLiteral(" Yes (--force)") : QStringLiteral(" No")));
        return yes ? MsgYes : MsgNo;
    }

    ProgressBar m_bar;
    const bool m_force;
    bool m_forceRefused = false;
    MsgHandler m_previousHandler;
    Backups::Reporter m_previousReporter;
};

// A session may have just queued its end byte when it stops; the port closes only
// once that byte is out, or after a second at most.
void waitForOutput(const CloneSession &session)
{
    QElapsedTimer clock;
    clock.start();
    while (session.isPortOpen() && session.line().pendingOutput() > 0 && clock.elapsed() < 1000)
        QThread::msleep(5);
}

struct CloneArgs
{
    QString port;
    QString file;
    bool force = false;
};

// Parses "--port PORT" and the command's own arguments; false (after saying why) on
// a usage error.
bool parseCloneArgs(const char *command, const QStringList &args, bool isRead, CloneArgs *parsed)
{
    const QString name = QLatin1String(command);
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--port") && i + 1 < args.size() && parsed->port.isEmpty()) {
            parsed->port = args[++i];
            // "./radio" or "ttyUSB0.link": a device path relative to where we run.
            if (!isComName(parsed->port) && !parsed->port.isEmpty())
                parsed->port = QFileInfo(parsed->port).absoluteFilePath();
        } else if (isRead && a == QLatin1String("-o") && i + 1 < args.size() && parsed->file.isEmpty()) {
            parsed->file = args[++i];
        } else if (!isRead && a == QLatin1String("--force")) {
            parsed->force = true;
        } else if (!isRead && !a.startsWith(QLatin1Char('-')) && parsed->file.isEmpty()) {
            parsed->file = a;
        } else {
            cliError(QStringLiteral("%1: unexpected argument '%2'").arg(name, a));
            return false;
        }
    }
    if (parsed->port.isEmpty()) {
        cliError(QStringLiteral("%1: no port given (--port COMn or a device path)").arg(name));
        return false;
    }
    if (parsed->file.isEmpty()) {
        cliError(isRead ? QStringLiteral("read: no output file given (-o FILE)")
                        : QStringLiteral("write: no file given"));
        return false;
    }
    return true;
}

// Opens the session's port; on failure the session has shown its message and this
// adds the line that names the port.
bool openPort(CloneSession &session, const QString &port)
{
    session.show(port);
    if (session.isPortOpen())
        return true;
    const QString name = isComName(port) ? QStringLiteral("COM%1").arg(PortNumber(port)) : QDir::toNativeSeparators(port);
    QString reason = session.line().errorText();
    if (reason.startsWith(name + QStringLiteral(": ")))
        reason = reason.mid(name.size() + 2);
    cliError(reason.isEmpty() ? QStringLiteral("cannot open port %1").arg(portLabel(port))
                              : QStringLiteral("cannot open port %1: %2").arg(name, reason));
    return false;
}

bool folderWritable(const QString &file)
{
    const QFileInfo folder(QFileInfo(file).absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace

int cliPorts(const QStringList &args)
{
    if (!args.isEmpty()) {
        cliError(QStringLiteral("ports: unexpected argument '%1'").arg(args.first()));
        return CliUsage;
    }
    QString out;
    for (const SerialPortName &port : AvailableSerialPorts())
        out += port.name + QLatin1Char('\t') + QDir::toNativeSeparators(port.devicePath) + QLatin1Char('\n');
    const QByteArray bytes = out.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    return CliOk;
}

int cliRead(const QStringList &args)
{
    CloneArgs parsed;
    if (!parseCloneArgs("read", args, true, &parsed))
        return CliUsage;
    // Better to know before the radio is read than after.
    if (!folderWritable(parsed.file)) {
        cliError(QStringLiteral("Cannot write the file %1.").arg(QDir::toNativeSeparators(parsed.file)));
        return CliBadInput;
    }

    CloneConsole console(false);
    ReadSession session;
    console.watch(session);
    if (!openPort(session, parsed.port))
        return CliBadInput;

    QEventLoop loop;
    QObject::connect(&session, &CloneSession::closeRequested, &loop,
                     [&] { loop.exit(session.ReadCompleted ? CliOk : CliBadInput); });
    QObject::connect(&session, &CloneSession::halted, &loop, [&] {
        waitForOutput(session);
        loop.exit(CliBadInput);
    });
    session.StartExchange();
    const int status = loop.exec();
    session.cancel();

    if (status != CliOk || !session.ReadCompleted) {
        cliError(QStringLiteral("reading the radio on %1 failed; %2 was not written")
                     .arg(portLabel(parsed.port), QDir::toNativeSeparators(parsed.file)));
        return CliBadInput;
    }
    const DataFileResult saved = WriteDataFile(parsed.file);
    if (!saved.ok()) {
        cliError(saved.message());
        return CliBadInput;
    }
    return CliOk;
}

int cliWrite(const QStringList &args)
{
    CloneArgs parsed;
    if (!parseCloneArgs("write", args, false, &parsed))
        return CliUsage;
    if (!cliLoadFile(parsed.file))
        return CliBadInput;

    CloneConsole console(parsed.force);
    WriteSession session;
    console.watch(session);
    if (!openPort(session, parsed.port))
        return CliBadInput;

    QEventLoop loop;
    QObject::connect(&session, &WriteSession::writeCompleted, &loop, [&] { loop.exit(CliOk); });
    QObject::connect(&session, &CloneSession::closeRequested, &loop, [&] { loop.exit(CliBadInput); });
    QObject::connect(&session, &CloneSession::halted, &loop, [&] {
        waitForOutput(session);
        loop.exit(CliBadInput);
    });
    session.okClicked();
    const int status = loop.exec();
    session.cancel();

    if (status != CliOk) {
        const QString where = portLabel(parsed.port);
        if (console.forceRefused())
            cliError(QStringLiteral("the radio on %1 is another model than %2; nothing was written "
                                    "(--force writes anyway)").arg(where, AppState.ModelCode));
        else
            cliError(QStringLiteral("writing to the radio on %1 failed").arg(where));
        return CliBadInput;
    }
    return CliOk;
}
