// The virtual radio, driven from the program's end of its cable: whole reads and
// writes, frames cut and merged, the model code, image files, pacing at the wire's
// speed, and every fault it can show.
#include "radiodatafile.h"
#include "radiooptions.h"
#include "virtualradio.h"
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int Blocks = VirtualRadio::BlockCount;
constexpr int BlockSize = VirtualRadio::BlockSize;
const QByteArray Ack("\x06", 1);
const QByteArray Nak("\x15", 1);

// Neither 0x00 nor 0xFF for most bytes, different at every offset, so a slip shows.
QByteArray pattern(int seed)
{
    QByteArray bytes(VirtualRadio::MemorySize, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((0x5A + seed) ^ (i * 7 + seed));
    return bytes;
}

QByteArray address(int block)
{
    const int at = block * BlockSize;
    return QByteArray(1, char(at >> 8)) + char(at & 0xFF) + char(0x10);
}

// One frame from the host and the number of bytes the radio answers with.
struct Exchange
{
    QString step;
    QByteArray send;
    int replyLength;
};

QList<Exchange> readScript()
{
    QList<Exchange> script{{QStringLiteral("handshake"), "PROGRAM", 1},
                           {QStringLiteral("ident"), QByteArray(1, 0x02), 16},
                           {QStringLiteral("ack"), Ack, 1}};
    for (int n = 0; n < Blocks; ++n) {
        script.append({QStringLiteral("read:%1").arg(n), 'R' + address(n), 20});
        script.append({QStringLiteral("readack:%1").arg(n), Ack, 1});
    }
    script.append({QStringLiteral("end"), "E", 0});
    return script;
}

QList<Exchange> writeScript(const QByteArray &image)
{
    QList<Exchange> script{{QStringLiteral("handshake"), "PROGRAM", 1},
                           {QStringLiteral("ident"), QByteArray(1, 0x02), 16},
                           {QStringLiteral("ack"), Ack, 1}};
    for (int n = 0; n < Blocks; ++n)
        script.append({QStringLiteral("write:%1").arg(n), 'W' + address(n) + image.mid(n * BlockSize, BlockSize), 1});
    script.append({QStringLiteral("end"), "E", 0});
    return script;
}

int indexOf(const QList<Exchange> &script, const QString &step)
{
    for (int i = 0; i < script.size(); ++i) {
        if (script.at(i).step == step)
            return i;
    }
    return -1;
}

// The program's end of the cable: a serial port with the radio's line settings.
class Cable
{
public:
    bool open(const QString &path)
    {
        port.setPortName(path);
        port.setBaudRate(2400);
        port.setDataBits(QSerialPort::Data8);
        port.setParity(QSerialPort::NoParity);
        port.setStopBits(QSerialPort::TwoStop);
        port.setFlowControl(QSerialPort::NoFlowControl);
        return port.open(QIODevice::ReadWrite);
    }

    void send(const QByteArray &bytes)
    {
        port.write(bytes);
        port.flush();
    }

    // Sends the bytes in pieces of the given sizes (used in turn), letting the radio
    // read each piece before the next.
    void sendInPieces(const QByteArray &bytes, const QList<int> &sizes)
    {
        if (sizes.isEmpty()) {
            send(bytes);
            return;
        }
        for (int at = 0, i = 0; at < bytes.size(); ++i) {
            const int size = sizes.at(i % sizes.size());
            send(bytes.mid(at, size));
            at += size;
            QTest::qWait(3);
        }
    }

    // Exactly count bytes, or what came before the time-out (which only detects a hang).
    QByteArray receive(int count, int timeoutMs = 5000)
    {
        QDeadlineTimer deadline(timeoutMs);
        while (pending.size() < count && !deadline.hasExpired()) {
            pending += port.readAll();
            if (pending.size() >= count)
                break;
            QSignalSpy arrived(&port, &QSerialPort::readyRead);
            arrived.wait(int(qMax<qint64>(1, deadline.remainingTime())));
        }
        pending += port.readAll();
        const QByteArray taken = pending.left(count);
        pending.remove(0, taken.size());
        return taken;
    }

    // Everything that arrives within the given time.
    QByteArray quiet(int ms)
    {
        QTest::qWait(ms);
        QByteArray all = pending + port.readAll();
        pending.clear();
        return all;
    }

    QSerialPort port;
    QByteArray pending;
};

// Plays script[from, to) and returns the replies; a short reply fails the test.
QList<QByteArray> play(Cable &cable, const QList<Exchange> &script, int from, int to)
{
    QList<QByteArray> replies;
    for (int i = from; i < to; ++i) {
        const Exchange &e = script.at(i);
        cable.send(e.send);
        replies.append(cable.receive(e.replyLength));
        if (replies.last().size() != e.replyLength) {
            QTest::qFail(qPrintable(QStringLiteral("no whole answer at %1").arg(e.step)), __FILE__, __LINE__);
            break;
        }
    }
    return replies;
}

QByteArray identOf(const QByteArray &model, const QByteArray &memory)
{
    return 'P' + model + memory.mid(1909, 11);
}

// What a well-behaved radio answers at a step.
QByteArray normalAnswer(const QString &step, const QByteArray &memory)
{
    if (step == QLatin1String("ident"))
        return identOf("4k45", memory);
    if (step.startsWith(QLatin1String("read:"))) {
        const int block = step.section(QLatin1Char(':'), 1).toInt();
        return 'W' + address(block) + memory.mid(block * BlockSize, BlockSize);
    }
    return Ack;
}

RadioOptions optionsFrom(const QStringList &arguments)
{
    QString error;
    const auto options = parseRadioArguments(QStringList{QStringLiteral("ze4k-radio-sim")} + arguments, &error);
    if (!options)
        qFatal("bad simulator arguments in a test: %s", qPrintable(error));
    return *options;
}

QString simulatorProgram()
{
    const QString fromBuild = qEnvironmentVariable("ZE4K_RADIO_SIM");
    return fromBuild.isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/ze4k-radio-sim")
                               : fromBuild;
}

} // namespace

