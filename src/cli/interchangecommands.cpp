#include "cli/interchangecommands.h"
#include "cli/clicommands.h"
#include "image/interchange.h"
#include <QDir>
#include <QFile>
#include <cstdio>

namespace {

const QString StandardStream = QStringLiteral("-");

struct Arguments
{
    QString file;
    QString other;          // OUT or IN
    InterchangeFormat format = InterchangeFormat::Csv;
    bool replaceAll = false;
};

// FILE (--csv X | --json X) [--replace-all]; false after a usage message.
bool parseArguments(const QString &command, const QStringList &args, bool allowReplaceAll, Arguments *parsed)
{
    bool haveFormat = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        const bool csv = a == QLatin1String("--csv");
        if ((csv || a == QLatin1String("--json")) && i + 1 < args.size() && !haveFormat) {
            parsed->format = csv ? InterchangeFormat::Csv : InterchangeFormat::Json;
            parsed->other = args[++i];
            haveFormat = true;
        } else if (a == QLatin1String("--replace-all") && allowReplaceAll) {
            parsed->replaceAll = true;
        } else if ((!a.startsWith(QLatin1String("--")) || a == StandardStream) && parsed->file.isEmpty()) {
            parsed->file = a;
        } else {
            cliError(QStringLiteral("%1: unexpected argument '%2'").arg(command, a));
            return false;
        }
    }
    if (parsed->file.isEmpty() || !haveFormat) {
        cliError(QStringLiteral("%1: give a data file and one of --csv or --json").arg(command));
        return false;
    }
    if (parsed->replaceAll && parsed->format == InterchangeFormat::Json) {
        cliError(QStringLiteral("%1: --replace-all is for --csv; a JSON object sets every channel").arg(command));
        return false;
    }
    return true;
}

QString label(const QString &path)
{
    return path == StandardStream ? QStringLiteral("standard input") : QDir::toNativeSeparators(path);
}

void report(const QString &line)
{
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
}

bool readInput(const QString &path, QByteArray *data)
{
    if (path == StandardStream) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            cliError(QStringLiteral("cannot read standard input"));
            return false;
        }
        *data = in.readAll();
        return true;
    }
    QString error;
    if (!ReadInterchangeFile(path, data, &error)) {
        cliError(error);
        return false;
    }
    return true;
}

} // namespace

int cliExport(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(QStringLiteral("export"), args, false, &a))
        return CliUsage;
    if (!cliLoadFile(a.file))
        return CliBadInput;
    const QByteArray data = ExportImage(a.format);
    if (a.other == StandardStream) {
        std::fwrite(data.constData(), 1, size_t(data.size()), stdout);
        return std::fflush(stdout) == 0 ? CliOk : CliBadInput;
    }
    QString error;
    if (!WriteInterchangeFile(a.other, data, &error)) {
        cliError(error);
        return CliBadInput;
    }
    return CliOk;
}

int cliImport(const QStringList &args)
{
    Arguments a;
    if (!parseArguments(QStringLiteral("import"), args, true, &a))
        return CliUsage;
    if (!cliLoadFile(a.file))
        return CliBadInput;
    QByteArray data;
    if (!readInput(a.other, &data))
        return CliBadInput;

    const ImportPlan plan = ReadImport(a.format, data);
    const QString source = label(a.other);
    for (const CsvSkip &skip : plan.csv.skipped)
        report(source + QStringLiteral(": skipped ") + CsvSkipText(skip));
    if (!plan.usable()) {
        cliError(QStringLiteral("%1: %2; %3 is unchanged").arg(source, plan.problem(), QDir::toNativeSeparators(a.file)));
        return CliBadInput;
    }
    ApplyImport(plan, a.replaceAll);
    if (!cliSaveFile(a.file))
        return CliBadInput;
    if (a.format == InterchangeFormat::Csv)
        report(QStringLiteral("%1: %2 channels imported, %3 lines skipped")
                   .arg(source)
                   .arg(plan.channelCount())
                   .arg(plan.csv.skipped.size()));
    else
        report(QStringLiteral("%1: imported, %2 memory channels").arg(source).arg(plan.channelCount()));
    return CliOk;
}
