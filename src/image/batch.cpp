#include "image/batch.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/numbers.h"
#include "image/tones.h"
#include <QRandomGenerator>

namespace {

// Sequences run in units of 10 Hz, so that reaching a band edge exactly is not
// lost to the error of repeated floating-point addition.
qint64 tenHz(double mhz)
{
    return roundHalfAway(mhz * 100000.0);
}

QString mhzOf(qint64 tenHzValue)
{
    return mhzText(double(tenHzValue) / 100000.0);
}

// One step of a frequency sequence; a step that would leave the band is not taken.
qint64 advance(qint64 f, qint64 step, bool descending, qint64 low, qint64 high)
{
    if (descending)
        return f - step >= low ? f - step : f;
    return f + step <= high ? f + step : f;
}

// One step of a tone sequence, stopping at the ends of the tone list.
int advanceTone(int tone, int space, bool descending)
{
    const qint64 next = descending ? qint64(tone) - space : qint64(tone) + space;
    return int(qBound(qint64(0), next, qint64(ToneCount - 1)));
}

QString flagText(bool set)
{
    return set ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

double ClampToBox(const QString &text, double minimum, double maximum)
{
    const auto value = parseDecimal(text);
    if (!value || *value < minimum)
        return minimum;
    return *value > maximum ? maximum : *value;
}

QString FrequencyBoxText(const QString &text, double minimum, double maximum)
{
    const QString entry = text.trimmed().isEmpty() ? mhzText(minimum) : text;
    return mhzText(RoundFrequency(3, ClampToBox(entry, minimum, maximum)));
}

void ApplyBatch(const BatchPlan &plan, const ToneDraw &draw)
{
    const ToneDraw drawTone = draw ? draw : [](int count) { return int(QRandomGenerator::global()->bounded(count)); };
    // Every tone but the last can be drawn ("None" included).
    const int drawCount = ToneCount - 1;
    const qint64 low = tenHz(AppState.BandLow);
    const qint64 high = tenHz(AppState.BandHigh);
    const qint64 rxStep = tenHz(plan.rxStep);
    const qint64 txStep = tenHz(plan.txStep);
    const qint64 excursion = tenHz(plan.excursion);
    qint64 rx = tenHz(plan.rx);
    qint64 tx = tenHz(plan.tx);
    int rxTone = plan.rxTone;
    int txTone = plan.txTone;

    for (int n = plan.first; n <= plan.last; ++n) {
        if (!isChannelNumber(n) || n > AppState.ChannelCount)
            continue;
        if (plan.clear) {
            EraseChannel(n);
            continue;
        }
        WriteChannelField(n, FieldRxFrequency, mhzOf(rx));

        qint64 channelTx = rx;
        if (plan.txMode == BatchPlan::TxExcursion)
            channelTx = plan.excursionBelow ? qMax(rx - excursion, low) : qMin(rx + excursion, high);
        else if (plan.txMode == BatchPlan::TxSequence)
            channelTx = tx;
        channelTx = tenHz(ClampTxToRx(double(rx) / 100000.0, double(channelTx) / 100000.0));
        WriteChannelField(n, FieldTxFrequency, mhzOf(channelTx));

        if (plan.rxToneRandom)
            rxTone = drawTone(drawCount);
        WriteChannelField(n, FieldDecodeTone, QString::number(rxTone));
        if (plan.txToneSameAsRx)
            txTone = rxTone;
        else if (plan.txToneRandom)
            txTone = drawTone(drawCount);
        WriteChannelField(n, FieldEncodeTone, QString::number(txTone));

        // Busy lock, scan add, compander and scrambler store 0 for "on".
        WriteChannelField(n, FieldBandwidth, QString::number(plan.bandwidth));
        WriteChannelField(n, FieldTxPower, QString::number(plan.power));
        WriteChannelField(n, FieldBusyLock, flagText(!plan.busyLock));
        WriteChannelField(n, FieldScanDelete, flagText(!plan.scanAdd));
        WriteChannelField(n, FieldCompander, flagText(!plan.compander));
        WriteChannelField(n, FieldScrambler, flagText(!plan.scrambler));
        WriteChannelField(n, FieldEpilogue, flagText(plan.epilogue));
        WriteChannelField(n, FieldVox, QStringLiteral("1"));
        WriteChannelField(n, FieldName, plan.nameIsChannelNumber ? QString::number(n) : plan.name);

        rx = advance(rx, rxStep, plan.rxDescending, low, high);
        if (plan.txMode == BatchPlan::TxSequence)
            tx = advance(tx, txStep, plan.txDescending, low, high);
        if (!plan.rxToneRandom)
            rxTone = advanceTone(rxTone, plan.rxSpace, plan.rxToneDescending);
        if (!plan.txToneSameAsRx && !plan.txToneRandom)
            txTone = advanceTone(txTone, plan.txSpace, plan.txToneDescending);
    }
}
