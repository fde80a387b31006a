#include "image/csvfile.h"

namespace {

bool isBlank(const CsvRecord &record)
{
    for (const QString &field : record.fields) {
        if (!field.trimmed().isEmpty())
            return false;
    }
    return true;
}

} // namespace

QList<CsvRecord> ParseCsv(const QByteArray &data)
{
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);

    QList<CsvRecord> records;
    const int size = int(text.size());
    int i = 0;
    int line = 1;
    while (i < size) {
        if (text.at(i) == QLatin1Char('#')) {
            // A comment runs to the end of its line, quotes and all.
            while (i < size && text.at(i) != QLatin1Char('\n'))
                ++i;
            ++i;
            ++line;
            continue;
        }
        CsvRecord record;
        record.line = line;
        QString field;
        bool quoted = false;
        bool endOfRecord = false;
        while (i < size && !endOfRecord) {
            const QChar c = text.at(i++);
            if (quoted) {
                if (c == QLatin1Char('"')) {
                    if (i < size && text.at(i) == QLatin1Char('"')) {
                        field += c;
                        ++i;
                    } else {
                        quoted = false;
                    }
                } else {
                    if (c == QLatin1Char('\n'))
                        ++line;
                    field += c;
                }
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                record.fields.append(field);
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                ++line;
                endOfRecord = true;
            } else if (c == QLatin1Char('\r') && (i == size || text.at(i) == QLatin1Char('\n'))) {
                // the LF that follows ends the record
            } else {
                field += c;
            }
        }
        record.fields.append(field);
        record.unclosedQuote = quoted;
        if (!isBlank(record) || record.unclosedQuote)
            records.append(record);
    }
    return records;
}

QString CsvLine(const QStringList &fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString &field : fields) {
        const bool needsQuotes = field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"'))
                                 || field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r'))
                                 || field.startsWith(QLatin1Char('#'));
        if (needsQuotes)
            out.append(QLatin1Char('"') + QString(field).replace(QLatin1String("\""), QLatin1String("\"\""))
                       + QLatin1Char('"'));
        else
            out.append(field);
    }
    return out.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}
