// The editing rules shared by the channel grid, the editors and ze4k-cli.
#include "testsupport.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
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
