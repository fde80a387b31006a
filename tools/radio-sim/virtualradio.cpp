#include "virtualradio.h"
#include "pty.h"
#include "radiodatafile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdio>

namespace {

constexpr char Ack = 0x06;
constexpr char Nak = 0x15;
constexpr char IdentRequest = 0x02;
constexpr char ReadCommand = 'R';
constexpr char WriteCommand = 'W';
constexpr char EndCommand = 'E';
constexpr char Handshake[] = "PROGRAM";
constexpr int HandshakeLength = 7;
constexpr int ReadFrameLength = 4;       // 'R', address high, low, length
constexpr int WriteFrameLength = 4 + 16; // 'W', address high, low, length, data
constexpr char StrayByte = 0x00;

constexpr int IdentBlockOffset = 1904;   // 'P', model code, band code, 0, 0, limits
constexpr int DefaultBandCode = 0xF5;
constexpr QLatin1String DefaultModel("4k45");

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex(' ').toUpper();
}

} // namespace

QString TraceEntry::toString() const
{
    static const char *const arrows[] = {"host> ", "radio>", "note  "};
    const QString what = direction == Note ? QString::fromUtf8(bytes) : QString::fromLatin1(hex(bytes));
    return QStringLiteral("%1  %2 %3").arg(ms, 10, 'f', 3).arg(QLatin1String(arrows[direction]), what);
}

VirtualRadio::VirtualRadio(const RadioOptions &options, QObject *parent)
    : QObject(parent), m_options(options), m_blocksRead(BlockCount), m_blocksWritten(BlockCount)
{
    qRegisterMetaType<TraceEntry>();
    m_clock.start();
    m_modelCode = m_options.modelCode.isEmpty() ? QByteArray(DefaultModel.data(), DefaultModel.size())
                                                : m_options.modelCode;
    m_memory = defaultMemory(m_modelCode);
    m_silentStruck = QList<bool>(m_options.faults.silentAt.size(), false);
    m_wrongStruck = QList<bool>(m_options.faults.wrongAckAt.size(), false);
    for (QTimer *timer : {&m_incomingTimer, &m_outgoingTimer}) {
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
    }
    connect(&m_incomingTimer, &QTimer::timeout, this, &VirtualRadio::processDueBytes);
    connect(&m_outgoingTimer, &QTimer::timeout, this, &VirtualRadio::pumpOutput);
}

VirtualRadio::~VirtualRadio()
{
    stop();
}

QByteArray VirtualRadio::defaultMemory(const QByteArray &modelCode)
{
    QByteArray memory(MemorySize, char(0xFF));
    memory[IdentBlockOffset] = 'P';
    const QByteArray code = (modelCode + QByteArray(4, ' ')).left(4);
    memory.replace(IdentBlockOffset + 1, 4, code);
    memory[IdentBlockOffset + 5] = char(DefaultBandCode);
    memory[IdentBlockOffset + 6] = 0;
    memory[IdentBlockOffset + 7] = 0;
    return memory;
}

void VirtualRadio::setMemory(const QByteArray &bytes)
{
    m_memory = bytes.left(MemorySize);
    m_memory.append(QByteArray(MemorySize - m_memory.size(), char(0xFF)));
}

