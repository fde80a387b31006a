#pragma once
// Named edits of the image ("ch12.RxFrequency=145.5", "fm3=88.1", "Volume=7",
// "SerialNumber=AB12"), following the rules the editor windows apply, except that a
// value an editor would correct after a message is refused instead.
#include <QString>

struct EditResult
{
    bool ok = true;
    QString message;   // why the edit was refused
};

// Applies one edit to AppState's image; a refused edit changes nothing.
EditResult ApplyEdit(const QString &key, const QString &value);
