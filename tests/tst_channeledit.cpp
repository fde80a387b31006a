// The editing rules shared by the channel grid, the editors and ze4k-cli.
#include "testsupport.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/batch.h"
#include "image/tones.h"
#include "image/numbers.h"
#include <QTest>

class TestChannelEdit : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void checkFrequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("problem");
        QTest::addColumn<double>("value");
        QTest::newRow("inside") << "435.5" << int(FrequencyCheck::InBand) << 435.5;
        QTest::newRow("lower edge") << "400" << int(FrequencyCheck::InBand) << 400.0;
        QTest::newRow("above") << "470.00625" << int(FrequencyCheck::AboveBand) << 470.0;
        QTest::newRow("below") << "145" << int(FrequencyCheck::BelowBand) << 400.0;
        QTest::newRow("not a number") << "4x0" << int(FrequencyCheck::NotNumber) << 470.0;
        QTest::newRow("empty") << "" << int(FrequencyCheck::NotNumber) << 470.0;
    }
    void checkFrequency()
    {
        QFETCH(QString, text);
        QFETCH(int, problem);
        QFETCH(double, value);
        const FrequencyCheck check = CheckFrequency(text);
        QCOMPARE(int(check.problem), problem);
        QCOMPARE(check.value, value);
    }

    void newChannelGetsTheGridValues()
    {
        testsupport::fillPattern();
        WriteChannelField(7, FieldRxFrequency, QString());   // erase: record all 0xFF, empty bit set
        SetChannelRx(7, RoundFrequency(0, 435.0032));
        TChannel c;
        QVERIFY(DecodeChannel(7, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("435.00625"));
        QCOMPARE(c.TxFrequency, c.RxFrequency);
        QCOMPARE(int(c.Duplex), 0);
        QCOMPARE(c.DecodeTone, 0);
        QCOMPARE(c.EncodeTone, 0);
        QCOMPARE(int(c.TxStop), 1);
        QCOMPARE(int(c.TxPower), 1);
        QCOMPARE(int(c.Bandwidth), 1);
        QCOMPARE(int(c.ScanDelete), 1);
        QCOMPARE(int(c.Compander), 1);
        QCOMPARE(int(c.Scrambler), 1);
        QCOMPARE(int(c.BusyLock), 1);
        QCOMPARE(int(c.Epilogue), 1);
        QCOMPARE(c.Name, QString());
        // Neighbouring records are untouched.
        QCOMPARE(AppState.Image[16 * 6 + 15], std::uint8_t(0x5A ^ ((16 * 6 + 15) * 7)));
        QCOMPARE(AppState.Image[16 * 8], std::uint8_t(0x5A ^ ((16 * 8) * 7)));
    }

    void rxChangeKeepsTx()
    {
        SetChannelRx(3, 440.0);
        SetChannelTx(3, 445.0);
        SetChannelRx(3, 441.0);
        TChannel c;
        QVERIFY(DecodeChannel(3, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("441.00000"));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("445.00000"));
        QCOMPARE(int(c.Duplex), 1);
        SetChannelRx(3, 450.0);
        QVERIFY(DecodeChannel(3, c));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("445.00000"));
        QCOMPARE(int(c.Duplex), 2);
        QCOMPARE(mhzText(c.Offset), QStringLiteral("5.00000"));
    }

    void txIsRoundedToTheGrid()
    {
        SetChannelRx(1, 440.0);
        SetChannelTx(1, 440.0032);
        TChannel c;
        QVERIFY(DecodeChannel(1, c));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("440.00625"));
    }

    void txOfAnEmptyChannelWritesNothing()
    {
        const ImageBytes before = AppState.Image;
        SetChannelTx(5, 440.0);
        QVERIFY(AppState.Image == before);
    }

    void eraseEmptiesTheChannel()
    {
        SetChannelRx(9, 430.0);
        EraseChannel(9);
        QVERIFY(IsChannelEmpty(9));
        for (int i = 0; i < 16; ++i)
            QCOMPARE(AppState.Image[16 * 9 + i], std::uint8_t(0xFF));
    }

    void txReach_data()
    {
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("tx");
        QTest::addColumn<bool>("within");
        QTest::addColumn<double>("clamped");
        QTest::newRow("simplex") << 145.0 << 145.0 << true << 145.0;
        QTest::newRow("exactly 70 up") << 400.0 << 470.0 << true << 470.0;
        QTest::newRow("above by one step") << 400.0 << 470.00625 << false << 470.0;
        QTest::newRow("below by 100") << 520.0 << 420.0 << false << 450.0;
    }
    void txReach()
    {
        QFETCH(double, rx);
        QFETCH(double, tx);
        QFETCH(bool, within);
        QFETCH(double, clamped);
        QCOMPARE(TxWithinReach(rx, tx), within);
        QCOMPARE(ClampTxToRx(rx, tx), clamped);
    }

    void names_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("trimmed and cut") << " abc def " << "ABC DE";
        QTest::newRow("signs") << "r-1*+" << "R-1*+";
        QTest::newRow("empty") << "   " << "";
    }
    void names()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QCOMPARE(CleanChannelName(typed), stored);
    }

    void nameCharacters()
    {
        for (QChar c : QStringLiteral("09AZaz *+-"))
            QVERIFY2(IsNameCharacter(c), qPrintable(QString(c)));
        for (QChar c : QStringLiteral("._/#\u00e9\u4e2d"))
            QVERIFY2(!IsNameCharacter(c), qPrintable(QString(c)));
    }

    void editorFrequency_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("problem");
        QTest::addColumn<double>("value");
        QTest::newRow("inside") << "435.5" << int(FrequencyCheck::InBand) << 435.5;
        QTest::newRow("above") << "480" << int(FrequencyCheck::AboveBand) << 470.0;
        QTest::newRow("below") << "145" << int(FrequencyCheck::BelowBand) << 400.0;
        // Unlike the grid, the editors fall back to the lower limit.
        QTest::newRow("not a number") << "4.3.5" << int(FrequencyCheck::NotNumber) << 400.0;
    }
    void editorFrequency()
    {
        QFETCH(QString, text);
        QFETCH(int, problem);
        QFETCH(double, value);
        const FrequencyCheck check = CheckEditorFrequency(text);
        QCOMPARE(int(check.problem), problem);
        QCOMPARE(check.value, value);
    }

    void toneOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("noneText");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("index");
        QTest::newRow("empty is none") << "  " << "None" << 7 << 0;
        QTest::newRow("first item") << "None" << "None" << 7 << 0;
        QTest::newRow("translated first item") << "\u65e0" << "\u65e0" << 7 << 0;
        QTest::newRow("whole number") << "67" << "None" << 0 << 1;
        QTest::newRow("rounded") << " 88.54 " << "None" << 0 << 9;
        QTest::newRow("dcs") << "D023N" << "None" << 0 << 51;
        QTest::newRow("dcs inverted") << "D754I" << "None" << 0 << 262;
        QTest::newRow("listed twice keeps the second") << "D532N" << "None" << 136 << 136;
        QTest::newRow("listed twice finds the first") << "D532N" << "None" << 4 << 135;
        QTest::newRow("clamped above, not listed") << "300" << "None" << 3 << -1;
        QTest::newRow("clamped below, not listed") << "12" << "None" << 3 << -1;
        QTest::newRow("code the list lacks") << "D143N" << "None" << 3 << -1;
        QTest::newRow("lower-case suffix") << "D023n" << "None" << 3 << -1;
        QTest::newRow("malformed code") << "D89N" << "None" << 3 << -1;
    }
    void toneOfText()
    {
        QFETCH(QString, text);
        QFETCH(QString, noneText);
        QFETCH(int, current);
        QFETCH(int, index);
        QCOMPARE(ToneIndexOfText(text, noneText, current), index);
    }

    void offsetOfText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("offset");
        QTest::newRow("empty") << "" << "0.00000";
        QTest::newRow("not a number") << "1.2.3" << "0.00000";
        QTest::newRow("inside") << "5" << "5.00000";
        QTest::newRow("rounded down") << "5.0031" << "5.00000";
        QTest::newRow("rounded up") << "5.0032" << "5.00625";
        QTest::newRow("exactly 70") << "70" << "70.00000";
        QTest::newRow("above 70") << "85" << "70.00000";
    }
    void offsetOfText()
    {
        QFETCH(QString, text);
        QFETCH(QString, offset);
        QCOMPARE(mhzText(OffsetFromText(text, 0)), offset);
    }

    void frequencyBox_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("clamped");
        QTest::addColumn<QString>("shown");
        QTest::newRow("inside, rounded") << "146.0032" << 134.0 << 174.0 << 146.0032 << "146.00625";
        QTest::newRow("above") << "200" << 134.0 << 174.0 << 174.0 << "174.00000";
        QTest::newRow("below") << "100" << 134.0 << 174.0 << 134.0 << "134.00000";
        QTest::newRow("not a number") << "1..4" << 134.0 << 174.0 << 134.0 << "134.00000";
        QTest::newRow("empty is the minimum") << "" << 0.0 << 70.0 << 0.0 << "0.00000";
        QTest::newRow("step") << "0.025" << 0.0 << 70.0 << 0.025 << "0.02500";
        QTest::newRow("step above 70") << "71" << 0.0 << 70.0 << 70.0 << "70.00000";
    }
    void frequencyBox()
    {
        QFETCH(QString, text);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, clamped);
        QFETCH(QString, shown);
        QCOMPARE(ClampToBox(text, minimum, maximum), clamped);
        QCOMPARE(FrequencyBoxText(text, minimum, maximum), shown);
    }

    // A range filled in a 134 to 174 MHz band with the attributes of the window.
    void batchFillsASequence()
    {
        AppState.BandLow = 134.0;
        AppState.BandHigh = 174.0;
        testsupport::fillPattern();
        BatchPlan plan;
        plan.first = 1;
        plan.last = AppState.ChannelCount;
        plan.rx = 146.0;
        plan.rxStep = 0.025;
        plan.power = 0;
        plan.bandwidth = 0;
        plan.busyLock = true;
        plan.scanAdd = true;
        plan.name = QStringLiteral("AB-1");
        ApplyBatch(plan);
        TChannel c;
        const QStringList expected = {"146.00000", "146.02500", "146.05000", "146.07500"};
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.RxFrequency), expected.at(n - 1));
            QCOMPARE(mhzText(c.TxFrequency), expected.at(n - 1));
            QCOMPARE(c.DecodeTone, 0);
            QCOMPARE(c.EncodeTone, 0);
            QCOMPARE(int(c.TxPower), 0);
            QCOMPARE(int(c.Bandwidth), 0);
            QCOMPARE(int(c.BusyLock), 0);
            QCOMPARE(int(c.ScanDelete), 0);
            QCOMPARE(int(c.Compander), 1);
            QCOMPARE(int(c.Scrambler), 1);
            QCOMPARE(int(c.Epilogue), 1);
            QCOMPARE(int(c.Vox), 1);
            QCOMPARE(c.Name, QStringLiteral("AB-1"));
        }
        QVERIFY(DecodeChannel(108, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("148.67500"));
        // The TX stop flag is left as the pattern had it (bit 2 of byte 9).
        const int flags = 16 * 1 + 9;
        QCOMPARE(AppState.Image[flags] & 0x04, (0x5A ^ (flags * 7)) & 0x04);
        // The frequency-mode channel after the last memory channel is not touched.
        QCOMPARE(AppState.Image[16 * 110], std::uint8_t(0x5A ^ (16 * 110 * 7)));
    }

    void batchStopsAtTheBandEdges_data()
    {
        QTest::addColumn<bool>("descending");
        QTest::addColumn<double>("begin");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("up") << false << 469.9 << QStringList{"469.90000", "469.96250", "469.96250", "469.96250"};
        QTest::newRow("down") << true << 400.1 << QStringList{"400.10000", "400.03750", "400.03750", "400.03750"};
    }
    void batchStopsAtTheBandEdges()
    {
        QFETCH(bool, descending);
        QFETCH(double, begin);
        QFETCH(QStringList, expected);
        BatchPlan plan;
        plan.first = 1;
        plan.last = 4;
        plan.rx = begin;
        plan.rxStep = 0.0625;
        plan.rxDescending = descending;
        ApplyBatch(plan);
        TChannel c;
        for (int n = 1; n <= 4; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.RxFrequency), expected.at(n - 1));
        }
    }

    void batchReachesTheEdgeExactly()
    {
        BatchPlan plan;
        plan.first = 1;
        plan.last = 3;
        plan.rx = 469.95;
        plan.rxStep = 0.025;
        ApplyBatch(plan);
        TChannel c;
        QVERIFY(DecodeChannel(3, c));
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("470.00000"));
    }

    void batchTx_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("below");
        QTest::addColumn<double>("rx");
        QTest::addColumn<double>("txOrExcursion");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("excursion up, held to the band") << int(BatchPlan::TxExcursion) << false << 468.0 << 5.0
                                                        << QStringList{"470.00000", "470.00000"};
        QTest::newRow("excursion down") << int(BatchPlan::TxExcursion) << true << 468.0 << 5.0
                                        << QStringList{"463.00000", "463.00000"};
        QTest::newRow("own sequence") << int(BatchPlan::TxSequence) << false << 430.0 << 440.0
                                      << QStringList{"440.00000", "440.10000"};
    }
    void batchTx()
    {
        QFETCH(int, mode);
        QFETCH(bool, below);
        QFETCH(double, rx);
        QFETCH(double, txOrExcursion);
        QFETCH(QStringList, expected);
        BatchPlan plan;
        plan.first = 20;
        plan.last = 21;
        plan.rx = rx;
        plan.txMode = BatchPlan::TxMode(mode);
        plan.excursion = txOrExcursion;
        plan.excursionBelow = below;
        plan.tx = txOrExcursion;
        plan.txStep = 0.1;
        ApplyBatch(plan);
        TChannel c;
        for (int n = 20; n <= 21; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.RxFrequency), mhzText(rx));
            QCOMPARE(mhzText(c.TxFrequency), expected.at(n - 20));
        }
    }

    // A TX sequence that runs more than 70 MHz away from RX is held to RX +/- 70 MHz,
    // while the sequence itself runs on.
    void batchTxIsHeldToReach()
    {
        AppState.BandLow = 134.0;
        AppState.BandHigh = 520.0;
        BatchPlan plan;
        plan.first = 1;
        plan.last = 3;
        plan.rx = 150.0;
        plan.txMode = BatchPlan::TxSequence;
        plan.tx = 210.0;
        plan.txStep = 15.0;
        plan.txDescending = true;
        ApplyBatch(plan);
        TChannel c;
        const QStringList expected = {"210.00000", "195.00000", "180.00000"};
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.TxFrequency), expected.at(n - 1));
        }
        plan.tx = 240.0;
        plan.txDescending = false;
        ApplyBatch(plan);
        for (int n = 1; n <= 3; ++n) {
            QVERIFY(DecodeChannel(n, c));
            QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("220.00000"));
            QCOMPARE(mhzText(c.Offset), QStringLiteral("70.00000"));
        }
    }

    void batchTones_data()
    {
        QTest::addColumn<int>("begin");
        QTest::addColumn<int>("space");
        QTest::addColumn<bool>("descending");
        QTest::addColumn<QList<int>>("expected");
        QTest::newRow("up by 2") << 1 << 2 << false << QList<int>{1, 3, 5, 7, 9, 11};
        QTest::newRow("up to the end") << 255 << 3 << false << QList<int>{255, 258, 261, 262, 262, 262};
        QTest::newRow("down to none") << 5 << 2 << true << QList<int>{5, 3, 1, 0, 0, 0};
        QTest::newRow("fixed") << 51 << 0 << false << QList<int>{51, 51, 51, 51, 51, 51};
        QTest::newRow("huge space") << 2 << 2147483647 << false << QList<int>{2, 262, 262, 262, 262, 262};
    }
    void batchTones()
    {
        QFETCH(int, begin);
        QFETCH(int, space);
        QFETCH(bool, descending);
        QFETCH(QList<int>, expected);
        BatchPlan plan;
        plan.first = 1;
        plan.last = AppState.ChannelCount;
        plan.rx = 440.0;
        plan.rxTone = begin;
        plan.rxSpace = space;
        plan.rxToneDescending = descending;
        // The TX tone runs its own sequence the other way.
        plan.txToneSameAsRx = false;
        plan.txTone = begin;
        plan.txSpace = space;
        plan.txToneDescending = !descending;
        ApplyBatch(plan);
        TChannel c;
        for (int k = 0; k < expected.size(); ++k) {
            QVERIFY(DecodeChannel(k + 1, c));
            QCOMPARE(c.DecodeTone, expected.at(k));
        }
        const qint64 distance = qint64(space) * (AppState.ChannelCount - 1);
        QVERIFY(DecodeChannel(108, c));
        QCOMPARE(c.DecodeTone, int(qBound(qint64(0), descending ? begin - distance : begin + distance, qint64(262))));
        QVERIFY(DecodeChannel(2, c));
        QCOMPARE(c.EncodeTone, qBound(0, descending ? begin + space : begin - space, 262));
    }

    void batchRandomTones()
    {
        QList<int> bounds;
        int next = 0;
        const ToneDraw draw = [&](int count) {
            bounds << count;
            next = (next + 97) % count;
            return next;
        };
        BatchPlan plan;
        plan.first = 10;
        plan.last = 12;
        plan.rx = 440.0;
        plan.rxToneRandom = true;
        plan.txToneSameAsRx = true;
        ApplyBatch(plan, draw);
        // Every tone but the last can be drawn, "None" included; TX takes RX's tone.
        QCOMPARE(bounds, QList<int>({262, 262, 262}));
        TChannel c;
        QVERIFY(DecodeChannel(10, c));
        QCOMPARE(c.DecodeTone, 97);
        QCOMPARE(c.EncodeTone, 97);
        QVERIFY(DecodeChannel(12, c));
        QCOMPARE(c.DecodeTone, 291 % 262);

        bounds.clear();
        plan.rxToneRandom = false;
        plan.rxTone = 4;
        plan.txToneSameAsRx = false;
        plan.txToneRandom = true;
        ApplyBatch(plan, draw);
        QCOMPARE(bounds.size(), 3);
        QVERIFY(DecodeChannel(11, c));
        QCOMPARE(c.DecodeTone, 4);
        QCOMPARE(c.EncodeTone, (291 + 97 + 97) % 262);
    }

    void batchWritesNothingForAnEmptyRange()
    {
        testsupport::fillPattern();
        const ImageBytes before = AppState.Image;
        BatchPlan plan;
        plan.first = 10;
        plan.last = 5;
        plan.rx = 440.0;
        ApplyBatch(plan);
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
    }

    void batchClears()
    {
        BatchPlan plan;
        plan.first = 1;
        plan.last = AppState.ChannelCount;
        plan.rx = 440.0;
        ApplyBatch(plan);
        plan.clear = true;
        plan.first = 3;
        plan.last = 5;
        ApplyBatch(plan);
        QVERIFY(!IsChannelEmpty(2));
        for (int n = 3; n <= 5; ++n) {
            QVERIFY(IsChannelEmpty(n));
            for (int i = 0; i < 16; ++i)
                QCOMPARE(AppState.Image[16 * n + i], std::uint8_t(0xFF));
        }
        QVERIFY(!IsChannelEmpty(6));
    }

    void batchNamesChannelsByNumber()
    {
        BatchPlan plan;
        plan.first = 1;
        plan.last = AppState.ChannelCount;
        plan.rx = 440.0;
        plan.name = QStringLiteral("XYZ");
        plan.nameIsChannelNumber = true;
        ApplyBatch(plan);
        TChannel c;
        QVERIFY(DecodeChannel(7, c));
        QCOMPARE(c.Name, QStringLiteral("7"));
        QVERIFY(DecodeChannel(100, c));
        QCOMPARE(c.Name, QStringLiteral("100"));
        QCOMPARE(AppState.Image[16 * 100 + 10], std::uint8_t(1));
        QCOMPARE(AppState.Image[16 * 100 + 13], std::uint8_t(0xFF));
    }

    void fmFrequency_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("isNumber");
        QTest::newRow("on the grid") << "88.1" << "88.10000" << true;
        QTest::newRow("half a step rounds down") << "88.1125" << "88.10000" << true;
        QTest::newRow("more than half rounds up") << "88.1126" << "88.12500" << true;
        QTest::newRow("above") << "120" << "108.00000" << true;
        QTest::newRow("below") << "50" << "76.00000" << true;
        QTest::newRow("not a number") << "8a" << "76.00000" << false;
    }
    void fmFrequency()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        QFETCH(bool, isNumber);
        const FmFrequencyText fm = NormalizeFmFrequency(typed);
        QCOMPARE(fm.text, stored);
        QCOMPARE(fm.isNumber, isNumber);
    }
};

QTEST_GUILESS_MAIN(TestChannelEdit)
#include "tst_channeledit.moc"