class TestRadioSim : public QObject
{
    Q_OBJECT

private slots:
    void readGivesTheMemory();
    void writeStoresAndSaves();
    void incompleteWriteIsNotSaved();
    void framing_data();
    void framing();
    void modelCode_data();
    void modelCode();
    void imageFile_data();
    void imageFile();
    void shortImageFileIsRefused();
    void faultAtStep_data();
    void faultAtStep();
    void lateAnswer_data();
    void lateAnswer();
    void cablePull_data();
    void cablePull();
    void wirePacing();
    void commandLine();
    void programServesOnceThroughItsLink();
    void programRefusesBadOptions_data();
    void programRefusesBadOptions();
};

void TestRadioSim::readGivesTheMemory()
{
    const QByteArray memory = pattern(1);
    VirtualRadio radio;
    radio.setMemory(memory);
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));
    QSignalSpy ended(&radio, &VirtualRadio::sessionEnded);
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));

    const QList<Exchange> script = readScript();
    const QList<QByteArray> replies = play(cable, script, 0, script.size());
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(replies.at(0), Ack);
    QCOMPARE(replies.at(1), identOf("4k45", memory));
    QCOMPARE(replies.at(2), Ack);
    QByteArray read;
    for (int n = 0; n < Blocks; ++n) {
        const QByteArray reply = replies.at(3 + 2 * n);
        QCOMPARE(reply.left(4), 'W' + address(n));
        read += reply.mid(4);
        QCOMPARE(replies.at(4 + 2 * n), Ack);
    }
    QCOMPARE(read, memory);

    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<VirtualRadio::Session>(), VirtualRadio::Session::Read);
    QVERIFY(!radio.inProgrammingMode());
    QCOMPARE(radio.memory(), memory);

    // The trace holds both directions in order; the handshake came as one block.
    QByteArray sent, answered;
    for (const Exchange &e : script)
        sent += e.send;
    for (const QByteArray &r : replies)
        answered += r;
    QCOMPARE(radio.tracedBytes(TraceEntry::HostToRadio), sent);
    QCOMPARE(radio.tracedBytes(TraceEntry::RadioToHost), answered);
    QList<TraceEntry> cableEntries;
    for (const TraceEntry &entry : radio.trace()) {
        if (entry.direction != TraceEntry::Note)
            cableEntries.append(entry);
    }
    QCOMPARE(cableEntries.at(0).bytes, QByteArray("PROGRAM"));
    QCOMPARE(cableEntries.at(1).direction, TraceEntry::RadioToHost);
    for (int i = 1; i < cableEntries.size(); ++i)
        QVERIFY(cableEntries.at(i).ms >= cableEntries.at(i - 1).ms);
}

