#pragma once
// The radio's memory in the program's data file format: a 16-byte header (model,
// band limits, time of saving) followed by the 2048-byte image, of which the radio
// holds bytes 0 to 2031.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace RadioDataFile {

constexpr int HeaderSize = 16;
constexpr int ImageSize = 2048;
constexpr int FileSize = HeaderSize + ImageSize;

// Takes image bytes 0..memorySize-1 of the file; modelCode gets header bytes 1 to 4.
// False with a message naming the file when it cannot be read or is too short.
bool load(const QString &path, int memorySize, QByteArray *memory, QByteArray *modelCode, QString *error);

// Writes the header and the image (the memory, then zeros up to 2048 bytes) through a
// temporary file, so that a failed save leaves the previous file as it was.
bool save(const QString &path, const QByteArray &memory, const QByteArray &modelCode, QString *error);

// "P" + model code; the band limits in whole MHz as packed decimal digits, taken from
// the ident block of the memory; the time; 0xFF 0xFF.
QByteArray header(const QByteArray &modelCode, const QByteArray &memory, const QDateTime &when);

} // namespace RadioDataFile
