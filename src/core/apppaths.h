#pragma once
// The one place that knows where the program's files are.
//
// Run from the build tree or an unpacked folder, the settings file, the language
// files and the help files sit next to the executable. After installation the
// read-only files live in <prefix>/share/ze4k/ and the settings file in the user's
// configuration folder, seeded from the shipped copy on first use.
//
// Backups of what was read from or written to a radio go to a "backups" folder: next
// to the settings file in a portable folder, in the user's data folder when installed.
#include <QString>

namespace AppPaths {

// Directory of the language and help files, ending with a separator.
QString appDir();
QString settingsFile();
QString languageFile(const QString &languageName);
QString helpFile(const QString &helpPrefix, const QString &languageName);
// Folder of the automatic clone backups, ending with a separator; it may not exist yet.
QString backupDir();

// Points every path at one folder (tests, and portable use of a copied folder);
// the backups then go to <dir>/backups.
void setBaseDir(const QString &dir);

} // namespace AppPaths