void TestRadioSim::writeStoresAndSaves()
{
    QTemporaryDir dir;
    const QString saved = dir.filePath(QStringLiteral("radio.dat"));
    RadioOptions options;
    options.savePath = saved;
    VirtualRadio radio(options);
    QVERIFY(radio.start());
    QSignalSpy ended(&radio, &VirtualRadio::sessionEnded);
    QSignalSpy written(&radio, &VirtualRadio::writeCompleted);
    QSignalSpy savedSpy(&radio, &VirtualRadio::memorySaved);
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));

    // The write sends its handshake a byte at a time, as the program does.
    const QByteArray image = pattern(2);
    const QList<Exchange> script = writeScript(image);
    cable.sendInPieces("PROGRAM", {1});
    QCOMPARE(cable.receive(1), Ack);
    const QList<QByteArray> replies = play(cable, script, 1, script.size());
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(replies.at(0), identOf("4k45", VirtualRadio::defaultMemory("4k45")));
    for (int i = 1; i < replies.size() - 1; ++i)
        QCOMPARE(replies.at(i), Ack);

    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<VirtualRadio::Session>(), VirtualRadio::Session::Write);
    QCOMPARE(written.count(), 1);
    QCOMPARE(savedSpy.count(), 1);
    QCOMPARE(radio.memory(), image);

    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), RadioDataFile::FileSize);
    QCOMPARE(bytes.left(5), QByteArray("P4k45"));
    for (int i = 5; i < 8; ++i) {
        QVERIFY((quint8(bytes.at(i)) >> 4) <= 9);
        QVERIFY((quint8(bytes.at(i)) & 0x0F) <= 9);
    }
    QCOMPARE(bytes.mid(14, 2), QByteArray("\xFF\xFF"));
    QCOMPARE(bytes.mid(16, VirtualRadio::MemorySize), image);
    QCOMPARE(bytes.mid(16 + VirtualRadio::MemorySize), QByteArray(16, '\0'));

    const QList<TraceEntry> &trace = radio.trace();
    QByteArray handshake;
    for (const TraceEntry &entry : trace) {
        if (entry.direction != TraceEntry::HostToRadio)
            continue;
        QCOMPARE(entry.bytes.size(), 1);
        handshake += entry.bytes;
        if (handshake.size() == 7)
            break;
    }
    QCOMPARE(handshake, QByteArray("PROGRAM"));
}

void TestRadioSim::incompleteWriteIsNotSaved()
{
    QTemporaryDir dir;
    RadioOptions options;
    options.savePath = dir.filePath(QStringLiteral("radio.dat"));
    VirtualRadio radio(options);
    QVERIFY(radio.start());
    QSignalSpy ended(&radio, &VirtualRadio::sessionEnded);
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));

    QList<Exchange> script = writeScript(pattern(3));
    play(cable, script, 0, indexOf(script, QStringLiteral("write:10")));
    QVERIFY(!QTest::currentTestFailed());
    cable.send("E");
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).value<VirtualRadio::Session>(), VirtualRadio::Session::Incomplete);
    QVERIFY(!QFileInfo::exists(options.savePath));
    QCOMPARE(radio.memory().left(10 * BlockSize), pattern(3).left(10 * BlockSize));
}

void TestRadioSim::framing_data()
{
    QTest::addColumn<QByteArray>("noise");
    QTest::addColumn<QList<int>>("pieces");

    QTest::newRow("all in one write") << QByteArray() << QList<int>();
    QTest::newRow("byte by byte") << QByteArray() << QList<int>{1};
    QTest::newRow("frames cut across writes") << QByteArray() << QList<int>{3, 5, 2};
    QTest::newRow("noise outside frames, in one write") << QByteArray("\x00\x33\xFF", 3) << QList<int>();
    QTest::newRow("noise outside frames, cut") << QByteArray("\x00\x33\xFF", 3) << QList<int>{4, 1};
}

