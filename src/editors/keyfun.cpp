#include "editors/keyfun.h"
#include "core/appstate.h"
#include "core/printtables.h"
#include "image/settingsblock.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The position in the master list of functions is the byte value ("Light" is 2).
const QStringList KeyFunctions{QStringLiteral("OFF"),       QStringLiteral("Monmome"),
                               QStringLiteral("Light"),     QStringLiteral("Electricity"),
                               QStringLiteral("Tx 1750Hz"), QStringLiteral("Alarm-1"),
                               QStringLiteral("Alarm-2")};
constexpr int KeyLeftOut = 2;

// A key's list offers the master list without "Light". Items and byte values meet
// through the texts of the master list, so the mapping holds in every language.
class KeyList : public SettingsList
{
public:
    KeyList(QWidget *parent, const char *name, int offset, const QComboBox *master)
        : SettingsList(parent, name, offset, {}), m_master(master)
    {
    }

    // The items are taken afresh from the (translated) master list.
    void load() override
    {
        clear();
        for (int i = 0; i < m_master->count(); ++i)
            addItem(m_master->itemText(i));
        removeItem(KeyLeftOut);
        SettingsList::load();
    }

protected:
    // A function the list does not offer shows as its first item, "OFF".
    int indexOfValue(int value) const override
    {
        const int index = value < m_master->count() ? findText(m_master->itemText(value)) : -1;
        return index >= 0 ? index : 0;
    }

    int valueOfIndex(int index) const override
    {
        const int value = m_master->findText(itemText(index));
        return value >= 0 ? value : 0;
    }

private:
    const QComboBox *m_master;
};

} // namespace

TfKeyFun::TfKeyFun()
    : SettingsForm("fKeyFun", QStringLiteral("Key Function"))
{
    auto *cxKey_List = new QComboBox(this);
    cxKey_List->setObjectName(QStringLiteral("cxKey_List"));
    cxKey_List->addItems(KeyFunctions);
    cxKey_List->hide();

    cxKey1 = m_lists.add(new KeyList(this, "cxKey1", setting::Key1Function, cxKey_List));
    SettingsList *cxKey2 = m_lists.add(new KeyList(this, "cxKey2", setting::Key2Function, cxKey_List));

    QLabel *title = heading("Label3", QStringLiteral("Key Function"));
    Label1 = label("Label1", QStringLiteral("Key - 1"));
    QLabel *label2 = label("Label2", QStringLiteral("Key - 2"));
    Label1->setBuddy(cxKey1);
    label2->setBuddy(cxKey2);
    setFocusProxy(cxKey1);

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cxKey1, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(cxKey2, 1, 1);
    grid->setColumnMinimumWidth(1, 130);

    layOut(title, grid);
}

void TfKeyFun::LoadControls()
{
    loadLists(m_lists);
}

void TfKeyFun::StoreControls()
{
    m_lists.store();
    AppState.Modified = true;
}

void TfKeyFun::FillPrintRows()
{
    LoadControls();
    PrintItemRow row;
    row.TypeID = PrintSettingsGroup;
    row.TypeName = windowTitle();
    row.AField = Label1->text();
    row.AValue = cxKey1->currentText();
    Printing.addItem(row);
}
