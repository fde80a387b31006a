#pragma once
// The user's settings file (port, language, help prefix, language list).
#include <QStringList>

// Reads "Com", "DefaultLanguage", "Help", "PicID" and "Language" into AppState.
void LoadSettings();
// Writes "Com", "DefaultLanguage" and "PicID" back; every other line stays. False
// when the file cannot be written (the caller does not report it).
bool SaveSettings();
// The languages on offer: display names in the current language, and file base names.
void ListLanguages(QStringList &displayNames, QStringList &fileNames);

// The list keys hold texts separated by "|"; a trailing "|" adds nothing.
QStringList splitLanguageList(const QString &value);
