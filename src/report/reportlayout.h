#pragma once
// The page layout of the printed report: a page header with the title, the date and
// time and three lines of radio information on every page, the item rows in groups
// (each group from a new page under its heading) and the page number at the foot.
// Everything is placed in millimetres on US Letter paper, so a printer, the preview
// and a PDF file get the same pages.
#include "core/printtables.h"
#include <QDateTime>
#include <QList>

class QPagedPaintDevice;

namespace report {

// One band of the body of a page: a group heading or an item row, each for the
// item row at index row of the item table.
struct Band
{
    enum Kind { GroupHeader, Item };
    Kind kind;
    int row;
    friend bool operator==(const Band &a, const Band &b) { return a.kind == b.kind && a.row == b.row; }
};
using Page = QList<Band>;

// The pages the item rows fill: a heading wherever the group number changes from one
// row to the next (rows are not sorted), every group from a new page. There is
// always at least one page, for the page header.
QList<Page> paginate(const QList<PrintItemRow> &rows);

// US Letter, portrait, with the report's margins.
void setUpPage(QPagedPaintDevice &device);

// Paints the report on a device whose page was set up with setUpPage, one page after
// the other. printed is the date and time the page headers show. Only the pages
// firstPage to lastPage (from 1; 0: to the end) are painted, keeping their numbers.
// False when the device could not be painted on.
bool paintReport(QPagedPaintDevice &device, const PrintTables &tables, const QDateTime &printed,
                 int firstPage = 1, int lastPage = 0);

// Writes the report as a PDF file. The file appears only when it is complete: a
// failure leaves an existing file as it was. On failure error says why.
bool writeReportPdf(const QString &path, const PrintTables &tables, const QDateTime &printed, QString *error);

} // namespace report
