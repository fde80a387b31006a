#include "editors/radioinfo.h"
#include "core/appstate.h"
#include "core/printtables.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

namespace {

// Letters typed into the serial number are taken as capitals.
class UpperCase : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

// A field that shows a value the user cannot change, on the window's background.
void makeReadOnly(QLineEdit *field)
{
    field->setReadOnly(true);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

} // namespace

TfInfoMsg::TfInfoMsg()
    : SettingsForm("fInfoMsg", QStringLiteral("Radio Information"))
{
    const auto field = [this](const char *name) {
        auto *f = new QLineEdit(this);
        f->setObjectName(QLatin1String(name));
        f->setMinimumWidth(200);
        makeReadOnly(f);
        return f;
    };
    cxModel = field("cxModel");
    cxFreq = field("cxFreq");
    cxSerial = field("cxSerial");
    cxSerial->setMaxLength(imagemap::SerialNumberSize);
    cxSerial->setValidator(new UpperCase(cxSerial));
    // The field always holds 16 characters, so typing only gets in over a selection.
    selectAllOnEntry(cxSerial);
    cxRadioTime = field("cxRadioTime");

    Label1 = label("Label1", QStringLiteral("Model Type"));
    Label2 = label("Label2", QStringLiteral("Frequency[MHz]"));
    Label3 = label("Label3", QStringLiteral("Serial Number"));
    QLabel *label4 = label("Label4", QStringLiteral("Write Time"));
    Label3->setBuddy(cxSerial);
    setFocusProxy(cxSerial);

    auto *grid = new QGridLayout;
    const QList<QPair<QLabel *, QLineEdit *>> rows{
        {Label1, cxModel}, {Label2, cxFreq}, {Label3, cxSerial}, {label4, cxRadioTime}};
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(rows[r].first, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }

    // The window has an Ok button that it never shows.
    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->hide();

    layOut(nullptr, grid);

    // Every keystroke rewrites the whole serial number.
    connect(cxSerial, &QLineEdit::textChanged, this, [this] {
        if (!SerialLoading)
            StoreSerial();
    });
}

void TfInfoMsg::LoadControls()
{
    SerialLoading = true;
    translate();
    cxModel->setText(AppState.ModelName);
    cxFreq->setText(AppState.BandText);
    if (AppState.SerialEditable) {
        cxSerial->setReadOnly(false);
        cxSerial->setPalette(QPalette());
    }
    cxSerial->setText(DecodeSerialNumber());
    if (cxSerial->hasFocus())
        cxSerial->selectAll();
    cxRadioTime->setText(DecodeWriteTime());
    SerialLoading = false;
}

void TfInfoMsg::StoreSerial()
{
    if (!AppState.SerialEditable)
        return;
    EncodeSerialNumber(cxSerial->text());
    AppState.Modified = true;
}

void TfInfoMsg::FillPrintRows()
{
    LoadControls();
    PrintHeaderRow row;
    row.Title = AppState.ProductName;
    row.AField = Label1->text();
    row.AValue = cxModel->text();
    row.BField = Label2->text();
    row.BValue = cxFreq->text();
    row.CField = Label3->text();
    row.CValue = cxSerial->text();
    Printing.addHeader(row);
}
