// The tone list, the two record bytes of a tone and the clean-up of a typed tone.
#include "testsupport.h"
#include "image/channelcodec.h"
#include "image/tones.h"
#include <QTest>

class TestTones : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void toneList()
    {
        const QStringList ctcss = QStringLiteral(
            "67.0 69.3 71.9 74.4 77.0 79.7 82.5 85.4 88.5 91.5 94.8 97.4 100.0 103.5 107.2 110.9 114.8 "
            "118.8 123.0 127.3 131.8 136.5 141.3 146.2 151.4 156.7 159.8 162.2 165.5 167.9 171.3 173.8 "
            "177.3 179.9 183.5 186.2 189.9 192.8 196.6 199.5 203.5 206.5 210.7 218.1 225.7 229.1 233.6 "
            "241.8 250.3 254.1").split(QLatin1Char(' '));
        const QStringList dcs = QStringLiteral(
            "023 025 026 031 032 036 043 047 050 051 053 054 065 071 072 073 074 114 115 116 122 125 131 "
            "132 134 145 146 152 155 156 162 165 172 174 205 212 223 225 226 243 244 245 246 251 252 255 "
            "261 263 265 266 271 274 306 311 315 325 331 332 343 346 351 356 364 365 371 411 412 413 423 "
            "431 432 445 446 452 454 455 462 464 465 466 503 506 516 523 532 532 546 565 606 612 624 627 "
            "631 632 645 654 662 664 703 712 723 731 732 734 743 754").split(QLatin1Char(' '));
        QCOMPARE(ctcss.size(), 50);
        QCOMPARE(dcs.size(), 106);
        QStringList expected{QStringLiteral("None")};
        expected += ctcss;
        for (const QString &code : dcs)
            expected += QLatin1Char('D') + code + QLatin1Char('N');
        for (const QString &code : dcs)
            expected += QLatin1Char('D') + code + QLatin1Char('I');

        for (int i = 0; i < 263; ++i)
            QCOMPARE(ToneText(i), expected.at(i));
        QCOMPARE(ToneText(-1), QString());
        QCOMPARE(ToneText(263), QString());
        QCOMPARE(ToneText(51), QStringLiteral("D023N"));
        QCOMPARE(ToneText(157), QStringLiteral("D023I"));
        QCOMPARE(ToneText(232), QStringLiteral("D455I"));
        QCOMPARE(ToneText(262), QStringLiteral("D754I"));
    }

    // The stored bytes of a tone index written through the codec, and what they decode to.
    void storedBytes_data()
    {
        QTest::addColumn<QString>("index");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("decoded");
        QTest::newRow("none") << "0" << 0 << 0xFF << 0;
        QTest::newRow("first CTCSS") << "1" << 1 << 0 << 1;
        QTest::newRow("last CTCSS") << "50" << 1 << 49 << 50;
        QTest::newRow("first DCS normal") << "51" << 2 << 0 << 51;
        QTest::newRow("last DCS normal") << "156" << 2 << 105 << 156;
        QTest::newRow("first DCS inverted") << "157" << 3 << 0 << 157;
        QTest::newRow("last DCS inverted") << "262" << 3 << 105 << 262;
        QTest::newRow("past the list") << "263" << 0 << 0xFF << 0;
        // A negative index wraps into the number byte, which then decodes as the first tone.
        QTest::newRow("negative") << "-1" << 1 << 0xFE << 1;
    }
    void storedBytes()
    {
        QFETCH(QString, index);
        QFETCH(int, type);
        QFETCH(int, number);
        QFETCH(int, decoded);
        testsupport::fillPattern();
        AppState.Image[1824] &= 0xFE;   // channel 1 holds data
        const ImageBytes before = AppState.Image;

        QVERIFY(WriteChannelField(1, FieldDecodeTone, index));
        QVERIFY(WriteChannelField(1, FieldEncodeTone, QStringLiteral("0")));
        for (int i = 0; i < 2048; ++i) {
            if (i < 16 + 5 || i > 16 + 8)
                QCOMPARE(AppState.Image[i], before[i]);
        }
        QCOMPARE(int(AppState.Image[16 + 5]), type);
        QCOMPARE(int(AppState.Image[16 + 6]), number);
        QCOMPARE(int(AppState.Image[16 + 7]), 0);
        QCOMPARE(int(AppState.Image[16 + 8]), 0xFF);
        TChannel c;
        QVERIFY(DecodeChannel(1, c));
        QCOMPARE(c.DecodeTone, decoded);
        QCOMPARE(c.EncodeTone, 0);
    }

    void everyToneRoundTrips()
    {
        AppState.Image[1824] &= 0xFE;
        for (int i = 0; i < 263; ++i) {
            const ToneBytes b = encodeTone(i);
            QCOMPARE(decodeTone(b.type, b.number), i);
            const QString index = QString::number(i);
            const QString reversed = QString::number(262 - i);
            for (int n : {1, 110}) {
                QVERIFY(WriteChannelField(n, FieldDecodeTone, index));
                QVERIFY(WriteChannelField(n, FieldEncodeTone, reversed));
                TChannel c;
                QVERIFY(DecodeChannel(n, c));
                QCOMPARE(c.DecodeTone, i);
                QCOMPARE(c.EncodeTone, 262 - i);
            }
        }
    }

    // Code 532 is in the list twice; the two entries are different tones for the radio.
    void duplicateCode532()
    {
        QCOMPARE(ToneText(135), QStringLiteral("D532N"));
        QCOMPARE(ToneText(136), QStringLiteral("D532N"));
        QCOMPARE(ToneText(241), QStringLiteral("D532I"));
        QCOMPARE(ToneText(242), QStringLiteral("D532I"));
        QCOMPARE(toneIndexOf(QStringLiteral("D532N")), 135);
        QCOMPARE(toneIndexOf(QStringLiteral("D532I")), 241);
        QCOMPARE(int(encodeTone(135).number), 84);
        QCOMPARE(int(encodeTone(136).number), 85);
        QCOMPARE(int(encodeTone(242).number), 85);
        QCOMPARE(decodeTone(2, 85), 136);
        QCOMPARE(decodeTone(3, 85), 242);
    }

    void normalizeToneText_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("empty") << "" << "";
        QTest::newRow("whole number") << "67" << "67.0";
        QTest::newRow("one decimal kept") << "88.54" << "88.5";
        QTest::newRow("rounded up") << "88.56" << "88.6";
        QTest::newRow("below 30") << "12" << "30.0";
        QTest::newRow("lowest") << "30" << "30.0";
        QTest::newRow("highest") << "290" << "290.0";
        QTest::newRow("above 290") << "300" << "290.0";
        QTest::newRow("digit then garbage") << "6x" << "290.0";
        QTest::newRow("not in the list") << "150" << "150.0";
        QTest::newRow("DCS normal") << "D023N" << "D023N";
        QTest::newRow("DCS inverted") << "D023I" << "D023I";
        QTest::newRow("lower-case suffix kept") << "D023n" << "D023n";
        QTest::newRow("lower-case i kept") << "D754i" << "D754i";
        QTest::newRow("lower-case d") << "d023N" << "D777N";
        QTest::newRow("digit 8") << "D089N" << "D777N";
        QTest::newRow("four characters") << "D23N" << "D777N";
        QTest::newRow("six characters") << "D023NN" << "D777N";
        QTest::newRow("other suffix") << "D023X" << "D777N";
        QTest::newRow("word") << "None" << "D777N";
        QTest::newRow("leading sign") << "-67" << "D777N";
    }
    void normalizeToneText()
    {
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QCOMPARE(NormalizeToneText(typed), result);
    }
};

QTEST_GUILESS_MAIN(TestTones)
#include "tst_tones.moc"
