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

QString AskSavePdfFile(QWidget *parent)
{
    return withExtension(pdfHandler()(parent), ".pdf");
}

void SetPdfDialogHandler(FileDialogHandler save)
{
    pdfHandler() = save ? std::move(save) : FileDialogHandler(savePdfDialog);
}
