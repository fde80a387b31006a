// ze4k-cli: scripting and batch programming on the same core as the window program.
#include "cli/clicommands.h"
#include "cli/interchangecommands.h"
#include "core/startup.h"
#include <QApplication>
#include <QCoreApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

const char Usage[] =
    "usage: ze4k-cli new FILE [--model CODE] [--band \"TEXT\"] [--limits LOW HIGH]\n"
    "       ze4k-cli show FILE [--json]\n"
    "       ze4k-cli set FILE KEY=VALUE [KEY=VALUE ...]\n"
    "       ze4k-cli ports\n"
    "       ze4k-cli read --port PORT -o FILE      (PORT: COMn or a device path)\n"
    "       ze4k-cli write --port PORT FILE [--force]\n"
    "       ze4k-cli export FILE (--csv OUT | --json OUT)\n"
    "       ze4k-cli import FILE (--csv IN | --json IN) [--replace-all]\n"
    "                                      (OUT or IN '-': standard output or input)\n"
    "       ze4k-cli print FILE -o OUT.pdf\n";

// Whether a window system is there to connect to. Where one always is, the answer
// is yes; on X11 and Wayland systems the session says so in its environment.
bool haveDisplay()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// The report's rows come from the windows, so printing needs a QApplication; without
// a display (a script, a server) it runs on the offscreen platform. This has to be
// settled before the application object exists.
// Without a desktop session Qt remarks on what it misses (no runtime folder, window
// hints the offscreen platform ignores); a script wants only our own lines on stderr.
void dropQtRemarks(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    if (argc > 1 && std::strcmp(argv[1], "print") == 0) {
        if (!haveDisplay() && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
            qInstallMessageHandler(dropQtRemarks);
        }
        return std::make_unique<QApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ze4k"));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(Usage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? CliUsage : CliOk;
    }
    const QString command = args.takeFirst();
    CreateDataModule();
    SelectStartModel();
    int status = CliUsage;
    if (command == QLatin1String("new"))
        status = cliNew(args);
    else if (command == QLatin1String("show"))
        status = cliShow(args);
    else if (command == QLatin1String("set"))
        status = cliSet(args);
    else if (command == QLatin1String("ports"))
        status = cliPorts(args);
    else if (command == QLatin1String("read"))
        status = cliRead(args);
    else if (command == QLatin1String("write"))
        status = cliWrite(args);
    else if (command == QLatin1String("export"))
        status = cliExport(args);
    else if (command == QLatin1String("import"))
        status = cliImport(args);
    else if (command == QLatin1String("print"))
        status = cliPrint(args);
    else
        cliError(QStringLiteral("unknown command '%1'").arg(command));
    if (status == CliUsage)
        std::fputs(Usage, stderr);
    return status;
}
