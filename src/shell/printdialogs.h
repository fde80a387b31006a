#pragma once
// The system's print dialog and the modal run of the report preview, behind a seam
// so that tests can answer them without a modal window.
#include <functional>

class QDialog;
class QPrinter;
class QWidget;

// Shows the print dialog for printer, whose page range (from 1) holds all pages of
// the document; true when the user chose to print.
using PrintDialogRunner = std::function<bool(QPrinter &printer, QWidget *parent)>;
// Shows the preview window modally and returns when it is closed.
using PreviewRunner = std::function<void(QDialog &preview)>;

bool RunPrintDialog(QPrinter &printer, QWidget *parent);
void RunPreview(QDialog &preview);

// A null runner restores the system's dialog, or exec() for the preview.
void SetPrintDialogRunner(PrintDialogRunner run);
void SetPreviewRunner(PreviewRunner run);
