#pragma once
// The scan window: resume mode, priority scan and its channel, and the scan speed
// and dropout delay, which it carries along without showing them.
#include "editors/settingslist.h"

class TfScanFun : public SettingsForm
{
    Q_OBJECT
public:
    TfScanFun();

    void LoadControls() override;
    void StoreControls();

private:
    // The priority channel can be chosen only while priority scan is on.
    void enablePriorityChannel();

    SettingsLists m_lists{[this] { StoreControls(); }};
    SettingsList *cxPriority = nullptr;
    SettingsList *cxPriCh = nullptr;
};
