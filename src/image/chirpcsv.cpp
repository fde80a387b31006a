#include "image/chirpcsv.h"
#include "core/appstate.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/csvfile.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/tones.h"
#include <QHash>
#include <QRegularExpression>
#include <QSet>

namespace {

// What CHIRP puts in tone columns that the row's tone mode does not use.
const char PlaceholderTone[] = "88.5";
const char PlaceholderDcs[] = "023";
const char PlaceholderPolarity[] = "NN";
const char PlaceholderCrossMode[] = "Tone->Tone";

// The row's power in watts stands for our two levels: nominal values that CHIRP and
// other radios understand, not a measurement.
const char HighPower[] = "5.0W";
const char LowPower[] = "1.0W";
constexpr double HighPowerFrom = 2.0;

enum ToneKind { NoTone, Ctcss, Dcs };

ToneKind kindOf(int index)
{
    if (index >= FirstDcsNormalIndex && index < ToneCount)
        return Dcs;
    if (index >= FirstCtcssIndex && index < FirstDcsNormalIndex)
        return Ctcss;
    return NoTone;
}

QString dcsCode(int index)
{
    return ToneText(index).mid(1, 3);
}

QChar polarityLetter(int index)
{
    return QLatin1Char(index >= FirstDcsInvertedIndex ? 'R' : 'N');
}

QString kindName(ToneKind kind)
{
    return kind == Ctcss ? QStringLiteral("Tone") : kind == Dcs ? QStringLiteral("DTCS") : QString();
}

// Frequencies compared in whole units of 10 Hz.
qint64 tenHz(double mhz)
{
    return roundHalfAway(mhz * 100000.0);
}

bool inBand(double mhz)
{
    return tenHz(mhz) >= tenHz(AppState.BandLow) && tenHz(mhz) <= tenHz(AppState.BandHigh);
}

QString bandText()
{
    return mhzText(AppState.BandLow) + QStringLiteral(" - ") + mhzText(AppState.BandHigh) + QStringLiteral(" MHz");
}

QString sixDecimals(double mhz)
{
    return formatFixed(mhz, 6);
}

struct ToneColumns
{
    QString tone;
    QString rTone = QLatin1String(PlaceholderTone);
    QString cTone = QLatin1String(PlaceholderTone);
    QString dtcs = QLatin1String(PlaceholderDcs);
    QString polarity = QLatin1String(PlaceholderPolarity);
    QString rxDtcs = QLatin1String(PlaceholderDcs);
    QString crossMode = QLatin1String(PlaceholderCrossMode);
};

// Encode is what the radio transmits, decode what it listens for.
ToneColumns toneColumns(int decode, int encode)
{
    ToneColumns t;
    const ToneKind tx = kindOf(encode);
    const ToneKind rx = kindOf(decode);
    if (tx == NoTone && rx == NoTone)
        return t;
    if (tx == Ctcss && rx == NoTone) {
        t.tone = QStringLiteral("Tone");
        t.rTone = ToneText(encode);
    } else if (tx == Ctcss && rx == Ctcss && encode == decode) {
        t.tone = QStringLiteral("TSQL");
        t.rTone = t.cTone = ToneText(encode);
    } else if (tx == Dcs && rx == Dcs && dcsCode(encode) == dcsCode(decode)
               && polarityLetter(encode) == polarityLetter(decode)) {
        t.tone = QStringLiteral("DTCS");
        t.dtcs = t.rxDtcs = dcsCode(encode);
        t.polarity = QString(2, polarityLetter(encode));
    } else {
        t.tone = QStringLiteral("Cross");
        t.crossMode = kindName(tx) + QStringLiteral("->") + kindName(rx);
        if (tx == Ctcss)
            t.rTone = ToneText(encode);
        if (rx == Ctcss)
            t.cTone = ToneText(decode);
        if (tx == Dcs)
            t.dtcs = dcsCode(encode);
        if (rx == Dcs)
            t.rxDtcs = dcsCode(decode);
        t.polarity = QString(tx == Dcs ? polarityLetter(encode) : QLatin1Char('N'))
                     + QString(rx == Dcs ? polarityLetter(decode) : QLatin1Char('N'));
    }
    return t;
}

// One data row of the file, its columns found by header name.
class Row
{
public:
    Row(const QHash<QString, int> &columns, const CsvRecord &record) : m_columns(columns), m_record(record) {}

