#include "editors/modeldialog.h"
#include <QComboBox>

TfModel::TfModel(QWidget *parent) : QDialog(parent) { setObjectName(QStringLiteral("fModel")); }
QString TfModel::modelText() const { return cbCopmut ? cbCopmut->currentText() : QString(); }
