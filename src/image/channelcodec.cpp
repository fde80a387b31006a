#include "image/channelcodec.h"
#include "core/appstate.h"
#include "image/bytes.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/tones.h"
#include <cmath>
#include <optional>

using namespace imagemap;

namespace {

constexpr double TenHzPerMhz = 100000.0;

bool isMemoryChannel(int n)
{
    return n >= FirstMemoryChannel && n <= LastMemoryChannel;
}

int recordAt(int n)
{
    return channelRecord(n);
}

// Bit tables of the memory channels count from 1; channel 110 uses item 109.
int channelItem(int n)
{
    return n - 1;
}

// A frequency text of fields 0 and 2: anything from "MHz" on is ignored; nothing
// left means "empty" (all bits set). Count of 6.25 kHz units, remainder dropped.
struct EncodedFrequency
{
    bool ok = false;
    bool empty = false;
    qint64 count = 0;
};

EncodedFrequency encodeFrequencyText(const QString &text)
{
    EncodedFrequency result;
    QString value = text;
    const int mhz = value.indexOf(QLatin1String("MHz"));
    if (mhz >= 0)
        value.truncate(mhz);
    if (value.trimmed().isEmpty()) {
        result.ok = true;
        result.empty = true;
        result.count = 0xFFFFFFFF;
        return result;
    }
    const auto mhzValue = parseDecimal(value);
    if (!mhzValue)
        return result;
    result.ok = true;
    result.count = roundHalfAway(*mhzValue * TenHzPerMhz) / FrequencyUnit;
    return result;
}

qint64 storedRxTenHz(int record)
{
    return qint64(bytes::get24(AppState.Image, record + record::RxFrequency)) * FrequencyUnit;
}

int storedOffsetCount(int record)
{
    const ImageBytes &img = AppState.Image;
    return 256 * (img[record + record::OffsetHighDuplex] & 0x3F) + img[record + record::OffsetLow];
}

int storedDuplex(int record)
{
    return AppState.Image[record + record::OffsetHighDuplex] >> 6;
}

void writeOffsetCount(int record, qint64 count)
{
    // The radio would take a larger offset modulo 14 bits and transmit far away
    // from the intended frequency: never store more than the largest valid offset.
    const int stored = int(qBound<qint64>(qint64(0), count, qint64(MaxOffsetCount)));
    ImageBytes &img = AppState.Image;
    img[record + record::OffsetLow] = std::uint8_t(stored & 0xFF);
    std::uint8_t &b4 = img[record + record::OffsetHighDuplex];
    b4 = std::uint8_t((b4 & 0xC0) | ((stored >> 8) & 0x3F));
}

void writeDuplex(int record, int direction)
{
    std::uint8_t &b4 = AppState.Image[record + record::OffsetHighDuplex];
    b4 = std::uint8_t((b4 & 0x3F) | ((direction & 3) << 6));
}

// Rewrites offset and direction so that the channel transmits at distance d
// (units of 10 Hz) from its receive frequency.
void writeTransmitDistance(int n, double d)
{
    const int record = recordAt(n);
    WriteChannelField(n, FieldOffset, mhzText(std::fabs(d) / TenHzPerMhz));
    writeDuplex(record, d > 0 ? 1 : (d < 0 ? 2 : 0));
}

void writeFlag(int record, int bitIndex, const QString &text)
{
    std::uint8_t &flags = AppState.Image[record + record::Flags];
    const std::uint8_t mask = std::uint8_t(1u << bitIndex);
    flags = text == QLatin1String("1") ? std::uint8_t(flags | mask) : std::uint8_t(flags & ~mask);
}

int flagBitOf(int field)
{
    switch (field) {
    case FieldTxStop: return record::TxStopBit;
    case FieldBusyLock: return record::BusyLockBit;
    case FieldBandwidth: return record::BandwidthBit;
    case FieldTxPower: return record::TxPowerBit;
    case FieldCompander: return record::CompanderBit;
    case FieldScrambler: return record::ScramblerBit;
    case FieldEpilogue: return record::EpilogueBit;
    case FieldVox: return record::VoxBit;
    default: return -1;
    }
}

bool writeRxFrequency(int n, const QString &text)
{
    const EncodedFrequency value = encodeFrequencyText(text);
    if (!value.ok)
        return false;
    const int record = recordAt(n);
    ImageBytes &img = AppState.Image;
    if (n == VfoChannelNumber) {
        bytes::put24(img, record + record::RxFrequency, quint32(value.count));
        return true;
    }
    if (value.empty) {
        bytes::setBit(img, ChannelEmptyBits, channelItem(n), true);
        std::fill_n(img.begin() + record, ChannelRecordSize, 0xFF);
        return true;
    }
    if (bytes::bit(img, ChannelEmptyBits, channelItem(n))) {
        bytes::setBit(img, ChannelEmptyBits, channelItem(n), false);
    } else {
        // Keep the transmit frequency: move offset and direction with the new RX.
        const qint64 oldRx = storedRxTenHz(record);
        const qint64 offset = qint64(storedOffsetCount(record)) * FrequencyUnit;
        const int direction = storedDuplex(record);
        const qint64 oldTx = direction == 1 ? oldRx + offset : (direction == 2 ? oldRx - offset : oldRx);
        const qint64 newRx = (value.count & 0xFFFFFF) * FrequencyUnit;
        writeTransmitDistance(n, double(oldTx - newRx));
    }
    bytes::put24(img, record + record::RxFrequency, quint32(value.count));
    return true;
}

bool writeTxFrequency(int n, const QString &text)
{
    const auto tx = parseDecimal(text);
    if (!tx)
        return false;
    // Rounded to whole 10 Hz first: 145.1 * 100000 is not exactly 14510000 in
    // binary, and a simplex channel must not come out as "plus 0".
    const double d = double(roundHalfAway(*tx * TenHzPerMhz) - storedRxTenHz(recordAt(n)));
    writeTransmitDistance(n, d);
    return true;
}

} // namespace

