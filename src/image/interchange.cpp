#include "image/interchange.h"
#include "image/imagejson.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

InterchangeFormat FormatOfFile(const QString &path, const QByteArray &content)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("json"))
        return InterchangeFormat::Json;
    if (suffix == QLatin1String("csv"))
        return InterchangeFormat::Csv;
    return content.trimmed().startsWith('{') ? InterchangeFormat::Json : InterchangeFormat::Csv;
}

QByteArray ExportImage(InterchangeFormat format)
{
    if (format == InterchangeFormat::Json)
        return QJsonDocument(ImageToJson()).toJson(QJsonDocument::Indented);
    return WriteChirpCsv().toUtf8();
}

bool ImportPlan::usable() const
{
    return format == InterchangeFormat::Json ? json.usable() : csv.usable();
}

QString ImportPlan::problem() const
{
    if (usable())
        return QString();
    if (format == InterchangeFormat::Json)
        return json.error;
    if (!csv.headerFound)
        return QStringLiteral("no CSV header line with Location and Frequency columns");
    return QStringLiteral("no row holds a channel that can be stored");
}

int ImportPlan::channelCount() const
{
    if (format == InterchangeFormat::Csv)
        return int(csv.channels.size());
    return json.channels ? int(json.channels->size()) : 0;
}

ImportPlan ReadImport(InterchangeFormat format, const QByteArray &data)
{
    ImportPlan plan;
    plan.format = format;
    if (format == InterchangeFormat::Json)
        plan.json = ReadImageJson(data);
    else
        plan.csv = ReadChirpCsv(data);
    return plan;
}

void ApplyImport(const ImportPlan &plan, bool clearOthers)
{
    if (plan.format == InterchangeFormat::Json)
        ApplyJsonImport(plan.json);
    else
        ApplyCsvImport(plan.csv, clearOthers);
}

bool ReadInterchangeFile(const QString &path, QByteArray *data, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: cannot read the file (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    *data = file.readAll();
    return true;
}

bool WriteInterchangeFile(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = QStringLiteral("%1: cannot write the file (%2)").arg(QDir::toNativeSeparators(path), file.errorString());
        return false;
    }
    return true;
}