bool VirtualRadio::start(QString *error)
{
    stop();
    if (!m_options.imagePath.isEmpty()) {
        QByteArray memory, fileModel;
        if (!RadioDataFile::load(m_options.imagePath, MemorySize, &memory, &fileModel, error))
            return false;
        m_memory = memory;
        if (m_options.modelCode.isEmpty())
            m_modelCode = fileModel;
    }

    m_pty = std::make_unique<PseudoTerminal>();
    if (!m_pty->open(error)) {
        m_pty.reset();
        return false;
    }
    m_readNotifier = new QSocketNotifier(m_pty->masterHandle(), QSocketNotifier::Read, this);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &VirtualRadio::onReadable);
    m_writeNotifier = new QSocketNotifier(m_pty->masterHandle(), QSocketNotifier::Write, this);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &VirtualRadio::flushUnwritten);

    if (!m_options.linkPath.isEmpty()) {
        const QFileInfo existing(m_options.linkPath);
        if (existing.isSymLink()) {
            QFile::remove(m_options.linkPath);
        } else if (existing.exists()) {
            if (error)
                *error = QStringLiteral("%1 exists and is not a symbolic link")
                             .arg(QDir::toNativeSeparators(m_options.linkPath));
            stop();
            return false;
        }
        if (!QFile::link(devicePath(), m_options.linkPath)) {
            if (error)
                *error = QStringLiteral("cannot make the link %1").arg(QDir::toNativeSeparators(m_options.linkPath));
            stop();
            return false;
        }
        m_linkMade = m_options.linkPath;
        m_linkTarget = devicePath();
    }
    note(QStringLiteral("listening on %1 as model %2").arg(devicePath(), QString::fromLatin1(m_modelCode)));
    return true;
}

void VirtualRadio::stop()
{
    if (m_pty)
        closeDevice(QString());
    if (!m_linkMade.isEmpty()) {
        // Only our own link goes: someone may have pointed it elsewhere meanwhile.
        const QFileInfo link(m_linkMade);
        if (link.isSymLink() && link.symLinkTarget() == m_linkTarget)
            QFile::remove(m_linkMade);
        m_linkMade.clear();
        m_linkTarget.clear();
    }
}

void VirtualRadio::closeDevice(const QString &why)
{
    // This may run inside a notifier's own signal: they go later, switched off now.
    for (QSocketNotifier *notifier : {m_readNotifier, m_writeNotifier}) {
        if (notifier) {
            notifier->setEnabled(false);
            notifier->deleteLater();
        }
    }
    m_readNotifier = m_writeNotifier = nullptr;
    m_incomingTimer.stop();
    m_outgoingTimer.stop();
    m_incoming.clear();
    m_outgoing.clear();
    m_unwritten.clear();
    m_frameLength = 0;
    m_frame.clear();
    m_handshakeMatched = 0;
    m_programming = false;
    if (m_pty)
        m_pty->close();
    m_pty.reset();
    if (!why.isEmpty()) {
        note(why);
        emit cablePulled();
    }
}

bool VirtualRadio::isOpen() const
{
    return m_pty && m_pty->isOpen();
}

QString VirtualRadio::devicePath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

QByteArray VirtualRadio::tracedBytes(TraceEntry::Direction direction) const
{
    QByteArray all;
    for (const TraceEntry &entry : m_trace) {
        if (entry.direction == direction)
            all += entry.bytes;
    }
    return all;
}

void VirtualRadio::record(TraceEntry::Direction direction, const QByteArray &bytes, qint64 atNs)
{
    TraceEntry entry;
    entry.direction = direction;
    entry.ms = double(atNs) / 1e6;
    entry.bytes = bytes;
    if (m_options.keepTrace)
        m_trace.append(entry);
    if (m_options.printTrace) {
        std::fprintf(stderr, "%s\n", qPrintable(entry.toString()));
        std::fflush(stderr);
    }
    emit traced(entry);
}

void VirtualRadio::note(const QString &text)
{
    record(TraceEntry::Note, text.toUtf8(), nowNs());
}

// --- receiving ---------------------------------------------------------------

void VirtualRadio::onReadable()
{
    QByteArray chunk;
    QString error;
    const bool ok = m_pty->readAvailable(&chunk, &error);
    const qint64 now = nowNs();
    if (!chunk.isEmpty())
        record(TraceEntry::HostToRadio, chunk, now);
    if (!ok) {
        closeDevice(error);
        return;
    }
    if (!m_options.wire) {
        for (char byte : std::as_const(chunk)) {
            if (!isOpen())
                return;
            m_reactionNs = nowNs();
            feed(quint8(byte));
        }
        return;
    }
    // Each byte finishes arriving one byte time after it started, and it cannot start
    // before the one ahead of it has finished.
    for (char byte : std::as_const(chunk)) {
        m_hostLineFreeNs = std::max(now, m_hostLineFreeNs) + WireByteNs;
        m_incoming.push_back({quint8(byte), m_hostLineFreeNs});
    }
    processDueBytes();
}

