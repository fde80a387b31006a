#include "shell/languagedialog.h"

TfSetLanguage::TfSetLanguage(QWidget *parent) : QDialog(parent) { setObjectName(QStringLiteral("fSetLanguage")); }
