#include "shell/aboutbox.h"
#include "core/appstate.h"
#include "shell/translateform.h"
#include <QFrame>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QVBoxLayout>

// The icon lives in the user-interface library, which is linked statically.
static void initAboutResources()
{
    Q_INIT_RESOURCE(ze4k);
}

TfFrmAbout::TfFrmAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    initAboutResources();
    setObjectName(QStringLiteral("fFrmAbout"));
    QFont boxFont(QStringLiteral("SimSun"));
    boxFont.setPixelSize(13);
    setFont(boxFont);

    const auto label = [this](const char *name, const char *placeholder, QWidget *owner) {
        auto *l = new QLabel(QLatin1String(placeholder), owner);
        l->setObjectName(QLatin1String(name));
        l->installEventFilter(this);
        return l;
    };

    ImApp = new QLabel(this);
    ImApp->setObjectName(QStringLiteral("ImApp"));
    ImApp->setFixedSize(32, 32);
    ImApp->installEventFilter(this);

    // Every wording is a placeholder that the language file replaces.
    auto *lines = new QVBoxLayout;
    lines->setSpacing(4);
    lines->addWidget(label("Label1", "1", this));
    lines->addWidget(Label2 = label("Label2", "2", this));
    lines->addWidget(label("Label3", "3", this));
    lines->addWidget(label("Label8", "4", this));
    lines->addWidget(label("Label4", "5", this));
    lines->addWidget(label("Label9", "6", this));
    lines->addStretch();

    // Never shown: only the source of the memo's text.
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->installEventFilter(this);
    Label5 = label("Label5", "7", panel);
    Label6 = label("Label6", "8", panel);
    Label7 = label("Label7", "9", panel);
    auto *panelLines = new QVBoxLayout(panel);
    panelLines->addWidget(Label5);
    panelLines->addWidget(Label6);
    panelLines->addWidget(Label7);
    panel->hide();

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setMinimumWidth(330);
    Memo1->setFixedHeight(100);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(ImApp, 0, Qt::AlignTop);
    top->addLayout(lines, 1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->addLayout(top);
    layout->addWidget(panel);
    layout->addSpacing(8);
    layout->addWidget(Memo1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfFrmAbout::showEvent(QShowEvent *event)
{
    // Once per box: the version is appended to a caption.
    if (!event->spontaneous() && !m_filled) {
        m_filled = true;
        FormShow();
    }
    QDialog::showEvent(event);
}

void TfFrmAbout::FormShow()
{
    ImApp->setPixmap(QIcon(QStringLiteral(":/icons/app.svg")).pixmap(32, 32));
    // The placeholders mean nothing, so the box is translated whatever the language index.
    TranslateForm(this, AppState.LanguageName, false);
    setWindowTitle(AppState.ProductName + AppState.VersionText);
    Memo1->setPlainText(Label5->text() + QLatin1Char('\n') + Label6->text() + QStringLiteral("\n\n")
                        + Label7->text());
    Label2->setText(Label2->text() + AppState.VersionText);
}

// A click anywhere closes the box; it has no buttons.
void TfFrmAbout::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    reject();
}

bool TfFrmAbout::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress) {
        reject();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
