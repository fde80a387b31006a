#include "editors/freqeditor.h"
#include "core/appstate.h"
#include "editors/editorparts.h"
#include "editors/tonebox.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include <QCheckBox>
#include <QComboBox>

namespace {

// Frequency-mode steps in kHz, in the order of the step byte's values.
const QStringList StepTexts = {QStringLiteral("  6.25"), QStringLiteral(" 12.50"), QStringLiteral(" 25.00"),
                               QStringLiteral(" 50.00"), QStringLiteral("100.00")};

} // namespace

TfFreqEdit::TfFreqEdit(QWidget *parent)
    : ChannelForm(QStringLiteral("fFreqEdit"), parent)
{
    cxDuplex = new QComboBox(this);
    cxDuplex->setObjectName(QStringLiteral("cxDuplex"));
    cxDuplex->addItems({QStringLiteral("OFF"), QStringLiteral("+Dup"), QStringLiteral("-Dup")});
    cxFreqStep = new QComboBox(this);
    cxFreqStep->setObjectName(QStringLiteral("cxFreqStep"));
    cxFreqStep->addItems(StepTexts);

    addRow("lbRx", QStringLiteral("Frequency[MHz]"), eRx);
    addRow("lbTx", QStringLiteral("Offset Freq.[MHz]"), eTX);
    addRow("lbDuplex", QStringLiteral("Duplex"), cxDuplex);
    addRow("lbFreqStep", QStringLiteral("Freq. Step[KHz]"), cxFreqStep);
    addRow("lbRxDcts", QStringLiteral("QT/DQT Deconde"), cxRxDcts);
    addRow("lbTxDcts", QStringLiteral("QT/DQT Encode"), cxTxDcts);
    addRow("lbWn", QStringLiteral("Wide/Narrow"), cxWn);
    addRow("lbPower", QStringLiteral("TX Power"), cxPower);
    // The frequency-mode channel has no scan-add bit.
    finishLayout({cxBclo, cxComp, cxScrm, cxTxRev, chpppy});
    setFocusProxy(eRx);
    setTabChain({eRx, eTX, cxDuplex, cxFreqStep, cxRxDcts, cxTxDcts, cxWn, cxPower, cxBclo});

    connect(eRx, &NumberBox::entered, this, &TfFreqEdit::eReceiveChanged);
    connect(eTX, &NumberBox::entered, this, &TfFreqEdit::eTXChanged);
    connect(cxDuplex, &QComboBox::currentIndexChanged, this, [this] { StoreChannel(); });
    connect(cxFreqStep, &QComboBox::currentIndexChanged, this, &TfFreqEdit::cxFreqStepChanged);
}

int TfFreqEdit::channelNumber() const
{
    return imagemap::VfoChannelNumber;
}

void TfFreqEdit::LoadChannel()
{
    Filling = true;
    TChannel channel;
    DecodeChannel(channelNumber(), channel);
    eRx->showText(mhzText(channel.RxFrequency));
    eTX->showText(mhzText(channel.Offset));
    showChannel(channel);
    cxDuplex->setCurrentIndex(channel.Duplex);
    // A step byte without an item shows no step.
    const int step = AppState.Image[setting::VfoStep];
    cxFreqStep->setCurrentIndex(step < cxFreqStep->count() ? step : -1);
    Filling = false;
}

QString TfFreqEdit::fieldText(int field) const
{
    switch (field) {
    case FieldOffset: return eTX->text();
    case FieldDuplex: return QString::number(cxDuplex->currentIndex());
    default: return ChannelForm::fieldText(field);
    }
}

// No other window shows this channel, so none is refreshed.
void TfFreqEdit::StoreChannel()
{
    if (Filling)
        return;
    storeChannelFields({FieldOffset, FieldDecodeTone, FieldEncodeTone, FieldBandwidth, FieldTxPower, FieldTxStop,
                        FieldDuplex, FieldBusyLock, FieldCompander, FieldScrambler, FieldEpilogue, FieldVox});
}

// The frequency: an empty box is the band's lower limit; the offset stays.
void TfFreqEdit::eReceiveChanged()
{
    if (Filling)
        return;
    if (eRx->text().trimmed().isEmpty())
        eRx->showText(mhzText(AppState.BandLow));
    eRx->showText(mhzText(RoundFrequency(3, ValidateFrequency(eRx->text()))));
    StoreChannel();
}

// The offset is held to 0..70 MHz without a message; it is not compared with the band.
void TfFreqEdit::eTXChanged()
{
    if (Filling || m_txGuard)
        return;
    m_txGuard = true;
    const double rx = boxValue(eRx, AppState.BandLow);
    eTX->showText(mhzText(OffsetFromText(eTX->text(), StepClass(rx))));
    m_txGuard = false;
    cxRxDcts->setFocus();
    StoreChannel();
}

// A new step goes into the settings at once; both frequencies are rounded again.
void TfFreqEdit::cxFreqStepChanged(int index)
{
    if (Filling || index < 0)
        return;
    AppState.Image[setting::VfoStep] = std::uint8_t(index);
    Filling = true;
    const double rx = RoundFrequency(3, boxValue(eRx, AppState.BandLow));
    eRx->showText(mhzText(rx));
    eTX->showText(mhzText(RoundFrequency(StepClass(rx), boxValue(eTX, 0.0))));
    Filling = false;
    StoreChannel();
}
