#pragma once
// Importing the image object that "ze4k-cli show --json" and the export write.
//
// Each part the object has replaces that part of the image: "Channels" sets every
// memory channel (those it leaves out become empty), "VfoChannel" the frequency-mode
// channel, "FmVfoFrequency" and "FmChannels" the FM radio, "Settings" the named
// settings, "SerialNumber" and "WriteTime" theirs, "RawBytes" the bytes behind
// them. A part the object lacks stays as it is, and so does every byte no part
// describes. Model and band are not changed: an object of another model or band is
// refused, because its frequencies and settings belong to that radio.
#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <map>
#include <optional>

// One channel of the object; a field the object leaves out is not set.
struct JsonChannel
{
    int number = 0;
    std::optional<double> rx;
    std::optional<double> offset;
    std::optional<int> duplex;
    std::optional<int> decodeTone;
    std::optional<int> encodeTone;
    std::map<int, int> flags;          // channel field number -> 0 or 1
    std::optional<QString> name;
};

struct JsonImportPlan
{
    QString error;                     // why the object is refused; empty when it can be imported
    std::optional<QList<JsonChannel>> channels;
    std::optional<JsonChannel> vfo;
    std::optional<double> fmVfo;
    std::optional<std::map<int, double>> fmChannels;   // FM index 0..19 -> MHz
    QList<QPair<int, int>> settings;   // byte offset, value
    std::optional<QString> serialNumber;
    std::optional<QByteArray> writeTime;                // the 7 bytes
    QList<QPair<int, QByteArray>> raw; // byte offset, bytes

    bool usable() const { return error.isEmpty(); }
};

// Reads the object against the current model and band. Changes nothing.
JsonImportPlan ReadImageJson(const QByteArray &data);
// Writes a usable plan into AppState's image.
void ApplyJsonImport(const JsonImportPlan &plan);