bool isChannelNumber(int n)
{
    return isMemoryChannel(n) || n == VfoChannelNumber;
}

bool IsChannelEmpty(int n)
{
    return isMemoryChannel(n) && bytes::bit(AppState.Image, ChannelEmptyBits, channelItem(n));
}

bool DecodeChannel(int n, TChannel &channel)
{
    if (!isChannelNumber(n) || IsChannelEmpty(n))
        return false;
    const ImageBytes &img = AppState.Image;
    const int record = recordAt(n);

    double rx = storedRxTenHz(record) / TenHzPerMhz;
    if (rx > AppState.BandHigh || rx < AppState.BandLow)
        rx = AppState.BandLow;
    channel.RxFrequency = RoundFrequency(0, rx);

    double offset = storedOffsetCount(record) * double(FrequencyUnit) / TenHzPerMhz;
    if (offset > AppState.MaxOffset)
        offset = 0.0;
    channel.Offset = RoundFrequency(0, offset);

    const int direction = storedDuplex(record);
    channel.Duplex = std::uint8_t(direction == 3 ? 0 : direction);
    channel.TxFrequency = channel.Duplex == 1 ? channel.RxFrequency + channel.Offset
                        : channel.Duplex == 2 ? channel.RxFrequency - channel.Offset
                                              : channel.RxFrequency;

    const auto toneType = [](std::uint8_t t) { return std::uint8_t(t > 3 ? 0 : t); };
    channel.DecodeTone = decodeTone(toneType(img[record + record::DecodeToneType]),
                                    img[record + record::DecodeToneNumber]);
    channel.EncodeTone = decodeTone(toneType(img[record + record::EncodeToneType]),
                                    img[record + record::EncodeToneNumber]);

    const std::uint8_t flags = img[record + record::Flags];
    const auto bitOf = [flags](int b) { return std::uint8_t((flags >> b) & 1); };
    channel.Epilogue = bitOf(record::EpilogueBit);
    channel.Vox = bitOf(record::VoxBit);
    channel.TxStop = bitOf(record::TxStopBit);
    channel.BusyLock = bitOf(record::BusyLockBit);
    channel.Bandwidth = bitOf(record::BandwidthBit);
    channel.TxPower = bitOf(record::TxPowerBit);
    channel.Compander = bitOf(record::CompanderBit);
    channel.Scrambler = bitOf(record::ScramblerBit);

    channel.Name.clear();
    for (int i = 0; i < record::NameLength; ++i) {
        const QChar c = nameChar(img[record + record::Name + i]);
        if (!c.isNull())
            channel.Name += c;
    }

    if (n != VfoChannelNumber)
        channel.ScanDelete = bytes::bit(img, ScanDeleteBits, channelItem(n)) ? 1 : 0;
    return true;
}

