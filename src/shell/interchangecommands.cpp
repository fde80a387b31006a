#include "shell/interchangecommands.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/interchange.h"
#include "shell/filedialogs.h"
#include "shell/importreport.h"
#include "shell/mainwindow.h"
#include <QDir>
#include <QFileInfo>

namespace {

// The first reasons are enough to tell what is wrong with a file.
constexpr int ReasonsShown = 10;

void tellNothingImported(const QString &path, const ImportPlan &plan)
{
    QStringList lines{LangTexts.ImportNothing, QDir::toNativeSeparators(path) + QStringLiteral(": ") + plan.problem()};
    for (int i = 0; i < plan.csv.skipped.size() && i < ReasonsShown; ++i)
        lines << CsvSkipText(plan.csv.skipped.at(i));
    ShowMsg(LangTexts.Confirmation, lines.join(QLatin1Char('\n')), MsgInformation);
}

void reloadWindows(TfMainFrm &window, InterchangeFormat format)
{
    if (format == InterchangeFormat::Json) {
        // Settings and FM channels changed too: every window opens anew, as after Open.
        window.UpdateStatus();
        window.RefreshViews(1);
        return;
    }
    if (auto *grid = dynamic_cast<ChildForm *>(window.child(cmd::MemoryChannel)))
        grid->LoadAllRows();
    window.RefreshViews(2);
}

} // namespace

void ImportChannels(TfMainFrm &window)
{
    const QString path = AskImportFile(&window);
    if (path.isEmpty())
        return;
    QByteArray data;
    QString error;
    if (!ReadInterchangeFile(path, &data, &error)) {
        ShowMsg(LangTexts.Confirmation, LangTexts.ImportNothing + QLatin1Char('\n') + error, MsgInformation);
        return;
    }
    const ImportPlan plan = ReadImport(FormatOfFile(path, data), data);
    if (!plan.usable()) {
        tellNothingImported(path, plan);
        return;
    }
    TfImportReport report(plan, path, &window);
    if (report.exec() != QDialog::Accepted)
        return;
    ApplyImport(plan, report.clearOthers());
    AppState.Modified = true;
    reloadWindows(window, plan.format);
}

void ExportChannels(TfMainFrm &window)
{
    const QString path = AskExportFile(&window);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && ShowMsg(LangTexts.Confirmation, LangTexts.FileExists, MsgQuestion) != MsgYes)
        return;
    QString error;
    if (!WriteInterchangeFile(path, ExportImage(FormatOfFile(path)), &error))
        ShowMsg(LangTexts.Confirmation, LangTexts.ExportFailed + QLatin1Char('\n') + error, MsgInformation);
}
