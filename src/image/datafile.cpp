#include "image/datafile.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "image/image.h"
#include "image/models.h"
#include "image/numbers.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool isDecimalDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// Blanks and control characters off both ends, and nothing else.
QString trimControl(const QString &text)
{
    int from = 0, to = int(text.size());
    while (from < to && text.at(from).unicode() <= ' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= ' ')
        --to;
    return text.mid(from, to - from);
}

QString bandDigits(double low, double high)
{
    return formatFixed(low, 0, 3) + formatFixed(high, 0, 3);
}

} // namespace

QByteArray EncodeFileHeader(const QString &modelText, const QString &dateText, const QString &bandText)
{
    QByteArray header(FileHeaderSize, char(0xFF));
    const QByteArray model = (modelText + QString(8, QLatin1Char(' '))).toLatin1();
    for (int i = 0; i < 5; ++i)
        header[i] = model[i];
    for (int i = 0; i < 3; ++i)
        header[5 + i] = char(bandText.mid(2 * i, 2).toUInt(nullptr, 16));
    const auto number = [&dateText](int from, int length) {
        return dateText.mid(from, length).toInt();
    };
    const int year = number(0, 4);
    header[8] = char(year & 0xFF);
    header[9] = char((year >> 8) & 0xFF);
    header[10] = char(number(5, 2));
    header[11] = char(number(8, 2));
    header[12] = char(number(11, 2));
    header[13] = char(number(14, 2));
    return header;
}

FileHeader DecodeFileHeader(const QByteArray &header)
{
    FileHeader decoded;
    decoded.modelText = QString::fromLatin1(header.left(5));
    for (int i = 5; i < 8 && i < header.size(); ++i)
        decoded.bandText += QStringLiteral("%1").arg(quint8(header[i]), 2, 16, QLatin1Char('0')).toUpper();
    return decoded;
}

QString DataFileResult::message() const
{
    const QString file = QDir::toNativeSeparators(detail);
    switch (error) {
    case None:
        return QString();
    case NotReadable:
        return QStringLiteral("Cannot open the file %1.").arg(file);
    case ModelUnknown:
        return LangTexts.ModError;
    case BandNotNumeric:
        return QStringLiteral("The band field %1 of the file is not a number.").arg(detail);
    case Truncated:
        return QStringLiteral("The file %1 is too short to be a data file.").arg(file);
    case NotWritable:
        return QStringLiteral("Cannot write the file %1.").arg(file);
    }
    return QString();
}

QByteArray EncodeDataFile(const ImageBytes &image, const QString &modelCode, double bandLow, double bandHigh,
                          const QDateTime &savedAt)
{
    const QString date = savedAt.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    QByteArray bytes = EncodeFileHeader(QLatin1Char('P') + modelCode, date, bandDigits(bandLow, bandHigh));
    bytes.append(reinterpret_cast<const char *>(image.data()), qsizetype(image.size()));
    return bytes;
}

DataFileResult WriteDataFile(const QString &path)
{
    const QDateTime now = QDateTime::currentDateTime();
    RefreshIdentBlock();
    const QByteArray bytes = EncodeDataFile(AppState.Image, AppState.ModelCode, AppState.BandLow,
                                            AppState.BandHigh, now);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {DataFileResult::NotWritable, path};
    file.write(bytes);
    if (!file.commit())
        return {DataFileResult::NotWritable, path};
    AppState.Modified = false;
    return {};
}

DataFileResult ReadDataFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {DataFileResult::NotReadable, path};
    // Bytes after the image are ignored, so never read more than one file's worth.
    const QByteArray data = file.read(DataFileSize);
    if (file.error() != QFileDevice::NoError)
        return {DataFileResult::NotReadable, path};

    const FileHeader header = DecodeFileHeader(data.left(FileHeaderSize));
    const QString modelCode = trimControl(header.modelText.mid(1));
    if (!ModelList.ByCode(modelCode))
        return {DataFileResult::ModelUnknown, path};
    // A short file would leave part of the previous image behind the new one; one
    // cut inside its band field is short, not a file with a bad band.
    if (data.size() < DataFileSize)
        return {DataFileResult::Truncated, path};
    const QString lowDigits = header.bandText.left(3);
    const QString highDigits = header.bandText.mid(3, 3);
    if (!isDecimalDigits(lowDigits) || !isDecimalDigits(highDigits))
        return {DataFileResult::BandNotNumeric, header.bandText};

    std::copy(data.begin() + FileHeaderSize, data.end(), AppState.Image.begin());
    SelectModelFromImage(modelCode);
    NormalizeSettings();
    AppState.Modified = false;
    return {};
}
