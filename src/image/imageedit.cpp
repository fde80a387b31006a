#include "image/imageedit.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include <QRegularExpression>

namespace {

EditResult refuse(const QString &why)
{
    return {false, why};
}

QString bandLimitsText()
{
    return mhzText(AppState.BandLow) + QStringLiteral(" - ") + mhzText(AppState.BandHigh) + QStringLiteral(" MHz");
}

// A frequency that must lie inside the band.
EditResult checkInBand(const QString &value, double *mhz)
{
    const FrequencyCheck check = CheckFrequency(value);
    switch (check.problem) {
    case FrequencyCheck::NotNumber:
        return refuse(QStringLiteral("not a frequency in MHz"));
    case FrequencyCheck::AboveBand:
    case FrequencyCheck::BelowBand:
        return refuse(QStringLiteral("outside the band %1").arg(bandLimitsText()));
    case FrequencyCheck::InBand:
        break;
    }
    *mhz = check.value;
    return {};
}

EditResult tooFar(double rx, double tx)
{
    return refuse(QStringLiteral("TX %1 MHz is more than 70 MHz from RX %2 MHz").arg(mhzText(tx), mhzText(rx)));
}

// TX a channel would have with this offset and direction.
double txOf(double rx, double offset, int duplex)
{
    return duplex == 1 ? rx + offset : duplex == 2 ? rx - offset : rx;
}

const struct FlagField
{
    const char *name;
    int field;
} FlagFields[] = {
    {"TxStop", FieldTxStop},       {"BusyLock", FieldBusyLock},   {"Bandwidth", FieldBandwidth},
    {"TxPower", FieldTxPower},     {"Compander", FieldCompander}, {"Scrambler", FieldScrambler},
    {"Epilogue", FieldEpilogue},   {"Vox", FieldVox},             {"ScanDelete", FieldScanDelete},
};

bool is(const QString &field, const char *name)
{
    return field.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

EditResult toneIndex(const QString &field, const QString &value, int *index)
{
    if (field.endsWith(QLatin1String("Index"), Qt::CaseInsensitive)) {
        const auto i = parseInteger(value);
        if (!i || *i < 0 || *i >= ToneCount)
            return refuse(QStringLiteral("not a tone index from 0 to 262"));
        *index = *i;
        return {};
    }
    const QString text = value.trimmed();
    if (text.isEmpty() || text.compare(QLatin1String("None"), Qt::CaseInsensitive) == 0) {
        *index = 0;
        return {};
    }
    const int found = toneIndexOf(NormalizeToneText(text.toUpper()));
    if (found < 0)
        return refuse(QStringLiteral("not in the tone list"));
    *index = found;
    return {};
}

EditResult editRx(int n, const QString &value)
{
    const bool vfo = n == imagemap::VfoChannelNumber;
    const QString text = value.trimmed();
    if (text.isEmpty() && !vfo) {
        EraseChannel(n);
        return {};
    }
    double rx = AppState.BandLow;   // an empty frequency-mode frequency takes the band's lower limit
    if (!text.isEmpty()) {
        const EditResult inBand = checkInBand(text, &rx);
        if (!inBand.ok)
            return inBand;
    }
    rx = RoundFrequency(vfo ? 3 : 0, rx);
    if (vfo) {
        WriteChannelField(n, FieldRxFrequency, mhzText(rx));
        return {};
    }
    TChannel channel;
    if (DecodeChannel(n, channel)) {
        const double tx = RoundFrequency(StepClass(rx), channel.TxFrequency);
        if (!TxWithinReach(rx, tx))
            return tooFar(rx, tx);
    }
    SetChannelRx(n, rx);
    return {};
}

EditResult editTx(int n, const TChannel &channel, const QString &value)
{
    double tx = channel.RxFrequency;    // an empty TX makes the channel simplex
    if (!value.trimmed().isEmpty()) {
        const EditResult inBand = checkInBand(value, &tx);
        if (!inBand.ok)
            return inBand;
    }
    tx = RoundFrequency(StepClass(channel.RxFrequency), tx);
    if (!TxWithinReach(channel.RxFrequency, tx))
        return tooFar(channel.RxFrequency, tx);
    WriteChannelField(n, FieldTxFrequency, mhzText(tx));
    return {};
}

// Offset and duplex of a memory channel must keep its TX inside the band.
EditResult checkResultingTx(int n, double rx, double offset, int duplex)
{
    const double tx = txOf(rx, offset, duplex);
    if (n != imagemap::VfoChannelNumber && (tx > AppState.BandHigh || tx < AppState.BandLow))
        return refuse(QStringLiteral("TX %1 MHz would be outside the band %2").arg(mhzText(tx), bandLimitsText()));
    return {};
}

EditResult editChannel(int n, const QString &field, const QString &value)
{
    if (is(field, "RxFrequency"))
        return editRx(n, value);

    TChannel channel;
    if (!DecodeChannel(n, channel))
        return refuse(QStringLiteral("channel %1 is empty: set its RxFrequency first").arg(n));

    if (is(field, "TxFrequency"))
        return editTx(n, channel, value);
    if (is(field, "Offset")) {
        const auto offset = parseDecimal(value);
        if (!offset || *offset < 0)
            return refuse(QStringLiteral("not an offset in MHz"));
        const double rounded = RoundFrequency(StepClass(channel.RxFrequency), *offset);
        if (rounded > MaxTxDistance)
            return refuse(QStringLiteral("an offset of more than 70 MHz"));
        const EditResult result = checkResultingTx(n, channel.RxFrequency, rounded, channel.Duplex);
        if (result.ok)
            WriteChannelField(n, FieldOffset, mhzText(rounded));
        return result;
    }
    if (is(field, "Duplex")) {
        const auto duplex = parseInteger(value);
        if (!duplex || *duplex < 0 || *duplex > 2)
            return refuse(QStringLiteral("duplex takes 0, 1 or 2"));
        const EditResult result = checkResultingTx(n, channel.RxFrequency, channel.Offset, *duplex);
        if (result.ok)
            WriteChannelField(n, FieldDuplex, QString::number(*duplex));
        return result;
    }
    if (field.startsWith(QLatin1String("DecodeTone"), Qt::CaseInsensitive)
        || field.startsWith(QLatin1String("EncodeTone"), Qt::CaseInsensitive)) {
        if (!is(field, "DecodeTone") && !is(field, "EncodeTone") && !is(field, "DecodeToneIndex")
            && !is(field, "EncodeToneIndex"))
            return refuse(QStringLiteral("unknown channel field"));
        int index = 0;
        const EditResult result = toneIndex(field, value, &index);
        if (result.ok) {
            const bool decode = field.startsWith(QLatin1String("Decode"), Qt::CaseInsensitive);
            WriteChannelField(n, decode ? FieldDecodeTone : FieldEncodeTone, QString::number(index));
        }
        return result;
    }
    if (is(field, "Name")) {
        for (QChar c : value) {
            if (!IsNameCharacter(c))
                return refuse(QStringLiteral("a channel name holds only A-Z, 0-9, space, '-', '*' and '+'"));
        }
        WriteChannelField(n, FieldName, CleanChannelName(value));
        return {};
    }
    for (const FlagField &flag : FlagFields) {
        if (!is(field, flag.name))
            continue;
        if (flag.field == FieldScanDelete && n == imagemap::VfoChannelNumber)
            break;
        const QString bit = value.trimmed();
        if (bit != QLatin1String("0") && bit != QLatin1String("1"))
            return refuse(QStringLiteral("the flag takes 0 or 1"));
        WriteChannelField(n, flag.field, bit);
        return {};
    }
    return refuse(QStringLiteral("unknown channel field"));
}

EditResult editFm(int index, const QString &value)
{
    QString text = value.trimmed();
    if (text.isEmpty()) {
        if (index != imagemap::FmVfoIndex) {
            WriteFmChannel(index, QString());
            return {};
        }
        text = QStringLiteral("76");   // the FM frequency-mode frequency cannot be empty
    }
    const FmFrequencyText fm = NormalizeFmFrequency(text);
    if (!fm.isNumber)
        return refuse(QStringLiteral("not an FM frequency in MHz"));
    WriteFmChannel(index, fm.text);
    return {};
}

EditResult editSetting(const SettingInfo &s, const QString &value)
{
    const auto v = parseInteger(value);
    if (!v || *v < 0 || *v > s.listMaximum)
        return refuse(QStringLiteral("the setting takes a whole number from 0 to %1").arg(s.listMaximum));
    AppState.Image[s.offset] = std::uint8_t(*v);
    return {};
}

EditResult editSerial(const QString &value)
{
    if (value.size() > imagemap::SerialNumberSize)
        return refuse(QStringLiteral("a serial number has at most 16 characters"));
    for (QChar c : value) {
        if (c.unicode() < 0x20 || c.unicode() > 0x7E)
            return refuse(QStringLiteral("a serial number holds only printable ASCII characters"));
    }
    EncodeSerialNumber(value.toUpper());
    return {};
}

EditResult dispatch(const QString &key, const QString &value)
{
    static const QRegularExpression channelKey(QStringLiteral("^ch(\\d+|vfo)\\.(\\w+)$"),
                                               QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression fmKey(QStringLiteral("^fm(\\d+|vfo)$"), QRegularExpression::CaseInsensitiveOption);

    const auto channelMatch = channelKey.match(key);
    if (channelMatch.hasMatch()) {
        const QString which = channelMatch.captured(1);
        int n = imagemap::VfoChannelNumber;
        if (which.compare(QLatin1String("vfo"), Qt::CaseInsensitive) != 0) {
            n = which.toInt();
            if (n < 1 || n > AppState.ChannelCount || n > imagemap::LastMemoryChannel)
                return refuse(QStringLiteral("no such channel: channels are 1 to %1").arg(AppState.ChannelCount));
        }
        return editChannel(n, channelMatch.captured(2), value);
    }
    const auto fmMatch = fmKey.match(key);
    if (fmMatch.hasMatch()) {
        const QString which = fmMatch.captured(1);
        if (which.compare(QLatin1String("vfo"), Qt::CaseInsensitive) == 0)
            return editFm(imagemap::FmVfoIndex, value);
        const int n = which.toInt();
        if (n < 1 || n > imagemap::FmChannelCount)
            return refuse(QStringLiteral("no such FM channel: FM channels are 1 to 20"));
        return editFm(n - 1, value);
    }
    if (key.compare(QLatin1String("SerialNumber"), Qt::CaseInsensitive) == 0)
        return editSerial(value);
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo &s = settingAt(i);
        if (*s.name && key.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0)
            return editSetting(s, value);
    }
    return refuse(QStringLiteral("unknown key"));
}

} // namespace

EditResult ApplyEdit(const QString &key, const QString &value)
{
    const EditResult result = dispatch(key.trimmed(), value);
    if (result.ok)
        AppState.Modified = true;
    else
        return {false, key.trimmed() + QLatin1Char('=') + value + QStringLiteral(": ") + result.message};
    return result;
}
