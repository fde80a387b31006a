#pragma once
// Batch channel edit: fills or clears a range of memory channels in one operation.
// "Ok" applies the settings from their beginning each time and leaves the window open.
#include "shell/mainwindow.h"
#include <QWidget>

class ChannelSpin;
class NumberBox;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
struct BatchPlan;

class TfBatch : public QWidget, public ChildForm
{
    Q_OBJECT
public:
    explicit TfBatch(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct FrequencyBox
    {
        NumberBox *box;
        bool bandLimits;   // else 0 to 70 MHz
    };

    NumberBox *addFrequencyBox(const char *name, bool bandLimits);
    QRadioButton *addRadio(const char *name, const QString &caption, QButtonGroup *group);
    QCheckBox *addCheck(const char *name, const QString &caption);
    void FormShow();
    void applyEnablingRules();
    void frequencyEntered(const FrequencyBox &entry);
    void cxFromChanged();
    void btnOkClick();
    // False, with the focus on the box, when a "Space" is not a whole number.
    bool readPlan(BatchPlan &plan);

    bool m_shown = false;
    QList<FrequencyBox> m_frequencyBoxes;

    QRadioButton *cxAll = nullptr;
    QRadioButton *cxChs = nullptr;
    ChannelSpin *cxFrom = nullptr;
    ChannelSpin *cxTo = nullptr;
    QCheckBox *cxClear = nullptr;

    NumberBox *cxRx_freq = nullptr;
    NumberBox *cxRx_Step = nullptr;
    QRadioButton *cxRx_asc = nullptr;
    QRadioButton *cxRx_dec = nullptr;

    QRadioButton *cxTx_def = nullptr;
    QRadioButton *cxTx_Exc = nullptr;
    NumberBox *cxExc_Freq = nullptr;
    QRadioButton *cxDup_add = nullptr;
    QRadioButton *cxDup_Dec = nullptr;
    QRadioButton *cxTx_Self = nullptr;
    NumberBox *cxTx_Freq = nullptr;
    NumberBox *cxTx_step = nullptr;
    QRadioButton *cxTx_asc = nullptr;
    QRadioButton *cxTx_dec = nullptr;

    QComboBox *cxRx_Dcts = nullptr;
    QCheckBox *cxRx_Ran = nullptr;
    NumberBox *cxRx_Dcts_step = nullptr;
    QRadioButton *cxRx_Dcts_asc = nullptr;
    QRadioButton *cxRx_Dcts_dec = nullptr;

    QRadioButton *cxTx_Dcts_def = nullptr;
    QRadioButton *cxTx_Dcts_self = nullptr;
    QCheckBox *cxTx_ran = nullptr;
    QComboBox *cxTx_Dcts = nullptr;
    NumberBox *cxTx_Dcts_step = nullptr;
    QRadioButton *cxTx_Dcts_asc = nullptr;
    QRadioButton *cxTx_Dcts_dec = nullptr;

    QComboBox *cxPower = nullptr;
    QComboBox *cxWn = nullptr;
    QCheckBox *cxComp = nullptr;
    QCheckBox *cxBclo = nullptr;
    QCheckBox *cxScrm = nullptr;
    QCheckBox *cxScan = nullptr;
    QCheckBox *cxTxRev = nullptr;
    QCheckBox *cxVox = nullptr;
    QLineEdit *cxName = nullptr;
    QCheckBox *cxUse_Chs = nullptr;
};
