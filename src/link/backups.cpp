#include "link/backups.h"
#include "core/apppaths.h"
#include "core/appstate.h"
#include "image/datafile.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <cstdio>

namespace {

const char DateTimeFormat[] = "yyyy-MM-dd_HHmmss";

void printReport(const QString &message)
{
    std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

Backups::Reporter &reporter()
{
    static Backups::Reporter current = printReport;
    return current;
}

void report(const QString &message)
{
    reporter()(message);
}

// Model codes are short letters and digits; anything else would not do in a file name.
QString safeModel(const QString &code)
{
    QString safe;
    for (QChar c : code.trimmed())
        safe += (c.isLetterOrNumber() && c.unicode() < 128) || c == QLatin1Char('-') ? c : QLatin1Char('_');
    return safe.isEmpty() ? QStringLiteral("unknown") : safe;
}

const QRegularExpression &backupName()
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}_\\d{6})_.+_(read|write)(_\\d+)?\\.dat$"));
    return pattern;
}

} // namespace

namespace Backups {

QString fileName(const QDateTime &when, const QString &modelCode, Kind kind, int counter)
{
    QString name = when.toString(QLatin1String(DateTimeFormat)) + QLatin1Char('_') + safeModel(modelCode)
                   + (kind == AfterRead ? QLatin1String("_read") : QLatin1String("_write"));
    if (counter > 1)
        name += QLatin1Char('_') + QString::number(counter);
    return name + QLatin1String(".dat");
}

QString save(const QString &dir, const ImageBytes &image, const QString &modelCode, double bandLow,
             double bandHigh, Kind kind, const QDateTime &when)
{
    const QString folder = QDir::toNativeSeparators(dir);
    if (!QDir().mkpath(dir)) {
        report(QStringLiteral("Cannot create the backup folder %1.").arg(folder));
        return QString();
    }
    QString path;
    for (int counter = 1;; ++counter) {
        path = QDir(dir).filePath(fileName(when, modelCode, kind, counter));
        if (!QFileInfo::exists(path))
            break;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        report(QStringLiteral("Cannot write the backup %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return QString();
    }
    file.write(EncodeDataFile(image, modelCode, bandLow, bandHigh, when));
    if (!file.commit()) {
        report(QStringLiteral("Cannot write the backup %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
        return QString();
    }
    prune(dir, when);
    return path;
}

QString saveCurrent(Kind kind)
{
    return save(AppPaths::backupDir(), AppState.Image, AppState.ModelCode, AppState.BandLow, AppState.BandHigh,
                kind, QDateTime::currentDateTime());
}

void prune(const QString &dir, const QDateTime &now)
{
    const QDateTime oldest = now.addDays(-KeepDays);
    QDir folder(dir);
    const QStringList names = folder.entryList({QStringLiteral("*.dat")}, QDir::Files);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = backupName().match(name);
        if (!match.hasMatch())
            continue;
        const QDateTime made = QDateTime::fromString(match.captured(1), QLatin1String(DateTimeFormat));
        if (made.isValid() && made < oldest)
            folder.remove(name);
    }
}

Reporter setReporter(Reporter next)
{
    Reporter previous = reporter();
    reporter() = next ? std::move(next) : Reporter(printReport);
    return previous;
}

} // namespace Backups
