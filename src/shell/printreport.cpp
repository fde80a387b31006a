#include "shell/printreport.h"
#include "core/printtables.h"
#include "report/reportlayout.h"
#include "shell/mainwindow.h"
#include "shell/printdialogs.h"
#include "shell/reportpreview.h"
#include <QPrinter>
#include <memory>

namespace {

// The windows whose rows the report holds, in the order it prints them.
const int ReportWindows[] = {cmd::RadioInformation, cmd::KeyFunction, cmd::VoxFunction, cmd::OptionalFunction,
                             cmd::MemoryChannel};

} // namespace

void FillPrintTables()
{
    Printing.myAdo.clear();
    Printing.myMain.clear();
    const TfMainFrm *main = MainWindow();
    for (int code : ReportWindows) {
        QWidget *window = main ? main->child(code) : nullptr;
        std::unique_ptr<QWidget> temporary;
        if (!window) {
            temporary.reset(TfMainFrm::CreateChildWindow(code));
            window = temporary.get();
        }
        if (auto *form = dynamic_cast<ChildForm *>(window))
            form->FillPrintRows();
    }
}

bool PrintOnPaper(const PrintTables &tables, const QDateTime &printed, QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    report::setUpPage(printer);
    const int pages = int(report::paginate(tables.myAdo).size());
    printer.setFromTo(1, pages);
    if (!RunPrintDialog(printer, parent))
        return false;
    if (printer.printRange() == QPrinter::PageRange)
        return report::paintReport(printer, tables, printed, printer.fromPage(), printer.toPage());
    return report::paintReport(printer, tables, printed);
}

void PrintReport(QWidget *parent, bool preview)
{
    FillPrintTables();
    const QDateTime printed = QDateTime::currentDateTime();
    if (preview) {
        TfPreview window(Printing, printed, parent);
        RunPreview(window);
    } else {
        PrintOnPaper(Printing, printed, parent);
    }
}
