#include "shell/translateform.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "core/textcodec.h"
#include <QAbstractItemModel>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QWidget>

namespace {

class Translator
{
public:
    Translator(const QString &languageName, const QByteArray &section)
        : m_ini(AppPaths::languageFile(languageName)), m_section(section)
    {
    }

    // Sets the text when the file has the key.
    template<typename Setter>
    void text(const QObject *o, const char *suffix, Setter set) const
    {
        if (const auto value = m_ini.value(m_section, o->objectName().toLatin1() + suffix))
            set(decodeText(*value));
    }

    template<typename Setter>
    void item(const QObject *o, int index, Setter set) const
    {
        if (const auto value = m_ini.value(m_section, o->objectName().toLatin1() + '.' + QByteArray::number(index)))
            set(decodeText(*value));
    }

private:
    IniFile m_ini;
    QByteArray m_section;
};

int tagOf(const QObject *o)
{
    return o->property("tag").toInt();
}

void translateComboBox(const Translator &t, QComboBox *box)
{
    const int selected = box->currentIndex();
    const int count = tagOf(box) == TagFirstItemOnly ? qMin(1, box->count()) : box->count();
    for (int i = 0; i < count; ++i)
        t.item(box, i, [box, i](const QString &s) { box->setItemText(i, s); });
    box->setCurrentIndex(selected);
}

// Grids have a fixed first column; the keys count the columns from 1.
void translateGrid(const Translator &t, QTableView *grid)
{
    QAbstractItemModel *model = grid->model();
    if (!model)
        return;
    for (int c = 1; c <= model->columnCount(); ++c)
        t.item(grid, c, [model, c](const QString &s) { model->setHeaderData(c - 1, Qt::Horizontal, s); });
}

void translateObject(const Translator &t, QObject *o, bool itemLists)
{
    if (o->objectName().isEmpty())
        return;
    if (auto *label = qobject_cast<QLabel *>(o)) {
        t.text(o, ".Caption", [label](const QString &s) { label->setText(s); });
    } else if (auto *menu = qobject_cast<QMenu *>(o)) {
        t.text(o, ".Caption", [menu](const QString &s) { menu->setTitle(s); });
        t.text(o, ".Hint", [menu](const QString &s) { menu->menuAction()->setStatusTip(s); });
    } else if (auto *action = qobject_cast<QAction *>(o)) {
        t.text(o, ".Caption", [action](const QString &s) { action->setText(s); });
        t.text(o, ".Hint", [action](const QString &s) {
            action->setStatusTip(s);
            action->setToolTip(s);
        });
    } else if (auto *tool = qobject_cast<QToolButton *>(o)) {
        t.text(o, ".Caption", [tool](const QString &s) { tool->setText(s); });
        t.text(o, ".Hint", [tool](const QString &s) { tool->setToolTip(s); });
    } else if (auto *button = qobject_cast<QAbstractButton *>(o)) {
        // Push buttons, check boxes and radio buttons all take a caption.
        t.text(o, ".Caption", [button](const QString &s) { button->setText(s); });
    } else if (auto *grid = qobject_cast<QTableView *>(o)) {
        if (tagOf(grid) != TagNoTranslate)
            translateGrid(t, grid);
    } else if (auto *combo = qobject_cast<QComboBox *>(o)) {
        if (itemLists && tagOf(combo) != TagNoTranslate)
            translateComboBox(t, combo);
    } else if (auto *group = qobject_cast<QGroupBox *>(o)) {
        t.text(o, ".Caption", [group](const QString &s) { group->setTitle(s); });
    } else if (auto *tabs = qobject_cast<QTabWidget *>(o)) {
        for (int i = 0; i < tabs->count(); ++i)
            t.text(tabs->widget(i), ".Caption", [tabs, i](const QString &s) { tabs->setTabText(i, s); });
    } else if (auto *list = qobject_cast<QListWidget *>(o)) {
        // List boxes are translated even when item lists are not.
        if (tagOf(list) != TagNoTranslate) {
            for (int i = 0; i < list->count(); ++i)
                t.item(list, i, [list, i](const QString &s) { list->item(i)->setText(s); });
        }
    }
}

} // namespace

void TranslateForm(QWidget *window, const QString &languageName, bool translateItemLists)
{
    const Translator t(languageName, window->objectName().toLatin1());
    t.text(window, ".Caption", [window](const QString &s) { window->setWindowTitle(s); });
    const QList<QObject *> owned = window->findChildren<QObject *>();
    for (QObject *o : owned)
        translateObject(t, o, translateItemLists);
}
