#include "image/image.h"
#include "core/appstate.h"
#include "image/bytes.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include <QDateTime>

using namespace imagemap;

void NewImage()
{
    std::fill(AppState.Image.begin(), AppState.Image.begin() + RadioBytes, 0xFF);
    NormalizeSettings();
    RefreshIdentBlock();
    StampWriteTime();
}

void NormalizeSettings()
{
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo &s = settingAt(i);
        std::uint8_t &b = AppState.Image[s.offset];
        if (b > s.maximum)
            b = std::uint8_t(s.defaultValue);
    }
}

quint32 LimitValue(double mhz)
{
    const qint64 tenHz = roundHalfAway(mhz * 100000.0);
    return quint32(tenHz / FrequencyUnit);
}

void RefreshIdentBlock()
{
    ImageBytes &img = AppState.Image;
    img[IdentLetter] = 'P';
    const QByteArray code = AppState.ModelCode.toLatin1().leftJustified(4, '\0', true);
    for (int i = 0; i < 4; ++i)
        img[IdentModelCode + i] = std::uint8_t(code[i]);
    img[IdentBandCode] = AppState.BandCode;
    img[IdentReserved] = 0;
    img[IdentReserved + 1] = 0;
    if ((AppState.BandCode >> 4) == 0xA) {
        bytes::put32(img, IdentBandLow, LimitValue(AppState.BandLow));
        bytes::put32(img, IdentBandHigh, LimitValue(AppState.BandHigh));
    }
}

bool EncodeWriteTime(const QString &text)
{
    // Fixed character positions of "yyyy-MM-dd HH:mm:ss".
    if (text.size() < 19)
        return false;
    const auto field = [&text](int from, int length) { return parseInteger(text.mid(from, length)); };
    const auto year = field(0, 4), month = field(5, 2), day = field(8, 2);
    const auto hour = field(11, 2), minute = field(14, 2), second = field(17, 2);
    if (!year || !month || !day || !hour || !minute || !second || *year < 0)
        return false;
    ImageBytes &img = AppState.Image;
    bytes::put16(img, WriteTime, quint32(*year));
    img[WriteTime + 2] = std::uint8_t(*month);
    img[WriteTime + 3] = std::uint8_t(*day);
    img[WriteTime + 4] = std::uint8_t(*hour);
    img[WriteTime + 5] = std::uint8_t(*minute);
    img[WriteTime + 6] = std::uint8_t(*second);
    return true;
}

QString DecodeWriteTime()
{
    const ImageBytes &img = AppState.Image;
    const auto two = [&img](int at) { return QString::number(img[at]).rightJustified(2, QLatin1Char('0')); };
    return QString::number(bytes::get16(img, WriteTime)) + QLatin1Char('-') + two(WriteTime + 2)
           + QLatin1Char('-') + two(WriteTime + 3) + QLatin1Char(' ') + two(WriteTime + 4)
           + QLatin1Char(':') + two(WriteTime + 5) + QLatin1Char(':') + two(WriteTime + 6);
}

void StampWriteTime()
{
    EncodeWriteTime(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

QString DecodeSerialNumber()
{
    QString text;
    for (int i = 0; i < SerialNumberSize; ++i) {
        const char c = char(AppState.Image[SerialNumber + i]);
        const bool shown = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        text += shown ? QLatin1Char(c) : QLatin1Char(' ');
    }
    return text;
}

void EncodeSerialNumber(const QString &text)
{
    const QString padded = (text + QString(SerialNumberSize, QLatin1Char(' '))).left(SerialNumberSize);
    for (int i = 0; i < SerialNumberSize; ++i) {
        const ushort c = padded.at(i).unicode();
        AppState.Image[SerialNumber + i] = std::uint8_t(c < 256 ? c : '?');
    }
}
