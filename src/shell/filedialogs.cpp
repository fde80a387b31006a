#include "shell/filedialogs.h"
#include <QFileDialog>
#include <QFileInfo>

namespace {

const char Filter[] = "Data File(*.dat)";
const char PdfFilter[] = "PDF File(*.pdf)";

QString withExtension(const QString &path, const char *extension = ".dat")
{
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1String(extension);
}

QString openDialog(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QString(), QString(), QLatin1String(Filter));
}

// The replace question is the program's own, asked after the dialog closes.
QString saveDialog(QWidget *parent)
{
    QFileDialog dialog(parent, QString(), QString(), QLatin1String(Filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("dat"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

QString savePdfDialog(QWidget *parent)
{
    QFileDialog dialog(parent, QString(), QString(), QLatin1String(PdfFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

FileDialogHandler &openHandler()
{
    static FileDialogHandler h = openDialog;
    return h;
}

FileDialogHandler &saveHandler()
{
    static FileDialogHandler h = saveDialog;
    return h;
}

FileDialogHandler &pdfHandler()
{
    static FileDialogHandler h = savePdfDialog;
    return h;
}

} // namespace

QString AskOpenDataFile(QWidget *parent)
{
    return openHandler()(parent);
}

QString AskSaveDataFile(QWidget *parent)
{
    return withExtension(saveHandler()(parent));
}

void SetFileDialogHandlers(FileDialogHandler open, FileDialogHandler save)
{
    openHandler() = open ? std::move(open) : FileDialogHandler(openDialog);
    saveHandler() = save ? std::move(save) : FileDialogHandler(saveDialog);
}

namespace {

const char CsvFilter[] = "CHIRP CSV (*.csv)";
const char JsonFilter[] = "JSON (*.json)";

QString interchangeDialog(QWidget *parent, bool save)
{
    if (!save) {
        const QString filters = QStringLiteral("CSV, JSON (*.csv *.json);;%1;;%2;;* (*)")
                                    .arg(QLatin1String(CsvFilter), QLatin1String(JsonFilter));
        return QFileDialog::getOpenFileName(parent, QString(), QString(), filters);
    }
    QFileDialog dialog(parent, QString(), QString(),
                       QLatin1String(CsvFilter) + QStringLiteral(";;") + QLatin1String(JsonFilter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString &filter) {
        dialog.setDefaultSuffix(filter == QLatin1String(JsonFilter) ? QStringLiteral("json") : QStringLiteral("csv"));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().first();
}

InterchangeDialogHandler &interchangeHandler()
{
    static InterchangeDialogHandler h = interchangeDialog;
    return h;
}

} // namespace

QString AskImportFile(QWidget *parent)
{
    return interchangeHandler()(parent, false);
}

QString AskExportFile(QWidget *parent)
{
    return interchangeHandler()(parent, true);
}

void SetInterchangeDialogHandler(InterchangeDialogHandler handler)
{
    interchangeHandler() = handler ? std::move(handler) : InterchangeDialogHandler(interchangeDialog);
}

QString AskSavePdfFile(QWidget *parent)
{
    return withExtension(pdfHandler()(parent), ".pdf");
}

void SetPdfDialogHandler(FileDialogHandler save)
{
    pdfHandler() = save ? std::move(save) : FileDialogHandler(savePdfDialog);
}
