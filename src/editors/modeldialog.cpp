#include "editors/modeldialog.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/models.h"
#include "image/numbers.h"
#include "shell/translateform.h"
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>
#include <optional>

// A band limit in whole MHz, or empty for "no user limit". A limit that came from
// the current band may carry a fraction (limits read from a radio are counts of
// 6.25 kHz); it is shown rounded but kept exact until the user types over it, so
// that confirming the dialog unchanged keeps the band as it was.
class TfModel::LimitEdit : public QLineEdit
{
public:
    explicit LimitEdit(QWidget *parent) : QLineEdit(parent)
    {
        setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        setMaxLength(4);
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    }

    bool isBlank() const { return text().trimmed().isEmpty(); }

    // Nothing for an empty field (or a text that is no number).
    std::optional<double> value() const
    {
        if (m_exact && text() == m_exactText)
            return m_exact;
        return parseDecimal(text());
    }

    void setValue(std::optional<double> v)
    {
        setText(v ? formatFixed(*v, 0) : QString());
        m_exact = v;
        m_exactText = text();
    }

private:
    std::optional<double> m_exact;
    QString m_exactText;
};

TfModel::TfModel(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fModel"));
    setWindowTitle(QStringLiteral("Model Information"));

    const auto label = [this](const char *name, const QString &caption, QWidget *owner) {
        auto *l = new QLabel(caption, owner);
        l->setObjectName(QLatin1String(name));
        return l;
    };

    QLabel *label1 = label("Label1", QStringLiteral("Model Type: "), this);
    cbCopmut = new QComboBox(this);
    cbCopmut->setObjectName(QStringLiteral("cbCopmut"));
    cbCopmut->setMinimumWidth(170);
    label1->setBuddy(cbCopmut);

    QLabel *label2 = label("Label2", QStringLiteral("Frequency: "), this);
    cbPd = new QComboBox(this);
    cbPd->setObjectName(QStringLiteral("cbPd"));
    label2->setBuddy(cbPd);

    auto *pSelf = new QFrame(this);
    pSelf->setObjectName(QStringLiteral("pSelf"));
    pSelf->setFrameShape(QFrame::StyledPanel);
    QLabel *label3 = label("Label3", QStringLiteral("User-Defined:"), pSelf);
    cxLow = new LimitEdit(pSelf);
    cxLow->setObjectName(QStringLiteral("cxLow"));
    cxLow->setFixedWidth(56);
    QLabel *label4 = label("Label4", QStringLiteral("--------"), pSelf);
    cxHigh = new LimitEdit(pSelf);
    cxHigh->setObjectName(QStringLiteral("cxHigh"));
    cxHigh->setFixedWidth(56);
    label3->setBuddy(cxLow);
    auto *selfRow = new QHBoxLayout(pSelf);
    selfRow->addWidget(label3);
    selfRow->addWidget(cxLow);
    selfRow->addWidget(label4);
    selfRow->addWidget(cxHigh);
    selfRow->addStretch();

    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto *grid = new QGridLayout;
    grid->addWidget(label1, 0, 0);
    grid->addWidget(cbCopmut, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(cbPd, 1, 1);
    grid->setColumnStretch(1, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(pSelf);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    // Fixed size that still fits translated captions.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cbCopmut, &QComboBox::currentIndexChanged, this, &TfModel::cbCopmutChange);
    connect(cbPd, &QComboBox::currentIndexChanged, this, &TfModel::cbPdPropertiesChange);
    connect(cxLow, &QLineEdit::editingFinished, this, [this] { cxLowPropertiesValidate(cxLow); });
    connect(cxHigh, &QLineEdit::editingFinished, this, [this] { cxLowPropertiesValidate(cxHigh); });
    connect(btnOk, &QPushButton::clicked, this, &TfModel::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfModel::reject);
}

TfModel::~TfModel()
{
    // A field that has the focus reports "editing finished" while the widgets are
    // torn down; by then there is no dialog left to validate it.
    disconnect(cxLow, nullptr, this, nullptr);
    disconnect(cxHigh, nullptr, this, nullptr);
}

QString TfModel::modelText() const
{
    return cbCopmut->currentText();
}

void TfModel::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

// Shows the current model, band and user-defined limits.
void TfModel::FormShow()
{
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, false);

    QStringList names;
    ModelList.FillNames(names);
    {
        const QSignalBlocker quiet(cbCopmut);
        cbCopmut->clear();
        cbCopmut->addItems(names);
        const int model = cbCopmut->findText(AppState.ModelName);
        cbCopmut->setCurrentIndex(model >= 0 ? model : 0);
    }
    cbCopmutChange();

    const int band = cbPd->findText(BandNames.NameOf(quint8(0xF0 | (AppState.BandCode & 0x0F))));
    cbPd->setCurrentIndex(band >= 0 ? band : 0);

    if ((AppState.BandCode >> 4) == 0xA) {
        cxLow->setValue(AppState.BandLow);
        cxHigh->setValue(AppState.BandHigh);
    } else {
        cxLow->setValue(std::nullopt);
        cxHigh->setValue(std::nullopt);
    }
    m_confirmed = false;
}

// The band list follows the model, starting at the model's default band.
void TfModel::cbCopmutChange()
{
    cbPd->clear();
    const TMacType *model = ModelList.ByName(cbCopmut->currentText());
    if (!model)
        return;
    cbPd->addItems(model->bands());
    const int band = cbPd->findText(model->defaultBand());
    cbPd->setCurrentIndex(band >= 0 ? band : 0);
}

// Another band: user limits no longer apply, and typed limits are held to the new band.
void TfModel::cbPdPropertiesChange()
{
    cxLow->setValue(std::nullopt);
    cxHigh->setValue(std::nullopt);
    const QString text = cbPd->currentText();
    if (!text.isEmpty()) {
        const BandRange range = ParseBandRange(text);
        m_allowedLow = range.low;
        m_allowedHigh = range.high;
    }
}

void TfModel::cxLowPropertiesValidate(LimitEdit *edit)
{
    if (edit->isBlank())
        return;
    const std::optional<double> x = edit->value();
    if (!x) {
        // Not a number (only possible when set from code): no user limit.
        edit->setValue(std::nullopt);
        return;
    }
    double held = *x;
    if (held > m_allowedHigh)
        held = m_allowedHigh;
    if (held < m_allowedLow)
        held = m_allowedLow;
    if (held != *x)
        edit->setValue(held);
}

void TfModel::btnOkClick()
{
    // The field being edited may not have lost the focus yet.
    cxLowPropertiesValidate(cxLow);
    cxLowPropertiesValidate(cxHigh);

    m_confirmed = true;
    m_bandCode = BandNames.CodeOf(cbPd->currentText());
    if (!cxLow->isBlank() && !cxHigh->isBlank()) {
        const double low = cxLow->value().value_or(0.0);
        const double high = cxHigh->value().value_or(0.0);
        if (high > low) {
            m_bandText = UserBandText(low, high);
            m_bandCode = quint8((m_bandCode & 0x0F) | 0xA0);
        } else {
            ShowMsg(LangTexts.Confirmation, LangTexts.ErrRange, MsgInformation);
            m_confirmed = false;
        }
    } else {
        // One limit alone is no user-defined band: the standard band is taken.
        m_bandText = cbPd->currentText();
    }
    if (m_confirmed)
        accept();
}
