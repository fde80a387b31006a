#pragma once
#include <QStringList>

// Exit statuses of ze4k-cli.
enum CliStatus { CliOk = 0, CliBadInput = 1, CliUsage = 2 };

int cliNew(const QStringList &args);
int cliShow(const QStringList &args);
int cliSet(const QStringList &args);

// Prints one line to stderr, prefixed with the program name.
void cliError(const QString &message);