    bool has(const char *column) const { return m_columns.contains(QString::fromLatin1(column).toLower()); }
    // The trimmed field; empty for a column the file lacks or a short row.
    QString operator[](const char *column) const
    {
        const int at = m_columns.value(QString::fromLatin1(column).toLower(), -1);
        return at >= 0 && at < m_record.fields.size() ? m_record.fields.at(at).trimmed() : QString();
    }
    std::optional<QString> optional(const char *column) const
    {
        return has(column) ? std::optional<QString>((*this)[column]) : std::nullopt;
    }

private:
    const QHash<QString, int> &m_columns;
    const CsvRecord &m_record;
};

// A row that cannot be stored stops at its first problem.
struct Refusal
{
    CsvSkip::Reason reason;
    QStringList values;
};

class RowReader
{
public:
    explicit RowReader(const Row &row) : m_row(row) {}

    std::optional<Refusal> read(ChirpChannel &c)
    {
        if (auto r = readLocation(c))
            return r;
        if (auto r = readFrequencies(c))
            return r;
        if (auto r = readMode(c))
            return r;
        if (auto r = readTones(c))
            return r;
        if (auto r = readPower(c))
            return r;
        if (auto r = readSkip(c))
            return r;
        if (const auto name = m_row.optional("Name"))
            c.name = CleanChannelName(*name);
        return std::nullopt;
    }

private:
    static std::optional<Refusal> refuse(CsvSkip::Reason reason, const QStringList &values)
    {
        return Refusal{reason, values};
    }

    std::optional<Refusal> readLocation(ChirpChannel &c) const
    {
        const QString text = m_row["Location"];
        const auto n = parseInteger(text);
        const int count = qMin(AppState.ChannelCount, imagemap::LastMemoryChannel);
        if (!n || *n < 1 || *n > count)
            return refuse(CsvSkip::BadLocation, {text, QString::number(count)});
        c.number = *n;
        return std::nullopt;
    }

    std::optional<Refusal> readFrequencies(ChirpChannel &c) const
    {
        const QString text = m_row["Frequency"];
        const auto f = parseDecimal(text);
        if (!f)
            return refuse(CsvSkip::BadFrequency, {text});
        c.rx = RoundFrequency(0, *f);
        if (!inBand(c.rx))
            return refuse(CsvSkip::OutsideBand, {mhzText(c.rx), bandText()});

        const QString duplex = m_row["Duplex"].toLower();
        const QString offsetText = m_row["Offset"];
        std::optional<double> offset = offsetText.isEmpty() ? 0.0 : parseDecimal(offsetText);
        double tx = c.rx;
        if (duplex == QLatin1String("+") || duplex == QLatin1String("-") || duplex == QLatin1String("split")) {
            if (!offset || *offset < 0)
                return refuse(CsvSkip::BadOffset, {offsetText});
            tx = duplex == QLatin1String("+") ? c.rx + *offset : duplex == QLatin1String("-") ? c.rx - *offset : *offset;
        } else if (!duplex.isEmpty() && duplex != QLatin1String("off")) {
            return refuse(CsvSkip::BadDuplex, {m_row["Duplex"]});
        }
        if (m_row.has("Duplex"))
            c.txStop = duplex == QLatin1String("off") ? 0 : 1;   // 0 blocks transmitting
        c.tx = RoundFrequency(StepClass(c.rx), tx);
        if (!TxWithinReach(c.rx, c.tx))
            return refuse(CsvSkip::TxTooFar, {mhzText(c.tx), mhzText(c.rx)});
        if (!inBand(c.tx))
            return refuse(CsvSkip::OutsideBand, {mhzText(c.tx), bandText()});
        return std::nullopt;
    }

    std::optional<Refusal> readMode(ChirpChannel &c) const
    {
        const QString mode = m_row["Mode"];
        if (mode.isEmpty())
            return std::nullopt;
        if (mode.compare(QLatin1String("FM"), Qt::CaseInsensitive) == 0)
            c.bandwidth = 1;
        else if (mode.compare(QLatin1String("NFM"), Qt::CaseInsensitive) == 0)
            c.bandwidth = 0;
        else
            return refuse(CsvSkip::BadMode, {mode});
        return std::nullopt;
    }

