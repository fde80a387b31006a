#pragma once
// The one place that knows where the program's files are.
//
// Run from the build tree or an unpacked folder, the settings file, the language
// files and the help files sit next to the executable. After installation the
// read-only files live in <prefix>/share/ze4k/ and the settings file in the user's
// configuration folder, seeded from the shipped copy on first use.
#include <QString>

namespace AppPaths {

// Directory of the language and help files, ending with a separator.
QString appDir();
QString settingsFile();
QString languageFile(const QString &languageName);
QString helpFile(const QString &helpPrefix, const QString &languageName);

// Points every path at one folder (tests, and portable use of a copied folder).
void setBaseDir(const QString &dir);

} // namespace AppPaths
