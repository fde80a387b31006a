#pragma once
// The radio-information window: model, band, serial number and the time of the
// last write to the radio. Only the serial number can be edited.
#include "editors/settingslist.h"

class QLabel;
class QLineEdit;

class TfInfoMsg : public SettingsForm
{
    Q_OBJECT
public:
    TfInfoMsg();

    void LoadControls() override;
    void StoreSerial();
    // The header row of the printed report.
    void FillPrintRows() override;

private:
    bool SerialLoading = false;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLineEdit *cxModel = nullptr;
    QLineEdit *cxFreq = nullptr;
    QLineEdit *cxSerial = nullptr;
    QLineEdit *cxRadioTime = nullptr;
};