void TestRadioSim::framing()
{
    QFETCH(QByteArray, noise);
    QFETCH(QList<int>, pieces);

    VirtualRadio radio;
    const QByteArray memory = pattern(4);
    radio.setMemory(memory);
    QVERIFY(radio.start());
    QSignalSpy ended(&radio, &VirtualRadio::sessionEnded);
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));

    const QByteArray data = QByteArray("0123456789ABCDEF");
    const QList<QByteArray> frames{"PROGRAM", QByteArray(1, 0x02), Ack, 'W' + address(5) + data,
                                   'R' + address(5), Ack, "E"};
    // Noise before the handshake may even look like its start.
    QByteArray stream = noise + (noise.isEmpty() ? QByteArray() : QByteArray("PRX"));
    for (const QByteArray &frame : frames)
        stream += frame + noise;
    cable.sendInPieces(stream, pieces);

    const QByteArray expected = Ack + identOf("4k45", memory) + Ack + Ack + 'W' + address(5) + data + Ack;
    QCOMPARE(cable.receive(expected.size()), expected);
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(radio.memory().mid(5 * BlockSize, BlockSize), data);
    QCOMPARE(cable.quiet(20), QByteArray());
}

void TestRadioSim::modelCode_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("model");

    QTest::newRow("default") << QStringList() << QByteArray("4k45");
    QTest::newRow("second model") << QStringList{QStringLiteral("--model"), QStringLiteral("4k46")}
                                  << QByteArray("4k46");
    QTest::newRow("unknown model") << QStringList{QStringLiteral("--model"), QStringLiteral("zz99")}
                                   << QByteArray("zz99");
}

void TestRadioSim::modelCode()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, model);

    VirtualRadio radio(optionsFrom(arguments));
    QVERIFY(radio.start());
    QCOMPARE(radio.modelCode(), model);
    QCOMPARE(radio.memory().mid(1904, 8), 'P' + model + QByteArray("\xF5\x00\x00", 3));
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));
    const QList<QByteArray> replies = play(cable, readScript(), 0, 2);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(replies.at(1).mid(1, 4), model);
    QCOMPARE(replies.at(1), identOf(model, radio.memory()));
}

void TestRadioSim::imageFile_data()
{
    QTest::addColumn<QByteArray>("fileModel");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("model");

    QTest::newRow("model of the file") << QByteArray("4k46") << QStringList() << QByteArray("4k46");
    QTest::newRow("model given") << QByteArray("4k46") << QStringList{QStringLiteral("--model"), QStringLiteral("4k45")}
                                 << QByteArray("4k45");
}

void TestRadioSim::imageFile()
{
    QFETCH(QByteArray, fileModel);
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, model);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("image.dat"));
    QByteArray image = pattern(5) + QByteArray(16, '\x77');
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(RadioDataFile::header(fileModel, image, QDateTime::currentDateTime()) + image);
    file.close();

    VirtualRadio radio(optionsFrom(arguments + QStringList{QStringLiteral("--image"), path}));
    QString error;
    QVERIFY2(radio.start(&error), qPrintable(error));
    QCOMPARE(radio.memory(), pattern(5));
    QCOMPARE(radio.modelCode(), model);
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));
    const QList<QByteArray> replies = play(cable, readScript(), 0, 5);
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(replies.at(1), identOf(model, pattern(5)));
    QCOMPARE(replies.at(3).mid(4), pattern(5).left(BlockSize));
}

void TestRadioSim::shortImageFileIsRefused()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("short.dat"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(1000, '\x11'));
    file.close();

    RadioOptions options;
    options.imagePath = path;
    VirtualRadio radio(options);
    QString error;
    QVERIFY(!radio.start(&error));
    QVERIFY2(error.contains(QStringLiteral("short.dat")), qPrintable(error));
    QVERIFY(!radio.isOpen());
}

void TestRadioSim::faultAtStep_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("step");
    QTest::addColumn<QByteArray>("faulty");  // what comes instead of the answer; empty: nothing
    QTest::addColumn<bool>("again");         // the fault strikes again when the step is repeated

    const QByteArray none;
    const auto args = [](const char *option, const char *value = nullptr) {
        QStringList list{QLatin1String(option)};
        if (value)
            list.append(QLatin1String(value));
        return list;
    };
    for (const char *step : {"handshake", "ident", "ack", "read:3", "readack:3", "write:3"})
        QTest::addRow("silent at %s", step) << args("--silent-at", step) << QString::fromLatin1(step) << none << false;
    QTest::newRow("silent at a block read") << args("--silent-at", "3") << QStringLiteral("read:3") << none << false;
    QTest::newRow("silent at a block written") << args("--silent-at", "3") << QStringLiteral("write:3") << none << false;
    QTest::newRow("silent at any read") << args("--silent-at", "read") << QStringLiteral("read:0") << none << false;
    QTest::newRow("silent every time") << args("--silent-at", "write:3") + args("--repeat-faults")
                                       << QStringLiteral("write:3") << none << true;
    for (const char *step : {"handshake", "ident", "ack", "readack:3", "write:3"})
        QTest::addRow("wrong answer at %s", step) << args("--wrong-ack", step) << QString::fromLatin1(step) << Nak << false;
    QTest::newRow("wrong answer every time") << args("--wrong-ack", "write:3") + args("--repeat-faults")
                                             << QStringLiteral("write:3") << Nak << true;
    QTest::newRow("stray byte") << args("--stray-byte") << QStringLiteral("handshake") << QByteArray("\x00\x06", 2)
                                << false;
    QTest::newRow("burst") << args("--burst", "60") << QStringLiteral("ident")
                           << identOf("4k45", VirtualRadio::defaultMemory("4k45")) + QByteArray(44, '\xFF') << false;
}

