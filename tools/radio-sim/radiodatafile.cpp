#include "radiodatafile.h"
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cmath>

namespace {

// Where the ident block keeps the band: the band code, then the user-defined limits.
constexpr int BandCodeOffset = 1909;
constexpr int BandLowOffset = 1912;
constexpr int BandHighOffset = 1916;

// The standard bands by band number, in whole MHz.
constexpr int StandardBands[8][2] = {{27, 72},   {67, 72},   {134, 174}, {200, 260},
                                     {320, 400}, {400, 470}, {400, 520}, {134, 520}};
constexpr int DefaultBand = 5;

quint32 little32(const QByteArray &bytes, int at)
{
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

namespace RadioDataFile {

bool load(const QString &path, int memorySize, QByteArray *memory, QByteArray *modelCode, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot open %1: %2").arg(shown(path), file.errorString());
        return false;
    }
    const QByteArray bytes = file.read(HeaderSize + memorySize);
    if (bytes.size() < HeaderSize + memorySize) {
        if (error)
            *error = QStringLiteral("%1 is too short for a data file").arg(shown(path));
        return false;
    }
    *memory = bytes.mid(HeaderSize, memorySize);
    *modelCode = bytes.mid(1, 4);
    return true;
}

QByteArray header(const QByteArray &modelCode, const QByteArray &memory, const QDateTime &when)
{
    QByteArray h(HeaderSize, char(0xFF));
    const QByteArray model = (QByteArray("P") + modelCode + QByteArray(8, ' ')).left(5);
    h.replace(0, 5, model);

    int band = DefaultBand;
    int low = StandardBands[band][0];
    int high = StandardBands[band][1];
    if (memory.size() > BandHighOffset + 3) {
        const quint8 code = quint8(memory.at(BandCodeOffset));
        if ((code & 0x0F) < 8)
            band = code & 0x0F;
        low = StandardBands[band][0];
        high = StandardBands[band][1];
        if ((code >> 4) == 0xA) {
            // User-defined limits count in 6.25 kHz; they are kept only when they fit the band.
            const double userLow = little32(memory, BandLowOffset) * 625 / 100000.0;
            const double userHigh = little32(memory, BandHighOffset) * 625 / 100000.0;
            if (low <= userLow && userLow < userHigh && userHigh <= high) {
                low = int(std::lround(userLow));
                high = int(std::lround(userHigh));
            }
        }
    }
    const QByteArray digits = QStringLiteral("%1%2")
                                  .arg(qBound(0, low, 999), 3, 10, QLatin1Char('0'))
                                  .arg(qBound(0, high, 999), 3, 10, QLatin1Char('0'))
                                  .toLatin1();
    for (int i = 0; i < 3; ++i)
        h[5 + i] = char(((digits.at(2 * i) - '0') << 4) | (digits.at(2 * i + 1) - '0'));

    const QDate date = when.date();
    const QTime time = when.time();
    h[8] = char(date.year() & 0xFF);
    h[9] = char((date.year() >> 8) & 0xFF);
    h[10] = char(date.month());
    h[11] = char(date.day());
    h[12] = char(time.hour());
    h[13] = char(time.minute());
    return h;
}

bool save(const QString &path, const QByteArray &memory, const QByteArray &modelCode, QString *error)
{
    QByteArray image = memory.left(ImageSize);
    image.append(QByteArray(ImageSize - image.size(), '\0'));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(header(modelCode, memory, QDateTime::currentDateTime()));
        file.write(image);
        if (file.commit())
            return true;
    }
    if (error)
        *error = QStringLiteral("cannot save %1: %2").arg(shown(path), file.errorString());
    return false;
}

} // namespace RadioDataFile
