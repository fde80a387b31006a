#pragma once
// The about box: all of its wording comes from the language file.
#include <QDialog>

class TfFrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfFrmAbout(QWidget *parent = nullptr);
};
