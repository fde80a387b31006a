// Clone benchmark: a full read and a full write against the virtual radio pacing every
// byte at the cable's speed, each compared with the floor measured in the same run, and
// the longest stall of the event loop while the clone runs.
//
// The floor of a clone is the wire time of every byte that crossed the cable (11 bits
// at 2400 baud, both directions, counted from the radio's trace) plus the pauses the
// protocol prescribes: 450 ms before the handshake, 50 ms after discarding the queues,
// 5 ms before the ident request and, when writing, 2 ms after each of the first six
// handshake bytes. The clone is timed from the Ok action to its success.
//
// The radio runs in a thread of its own, so that its pacing is not held up by the
// program's event loop and the loop's stalls are the program's own.
#include "core/apppaths.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "core/startup.h"
#include "link/readsession.h"
#include "link/writesession.h"
#include "virtualradio.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <time.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace {

constexpr double ByteMs = 11.0 * 1000.0 / 2400.0;

// The bytes of a complete clone by the protocol, for a check of the trace.
constexpr int ReadBytes = 7 + 1 + 1 + 16 + 1 + 1 + 127 * (4 + 20 + 1 + 1) + 1;
constexpr int WriteBytes = 7 + 1 + 1 + 16 + 1 + 1 + 127 * (20 + 1) + 1;
constexpr double ReadPausesMs = 450 + 50 + 5;
constexpr double WritePausesMs = 450 + 50 + 5 + 6 * 2;

// The CPU time of the calling thread, so that a stall can be told apart from a wait
// for the processor on a busy machine.
qint64 threadCpuNs()
{
#ifdef Q_OS_UNIX
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
#else
    return 0;
#endif
}

// The part of it spent in the program's own code rather than in the kernel. On a
// virtual machine the kernel part also holds time the host took the processor away.
qint64 threadUserNs()
{
#ifdef Q_OS_LINUX
    rusage r{};
    getrusage(RUSAGE_THREAD, &r);
    return (qint64(r.ru_utime.tv_sec) * 1000000 + r.ru_utime.tv_usec) * 1000;
#else
    return threadCpuNs();
#endif
}