    // A CTCSS tone of a tone column: its index in the tone list.
    std::optional<Refusal> ctcss(const char *column, int &index) const
    {
        const QString text = m_row[column];
        const auto hz = parseDecimal(text);
        const int found = hz ? toneIndexOf(formatFixed(*hz, 1)) : -1;
        if (kindOf(found) != Ctcss)
            return refuse(CsvSkip::ToneNotInList, {text});
        index = found;
        return std::nullopt;
    }

    // A DCS code of a code column with the polarity letter at position side (0 TX, 1 RX).
    std::optional<Refusal> dcs(const char *column, int side, int &index) const
    {
        const QString polarity = m_row.has("DtcsPolarity") ? m_row["DtcsPolarity"].toUpper()
                                                            : QLatin1String(PlaceholderPolarity);
        static const QRegularExpression twoLetters(QStringLiteral("^[NR]{2}$"));
        if (!twoLetters.match(polarity).hasMatch())
            return refuse(CsvSkip::BadPolarity, {m_row["DtcsPolarity"]});
        const QString code = m_row[column];
        static const QRegularExpression digits(QStringLiteral("^[0-9]{1,3}$"));
        const QChar suffix = polarity.at(side) == QLatin1Char('R') ? QLatin1Char('I') : QLatin1Char('N');
        const int found = digits.match(code).hasMatch()
                              ? toneIndexOf(QLatin1Char('D') + code.rightJustified(3, QLatin1Char('0')) + suffix)
                              : -1;
        if (kindOf(found) != Dcs)
            return refuse(CsvSkip::DcsNotInList, {code});
        index = found;
        return std::nullopt;
    }

