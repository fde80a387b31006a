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

// The report's groups: the key, VOX and optional-function rows share one heading,
// the memory channels have their own.
constexpr int PrintSettingsGroup = 9;
constexpr int PrintChannelGroup = 8;

struct PrintTables
{
    QList<PrintHeaderRow> myMain;
    QList<PrintItemRow> myAdo;

    // Append a row. The fields have fixed sizes (in characters): a longer value is
    // cut to its field's size.
    void addHeader(PrintHeaderRow row);
    void addItem(PrintItemRow row);
};

extern PrintTables Printing;
