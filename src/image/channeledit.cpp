#include "image/channeledit.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/numbers.h"
#include "image/tones.h"
#include <cmath>

FrequencyCheck CheckFrequency(const QString &text)
{
    FrequencyCheck check;
    const auto value = parseDecimal(text);
    if (!value) {
        check.problem = FrequencyCheck::NotNumber;
        check.value = AppState.BandHigh;
    } else if (*value > AppState.BandHigh) {
        check.problem = FrequencyCheck::AboveBand;
        check.value = AppState.BandHigh;
    } else if (*value < AppState.BandLow) {
        check.problem = FrequencyCheck::BelowBand;
        check.value = AppState.BandLow;
    } else {
        check.value = *value;
    }
    return check;
}

double ClampTxToRx(double rx, double tx)
{
    return qBound(rx - MaxTxDistance, tx, rx + MaxTxDistance);
}

bool TxWithinReach(double rx, double tx)
{
    // Compare in units of 10 Hz so that 70.00000 MHz exactly is within reach.
    return std::llabs(roundHalfAway(tx * 100000.0) - roundHalfAway(rx * 100000.0)) <= 7000000;
}

void SetChannelRx(int n, double rx)
{
    const QString rxText = mhzText(rx);
    TChannel channel;
    if (!DecodeChannel(n, channel)) {
        const QString one = QStringLiteral("1");
        WriteChannelField(n, FieldRxFrequency, rxText);
        WriteChannelField(n, FieldTxFrequency, rxText);
        WriteChannelField(n, FieldTxStop, QString::number(newchannel::TxStop));
        WriteChannelField(n, FieldDecodeTone, QString::number(newchannel::DecodeTone));
        WriteChannelField(n, FieldEncodeTone, QString::number(newchannel::EncodeTone));
        WriteChannelField(n, FieldTxPower, QString::number(newchannel::TxPower));
        WriteChannelField(n, FieldBandwidth, QString::number(newchannel::Bandwidth));
        WriteChannelField(n, FieldScanDelete, QString::number(newchannel::ScanDelete));
        WriteChannelField(n, FieldCompander, QString::number(newchannel::Compander));
        WriteChannelField(n, FieldScrambler, QString::number(newchannel::Scrambler));
        WriteChannelField(n, FieldBusyLock, QString::number(newchannel::BusyLock));
        WriteChannelField(n, FieldEpilogue, QString::number(newchannel::Epilogue));
        WriteChannelField(n, FieldName, QString());
        return;
    }
    WriteChannelField(n, FieldRxFrequency, rxText);
    const double tx = RoundFrequency(StepClass(rx), channel.TxFrequency);
    WriteChannelField(n, FieldTxFrequency, mhzText(tx));
}

void SetChannelTx(int n, double tx)
{
    TChannel channel;
    if (!DecodeChannel(n, channel))
        return;
    WriteChannelField(n, FieldTxFrequency, mhzText(RoundFrequency(StepClass(channel.RxFrequency), tx)));
}

void EraseChannel(int n)
{
    WriteChannelField(n, FieldRxFrequency, QString());
}

QString CleanChannelName(const QString &text)
{
    return text.trimmed().left(6).toUpper();
}

bool IsNameCharacter(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')
           || u == ' ' || u == '*' || u == '+' || u == '-';
}

FmFrequencyText NormalizeFmFrequency(const QString &text)
{
    FmFrequencyText result;
    auto value = parseDecimal(text);
    if (!value) {
        value = 76.0;
        result.isNumber = false;
    }
    qint64 a = qBound(qint64(7600000), roundHalfAway(*value * 100000.0), qint64(10800000));
    qint64 q = a / 2500;
    if (a % 2500 > 1250)
        ++q;
    a = q * 2500;
    result.text = mhzText(a / 100000.0);
    return result;
}

FrequencyCheck CheckEditorFrequency(const QString &text)
{
    FrequencyCheck check = CheckFrequency(text);
    if (check.problem == FrequencyCheck::NotNumber)
        check.value = AppState.BandLow;
    return check;
}

int ToneIndexOfText(const QString &text, const QString &noneText, int currentIndex)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty() || typed == noneText)
        return 0;
    const QString tone = NormalizeToneText(typed);
    if (currentIndex > 0 && ToneText(currentIndex) == tone)
        return currentIndex;
    const int index = toneIndexOf(tone);
    return index > 0 ? index : -1;
}

double OffsetFromText(const QString &text, int stepClass)
{
    const double offset = qBound(0.0, parseDecimal(text).value_or(0.0), MaxTxDistance);
    return RoundFrequency(stepClass, offset);
}
