#include "editors/channelform.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "editors/editorparts.h"
#include "editors/tonebox.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/numbers.h"
#include "shell/translateform.h"
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

// Busy lock, scan add, compander, scrambler and VOX store 0 when ticked; epilogue 1.
QString tickText(const QCheckBox *box, bool tickedIsOne)
{
    return box->isChecked() == tickedIsOne ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

ChannelForm::ChannelForm(const QString &objectName, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Channel Edit"));

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pcInfo"));
    m_page = new QWidget;
    m_page->setObjectName(QStringLiteral("tsInfo"));
    m_pages->addTab(m_page, QStringLiteral("Information"));
    // One page: the keyboard goes straight to the controls.
    m_pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    m_rows = new QGridLayout;
    m_rows->setColumnStretch(1, 1);
    m_rows->setHorizontalSpacing(12);

    eRx = new NumberBox(m_page);
    eRx->setObjectName(QStringLiteral("eRx"));
    eTX = new NumberBox(m_page);
    eTX->setObjectName(QStringLiteral("eTX"));
    cxRxDcts = addToneBox("cxRxDcts");
    cxTxDcts = addToneBox("cxTxDcts");
    cxWn = addList("cxWn", {QStringLiteral("Narrow"), QStringLiteral("Wide")});
    cxPower = addList("cxPower", {QStringLiteral("Low"), QStringLiteral("High")});
    // TX stop is kept as it is; the user does not see it.
    cxTxDis = addList("cxTxDis", {QStringLiteral("Yes"), QStringLiteral("No")});
    cxBclo = addCheck("cxBclo", QStringLiteral("Busy Lock"));
    cxScan = addCheck("cxScan", QStringLiteral("Scan Add"));
    cxComp = addCheck("cxComp", QStringLiteral("Compander"));
    cxScrm = addCheck("cxScrm", QStringLiteral("Scrambler"));
    cxTxRev = addCheck("cxTxRev", QStringLiteral("Epilogue"));
    // The radio keeps no setting for beat shift: the box is shown and enabled like
    // the others, but neither loaded nor stored.
    chpppy = addCheck("chpppy", QStringLiteral("Beat Shift"));
    cxVox = addCheck("cxVox", QStringLiteral("Vox"));

    btnClose = new QPushButton(QStringLiteral("&Close"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
}

ToneBox *ChannelForm::addToneBox(const char *name)
{
    auto *box = new ToneBox(m_page);
    box->setObjectName(QLatin1String(name));
    // The field's line edit passes its focus on to the field.
    box->installEventFilter(this);
    connect(box, &QComboBox::currentIndexChanged, this, [this, box] { toneChanged(box); });
    connect(box, &ToneBox::enterPressed, this, [this, box] { toneChanged(box); });
    connect(box, &ToneBox::tonePicked, this, [this, box](const QString &text) {
        box->setEditText(text);
        toneChanged(box);
    });
    return box;
}

QComboBox *ChannelForm::addList(const char *name, const QStringList &items)
{
    auto *list = new QComboBox(m_page);
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    connect(list, &QComboBox::currentIndexChanged, this, [this] { StoreChannel(); });
    return list;
}

QCheckBox *ChannelForm::addCheck(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, m_page);
    box->setObjectName(QLatin1String(name));
    connect(box, &QCheckBox::clicked, this, [this] { StoreChannel(); });
    return box;
}

QLabel *ChannelForm::addRow(const char *labelName, const QString &caption, QWidget *field)
{
    auto *label = new QLabel(caption, m_page);
    label->setObjectName(QLatin1String(labelName));
    label->setBuddy(field);
    const int row = m_rows->rowCount();
    m_rows->addWidget(label, row, 0);
    m_rows->addWidget(field, row, 1);
    return label;
}

void ChannelForm::finishLayout(std::initializer_list<QCheckBox *> shownChecks)
{
    addRow("lbTxDis", QStringLiteral("TX Stop"), cxTxDis)->hide();
    cxTxDis->hide();

    auto *checks = new QGridLayout;
    int i = 0;
    for (QCheckBox *box : {cxBclo, cxScan, cxComp, cxScrm, cxTxRev, chpppy, cxVox}) {
        if (std::find(shownChecks.begin(), shownChecks.end(), box) == shownChecks.end()) {
            box->hide();
            continue;
        }
        checks->addWidget(box, i / 2, i % 2);
        ++i;
    }

    auto *page = new QVBoxLayout(m_page);
    page->addLayout(m_rows);
    page->addSpacing(8);
    page->addLayout(checks);
    page->addStretch();

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnClose);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString ChannelForm::fieldText(int field) const
{
    switch (field) {
    case FieldDecodeTone: return QString::number(cxRxDcts->currentIndex());
    case FieldEncodeTone: return QString::number(cxTxDcts->currentIndex());
    case FieldTxStop: return QString::number(cxTxDis->currentIndex());
    case FieldBandwidth: return QString::number(cxWn->currentIndex());
    case FieldTxPower: return QString::number(cxPower->currentIndex());
    case FieldBusyLock: return tickText(cxBclo, false);
    case FieldScanDelete: return tickText(cxScan, false);
    case FieldCompander: return tickText(cxComp, false);
    case FieldScrambler: return tickText(cxScrm, false);
    case FieldEpilogue: return tickText(cxTxRev, true);
    case FieldVox: return tickText(cxVox, false);
    default: return QString();
    }
}

void ChannelForm::storeChannelFields(std::initializer_list<int> fields) const
{
    const int n = channelNumber();
    WriteChannelField(n, FieldRxFrequency, eRx->text());
    if (!eRx->text().isEmpty()) {
        for (const int field : fields)
            WriteChannelField(n, field, fieldText(field));
    }
    AppState.Modified = true;
}

void ChannelForm::showTone(ToneBox *box, int index)
{
    box->setCurrentIndex(index);
    // Also when the index stays: the field may still show a typed text.
    box->setEditText(box->itemText(index));
}

void ChannelForm::showChannel(const TChannel &channel)
{
    showTone(cxRxDcts, channel.DecodeTone);
    showTone(cxTxDcts, channel.EncodeTone);
    cxWn->setCurrentIndex(channel.Bandwidth);
    cxPower->setCurrentIndex(channel.TxPower);
    cxTxDis->setCurrentIndex(channel.TxStop);
    cxBclo->setChecked(channel.BusyLock == 0);
    cxScan->setChecked(channel.ScanDelete == 0);
    cxComp->setChecked(channel.Compander == 0);
    cxScrm->setChecked(channel.Scrambler == 0);
    cxTxRev->setChecked(channel.Epilogue == 1);
    cxVox->setChecked(channel.Vox == 0);
}

void ChannelForm::showNewChannelValues()
{
    showTone(cxRxDcts, newchannel::DecodeTone);
    showTone(cxTxDcts, newchannel::EncodeTone);
    cxWn->setCurrentIndex(newchannel::Bandwidth);
    cxPower->setCurrentIndex(newchannel::TxPower);
    cxTxDis->setCurrentIndex(newchannel::TxStop);
    for (QCheckBox *box : {cxBclo, cxScan, chpppy, cxComp, cxScrm, cxVox})
        box->setChecked(false);
    cxTxRev->setChecked(true);
}

QList<QWidget *> ChannelForm::dataControls() const
{
    return {eTX, cxRxDcts, cxTxDcts, cxWn, cxPower, cxTxDis,
            cxBclo, cxScan, cxComp, cxScrm, cxTxRev, chpppy, cxVox};
}

double ChannelForm::ValidateFrequency(const QString &text, bool *warned)
{
    const FrequencyCheck check = CheckEditorFrequency(text.trimmed());
    if (check.problem != FrequencyCheck::InBand)
        showRangeMessage();
    if (warned)
        *warned = check.problem != FrequencyCheck::InBand;
    return check.value;
}

void ChannelForm::showRangeMessage()
{
    ShowMsg(LangTexts.Caution, LangTexts.ErrRange, MsgInformation);
}

double ChannelForm::boxValue(const NumberBox *box, double fallback) const
{
    return parseDecimal(box->text()).value_or(fallback);
}

// Tone changed: an empty field means "None"; anything else is brought to the form of
// the tone list. A tone the list does not have leaves the stored tone as it is, and
// the field shows it again.
void ChannelForm::toneChanged(ToneBox *box)
{
    if (Filling)
        return;
    int index = ToneIndexOfText(box->currentText(), box->itemText(0), box->currentIndex());
    if (index < 0) {
        TChannel stored;
        const bool held = DecodeChannel(channelNumber(), stored);
        index = !held ? qMax(0, box->currentIndex())
                : box == cxRxDcts ? stored.DecodeTone : stored.EncodeTone;
    }
    Filling = true;
    showTone(box, index);
    Filling = false;
    StoreChannel();
}

bool ChannelForm::eventFilter(QObject *watched, QEvent *event)
{
    // A tone typed into a field counts as changed when the user leaves the field.
    if (event->type() == QEvent::FocusOut) {
        for (ToneBox *box : {cxRxDcts, cxTxDcts}) {
            if (watched == box && focusLossEndsEntry(static_cast<QFocusEvent *>(event), box)
                && box->currentText() != box->itemText(box->currentIndex()))
                toneChanged(box);
        }
    }
    return QWidget::eventFilter(watched, event);
}

bool ChannelForm::event(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        fitEditorFrame(this);
    if (event->type() == QEvent::ParentChange)
        setEditorFrameButtons(this, Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    return QWidget::event(event);
}

void ChannelForm::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
        placeEditorFrame(this);
    }
    QWidget::showEvent(event);
}

void ChannelForm::FormShow()
{
    Filling = true;
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);
    Filling = false;
}
