#pragma once
// Whole-image routines: a new image, the settings ranges, the ident block, the
// write time and the serial number.
#include <QString>

// Replaces bytes 0..2031 by a fresh image for the current model and band.
void NewImage();
// Replaces every settings byte above its range by its default.
void NormalizeSettings();
// Writes the ident block (model code, band code, user-defined limits) from AppState.
void RefreshIdentBlock();

// "yyyy-MM-dd HH:mm:ss" into the write-time bytes; false (nothing written) when the
// text does not have that layout.
bool EncodeWriteTime(const QString &text);
QString DecodeWriteTime();
// Stamps the current local time.
void StampWriteTime();

QString DecodeSerialNumber();
void EncodeSerialNumber(const QString &text);

// The 32-bit limit value of a frequency (units of 6.25 kHz, remainder dropped).
quint32 LimitValue(double mhz);
