#pragma once
// The rules by which a user's edit of a memory channel reaches the image: band
// limits, 6.25 kHz rounding, the values a new channel starts with, and an RX change
// that keeps the channel's TX. The channel grid, the editors and the command-line
// tool all edit channels through these.
#include <QString>

// A typed frequency checked against the current band.
struct FrequencyCheck
{
    enum Problem { InBand, NotNumber, AboveBand, BelowBand };
    Problem problem = InBand;
    double value = 0.0;   // the number, or the band limit that replaces it
};
FrequencyCheck CheckFrequency(const QString &text);

// Item indexes a channel gets when RX is typed into an empty row.
namespace newchannel {
constexpr int TxStop = 1;      // "No"
constexpr int DecodeTone = 0;  // "None"
constexpr int EncodeTone = 0;
constexpr int TxPower = 1;     // "High"
constexpr int Bandwidth = 1;   // "Wide"
constexpr int ScanDelete = 1;  // "Del"
constexpr int Compander = 1;   // "No"
constexpr int Scrambler = 1;   // "No"
constexpr int BusyLock = 1;    // "No"
constexpr int Epilogue = 1;    // "On"
} // namespace newchannel

// The largest distance between TX and RX, MHz.
constexpr double MaxTxDistance = 70.0;
// TX held to RX +/- 70 MHz, on the side it lies.
double ClampTxToRx(double rx, double tx);
bool TxWithinReach(double rx, double tx);

// RX (checked and rounded by the caller) of memory channel n. An empty channel
// becomes a new channel with TX = RX and the new-channel values; a channel with
// data keeps its TX, rounded again to the new RX's step class.
void SetChannelRx(int n, double rx);
// TX of a memory channel that holds data, rounded to the step class of its RX.
void SetChannelTx(int n, double tx);
// Empties memory channel n.
void EraseChannel(int n);
// A typed name as it is stored: blanks trimmed, first 6 characters, upper case.
QString CleanChannelName(const QString &text);
// Characters a channel name can be typed with.
bool IsNameCharacter(QChar c);

// An FM broadcast frequency typed in MHz, held to 76..108 MHz and brought to the
// 25 kHz grid (a remainder of exactly 12.5 kHz rounds down). A text that is not a
// number gives 76.00000 and isNumber false, for which the window shows a message.
struct FmFrequencyText
{
    QString text;
    bool isNumber = true;
};
FmFrequencyText NormalizeFmFrequency(const QString &text);

// A frequency typed into one of the channel editors: like CheckFrequency, except that
// a text that is not a number is replaced by the band's lower limit.
FrequencyCheck CheckEditorFrequency(const QString &text);

// The tone a tone field's text stands for. An empty text, or the field's first item
// (noneText: "None" as the language file has it), is 0. Any other text is brought to
// the form of the tone list and looked up; when it is the text of currentIndex that
// index is kept (the DCS code 532 is listed twice). -1 when the tone is not in the list.
int ToneIndexOfText(const QString &text, const QString &noneText, int currentIndex);

// The offset of the frequency-mode channel as typed: an empty text (or one that is not
// a number) is 0, more than 70 MHz is 70, and the result lies on the 6.25 kHz grid.
double OffsetFromText(const QString &text, int stepClass);
