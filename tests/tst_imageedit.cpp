// Named edits of the image, as ze4k-cli set applies them.
#include "testsupport.h"
#include "image/channelcodec.h"
#include "image/image.h"
#include "image/imageedit.h"
#include "image/imagemap.h"
#include "image/models.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include <QTest>

class TestImageEdit : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    static void apply(const QString &key, const QString &value)
    {
        const EditResult r = ApplyEdit(key, value);
        QVERIFY2(r.ok, qPrintable(r.message));
    }

    static TChannel channel(int n)
    {
        TChannel c;
        const bool holdsData = DecodeChannel(n, c);
        if (!holdsData)
            qWarning("channel %d is empty", n);
        return c;
    }

private slots:
    void init()
    {
        testsupport::freshState(m_dir.path());
        SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("134 - 174MHz"), 0xF0, true);
        NewImage();
        apply(QStringLiteral("ch1.RxFrequency"), QStringLiteral("145.5"));
        apply(QStringLiteral("ch1.TxFrequency"), QStringLiteral("145.0"));
        AppState.Modified = false;
    }

    void channelFields()
    {
        apply(QStringLiteral("ch1.DecodeTone"), QStringLiteral("88.5"));
        apply(QStringLiteral("ch1.EncodeTone"), QStringLiteral("d023n"));
        apply(QStringLiteral("ch1.Name"), QStringLiteral("rpt-1*x"));
        apply(QStringLiteral("ch1.TxPower"), QStringLiteral("0"));
        apply(QStringLiteral("ch1.Vox"), QStringLiteral("0"));
        apply(QStringLiteral("ch1.ScanDelete"), QStringLiteral("0"));
        const TChannel c = channel(1);
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("145.50000"));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("145.00000"));
        QCOMPARE(int(c.Duplex), 2);
        QCOMPARE(c.DecodeTone, 9);
        QCOMPARE(c.EncodeTone, 51);
        QCOMPARE(c.Name, QStringLiteral("RPT-1*"));
        QCOMPARE(int(c.TxPower), 0);
        QCOMPARE(int(c.Vox), 0);
        QCOMPARE(int(c.ScanDelete), 0);
        QVERIFY(AppState.Modified);
    }

    void duplicateToneReachedByIndex()
    {
        apply(QStringLiteral("ch1.DecodeTone"), QStringLiteral("D532N"));
        QCOMPARE(channel(1).DecodeTone, 135);
        apply(QStringLiteral("ch1.DecodeToneIndex"), QStringLiteral("136"));
        QCOMPARE(channel(1).DecodeTone, 136);
    }

    void rxChangeKeepsTxAndEmptyRxErases()
    {
        apply(QStringLiteral("ch1.RxFrequency"), QStringLiteral("146.0032"));
        TChannel c = channel(1);
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("146.00625"));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("145.00000"));
        apply(QStringLiteral("ch1.RxFrequency"), QString());
        QVERIFY(IsChannelEmpty(1));
    }

    void offsetAndDuplex()
    {
        apply(QStringLiteral("ch1.Duplex"), QStringLiteral("1"));
        QCOMPARE(mhzText(channel(1).TxFrequency), QStringLiteral("146.00000"));
        apply(QStringLiteral("ch1.Offset"), QStringLiteral("0.6"));
        QCOMPARE(mhzText(channel(1).TxFrequency), QStringLiteral("146.10000"));
    }

    void frequencyModeChannel()
    {
        apply(QStringLiteral("chvfo.RxFrequency"), QStringLiteral("150.0031"));
        apply(QStringLiteral("chvfo.Offset"), QStringLiteral("5"));
        apply(QStringLiteral("chvfo.Duplex"), QStringLiteral("2"));
        TChannel c = channel(imagemap::VfoChannelNumber);
        QCOMPARE(mhzText(c.RxFrequency), QStringLiteral("150.00000"));
        QCOMPARE(mhzText(c.TxFrequency), QStringLiteral("145.00000"));
        apply(QStringLiteral("chvfo.RxFrequency"), QString());
        QCOMPARE(mhzText(channel(imagemap::VfoChannelNumber).RxFrequency), QStringLiteral("134.00000"));
    }

    void fmSettingsAndSerial()
    {
        apply(QStringLiteral("fm3"), QStringLiteral("88.1126"));
        QCOMPARE(mhzText(DecodeFmChannel(2)), QStringLiteral("88.12500"));
        apply(QStringLiteral("fm3"), QString());
        QCOMPARE(DecodeFmChannel(2), -1.0);
        apply(QStringLiteral("fmvfo"), QString());
        QCOMPARE(mhzText(DecodeFmChannel(imagemap::FmVfoIndex)), QStringLiteral("76.00000"));
        apply(QStringLiteral("fmvfo"), QStringLiteral("120"));
        QCOMPARE(mhzText(DecodeFmChannel(imagemap::FmVfoIndex)), QStringLiteral("108.00000"));
        apply(QStringLiteral("SquelchLevel"), QStringLiteral("9"));
        QCOMPARE(int(AppState.Image[setting::SquelchLevel]), 9);
        apply(QStringLiteral("SerialNumber"), QStringLiteral("ab12"));
        QCOMPARE(DecodeSerialNumber(), QStringLiteral("AB12            "));
    }

    void rxMoveThatLeavesTxTooFarIsRefused()
    {
        SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("134 - 520MHz"), 0xF0, true);
        const ImageBytes before = AppState.Image;
        const EditResult r = ApplyEdit(QStringLiteral("ch1.RxFrequency"), QStringLiteral("300"));
        QVERIFY(!r.ok);
        QVERIFY(r.message.contains(QLatin1String("70 MHz")));
        QVERIFY(AppState.Image == before);
    }

    void refusedEditsChangeNothing_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("rx above band") << "ch2.RxFrequency" << "175";
        QTest::newRow("rx below band") << "ch2.RxFrequency" << "100";
        QTest::newRow("rx not a number") << "ch2.RxFrequency" << "14a";
        QTest::newRow("tx outside band") << "ch1.TxFrequency" << "180";
        QTest::newRow("field of empty channel") << "ch2.Name" << "X";
        QTest::newRow("tone not in list") << "ch1.DecodeTone" << "290.0";
        QTest::newRow("dcs not in list") << "ch1.EncodeTone" << "D777N";
        QTest::newRow("tone index too high") << "ch1.DecodeToneIndex" << "263";
        QTest::newRow("flag not a bit") << "ch1.TxPower" << "2";
        QTest::newRow("name character") << "ch1.Name" << "a.b";
        QTest::newRow("offset above 70") << "ch1.Offset" << "70.5";
        QTest::newRow("offset leaves band") << "ch1.Offset" << "40";
        QTest::newRow("duplex 3") << "ch1.Duplex" << "3";
        QTest::newRow("no channel 109") << "ch109.RxFrequency" << "145";
        QTest::newRow("no channel 0") << "ch0.RxFrequency" << "145";
        QTest::newRow("vfo has no scan bit") << "chvfo.ScanDelete" << "1";
        QTest::newRow("unknown field") << "ch1.Colour" << "1";
        QTest::newRow("fm 21") << "fm21" << "88";
        QTest::newRow("fm not a number") << "fm1" << "x";
        QTest::newRow("setting above list") << "TxTimeOut" << "11";
        QTest::newRow("setting negative") << "Volume" << "-1";
        QTest::newRow("setting not a number") << "Volume" << "loud";
        QTest::newRow("serial too long") << "SerialNumber" << "0123456789ABCDEFG";
        QTest::newRow("unknown key") << "Brightness" << "1";
    }
    void refusedEditsChangeNothing()
    {
        QFETCH(QString, key);
        QFETCH(QString, value);
        const ImageBytes before = AppState.Image;
        const EditResult r = ApplyEdit(key, value);
        QVERIFY(!r.ok);
        QVERIFY2(r.message.startsWith(key + QLatin1Char('=')), qPrintable(r.message));
        QVERIFY(!r.message.contains(QLatin1Char('\n')));
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
    }
};

QTEST_GUILESS_MAIN(TestImageEdit)
#include "tst_imageedit.moc"
