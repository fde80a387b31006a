#include "editors/tonepicker.h"

// Filled in with the tables of codes; for now the dialog picks nothing.
TfToneOption::TfToneOption(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("fToneOption"));
    setWindowTitle(QStringLiteral("Channel Tone Option"));
}

QString TfToneOption::pick(QWidget *parent)
{
    TfToneOption dialog(parent);
    dialog.exec();
    return dialog.result();
}
