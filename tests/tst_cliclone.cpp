// ze4k-cli ports, read and write against the virtual radio, and the automatic backups
// they leave behind.
//
// The tool runs from a folder of its own (a copy of the executable with the shipped
// settings and language files), as an unpacked copy would: its settings file there
// maps COM5 to the virtual radio and its backups land there too.
#include "testsupport.h"
#include "image/datafile.h"
#include "image/imagemap.h"
#include "link/backups.h"
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

constexpr int Header = FileHeaderSize;
constexpr int RadioBytes = imagemap::RadioBytes;

using Run = testsupport::ToolRun;

// The radio memory a data file holds: image bytes 0 to 2031.
QByteArray radioPart(const QByteArray &file)
{
    return file.mid(Header, RadioBytes);
}

// A virtual radio on a pseudo-terminal, reachable through a link in the test folder.
class Radio
{
public:
    ~Radio() { stop(); }

    bool start(const QString &link, const QStringList &options)
    {
        m_link = link;
        m_process.setProgram(qEnvironmentVariable("ZE4K_RADIO_SIM"));
        m_process.setArguments(QStringList{QStringLiteral("--link"), link, QStringLiteral("--trace")} + options);
        m_process.start();
        if (!m_process.waitForStarted(10000))
            return false;
        // The first line is the device; the link exists from then on.
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(10000))
                return false;
        }
        m_device = QString::fromLocal8Bit(m_process.readLine()).trimmed();
        return !m_device.isEmpty() && QFileInfo(link).isSymLink();
    }

    // Ends the radio and returns its trace.
    QByteArray stop()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.terminate();
            if (!m_process.waitForFinished(10000)) {
                m_process.kill();
                m_process.waitForFinished(10000);
            }
        }
        m_trace += m_process.readAllStandardError();
        return m_trace;
    }

    QString device() const { return m_device; }

private:
    QProcess m_process;
    QString m_link, m_device;
    QByteArray m_trace;
};

// The bytes of the last line the host sent, as the radio's trace shows them.
QString lastHostBytes(const QByteArray &trace)
{
    QString last;
    static const QRegularExpression hostLine(QStringLiteral("host>\\s+(.*)$"));
    for (const QByteArray &line : trace.split('\n')) {
        const QRegularExpressionMatch m = hostLine.match(QString::fromLatin1(line).trimmed());
        if (m.hasMatch())
            last = m.captured(1).trimmed();
    }
    return last;
}

} // namespace

