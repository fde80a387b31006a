#include "editors/channeleditor.h"
#include "core/appstate.h"
#include "editors/editorparts.h"
#include "editors/tonebox.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/numbers.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

TfInfoEdit::TfInfoEdit(QWidget *parent)
    : ChannelForm(QStringLiteral("fInfoEdit"), parent)
{
    sexd = new ChannelSpin(this);
    sexd->setObjectName(QStringLiteral("sexd"));
    sexd->setRange(1, qMax(1, AppState.ChannelCount));

    cxName = new QLineEdit(this);
    cxName->setObjectName(QStringLiteral("cxName"));
    cxName->setMaxLength(6);
    cxName->setContextMenuPolicy(Qt::NoContextMenu);
    cxName->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9A-Za-z *+\\-]*")), cxName));

    addRow("lbChannel", QStringLiteral("Channel No."), sexd);
    addRow("lbRx", QStringLiteral("RX Frequency[MHz]"), eRx);
    addRow("lbTx", QStringLiteral("TX Frequency[MHz]"), eTX);
    addRow("lbRxDcts", QStringLiteral("QT/DQT Deconde"), cxRxDcts);
    addRow("lbTxDcts", QStringLiteral("QT/DQT Encode"), cxTxDcts);
    addRow("lbWn", QStringLiteral("Wide/Narrow"), cxWn);
    addRow("lbPower", QStringLiteral("TX Power"), cxPower);
    addRow("lbName", QStringLiteral("Name"), cxName);
    finishLayout({cxBclo, cxScan, cxComp, cxScrm, cxTxRev, chpppy});
    // Opening the window puts the keyboard into the channel spin.
    setFocusProxy(sexd);
    setTabChain({sexd, eRx, eTX, cxRxDcts, cxTxDcts, cxWn, cxPower, cxName, cxBclo});

    connect(sexd, &QSpinBox::valueChanged, this, &TfInfoEdit::sexdChange);
    connect(eRx, &NumberBox::entered, this, &TfInfoEdit::eReceiveChanged);
    connect(eTX, &NumberBox::entered, this, &TfInfoEdit::eSendChanged);
    connect(cxName, &QLineEdit::textEdited, this, &TfInfoEdit::cxNameChanged);
}

int TfInfoEdit::channelNumber() const
{
    return AppState.CurrentChannel;
}

void TfInfoEdit::LoadChannel()
{
    Filling = true;
    // The channel shown is always the channel edited.
    sexd->setRange(1, qMax(1, AppState.ChannelCount));
    AppState.CurrentChannel = qBound(1, AppState.CurrentChannel, sexd->maximum());
    sexd->setValue(AppState.CurrentChannel);
    TChannel channel;
    if (DecodeChannel(AppState.CurrentChannel, channel)) {
        setDataEnabled(true);
        eRx->showText(mhzText(channel.RxFrequency));
        eTX->showText(mhzText(channel.TxFrequency));
        showChannel(channel);
        cxName->setText(channel.Name);
    } else {
        ShowEmptyChannel();
        setDataEnabled(false);
    }
    Filling = false;
}

void TfInfoEdit::ShowEmptyChannel()
{
    eRx->showText(QString());
    eTX->showText(QString());
    showNewChannelValues();
    cxName->clear();
}

void TfInfoEdit::setDataEnabled(bool enabled)
{
    for (QWidget *control : dataControls())
        control->setEnabled(enabled);
    cxName->setEnabled(enabled);
}

QString TfInfoEdit::fieldText(int field) const
{
    switch (field) {
    case FieldTxFrequency: return eTX->text();
    case FieldName: return cxName->text();
    default: return ChannelForm::fieldText(field);
    }
}

// An empty RX erases the channel and writes nothing else.
void TfInfoEdit::StoreChannel()
{
    if (Filling)
        return;
    storeChannelFields({FieldTxFrequency, FieldDecodeTone, FieldEncodeTone, FieldBandwidth, FieldTxPower,
                        FieldTxStop, FieldBusyLock, FieldScanDelete, FieldCompander, FieldScrambler,
                        FieldEpilogue, FieldVox, FieldName});
    if (TfMainFrm *main = MainWindow())
        main->RefreshViews(0);
}

double TfInfoEdit::txInReach(double rx, double tx, bool warned)
{
    if (TxWithinReach(rx, tx))
        return tx;
    if (!warned)
        showRangeMessage();
    return ClampTxToRx(rx, tx);
}

void TfInfoEdit::sexdChange()
{
    if (Filling)
        return;
    AppState.CurrentChannel = sexd->value();
    if (TfMainFrm *main = MainWindow())
        main->ChannelChanged(0);
    LoadChannel();
}

// RX: held to the band and rounded; the TX of the channel stays (rounded again to the
// new RX's step), and a channel without TX becomes simplex.
void TfInfoEdit::eReceiveChanged()
{
    if (Filling)
        return;
    const QString text = eRx->text().trimmed();
    if (!text.isEmpty()) {
        bool warned = false;
        const double rx = RoundFrequency(0, ValidateFrequency(text, &warned));
        eRx->showText(mhzText(rx));
        setDataEnabled(true);
        m_txGuard = true;
        if (!eTX->text().trimmed().isEmpty()) {
            const double tx = RoundFrequency(StepClass(rx), boxValue(eTX, rx));
            eTX->showText(mhzText(txInReach(rx, tx, warned)));
        } else {
            eTX->showText(eRx->text());
        }
        m_txGuard = false;
    } else {
        ShowEmptyChannel();
        setDataEnabled(false);
    }
    StoreChannel();
}

// TX: held to the band and to 70 MHz from RX, rounded to RX's step; an empty TX is RX.
void TfInfoEdit::eSendChanged()
{
    if (Filling || m_txGuard)
        return;
    const QString text = eTX->text().trimmed();
    m_txGuard = true;
    if (!text.isEmpty()) {
        const double rx = boxValue(eRx, AppState.BandLow);
        bool warned = false;
        const double tx = RoundFrequency(StepClass(rx), ValidateFrequency(text, &warned));
        eTX->showText(mhzText(txInReach(rx, tx, warned)));
        cxRxDcts->setFocus();
    } else {
        eTX->showText(eRx->text());
    }
    m_txGuard = false;
    StoreChannel();
}

// Names are shown and stored in upper case.
void TfInfoEdit::cxNameChanged(const QString &text)
{
    if (Filling)
        return;
    const QString upper = text.toUpper();
    if (upper != text) {
        const int cursor = cxName->cursorPosition();
        cxName->setText(upper);
        cxName->setCursorPosition(cursor);
    }
    StoreChannel();
}
