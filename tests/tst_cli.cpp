// ze4k-cli new, show and set, run as a user's script would run them.
#include "testsupport.h"
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using testsupport::readFile;

using Run = testsupport::ToolRun;

Run cli(const QStringList &args)
{
    QProcess p;
    return testsupport::runTool(p, qEnvironmentVariable("ZE4K_CLI"), args);
}

QJsonObject showJson(const QString &path)
{
    const Run r = cli({QStringLiteral("show"), path, QStringLiteral("--json")});
    if (r.status != 0)
        qWarning("show failed: %s", r.err.constData());
    return QJsonDocument::fromJson(r.out).object();
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase() { QVERIFY(!qEnvironmentVariable("ZE4K_CLI").isEmpty()); }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown command") << QStringList{"flash"};
        QTest::newRow("new without file") << QStringList{"new"};
        QTest::newRow("show unknown option") << QStringList{"show", "x.dat", "--xml"};
        QTest::newRow("set without pairs") << QStringList{"set", "x.dat"};
        QTest::newRow("set pair without =") << QStringList{"set", "x.dat", "Volume"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("usage: ze4k-cli"));
    }

    void newDefaultImage()
    {
        const QString file = path("default.dat");
        QCOMPARE(cli({QStringLiteral("new"), file}).status, 0);
        const QByteArray bytes = readFile(file);
        QCOMPARE(bytes.size(), 2064);
        QCOMPARE(bytes.left(8), QByteArray("P4k45\x40\x04\x70"));
        QCOMPARE(bytes.mid(14, 2), QByteArray("\xFF\xFF"));
        const QJsonObject o = showJson(file);
        QCOMPARE(o.value("ModelCode").toString(), QStringLiteral("4k45"));
        QCOMPARE(o.value("ModelName").toString(), QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(o.value("BandText").toString(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(o.value("BandCode").toInt(), 0xF5);
        QCOMPARE(o.value("BandLow").toDouble(), 400.0);
        QCOMPARE(o.value("BandHigh").toDouble(), 470.0);
        QCOMPARE(o.value("Channels").toArray().size(), 0);
        QCOMPARE(o.value("FmChannels").toArray().size(), 0);
        QCOMPARE(o.value("FmVfoFrequency").toString(), QStringLiteral("76.00000"));
        QCOMPARE(o.value("SerialNumber").toString(), QString(16, QLatin1Char(' ')));
        const QJsonObject vfo = o.value("VfoChannel").toObject();
        QCOMPARE(vfo.value("RxFrequency").toString(), QStringLiteral("400.00000"));
        QVERIFY(!vfo.contains("ScanDelete") && !vfo.contains("Number"));
        const QJsonObject settings = o.value("Settings").toObject();
        QCOMPARE(settings.size(), 28);
        QCOMPARE(settings.value("SquelchLevel").toInt(), 4);
        QCOMPARE(settings.value("HighVoltageInhibitTx").toInt(), 255);
    }

    void newWithBandAndLimits()
    {
        const QString file = path("limits.dat");
        const Run r = cli({"new", file, "--model", "4k46", "--band", "400 - 520MHz", "--limits", "410.625", "450.25"});
        QCOMPARE(r.status, 0);
        QCOMPARE(readFile(file).mid(5, 3), QByteArray("\x41\x14\x50"));
        const QJsonObject o = showJson(file);
        QCOMPARE(o.value("BandCode").toInt(), 0xA6);
        QCOMPARE(o.value("BandText").toString(), QStringLiteral("410.625 - 450.250MHz"));
        QCOMPARE(o.value("BandLow").toDouble(), 410.625);
        QCOMPARE(o.value("BandHigh").toDouble(), 450.25);
    }

    void newRefusals_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::newRow("unknown model") << QStringList{"--model", "4k47"};
        QTest::newRow("band of the other model") << QStringList{"--model", "4k45", "--band", "134 - 174MHz"};
        QTest::newRow("limits outside band") << QStringList{"--limits", "390", "450"};
        QTest::newRow("limits inverted") << QStringList{"--limits", "450", "410"};
        QTest::newRow("limits equal") << QStringList{"--limits", "450", "450"};
        QTest::newRow("limits not numbers") << QStringList{"--limits", "4x0", "450"};
    }
    void newRefusals()
    {
        QFETCH(QStringList, options);
        const QString file = path("refused.dat");
        const Run r = cli(QStringList{"new", file} + options);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(!QFile::exists(file));
    }

    void setThenShow()
    {
        const QString file = path("set.dat");
        QCOMPARE(cli({"new", file, "--model", "4k46"}).status, 0);
        const Run r = cli({"set", file, "ch12.RxFrequency=145.0032", "ch12.TxFrequency=144.4", "ch12.Name=rpt 1",
                           "ch12.EncodeTone=D023I", "fm1=88.1", "Volume=3", "SerialNumber=ab12"});
        QVERIFY2(r.status == 0, r.err.constData());
        const QJsonObject o = showJson(file);
        const QJsonArray channels = o.value("Channels").toArray();
        QCOMPARE(channels.size(), 1);
        const QJsonObject ch = channels.first().toObject();
        QCOMPARE(ch.value("Number").toInt(), 12);
        QCOMPARE(ch.value("RxFrequency").toString(), QStringLiteral("145.00625"));
        QCOMPARE(ch.value("TxFrequency").toString(), QStringLiteral("144.40000"));
        QCOMPARE(ch.value("Offset").toString(), QStringLiteral("0.60625"));
        QCOMPARE(ch.value("Duplex").toInt(), 2);
        QCOMPARE(ch.value("EncodeTone").toString(), QStringLiteral("D023I"));
        QCOMPARE(ch.value("EncodeToneIndex").toInt(), 157);
        QCOMPARE(ch.value("Name").toString(), QStringLiteral("RPT 1"));
        QCOMPARE(ch.value("TxPower").toInt(), 1);
        QCOMPARE(o.value("FmChannels").toArray().first().toObject().value("Frequency").toString(),
                 QStringLiteral("88.10000"));
        QCOMPARE(o.value("Settings").toObject().value("Volume").toInt(), 3);
        QCOMPARE(o.value("SerialNumber").toString(), QStringLiteral("AB12            "));

        const Run text = cli({"show", file});
        QCOMPARE(text.status, 0);
        QVERIFY(text.out.contains("145.00625"));
        QVERIFY(text.out.contains("ZE-4K(MHF)"));
    }

    void refusedSetLeavesTheFile()
    {
        const QString file = path("keep.dat");
        QCOMPARE(cli({"new", file}).status, 0);
        QCOMPARE(cli({"set", file, "ch1.RxFrequency=440"}).status, 0);
        const QByteArray before = readFile(file);
        const Run r = cli({"set", file, "ch2.RxFrequency=441", "ch1.RxFrequency=500"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err.count('\n'), 1);
        QVERIFY(r.err.contains("ch1.RxFrequency=500"));
        QCOMPARE(readFile(file), before);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("says");
        QTest::newRow("empty") << QByteArray() << QByteArray("Model Type Wrong.");
        QTest::newRow("other model") << QByteArray("P4k99").append(2059, '\xFF') << QByteArray("Model Type Wrong.");
        QTest::newRow("band not decimal") << QByteArray("P4k45\x4A\x04\x70").append(2056, '\xFF') << QByteArray("4A0470");
        QTest::newRow("truncated") << QByteArray("P4k45\x40\x04\x70").append(1000, '\xFF') << QByteArray("too short");
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, says);
        const QString file = path("bad.dat");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(content);
        f.close();
        for (const QStringList &args : {QStringList{"show", file}, QStringList{"set", file, "Volume=1"}}) {
            const Run r = cli(args);
            QCOMPARE(r.status, 1);
            QVERIFY2(r.err.contains(says), r.err.constData());
            QVERIFY2(r.err.contains("bad.dat"), r.err.constData());
        }
        QCOMPARE(readFile(file), content);
    }

    void missingFile()
    {
        const QString file = path("missing.dat");
        const Run r = cli({"set", file, "Volume=1"});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("missing.dat"));
        QVERIFY(!QFile::exists(file));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
