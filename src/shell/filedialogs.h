#pragma once
// The open and save dialogs for data files, behind a seam so that tests can answer
// them without a modal dialog.
#include <QString>
#include <functional>

class QWidget;

// Both return the chosen path, or an empty text when the user cancelled. A name
// typed without an extension gets ".dat".
using FileDialogHandler = std::function<QString(QWidget *parent)>;

QString AskOpenDataFile(QWidget *parent);
QString AskSaveDataFile(QWidget *parent);

void SetFileDialogHandlers(FileDialogHandler open, FileDialogHandler save);

// Channel lists and configurations for other programs: CHIRP CSV or the JSON object.
// The export dialog gives a name typed without an extension that of the chosen filter.
// The handler answers both; save tells which one is asked.
using InterchangeDialogHandler = std::function<QString(QWidget *parent, bool save)>;

QString AskImportFile(QWidget *parent);
QString AskExportFile(QWidget *parent);

void SetInterchangeDialogHandler(InterchangeDialogHandler handler);
// The save dialog of the report's PDF export. A name typed without an extension gets
// ".pdf"; null restores the system's dialog.
QString AskSavePdfFile(QWidget *parent);
void SetPdfDialogHandler(FileDialogHandler save);
