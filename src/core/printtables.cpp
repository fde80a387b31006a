#include "core/printtables.h"

namespace {

void cut(QString &value, int size)
{
    value.truncate(size);
}

} // namespace

void PrintTables::addHeader(PrintHeaderRow row)
{
    cut(row.Title, 20);
    for (QString *field : {&row.AField, &row.AValue, &row.BField, &row.BValue})
        cut(*field, 100);
    for (QString *field : {&row.CField, &row.CValue, &row.DFiled, &row.DValue})
        cut(*field, 30);
    myMain.append(row);
}

void PrintTables::addItem(PrintItemRow row)
{
    cut(row.TypeName, 20);
    for (QString *field : {&row.AField, &row.AValue, &row.BField, &row.BValue})
        cut(*field, 100);
    myAdo.append(row);
}
