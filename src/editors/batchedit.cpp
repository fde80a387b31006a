#include "editors/batchedit.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "core/appstate.h"
#include "editors/editorparts.h"
#include "image/batch.h"
#include "image/numbers.h"
#include "image/tones.h"
#include "shell/translateform.h"
#include <QButtonGroup>
#include <QEvent>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel *newLabel(const char *name, const QString &caption, QWidget *buddy)
{
    auto *label = new QLabel(caption);
    label->setObjectName(QLatin1String(name));
    label->setBuddy(buddy);
    return label;
}

QGroupBox *newGroup(const char *name, const QString &caption, QLayout *contents)
{
    auto *group = new QGroupBox(caption);
    group->setObjectName(QLatin1String(name));
    group->setLayout(contents);
    return group;
}

QComboBox *newList(const char *name, const QStringList &items, int selected)
{
    auto *list = new QComboBox;
    list->setObjectName(QLatin1String(name));
    list->addItems(items);
    list->setCurrentIndex(selected);
    return list;
}

// A tone list the user chooses from without typing; of its items only "None" is
// translated.
QComboBox *newToneList(const char *name)
{
    QComboBox *list = newList(name, toneList(), 0);
    list->setProperty("tag", TagFirstItemOnly);
    return list;
}

// Two radio buttons side by side.
QHBoxLayout *pair(QWidget *a, QWidget *b)
{
    auto *row = new QHBoxLayout;
    row->addWidget(a);
    row->addWidget(b);
    row->addStretch();
    return row;
}

} // namespace

