#pragma once
// The optional-function window: the radio's general settings, each a list whose
// item is the value of one settings byte.
#include "editors/settingslist.h"

class QLabel;

class TfOptFun : public SettingsForm
{
    Q_OBJECT
public:
    TfOptFun();

    void LoadControls() override;
    void StoreControls();
    // The window's rows of the printed report, from the image in the current language.
    void FillPrintRows() override;

private:
    SettingsLists m_lists{[this] { StoreControls(); }};
    // The numbered labels with their lists, in the order the report lists them.
    QList<QPair<QLabel *, QComboBox *>> m_printed;
};
