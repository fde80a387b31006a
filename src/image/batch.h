#pragma once
// Filling or clearing a range of memory channels in one go: frequencies in ascending
// or descending sequences held inside the band, tones fixed, stepped or drawn at
// random, and the same attributes and name for every channel of the range.
#include <QString>
#include <functional>

// A number typed into a box with limits: a text that is not a number gives the
// minimum, a number outside the limits the limit it passed.
double ClampToBox(const QString &text, double minimum, double maximum);
// What a frequency box of the batch window shows after an entry: an empty text
// counts as the minimum; the value is held to the limits, brought to the 6.25 kHz
// grid and written "0.00000".
QString FrequencyBoxText(const QString &text, double minimum, double maximum);

struct BatchPlan
{
    // Channels first..last; nothing is written when last is below first.
    int first = 1;
    int last = 1;
    // Empty every channel of the range instead of filling it.
    bool clear = false;

    // RX runs from rx in steps of rxStep (MHz) and stops at the band edge.
    double rx = 0.0;
    double rxStep = 0.0;
    bool rxDescending = false;

    enum TxMode { TxSameAsRx, TxExcursion, TxSequence };
    TxMode txMode = TxSameAsRx;
    // TxExcursion: TX = RX +/- excursion, held inside the band.
    double excursion = 0.0;
    bool excursionBelow = false;
    // TxSequence: TX runs from tx in steps of txStep like RX.
    double tx = 0.0;
    double txStep = 0.0;
    bool txDescending = false;

    // Combined tone indexes; a fixed tone runs in steps of its space and stops at
    // the ends of the tone list. A random tone is drawn anew for every channel.
    bool rxToneRandom = false;
    int rxTone = 0;
    int rxSpace = 0;
    bool rxToneDescending = false;
    bool txToneSameAsRx = true;
    bool txToneRandom = false;
    int txTone = 0;
    int txSpace = 0;
    bool txToneDescending = false;

    // Item indexes of the lists (bit values of the record) and the check boxes.
    int bandwidth = 1;
    int power = 1;
    bool busyLock = false;
    bool scanAdd = false;
    bool compander = false;
    bool scrambler = false;
    bool epilogue = true;
    QString name;
    bool nameIsChannelNumber = false;
};

// A tone drawn at random: a number from 0 to count - 1.
using ToneDraw = std::function<int(int count)>;

// Writes the plan into the image, channel by channel in ascending order. The TX stop
// flag is left as it is; VOX is switched off. A TX more than 70 MHz from its RX is
// written as RX +/- 70 MHz. Without a draw, tones are drawn from the system's
// random source.
void ApplyBatch(const BatchPlan &plan, const ToneDraw &draw = ToneDraw());