TfBatch::TfBatch(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("fBatch"));
    setWindowTitle(QStringLiteral("Batch Channel Edit"));

    // Channels.
    auto *bound = new QButtonGroup(this);
    cxAll = addRadio("cxAll", QStringLiteral("All Channel"), bound);
    cxChs = addRadio("cxChs", QStringLiteral("Channel"), bound);
    cxAll->setChecked(true);
    cxFrom = new ChannelSpin;
    cxFrom->setObjectName(QStringLiteral("cxFrom"));
    cxTo = new ChannelSpin;
    cxTo->setObjectName(QStringLiteral("cxTo"));
    for (ChannelSpin *spin : {cxFrom, cxTo})
        spin->setRange(1, qMax(1, AppState.ChannelCount));
    cxFrom->setValue(1);
    cxTo->setValue(cxTo->maximum());
    cxClear = addCheck("cxClear", QStringLiteral("Clear Data"));
    auto *boundGrid = new QGridLayout;
    boundGrid->addWidget(cxAll, 0, 0);
    boundGrid->addWidget(cxClear, 0, 2, 1, 2);
    boundGrid->addWidget(cxChs, 1, 0);
    boundGrid->addWidget(newLabel("lbFrom", QStringLiteral("From"), cxFrom), 1, 1);
    boundGrid->addWidget(cxFrom, 1, 2);
    boundGrid->addWidget(newLabel("lbTo", QStringLiteral("To"), cxTo), 1, 3);
    boundGrid->addWidget(cxTo, 1, 4);

    // RX frequency.
    cxRx_freq = addFrequencyBox("cxRx_freq", true);
    cxRx_Step = addFrequencyBox("cxRx_Step", false);
    auto *rxOrder = new QButtonGroup(this);
    cxRx_asc = addRadio("cxRx_asc", QStringLiteral("ASC"), rxOrder);
    cxRx_dec = addRadio("cxRx_dec", QStringLiteral("DESC"), rxOrder);
    cxRx_asc->setChecked(true);
    auto *rxGrid = new QGridLayout;
    rxGrid->addWidget(newLabel("lbRxFreq", QStringLiteral("Begin Freq.(MHz)"), cxRx_freq), 0, 0);
    rxGrid->addWidget(cxRx_freq, 0, 1);
    rxGrid->addWidget(newLabel("lbRxStep", QStringLiteral("Step Freq.(MHz)"), cxRx_Step), 1, 0);
    rxGrid->addWidget(cxRx_Step, 1, 1);
    rxGrid->addLayout(pair(cxRx_asc, cxRx_dec), 1, 2);

    // TX frequency.
    auto *txMode = new QButtonGroup(this);
    cxTx_def = addRadio("cxTx_def", QStringLiteral("Default"), txMode);
    cxTx_Exc = addRadio("cxTx_Exc", QStringLiteral("Excursion Freq.(MHz)"), txMode);
    cxTx_Self = addRadio("cxTx_Self", QStringLiteral("Begin Freq.(MHz)"), txMode);
    cxTx_def->setChecked(true);
    cxExc_Freq = addFrequencyBox("cxExc_Freq", false);
    auto *duplex = new QButtonGroup(this);
    cxDup_add = addRadio("cxDup_add", QStringLiteral("+Dup"), duplex);
    cxDup_Dec = addRadio("cxDup_Dec", QStringLiteral("-Dup"), duplex);
    cxDup_add->setChecked(true);
    cxTx_Freq = addFrequencyBox("cxTx_Freq", true);
    cxTx_step = addFrequencyBox("cxTx_step", false);
    auto *txOrder = new QButtonGroup(this);
    cxTx_asc = addRadio("cxTx_asc", QStringLiteral("ASC"), txOrder);
    cxTx_dec = addRadio("cxTx_dec", QStringLiteral("DESC"), txOrder);
    cxTx_asc->setChecked(true);
    auto *txGrid = new QGridLayout;
    txGrid->addWidget(cxTx_def, 0, 0);
    txGrid->addWidget(cxTx_Exc, 1, 0);
    txGrid->addWidget(cxExc_Freq, 1, 1);
    txGrid->addLayout(pair(cxDup_add, cxDup_Dec), 1, 2);
    txGrid->addWidget(cxTx_Self, 2, 0);
    txGrid->addWidget(cxTx_Freq, 2, 1);
    txGrid->addWidget(newLabel("lbTxStep", QStringLiteral("Step Freq.(MHz)"), cxTx_step), 3, 0);
    txGrid->addWidget(cxTx_step, 3, 1);
    txGrid->addLayout(pair(cxTx_asc, cxTx_dec), 3, 2);

    // RX tone.
    cxRx_Dcts = newToneList("cxRx_Dcts");
    cxRx_Ran = addCheck("cxRx_Ran", QStringLiteral("Random"));
    cxRx_Dcts_step = new NumberBox;
    cxRx_Dcts_step->setObjectName(QStringLiteral("cxRx_Dcts_step"));
    cxRx_Dcts_step->showText(QStringLiteral("0"));
    auto *rxToneOrder = new QButtonGroup(this);
    cxRx_Dcts_asc = addRadio("cxRx_Dcts_asc", QStringLiteral("ASC"), rxToneOrder);
    cxRx_Dcts_dec = addRadio("cxRx_Dcts_dec", QStringLiteral("DESC"), rxToneOrder);
    cxRx_Dcts_asc->setChecked(true);
    auto *rxToneGrid = new QGridLayout;
    rxToneGrid->addWidget(newLabel("lbRxDcts", QStringLiteral("Begin"), cxRx_Dcts), 0, 0);
    rxToneGrid->addWidget(cxRx_Dcts, 0, 1);
    rxToneGrid->addWidget(cxRx_Ran, 0, 2);
    rxToneGrid->addWidget(newLabel("lbRxSpace", QStringLiteral("Space"), cxRx_Dcts_step), 1, 0);
    rxToneGrid->addWidget(cxRx_Dcts_step, 1, 1);
    rxToneGrid->addLayout(pair(cxRx_Dcts_asc, cxRx_Dcts_dec), 1, 2);

    // TX tone.
    auto *txToneMode = new QButtonGroup(this);
    cxTx_Dcts_def = addRadio("cxTx_Dcts_def", QStringLiteral("Default"), txToneMode);
    cxTx_Dcts_self = addRadio("cxTx_Dcts_self", QStringLiteral("Begin"), txToneMode);
    cxTx_Dcts_def->setChecked(true);
    cxTx_ran = addCheck("cxTx_ran", QStringLiteral("Random"));
    cxTx_Dcts = newToneList("cxTx_Dcts");
    cxTx_Dcts_step = new NumberBox;
    cxTx_Dcts_step->setObjectName(QStringLiteral("cxTx_Dcts_step"));
    cxTx_Dcts_step->showText(QStringLiteral("0"));
    auto *txToneOrder = new QButtonGroup(this);
    cxTx_Dcts_asc = addRadio("cxTx_Dcts_asc", QStringLiteral("ASC"), txToneOrder);
    cxTx_Dcts_dec = addRadio("cxTx_Dcts_dec", QStringLiteral("DESC"), txToneOrder);
    cxTx_Dcts_asc->setChecked(true);
    auto *txToneGrid = new QGridLayout;
    txToneGrid->addWidget(cxTx_Dcts_def, 0, 0);
    txToneGrid->addWidget(cxTx_Dcts_self, 1, 0);
    txToneGrid->addWidget(cxTx_Dcts, 1, 1);
    txToneGrid->addWidget(cxTx_ran, 1, 2);
    txToneGrid->addWidget(newLabel("lbTxSpace", QStringLiteral("Space"), cxTx_Dcts_step), 2, 0);
    txToneGrid->addWidget(cxTx_Dcts_step, 2, 1);
    txToneGrid->addLayout(pair(cxTx_Dcts_asc, cxTx_Dcts_dec), 2, 2);

    // The attributes every channel of the range gets.
    cxPower = newList("cxPower", {QStringLiteral("Low"), QStringLiteral("High")}, 1);
    cxWn = newList("cxWn", {QStringLiteral("Narrow"), QStringLiteral("Wide")}, 1);
    cxComp = addCheck("cxComp", QStringLiteral("Compander"));
    cxBclo = addCheck("cxBclo", QStringLiteral("Busy Lock"));
    cxScrm = addCheck("cxScrm", QStringLiteral("Scrambler"));
    cxScan = addCheck("cxScan", QStringLiteral("Scan Add"));
    cxTxRev = addCheck("cxTxRev", QStringLiteral("Epilogue"));
    cxTxRev->setChecked(true);
    // VOX is switched off on every channel of the range; the box is never shown.
    cxVox = addCheck("cxVox", QStringLiteral("Vox"));
    cxVox->hide();
    cxName = new QLineEdit;
    cxName->setObjectName(QStringLiteral("cxName"));
    cxName->setMaxLength(6);
    cxUse_Chs = addCheck("cxUse_Chs", QStringLiteral("Use Channel"));
    auto *attributes = new QGridLayout;
    attributes->addWidget(newLabel("lbPower", QStringLiteral("TX Power"), cxPower), 0, 0);
    attributes->addWidget(cxPower, 0, 1);
    attributes->addWidget(newLabel("lbWn", QStringLiteral("W/N"), cxWn), 1, 0);
    attributes->addWidget(cxWn, 1, 1);
    attributes->addWidget(newLabel("lbName", QStringLiteral("Name"), cxName), 2, 0);
    attributes->addWidget(cxName, 2, 1);
    attributes->addWidget(cxUse_Chs, 2, 2);
    attributes->addWidget(cxComp, 0, 2);
    attributes->addWidget(cxBclo, 0, 3);
    attributes->addWidget(cxScrm, 1, 2);
    attributes->addWidget(cxScan, 1, 3);
    attributes->addWidget(cxTxRev, 2, 3);

    auto *btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"));
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto *left = new QVBoxLayout;
    left->addWidget(newGroup("gbBound", QStringLiteral("Bound:"), boundGrid));
    left->addWidget(newGroup("gbRx", QStringLiteral("RX Frequency:"), rxGrid));
    left->addWidget(newGroup("gbTx", QStringLiteral("TX Frequency:"), txGrid));
    auto *right = new QVBoxLayout;
    right->addWidget(newGroup("gbRxDcts", QStringLiteral("RX QT/DQT:"), rxToneGrid));
    right->addWidget(newGroup("gbTxDcts", QStringLiteral("TX QT/DQT:"), txToneGrid));
    right->addWidget(newGroup("gbOther", QString(), attributes));
    auto *columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QAbstractButton *b : std::initializer_list<QAbstractButton *>{
             cxAll, cxChs, cxTx_def, cxTx_Exc, cxTx_Self, cxTx_Dcts_def, cxTx_Dcts_self, cxTx_ran, cxRx_Ran, cxClear})
        connect(b, &QAbstractButton::clicked, this, &TfBatch::applyEnablingRules);
    connect(cxFrom, &QSpinBox::valueChanged, this, &TfBatch::cxFromChanged);
    connect(cxName, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (text != text.toUpper()) {
            const int cursor = cxName->cursorPosition();
            cxName->setText(text.toUpper());
            cxName->setCursorPosition(cursor);
        }
    });
    connect(btnOk, &QPushButton::clicked, this, &TfBatch::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
    setFocusProxy(cxAll);
    applyEnablingRules();
}

