#pragma once
// A ZE-4K radio on a pseudo-terminal: it answers the serial clone protocol from a
// 2032-byte memory, so that the program can read and write without hardware, and it
// can misbehave on request to show how the program copes.
#include "radiooptions.h"
#include <QBitArray>
#include <QByteArray>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>
#include <deque>
#include <memory>

class PseudoTerminal;
class QSocketNotifier;

// One thing that happened on the cable, or a remark of the radio about itself.
struct TraceEntry
{
    enum Direction { HostToRadio, RadioToHost, Note };
    Direction direction = Note;
    double ms = 0.0;   // since the radio was created
    QByteArray bytes;  // as read from or written to the cable in one go; a note's text

    // "   12.345  host>  50 52 4F"
    QString toString() const;
};

class VirtualRadio : public QObject
{
    Q_OBJECT
public:
    enum class Session {
        Incomplete,  // the end byte came before a whole read or write
        Read,        // every block was read
        Write        // every block was written
    };
    Q_ENUM(Session)

    static constexpr int MemorySize = 2032;
    static constexpr int BlockSize = 16;
    static constexpr int BlockCount = MemorySize / BlockSize;
    // One byte on the cable: start bit, 8 data bits, 2 stop bits at 2400 baud.
    static constexpr qint64 WireByteNs = 11 * Q_INT64_C(1000000000) / 2400;

    explicit VirtualRadio(const RadioOptions &options = RadioOptions(), QObject *parent = nullptr);
    ~VirtualRadio() override;

    // Loads the image file if one is set, opens the pseudo-terminal and makes the link.
    // False with a message when any of that fails.
    bool start(QString *error = nullptr);
    // Closes the device (a host that has it open sees it vanish) and removes the link.
    void stop();
    bool isOpen() const;
    // The slave device a host opens as its serial port ("/dev/pts/3").
    QString devicePath() const;

    const RadioOptions &options() const { return m_options; }
    // The four characters of the ident reply.
    QByteArray modelCode() const { return m_modelCode; }
    // Radio addresses 0 to 2031.
    QByteArray memory() const { return m_memory; }
    // Shorter input is padded with 0xFF, longer cut.
    void setMemory(const QByteArray &bytes);
    bool inProgrammingMode() const { return m_programming; }

    const QList<TraceEntry> &trace() const { return m_trace; }
    // Everything that went one way, in order, as one byte string.
    QByteArray tracedBytes(TraceEntry::Direction direction) const;
    void clearTrace() { m_trace.clear(); }

    // What a radio holds before anything was written to it: 0xFF everywhere but the
    // ident block ('P', the model code, standard band 5, two zero bytes).
    static QByteArray defaultMemory(const QByteArray &modelCode);

signals:
    void programmingModeEntered();
    // After the end byte, with what the session did.
    void sessionEnded(VirtualRadio::Session session);
    void writeCompleted();
    void memorySaved(const QString &path);
    void saveFailed(const QString &message);
    // The device was closed on purpose (cable-pull fault) or because it failed.
    void cablePulled();
    void traced(const TraceEntry &entry);

private:
    struct PendingByte
    {
        quint8 byte;
        qint64 dueNs;  // when its last stop bit has arrived
    };
    struct Outgoing
    {
        QByteArray bytes;
        qint64 notBeforeNs = 0;
        bool oneWrite = false;  // all bytes in one write even when paced
        int sent = 0;
    };

    qint64 nowNs() const { return m_clock.nsecsElapsed(); }
    void record(TraceEntry::Direction direction, const QByteArray &bytes, qint64 atNs);
    void note(const QString &text);

    void onReadable();
    void processDueBytes();
    void feed(quint8 byte);
    void onHandshake();
    void onIdentRequest();
    void onHostAck();
    void onReadRequest(const QByteArray &frame);
    void onWriteFrame(const QByteArray &frame);
    void onEnd();

    bool pullCableAt(const RadioStep &step);
    bool strikes(const QList<RadioStep> &at, QList<bool> &struck, const RadioStep &step);
    bool answer(const RadioStep &step, QByteArray reply, bool isAck);
    void enqueue(const QByteArray &bytes, qint64 notBeforeNs, bool oneWrite = false);
    void pumpOutput();
    void writeToCable(const QByteArray &bytes);
    void flushUnwritten();
    void closeDevice(const QString &why);
    static void arm(QTimer &timer, qint64 dueNs, qint64 nowNs);

    RadioOptions m_options;
    QByteArray m_modelCode;
    QByteArray m_memory;
    QElapsedTimer m_clock;
    QList<TraceEntry> m_trace;

    std::unique_ptr<PseudoTerminal> m_pty;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QString m_linkMade;
    QString m_linkTarget;

    // Receiving: host bytes wait here until they would have arrived on the wire.
    std::deque<PendingByte> m_incoming;
    qint64 m_hostLineFreeNs = 0;
    qint64 m_reactionNs = 0;  // when the byte being handled arrived
    QTimer m_incomingTimer;

    // The clone protocol as a byte-stream parser.
    bool m_programming = false;
    int m_handshakeMatched = 0;  // characters of "PROGRAM" seen so far
    QByteArray m_frame;          // a read request or write frame being collected
    int m_frameLength = 0;
    enum class LastAnswer { None, Ident, ReadReply } m_last = LastAnswer::None;
    int m_lastBlock = -1;
    QBitArray m_blocksRead;
    QBitArray m_blocksWritten;
    int m_writeFrames = 0;

    // Sending: answers wait here for their time (late answers, wire pacing).
    std::deque<Outgoing> m_outgoing;
    qint64 m_radioLineFreeNs = 0;
    QByteArray m_unwritten;  // what the device did not take yet
    QTimer m_outgoingTimer;

    // Which one-off faults have struck.
    QList<bool> m_silentStruck;
    QList<bool> m_wrongStruck;
    bool m_lateStruck = false;
    bool m_strayStruck = false;
    bool m_burstStruck = false;
};

Q_DECLARE_METATYPE(TraceEntry)