bool DecodeChannel(int n)
{
    return DecodeChannel(n, ChannelScratch);
}

bool WriteChannelField(int n, int field, const QString &text)
{
    if (!isChannelNumber(n))
        return false;
    const int record = recordAt(n);
    ImageBytes &img = AppState.Image;
    switch (field) {
    case FieldRxFrequency:
        return writeRxFrequency(n, text);
    case FieldTxFrequency:
        return writeTxFrequency(n, text);
    case FieldOffset: {
        const EncodedFrequency value = encodeFrequencyText(text);
        if (!value.ok)
            return false;
        writeOffsetCount(record, value.empty ? 0 : value.count);
        return true;
    }
    case FieldDuplex: {
        const auto direction = parseInteger(text);
        if (!direction)
            return false;
        writeDuplex(record, *direction);
        return true;
    }
    case FieldDecodeTone:
    case FieldEncodeTone: {
        const auto index = parseInteger(text);
        if (!index)
            return false;
        const ToneBytes tone = encodeTone(*index);
        const int at = record + (field == FieldDecodeTone ? record::DecodeToneType : record::EncodeToneType);
        img[at] = tone.type;
        img[at + 1] = tone.number;
        return true;
    }
    case FieldScanDelete:
        bytes::setBit(img, ScanDeleteBits, channelItem(n), text == QLatin1String("1"));
        return true;
    case FieldName:
        std::fill_n(img.begin() + record + record::Name, record::NameLength, 0xFF);
        for (int i = 0; i < record::NameLength && i < text.size(); ++i)
            img[record + record::Name + i] = nameCode(text.at(i));
        return true;
    default: {
        const int bitIndex = flagBitOf(field);
        if (bitIndex >= 0)
            writeFlag(record, bitIndex, text);
        return true;
    }
    }
}

double RoundFrequency(int, double f)
{
    qint64 a = roundHalfAway(f * TenHzPerMhz);
    const qint64 r = a % FrequencyUnit;
    if (r != 0)
        a = a - r + (r >= 313 ? FrequencyUnit : 0);
    return a / TenHzPerMhz;
}

int StepClass(double f)
{
    return roundHalfAway(f * TenHzPerMhz) % FrequencyUnit != 0 ? 1 : 0;
}

double DecodeFmChannel(int i)
{
    if (i < 0 || i > FmVfoIndex)
        return -1.0;
    if (i != FmVfoIndex && bytes::bit(AppState.Image, FmEmptyBits, i))
        return -1.0;
    quint32 raw = bytes::get16(AppState.Image, FmChannelTable + 2 * i);
    if (raw > 4320 || raw < 3040)
        raw = 3040;
    return raw * double(FmFrequencyUnit) / TenHzPerMhz;
}

bool WriteFmChannel(int i, const QString &text)
{
    if (i < 0 || i > FmVfoIndex)
        return false;
    if (text.isEmpty()) {
        if (i != FmVfoIndex)
            bytes::setBit(AppState.Image, FmEmptyBits, i, true);
        return true;
    }
    const auto mhz = parseDecimal(text);
    if (!mhz)
        return false;
    if (i != FmVfoIndex)
        bytes::setBit(AppState.Image, FmEmptyBits, i, false);
    const qint64 count = roundHalfAway(*mhz * TenHzPerMhz / FmFrequencyUnit);
    bytes::put16(AppState.Image, FmChannelTable + 2 * i, quint32(count));
    return true;
}

std::uint8_t nameCode(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return std::uint8_t(u - '0');
    if (u >= 'A' && u <= 'Z')
        return std::uint8_t(14 + (u - 'A'));
    switch (u) {
    case '-': return 11;
    case '*': return 12;
    case '+': return 13;
    default: return 10;
    }
}

QChar nameChar(std::uint8_t code)
{
    static const char Characters[] = "0123456789 -*+ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return code < 40 ? QLatin1Char(Characters[code]) : QChar();
}
