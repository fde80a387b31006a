#pragma once
// The VOX window: the voice-operated transmit settings.
#include "editors/settingslist.h"

class QLabel;

class TfVoxFun : public SettingsForm
{
    Q_OBJECT
public:
    TfVoxFun();

    void LoadControls() override;
    void StoreControls();
    // The report's rows: the gain level and the delay.
    void FillPrintRows() override;

private:
    SettingsLists m_lists{[this] { StoreControls(); }};
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    SettingsList *cxVox = nullptr;
    SettingsList *cxVoxDely = nullptr;
};