// Watches the event loop: a 1 ms timer notes the longest gap between its ticks, and the
// longest stretch of the thread's own work between two ticks.
class StallWatch : public QObject
{
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            const qint64 cpu = threadCpuNs();
            const qint64 user = threadUserNs();
            if (now - m_lastNs > m_longestNs) {
                m_longestNs = now - m_lastNs;
                m_longestAtNs = m_lastNs;
            }
            m_longestWorkNs = qMax(m_longestWorkNs, cpu - m_lastCpuNs);
            m_longestUserNs = qMax(m_longestUserNs, user - m_lastUserNs);
            m_lastUserNs = user;
            m_lastNs = now;
            m_lastCpuNs = cpu;
        });
    }
    void start()
    {
        m_longestNs = m_longestWorkNs = m_longestUserNs = 0;
        m_lastUserNs = threadUserNs();
        m_clock.start();
        m_lastNs = 0;
        m_lastCpuNs = threadCpuNs();
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    double longestMs() const { return m_longestNs / 1e6; }
    // When the longest stall began, from the start.
    double longestAtMs() const { return m_longestAtNs / 1e6; }
    double longestWorkMs() const { return m_longestWorkNs / 1e6; }
    double longestUserMs() const { return m_longestUserNs / 1e6; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_lastNs = 0;
    qint64 m_lastCpuNs = 0;
    qint64 m_longestNs = 0;
    qint64 m_longestAtNs = 0;
    qint64 m_longestWorkNs = 0;
    qint64 m_lastUserNs = 0;
    qint64 m_longestUserNs = 0;
};

// The virtual radio on a thread of its own; every call goes through that thread.
class RadioThread
{
public:
    explicit RadioThread(const RadioOptions &options)
    {
        m_thread.start();
        m_context.moveToThread(&m_thread);
        onThread([this, options] {
            m_radio = new VirtualRadio(options);
            m_started = m_radio->start(&m_error);
        });
    }
    ~RadioThread()
    {
        onThread([this] { delete m_radio; });
        m_thread.quit();
        m_thread.wait();
    }
    bool started() const { return m_started; }
    QString error() const { return m_error; }
    QString devicePath()
    {
        QString path;
        onThread([&] { path = m_radio->devicePath(); });
        return path;
    }
    // What crossed the cable since the last call.
    QList<TraceEntry> takeTrace()
    {
        QList<TraceEntry> trace;
        onThread([&] {
            trace = m_radio->trace();
            m_radio->clearTrace();
        });
        return trace;
    }

private:
    void onThread(const std::function<void()> &work)
    {
        QMetaObject::invokeMethod(&m_context, work, Qt::BlockingQueuedConnection);
    }

    QThread m_thread;
    QObject m_context;
    VirtualRadio *m_radio = nullptr;
    bool m_started = false;
    QString m_error;
};

struct Figures
{
    bool ok = false;
    double ms = 0;
    double stallMs = 0;
    double stallAtMs = 0;
    double workMs = 0;
    double userMs = 0;
};

// Runs one clone on an event loop of its own and times it from start() to the success
// signal.
// A read is watched on until the session closes: storing the image and its backup
// come after the success message.
template <typename Session, typename Success>
Figures runClone(Session &session, const QString &device, Success success, const std::function<void()> &start,
                 bool untilClosed)
{
    Figures f;
    StallWatch watch;
    QEventLoop loop;
    QElapsedTimer clock;
    QObject::connect(&session, &CloneSession::halted, &loop, [&] { loop.exit(1); });
    QObject::connect(&session, &CloneSession::closeRequested, &loop, [&] { loop.exit(f.ok ? 0 : 1); });
    QObject::connect(&session, success, &loop, [&] {
        f.ms = clock.nsecsElapsed() / 1e6;
        f.ok = true;
        if (!untilClosed)
            loop.exit(0);
    });
    session.show(device);
    if (!session.isPortOpen())
        return f;
    watch.start();
    clock.start();
    start();
    loop.exec();
    watch.stop();
    f.stallMs = watch.longestMs();
    f.stallAtMs = watch.longestAtMs();
    f.workMs = watch.longestWorkMs();
    f.userMs = watch.longestUserMs();
    session.cancel();
    return f;
}

// The read session tells of its success by its message; this turns that into a signal.
class ReadWatch : public ReadSession
{
    Q_OBJECT
public:
    using ReadSession::ReadSession;
signals:
    void readOk();
};

struct WireCount
{
    int fromProgram = 0;
    int fromRadio = 0;
    // The program's turns: from the radio's last byte to the program's next bytes.
    int turns = 0;
    double turnTotalMs = 0;
    double turnLongestMs = 0;
};

WireCount countWire(const QList<TraceEntry> &trace)
{
    WireCount c;
    const TraceEntry *lastRadio = nullptr;
    for (const TraceEntry &e : trace) {
        if (e.direction == TraceEntry::RadioToHost) {
            c.fromRadio += int(e.bytes.size());
            lastRadio = &e;
        } else if (e.direction == TraceEntry::HostToRadio) {
            c.fromProgram += int(e.bytes.size());
            if (lastRadio) {
                const double turn = e.ms - lastRadio->ms;
                ++c.turns;
                c.turnTotalMs += turn;
                c.turnLongestMs = qMax(c.turnLongestMs, turn);
                lastRadio = nullptr;
            }
        }
    }
    return c;
}

// Prints the figures of one clone and returns its ratio to the floor.
double report(const char *what, const Figures &f, const QList<TraceEntry> &trace, int expectedBytes,
              double pausesMs)
{
    const WireCount c = countWire(trace);
    const int total = c.fromProgram + c.fromRadio;
    const double floorMs = total * ByteMs + pausesMs;
    std::printf("%s: %.1f ms, floor %.1f ms, ratio %.4f; longest event-loop stall %.2f ms (%.0f ms in), "
                "longest work between two ticks %.2f ms (in the program's own code %.2f ms)\n",
                what, f.ms, floorMs, f.ms / floorMs, f.stallMs, f.stallAtMs, f.workMs, f.userMs);
    std::printf("       %d bytes on the wire (%d from the program, %d from the radio), pauses %.0f ms; "
                "the program's %d turns took %.1f ms in all (longest %.2f ms, the 5 ms pause included)\n",
                total, c.fromProgram, c.fromRadio, pausesMs, c.turns, c.turnTotalMs, c.turnLongestMs);
    if (total != expectedBytes)
        std::printf("       note: a complete %s has %d bytes\n", what, expectedBytes);
    std::fflush(stdout);
    return f.ms / floorMs;
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ze4k"));
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 1;

    // Settings, language files and backups of a folder of our own.
    QTemporaryDir dir;
    AppPaths::setBaseDir(dir.path());
    CreateDataModule();
    SelectStartModel();
    ReadWatch *current = nullptr;
    SetMsgHandler([&current](const QString &, const QString &text, int kind) {
        if (current && text == LangTexts.ReadOk)
            emit current->readOk();
        else if (text != LangTexts.WriteOk)
            std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return kind == MsgQuestion ? int(MsgNo) : int(MsgOk);
    });

    RadioOptions options;
    options.modelCode = AppState.ModelCode.toLatin1();
    options.wire = true;
    RadioThread radio(options);
    if (!radio.started()) {
        std::fprintf(stderr, "the virtual radio did not start: %s\n", qPrintable(radio.error()));
        return 1;
    }
    const QString device = radio.devicePath();

    QList<double> readRatios, writeRatios;
    double longestStall = 0, longestWork = 0, longestUser = 0;
    for (int run = 0; run < runs; ++run) {
        radio.takeTrace();
        ReadWatch reader;
        current = &reader;
        const Figures read = runClone(reader, device, &ReadWatch::readOk, [&] { reader.StartExchange(); }, true);
        current = nullptr;
        QThread::msleep(100);   // the end byte reaches the radio's trace
        if (!read.ok) {
            std::fprintf(stderr, "the read failed\n");
            return 1;
        }
        readRatios << report("read ", read, radio.takeTrace(), ReadBytes, ReadPausesMs);

        WriteSession writer;
        const Figures write = runClone(writer, device, &WriteSession::writeCompleted, [&] { writer.okClicked(); }, false);
        QThread::msleep(100);
        if (!write.ok) {
            std::fprintf(stderr, "the write failed\n");
            return 1;
        }
        writeRatios << report("write", write, radio.takeTrace(), WriteBytes, WritePausesMs);
        longestStall = qMax(longestStall, qMax(read.stallMs, write.stallMs));
        longestWork = qMax(longestWork, qMax(read.workMs, write.workMs));
        longestUser = qMax(longestUser, qMax(read.userMs, write.userMs));
    }
    std::printf("over %d runs: median ratio read %.4f, write %.4f; longest event-loop stall %.2f ms, "
                "longest work between two ticks %.2f ms (in the program's own code %.2f ms)\n",
                runs, median(readRatios), median(writeRatios), longestStall, longestWork, longestUser);
    return 0;
}

#include "clone.moc"