void TestRadioSim::faultAtStep()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, step);
    QFETCH(QByteArray, faulty);
    QFETCH(bool, again);

    VirtualRadio radio(optionsFrom(arguments));
    QVERIFY(radio.start());
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));
    const QList<Exchange> script = step.startsWith(QLatin1String("write")) ? writeScript(pattern(6)) : readScript();
    const int at = indexOf(script, step);
    QVERIFY(at >= 0);
    play(cable, script, 0, at);
    QVERIFY(!QTest::currentTestFailed());

    const QByteArray normal = normalAnswer(step, radio.memory());
    for (int attempt = 0; attempt < 2; ++attempt) {
        cable.send(script.at(at).send);
        const QByteArray expected = attempt == 0 || again ? faulty : normal;
        if (expected.isEmpty()) {
            QCOMPARE(cable.quiet(300), QByteArray());
        } else {
            QCOMPARE(cable.receive(expected.size()), expected);
            QCOMPARE(cable.quiet(50), QByteArray());
        }
    }
}

void TestRadioSim::lateAnswer_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("step");
    QTest::addColumn<int>("delayMs");

    QTest::newRow("late at a write") << QStringList{QStringLiteral("--late-ack"), QStringLiteral("600:write:2")}
                                     << QStringLiteral("write:2") << 600;
    QTest::newRow("late ident") << QStringList{QStringLiteral("--late-ack"), QStringLiteral("600:ident")}
                                << QStringLiteral("ident") << 600;
    QTest::newRow("every ACK late: handshake") << QStringList{QStringLiteral("--late-ack"), QStringLiteral("150")}
                                               << QStringLiteral("handshake") << 150;
    QTest::newRow("every ACK late: after a read") << QStringList{QStringLiteral("--late-ack"), QStringLiteral("150")}
                                                  << QStringLiteral("readack:1") << 150;
}

void TestRadioSim::lateAnswer()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, step);
    QFETCH(int, delayMs);

    VirtualRadio radio(optionsFrom(arguments));
    QVERIFY(radio.start());
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));
    const QList<Exchange> script = step.startsWith(QLatin1String("write")) ? writeScript(pattern(7)) : readScript();
    const int at = indexOf(script, step);
    play(cable, script, 0, at);
    QVERIFY(!QTest::currentTestFailed());

    const int traceFrom = radio.trace().size();
    cable.send(script.at(at).send);
    QCOMPARE(cable.receive(script.at(at).replyLength), normalAnswer(step, radio.memory()));

    // Measured on the radio's own clock: from the request read to the answer written.
    double requested = -1, answered = -1;
    for (int i = traceFrom; i < radio.trace().size(); ++i) {
        const TraceEntry &entry = radio.trace().at(i);
        if (entry.direction == TraceEntry::HostToRadio)
            requested = entry.ms;
        else if (entry.direction == TraceEntry::RadioToHost && answered < 0)
            answered = entry.ms;
    }
    QVERIFY(requested >= 0 && answered >= 0);
    QVERIFY2(answered - requested >= delayMs - 0.001,
             qPrintable(QStringLiteral("answered after %1 ms").arg(answered - requested)));
}

void TestRadioSim::cablePull_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("step");

    QTest::newRow("block read") << QStringLiteral("4") << QStringLiteral("read:4");
    QTest::newRow("block written") << QStringLiteral("4") << QStringLiteral("write:4");
    QTest::newRow("ACK after a read") << QStringLiteral("readack:2") << QStringLiteral("readack:2");
}