NumberBox *TfBatch::addFrequencyBox(const char *name, bool bandLimits)
{
    auto *box = new NumberBox(this);
    box->setObjectName(QLatin1String(name));
    box->showText(mhzText(0.0));
    m_frequencyBoxes.append({box, bandLimits});
    const FrequencyBox entry = m_frequencyBoxes.last();
    connect(box, &NumberBox::entered, this, [this, entry] { frequencyEntered(entry); });
    return box;
}

QRadioButton *TfBatch::addRadio(const char *name, const QString &caption, QButtonGroup *group)
{
    auto *radio = new QRadioButton(caption, this);
    radio->setObjectName(QLatin1String(name));
    group->addButton(radio);
    return radio;
}

QCheckBox *TfBatch::addCheck(const char *name, const QString &caption)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    return box;
}

bool TfBatch::event(QEvent *event)
{
    if (event->type() == QEvent::Resize)
        fitEditorFrame(this);
    if (event->type() == QEvent::ParentChange)
        setEditorFrameButtons(this, Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    return QWidget::event(event);
}

void TfBatch::showEvent(QShowEvent *event)
{
    if (!m_shown) {
        m_shown = true;
        FormShow();
        placeEditorFrame(this);
    }
    QWidget::showEvent(event);
}

// Translated, and the band's limits in the frequency boxes that take band frequencies.
void TfBatch::FormShow()
{
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);
    for (const FrequencyBox &entry : qAsConst(m_frequencyBoxes)) {
        if (entry.bandLimits)
            entry.box->showText(mhzText(AppState.BandLow));
    }
}

