#pragma once
// Bytes the operating system still holds for a serial device's transmitter.
#include <QSerialPort>

// 0 when the system cannot tell.
int systemOutputQueue(const QSerialPort &port);
