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
    const qint64 scaled = roundHalfAway(value * double(scale));
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
