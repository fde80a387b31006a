#pragma once
// Comma-separated text as spreadsheets and CHIRP write it: fields in double quotes
// may hold commas, line breaks and doubled quotes; CR LF or LF ends a record; a
// UTF-8 byte-order mark is dropped; lines that begin with '#' and blank lines are
// not records.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct CsvRecord
{
    int line = 0;          // line of the file the record starts on, from 1
    QStringList fields;
    bool unclosedQuote = false;   // the file ended inside a quoted field
};

QList<CsvRecord> ParseCsv(const QByteArray &data);

// One record, fields quoted where they need it, ended by CR LF.
QString CsvLine(const QStringList &fields);
