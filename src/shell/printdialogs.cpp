#include "shell/printdialogs.h"
#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>

namespace {

bool systemPrintDialog(QPrinter &printer, QWidget *parent)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    // The caller sets the range to all pages of the report; no page outside it can be asked for.
    if (printer.toPage() > 0)
        dialog.setMinMax(1, printer.toPage());
    return dialog.exec() == QDialog::Accepted;
}

void execPreview(QDialog &preview)
{
    preview.exec();
}

PrintDialogRunner &printDialogRunner()
{
    static PrintDialogRunner run = systemPrintDialog;
    return run;
}

PreviewRunner &previewRunner()
{
    static PreviewRunner run = execPreview;
    return run;
}

} // namespace

bool RunPrintDialog(QPrinter &printer, QWidget *parent)
{
    return printDialogRunner()(printer, parent);
}

void RunPreview(QDialog &preview)
{
    previewRunner()(preview);
}

void SetPrintDialogRunner(PrintDialogRunner run)
{
    printDialogRunner() = run ? std::move(run) : PrintDialogRunner(systemPrintDialog);
}

void SetPreviewRunner(PreviewRunner run)
{
    previewRunner() = run ? std::move(run) : PreviewRunner(execPreview);
}
