#pragma once
// Serial ports named the way the radio software names them: "COM" and a number.
//
// On Windows that is the native name. Elsewhere a fixed map gives each device a
// stable number: COM1-COM8 = /dev/ttyUSB0-7, COM9-COM12 = /dev/ttyACM0-3,
// COM13-COM20 = /dev/ttyS0-7, COM21 and up = other serial devices in name order.
// Keys "COMn=/dev/..." in section [Ports] of the settings file override single numbers.
#include <QList>
#include <QString>
#include <QStringList>

struct SerialPortName
{
    QString name;        // "COM5"
    QString devicePath;  // "/dev/ttyUSB4", or "COM5" on Windows
};

// Every port that exists and can be opened now, in number order.
void ListSerialPorts(QStringList *names);
QList<SerialPortName> AvailableSerialPorts();

// The device behind a port name ("COM3", "Com3") or a device path given as is.
QString SerialDevicePath(const QString &portName);
// The devices behind COM1 to COM last, present or not (empty where none is known):
// SerialDevicePath of each, looked up in one go.
QStringList SerialDevicePaths(int last);
// The number of a port name: its characters from the 4th on; 0 when there is none.
int PortNumber(const QString &portName);
