#pragma once
// The system's files are 8-bit text in the Chinese code page (GBK, a superset of ASCII).
#include <QByteArray>
#include <QString>

QString decodeText(const QByteArray &bytes);
QByteArray encodeText(const QString &text);
