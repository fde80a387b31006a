// The 16-byte channel record, its bits in the empty and scan tables, the
// frequency rounding and the FM broadcast channels.
#include "testsupport.h"
#include "image/bytes.h"
#include "image/channelcodec.h"
#include "image/models.h"
#include "image/numbers.h"
#include <QTest>

namespace {

using testsupport::firstDifference;
using testsupport::putBytes;

// Bit tables of the memory channels count from 1.
void setChannelBit(ImageBytes &img, int base, int n, bool on)
{
    bytes::setBit(img, base, n - 1, on);
}
constexpr int EmptyBits = 1824;
constexpr int ScanBits = 1840;

// A band wide enough that every frequency of these tests decodes as stored.
void selectWideBand()
{
    QVERIFY(SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("134 - 520MHz"), 0xF7, true));
}

// A memory channel holding the given record.
void putRecord(int n, const QByteArray &hex)
{
    putBytes(AppState.Image, 16 * n, QByteArray::fromHex(hex));
    setChannelBit(AppState.Image, EmptyBits, n, false);
}

int flagOf(const TChannel &c, int field)
{
    switch (field) {
    case FieldTxStop: return c.TxStop;
    case FieldBusyLock: return c.BusyLock;
    case FieldBandwidth: return c.Bandwidth;
    case FieldTxPower: return c.TxPower;
    case FieldCompander: return c.Compander;
    case FieldScrambler: return c.Scrambler;
    case FieldEpilogue: return c.Epilogue;
    case FieldVox: return c.Vox;
    default: return -1;
    }
}

} // namespace