void VirtualRadio::processDueBytes()
{
    while (!m_incoming.empty() && isOpen()) {
        const qint64 now = nowNs();
        if (m_incoming.front().dueNs > now) {
            arm(m_incomingTimer, m_incoming.front().dueNs, now);
            return;
        }
        // The radio reacts the moment the byte has arrived, however late the timer woke us:
        // so the lateness of one wake-up does not add to the time of the whole exchange.
        const quint8 byte = m_incoming.front().byte;
        m_reactionNs = m_incoming.front().dueNs;
        m_incoming.pop_front();
        feed(byte);
    }
}

void VirtualRadio::feed(quint8 byte)
{
    const char c = char(byte);
    if (m_frameLength > 0) {
        m_frame.append(c);
        if (m_frame.size() < m_frameLength)
            return;
        const QByteArray frame = m_frame;
        m_frame.clear();
        m_frameLength = 0;
        if (frame.at(0) == ReadCommand)
            onReadRequest(frame);
        else
            onWriteFrame(frame);
        return;
    }

    // "PROGRAM" is recognised at any time between frames, so that a host that starts
    // over finds the radio ready.
    if (c == Handshake[m_handshakeMatched]) {
        if (++m_handshakeMatched == HandshakeLength) {
            m_handshakeMatched = 0;
            onHandshake();
        }
        return;
    }
    m_handshakeMatched = c == Handshake[0] ? 1 : 0;
    if (m_handshakeMatched || !m_programming)
        return;

    switch (c) {
    case IdentRequest:
        onIdentRequest();
        break;
    case Ack:
        onHostAck();
        break;
    case ReadCommand:
        m_frame = QByteArray(1, c);
        m_frameLength = ReadFrameLength;
        break;
    case WriteCommand:
        m_frame = QByteArray(1, c);
        m_frameLength = WriteFrameLength;
        break;
    case EndCommand:
        onEnd();
        break;
    default:
        break;  // line noise between frames
    }
}

// --- the protocol ------------------------------------------------------------

void VirtualRadio::onHandshake()
{
    const RadioStep step{RadioStep::Handshake, -1};
    if (pullCableAt(step))
        return;
    if (m_options.faults.strayByte && (!m_strayStruck || m_options.faults.repeat)) {
        m_strayStruck = true;
        note(QStringLiteral("stray byte before the handshake ACK"));
        enqueue(QByteArray(1, StrayByte), m_reactionNs);
    }
    if (!answer(step, QByteArray(1, Ack), true))
        return;  // a radio that did not hear the handshake stays out of programming mode
    m_programming = true;
    m_last = LastAnswer::None;
    m_blocksRead.fill(false);
    m_blocksWritten.fill(false);
    m_writeFrames = 0;
    emit programmingModeEntered();
}

void VirtualRadio::onIdentRequest()
{
    const RadioStep step{RadioStep::Ident, -1};
    if (pullCableAt(step))
        return;
    QByteArray reply = QByteArray(1, 'P') + m_modelCode;
    reply += m_memory.mid(IdentBlockOffset + 5, 11);
    m_last = answer(step, reply, false) ? LastAnswer::Ident : LastAnswer::None;
}

void VirtualRadio::onHostAck()
{
    const RadioStep step = m_last == LastAnswer::ReadReply ? RadioStep{RadioStep::ReadAck, m_lastBlock}
                                                          : RadioStep{RadioStep::Ack, -1};
    m_last = LastAnswer::None;
    if (pullCableAt(step))
        return;
    answer(step, QByteArray(1, Ack), true);
}

