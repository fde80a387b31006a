#include "link/clonesession.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include <QElapsedTimer>

namespace {

// One byte on the wire: start bit, 8 data bits, 2 stop bits at 2400 baud.
constexpr double ByteMs = 11.0 * 1000.0 / 2400.0;

qint64 nowMs()
{
    static QElapsedTimer clock;
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

} // namespace

CloneSession::CloneSession(int drainPollMs, int drainMaxPolls, QObject *parent)
    : QObject(parent), m_drainBoundMs(drainPollMs * drainMaxPolls)
{
    const auto setUp = [this](QTimer &timer, int ms) {
        timer.setSingleShot(true);
        timer.setInterval(ms);
        timer.setTimerType(Qt::PreciseTimer);
    };
    setUp(HeadTime, 500);
    setUp(TryTime, 450);
    setUp(CloseTime, 300);
    connect(&HeadTime, &QTimer::timeout, this, &CloneSession::onHeadTime);
    connect(&TryTime, &QTimer::timeout, this, [this] { onTryTime(); });
    connect(&CloseTime, &QTimer::timeout, this, &CloneSession::closeRequested);
    connect(&m_line, &SerialLine::dataAvailable, this, &CloneSession::onData);
    connect(&m_line, &SerialLine::lineError, this, [this] { onLineError(); });
}

void CloneSession::show(const QString &portName)
{
    LinkState = Idle;
    if (!m_line.open(portName)) {
        if (!ErrorShown) {
            ErrorShown = true;
            ShowMsg(LangTexts.Confirmation, LangTexts.LPortError, MsgInformation);
        }
        arm(CloseTime);
    }
}

void CloneSession::cancel()
{
    ++m_generation;
    ++m_frameToken;
    HeadTime.stop();
    TryTime.stop();
    CloseTime.stop();
    LinkState = Idle;
    m_line.close();
}

void CloneSession::after(int ms, std::function<void()> step)
{
    const quint64 generation = m_generation;
    QTimer::singleShot(ms, Qt::PreciseTimer, this, [this, generation, step = std::move(step)] {
        if (generation == m_generation)
            step();
    });
}

bool CloneSession::send(const QByteArray &frame, std::function<void()> afterDrained)
{
    const quint64 token = ++m_frameToken;
    if (!m_line.write(frame))
        return false;
    if (afterDrained)
        pollDrain(token, nowMs(), std::move(afterDrained));
    return true;
}

// Looks at the transmit queue again when its bytes should have left the wire, so
// the time-out that follows starts close to the moment the frame is out.
void CloneSession::pollDrain(quint64 token, qint64 startedMs, std::function<void()> then)
{
    if (token != m_frameToken)
        return;
    const int pending = m_line.pendingOutput();
    const qint64 waited = nowMs() - startedMs;
    if (pending == 0 || waited >= m_drainBoundMs) {
        then();
        return;
    }
    const int wait = qBound(1, int(pending * ByteMs), int(m_drainBoundMs - waited));
    after(wait, [this, token, startedMs, then = std::move(then)] { pollDrain(token, startedMs, then); });
}

void CloneSession::arm(QTimer &timer)
{
    if (!timer.isActive())
        timer.start();
}

void CloneSession::showError(const QString &text)
{
    if (ErrorShown)
        return;
    ErrorShown = true;
    ShowMsg(LangTexts.Confirmation, text, MsgInformation);
}

void CloneSession::setProgress(int position)
{
    position = qBound(0, position, ProgressMaximum);
    if (position != m_progress) {
        m_progress = position;
        emit progressChanged(position);
    }
}

void CloneSession::setOkEnabled(bool enabled)
{
    if (enabled != m_okEnabled) {
        m_okEnabled = enabled;
        emit okEnabledChanged(enabled);
    }
}

// At most 49 bytes are kept; a reply is handled as soon as enough are there, and
// never once the buffer is full.
void CloneSession::onData()
{
    const QByteArray bytes = m_line.readAll();
    for (char b : bytes) {
        if (RxCount <= 48)
            RxBuffer[RxCount++] = quint8(b);
    }
    if (!bytes.isEmpty() && RxCount >= ExpectedCount && RxCount <= 48)
        ProcessReply();
}

// The radio may send one byte before its ACK.
void CloneSession::handshakeReply()
{
    if (RxBuffer[0] != Ack && RxBuffer[1] != Ack)
        return;
    AwaitingAck = false;
    HeadTime.stop();
    LinkState = Ident;
    ExpectedCount = 16;
    RxCount = 0;
    after(5, [this] {
        if (!send(QByteArray(1, '\x02'), [this] { arm(HeadTime); }))
            onLineError();
    });
}

// A start that could not send: say so, and let the user try again or cancel.
bool CloneSession::startFailed()
{
    HeadTime.stop();
    LinkState = Idle;
    showError(LangTexts.LPortError);
    emit halted();
    return false;
}

void CloneSession::sendAck()
{
    AwaitingAck = true;
    ExpectedCount = 1;
    RxCount = 0;
    if (!send(QByteArray(1, char(Ack)), [this] { arm(TryTime); }))
        onLineError();
}

QString CloneSession::identModelCode() const
{
    QString code;
    for (int i = 1; i <= 4; ++i)
        code += QChar(ushort(RxBuffer[i]));
    return code;
}

void CloneSession::onHeadTime()
{
    LinkState = Idle;
    if (ErrorShown)
        return;
    // The radio software waits a moment before it tells the user.
    after(2500, [this] {
        if (ErrorShown)
            return;
        showError(LangTexts.ComError);
        arm(CloseTime);
    });
}
