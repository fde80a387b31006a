#pragma once
#include <QStringList>

// Exit statuses of ze4k-cli.
enum CliStatus { CliOk = 0, CliBadInput = 1, CliUsage = 2 };

int cliNew(const QStringList &args);
int cliShow(const QStringList &args);
int cliSet(const QStringList &args);
int cliPorts(const QStringList &args);
int cliRead(const QStringList &args);
int cliWrite(const QStringList &args);
// Needs a QApplication: the report's rows come from the windows.
int cliPrint(const QStringList &args);

// Prints one line to stderr, prefixed with the program name.
void cliError(const QString &message);
// Loads a data file into the state; on failure prints why and returns false.
bool cliLoadFile(const QString &path);
// Saves the state's image to a data file, atomically; on failure prints why.
bool cliSaveFile(const QString &path);
