#pragma once
// Data files: a 16-byte header naming the model, the band limits and the time of
// saving, followed by the 2048-byte image.
#include "image/bytes.h"
#include <QByteArray>
#include <QDateTime>
#include <QString>

constexpr int FileHeaderSize = 16;
constexpr int DataFileSize = FileHeaderSize + 2048;

// modelText is "P" + model code; dateText "yyyy-MM-dd HH:mm"; bandText the two
// limits as "000" digits, lower first ("400470").
QByteArray EncodeFileHeader(const QString &modelText, const QString &dateText, const QString &bandText);

struct FileHeader
{
    QString modelText;   // bytes 0..4 as they are
    QString bandText;    // bytes 5..7 as six upper-case hexadecimal digits
};
FileHeader DecodeFileHeader(const QByteArray &header);

struct DataFileResult
{
    enum Error { None, NotReadable, ModelUnknown, BandNotNumeric, Truncated, NotWritable };
    Error error = None;
    QString detail;      // the file, or the offending value, for the message

    bool ok() const { return error == None; }
    // One line saying what went wrong (the model error uses the language text).
    QString message() const;
};

// The whole file for an image of the given model and band limits (MHz), saved at
// savedAt. Reads and changes nothing of AppState: the image goes in byte for byte.
QByteArray EncodeDataFile(const ImageBytes &image, const QString &modelCode, double bandLow, double bandHigh,
                          const QDateTime &savedAt);

// Writes AppState's image to the file through a temporary file, so that a failed
// save leaves the previous file as it was. Clears Modified only on success.
DataFileResult WriteDataFile(const QString &path);

// Loads the file into AppState: image, model and band from the file, settings
// brought into range, Modified cleared. On any failure nothing changes.
DataFileResult ReadDataFile(const QString &path);
