#include "editors/scanfun.h"
#include "core/appstate.h"
#include "image/imagemap.h"
#include "image/settingsblock.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfScanFun::TfScanFun()
    : SettingsForm("fScanFun", QStringLiteral("Scan Information"))
{
    SettingsList *cxScanMode = m_lists.add(new SettingsList(
        this, "cxScanMode", setting::ScanMode, {QStringLiteral("TE"), QStringLiteral("SO"), QStringLiteral("CO")}));
    SettingsList *cxScanSpeed = m_lists.add(new SettingsList(this, "cxScanSpeed", setting::ScanSpeed,
                                                             SettingsList::numbers(50, 500, 50), TagNoTranslate));
    SettingsList *cxScanDely = m_lists.add(new SettingsList(this, "cxScanDely", setting::ScanDropoutDelay,
                                                            SettingsList::numbers(3, 30), TagNoTranslate));
    cxPriority = m_lists.add(new SettingsList(this, "cxPriority", setting::PriorityScan,
                                              {QStringLiteral("No"), QStringLiteral("Yes")}));
    // Every channel number the radio family has, whatever the model.
    cxPriCh = m_lists.add(new SettingsList(this, "cxPriCh", setting::PriorityChannel,
                                           SettingsList::numbers(imagemap::FirstMemoryChannel,
                                                                 imagemap::LastMemoryChannel),
                                           TagNoTranslate));

    QLabel *title = heading("Label6", QStringLiteral("Scan Information"));
    QLabel *label1 = label("Label1", QStringLiteral("Scan Mode"));
    QLabel *label2 = label("Label2", QStringLiteral("Priority"));
    QLabel *label3 = label("Label3", QStringLiteral("Priority Channel"));
    QLabel *label4 = label("Label4", QStringLiteral("Scan Speed[ms]"));
    QLabel *label5 = label("Label5", QStringLiteral("Dropout Delay Time[s]"));
    label1->setBuddy(cxScanMode);
    label2->setBuddy(cxPriority);
    label3->setBuddy(cxPriCh);
    setFocusProxy(cxScanMode);
    for (QWidget *hidden : std::initializer_list<QWidget *>{label4, cxScanSpeed, label5, cxScanDely})
        hidden->hide();

    auto *grid = new QGridLayout;
    grid->addWidget(label1, 0, 0);
    grid->addWidget(cxScanMode, 0, 1);
    grid->addWidget(label2, 1, 0);
    grid->addWidget(cxPriority, 1, 1);
    grid->addWidget(label3, 2, 0);
    grid->addWidget(cxPriCh, 2, 1);
    grid->setColumnMinimumWidth(1, 100);

    layOut(title, grid);
}

void TfScanFun::LoadControls()
{
    loadLists(m_lists);
    enablePriorityChannel();
}

void TfScanFun::StoreControls()
{
    // The channel is stored even while its list is greyed out.
    m_lists.store();
    enablePriorityChannel();
    AppState.Modified = true;
}

void TfScanFun::enablePriorityChannel()
{
    cxPriCh->setEnabled(cxPriority->currentIndex() != 0);
}
