#include "link/serialports.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "core/textcodec.h"
#include "image/numbers.h"
#include <QMap>
#include <QRegularExpression>
#include <QSerialPort>
#include <QSerialPortInfo>

namespace {

struct FixedRange
{
    const char *prefix;
    int firstNumber;
    int count;
};

const FixedRange FixedMap[] = {
    {"/dev/ttyUSB", 1, 8},
    {"/dev/ttyACM", 9, 4},
    {"/dev/ttyS", 13, 8},
};
constexpr int FirstFreeNumber = 21;

QMap<int, QString> overrides()
{
    QMap<int, QString> map;
    const IniFile ini(AppPaths::settingsFile());
    for (int n = 1; n <= 256; ++n) {
        if (const auto path = ini.value("Ports", "COM" + QByteArray::number(n)))
            map.insert(n, decodeText(*path));
    }
    return map;
}

int fixedNumber(const QString &path)
{
    for (const FixedRange &range : FixedMap) {
        const QString prefix = QLatin1String(range.prefix);
        if (!path.startsWith(prefix))
            continue;
        bool ok = false;
        const int index = path.mid(prefix.size()).toInt(&ok);
        if (ok && index >= 0 && index < range.count)
            return range.firstNumber + index;
    }
    return 0;
}

// Number to device path for every device the system knows, with the overrides applied.
QMap<int, QString> portMap()
{
    QMap<int, QString> map;
#ifdef Q_OS_WIN
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const int n = PortNumber(info.portName());
        if (n > 0)
            map.insert(n, info.portName());
    }
#else
    QStringList others;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        const QString path = info.systemLocation();
        const int n = fixedNumber(path);
        if (n > 0)
            map.insert(n, path);
        else
            others.append(path);
    }
    others.sort();
    int next = FirstFreeNumber;
    for (const QString &path : others)
        map.insert(next++, path);
#endif
    const QMap<int, QString> extra = overrides();
    for (auto it = extra.begin(); it != extra.end(); ++it)
        map.insert(it.key(), it.value());
    return map;
}

bool canOpen(const QString &device)
{
    QSerialPort port;
    port.setPortName(device);
    if (!port.open(QIODevice::ReadWrite))
        return false;
    port.close();
    return true;
}

} // namespace

int PortNumber(const QString &portName)
{
    return parseInteger(portName.mid(3)).value_or(0);
}

namespace {

// The device behind a port number: the map's, else the fixed place of that number.
QString devicePathOf(const QMap<int, QString> &map, int n)
{
    if (map.contains(n))
        return map.value(n);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(n);
#else
    for (const FixedRange &range : FixedMap) {
        if (n >= range.firstNumber && n < range.firstNumber + range.count)
            return QLatin1String(range.prefix) + QString::number(n - range.firstNumber);
    }
    return QString();
#endif
}

} // namespace

QString SerialDevicePath(const QString &portName)
{
    static const QRegularExpression comName(QStringLiteral("^COM\\d+$"), QRegularExpression::CaseInsensitiveOption);
    if (!comName.match(portName).hasMatch())
        return portName;
    return devicePathOf(portMap(), PortNumber(portName));
}

QStringList SerialDevicePaths(int last)
{
    const QMap<int, QString> map = portMap();
    QStringList paths;
    for (int n = 1; n <= last; ++n)
        paths.append(devicePathOf(map, n));
    return paths;
}

QList<SerialPortName> AvailableSerialPorts()
{
    QList<SerialPortName> ports;
    const QMap<int, QString> map = portMap();
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (canOpen(it.value()))
            ports.append({QStringLiteral("COM%1").arg(it.key()), it.value()});
    }
    return ports;
}

void ListSerialPorts(QStringList *names)
{
    if (!names)
        return;
    for (const SerialPortName &port : AvailableSerialPorts())
        names->append(port.name);
}