void VirtualRadio::onReadRequest(const QByteArray &frame)
{
    // The length byte is always 16 with this radio; blocks are 16 bytes whatever it says.
    const int address = quint8(frame.at(1)) * 256 + quint8(frame.at(2));
    const int block = address / BlockSize;
    const RadioStep step{RadioStep::Read, block};
    m_last = LastAnswer::None;
    if (pullCableAt(step))
        return;
    QByteArray data = m_memory.mid(address, BlockSize);
    data.append(QByteArray(BlockSize - data.size(), char(0xFF)));
    const QByteArray reply = QByteArray(1, WriteCommand) + frame.mid(1, 3) + data;
    if (answer(step, reply, false)) {
        m_last = LastAnswer::ReadReply;
        m_lastBlock = block;
        if (address % BlockSize == 0 && block < BlockCount)
            m_blocksRead.setBit(block);
    }
}

void VirtualRadio::onWriteFrame(const QByteArray &frame)
{
    const int address = quint8(frame.at(1)) * 256 + quint8(frame.at(2));
    const int block = address / BlockSize;
    const RadioStep step{RadioStep::Write, block};
    m_last = LastAnswer::None;
    if (pullCableAt(step))
        return;
    const int stored = std::min(BlockSize, MemorySize - address);
    if (stored > 0)
        m_memory.replace(address, stored, frame.mid(4, stored));
    if (address % BlockSize == 0 && block < BlockCount)
        m_blocksWritten.setBit(block);
    ++m_writeFrames;
    answer(step, QByteArray(1, Ack), true);
}

void VirtualRadio::onEnd()
{
    m_programming = false;
    m_last = LastAnswer::None;
    Session session = Session::Incomplete;
    if (m_writeFrames > 0 && m_blocksWritten.count(true) == BlockCount)
        session = Session::Write;
    else if (m_blocksRead.count(true) == BlockCount)
        session = Session::Read;
    static const char *const names[] = {"incomplete", "read", "write"};
    note(QStringLiteral("end of programming mode: %1").arg(QLatin1String(names[int(session)])));
    m_blocksRead.fill(false);
    m_blocksWritten.fill(false);
    m_writeFrames = 0;

    if (session == Session::Write) {
        emit writeCompleted();
        if (!m_options.savePath.isEmpty()) {
            QString error;
            if (RadioDataFile::save(m_options.savePath, m_memory, m_modelCode, &error)) {
                note(QStringLiteral("saved %1").arg(m_options.savePath));
                emit memorySaved(m_options.savePath);
            } else {
                note(error);
                emit saveFailed(error);
            }
        }
    }
    emit sessionEnded(session);
}

// --- faults ------------------------------------------------------------------

bool VirtualRadio::pullCableAt(const RadioStep &step)
{
    const auto &at = m_options.faults.cablePullAt;
    if (!at || !at->covers(step))
        return false;
    closeDevice(QStringLiteral("cable pulled at %1").arg(step.toString()));
    return true;
}

bool VirtualRadio::strikes(const QList<RadioStep> &at, QList<bool> &struck, const RadioStep &step)
{
    for (int i = 0; i < at.size(); ++i) {
        if (at.at(i).covers(step) && (!struck.at(i) || m_options.faults.repeat)) {
            struck[i] = true;
            return true;
        }
    }
    return false;
}

