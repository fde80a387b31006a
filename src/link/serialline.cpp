#include "link/serialline.h"
#include "link/serialports.h"
#include "link/txqueue.h"
#include <QFileInfo>

namespace {

QString permissionHint(const QString &device)
{
#ifdef Q_OS_LINUX
    return QStringLiteral("%1: permission denied (membership of the group that owns it, usually "
                          "'dialout', grants access)").arg(device);
#else
    return QStringLiteral("%1: permission denied").arg(device);
#endif
}

} // namespace

SerialLine::SerialLine(QObject *parent)
    : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, [this] { emit dataAvailable(int(m_port.bytesAvailable())); });
    connect(&m_port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        // DTR and RTS requests a device refuses (pseudo-terminals) are not faults of the line.
        if (error == QSerialPort::ReadError || error == QSerialPort::ResourceError
            || error == QSerialPort::WriteError) {
            // A dead device reports again while the fault is being handled.
            if (m_reporting)
                return;
            m_reporting = true;
            emit lineError();
            m_reporting = false;
        }
    });
}

bool SerialLine::open(const QString &portName)
{
    close();
    m_error.clear();
    QString device = portName;
    if (!QFileInfo(portName).isAbsolute()) {
        if (PortNumber(portName) <= 0) {
            m_error = QStringLiteral("'%1' names no port number").arg(portName);
            return false;
        }
        device = SerialDevicePath(portName);
    }
    m_port.setPortName(device);
    m_port.setBaudRate(2400);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::TwoStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (device.isEmpty() || !m_port.open(QIODevice::ReadWrite)) {
        m_error = m_port.error() == QSerialPort::PermissionError ? permissionHint(device)
                                                                  : QStringLiteral("%1: %2").arg(device, m_port.errorString());
        return false;
    }
    m_port.setDataTerminalReady(true);
    m_port.setRequestToSend(true);
    m_port.clearError();
    discardQueues();
    return true;
}

void SerialLine::close()
{
    if (m_port.isOpen())
        m_port.close();
}

void SerialLine::discardQueues()
{
    if (m_port.isOpen()) {
        m_port.clear(QSerialPort::AllDirections);
        m_port.readAll();
    }
}

bool SerialLine::write(const QByteArray &bytes)
{
    if (!m_port.isOpen() || m_port.write(bytes) != bytes.size())
        return false;
    m_port.flush();
    return true;
}

int SerialLine::pendingOutput() const
{
    if (!m_port.isOpen())
        return 0;
    return int(m_port.bytesToWrite()) + systemOutputQueue(m_port);
}
