#pragma once
// Automatic backups of the radio's memory: after every completed read and just before
// every write the image is kept as a data file in the backup folder, named by date,
// time, model and direction ("2026-12-10_211530_4k45_read.dat"). Backups older than a
// year are removed when the next one is written. A backup that cannot be written is
// reported and never stops the clone.
#include "image/bytes.h"
#include <QDateTime>
#include <QString>
#include <functional>

namespace Backups {

enum Kind { AfterRead, BeforeWrite };

constexpr int KeepDays = 365;

// "2026-12-10_211530_4k45_read.dat"; counter 2 and up gives "..._read_2.dat".
QString fileName(const QDateTime &when, const QString &modelCode, Kind kind, int counter = 1);

// Writes the image as a data file into dir (created when missing), under a name that
// is not taken yet, then prunes dir. Returns the file written; on failure reports the
// reason and returns an empty string. Nothing of AppState is read or changed.
QString save(const QString &dir, const ImageBytes &image, const QString &modelCode, double bandLow,
             double bandHigh, Kind kind, const QDateTime &when);

// Backs up AppState's image, model and band limits into AppPaths::backupDir(), as
// they are at this moment.
QString saveCurrent(Kind kind);

// Removes the backups in dir whose name dates them more than KeepDays before now.
// Files not named like a backup are left alone.
void prune(const QString &dir, const QDateTime &now);

// Where a failed backup is told. The default prints one line to stderr; the window
// program shows it in its status bar. Returns the previous reporter.
using Reporter = std::function<void(const QString &message)>;
Reporter setReporter(Reporter reporter);

} // namespace Backups