void TestRadioSim::cablePull()
{
    QFETCH(QString, where);
    QFETCH(QString, step);

    VirtualRadio radio(optionsFrom({QStringLiteral("--cable-pull"), where}));
    QVERIFY(radio.start());
    const QString device = radio.devicePath();
    QSignalSpy pulled(&radio, &VirtualRadio::cablePulled);
    Cable cable;
    QVERIFY(cable.open(device));
    const QByteArray before = radio.memory();
    const QList<Exchange> script = step.startsWith(QLatin1String("write")) ? writeScript(pattern(8)) : readScript();
    const int at = indexOf(script, step);
    play(cable, script, 0, at);
    QVERIFY(!QTest::currentTestFailed());

    QSignalSpy portError(&cable.port, &QSerialPort::errorOccurred);
    cable.send(script.at(at).send);
    QTRY_COMPARE_WITH_TIMEOUT(pulled.count(), 1, 5000);
    QVERIFY(!radio.isOpen());
    // The program sees its port fail, as with a real cable pulled from a USB adapter.
    QTRY_VERIFY_WITH_TIMEOUT(!portError.isEmpty(), 5000);
    const auto error = portError.first().at(0).value<QSerialPort::SerialPortError>();
    QVERIFY2(error == QSerialPort::ResourceError || error == QSerialPort::ReadError,
             qPrintable(QString::number(int(error))));
    cable.port.close();
    QVERIFY(!QFileInfo::exists(device));
    // A block whose frame pulled the cable was never stored.
    QCOMPARE(radio.memory().mid(4 * BlockSize, BlockSize), before.mid(4 * BlockSize, BlockSize));
}

void TestRadioSim::wirePacing()
{
    RadioOptions options;
    options.wire = true;
    VirtualRadio radio(options);
    const QByteArray memory = pattern(9);
    radio.setMemory(memory);
    QVERIFY(radio.start());
    Cable cable;
    QVERIFY(cable.open(radio.devicePath()));

    const double byteMs = double(VirtualRadio::WireByteNs) / 1e6;
    QList<Exchange> script = readScript();
    const QList<Exchange> steps{script.at(0), script.at(1), script.at(2), script.at(indexOf(script, "read:7")),
                                script.at(indexOf(script, "readack:7"))};
    for (const Exchange &e : steps) {
        const int traceFrom = radio.trace().size();
        cable.send(e.send);
        QCOMPARE(cable.receive(e.replyLength), normalAnswer(e.step, memory));
        // Every answer byte leaves alone, no sooner than the request could have arrived and
        // the bytes before it could have left.
        double requested = -1;
        int k = 0;
        for (int i = traceFrom; i < radio.trace().size(); ++i) {
            const TraceEntry &entry = radio.trace().at(i);
            if (entry.direction == TraceEntry::HostToRadio && requested < 0)
                requested = entry.ms;
            if (entry.direction != TraceEntry::RadioToHost)
                continue;
            QCOMPARE(entry.bytes.size(), 1);
            ++k;
            const double earliest = requested + (e.send.size() + k) * byteMs;
            QVERIFY2(entry.ms >= earliest - 0.001,
                     qPrintable(QStringLiteral("%1 byte %2 at %3 ms, before %4 ms")
                                    .arg(e.step).arg(k).arg(entry.ms).arg(earliest)));
        }
        QCOMPARE(k, e.replyLength);
    }
}

