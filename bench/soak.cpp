// Fault soak: read/write round trips between ze4k-cli and the virtual radio, each clone
// with a fault picked at random (or none), and a check after every attempt that no byte
// was lost or changed:
//   - a completed read gives a data file whose image is the radio's memory, byte for byte,
//     and whose header names the radio's model;
//   - a failed read leaves the output file as it was;
//   - a completed write leaves in the radio the file's image, byte for byte, except the
//     ident block and the write time the program stamps;
//   - a write refused for another model writes nothing into the radio;
//   - the file written from is never changed.
// Every failed clone must also end with exit status 1, never 0.
//
//   soak_bench BIN_DIR [ROUNDS] [SEED]
//
// BIN_DIR holds ze4k-cli and ze4k-radio-sim. Prints one line per attempt that broke a
// rule and the totals; exits 1 when any rule was broken.
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

namespace {

constexpr int FileHeader = 16;
constexpr int RadioBytes = 2032;
constexpr int IdentBlock = 1904;
constexpr int WriteTimeBlock = 1936;
constexpr int BlockSize = 16;

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray radioPart(const QByteArray &dataFile)
{
    return dataFile.mid(FileHeader, RadioBytes);
}

QByteArray withoutIdent(QByteArray radio)
{
    return radio.replace(IdentBlock, BlockSize, QByteArray(BlockSize, '\0'));
}

// The radio part without the two blocks a write stamps.
QByteArray unstamped(QByteArray radio)
{
    return withoutIdent(radio).replace(WriteTimeBlock, BlockSize, QByteArray(BlockSize, '\0'));
}

struct Fault
{
    QString name;
    QStringList radioOptions;
    bool otherModel = false;
};

// A fault for one clone, or none; writing also meets "write:N" steps, reading "read:N".
Fault pickFault(QRandomGenerator &random, bool writing)
{
    const int block = random.bounded(127);
    const QString blockStep = QStringLiteral("%1:%2").arg(writing ? "write" : "read").arg(block);
    const QStringList steps = {QStringLiteral("handshake"), QStringLiteral("ident"), QStringLiteral("ack"), blockStep};
    const QString step = steps[random.bounded(steps.size())];
    switch (random.bounded(10)) {
    case 0: return {QStringLiteral("silent at ") + step, {QStringLiteral("--silent-at"), step}};
    case 1: return {QStringLiteral("wrong ACK at ") + step, {QStringLiteral("--wrong-ack"), step}};
    case 2: {
        const int ms = 100 + random.bounded(1400);
        const QString at = QStringLiteral("%1:%2").arg(ms).arg(step);
        return {QStringLiteral("late %1 ms at %2").arg(ms).arg(step), {QStringLiteral("--late-ack"), at}};
    }
    case 3: return {QStringLiteral("stray byte"), {QStringLiteral("--stray-byte")}};
    case 4: return {QStringLiteral("burst of 60"), {QStringLiteral("--burst"), QStringLiteral("60")}};
    case 5: return {QStringLiteral("cable pulled at block %1").arg(block), {QStringLiteral("--cable-pull"), QString::number(block)}};
    case 6: return {QStringLiteral("other model"), {}, true};
    default: return {QStringLiteral("none"), {}};
    }
}

class Soak
{
public:
    Soak(const QString &binDir, quint32 seed) : m_bin(binDir), m_random(seed)
    {
        // Settings and backups of the command-line program stay in this folder.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        m_env = env;
    }

    bool prepare()
    {
        // Images of the first model with channels, tones, names and settings of their own.
        for (int i = 0; i < 4; ++i) {
            const QString file = path(QStringLiteral("source%1.dat").arg(i));
            if (cli({QStringLiteral("new"), file}) != 0)
                return false;
            QStringList edits = {QStringLiteral("set"), file};
            for (int k = 0; k < 12; ++k) {
                const int n = 1 + m_random.bounded(108);
                const double rx = 400.0 + m_random.bounded(70 * 160) * 0.00625;
                edits << QStringLiteral("ch%1.RxFrequency=%2").arg(n).arg(rx, 0, 'f', 5)
                      << QStringLiteral("ch%1.Name=S%2K%3").arg(n).arg(i).arg(k);
            }
            edits << QStringLiteral("SerialNumber=SOAK%1").arg(i);
            if (cli(edits) != 0)
                return false;
            m_sources << file;
        }
        return true;
    }

    void round(int index)
    {
        const QString source = m_sources[index % m_sources.size()];
        readAttempt(index, source);
        writeAttempt(index, m_sources[(index + 1) % m_sources.size()]);
    }

    int failures() const { return m_broken; }
    void printTotals(qint64 ms) const
    {
        std::printf("reads: %d completed, %d failed; writes: %d completed, %d failed; rules broken: %d; %.1f s\n",
                    m_readsOk, m_readsFailed, m_writesOk, m_writesFailed, m_broken, ms / 1000.0);
    }

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    int cli(const QStringList &arguments, int timeoutMs = 60000)
    {
        QProcess p;
        p.setProcessEnvironment(m_env);
        p.setProcessChannelMode(QProcess::ForwardedOutputChannel);
        p.setStandardErrorFile(path(QStringLiteral("cli.log")), QIODevice::Append);
        p.start(m_bin + QStringLiteral("/ze4k-cli"), arguments);
        if (!p.waitForFinished(timeoutMs)) {
            p.kill();
            p.waitForFinished();
            return -1;
        }
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }

    // A radio on a link of its own, holding the given file's image, with the fault's options.
    bool startRadio(QProcess &radio, const QString &image, const Fault &fault, const QString &saveTo)
    {
        QFile::remove(path(QStringLiteral("radio")));
        QStringList args = {QStringLiteral("--link"), path(QStringLiteral("radio")), QStringLiteral("--image"), image};
        if (!saveTo.isEmpty())
            args << QStringLiteral("--save") << saveTo;
        if (fault.otherModel)
            args << QStringLiteral("--model") << QStringLiteral("4k46");
        args << fault.radioOptions;
        radio.setProcessEnvironment(m_env);
        radio.setStandardOutputFile(QProcess::nullDevice());
        radio.setStandardErrorFile(QProcess::nullDevice());
        radio.start(m_bin + QStringLiteral("/ze4k-radio-sim"), args);
        QElapsedTimer waited;
        waited.start();
        while (!QFileInfo::exists(path(QStringLiteral("radio"))) && waited.elapsed() < 5000)
            QThread::msleep(5);
        return QFileInfo::exists(path(QStringLiteral("radio")));
    }

    static void stopRadio(QProcess &radio)
    {
        radio.terminate();
        if (!radio.waitForFinished(2000)) {
            radio.kill();
            radio.waitForFinished();
        }
    }

    void broken(int index, const char *what, const Fault &fault, const QString &detail)
    {
        ++m_broken;
        std::printf("round %d, %s with fault \"%s\": %s\n", index, what, qPrintable(fault.name), qPrintable(detail));
        std::fflush(stdout);
    }

    void readAttempt(int index, const QString &source)
    {
        const Fault fault = pickFault(m_random, false);
        const QString out = path(QStringLiteral("read.dat"));
        const QByteArray sentinel = "left from round " + QByteArray::number(index);
        writeAll(out, sentinel);
        QProcess radio;
        if (!startRadio(radio, source, fault, QString())) {
            broken(index, "read", fault, QStringLiteral("the virtual radio did not start"));
            return;
        }
        const int status = cli({QStringLiteral("read"), QStringLiteral("--port"), path(QStringLiteral("radio")),
                                QStringLiteral("-o"), out});
        stopRadio(radio);
        const QByteArray got = readAll(out);
        if (status == 0) {
            ++m_readsOk;
            const QByteArray expected = readAll(source);
            // A radio answering with another model gets that model in its ident block.
            const bool same = fault.otherModel ? withoutIdent(radioPart(got)) == withoutIdent(radioPart(expected))
                                               : radioPart(got) == radioPart(expected);
            if (!same)
                broken(index, "read", fault, QStringLiteral("the file's image is not the radio's memory"));
            else if (got.mid(1, 4) != (fault.otherModel ? QByteArray("4k46") : expected.mid(1, 4)))
                broken(index, "read", fault, QStringLiteral("the file does not name the radio's model"));
        } else {
            ++m_readsFailed;
            if (status != 1)
                broken(index, "read", fault, QStringLiteral("exit status %1").arg(status));
            if (got != sentinel)
                broken(index, "read", fault, QStringLiteral("a failed read changed the output file"));
        }
    }

    void writeAttempt(int index, const QString &source)
    {
        const Fault fault = pickFault(m_random, true);
        const QString saved = path(QStringLiteral("radio-memory.dat"));
        QFile::remove(saved);
        const QByteArray before = readAll(source);
        // The radio starts from another image, so that a write that changed nothing shows.
        const QString other = m_sources[(index + 2) % m_sources.size()];
        QProcess radio;
        if (!startRadio(radio, other, fault, saved)) {
            broken(index, "write", fault, QStringLiteral("the virtual radio did not start"));
            return;
        }
        const int status = cli({QStringLiteral("write"), QStringLiteral("--port"), path(QStringLiteral("radio")), source});
        QElapsedTimer waited;   // the radio saves its memory after the end byte
        waited.start();
        while (status == 0 && !QFileInfo::exists(saved) && waited.elapsed() < 2000)
            QThread::msleep(5);
        stopRadio(radio);
        if (readAll(source) != before)
            broken(index, "write", fault, QStringLiteral("the file written from changed"));
        if (status == 0) {
            ++m_writesOk;
            if (fault.otherModel)
                broken(index, "write", fault, QStringLiteral("wrote to another model without --force"));
            else if (unstamped(radioPart(readAll(saved))) != unstamped(radioPart(before)))
                broken(index, "write", fault, QStringLiteral("the radio does not hold the file's image"));
        } else {
            ++m_writesFailed;
            if (status != 1)
                broken(index, "write", fault, QStringLiteral("exit status %1").arg(status));
            if (fault.otherModel && QFileInfo::exists(saved))
                broken(index, "write", fault, QStringLiteral("a refused write reached the radio"));
        }
    }

    QTemporaryDir m_dir;
    QString m_bin;
    QRandomGenerator m_random;
    QProcessEnvironment m_env;
    QStringList m_sources;
    int m_readsOk = 0, m_readsFailed = 0, m_writesOk = 0, m_writesFailed = 0, m_broken = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: soak_bench BIN_DIR [ROUNDS] [SEED]\n");
        return 2;
    }
    const QString bin = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const int rounds = argc > 2 ? qMax(1, atoi(argv[2])) : 200;
    const quint32 seed = argc > 3 ? quint32(strtoul(argv[3], nullptr, 10)) : QRandomGenerator::global()->generate();
    std::printf("fault soak: %d round trips, seed %u\n", rounds, seed);
    std::fflush(stdout);

    Soak soak(bin, seed);
    if (!soak.prepare()) {
        std::fprintf(stderr, "could not make the source images with %s/ze4k-cli\n", qPrintable(bin));
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < rounds; ++i)
        soak.round(i);
    soak.printTotals(clock.elapsed());
    return soak.failures() == 0 ? 0 : 1;
}
