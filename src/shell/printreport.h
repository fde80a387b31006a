#pragma once
// The Print and Print Preview commands: the report's rows taken from the windows,
// then the preview window or the printer.
#include <QDateTime>

class QPrinter;
class QWidget;
struct PrintTables;

// Empties both print tables and fills them from the radio-information, key, VOX,
// optional-function and channel windows, in that order. An open window gives its
// rows itself; for a closed one a temporary instance does, and is deleted again.
void FillPrintTables();

// Shows the print dialog (the default printer chosen) and prints the report unless
// the user cancels. False when nothing was printed.
bool PrintOnPaper(const PrintTables &tables, const QDateTime &printed, QWidget *parent);

// The commands: fills the tables, then previews the report or prints it.
void PrintReport(QWidget *parent, bool preview);
