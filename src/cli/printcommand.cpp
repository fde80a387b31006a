// ze4k-cli print: the report of the print commands, written as a PDF file. The rows
// come from the same windows as in the window program, as temporary instances.
#include "cli/clicommands.h"
#include "core/printtables.h"
#include "editors/editorwindows.h"
#include "report/reportlayout.h"
#include "shell/printreport.h"
#include <QDateTime>

int cliPrint(const QStringList &args)
{
    QString file, out;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("-o") && i + 1 < args.size() && out.isEmpty()) {
            out = args[++i];
        } else if (!a.startsWith(QLatin1Char('-')) && file.isEmpty()) {
            file = a;
        } else {
            cliError(QStringLiteral("print: unexpected argument '%1'").arg(a));
            return CliUsage;
        }
    }
    if (file.isEmpty() || out.isEmpty()) {
        cliError(file.isEmpty() ? QStringLiteral("print: no file given") : QStringLiteral("print: no output file given (-o OUT.pdf)"));
        return CliUsage;
    }
    if (!cliLoadFile(file))
        return CliBadInput;
    RegisterEditorWindows();
    FillPrintTables();
    QString error;
    if (!report::writeReportPdf(out, Printing, QDateTime::currentDateTime(), &error)) {
        cliError(error);
        return CliBadInput;
    }
    return CliOk;
}