class TestChannelCodec : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void rxOnEmptyChannel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("plain") << "401.59375" << QByteArray("fffa00");
        QTest::newRow("MHz suffix") << "435.5MHz" << QByteArray("301001");
        QTest::newRow("blank before the suffix") << " 145 MHz" << QByteArray("a05a00");
        QTest::newRow("remainder dropped") << "400.00624" << QByteArray("00fa00");
    }
    void rxOnEmptyChannel()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        testsupport::fillPattern();
        QVERIFY(WriteChannelField(12, FieldRxFrequency, QString()));
        QVERIFY(IsChannelEmpty(12));
        ImageBytes expected = AppState.Image;
        putBytes(expected, 16 * 12, QByteArray::fromHex(stored));
        setChannelBit(expected, EmptyBits, 12, false);

        QVERIFY(WriteChannelField(12, FieldRxFrequency, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        QVERIFY(DecodeChannel(12, c));
    }

    void eraseChannel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << "";
        QTest::newRow("suffix only") << "MHz";
    }
    void eraseChannel()
    {
        QFETCH(QString, text);
        testsupport::fillPattern();
        setChannelBit(AppState.Image, EmptyBits, 30, false);
        ImageBytes expected = AppState.Image;
        std::fill_n(expected.begin() + 16 * 30, 16, 0xFF);
        setChannelBit(expected, EmptyBits, 30, true);   // the scan bit stays as it was

        QVERIFY(WriteChannelField(30, FieldRxFrequency, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        c.Name = QStringLiteral("KEEP");
        c.RxFrequency = 1.5;
        QVERIFY(!DecodeChannel(30, c));
        QCOMPARE(c.Name, QStringLiteral("KEEP"));
        QCOMPARE(c.RxFrequency, 1.5);
    }

    // Record address and table bits of memory channels across the byte boundaries.
    void channelBits_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("tableByte");
        QTest::addColumn<int>("bit");
        QTest::newRow("first") << 1 << 0 << 0;
        QTest::newRow("8") << 8 << 0 << 7;
        QTest::newRow("9") << 9 << 1 << 0;
        QTest::newRow("100") << 100 << 12 << 3;
        QTest::newRow("last") << 108 << 13 << 3;
    }
    void channelBits()
    {
        QFETCH(int, n);
        QFETCH(int, tableByte);
        QFETCH(int, bit);
        const std::uint8_t mask = std::uint8_t(1u << bit);
        testsupport::fillPattern();
        AppState.Image[EmptyBits + tableByte] &= std::uint8_t(~mask);
        AppState.Image[ScanBits + tableByte] &= std::uint8_t(~mask);

        ImageBytes expected = AppState.Image;
        expected[ScanBits + tableByte] |= mask;
        QVERIFY(WriteChannelField(n, FieldScanDelete, QStringLiteral("1")));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        QVERIFY(DecodeChannel(n, c));
        QCOMPARE(int(c.ScanDelete), 1);
        QVERIFY(WriteChannelField(n, FieldScanDelete, QStringLiteral("yes")));
        QVERIFY(DecodeChannel(n, c));
        QCOMPARE(int(c.ScanDelete), 0);

        expected = AppState.Image;
        expected[EmptyBits + tableByte] |= mask;
        std::fill_n(expected.begin() + 16 * n, 16, 0xFF);
        QVERIFY(WriteChannelField(n, FieldRxFrequency, QString()));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());

        expected[EmptyBits + tableByte] &= std::uint8_t(~mask);
        putBytes(expected, 16 * n, QByteArray::fromHex("001301"));
        QVERIFY(WriteChannelField(n, FieldRxFrequency, QStringLiteral("440")));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
    }

    // The frequency-mode channel has no empty bit and keeps no transmit frequency.
    void frequencyModeChannel()
    {
        testsupport::fillPattern();
        AppState.Image[1837] |= 0x20;   // where a bit for number 110 would sit
        ImageBytes expected = AppState.Image;
        putBytes(expected, 1760, QByteArray::fromHex("f05a00"));
        QVERIFY(WriteChannelField(110, FieldRxFrequency, QStringLiteral("145.5")));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());

        putBytes(expected, 1760, QByteArray::fromHex("ffffff"));
        QVERIFY(WriteChannelField(110, FieldRxFrequency, QString()));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        QVERIFY(DecodeChannel(110, c));
        QVERIFY(!IsChannelEmpty(110));
    }

    // Its scan flag lands on byte 1853 bit 5 and is never decoded.
    void frequencyModeScanBit()
    {
        testsupport::fillPattern();
        AppState.Image[1853] = 0x00;
        ImageBytes expected = AppState.Image;
        expected[1853] = 0x20;
        QVERIFY(WriteChannelField(110, FieldScanDelete, QStringLiteral("1")));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());

        TChannel c;
        c.ScanDelete = 0;
        QVERIFY(DecodeChannel(110, c));
        QCOMPARE(int(c.ScanDelete), 0);
        QVERIFY(WriteChannelField(110, FieldScanDelete, QStringLiteral("0")));
        QCOMPARE(int(AppState.Image[1853]), 0x00);
        c.ScanDelete = 1;
        QVERIFY(DecodeChannel(110, c));
        QCOMPARE(int(c.ScanDelete), 1);
    }

    void rxChangeKeepsTx_data()
    {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<bool>("duplexThree");
        QTest::addColumn<QString>("newRx");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<QString>("newTx");
        QTest::newRow("plus kept") << "145" << "145.6" << false << "145.1" << "0.50000" << 1 << "145.60000";
        QTest::newRow("plus turns minus") << "440" << "445" << false << "450" << "5.00000" << 2 << "445.00000";
        QTest::newRow("minus stays") << "440" << "435" << false << "441" << "6.00000" << 2 << "435.00000";
        QTest::newRow("onto the tx") << "440" << "445" << false << "445" << "0.00000" << 0 << "445.00000";
        QTest::newRow("one step down") << "440" << "440" << false << "439.99375" << "0.00625" << 1 << "440.00000";
        QTest::newRow("direction 3 is simplex") << "440" << "445" << true << "441" << "1.00000" << 2 << "440.00000";
        QTest::newRow("80 MHz up clamped") << "150" << "150" << false << "230" << "70.00000" << 2 << "160.00000";
        QTest::newRow("80 MHz down clamped") << "300" << "300" << false << "220" << "70.00000" << 1 << "290.00000";
    }
    void rxChangeKeepsTx()
    {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(bool, duplexThree);
        QFETCH(QString, newRx);
        QFETCH(QString, offset);
        QFETCH(int, duplex);
        QFETCH(QString, newTx);
        selectWideBand();
        QVERIFY(WriteChannelField(4, FieldRxFrequency, rx));
        QVERIFY(WriteChannelField(4, FieldTxFrequency, tx));
        if (duplexThree)
            AppState.Image[16 * 4 + 4] |= 0xC0;

        QVERIFY(WriteChannelField(4, FieldRxFrequency, newRx));
        TChannel c;
        QVERIFY(DecodeChannel(4, c));
        QCOMPARE(mhzText(c.RxFrequency), mhzText(parseDecimal(newRx).value()));
        QCOMPARE(mhzText(c.Offset), offset);
        QCOMPARE(int(c.Duplex), duplex);
        QCOMPARE(mhzText(c.TxFrequency), newTx);
    }

    void txField_data()
    {
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<QString>("decodedTx");
        QTest::newRow("above") << "445.5" << "5.50000" << 1 << "445.50000";
        QTest::newRow("below") << "435" << "5.00000" << 2 << "435.00000";
        QTest::newRow("equal") << "440" << "0.00000" << 0 << "440.00000";
        QTest::newRow("70 MHz up") << "510" << "70.00000" << 1 << "510.00000";
        QTest::newRow("80 MHz up clamped") << "520" << "70.00000" << 1 << "510.00000";
        QTest::newRow("140 MHz down clamped") << "300" << "70.00000" << 2 << "370.00000";
    }
    void txField()
    {
        QFETCH(QString, tx);
        QFETCH(QString, offset);
        QFETCH(int, duplex);
        QFETCH(QString, decodedTx);
        selectWideBand();
        testsupport::fillPattern();
        putRecord(6, "001301000000ff00ff00ffffffffffff");   // 440 MHz simplex
        ImageBytes expected = AppState.Image;

        QVERIFY(WriteChannelField(6, FieldTxFrequency, tx));
        expected[16 * 6 + 3] = AppState.Image[16 * 6 + 3];
        expected[16 * 6 + 4] = AppState.Image[16 * 6 + 4];
        QCOMPARE(firstDifference(AppState.Image, expected), QString());   // only bytes 3 and 4
        TChannel c;
        QVERIFY(DecodeChannel(6, c));
        QCOMPARE(mhzText(c.Offset), offset);
        QCOMPARE(int(c.Duplex), duplex);
        QCOMPARE(mhzText(c.TxFrequency), decodedTx);
    }

    // A transmit text equal to the receive frequency is simplex for every
    // frequency of the grid, whatever its binary rounding.
    void txFieldEqualToRxIsSimplex()
    {
        selectWideBand();
        for (qint64 units = 136 * 160; units <= 174 * 160; ++units) {
            const QString text = mhzText(units * 0.00625);
            QVERIFY(WriteChannelField(3, FieldRxFrequency, text));
            QVERIFY(WriteChannelField(3, FieldTxFrequency, text));
            TChannel c;
            QVERIFY(DecodeChannel(3, c));
            if (c.Duplex != 0)
                QFAIL(qPrintable(QStringLiteral("%1 MHz stored as duplex %2").arg(text).arg(int(c.Duplex))));
        }
    }

    void offsetField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::newRow("0.6") << "0.6" << 0x60 << 0x00;
        QTest::newRow("suffix") << "5MHz" << 0x20 << 0x03;
        QTest::newRow("70") << "70" << 0xC0 << 0x2B;
        QTest::newRow("one step above 70") << "70.00625" << 0xC0 << 0x2B;
        QTest::newRow("would wrap past 14 bits") << "102.4" << 0xC0 << 0x2B;
        QTest::newRow("remainder dropped") << "0.00624" << 0x00 << 0x00;
        QTest::newRow("empty") << "" << 0x00 << 0x00;
    }
    void offsetField()
    {
        QFETCH(QString, text);
        QFETCH(int, low);
        QFETCH(int, high);
        testsupport::fillPattern();
        AppState.Image[16 * 7 + 4] = 0x80 | 0x15;   // direction minus, other offset bits
        ImageBytes expected = AppState.Image;
        expected[16 * 7 + 3] = std::uint8_t(low);
        expected[16 * 7 + 4] = std::uint8_t(0x80 | high);
        QVERIFY(WriteChannelField(7, FieldOffset, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
    }

    void duplexField_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("decoded");
        QTest::newRow("none") << "0" << 0;
        QTest::newRow("plus") << "1" << 1;
        QTest::newRow("minus") << "2" << 2;
        QTest::newRow("3 reads as none") << "3" << 0;
    }
    void duplexField()
    {
        QFETCH(QString, text);
        QFETCH(int, decoded);
        testsupport::fillPattern();
        putRecord(8, "001301604000ff00ff00ffffffffffff");   // 440 MHz, 0.6 MHz plus
        ImageBytes expected = AppState.Image;
        expected[16 * 8 + 4] = std::uint8_t(text.toInt() << 6);
        QVERIFY(WriteChannelField(8, FieldDuplex, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        QVERIFY(DecodeChannel(8, c));
        QCOMPARE(int(c.Duplex), decoded);
        QCOMPARE(mhzText(c.Offset), QStringLiteral("0.60000"));
    }

    void flagFields_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("bit");
        QTest::newRow("epilogue") << int(FieldEpilogue) << 0;
        QTest::newRow("vox") << int(FieldVox) << 1;
        QTest::newRow("tx stop") << int(FieldTxStop) << 2;
        QTest::newRow("busy lock") << int(FieldBusyLock) << 3;
        QTest::newRow("bandwidth") << int(FieldBandwidth) << 4;
        QTest::newRow("tx power") << int(FieldTxPower) << 5;
        QTest::newRow("compander") << int(FieldCompander) << 6;
        QTest::newRow("scrambler") << int(FieldScrambler) << 7;
    }
    void flagFields()
    {
        QFETCH(int, field);
        QFETCH(int, bit);
        const std::uint8_t mask = std::uint8_t(1u << bit);
        testsupport::fillPattern();
        putRecord(20, "001301000000ff00ff00ffffffffffff");
        ImageBytes expected = AppState.Image;
        TChannel c;

        expected[16 * 20 + 9] = mask;
        QVERIFY(WriteChannelField(20, field, QStringLiteral("1")));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        QVERIFY(DecodeChannel(20, c));
        QCOMPARE(flagOf(c, field), 1);

        for (const QString &other : {QStringLiteral("0"), QStringLiteral(" 1")}) {
            AppState.Image[16 * 20 + 9] = 0xFF;
            expected[16 * 20 + 9] = std::uint8_t(~mask);
            QVERIFY(WriteChannelField(20, field, other));
            QCOMPARE(firstDifference(AppState.Image, expected), QString());
            QVERIFY(DecodeChannel(20, c));
            QCOMPARE(flagOf(c, field), 0);
        }
    }

    void unknownFieldWritesNothing()
    {
        testsupport::fillPattern();
        const ImageBytes before = AppState.Image;
        WriteChannelField(3, 16, QStringLiteral("1"));
        WriteChannelField(3, -1, QStringLiteral("1"));
        QCOMPARE(firstDifference(AppState.Image, before), QString());
    }

    void decodeRecord_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("offset");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<int>("duplex");
        QTest::addColumn<int>("decodeTone");
        QTest::addColumn<int>("encodeTone");
        QTest::addColumn<QString>("name");
        QTest::newRow("plus offset and tones") << QByteArray("301001204301080369000e0f10ffffff")
            << "435.50000" << "5.00000" << "440.50000" << 1 << 9 << 262 << "ABC";
        QTest::newRow("rx above the band") << QByteArray("c12501000000ff00ff00ffffffffffff")
            << "400.00000" << "0.00000" << "400.00000" << 0 << 0 << 0 << "";
        QTest::newRow("rx at the top") << QByteArray("c02501000000ff00ff00ffffffffffff")
            << "470.00000" << "0.00000" << "470.00000" << 0 << 0 << 0 << "";
        QTest::newRow("rx below the band") << QByteArray("fff900000000ff00ff00ffffffffffff")
            << "400.00000" << "0.00000" << "400.00000" << 0 << 0 << 0 << "";
        QTest::newRow("offset above 70") << QByteArray("c02501c1ab00ff00ff00ffffffffffff")
            << "470.00000" << "0.00000" << "470.00000" << 2 << 0 << 0 << "";
        QTest::newRow("offset of 70") << QByteArray("c02501c0ab00ff00ff00ffffffffffff")
            << "470.00000" << "70.00000" << "400.00000" << 2 << 0 << 0 << "";
        QTest::newRow("direction 3") << QByteArray("00130160c000ff00ff00ffffffffffff")
            << "440.00000" << "0.60000" << "440.00000" << 0 << 0 << 0 << "";
        QTest::newRow("CTCSS number past the table, unknown type")
            << QByteArray("001301000001320405ffffffffffffff")
            << "440.00000" << "0.00000" << "440.00000" << 0 << 1 << 0 << "";
        QTest::newRow("DCS numbers past the table") << QByteArray("0013010000026a03ff00ffffffffffff")
            << "440.00000" << "0.00000" << "440.00000" << 0 << 51 << 157 << "";
        QTest::newRow("name codes past 39") << QByteArray("001301000000ff00ff000e280fff800a")
            << "440.00000" << "0.00000" << "440.00000" << 0 << 0 << 0 << "AB ";
        QTest::newRow("all 0xFF") << QByteArray(32, 'f')
            << "400.00000" << "0.00000" << "400.00000" << 0 << 0 << 0 << "";
    }
    void decodeRecord()
    {
        QFETCH(QByteArray, record);
        QFETCH(QString, rx);
        QFETCH(QString, offset);
        QFETCH(QString, tx);
        QFETCH(int, duplex);
        QFETCH(int, decodeTone);
        QFETCH(int, encodeTone);
        QFETCH(QString, name);
        QCOMPARE(QByteArray::fromHex(record).size(), 16);
        testsupport::fillPattern();
        putRecord(55, record);
        TChannel c;
        QVERIFY(DecodeChannel(55, c));
        QCOMPARE(mhzText(c.RxFrequency), rx);
        QCOMPARE(mhzText(c.Offset), offset);
        QCOMPARE(mhzText(c.TxFrequency), tx);
        QCOMPARE(int(c.Duplex), duplex);
        QCOMPARE(c.DecodeTone, decodeTone);
        QCOMPARE(c.EncodeTone, encodeTone);
        QCOMPARE(c.Name, name);
    }

    void roundFrequency_data()
    {
        QTest::addColumn<double>("f");
        QTest::addColumn<QString>("rounded");
        QTest::addColumn<int>("stepClass");
        QTest::newRow("just below half a step") << 400.00312 << "400.00000" << 1;
        QTest::newRow("just above half a step") << 400.00313 << "400.00625" << 1;
        QTest::newRow("145.0031") << 145.0031 << "145.00000" << 1;
        QTest::newRow("145.0032") << 145.0032 << "145.00625" << 1;
        QTest::newRow("on the grid") << 145.00625 << "145.00625" << 0;
        QTest::newRow("below 10 Hz counts as on the grid") << 145.000004 << "145.00000" << 0;
        // 1562.5 units of 10 Hz: halves go away from zero (1563), and 313 of 625 rounds up.
        QTest::newRow("halves away from zero") << 0.015625 << "0.01875" << 1;
        QTest::newRow("zero") << 0.0 << "0.00000" << 0;
    }
    void roundFrequency()
    {
        QFETCH(double, f);
        QFETCH(QString, rounded);
        QFETCH(int, stepClass);
        for (int cls = 0; cls <= 3; ++cls)
            QCOMPARE(mhzText(RoundFrequency(cls, f)), rounded);
        QCOMPARE(StepClass(f), stepClass);
    }

    void names_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("letters and signs") << "AB-1*" << QByteArray("0e0f0b010cff") << "AB-1*";
        QTest::newRow("lower case") << "ab" << QByteArray("0a0affffffff") << "  ";
        QTest::newRow("space and plus") << "Z9 +" << QByteArray("27090a0dffff") << "Z9 +";
        QTest::newRow("cut at six") << "ABCDEFGH" << QByteArray("0e0f10111213") << "ABCDEF";
        QTest::newRow("other characters") << QStringLiteral("\u00e9#") << QByteArray("0a0affffffff") << "  ";
        QTest::newRow("empty") << "" << QByteArray("ffffffffffff") << "";
    }
    void names()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        QFETCH(QString, decoded);
        testsupport::fillPattern();
        putRecord(77, "001301000000ff00ff00000102030405");
        ImageBytes expected = AppState.Image;
        putBytes(expected, 16 * 77 + 10, QByteArray::fromHex(stored));
        QVERIFY(WriteChannelField(77, FieldName, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        TChannel c;
        QVERIFY(DecodeChannel(77, c));
        QCOMPARE(c.Name, decoded);
    }

    void everyNameCodeRoundTrips()
    {
        const QString characters = QStringLiteral("0123456789 -*+ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        QCOMPARE(characters.size(), 40);
        for (int code = 0; code < 40; ++code) {
            QCOMPARE(nameChar(std::uint8_t(code)), characters.at(code));
            QCOMPARE(int(nameCode(characters.at(code))), code);
        }
        QVERIFY(nameChar(40).isNull());
        QVERIFY(nameChar(0xFF).isNull());

        putRecord(2, "001301000000ff00ff00ffffffffffff");
        for (int from = 0; from < 40; from += 6) {
            const QString name = characters.mid(from, 6);
            QVERIFY(WriteChannelField(2, FieldName, name));
            for (int i = 0; i < name.size(); ++i)
                QCOMPARE(int(AppState.Image[16 * 2 + 10 + i]), from + i);
            TChannel c;
            QVERIFY(DecodeChannel(2, c));
            QCOMPARE(c.Name, name);
        }
    }

    void badTextsWriteNothing_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::newRow("rx letters") << 3 << int(FieldRxFrequency) << "4x0";
        QTest::newRow("rx letters before suffix") << 3 << int(FieldRxFrequency) << "abc MHz";
        QTest::newRow("vfo rx letters") << 110 << int(FieldRxFrequency) << "4x0";
        QTest::newRow("tx empty") << 3 << int(FieldTxFrequency) << "";
        QTest::newRow("tx suffix") << 3 << int(FieldTxFrequency) << "445MHz";
        QTest::newRow("offset comma") << 3 << int(FieldOffset) << "0,6";
        QTest::newRow("offset word") << 3 << int(FieldOffset) << "five";
        QTest::newRow("duplex empty") << 3 << int(FieldDuplex) << "";
        QTest::newRow("duplex decimal") << 3 << int(FieldDuplex) << "1.0";
        QTest::newRow("decode tone text") << 3 << int(FieldDecodeTone) << "D023N";
        QTest::newRow("encode tone decimal") << 3 << int(FieldEncodeTone) << "1.5";
        QTest::newRow("encode tone empty") << 110 << int(FieldEncodeTone) << "";
        QTest::newRow("channel 0") << 0 << int(FieldRxFrequency) << "440";
        QTest::newRow("channel 109") << 109 << int(FieldName) << "A";
        QTest::newRow("channel 111") << 111 << int(FieldScanDelete) << "1";
    }
    void badTextsWriteNothing()
    {
        QFETCH(int, n);
        QFETCH(int, field);
        QFETCH(QString, text);
        testsupport::fillPattern();
        setChannelBit(AppState.Image, EmptyBits, 3, false);   // holds data: the keep-TX path
        const ImageBytes before = AppState.Image;
        QVERIFY(!WriteChannelField(n, field, text));
        QCOMPARE(firstDifference(AppState.Image, before), QString());
    }

    void noSuchChannelDecodes()
    {
        TChannel c;
        QVERIFY(!DecodeChannel(0, c));
        QVERIFY(!DecodeChannel(109, c));
        QVERIFY(!DecodeChannel(111, c));
    }

    void decodeFm_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("raw");
        QTest::addColumn<bool>("emptyBit");
        QTest::addColumn<double>("mhz");
        QTest::newRow("channel 1") << 0 << 3500 << false << 87.5;
        QTest::newRow("empty") << 0 << 3500 << true << -1.0;
        QTest::newRow("never written") << 3 << 0xFFFF << false << 76.0;
        QTest::newRow("top of the range") << 19 << 4320 << false << 108.0;
        QTest::newRow("above the range") << 19 << 4321 << false << 76.0;
        QTest::newRow("below the range") << 5 << 3039 << false << 76.0;
        QTest::newRow("frequency mode never written") << 20 << 0xFFFF << true << 76.0;
        QTest::newRow("frequency mode") << 20 << 4004 << true << 100.1;
    }
    void decodeFm()
    {
        QFETCH(int, index);
        QFETCH(int, raw);
        QFETCH(bool, emptyBit);
        QFETCH(double, mhz);
        testsupport::fillPattern();
        bytes::put16(AppState.Image, 1776 + 2 * index, quint32(raw));
        bytes::setBit(AppState.Image, 1820, index, emptyBit);
        QCOMPARE(DecodeFmChannel(index), mhz);
    }

    void writeFm_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("raw");        // -1: frequency bytes kept
        QTest::addColumn<int>("emptyBit");   // -1: empty bits kept
        QTest::newRow("channel 1") << 0 << "87.5" << 3500 << 0;
        QTest::newRow("channel 20") << 19 << "108" << 4320 << 0;
        QTest::newRow("rounds to 25 kHz") << 3 << "87.513" << 3501 << 0;
        QTest::newRow("frequency mode") << 20 << "100.1" << 4004 << -1;
        QTest::newRow("empty channel") << 5 << "" << -1 << 1;
        QTest::newRow("empty frequency mode") << 20 << "" << -1 << -1;
    }
    void writeFm()
    {
        QFETCH(int, index);
        QFETCH(QString, text);
        QFETCH(int, raw);
        QFETCH(int, emptyBit);
        testsupport::fillPattern();
        bytes::setBit(AppState.Image, 1820, index, emptyBit == 0);
        ImageBytes expected = AppState.Image;
        if (raw >= 0)
            bytes::put16(expected, 1776 + 2 * index, quint32(raw));
        if (emptyBit >= 0)
            bytes::setBit(expected, 1820, index, emptyBit == 1);
        QVERIFY(WriteFmChannel(index, text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        if (raw >= 0)
            QCOMPARE(DecodeFmChannel(index), raw * 0.025);
    }

    void badFmTextWritesNothing()
    {
        testsupport::fillPattern();
        const ImageBytes before = AppState.Image;
        QVERIFY(!WriteFmChannel(2, QStringLiteral("8x.5")));
        QVERIFY(!WriteFmChannel(21, QStringLiteral("88")));
        QCOMPARE(firstDifference(AppState.Image, before), QString());
    }
};

QTEST_GUILESS_MAIN(TestChannelCodec)
#include "tst_channelcodec.moc"
