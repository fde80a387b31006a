#include "shell/languagedialog.h"
#include "core/appstate.h"
#include "core/settings.h"
#include "shell/translateform.h"
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

TfSetLanguage::TfSetLanguage(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fSetLanguage"));
    setWindowTitle(QStringLiteral("Language File Setup"));

    auto *lbName = new QLabel(QStringLiteral("Language Mode: "), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    cbLanguage = new QComboBox(this);
    cbLanguage->setObjectName(QStringLiteral("cbLanguage"));
    // The display names are already written in the current language.
    cbLanguage->setProperty("tag", TagNoTranslate);
    cbLanguage->setMinimumWidth(150);
    lbName->setBuddy(cbLanguage);

    // The language file base names, position for position with the display names.
    Language = new QListWidget(this);
    Language->setObjectName(QStringLiteral("Language"));
    Language->hide();

    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto *row = new QHBoxLayout;
    row->addWidget(lbName);
    row->addWidget(cbLanguage, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfSetLanguage::btnOkClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfSetLanguage::reject);
}

void TfSetLanguage::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfSetLanguage::FormShow()
{
    QStringList displayNames, fileNames;
    ListLanguages(displayNames, fileNames);
    cbLanguage->clear();
    cbLanguage->addItems(displayNames);
    Language->clear();
    Language->addItems(fileNames);

    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, false);

    const int index = AppState.LanguageIndex;
    cbLanguage->setCurrentIndex(index >= 0 && index < cbLanguage->count() ? index : -1);
    m_changed = false;
}

void TfSetLanguage::btnOkClick()
{
    // Only a position that names a language file can become the language; with no
    // selection, or a display name the file list lacks, nothing changes.
    const int selected = cbLanguage->currentIndex();
    if (selected >= 0 && selected < Language->count() && selected != AppState.LanguageIndex) {
        const QString fileName = Language->item(selected)->text();
        if (!fileName.isEmpty()) {
            m_changed = true;
            AppState.LanguageName = fileName;
            AppState.LanguageIndex = selected;
        }
    }
    accept();
}
