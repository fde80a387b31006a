#include "editors/optfun.h"
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

const QStringList OffOn{QStringLiteral("Off"), QStringLiteral("On")};

// "Off" and then every 30 up to last.
QStringList offThenThirties(int last)
{
    return QStringList{QStringLiteral("Off")} + SettingsList::numbers(30, last, 30);
}

} // namespace

TfOptFun::TfOptFun()
    : SettingsForm("fOptFun", QStringLiteral("Optional Function"))
{
    // Created in the order the bytes are written back.
    const auto list = [this](const char *name, int offset, const QStringList &items, int tag = 0) {
        return m_lists.add(new SettingsList(this, name, offset, items, tag));
    };
    SettingsList *cxVol = list("cxVol", setting::Volume, SettingsList::numbers(0, 15), TagNoTranslate);
    SettingsList *cxSMode = list("cxSMode", setting::ChannelDisplayMode,
                                 {QStringLiteral("Chs Freq."), QStringLiteral("Chs Name")});
    SettingsList *cxDW = list("cxDW", setting::DualWatch, OffOn);
    SettingsList *cxSQL = list("cxSQL", setting::SquelchLevel, SettingsList::numbers(0, 9), TagNoTranslate);
    SettingsList *cxTOT = list("cxTOT", setting::TxTimeOut, offThenThirties(300), TagFirstItemOnly);
    SettingsList *cxLamp = list("cxLamp", setting::Lamp,
                                {QStringLiteral("Off"), QStringLiteral("Auto"), QStringLiteral("On")});
    SettingsList *cxKeyLock = list("cxKeyLock", setting::KeyLock, {QStringLiteral("Auto"), QStringLiteral("Manual")});
    SettingsList *cxKeyTone = list("cxKeyTone", setting::KeyTone,
                                   {QStringLiteral("Off"), QStringLiteral("Tone"), QStringLiteral("Voice")});
    SettingsList *cxRate = list("cxRate", setting::BatterySave,
                                {QStringLiteral("OFF"), QStringLiteral("1:1"), QStringLiteral("1:2"),
                                 QStringLiteral("1:3"), QStringLiteral("1:4")});
    // Settings the window carries along without showing them.
    SettingsList *cxVoice = list("cxVoice", setting::VoiceLanguage, {QStringLiteral("Chinese"), QStringLiteral("English")});
    SettingsList *cxOpenTone = list("cxOpenTone", setting::OpenTone, OffOn);
    SettingsList *cxAPO = list("cxAPO", setting::AutoPowerOff, offThenThirties(180), TagFirstItemOnly);
    SettingsList *cxAlt = list("cxAlt", setting::InceptAlarm, OffOn);
    SettingsList *cxHighVol = list("cxHighVol", setting::HighVoltageInhibitTx, OffOn);
    SettingsList *cxLowVol = list("cxLowVol", setting::LowVoltageInhibitTx, OffOn);

    // Two more hidden lists that no byte stands behind.
    auto *cxEpilogue = new QComboBox(this);
    cxEpilogue->setObjectName(QStringLiteral("cxEpilogue"));
    cxEpilogue->addItems({QStringLiteral("OFF"), QStringLiteral("Type-1"), QStringLiteral("Type-2")});
    auto *cxAPI = new QComboBox(this);
    cxAPI->setObjectName(QStringLiteral("cxAPI"));
    cxAPI->addItems(offThenThirties(180));
    cxAPI->setProperty("tag", TagFirstItemOnly);

    // Labels 1 to 12 are the report's rows, in their order; the hidden ones are left out.
    QLabel *label1 = label("Label1", QStringLiteral("Volume"));
    QLabel *label2 = label("Label2", QStringLiteral("Squelch level "));
    QLabel *label3 = label("Label3", QStringLiteral("TX Time Out[s]"));
    QLabel *label4 = label("Label4", QStringLiteral("DW"));
    QLabel *label5 = label("Label5", QStringLiteral("LAMP"));
    QLabel *label6 = label("Label6", QStringLiteral("Key Tone"));
    QLabel *label7 = label("Label7", QStringLiteral("Key Lock"));
    QLabel *label8 = label("Label8", QStringLiteral("Battery Save"));
    QLabel *label9 = label("Label9", QStringLiteral("Incept Alarm"));
    QLabel *label10 = label("Label10", QStringLiteral("APO [Min]"));
    QLabel *label11 = label("Label11", QStringLiteral("API  [Min]"));
    QLabel *label12 = label("Label12", QStringLiteral("Voice Lanuage"));
    QLabel *label13 = label("Label13", QStringLiteral("Chs Mode"));
    QLabel *label14 = label("Label14", QStringLiteral("Open Tone"));
    QLabel *label15 = label("Label15", QStringLiteral("High Vol Inhibit Tx"));
    QLabel *label16 = label("Label16", QStringLiteral("Low Vol Inhibit Tx"));
    QLabel *label17 = label("Label17", QStringLiteral("Epilogue"));
    m_printed = {{label1, cxVol},     {label2, cxSQL},   {label3, cxTOT},   {label4, cxDW},
                 {label5, cxLamp},    {label6, cxKeyTone}, {label7, cxKeyLock}, {label8, cxRate},
                 {label9, cxAlt},     {label10, cxAPO},  {label11, cxAPI},  {label12, cxVoice}};

    for (QWidget *hidden : std::initializer_list<QWidget *>{label11, cxAPI, label12, cxVoice, label14, cxOpenTone,
                                                            label15, cxHighVol, label16, cxLowVol, label17, cxEpilogue})
        hidden->hide();

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    const auto row = [grid](int r, QLabel *leftLabel, QComboBox *left, QLabel *rightLabel, QComboBox *right) {
        grid->addWidget(leftLabel, r, 0);
        grid->addWidget(left, r, 1);
        if (rightLabel) {
            grid->addWidget(rightLabel, r, 3);
            grid->addWidget(right, r, 4);
        }
        leftLabel->setBuddy(left);
        if (rightLabel)
            rightLabel->setBuddy(right);
    };
    row(0, label13, cxSMode, label1, cxVol);
    row(1, label2, cxSQL, label3, cxTOT);
    row(2, label4, cxDW, label5, cxLamp);
    row(3, label6, cxKeyTone, label7, cxKeyLock);
    row(4, label8, cxRate, label9, cxAlt);
    row(5, label10, cxAPO, nullptr, nullptr);
    grid->setColumnMinimumWidth(2, 16);
    for (int c : {1, 4})
        grid->setColumnMinimumWidth(c, 100);

    setFocusProxy(cxSMode);

    layOut(nullptr, grid);
}

void TfOptFun::LoadControls()
{
    loadLists(m_lists);
}

void TfOptFun::StoreControls()
{
    m_lists.store();
    AppState.Modified = true;
}

void TfOptFun::FillPrintRows()
{
    LoadControls();
    for (const auto &[label, list] : std::as_const(m_printed)) {
        // Hidden, not merely unshown: the print may use a window that never appeared.
        if (label->isHidden())
            continue;
        PrintItemRow row;
        row.TypeID = PrintSettingsGroup;
        row.TypeName = windowTitle();
        row.AField = label->text();
        row.AValue = list->currentText();
        Printing.addItem(row);
    }
}
