#pragma once
// The serial line to the radio: 2400 baud, 8 data bits, no parity, 2 stop bits,
// DTR and RTS asserted, no flow control.
#include <QObject>
#include <QSerialPort>

class SerialLine : public QObject
{
    Q_OBJECT
public:
    explicit SerialLine(QObject *parent = nullptr);

    // Opens "COMn" (any letter case) or a device path. False, with errorText() set,
    // when the name has no port number or the device cannot be opened.
    bool open(const QString &portName);
    void close();
    bool isOpen() const { return m_port.isOpen(); }
    QString errorText() const { return m_error; }

    void discardQueues();
    // Queues the bytes and hands them to the system at once; false when the line is gone.
    bool write(const QByteArray &bytes);
    // Bytes not yet on the wire: ours and the system's.
    int pendingOutput() const;
    QByteArray readAll() { return m_port.readAll(); }

signals:
    void dataAvailable(int count);
    // The device reported a fault (cable pulled, device gone, line error).
    void lineError();

private:
    QSerialPort m_port;
    QString m_error;
    bool m_reporting = false;
};
