#pragma once
// The two in-memory tables the printed report is laid out from: one header row
// per print and any number of label/value rows in groups.
#include <QList>
#include <QString>

struct PrintHeaderRow
{
    QString Title, AField, AValue, BField, BValue, CField, CValue, DFiled, DValue;
};

struct PrintItemRow
{
    int TypeID = 0;
    QString TypeName, AField, AValue, BField, BValue;
};

struct PrintTables
{
    QList<PrintHeaderRow> myMain;
    QList<PrintItemRow> myAdo;
};

extern PrintTables Printing;
