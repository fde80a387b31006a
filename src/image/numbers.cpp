#include "image/numbers.h"
#include <QLocale>
#include <cmath>

std::optional<double> parseDecimal(const QString &text)
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    bool ok = false;
    const double v = c.toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<int> parseInteger(const QString &text)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return std::nullopt;
    return v;
}

qint64 roundHalfAway(double value)
{
    constexpr double limit = 1e15;
    if (!(value < limit))
        return qint64(limit);
    if (!(value > -limit))
        return -qint64(limit);
    return qint64(std::llround(value));
}

QString formatFixed(double value, int decimals, int intDigits)
{
    qint64 scale = 1;
    for (int i = 0; i < decimals; ++i)
        scale *= 10;
    qint64 scaled = roundHalfAway(value * double(scale));
    if (std::isfinite(value) && std::fabs(value * double(scale)) < 1e15) {
        // Round the shortest decimal form, not the binary one: a limit of 81938 steps
        // of 6.25 kHz is 512.1125 MHz and must read 512.113, although the nearest
        // double lies just below the half.
        const QString shortest = QString::number(std::fabs(value), 'f', QLocale::FloatingPointShortest);
        const int point = shortest.indexOf(QLatin1Char('.'));
        const QString whole = point < 0 ? shortest : shortest.left(point);
        const QString fraction = (point < 0 ? QString() : shortest.mid(point + 1))
                                     .leftJustified(decimals + 1, QLatin1Char('0'));
        qint64 magnitude = (whole + fraction.left(decimals)).toLongLong();
        if (fraction.at(decimals) >= QLatin1Char('5'))
            ++magnitude;
        scaled = value < 0 ? -magnitude : magnitude;
    }
    const bool negative = scaled < 0;
    const qint64 magnitude = negative ? -scaled : scaled;
    QString text = QString::number(magnitude / scale).rightJustified(intDigits, QLatin1Char('0'));
    if (decimals > 0)
        text += QLatin1Char('.') + QString::number(magnitude % scale).rightJustified(decimals, QLatin1Char('0'));
    return negative ? QLatin1Char('-') + text : text;
}

QString mhzText(double mhz)
{
    return formatFixed(mhz, 5);
}
