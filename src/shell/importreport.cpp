#include "shell/importreport.h"
#include "core/appstate.h"
#include "image/interchange.h"
#include "shell/translateform.h"
#include <QCheckBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfImportReport::TfImportReport(const ImportPlan &plan, const QString &file, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fImportReport"));
    setWindowTitle(QStringLiteral("Import Channels"));

    // The texts that take values, kept where the language file can translate them.
    lbTexts = new QListWidget(this);
    lbTexts->setObjectName(QStringLiteral("lbTexts"));
    lbTexts->addItems({QStringLiteral("Channels to import: %1"), QStringLiteral("Skipped lines: %1"),
                       QStringLiteral("line %1: %2"),
                       QStringLiteral("The frequency-mode channel, the FM channels, the settings and the serial "
                                      "number are taken from the file as well.")});
    for (int r = 0; r < CsvSkip::ReasonCount; ++r)
        lbTexts->addItem(CsvSkipFormat(CsvSkip::Reason(r)));
    lbTexts->hide();

    auto *lbFile = new QLabel(QDir::toNativeSeparators(file), this);
    lbFile->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *lbCount = new QLabel(this);
    auto *lbParts = new QLabel(this);
    lbParts->setWordWrap(true);
    auto *lbSkipped = new QLabel(this);
    auto *lwSkipped = new QListWidget(this);
    lwSkipped->setProperty("tag", TagNoTranslate);
    cxClearOthers = new QCheckBox(QStringLiteral("Clear all other channels first"), this);
    cxClearOthers->setObjectName(QStringLiteral("cxClearOthers"));
    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);

    m_csv = plan.format == InterchangeFormat::Csv;
    const bool csv = m_csv;
    lbCount->setText(text(ChannelsText).arg(plan.channelCount()));
    lbParts->setText(text(JsonPartsText));
    lbParts->setVisible(!csv);
    cxClearOthers->setVisible(csv);
    lbSkipped->setText(text(SkippedText).arg(plan.csv.skipped.size()));
    for (const CsvSkip &skip : plan.csv.skipped)
        lwSkipped->addItem(CsvSkipText(skip, text(LineText), text(FirstReasonText + skip.reason)));
    lbSkipped->setVisible(csv);
    lwSkipped->setVisible(csv && !plan.csv.skipped.isEmpty());

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(lbFile);
    layout->addWidget(lbCount);
    layout->addWidget(lbParts);
    layout->addWidget(lbSkipped);
    layout->addWidget(lwSkipped, 1);
    layout->addWidget(cxClearOthers);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    resize(520, lwSkipped->isVisibleTo(this) ? 360 : sizeHint().height());

    connect(btnOk, &QPushButton::clicked, this, &TfImportReport::accept);
    connect(btnCancel, &QPushButton::clicked, this, &TfImportReport::reject);
}

bool TfImportReport::clearOthers() const
{
    return m_csv && cxClearOthers->isChecked();
}

QString TfImportReport::text(int index) const
{
    const QListWidgetItem *item = lbTexts->item(index);
    return item ? item->text() : QString();
}
