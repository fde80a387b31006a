// ze4k-cli: scripting and batch programming on the same core as the window program.
#include "cli/clicommands.h"
#include "cli/interchangecommands.h"
#include "core/startup.h"
#include <QCoreApplication>
#include <cstdio>

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
    "                                      (OUT or IN '-': standard output or input)\n";

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
    else
        cliError(QStringLiteral("unknown command '%1'").arg(command));
    if (status == CliUsage)
        std::fputs(Usage, stderr);
    return status;
}
