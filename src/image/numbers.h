#pragma once
// Number texts as the radio software reads and writes them: "." as the decimal
// separator whatever the platform's locale, halves rounded away from zero.
#include <QString>
#include <optional>

// A decimal number (surrounding blanks allowed); nothing for anything else.
std::optional<double> parseDecimal(const QString &text);
// A decimal integer in 32-bit range (surrounding blanks allowed).
std::optional<int> parseInteger(const QString &text);

// Round to the nearest whole number, halves away from zero; saturates far outside
// the range of any frequency.
qint64 roundHalfAway(double value);

// Like the patterns "0.00000" (decimals 5), "000.000" (decimals 3, intDigits 3),
// "000" and "0.0".
QString formatFixed(double value, int decimals, int intDigits = 1);
// The "0.00000" frequency text every window shows.
QString mhzText(double mhz);