class TestCliClone : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_app;     // the tool's own folder
    QString m_cli;     // the tool in it
    QString m_link;    // where COM5 points: the virtual radio's link
    QString m_image45; // a 4k45 data file with channels, FM channels and a serial number
    QString m_image46; // the same for a 4k46

    QString path(const QString &name) const { return m_dir.filePath(name); }
    QString backupDir() const { return m_app + QStringLiteral("/backups"); }

    Run cli(const QStringList &args) const
    {
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        Run r = testsupport::runTool(p, m_cli, args);
        // A sanitizer report ends the tool with status 1 too; it is no answer of the tool's.
        if (r.err.contains("Sanitizer"))
            r.status = -1;
        return r;
    }

    QStringList backups() const
    {
        return QDir(backupDir()).entryList({QStringLiteral("*.dat")}, QDir::Files, QDir::Name);
    }

    // Backups that appeared since the list before.
    QStringList newBackups(const QStringList &before) const
    {
        QStringList added;
        for (const QString &name : backups()) {
            if (!before.contains(name))
                added << name;
        }
        return added;
    }

    bool makeImage(const QString &file, const QString &model, const QString &rx)
    {
        if (cli({QStringLiteral("new"), file, QStringLiteral("--model"), model}).status != 0)
            return false;
        const Run r = cli({QStringLiteral("set"), file, QStringLiteral("ch1.RxFrequency=") + rx,
                           QStringLiteral("ch1.Name=FIRST"), QStringLiteral("ch7.RxFrequency=") + rx,
                           QStringLiteral("ch7.TxPower=1"), QStringLiteral("ch108.RxFrequency=") + rx,
                           QStringLiteral("fm3=98.7"), QStringLiteral("SerialNumber=ZE") + model,
                           QStringLiteral("SquelchLevel=7")});
        if (r.status != 0)
            qWarning("set failed: %s", r.err.constData());
        return r.status == 0;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        const QString cli = qEnvironmentVariable("ZE4K_CLI");
        QVERIFY2(!cli.isEmpty(), "ZE4K_CLI names the tool");
        QVERIFY2(!qEnvironmentVariable("ZE4K_RADIO_SIM").isEmpty(), "ZE4K_RADIO_SIM names the virtual radio");

        // A portable copy: the executable with the shipped files beside it.
        m_app = path(QStringLiteral("app"));
        QVERIFY(QDir().mkpath(m_app));
        const QDir shipped = QFileInfo(cli).absoluteDir();
        m_cli = m_app + QLatin1Char('/') + QFileInfo(cli).fileName();
        QVERIFY(QFile::copy(cli, m_cli));
        for (const char *name : {"SysInfo.Ini", "English.Ini", "Chinese.Ini"})
            QVERIFY(QFile::copy(shipped.filePath(QLatin1String(name)), m_app + QLatin1Char('/') + QLatin1String(name)));
        QFile::setPermissions(m_app + QStringLiteral("/SysInfo.Ini"), QFile::ReadOwner | QFile::WriteOwner);
        m_link = path(QStringLiteral("radio"));
        QByteArray settings = readFile(m_app + QStringLiteral("/SysInfo.Ini"));
        settings += "\r\n[Ports]\r\nCOM5=" + m_link.toLocal8Bit() + "\r\n";
        QVERIFY(writeFile(m_app + QStringLiteral("/SysInfo.Ini"), settings));

        m_image45 = path(QStringLiteral("image45.dat"));
        m_image46 = path(QStringLiteral("image46.dat"));
        QVERIFY(makeImage(m_image45, QStringLiteral("4k45"), QStringLiteral("433.025")));
        QVERIFY(makeImage(m_image46, QStringLiteral("4k46"), QStringLiteral("145.5")));
    }

    void portsListsTheMappedRadio()
    {
        Radio radio;
        QVERIFY(radio.start(m_link, {}));
        const Run r = cli({QStringLiteral("ports")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.split('\n').contains("COM5\t" + m_link.toLocal8Bit()), r.out.constData());
        QVERIFY(r.err.isEmpty());
    }

    void readComplete_data()
    {
        QTest::addColumn<QString>("port");   // empty: the radio's device path
        QTest::addColumn<QString>("image");
        QTest::addColumn<QByteArray>("model");
        QTest::newRow("4k46 by device path") << QString() << QStringLiteral("image46.dat") << QByteArray("4k46");
        QTest::newRow("4k45 as com5") << QStringLiteral("com5") << QStringLiteral("image45.dat") << QByteArray("4k45");
        QTest::newRow("4k45 by a path relative to the working folder")
            << QStringLiteral("./radio") << QStringLiteral("image45.dat") << QByteArray("4k45");
    }
    void readComplete()
    {
        QFETCH(QString, port);
        QFETCH(QString, image);
        QFETCH(QByteArray, model);
        const QByteArray source = readFile(path(image));
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--image"), path(image)}));
        const QString out = path(QStringLiteral("read-%1.dat").arg(QString::fromLatin1(model)));
        QFile::remove(out);
        const QStringList before = backups();

        const Run r = cli({QStringLiteral("read"), QStringLiteral("--port"),
                           port.isEmpty() ? m_link : port, QStringLiteral("-o"), out});
        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY(r.err.contains("Reading Completed."));
        QVERIFY2(!r.err.contains('\r'), "no progress bar on a pipe");
        const QByteArray got = readFile(out);
        QCOMPARE(got.size(), DataFileSize);
        QCOMPARE(got.left(5), "P" + model);
        QCOMPARE(got.mid(5, 3), source.mid(5, 3));
        QCOMPARE(radioPart(got).toHex(), radioPart(source).toHex());
        QCOMPARE(lastHostBytes(radio.stop()), QStringLiteral("45"));

        // The backup holds what came from the radio.
        const QStringList added = newBackups(before);
        QCOMPARE(added.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{6}_%1_read(_\\d+)?\\.dat$")
                                        .arg(QString::fromLatin1(model)))
                     .match(added.first())
                     .hasMatch(),
                 qPrintable(added.first()));
        const QByteArray backup = readFile(backupDir() + QLatin1Char('/') + added.first());
        QCOMPARE(backup.left(8), got.left(8));
        QCOMPARE(radioPart(backup).toHex(), radioPart(source).toHex());
    }

    // On a terminal the bar is redrawn in place and ends before the next message.
    void progressBarOnATerminal()
    {
        const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
        if (script.isEmpty())
            QSKIP("no 'script' to run the tool on a terminal");
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--image"), m_image45}));
        const auto quoted = [](const QString &text) { return QLatin1Char('\'') + text + QLatin1Char('\''); };
        const QString command = QStringList{quoted(m_cli), QStringLiteral("read"), QStringLiteral("--port"),
                                            quoted(m_link), QStringLiteral("-o"),
                                            quoted(path(QStringLiteral("on-terminal.dat")))}
                                    .join(QLatin1Char(' '));
        QProcess p;
        p.start(script, {QStringLiteral("-qec"), command, QStringLiteral("/dev/null")});
        QVERIFY(p.waitForFinished(60000));
        const QByteArray screen = p.readAllStandardOutput();
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(screen.contains("\r[#"), screen.constData());
        QVERIFY2(screen.contains("[########################################]  126/126\r\nConfirmation: Reading Completed."),
                 screen.constData());
    }

    void writeComplete()
    {
        const QByteArray source = readFile(m_image46);
        const QString saved = path(QStringLiteral("radio-after-write.dat"));
        QFile::remove(saved);
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--model"), QStringLiteral("4k46"), QStringLiteral("--save"), saved}));
        const QStringList before = backups();

        const Run r = cli({QStringLiteral("write"), QStringLiteral("--port"), QStringLiteral("COM5"), m_image46});
        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY(r.err.contains("Writing Completed."));
        QCOMPARE(lastHostBytes(radio.stop()), QStringLiteral("45"));
        QCOMPARE(readFile(m_image46), source);   // the file itself is not touched

        // The radio holds the image, stamped with the time of writing.
        const QByteArray memory = radioPart(readFile(saved));
        QCOMPARE(memory.size(), RadioBytes);
        const int stamp = imagemap::WriteTime;
        QCOMPARE(memory.left(stamp).toHex(), radioPart(source).left(stamp).toHex());
        QCOMPARE(memory.mid(stamp + 7).toHex(), radioPart(source).mid(stamp + 7).toHex());
        QCOMPARE(quint8(memory[stamp]) | quint8(memory[stamp + 1]) << 8, QDate::currentDate().year());

        // The backup was taken before the write: the image as the file had it.
        const QStringList added = newBackups(before);
        QCOMPARE(added.size(), 1);
        QVERIFY2(added.first().contains(QRegularExpression(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}_\\d{6}_4k46_write"))),
                 qPrintable(added.first()));
        const QByteArray backup = readFile(backupDir() + QLatin1Char('/') + added.first());
        QCOMPARE(backup.left(8), source.left(8));
        QCOMPARE(backup.mid(Header).toHex(), source.mid(Header).toHex());
    }

    void writeToOtherModel_data()
    {
        QTest::addColumn<bool>("force");
        QTest::newRow("--force") << true;
        QTest::newRow("without --force") << false;
    }
    void writeToOtherModel()
    {
        QFETCH(bool, force);
        const QString saved = path(QStringLiteral("forced.dat"));
        QFile::remove(saved);
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--model"), QStringLiteral("4k46"), QStringLiteral("--save"), saved}));
        QStringList args{QStringLiteral("write"), QStringLiteral("--port"), m_link, m_image45};
        if (force)
            args << QStringLiteral("--force");

        const Run r = cli(args);
        const QByteArray trace = radio.stop();
        QVERIFY(r.err.contains("Do you wish to Force write data?"));
        if (force) {
            QVERIFY2(r.status == 0, r.err.constData());
            QCOMPARE(radioPart(readFile(saved)).left(imagemap::WriteTime).toHex(),
                     radioPart(readFile(m_image45)).left(imagemap::WriteTime).toHex());
        } else {
            QVERIFY2(r.status == 1, r.err.constData());
            QVERIFY(!QFileInfo::exists(saved));
            // After the ident request nothing more was sent: the radio waits in programming mode.
            QCOMPARE(lastHostBytes(trace), QStringLiteral("02"));
            QVERIFY(r.err.contains("--force"));
        }
    }

    void failedReadLeavesOutputAlone_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<bool>("existing");
        const QStringList silent{QStringLiteral("--silent-at"), QStringLiteral("handshake")};
        const QStringList unknown{QStringLiteral("--model"), QStringLiteral("9x99")};
        QTest::newRow("unknown model") << unknown << QByteArray("Model Type Wrong.") << false;
        QTest::newRow("unknown model, file there") << unknown << QByteArray("Model Type Wrong.") << true;
        QTest::newRow("silent radio") << silent << QByteArray("Please check all connections") << false;
        QTest::newRow("silent at block 5, file there")
            << QStringList{QStringLiteral("--silent-at"), QStringLiteral("read:5")}
            << QByteArray("Please check all connections") << true;
        QTest::newRow("cable pulled at block 40, file there")
            << QStringList{QStringLiteral("--cable-pull"), QStringLiteral("40")} << QByteArray() << true;
    }
    void failedReadLeavesOutputAlone()
    {
        QFETCH(QStringList, options);
        QFETCH(QByteArray, message);
        QFETCH(bool, existing);
        const QString out = path(QStringLiteral("kept.dat"));
        QFile::remove(out);
        const QByteArray previous = readFile(m_image46);
        if (existing)
            QVERIFY(writeFile(out, previous));
        Radio radio;
        QVERIFY(radio.start(m_link, QStringList{QStringLiteral("--image"), m_image45} + options));
        const QStringList before = backups();

        const Run r = cli({QStringLiteral("read"), QStringLiteral("--port"), m_link, QStringLiteral("-o"), out});
        const QByteArray trace = radio.stop();
        QVERIFY2(r.status == 1, r.err.constData());
        QVERIFY2(r.err.contains(message), r.err.constData());
        // The last line names the port.
        QVERIFY2(r.err.trimmed().split('\n').last().contains(m_link.toLocal8Bit()), r.err.constData());
        if (existing)
            QCOMPARE(readFile(out), previous);
        else
            QVERIFY(!QFileInfo::exists(out));
        QVERIFY(newBackups(before).isEmpty());
        if (options == QStringList{QStringLiteral("--model"), QStringLiteral("9x99")})
            QCOMPARE(lastHostBytes(trace), QStringLiteral("45"));   // the radio is let go
    }

    void portThatCannotBeOpened()
    {
        const QString out = path(QStringLiteral("none.dat"));
        const Run r = cli({QStringLiteral("read"), QStringLiteral("--port"), path(QStringLiteral("no-such-device")),
                           QStringLiteral("-o"), out});
        QVERIFY2(r.status == 1, r.err.constData());
        QVERIFY(r.err.contains("Cannot Open Commcmication Port."));
        QVERIFY(r.err.trimmed().split('\n').last().contains("no-such-device"));
        QVERIFY(!QFileInfo::exists(out));
    }

    void backupBeforeAFailedWrite()
    {
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--silent-at"), QStringLiteral("write:3")}));
        const QStringList before = backups();
        const Run r = cli({QStringLiteral("write"), QStringLiteral("--port"), m_link, m_image45});
        QVERIFY2(r.status == 1, r.err.constData());
        const QStringList added = newBackups(before);
        QCOMPARE(added.size(), 1);
        QVERIFY(added.first().contains(QStringLiteral("_4k45_write")));
    }

    // A backup that cannot be written is reported and the read goes on.
    void unwritableBackupDoesNotStopTheRead()
    {
        const QString kept = m_app + QStringLiteral("/backups.kept");
        QVERIFY(!QFileInfo::exists(backupDir()) || QDir().rename(backupDir(), kept));
        QVERIFY(writeFile(backupDir(), "a file where the folder should be"));
        Radio radio;
        QVERIFY(radio.start(m_link, {QStringLiteral("--image"), m_image45}));
        const QString out = path(QStringLiteral("read-without-backup.dat"));
        const Run r = cli({QStringLiteral("read"), QStringLiteral("--port"), m_link, QStringLiteral("-o"), out});
        radio.stop();
        QFile::remove(backupDir());
        if (QFileInfo::exists(kept))
            QDir().rename(kept, backupDir());

        QVERIFY2(r.status == 0, r.err.constData());
        QVERIFY2(r.err.contains("backup"), r.err.constData());
        QCOMPARE(radioPart(readFile(out)), radioPart(readFile(m_image45)));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("ports with an argument") << QStringList{"ports", "COM1"};
        QTest::newRow("read without port") << QStringList{"read", "-o", "x.dat"};
        QTest::newRow("read without file") << QStringList{"read", "--port", "COM1"};
        QTest::newRow("write without file") << QStringList{"write", "--port", "COM1"};
        QTest::newRow("write, unknown option") << QStringList{"write", "--port", "COM1", "x.dat", "--yes"};
    }
    void usageErrors()
    {
        QFETCH(QStringList, args);
        const Run r = cli(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains("usage: ze4k-cli"));
    }

    // In-process: what a backup holds and which files the pruning takes.
    void backupIsTheImageAsItIs()
    {
        QTemporaryDir dir;
        testsupport::freshState(dir.path());
        testsupport::fillPattern();
        AppState.Modified = true;
        const ImageBytes image = AppState.Image;
        const QDateTime when(QDate(2026, 12, 10), QTime(21, 15, 30));
        QStringList reports;
        const Backups::Reporter previous = Backups::setReporter([&](const QString &m) { reports << m; });

        const QString first = Backups::save(dir.filePath(QStringLiteral("b")), AppState.Image, QStringLiteral("4k45"),
                                            410.625, 450.25, Backups::AfterRead, when);
        const QString second = Backups::save(dir.filePath(QStringLiteral("b")), AppState.Image, QStringLiteral("4k45"),
                                             410.625, 450.25, Backups::AfterRead, when);
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("2026-12-10_211530_4k45_read.dat"));
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("2026-12-10_211530_4k45_read_2.dat"));
        const QByteArray bytes = readFile(first);
        QCOMPARE(bytes.left(14), QByteArray("P4k45\x41\x14\x50\xEA\x07\x0C\x0A\x15\x0F", 14));
        QCOMPARE(bytes.mid(Header), QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size())));
        // Nothing of the program's state moved: no ident block refresh, Modified kept.
        QVERIFY(AppState.Image == image);
        QVERIFY(AppState.Modified);

        // A folder that cannot be made is reported, and nothing else happens.
        QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "x"));
        QVERIFY(Backups::save(dir.filePath(QStringLiteral("file/b")), image, QStringLiteral("4k45"), 400, 470,
                              Backups::BeforeWrite, when)
                    .isEmpty());
        Backups::setReporter(previous);
        QCOMPARE(reports.size(), 1);
    }

    void pruneTakesOnlyOldBackups_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("kept");
        QTest::newRow("older than a year") << QStringLiteral("2025-12-09_235959_4k45_read.dat") << false;
        QTest::newRow("older, with a counter") << QStringLiteral("2020-01-01_000000_4k46_write_3.dat") << false;
        QTest::newRow("a year old to the day") << QStringLiteral("2025-12-10_120001_4k45_write.dat") << true;
        QTest::newRow("recent") << QStringLiteral("2026-12-01_080000_4k46_read.dat") << true;
        QTest::newRow("not named like a backup") << QStringLiteral("2020-01-01 my radio.dat") << true;
        QTest::newRow("another kind of file") << QStringLiteral("2020-01-01_000000_4k45_read.txt") << true;
    }
    void pruneTakesOnlyOldBackups()
    {
        QFETCH(QString, name);
        QFETCH(bool, kept);
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath(name), "x"));
        Backups::prune(dir.path(), QDateTime(QDate(2026, 12, 10), QTime(12, 0)));
        QCOMPARE(QFileInfo::exists(dir.filePath(name)), kept);
    }
};

QTEST_GUILESS_MAIN(TestCliClone)
#include "tst_cliclone.moc"
