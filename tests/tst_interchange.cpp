// CHIRP CSV and the image JSON object: the CSV reader, the channel <-> row mapping
// both ways, skip reasons, applying an import, and the byte-exact JSON round trip.
#include "testsupport.h"
#include "image/batch.h"
#include "image/channelcodec.h"
#include "image/chirpcsv.h"
#include "image/csvfile.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/imageedit.h"
#include "image/imagejson.h"
#include "image/interchange.h"
#include "image/models.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "image/tones.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QRandomGenerator>
#include <QTest>

namespace {

const QByteArray Header =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
    "CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE\r\n";

TChannel channel(int n)
{
    TChannel c;
    if (!DecodeChannel(n, c))
        qWarning("channel %d is empty", n);
    return c;
}

// A channel as the grid makes it, then changed through the named edits.
void makeChannel(int n, const QString &rx, const QList<QPair<QString, QString>> &edits = {})
{
    ApplyEdit(QStringLiteral("ch%1.RxFrequency").arg(n), rx);
    for (const auto &e : edits) {
        const EditResult r = ApplyEdit(QStringLiteral("ch%1.%2").arg(n).arg(e.first), e.second);
        if (!r.ok)
            qWarning("%s", qPrintable(r.message));
    }
}

QString column(const QStringList &row, const char *name)
{
    return row.value(int(ChirpHeader().indexOf(QLatin1String(name))));
}

QString skipTexts(const CsvImportPlan &plan)
{
    QStringList texts;
    for (const CsvSkip &s : plan.skipped)
        texts << CsvSkipText(s);
    return texts.join(QLatin1Char('\n'));
}

// Random edits through the program's own editing rules, refused ones included.
void randomEdits(QRandomGenerator &rng, int count)
{
    const auto pick = [&rng](int n) { return int(rng.bounded(n)); };
    const auto inBand = [&] {
        const double units = (AppState.BandHigh - AppState.BandLow) * 160.0;
        return mhzText(AppState.BandLow + pick(int(units) + 1) / 160.0 + (pick(4) == 0 ? 0.0031 : 0.0));
    };
    const char *const flags[] = {"TxStop", "BusyLock", "Bandwidth", "TxPower", "Compander",
                                 "Scrambler", "Epilogue", "Vox", "ScanDelete"};
    const QString nameChars = QStringLiteral("ABCXYZ0189 -*+");
    for (int k = 0; k < count; ++k) {
        const int what = pick(20);
        const QString ch = pick(8) == 0 ? QStringLiteral("chvfo.") : QStringLiteral("ch%1.").arg(1 + pick(108));
        QString key, value;
        if (what < 5) {
            key = ch + QStringLiteral("RxFrequency");
            value = pick(6) == 0 ? QString() : inBand();
        } else if (what < 7) {
            key = ch + QStringLiteral("TxFrequency");
            value = inBand();
        } else if (what < 8) {
            key = ch + QStringLiteral("Offset");
            value = mhzText(pick(800) / 160.0);
        } else if (what < 9) {
            key = ch + QStringLiteral("Duplex");
            value = QString::number(pick(3));
        } else if (what < 11) {
            key = ch + (pick(2) ? QStringLiteral("DecodeToneIndex") : QStringLiteral("EncodeToneIndex"));
            value = QString::number(pick(ToneCount));
        } else if (what < 14) {
            key = ch + QLatin1String(flags[pick(9)]);
            value = QString::number(pick(2));
        } else if (what < 15) {
            key = ch + QStringLiteral("Name");
            for (int i = pick(7); i > 0; --i)
                value += nameChars.at(pick(int(nameChars.size())));
        } else if (what < 17) {
            const int fm = pick(21);
            key = fm == 20 ? QStringLiteral("fmvfo") : QStringLiteral("fm%1").arg(fm + 1);
            value = pick(4) == 0 ? QString() : mhzText(76.0 + pick(1281) * 0.025);
        } else if (what < 19) {
            const SettingInfo &s = settingAt(pick(SettingCount));
            if (!*s.name)
                continue;
            key = QLatin1String(s.name);
            value = QString::number(pick(s.listMaximum + 1));
        } else {
            key = QStringLiteral("SerialNumber");
            for (int i = pick(17); i > 0; --i)
                value += QChar(0x20 + pick(95));
        }
        ApplyEdit(key, value);
    }
}

} // namespace