    std::optional<Refusal> readTones(ChirpChannel &c) const
    {
        const QString mode = m_row["Tone"];
        const auto is = [&mode](const char *name) { return mode.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
        if (mode.isEmpty())
            return std::nullopt;
        if (is("Tone"))
            return ctcss("rToneFreq", c.encodeTone);
        if (is("TSQL")) {
            auto r = ctcss("cToneFreq", c.encodeTone);
            c.decodeTone = c.encodeTone;
            return r;
        }
        if (is("TSQL-R"))
            return ctcss("cToneFreq", c.decodeTone);
        if (is("DTCS")) {
            if (auto r = dcs("DtcsCode", 0, c.encodeTone))
                return r;
            return dcs("DtcsCode", 1, c.decodeTone);
        }
        if (is("DTCS-R"))
            return dcs("DtcsCode", 1, c.decodeTone);
        if (is("Cross"))
            return readCross(c);
        return refuse(CsvSkip::BadToneMode, {mode});
    }

    std::optional<Refusal> readCross(ChirpChannel &c) const
    {
        // Files written before cross modes were named mean Tone->Tone; before the
        // receive code had its column, one code served both ways.
        const QString cross = m_row.has("CrossMode") ? m_row["CrossMode"] : QLatin1String(PlaceholderCrossMode);
        const QStringList sides = cross.split(QStringLiteral("->"));
        // -1 for a side that names no kind of tone
        const auto sideKind = [](const QString &s) {
            if (s.isEmpty())
                return int(NoTone);
            if (s.compare(QLatin1String("Tone"), Qt::CaseInsensitive) == 0)
                return int(Ctcss);
            if (s.compare(QLatin1String("DTCS"), Qt::CaseInsensitive) == 0)
                return int(Dcs);
            return -1;
        };
        if (sides.size() != 2)
            return refuse(CsvSkip::BadCrossMode, {cross});
        const int tx = sideKind(sides.at(0).trimmed());
        const int rx = sideKind(sides.at(1).trimmed());
        if (tx < 0 || rx < 0 || (tx == NoTone && rx == NoTone))
            return refuse(CsvSkip::BadCrossMode, {cross});
        if (tx == Ctcss) {
            if (auto r = ctcss("rToneFreq", c.encodeTone))
                return r;
        } else if (tx == Dcs) {
            if (auto r = dcs("DtcsCode", 0, c.encodeTone))
                return r;
        }
        if (rx == Ctcss)
            return ctcss("cToneFreq", c.decodeTone);
        if (rx == Dcs)
            return dcs(m_row.has("RxDtcsCode") ? "RxDtcsCode" : "DtcsCode", 1, c.decodeTone);
        return std::nullopt;
    }

    std::optional<Refusal> readPower(ChirpChannel &c) const
    {
        const QString text = m_row["Power"];
        if (text.isEmpty())
            return std::nullopt;
        if (text.compare(QLatin1String("High"), Qt::CaseInsensitive) == 0) {
            c.txPower = 1;
            return std::nullopt;
        }
        if (text.compare(QLatin1String("Low"), Qt::CaseInsensitive) == 0) {
            c.txPower = 0;
            return std::nullopt;
        }
        static const QRegularExpression watts(QStringLiteral("^([0-9]*\\.?[0-9]+)\\s*(mW|W)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
        const auto m = watts.match(text);
        if (!m.hasMatch())
            return refuse(CsvSkip::BadPower, {text});
        double w = parseDecimal(m.captured(1)).value_or(0.0);
        if (m.captured(2).compare(QLatin1String("mW"), Qt::CaseInsensitive) == 0)
            w /= 1000.0;
        c.txPower = w >= HighPowerFrom ? 1 : 0;
        return std::nullopt;
    }

    std::optional<Refusal> readSkip(ChirpChannel &c) const
    {
        if (!m_row.has("Skip"))
            return std::nullopt;
        const QString text = m_row["Skip"].toUpper();
        // "P" marks a priority channel, which is scanned.
        if (text.isEmpty() || text == QLatin1String("P"))
            c.scanDelete = 0;
        else if (text == QLatin1String("S"))
            c.scanDelete = 1;
        else
            return refuse(CsvSkip::BadSkip, {m_row["Skip"]});
        return std::nullopt;
    }

    const Row &m_row;
};

void storeChannel(const ChirpChannel &c)
{
    const int n = c.number;
    // Start from an empty row, so that what the file does not carry takes the
    // new-channel values and nothing of the old channel stays.
    EraseChannel(n);
    SetChannelRx(n, c.rx);
    SetChannelTx(n, c.tx);
    WriteChannelField(n, FieldDecodeTone, QString::number(c.decodeTone));
    WriteChannelField(n, FieldEncodeTone, QString::number(c.encodeTone));
    const auto flag = [n](int field, const std::optional<int> &value) {
        if (value)
            WriteChannelField(n, field, QString::number(*value));
    };
    flag(FieldTxStop, c.txStop);
    flag(FieldBandwidth, c.bandwidth);
    flag(FieldTxPower, c.txPower);
    flag(FieldScanDelete, c.scanDelete);
    if (c.name)
        WriteChannelField(n, FieldName, *c.name);
}

} // namespace

const QStringList &ChirpHeader()
{
    static const QStringList header = QStringLiteral(
        "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
        "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE").split(QLatin1Char(','));
    return header;
}

QStringList ChirpRow(int number, const TChannel &c)
{
    QString duplex;
    double offset = 0.0;
    if (c.TxStop == 0) {
        duplex = QStringLiteral("off");
    } else {
        const qint64 d = tenHz(c.TxFrequency) - tenHz(c.RxFrequency);
        duplex = d > 0 ? QStringLiteral("+") : d < 0 ? QStringLiteral("-") : QString();
        offset = std::abs(d) / 100000.0;
    }
    const ToneColumns t = toneColumns(c.DecodeTone, c.EncodeTone);
    return {QString::number(number),
            c.Name,
            sixDecimals(c.RxFrequency),
            duplex,
            sixDecimals(offset),
            t.tone,
            t.rTone,
            t.cTone,
            t.dtcs,
            t.polarity,
            t.rxDtcs,
            t.crossMode,
            c.Bandwidth ? QStringLiteral("FM") : QStringLiteral("NFM"),
            QStringLiteral("6.25"),
            c.ScanDelete ? QStringLiteral("S") : QString(),
            QLatin1String(c.TxPower ? HighPower : LowPower),
            QString(), QString(), QString(), QString(), QString()};
}

QString WriteChirpCsv()
{
    QString text = CsvLine(ChirpHeader());
    for (int n = 1; n <= AppState.ChannelCount && n <= imagemap::LastMemoryChannel; ++n) {
        TChannel c;
        if (DecodeChannel(n, c))
            text += CsvLine(ChirpRow(n, c));
    }
    return text;
}

QString CsvSkipFormat(CsvSkip::Reason reason)
{
    switch (reason) {
    case CsvSkip::BadLocation: return QStringLiteral("Location '%1' is not a channel from 1 to %2");
    case CsvSkip::RepeatedLocation: return QStringLiteral("channel %1 was already given in line %2");
    case CsvSkip::BadFrequency: return QStringLiteral("frequency '%1' is not a number of MHz");
    case CsvSkip::OutsideBand: return QStringLiteral("frequency %1 MHz is outside the band %2");
    case CsvSkip::TxTooFar: return QStringLiteral("TX %1 MHz is more than 70 MHz from RX %2 MHz");
    case CsvSkip::BadDuplex: return QStringLiteral("duplex '%1' is not empty, +, -, split or off");
    case CsvSkip::BadOffset: return QStringLiteral("offset '%1' is not a number of MHz");
    case CsvSkip::BadMode: return QStringLiteral("mode '%1' is not FM or NFM");
    case CsvSkip::BadToneMode: return QStringLiteral("tone mode '%1' is not known");
    case CsvSkip::BadCrossMode: return QStringLiteral("cross mode '%1' is not known");
    case CsvSkip::ToneNotInList: return QStringLiteral("tone '%1' is not in the tone list");
    case CsvSkip::DcsNotInList: return QStringLiteral("DCS code '%1' is not in the tone list");
    case CsvSkip::BadPolarity: return QStringLiteral("DCS polarity '%1' is not two letters N or R");
    case CsvSkip::BadPower: return QStringLiteral("power '%1' is not a number of watts");
    case CsvSkip::BadSkip: return QStringLiteral("skip '%1' is not empty, S or P");
    case CsvSkip::UnclosedQuote: return QStringLiteral("a quoted field is not closed");
    case CsvSkip::ReasonCount: break;
    }
    return QString();
}

QString CsvSkipText(const CsvSkip &skip, const QString &lineFormat, const QString &reasonFormat)
{
    QString reason = reasonFormat.isEmpty() ? CsvSkipFormat(skip.reason) : reasonFormat;
    for (const QString &value : skip.values)
        reason = reason.arg(value);
    const QString line = lineFormat.isEmpty() ? QStringLiteral("line %1: %2") : lineFormat;
    return line.arg(skip.line).arg(reason);
}

CsvImportPlan ReadChirpCsv(const QByteArray &data)
{
    CsvImportPlan plan;
    const QList<CsvRecord> records = ParseCsv(data);
    if (records.isEmpty())
        return plan;
    QHash<QString, int> columns;
    const QStringList &names = records.first().fields;
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).trimmed().toLower();
        if (!columns.contains(name))
            columns.insert(name, i);
    }
    if (!columns.contains(QStringLiteral("location")) || !columns.contains(QStringLiteral("frequency")))
        return plan;
    plan.headerFound = true;