void TestRadioSim::commandLine()
{
    QString error;
    const auto options = parseRadioArguments(
        {QStringLiteral("ze4k-radio-sim"), QStringLiteral("--image"), QStringLiteral("in.dat"),
         QStringLiteral("--save"), QStringLiteral("out.dat"), QStringLiteral("--model"), QStringLiteral("4k46"),
         QStringLiteral("--link"), QStringLiteral("/tmp/radio"), QStringLiteral("--wire"), QStringLiteral("--once"),
         QStringLiteral("--silent-at"), QStringLiteral("ident"), QStringLiteral("--silent-at"),
         QStringLiteral("readack:9"), QStringLiteral("--wrong-ack"), QStringLiteral("write"),
         QStringLiteral("--stray-byte"), QStringLiteral("--late-ack"), QStringLiteral("600:read:126"),
         QStringLiteral("--burst"), QStringLiteral("60"), QStringLiteral("--cable-pull"), QStringLiteral("17")},
        &error);
    QVERIFY2(options, qPrintable(error));
    QCOMPARE(options->imagePath, QStringLiteral("in.dat"));
    QCOMPARE(options->savePath, QStringLiteral("out.dat"));
    QCOMPARE(options->modelCode, QByteArray("4k46"));
    QCOMPARE(options->linkPath, QStringLiteral("/tmp/radio"));
    QVERIFY(options->wire && options->once && !options->printTrace);
    const RadioFaults &f = options->faults;
    QCOMPARE(f.silentAt.size(), 2);
    QCOMPARE(f.silentAt.at(0).toString(), QStringLiteral("ident"));
    QCOMPARE(f.silentAt.at(1).toString(), QStringLiteral("readack:9"));
    QCOMPARE(f.wrongAckAt.at(0).toString(), QStringLiteral("write"));
    QVERIFY(f.wrongAckAt.at(0).covers({RadioStep::Write, 100}));
    QVERIFY(f.strayByte);
    QCOMPARE(f.lateMs, 600);
    QVERIFY(f.lateAt && f.lateAt->covers({RadioStep::Read, 126}) && !f.lateAt->covers({RadioStep::Read, 125}));
    QCOMPARE(f.burstBytes, 60);
    QVERIFY(f.cablePullAt && f.cablePullAt->covers({RadioStep::Read, 17})
            && f.cablePullAt->covers({RadioStep::Write, 17}) && !f.cablePullAt->covers({RadioStep::ReadAck, 17}));
    QVERIFY(!f.repeat);
}

void TestRadioSim::programServesOnceThroughItsLink()
{
    QTemporaryDir dir;
    const QString link = dir.filePath(QStringLiteral("radio"));
    const QString saved = dir.filePath(QStringLiteral("saved.dat"));
    QProcess program;
    program.start(simulatorProgram(), {QStringLiteral("--link"), link, QStringLiteral("--once"),
                                       QStringLiteral("--model"), QStringLiteral("4k46"), QStringLiteral("--save"),
                                       saved});
    QVERIFY2(program.waitForStarted(10000), qPrintable(program.errorString()));
    QVERIFY(program.waitForReadyRead(10000));
    const QString device = QString::fromLocal8Bit(program.readLine()).trimmed();
    QVERIFY2(device.startsWith(QLatin1String("/dev/")), qPrintable(device));
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(QFileInfo(link).symLinkTarget(), device);

    Cable cable;
    QVERIFY(cable.open(link));
    const QList<Exchange> script = writeScript(pattern(10));
    const QList<QByteArray> replies = play(cable, script, 0, script.size());
    QVERIFY(!QTest::currentTestFailed());
    QCOMPARE(replies.at(1).mid(1, 4), QByteArray("4k46"));

    QVERIFY2(program.waitForFinished(10000), "the program kept running after a completed write");
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    QFile file(saved);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.left(5), QByteArray("P4k46"));
    QCOMPARE(bytes.mid(16, VirtualRadio::MemorySize), pattern(10));
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestRadioSim::programRefusesBadOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named");

    QTest::newRow("unknown step") << QStringList{QStringLiteral("--silent-at"), QStringLiteral("nowhere")}
                                  << QStringLiteral("--silent-at");
    QTest::newRow("block out of range") << QStringList{QStringLiteral("--cable-pull"), QStringLiteral("127")}
                                        << QStringLiteral("--cable-pull");
    QTest::newRow("model code too short") << QStringList{QStringLiteral("--model"), QStringLiteral("4k4")}
                                          << QStringLiteral("--model");
    QTest::newRow("late without a delay") << QStringList{QStringLiteral("--late-ack"), QStringLiteral("ack")}
                                          << QStringLiteral("--late-ack");
    QTest::newRow("unknown option") << QStringList{QStringLiteral("--fast")} << QStringLiteral("fast");
}

void TestRadioSim::programRefusesBadOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);

    QProcess program;
    program.start(simulatorProgram(), arguments);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitCode(), 2);
    QVERIFY(program.readAllStandardOutput().isEmpty());
    const QString message = QString::fromLocal8Bit(program.readAllStandardError());
    QVERIFY2(message.contains(named), qPrintable(message));
}

QTEST_GUILESS_MAIN(TestRadioSim)
#include "tst_radiosim.moc"
