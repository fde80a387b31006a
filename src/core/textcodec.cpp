#include "core/textcodec.h"
#include <QStringDecoder>
#include <QStringEncoder>

QString decodeText(const QByteArray &bytes)
{
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLatin1(bytes);
    QString text = decoder.decode(bytes);
    // A lead byte at the very end waits for a second byte that never comes. A line
    // feed (never part of a GBK character) ends the input, so that a text cut inside
    // a character shows the replacement character instead of losing it silently.
    QString tail = decoder.decode(QByteArrayView("\n"));
    tail.chop(1);
    return text + tail;
}

QByteArray encodeText(const QString &text)
{
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLatin1();
    return encoder.encode(text);
}