// Sends the answer for a step, spoiled as the faults say. False when nothing was sent.
bool VirtualRadio::answer(const RadioStep &step, QByteArray reply, bool isAck)
{
    const RadioFaults &faults = m_options.faults;
    if (strikes(faults.silentAt, m_silentStruck, step)) {
        note(QStringLiteral("silent at %1").arg(step.toString()));
        return false;
    }
    bool oneWrite = false;
    if (strikes(faults.wrongAckAt, m_wrongStruck, step)) {
        note(QStringLiteral("wrong answer at %1").arg(step.toString()));
        reply = QByteArray(1, Nak);
    } else if (step.kind == RadioStep::Ident && faults.burstBytes > 0 && (!m_burstStruck || faults.repeat)) {
        m_burstStruck = true;
        note(QStringLiteral("ident answered with %1 bytes").arg(faults.burstBytes));
        reply = reply.left(faults.burstBytes);
        reply.append(QByteArray(faults.burstBytes - reply.size(), char(0xFF)));
        oneWrite = true;
    }
    qint64 notBefore = m_reactionNs;
    if (faults.lateMs > 0) {
        bool late = false;
        if (!faults.lateAt) {
            late = isAck;
        } else if (faults.lateAt->covers(step) && (!m_lateStruck || faults.repeat)) {
            m_lateStruck = true;
            late = true;
        }
        if (late) {
            note(QStringLiteral("answering %1 ms late at %2").arg(faults.lateMs).arg(step.toString()));
            notBefore += qint64(faults.lateMs) * 1000000;
        }
    }
    enqueue(reply, notBefore, oneWrite);
    return true;
}

// --- sending -----------------------------------------------------------------

void VirtualRadio::enqueue(const QByteArray &bytes, qint64 notBeforeNs, bool oneWrite)
{
    Outgoing out;
    out.bytes = bytes;
    out.notBeforeNs = notBeforeNs;
    out.oneWrite = oneWrite;
    m_outgoing.push_back(out);
    pumpOutput();
}

// Answers leave in order. Unpaced, each goes out whole as soon as its time has come;
// paced, each byte is handed to the host when its last stop bit would have arrived.
void VirtualRadio::pumpOutput()
{
    while (!m_outgoing.empty() && isOpen()) {
        Outgoing &out = m_outgoing.front();
        const qint64 now = nowNs();
        if (!m_options.wire) {
            if (out.notBeforeNs > now) {
                arm(m_outgoingTimer, out.notBeforeNs, now);
                return;
            }
            const QByteArray bytes = out.bytes;
            m_outgoing.pop_front();
            writeToCable(bytes);
            continue;
        }
        const qint64 end = std::max(out.notBeforeNs, m_radioLineFreeNs) + WireByteNs;
        if (end > now) {
            arm(m_outgoingTimer, end, now);
            return;
        }
        if (out.oneWrite) {
            // A burst leaves at once and keeps the line busy for as long as it would take.
            const QByteArray bytes = out.bytes;
            m_radioLineFreeNs = end + (bytes.size() - 1) * WireByteNs;
            m_outgoing.pop_front();
            writeToCable(bytes);
            continue;
        }
        const QByteArray byte = out.bytes.mid(out.sent, 1);
        m_radioLineFreeNs = end;
        if (++out.sent == out.bytes.size())
            m_outgoing.pop_front();
        writeToCable(byte);
    }
}

void VirtualRadio::writeToCable(const QByteArray &bytes)
{
    if (bytes.isEmpty() || !isOpen())
        return;
    record(TraceEntry::RadioToHost, bytes, nowNs());
    m_unwritten += bytes;
    flushUnwritten();
}

void VirtualRadio::flushUnwritten()
{
    if (!isOpen())
        return;
    QString error;
    const qint64 taken = m_pty->write(m_unwritten.constData(), m_unwritten.size(), &error);
    if (taken < 0) {
        closeDevice(error);
        return;
    }
    m_unwritten.remove(0, int(taken));
    // A host that does not read fills the device's buffer; the rest waits for room.
    m_writeNotifier->setEnabled(!m_unwritten.isEmpty());
}

void VirtualRadio::arm(QTimer &timer, qint64 dueNs, qint64 nowNs)
{
    // Whole milliseconds, rounded up: the timer never fires before the byte is due.
    const qint64 waitNs = std::max<qint64>(0, dueNs - nowNs);
    timer.start(int((waitNs + 999999) / 1000000));
}