class TestInterchange : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        testsupport::freshState(m_dir.path());
        QVERIFY(SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("134 - 520MHz"), 0xF7, true));
        NewImage();
    }

    void csvReader()
    {
        const QByteArray text = "\xEF\xBB\xBF" "a,\"b,1\",c\r\n"
                                "# a comment, \"with an odd quote\n"
                                "\r\n"
                                "\"say \"\"hi\"\"\",\"two\nlines\",\n"
                                "x,y\n"
                                "\"open,z\n";
        const QList<CsvRecord> records = ParseCsv(text);
        QCOMPARE(records.size(), 4);
        QCOMPARE(records[0].line, 1);
        QCOMPARE(records[0].fields, QStringList({"a", "b,1", "c"}));
        QCOMPARE(records[1].line, 4);
        QCOMPARE(records[1].fields, QStringList({"say \"hi\"", "two\nlines", ""}));
        QCOMPARE(records[2].line, 6);
        QCOMPARE(records[2].fields, QStringList({"x", "y"}));
        QVERIFY(!records[2].unclosedQuote);
        QCOMPARE(records[3].line, 7);
        QVERIFY(records[3].unclosedQuote);

        const QStringList fields{"plain", "with,comma", "with \"quote\"", "#start", ""};
        QCOMPARE(ParseCsv(CsvLine(fields).toUtf8()).value(0).fields, fields);
    }

    // Encode is what the radio transmits, decode what it listens for; each case is
    // written to a row and read back.
    void toneModes_data()
    {
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("encode");
        QTest::addColumn<QString>("expected");   // Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode
        QTest::newRow("none") << "None" << "None" << ",88.5,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("Tone") << "None" << "100.0" << "Tone,100.0,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("TSQL") << "131.8" << "131.8" << "TSQL,131.8,131.8,023,NN,023,Tone->Tone";
        QTest::newRow("DTCS normal") << "D023N" << "D023N" << "DTCS,88.5,88.5,023,NN,023,Tone->Tone";
        QTest::newRow("DTCS inverted") << "D754I" << "D754I" << "DTCS,88.5,88.5,754,RR,754,Tone->Tone";
        QTest::newRow("Tone->Tone") << "67.0" << "254.1" << "Cross,254.1,67.0,023,NN,023,Tone->Tone";
        QTest::newRow("Tone->DTCS") << "D125I" << "77.0" << "Cross,77.0,88.5,023,NR,125,Tone->DTCS";
        QTest::newRow("DTCS->Tone") << "162.2" << "D411N" << "Cross,88.5,162.2,411,NN,023,DTCS->Tone";
        QTest::newRow("DTCS->DTCS codes") << "D023N" << "D754N" << "Cross,88.5,88.5,754,NN,023,DTCS->DTCS";
        QTest::newRow("DTCS->DTCS polarity") << "D023I" << "D023N" << "Cross,88.5,88.5,023,NR,023,DTCS->DTCS";
        QTest::newRow("DTCS->") << "None" << "D606I" << "Cross,88.5,88.5,606,RN,023,DTCS->";
        QTest::newRow("->Tone") << "203.5" << "None" << "Cross,88.5,203.5,023,NN,023,->Tone";
        QTest::newRow("->DTCS") << "D031I" << "None" << "Cross,88.5,88.5,023,NR,031,->DTCS";
    }
    void toneModes()
    {
        QFETCH(QString, decode);
        QFETCH(QString, encode);
        QFETCH(QString, expected);
        makeChannel(1, QStringLiteral("146.52"), {{"DecodeTone", decode}, {"EncodeTone", encode}});
        const QStringList row = ChirpRow(1, channel(1));
        QCOMPARE(row.mid(5, 7).join(QLatin1Char(',')), expected);

        const CsvImportPlan plan = ReadChirpCsv(Header + CsvLine(row).toUtf8());
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(ToneText(plan.channels[0].decodeTone), decode);
        QCOMPARE(ToneText(plan.channels[0].encodeTone), encode);
    }

    // Rows only other programs write: the reverse modes, an old header without
    // RxDtcsCode and CrossMode, and TSQL's tone in cToneFreq.
    void toneModesFromChirp_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("tones");
        QTest::addColumn<QString>("decode");
        QTest::addColumn<QString>("encode");
        const QByteArray full = "Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode";
        const QByteArray old = "Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity";
        QTest::newRow("TSQL takes cToneFreq") << full << QByteArray("TSQL,88.5,123.0,023,NN,023,Tone->Tone") << "123.0" << "123.0";
        QTest::newRow("TSQL-R") << full << QByteArray("TSQL-R,88.5,100.0,023,NN,023,Tone->Tone") << "100.0" << "None";
        QTest::newRow("DTCS-R") << full << QByteArray("DTCS-R,88.5,88.5,047,NR,023,Tone->Tone") << "D047I" << "None";
        QTest::newRow("DTCS NR") << full << QByteArray("DTCS,88.5,88.5,047,NR,023,Tone->Tone") << "D047I" << "D047N";
        QTest::newRow("Tone->") << full << QByteArray("Cross,94.8,88.5,023,NN,023,Tone->") << "None" << "94.8";
        QTest::newRow("code without zeros") << full << QByteArray("DTCS,88.5,88.5,23,NN,23,Tone->Tone") << "D023N" << "D023N";
        QTest::newRow("old Cross is Tone->Tone") << old << QByteArray("Cross,94.8,110.9,023,NN") << "110.9" << "94.8";
        QTest::newRow("old header one code") << old << QByteArray("DTCS,88.5,88.5,734,RR") << "D734I" << "D734I";
        QTest::newRow("tone as 88.50") << old << QByteArray("Tone,88.50,88.5,023,NN") << "None" << "88.5";
    }
    void toneModesFromChirp()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, tones);
        QFETCH(QString, decode);
        QFETCH(QString, encode);
        const CsvImportPlan plan = ReadChirpCsv("Location,Frequency," + header + "\n3,440.0," + tones + "\n");
        QVERIFY2(plan.skipped.isEmpty(), qPrintable(skipTexts(plan)));
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(ToneText(plan.channels[0].decodeTone), decode);
        QCOMPARE(ToneText(plan.channels[0].encodeTone), encode);
    }

    void duplex_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<int>("txStop");
        QTest::addColumn<QString>("duplex");
        QTest::addColumn<QString>("offset");
        QTest::newRow("simplex") << "146.5" << "146.5" << 1 << "" << "0.000000";
        QTest::newRow("plus") << "145.0" << "145.6" << 1 << "+" << "0.600000";
        QTest::newRow("minus") << "442.9" << "437.9" << 1 << "-" << "5.000000";
        QTest::newRow("plus 6.25 kHz") << "446.00625" << "446.0125" << 1 << "+" << "0.006250";
        QTest::newRow("70 MHz") << "220.0" << "150.0" << 1 << "-" << "70.000000";
        QTest::newRow("TX stop") << "145.0" << "145.6" << 0 << "off" << "0.000000";
    }
    void duplex()
    {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(int, txStop);
        QFETCH(QString, duplex);
        QFETCH(QString, offset);
        makeChannel(1, rx, {{"TxFrequency", tx}, {"TxStop", QString::number(txStop)}});
        const QStringList row = ChirpRow(1, channel(1));
        QCOMPARE(column(row, "Duplex"), duplex);
        QCOMPARE(column(row, "Offset"), offset);

        const CsvImportPlan plan = ReadChirpCsv(Header + CsvLine(row).toUtf8());
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(mhzText(plan.channels[0].rx), mhzText(parseDecimal(rx).value()));
        // "off" carries no TX: the channel comes back simplex with transmitting blocked.
        QCOMPARE(mhzText(plan.channels[0].tx), mhzText(parseDecimal(txStop ? tx : rx).value()));
        QCOMPARE(plan.channels[0].txStop.value_or(-1), txStop);
    }

    void splitTakesOffsetAsTx()
    {
        const CsvImportPlan plan = ReadChirpCsv(Header + "5,SPLIT,146.000000,split,144.003000,,88.5,88.5,023,NN,023,"
                                                         "Tone->Tone,NFM,5.00,,4.5W,,,,,\r\n");
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(mhzText(plan.channels[0].tx), QStringLiteral("144.00000"));   // to the 6.25 kHz grid
    }

    // Two files as CHIRP writes them, kept small: a current one (byte-order mark,
    // CR LF, quoted fields, a comment) and one with the header of older versions.
    void chirpFiles()
    {
        const QByteArray current = "\xEF\xBB\xBF" + Header
            + "# exported channels\r\n"
              "1,\"Rpt, A\",146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,50W,\"a, b\",,,,\r\n"
              "2,Simplex,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,5.00,S,0.5W,,,,,\r\n"
              "3,GMRS,462.562500,,0.000000,DTCS,88.5,88.5,754,RR,023,Tone->Tone,FM,12.50,P,2.0W,,,,,\r\n";
        const CsvImportPlan a = ReadChirpCsv(current);
        QVERIFY2(a.skipped.isEmpty(), qPrintable(skipTexts(a)));
        QCOMPARE(a.channels.size(), 3);
        QCOMPARE(a.channels[0].name.value(), QStringLiteral("RPT, A"));
        // 5 kHz channels land on the radio's 6.25 kHz grid.
        QCOMPARE(mhzText(a.channels[0].rx), QStringLiteral("146.93750"));
        QCOMPARE(mhzText(a.channels[0].tx), QStringLiteral("146.33750"));
        QCOMPARE(a.channels[0].txPower.value(), 1);
        QCOMPARE(a.channels[1].txPower.value(), 0);
        QCOMPARE(a.channels[1].bandwidth.value(), 0);
        QCOMPARE(a.channels[1].scanDelete.value(), 1);
        QCOMPARE(a.channels[2].scanDelete.value(), 0);
        QCOMPARE(a.channels[2].txPower.value(), 1);
        QCOMPARE(a.channels[2].line, 5);

        const QByteArray older = "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,"
                                 "DtcsPolarity,Mode,TStep,Skip,Comment,URCALL,RPT1CALL,RPT2CALL\n"
                                 "10,WX,162.550000,,0.000000,,88.5,88.5,023,NN,FM,5.00,,,,,\n"
                                 "11,MARINE,156.800000,,0.000000,TSQL,88.5,107.2,023,NN,FM,25.00,,,,,\n";
        const CsvImportPlan b = ReadChirpCsv(older);
        QVERIFY2(b.skipped.isEmpty(), qPrintable(skipTexts(b)));
        QCOMPARE(b.channels.size(), 2);
        QVERIFY(!b.channels[0].txPower);   // no Power column: the new-channel value
        QCOMPARE(ToneText(b.channels[1].decodeTone), QStringLiteral("107.2"));
    }

    void skipReasons_data()
    {
        QTest::addColumn<QByteArray>("row");
        QTest::addColumn<int>("reason");
        const auto row = [](const char *location, const char *frequency, const char *duplex, const char *offset,
                            const char *tone, const char *rest) {
            return QByteArray(location) + ",N," + frequency + ',' + duplex + ',' + offset + ',' + tone + ',' + rest + '\n';
        };
        const char *plainTones = "88.5,88.5,023,NN,023,Tone->Tone";
        const char *plainTail = "FM,5.00,,5.0W,,,,,";
        const auto plain = [&](const char *location, const char *frequency, const char *duplex, const char *offset) {
            return row(location, frequency, duplex, offset, "", (QByteArray(plainTones) + ',' + plainTail).constData());
        };
        QTest::newRow("location 0") << plain("0", "146.52", "", "0") << int(CsvSkip::BadLocation);
        QTest::newRow("location 109") << plain("109", "146.52", "", "0") << int(CsvSkip::BadLocation);
        QTest::newRow("frequency text") << plain("1", "abc", "", "0") << int(CsvSkip::BadFrequency);
        QTest::newRow("below band") << plain("1", "133.99", "", "0") << int(CsvSkip::OutsideBand);
        QTest::newRow("above after rounding") << plain("1", "520.00313", "", "0") << int(CsvSkip::OutsideBand);
        QTest::newRow("TX outside band") << plain("1", "135.0", "-", "5.0") << int(CsvSkip::OutsideBand);
        QTest::newRow("TX 70 MHz away") << plain("1", "440.0", "split", "369.99375") << int(CsvSkip::TxTooFar);
        QTest::newRow("duplex") << plain("1", "146.52", "x", "0") << int(CsvSkip::BadDuplex);
        QTest::newRow("offset") << plain("1", "146.52", "+", "0.6MHz") << int(CsvSkip::BadOffset);
        QTest::newRow("mode AM") << row("1", "146.52", "", "0", "", "88.5,88.5,023,NN,023,Tone->Tone,AM,5.00,,5.0W,,,,,")
                                 << int(CsvSkip::BadMode);
        QTest::newRow("tone mode") << row("1", "146.52", "", "0", "Tone2", "88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,")
                                   << int(CsvSkip::BadToneMode);
        QTest::newRow("cross mode") << row("1", "146.52", "", "0", "Cross", "88.5,88.5,023,NN,023,Tone=>DTCS,FM,5.00,,5.0W,,,,,")
                                    << int(CsvSkip::BadCrossMode);
        QTest::newRow("tone 69.4") << row("1", "146.52", "", "0", "Tone", "69.4,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,")
                                   << int(CsvSkip::ToneNotInList);
        QTest::newRow("DCS 017") << row("1", "146.52", "", "0", "DTCS", "88.5,88.5,017,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,")
                                 << int(CsvSkip::DcsNotInList);
        QTest::newRow("polarity") << row("1", "146.52", "", "0", "DTCS", "88.5,88.5,023,NX,023,Tone->Tone,FM,5.00,,5.0W,,,,,")
                                  << int(CsvSkip::BadPolarity);
        QTest::newRow("power") << row("1", "146.52", "", "0", "", "88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,Mid,,,,,")
                               << int(CsvSkip::BadPower);
        QTest::newRow("skip") << row("1", "146.52", "", "0", "", "88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,X,5.0W,,,,,")
                              << int(CsvSkip::BadSkip);
        QTest::newRow("quote") << QByteArray("1,\"N,146.52\n") << int(CsvSkip::UnclosedQuote);
    }
    void skipReasons()
    {
        QFETCH(QByteArray, row);
        QFETCH(int, reason);
        // A good row first, so that the bad one is on line 3 and the file stays usable.
        const CsvImportPlan plan = ReadChirpCsv(Header + "7,OK,146.52,,0,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,,,,,\n" + row);
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(plan.skipped.size(), 1);
        QCOMPARE(int(plan.skipped[0].reason), reason);
        QCOMPARE(plan.skipped[0].line, 3);
        QVERIFY(CsvSkipText(plan.skipped[0]).startsWith(QLatin1String("line 3: ")));
    }

    void repeatedLocationKeepsTheFirst()
    {
        const CsvImportPlan plan = ReadChirpCsv("Location,Frequency\n4,146.0\n4,147.0\n");
        QCOMPARE(plan.channels.size(), 1);
        QCOMPARE(mhzText(plan.channels[0].rx), QStringLiteral("146.00000"));
        QCOMPARE(CsvSkipText(plan.skipped.value(0)), QStringLiteral("line 3: channel 4 was already given in line 2"));
    }

    void nothingUsable_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not CHIRP") << QByteArray("Channel,RX\n1,146.52\n");
        QTest::newRow("all rows bad") << QByteArray("Location,Frequency\n0,146.52\n2,1000\n");
        QTest::newRow("binary") << QByteArray("\x00\xFF\x01,\"", 5);
    }
    void nothingUsable()
    {
        QFETCH(QByteArray, data);
        makeChannel(2, QStringLiteral("145.0"));
        const ImageBytes before = AppState.Image;
        const ImportPlan plan = ReadImport(InterchangeFormat::Csv, data);
        QVERIFY(!plan.usable());
        QVERIFY(!plan.problem().isEmpty());
        ApplyImport(plan, true);
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
    }

    // What a row does not carry gets the new-channel values, whatever the channel
    // held before; channels not in the file stay unless all others are cleared.
    void applyImport()
    {
        makeChannel(1, QStringLiteral("150.0"), {{"Compander", "0"}, {"BusyLock", "0"}, {"Vox", "0"}, {"Name", "OLD"}});
        makeChannel(2, QStringLiteral("151.0"));
        makeChannel(3, QStringLiteral("152.0"));
        const QByteArray channel3 = QByteArray(reinterpret_cast<const char *>(AppState.Image.data()) + 48, 16);
        const CsvImportPlan plan = ReadChirpCsv("Location,Frequency,Duplex,Offset,Tone,rToneFreq\n"
                                                "1,146.5,+,0.6,Tone,88.5\n");
        ApplyCsvImport(plan, false);
        TChannel c = channel(1);
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("147.10000"));
        QCOMPARE(c.EncodeTone, 9);
        QCOMPARE(c.DecodeTone, 0);
        QCOMPARE(int(c.TxStop), 1);
        QCOMPARE(int(c.Compander), 1);
        QCOMPARE(int(c.BusyLock), 1);
        QCOMPARE(int(c.Vox), 1);
        QCOMPARE(int(c.Bandwidth), 1);
        QCOMPARE(int(c.TxPower), 1);
        QCOMPARE(int(c.ScanDelete), 1);
        QCOMPARE(int(c.Epilogue), 1);
        QCOMPARE(c.Name, QString());
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(AppState.Image.data()) + 48, 16), channel3);

        ApplyCsvImport(plan, true);
        QVERIFY(!IsChannelEmpty(1));
        QVERIFY(IsChannelEmpty(2));
        QVERIFY(IsChannelEmpty(3));
    }

    // A CSV written here reads back without a rejected line and writes the same text.
    void csvRoundTrip()
    {
        QRandomGenerator rng(7);
        randomEdits(rng, 600);
        const QString exported = WriteChirpCsv();
        const CsvImportPlan plan = ReadChirpCsv(exported.toUtf8());
        QVERIFY2(plan.skipped.isEmpty(), qPrintable(skipTexts(plan)));
        NewImage();
        ApplyCsvImport(plan, false);
        QCOMPARE(WriteChirpCsv(), exported);
    }

    // show --json, then import onto a new image of the same model and band, gives
    // back every byte, for images built with the program's own editing rules.
    void jsonRoundTrip_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::addColumn<int>("code");
        QTest::addColumn<quint32>("seed");
        for (quint32 seed = 1; seed <= 4; ++seed) {
            QTest::addRow("4k45 seed %u", seed) << "4k45" << "400 - 470MHz" << 0xF5 << seed;
            QTest::addRow("4k46 VHF seed %u", seed) << "4k46" << "134 - 174MHz" << 0xF2 << seed;
            QTest::addRow("4k46 user limits seed %u", seed) << "4k46" << "410.000 - 450.000MHz" << 0xA6 << seed;
        }
    }
    void jsonRoundTrip()
    {
        QFETCH(QString, model);
        QFETCH(QString, band);
        QFETCH(int, code);
        QFETCH(quint32, seed);
        QVERIFY(SelectModelAndBand(model, band, quint8(code), true));
        NewImage();
        QRandomGenerator rng(seed);
        randomEdits(rng, 400);
        BatchPlan batch;
        batch.first = 1 + int(rng.bounded(100));
        batch.last = batch.first + int(rng.bounded(8));
        batch.rx = AppState.BandLow + 1.0;
        batch.rxStep = 0.025;
        batch.rxToneRandom = true;
        ApplyBatch(batch, [&rng](int count) { return int(rng.bounded(count)); });
        randomEdits(rng, 100);

        const ImageBytes source = AppState.Image;
        const QByteArray json = QJsonDocument(ImageToJson()).toJson();
        NewImage();
        const JsonImportPlan plan = ReadImageJson(json);
        QVERIFY2(plan.usable(), qPrintable(plan.error));
        ApplyJsonImport(plan);
        QCOMPARE(testsupport::firstDifference(AppState.Image, source), QString());
    }

    // Hand-edited objects: what the named fields say wins over the raw bytes, and a
    // part the object lacks stays as it is.
    void jsonEdits()
    {
        makeChannel(4, QStringLiteral("146.0"));
        ApplyEdit(QStringLiteral("fm2"), QStringLiteral("88.0"));
        QJsonObject o = ImageToJson();
        QJsonArray channels = o.value(QStringLiteral("Channels")).toArray();
        QJsonObject ch = channels.at(0).toObject();
        ch.insert(QStringLiteral("Number"), 9);
        ch.insert(QStringLiteral("EncodeTone"), QStringLiteral("D532N"));
        ch.remove(QStringLiteral("EncodeToneIndex"));
        ch.insert(QStringLiteral("Name"), QStringLiteral("ab c"));
        channels.replace(0, ch);
        o.insert(QStringLiteral("Channels"), channels);
        QJsonObject vfo = o.value(QStringLiteral("VfoChannel")).toObject();
        vfo.insert(QStringLiteral("Duplex"), 1);
        vfo.insert(QStringLiteral("Offset"), QStringLiteral("0.6"));
        vfo.remove(QStringLiteral("TxFrequency"));
        o.insert(QStringLiteral("VfoChannel"), vfo);
        o.insert(QStringLiteral("FmChannels"), QJsonArray{QJsonObject{{"Number", 5}, {"Frequency", 100.1}}});
        o.insert(QStringLiteral("SerialNumber"), QStringLiteral("SN42"));
        o.remove(QStringLiteral("Settings"));
        AppState.Image[setting::Volume] = 3;

        const JsonImportPlan plan = ReadImageJson(QJsonDocument(o).toJson());
        QVERIFY2(plan.usable(), qPrintable(plan.error));
        ApplyJsonImport(plan);
        QVERIFY(IsChannelEmpty(4));
        const TChannel c = channel(9);
        QCOMPARE(c.EncodeTone, 135);
        QCOMPARE(c.Name, QStringLiteral("AB C"));
        TChannel v;
        DecodeChannel(imagemap::VfoChannelNumber, v);
        QCOMPARE(mhzText(v.TxFrequency), mhzText(v.RxFrequency + 0.6));
        QCOMPARE(DecodeFmChannel(1), -1.0);
        QCOMPARE(mhzText(DecodeFmChannel(4)), QStringLiteral("100.10000"));
        QCOMPARE(DecodeSerialNumber(), QStringLiteral("SN42            "));
        QCOMPARE(int(AppState.Image[setting::Volume]), 3);
    }

    void jsonRefused_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");   // JSON text put under key ("-" removes nothing)
        QTest::addColumn<QString>("message");
        QTest::newRow("other model") << "ModelCode" << "\"4k45\"" << "model";
        QTest::newRow("other band") << "BandCode" << "242" << "band";
        QTest::newRow("other limits") << "BandHigh" << "470" << "BandHigh";
        QTest::newRow("unknown key") << "Colour" << "1" << "unknown key 'Colour'";
        QTest::newRow("setting above range") << "Settings" << "{\"Volume\": 16}" << "Volume";
        QTest::newRow("unknown setting") << "Settings" << "{\"Volum\": 1}" << "Volum";
        QTest::newRow("RX outside band")
            << "Channels" << "[{\"Number\": 1, \"RxFrequency\": \"600\"}]" << "outside the band";
        QTest::newRow("tone and index disagree")
            << "Channels" << "[{\"Number\": 1, \"RxFrequency\": \"146\", \"DecodeTone\": \"88.5\", \"DecodeToneIndex\": 1}]"
            << "name different tones";
        QTest::newRow("TX does not follow")
            << "Channels" << "[{\"Number\": 1, \"RxFrequency\": \"146\", \"TxFrequency\": \"147\", \"Offset\": \"0.5\", \"Duplex\": 1}]"
            << "does not follow";
        QTest::newRow("channel twice")
            << "Channels" << "[{\"Number\": 1, \"RxFrequency\": \"146\"}, {\"Number\": 1, \"RxFrequency\": \"147\"}]" << "twice";
        QTest::newRow("name") << "Channels" << "[{\"Number\": 1, \"RxFrequency\": \"146\", \"Name\": \"TOOLONG\"}]" << "Name";
        QTest::newRow("FM range") << "FmVfoFrequency" << "\"120\"" << "76 to 108";
        QTest::newRow("write time") << "WriteTime" << "\"yesterday\"" << "WriteTime";
        QTest::newRow("raw bytes") << "RawBytes" << "{\"SerialNumber\": \"00\"}" << "16 bytes";
    }
    void jsonRefused()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QJsonObject o = ImageToJson();
        o.insert(key, QJsonDocument::fromJson("[" + value.toUtf8() + "]").array().at(0));
        const JsonImportPlan plan = ReadImageJson(QJsonDocument(o).toJson());
        QVERIFY(!plan.usable());
        QVERIFY2(plan.error.contains(message), qPrintable(plan.error));
        QVERIFY(!ReadImageJson("{\"Channels\": [").usable());
        QVERIFY(!ReadImageJson("[1, 2]").usable());
    }
};

QTEST_GUILESS_MAIN(TestInterchange)
#include "tst_interchange.moc"
