#pragma once
// What reading from and writing to the radio have in common: the line, the receive
// buffer with its 49-byte rule, the handshake and ident exchange, the time-outs and
// the waits of the clone protocol. The waits are timers of the same length, so the
// bytes and delays on the wire are the radio's while the event loop keeps running.
#include "link/serialline.h"
#include <QObject>
#include <QTimer>
#include <array>
#include <functional>

class CloneSession : public QObject
{
    Q_OBJECT
public:
    enum State { Idle = 0, Handshake = 1, Ident = 2, Transfer = 3 };
    static constexpr int BlockCount = 127;
    static constexpr int ProgressMaximum = 126;
    static constexpr quint8 Ack = 0x06;

    // Opens the port named by AppState.PortName (or a device path); on failure shows
    // "LPortError" and closes after 300 ms.
    virtual void show(const QString &portName);
    // Closes at once; nothing further is sent.
    virtual void cancel();

    int progress() const { return m_progress; }
    bool okEnabled() const { return m_okEnabled; }
    bool isPortOpen() const { return m_line.isOpen(); }
    const SerialLine &line() const { return m_line; }

    int LinkState = Idle;
    std::array<quint8, 51> RxBuffer{};
    int RxCount = 0;
    int ExpectedCount = 0;
    int BlockIndex = 0;
    bool AwaitingAck = false;
    bool ErrorShown = false;

signals:
    void progressChanged(int position);
    void okEnabledChanged(bool enabled);
    // The 300 ms after success or a fatal error are over: the window closes.
    void closeRequested();
    // The attempt has stopped where only the user can end it (a refused model, a
    // refused force question, a line error while writing, a failed start).
    void halted();

protected:
    // drainPollMs x drainMaxPolls bounds the wait for the transmit queue to empty.
    CloneSession(int drainPollMs, int drainMaxPolls, QObject *parent);

    virtual void ProcessReply() = 0;
    virtual void onLineError() = 0;
    virtual void onTryTime() = 0;

    // Runs step after ms milliseconds, unless the session was cancelled meanwhile.
    void after(int ms, std::function<void()> step);
    // Sends a frame; then runs afterDrained once the frame has left the transmit
    // queue (or the bound is reached), unless another frame was sent meanwhile.
    bool send(const QByteArray &frame, std::function<void()> afterDrained = {});
    // Starts a timer unless it is already running.
    static void arm(QTimer &timer);
    // Shows a link error unless one was shown in this attempt.
    void showError(const QString &text);
    void setProgress(int position);
    void setOkEnabled(bool enabled);

    // The parts of the exchange both directions share.
    void handshakeReply();
    bool startFailed();
    void sendAck();
    // The model code in bytes 1 to 4 of the ident reply.
    QString identModelCode() const;

    SerialLine m_line;
    QTimer HeadTime;
    QTimer TryTime;
    QTimer CloseTime;

private:
    void onData();
    void onHeadTime();
    void pollDrain(quint64 token, qint64 startedMs, std::function<void()> then);

    const int m_drainBoundMs;
    quint64 m_generation = 0;
    quint64 m_frameToken = 0;
    int m_progress = 0;
    bool m_okEnabled = true;
};
