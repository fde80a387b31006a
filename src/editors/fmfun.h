#pragma once
// The FM window: the broadcast receiver's frequency-mode frequency, its volume
// and twenty memorised FM channels, all on the 25 kHz grid from 76 to 108 MHz.
#include "editors/settingslist.h"

class QLabel;
class QLineEdit;
class QTableWidget;
class FmCellDelegate;

class TfFmFun : public SettingsForm
{
    Q_OBJECT
public:
    TfFmFun();
    ~TfFmFun() override;

    void LoadControls() override;
    // A typed frequency on the FM grid as "0.00000"; a text that is no number
    // gives 76 MHz after a message.
    QString NormalizeFmText(const QString &text);

private:
    void BuildGrid();
    void gvDataSetForeText(int column, int row, const QString &text);
    void eRxPropertiesEditValueChanged();
    void cxFMVolPropertiesEditValueChanged();

    SettingsLists m_lists{[this] { cxFMVolPropertiesEditValueChanged(); }};
    bool FmEditBusy = false;
    QLineEdit *eRx = nullptr;
    QTableWidget *gvData = nullptr;
    FmCellDelegate *m_cells = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
};