    QHash<int, int> lineOfChannel;
    for (int i = 1; i < records.size(); ++i) {
        const CsvRecord &record = records.at(i);
        const auto skip = [&plan, &record](CsvSkip::Reason reason, const QStringList &values) {
            plan.skipped.append({record.line, reason, values});
        };
        if (record.unclosedQuote) {
            skip(CsvSkip::UnclosedQuote, {});
            continue;
        }
        ChirpChannel c;
        c.line = record.line;
        const Row row(columns, record);
        if (const auto refusal = RowReader(row).read(c)) {
            skip(refusal->reason, refusal->values);
        } else if (lineOfChannel.contains(c.number)) {
            skip(CsvSkip::RepeatedLocation, {QString::number(c.number), QString::number(lineOfChannel.value(c.number))});
        } else {
            lineOfChannel.insert(c.number, c.line);
            plan.channels.append(c);
        }
    }
    return plan;
}

void ApplyCsvImport(const CsvImportPlan &plan, bool clearOthers)
{
    if (!plan.usable())
        return;
    if (clearOthers) {
        QSet<int> kept;
        for (const ChirpChannel &c : plan.channels)
            kept.insert(c.number);
        for (int n = 1; n <= AppState.ChannelCount && n <= imagemap::LastMemoryChannel; ++n) {
            if (!kept.contains(n) && !IsChannelEmpty(n))
                EraseChannel(n);
        }
    }
    for (const ChirpChannel &c : plan.channels)
        storeChannel(c);
}
