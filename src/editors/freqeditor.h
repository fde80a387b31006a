#pragma once
// The frequency-mode channel editor: the radio's frequency-mode channel (channel 110
// of the image, which always holds data) with its offset and duplex, and the step of
// the frequency mode.
#include "editors/channelform.h"

class QComboBox;

class TfFreqEdit : public ChannelForm
{
    Q_OBJECT
public:
    explicit TfFreqEdit(QWidget *parent = nullptr);

    void LoadChannel() override;
    void StoreChannel() override;

private:
    int channelNumber() const override;
    QString fieldText(int field) const override;
    void eReceiveChanged();
    void eTXChanged();
    void cxFreqStepChanged(int index);

    QComboBox *cxDuplex = nullptr;
    QComboBox *cxFreqStep = nullptr;
};
