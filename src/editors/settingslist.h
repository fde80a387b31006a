#pragma once
// What the function settings windows share: the drop-down list whose chosen item
// is the value of one settings byte, the set of such lists a window fills and
// writes back together, and the frame of the windows themselves.
#include "shell/mainwindow.h"
#include <QComboBox>
#include <QList>
#include <QObject>
#include <QStringList>
#include <QWidget>
#include <functional>

class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QShowEvent;

// A fixed list (the user can only pick an item) bound to one settings byte. Item i
// stands for the byte value i unless a subclass maps them otherwise. A byte
// holding a value the list has no item for shows no selection, and the byte keeps
// that value when the list is written back.
class SettingsList : public QComboBox
{
public:
    // tag: TagNoTranslate or TagFirstItemOnly for lists whose items are not, or
    // only first, translated with the window; 0 translates them all.
    SettingsList(QWidget *parent, const char *name, int offset, const QStringList &items, int tag = 0);

    // Selects the item of the byte's value.
    virtual void load();
    // Writes the chosen item's value; with nothing chosen the byte is left alone.
    void store() const;

    // "first" to "last" in steps, as item texts.
    static QStringList numbers(int first, int last, int step = 1);

protected:
    // The item a byte value shows (-1: none), and the byte value of an item.
    virtual int indexOfValue(int value) const;
    virtual int valueOfIndex(int index) const;

private:
    int m_offset;
};

// The bound lists of one window. While they are filled from the image nothing is
// written back; a change the user makes runs the window's handler, which writes
// them all back in the order they were added.
class SettingsLists : public QObject
{
public:
    // Marks the lists as loading for as long as it lives.
    class LoadingScope
    {
    public:
        explicit LoadingScope(SettingsLists &lists) : m_lists(lists), m_was(lists.m_loading)
        {
            m_lists.m_loading = true;
        }
        ~LoadingScope() { m_lists.m_loading = m_was; }
        LoadingScope(const LoadingScope &) = delete;
        LoadingScope &operator=(const LoadingScope &) = delete;

    private:
        SettingsLists &m_lists;
        bool m_was;
    };

    // handler runs after a change of any list, unless the lists are loading.
    explicit SettingsLists(std::function<void()> handler) : m_handler(std::move(handler)) {}

    SettingsList *add(SettingsList *list);
    bool loading() const { return m_loading; }

    void load();
    void store() const;

private:
    std::function<void()> m_handler;
    QList<SettingsList *> m_lists;
    bool m_loading = false;
};

// A function settings window: a child of the main window's client area that fills
// its controls from the image when it is first shown and then sits at 20, 20.
class SettingsForm : public QWidget, public ChildForm
{
    Q_OBJECT
public:
    virtual void LoadControls() = 0;

protected:
    SettingsForm(const char *name, const QString &caption);

    void showEvent(QShowEvent *event) override;
    // A label of the window, right-aligned before its control.
    QLabel *label(const char *name, const QString &caption);
    // The bold line above the controls that names the window's subject.
    QLabel *heading(const char *name, const QString &caption);
    // The "&Close" button every settings window has.
    QPushButton *closeButton();
    // Lays the window out: the heading (if any), the controls, and the Close button
    // at the bottom right; the window is as big as its (translated) contents.
    void layOut(QLabel *title, QLayout *controls, int gapBeforeButtons = 8);
    // Translates the window's captions into the chosen language.
    void translate();
    // Entering the field, from the keyboard, by a click or as the window opens,
    // selects its whole text, so what the user types replaces the value instead of
    // being appended to it (or refused, in a field that is already full).
    static void selectAllOnEntry(QLineEdit *field);
    // Translates the window and fills the lists from the image, without writing back.
    void loadLists(SettingsLists &lists);

private:
    bool m_shown = false;
};
