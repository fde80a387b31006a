// ze4k-cli export and import, run as a user's script would run them.
#include "testsupport.h"
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

using Run = testsupport::ToolRun;

Run cli(const QStringList &args, const QByteArray &input = QByteArray())
{
    QProcess p;
    return testsupport::runTool(p, qEnvironmentVariable("ZE4K_CLI"), args, input);
}

} // namespace

class TestCliInterchange : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_radio;

    QString path(const char *name) const { return m_dir.filePath(QLatin1String(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariable("ZE4K_CLI").isEmpty());
        m_radio = path("radio.dat");
        QCOMPARE(cli({"new", m_radio}).status, 0);
        const Run set = cli({"set", m_radio, "ch1.RxFrequency=440.5", "ch1.TxFrequency=445.5", "ch1.EncodeTone=88.5",
                             "ch1.Name=RPT1", "ch7.RxFrequency=433.0", "ch7.DecodeTone=D023N", "fm3=99.5",
                             "Volume=7", "SerialNumber=SN-1"});
        QVERIFY2(set.status == 0, set.err.constData());
    }

    void usage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("export without format") << QStringList{"export", "radio.dat"};
        QTest::newRow("export two formats") << QStringList{"export", "radio.dat", "--csv", "a", "--json", "b"};
        QTest::newRow("export replace-all") << QStringList{"export", "radio.dat", "--csv", "a", "--replace-all"};
        QTest::newRow("import without file") << QStringList{"import", "--csv", "a.csv"};
        QTest::newRow("import json replace-all") << QStringList{"import", "radio.dat", "--json", "a", "--replace-all"};
    }
    void usage()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("usage: ze4k-cli"));
    }

    // Export to a file and to standard output give the same text; importing it into
    // a new file gives the channels (CSV) or every byte (JSON) back.
    void roundTrips_data()
    {
        QTest::addColumn<QString>("format");
        QTest::newRow("csv") << "--csv";
        QTest::newRow("json") << "--json";
    }
    void roundTrips()
    {
        QFETCH(QString, format);
        const QString out = path("export.txt");
        QCOMPARE(cli({"export", m_radio, format, out}).status, 0);
        const Run toStdout = cli({"export", m_radio, format, "-"});
        QCOMPARE(toStdout.status, 0);
        QCOMPARE(toStdout.out, readFile(out));

        const QString copy = path("copy.dat");
        QFile::remove(copy);
        QCOMPARE(cli({"new", copy}).status, 0);
        const Run imported = cli({"import", copy, format, "-"}, toStdout.out);
        QVERIFY2(imported.status == 0, imported.err.constData());
        QCOMPARE(cli({"export", copy, format, "-"}).out, toStdout.out);
        if (format == QLatin1String("--json"))
            QCOMPARE(readFile(copy).mid(16), readFile(m_radio).mid(16));
    }

    void reportAndReplaceAll()
    {
        const QString file = path("replace.dat");
        QVERIFY(QFile::copy(m_radio, file));
        const QString csv = path("two.csv");
        QVERIFY(writeFile(csv, "Location,Frequency,Mode\n2,441.0,FM\n3,441.5,AM\n"));
        const Run r = cli({"import", file, "--csv", csv, "--replace-all"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.contains("line 3: mode 'AM' is not FM or NFM"), r.err.constData());
        QVERIFY(r.err.contains("1 channels imported, 1 lines skipped"));
        const QByteArray shown = cli({"export", file, "--csv", "-"}).out;
        QCOMPARE(shown.count('\n'), 2);   // header and channel 2: the others were cleared
        QVERIFY(shown.contains("\n2,,441.000000,"));
    }

    // Nothing usable, a file of another model, input that cannot be read: exit 1 and
    // the data file keeps every byte.
    void failuresLeaveFileUnchanged_data()
    {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("no usable row") << "--csv" << QByteArray("Location,Frequency\n500,440\n") << QByteArray("unchanged");
        QTest::newRow("not CHIRP") << "--csv" << QByteArray("a,b\n1,2\n") << QByteArray("header");
        QTest::newRow("other model") << "--json" << QByteArray("{\"ModelCode\": \"4k46\"}") << QByteArray("model");
        QTest::newRow("not JSON") << "--json" << QByteArray("{") << QByteArray("not JSON");
        QTest::newRow("missing input") << "--csv" << QByteArray() << QByteArray("cannot read");
    }
    void failuresLeaveFileUnchanged()
    {
        QFETCH(QString, format);
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, message);
        const QString input = path("input.txt");
        QFile::remove(input);
        if (!content.isEmpty())
            QVERIFY(writeFile(input, content));
        const QByteArray before = readFile(m_radio);
        const Run r = cli({"import", m_radio, format, input});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(message), r.err.constData());
        QCOMPARE(readFile(m_radio), before);
    }

    void exportToUnwritablePlace()
    {
        const Run r = cli({"export", m_radio, "--csv", path("no/such/folder/out.csv")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains("out.csv"));
    }
};

QTEST_GUILESS_MAIN(TestCliInterchange)
#include "tst_cliinterchange.moc"
