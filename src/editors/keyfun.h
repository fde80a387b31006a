#pragma once
// The key-function window: the functions of the radio's two programmable keys.
#include "editors/settingslist.h"

class QLabel;

class TfKeyFun : public SettingsForm
{
    Q_OBJECT
public:
    TfKeyFun();

    void LoadControls() override;
    void StoreControls();
    // The report's row of key 1.
    void FillPrintRows() override;

private:
    SettingsLists m_lists{[this] { StoreControls(); }};
    QLabel *Label1 = nullptr;
    SettingsList *cxKey1 = nullptr;
};
