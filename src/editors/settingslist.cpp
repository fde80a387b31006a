#include "editors/settingslist.h"
#include "core/appstate.h"
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>
#include "shell/translateform.h"

SettingsList::SettingsList(QWidget *parent, const char *name, int offset, const QStringList &items, int tag)
    : QComboBox(parent), m_offset(offset)
{
    setObjectName(QLatin1String(name));
    addItems(items);
    if (tag != 0)
        setProperty("tag", tag);
    setCurrentIndex(-1);
}

QStringList SettingsList::numbers(int first, int last, int step)
{
    QStringList items;
    for (int n = first; n <= last; n += step)
        items << QString::number(n);
    return items;
}

int SettingsList::indexOfValue(int value) const
{
    return value < count() ? value : -1;
}

int SettingsList::valueOfIndex(int index) const
{
    return index;
}

void SettingsList::load()
{
    setCurrentIndex(indexOfValue(AppState.Image[m_offset]));
}

void SettingsList::store() const
{
    const int index = currentIndex();
    if (index >= 0)
        AppState.Image[m_offset] = std::uint8_t(valueOfIndex(index));
}

SettingsList *SettingsLists::add(SettingsList *list)
{
    m_lists.append(list);
    // The lists live as long as the window; this object goes first, and with it
    // the connection.
    connect(list, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading && m_handler)
            m_handler();
    });
    return list;
}

void SettingsLists::load()
{
    const LoadingScope scope(*this);
    for (SettingsList *list : std::as_const(m_lists))
        list->load();
}

void SettingsLists::store() const
{
    for (const SettingsList *list : m_lists)
        list->store();
}

SettingsForm::SettingsForm(const char *name, const QString &caption)
{
    setObjectName(QLatin1String(name));
    setWindowTitle(caption);
}

void SettingsForm::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // Only the first show fills the window: bringing it forward or restoring it
    // later keeps what it shows, which is the image as every change writes it.
    if (event->spontaneous() || m_shown)
        return;
    m_shown = true;
    LoadControls();
    if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        // Translated captions may have made the window wider.
        frame->adjustSize();
        frame->move(20, 20);
    } else {
        move(20, 20);
    }
}

QLabel *SettingsForm::label(const char *name, const QString &caption)
{
    auto *l = new QLabel(caption, this);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QLabel *SettingsForm::heading(const char *name, const QString &caption)
{
    QLabel *l = label(name, caption);
    l->setAlignment(Qt::AlignCenter);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    return l;
}

QPushButton *SettingsForm::closeButton()
{
    auto *button = new QPushButton(QStringLiteral("&Close"), this);
    button->setObjectName(QStringLiteral("btnCancel"));
    connect(button, &QPushButton::clicked, this, [this] {
        if (auto *frame = qobject_cast<QMdiSubWindow *>(parentWidget()))
            frame->close();
        else
            close();
    });
    return button;
}

void SettingsForm::layOut(QLabel *title, QLayout *controls, int gapBeforeButtons)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(closeButton());

    auto *layout = new QVBoxLayout(this);
    if (title) {
        layout->addWidget(title);
        layout->addSpacing(4);
    }
    layout->addLayout(controls);
    if (gapBeforeButtons > 0)
        layout->addSpacing(gapBeforeButtons);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

namespace {

class SelectAllOnEntry : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *field = static_cast<QLineEdit *>(watched);
        switch (event->type()) {
        case QEvent::FocusIn: {
            const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
            // A click gives the focus just before the press reaches the field; coming
            // back from another window keeps the caret where the user left it.
            m_clickedIn = reason == Qt::MouseFocusReason;
            if (!m_clickedIn && reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason)
                field->selectAll();
            break;
        }
        case QEvent::FocusOut:
            m_clickedIn = false;
            break;
        case QEvent::MouseButtonPress:
            // The click that enters the field selects it; it does not place the caret.
            if (m_clickedIn) {
                m_clickedIn = false;
                if (!field->isReadOnly()) {
                    field->selectAll();
                    return true;
                }
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    bool m_clickedIn = false;
};

} // namespace

void SettingsForm::selectAllOnEntry(QLineEdit *field)
{
    field->installEventFilter(new SelectAllOnEntry(field));
}

void SettingsForm::translate()
{
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);
}

void SettingsForm::loadLists(SettingsLists &lists)
{
    const SettingsLists::LoadingScope loading(lists);
    translate();
    lists.load();
}
