#include "editors/voxfun.h"
#include "core/appstate.h"
#include "core/printtables.h"
#include "image/settingsblock.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfVoxFun::TfVoxFun()
    : SettingsForm("fVoxFun", QStringLiteral("Vox Function"))
{
    cxVox = m_lists.add(new SettingsList(this, "cxVox", setting::VoxGainLevel,
                                         QStringList{QStringLiteral("Off")} + SettingsList::numbers(1, 9),
                                         TagFirstItemOnly));
    // The delay and the inhibit on receive are carried along without being shown.
    cxVoxDely = m_lists.add(new SettingsList(this, "cxVoxDely", setting::VoxDelay,
                                             {QStringLiteral("0.5"), QStringLiteral("1.0"), QStringLiteral("1.5"),
                                              QStringLiteral("2.0"), QStringLiteral("2.5"), QStringLiteral("3.0")}));
    SettingsList *cxRxDis = m_lists.add(new SettingsList(this, "cxRxDis", setting::VoxInhibitOnReceive,
                                                         {QStringLiteral("No"), QStringLiteral("Yes")}));

    QLabel *title = heading("Label4", QStringLiteral("Vox Function"));
    Label1 = label("Label1", QStringLiteral("VOX Gain Level"));
    Label2 = label("Label2", QStringLiteral("VOX Delay Time[s]"));
    QLabel *label3 = label("Label3", QStringLiteral("Vox Inhibit on Receive"));
    Label1->setBuddy(cxVox);
    setFocusProxy(cxVox);
    for (QWidget *hidden : std::initializer_list<QWidget *>{Label2, cxVoxDely, label3, cxRxDis})
        hidden->hide();

    auto *grid = new QGridLayout;
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cxVox, 0, 1);
    grid->setColumnMinimumWidth(1, 100);

    layOut(title, grid);
}

void TfVoxFun::LoadControls()
{
    loadLists(m_lists);
}

void TfVoxFun::StoreControls()
{
    m_lists.store();
    AppState.Modified = true;
}

void TfVoxFun::FillPrintRows()
{
    LoadControls();
    // The delay prints although the window does not show it; the inhibit does not.
    for (const auto &[label, list] : {qMakePair(Label1, cxVox), qMakePair(Label2, cxVoxDely)}) {
        PrintItemRow row;
        row.TypeID = PrintSettingsGroup;
        row.TypeName = windowTitle();
        row.AField = label->text();
        row.AValue = list->currentText();
        Printing.addItem(row);
    }
}
