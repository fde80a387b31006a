#pragma once
// ze4k-cli export and import: CHIRP CSV channel lists and the image's JSON object.
#include <QStringList>

int cliExport(const QStringList &args);
int cliImport(const QStringList &args);
