#include "shell/aboutbox.h"

TfFrmAbout::TfFrmAbout(QWidget *parent) : QDialog(parent) { setObjectName(QStringLiteral("fFrmAbout")); }