void TfBatch::applyEnablingRules()
{
    const bool channels = cxChs->isChecked();
    cxFrom->setEnabled(channels);
    cxTo->setEnabled(channels);

    const bool excursion = cxTx_Exc->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{cxExc_Freq, cxDup_add, cxDup_Dec})
        w->setEnabled(excursion);
    const bool txBegin = cxTx_Self->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{cxTx_Freq, cxTx_step, cxTx_asc, cxTx_dec})
        w->setEnabled(txBegin);

    const bool rxFixed = !cxRx_Ran->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{cxRx_Dcts, cxRx_Dcts_step, cxRx_Dcts_asc, cxRx_Dcts_dec})
        w->setEnabled(rxFixed);

    const bool txToneBegin = cxTx_Dcts_self->isChecked();
    cxTx_ran->setEnabled(txToneBegin);
    const bool txToneFixed = txToneBegin && !cxTx_ran->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{cxTx_Dcts, cxTx_Dcts_step, cxTx_Dcts_asc, cxTx_Dcts_dec})
        w->setEnabled(txToneFixed);
}

// Out-of-range and non-numeric entries are replaced by the box's limits, silently.
void TfBatch::frequencyEntered(const FrequencyBox &entry)
{
    const double minimum = entry.bandLimits ? AppState.BandLow : 0.0;
    const double maximum = entry.bandLimits ? AppState.BandHigh : AppState.MaxOffset;
    entry.box->showText(FrequencyBoxText(entry.box->text(), minimum, maximum));
}

