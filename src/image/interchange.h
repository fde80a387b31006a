#pragma once
// Channel lists and configurations as text files other programs read: CHIRP's CSV
// and the image's JSON object. What the window program and ze4k-cli share: choosing
// the format, reading a file into a plan that changes nothing, applying the plan,
// and writing an export atomically.
#include "image/chirpcsv.h"
#include "image/jsonimport.h"
#include <QByteArray>
#include <QString>

enum class InterchangeFormat { Csv, Json };

// ".json" is JSON and ".csv" CSV; any other name goes by the content.
InterchangeFormat FormatOfFile(const QString &path, const QByteArray &content = QByteArray());

// The export of AppState's image: the CSV rows of the channels with data, or the JSON object.
QByteArray ExportImage(InterchangeFormat format);

struct ImportPlan
{
    InterchangeFormat format = InterchangeFormat::Csv;
    CsvImportPlan csv;
    JsonImportPlan json;

    bool usable() const;
    // Why nothing can be imported (empty when usable).
    QString problem() const;
    // Memory channels the import sets.
    int channelCount() const;
};

// Reads a file's content against the current model and band. Changes nothing.
ImportPlan ReadImport(InterchangeFormat format, const QByteArray &data);
// Applies a usable plan to AppState's image; clearOthers empties the memory channels a
// CSV file does not give (a JSON object always sets all of them). Does not touch Modified.
void ApplyImport(const ImportPlan &plan, bool clearOthers);

// Reads a whole file; false with a message naming it when it cannot be read.
bool ReadInterchangeFile(const QString &path, QByteArray *data, QString *error);
// Writes a whole file through a temporary file; false with a message naming it.
bool WriteInterchangeFile(const QString &path, const QByteArray &data, QString *error);
