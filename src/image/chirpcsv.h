#pragma once
// Memory channels as the generic CSV of CHIRP, the open-source multi-radio
// programmer: one row per channel that holds data, columns found by header name.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

class TChannel;

// The header we write, column by column.
const QStringList &ChirpHeader();

// The columns of one channel's row, in header order.
QStringList ChirpRow(int number, const TChannel &channel);
// The whole file for AppState's memory channels: header and one row per channel with data.
QString WriteChirpCsv();

// Why a row was left out. Every reason has an English text with the values in %1, %2.
struct CsvSkip
{
    enum Reason {
        BadLocation,          // %1 location, %2 channel count
        RepeatedLocation,     // %1 channel, %2 line it was first given in
        BadFrequency,         // %1 text
        OutsideBand,          // %1 MHz, %2 band limits
        TxTooFar,             // %1 TX MHz, %2 RX MHz
        BadDuplex,            // %1 text
        BadOffset,            // %1 text
        BadMode,              // %1 text
        BadToneMode,          // %1 text
        BadCrossMode,         // %1 text
        ToneNotInList,        // %1 tone in Hz
        DcsNotInList,         // %1 code
        BadPolarity,          // %1 text
        BadPower,             // %1 text
        BadSkip,              // %1 text
        UnclosedQuote,
        ReasonCount
    };
    int line = 0;
    Reason reason = BadLocation;
    QStringList values;
};

// The English text of a reason, values as %1, %2; the window program shows its
// translation instead.
QString CsvSkipFormat(CsvSkip::Reason reason);
// "line 7: mode 'AM' is not FM or NFM", from a format for the line and one for the reason.
QString CsvSkipText(const CsvSkip &skip, const QString &lineFormat = QString(),
                    const QString &reasonFormat = QString());

// One row that can be stored: the channel's values as the file gives them.
// Attributes the file does not carry are left out and get the new-channel values.
struct ChirpChannel
{
    int line = 0;
    int number = 0;
    double rx = 0.0;
    double tx = 0.0;
    int decodeTone = 0;
    int encodeTone = 0;
    std::optional<int> txStop;       // bit values of the record, as TChannel holds them
    std::optional<int> bandwidth;
    std::optional<int> txPower;
    std::optional<int> scanDelete;
    std::optional<QString> name;
};

struct CsvImportPlan
{
    bool headerFound = false;        // a header line with Location and Frequency columns
    QList<ChirpChannel> channels;
    QList<CsvSkip> skipped;
    bool usable() const { return !channels.isEmpty(); }
};

// Reads a CHIRP CSV file against the current band. Changes nothing.
CsvImportPlan ReadChirpCsv(const QByteArray &data);
// Stores the plan's channels; with clearOthers every other memory channel is emptied first.
void ApplyCsvImport(const CsvImportPlan &plan, bool clearOthers);