// "From" is not above "To".
void TfBatch::cxFromChanged()
{
    if (cxFrom->value() > cxTo->value())
        cxFrom->setValue(cxTo->value());
}

bool TfBatch::readPlan(BatchPlan &plan)
{
    const auto readSpace = [](NumberBox *box, int *space) {
        const auto value = parseInteger(box->text());
        if (!value) {
            // Said even when the box is greyed out, where the focus cannot show it.
            ShowMsg(LangTexts.Confirmation, QStringLiteral("'%1' is not a valid integer value").arg(box->text()),
                    MsgInformation);
            if (box->isEnabled()) {
                box->setFocus();
                box->selectAll();
            }
            return false;
        }
        *space = *value;
        return true;
    };
    if (!readSpace(cxRx_Dcts_step, &plan.rxSpace) || !readSpace(cxTx_Dcts_step, &plan.txSpace))
        return false;

    plan.first = cxChs->isChecked() ? cxFrom->value() : 1;
    plan.last = cxChs->isChecked() ? cxTo->value() : AppState.ChannelCount;
    plan.clear = cxClear->isChecked();

    const auto value = [](const NumberBox *box) { return parseDecimal(box->text()).value_or(0.0); };
    plan.rx = value(cxRx_freq);
    plan.rxStep = value(cxRx_Step);
    plan.rxDescending = cxRx_dec->isChecked();
    plan.txMode = cxTx_Exc->isChecked() ? BatchPlan::TxExcursion
                  : cxTx_Self->isChecked() ? BatchPlan::TxSequence : BatchPlan::TxSameAsRx;
    plan.excursion = value(cxExc_Freq);
    plan.excursionBelow = cxDup_Dec->isChecked();
    plan.tx = value(cxTx_Freq);
    plan.txStep = value(cxTx_step);
    plan.txDescending = cxTx_dec->isChecked();

    plan.rxToneRandom = cxRx_Ran->isChecked();
    plan.rxTone = cxRx_Dcts->currentIndex();
    plan.rxToneDescending = cxRx_Dcts_dec->isChecked();
    plan.txToneSameAsRx = cxTx_Dcts_def->isChecked();
    plan.txToneRandom = cxTx_ran->isChecked();
    plan.txTone = cxTx_Dcts->currentIndex();
    plan.txToneDescending = cxTx_Dcts_dec->isChecked();

    plan.bandwidth = cxWn->currentIndex();
    plan.power = cxPower->currentIndex();
    plan.busyLock = cxBclo->isChecked();
    plan.scanAdd = cxScan->isChecked();
    plan.compander = cxComp->isChecked();
    plan.scrambler = cxScrm->isChecked();
    plan.epilogue = cxTxRev->isChecked();
    plan.name = cxName->text();
    plan.nameIsChannelNumber = cxUse_Chs->isChecked();
    return true;
}

void TfBatch::btnOkClick()
{
    // An entry still being typed counts, even when "Ok" was reached from the keyboard.
    for (const FrequencyBox &entry : qAsConst(m_frequencyBoxes))
        entry.box->finishEntry();
    cxFrom->interpretText();
    cxTo->interpretText();

    BatchPlan plan;
    if (!readPlan(plan))
        return;
    ApplyBatch(plan);
    AppState.Modified = true;
    if (TfMainFrm *main = MainWindow()) {
        if (auto *grid = dynamic_cast<ChildForm *>(main->child(cmd::MemoryChannel)))
            grid->LoadAllRows();
    }
}
