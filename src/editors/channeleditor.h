#pragma once
// The memory channel editor: one memory channel at a time, the one whose number is
// the current channel, in a form of labelled controls. Every change goes into the
// image at once and the channel grid's row follows.
#include "editors/channelform.h"

class ChannelSpin;
class QLineEdit;

class TfInfoEdit : public ChannelForm
{
    Q_OBJECT
public:
    explicit TfInfoEdit(QWidget *parent = nullptr);

    // Shows the current channel.
    void LoadChannel() override;
    void StoreChannel() override;
    // Empty frequency boxes and the values a channel gets when it is created here.
    void ShowEmptyChannel();

private:
    int channelNumber() const override;
    QString fieldText(int field) const override;
    void setDataEnabled(bool enabled);
    // A TX more than 70 MHz from RX is replaced by RX +/- 70 MHz, after the range
    // message unless one was shown for this entry already.
    double txInReach(double rx, double tx, bool warned);
    void sexdChange();
    void eReceiveChanged();
    void eSendChanged();
    void cxNameChanged(const QString &text);

    ChannelSpin *sexd = nullptr;
    QLineEdit *cxName = nullptr;
};
