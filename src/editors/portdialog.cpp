#include "editors/portdialog.h"
#include "core/appstate.h"
#include "image/numbers.h"
#include "link/serialports.h"
#include "shell/translateform.h"
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace {

constexpr int RowsPerColumn = 5;

// The button a port name stands for: its characters 4 to 6 as a number, when that
// lies from 1 to 20; otherwise 0 (a higher port, or a name without a number).
int buttonNumber(const QString &portName)
{
    const int n = parseInteger(portName.mid(3, 3)).value_or(0);
    return n >= 1 && n <= TfSetPort::ButtonCount ? n : 0;
}

} // namespace

TfSetPort::TfSetPort(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fSetPort"));
    setWindowTitle(QStringLiteral("Communication Port"));

    cxPort = new QGroupBox(windowTitle(), this);
    cxPort->setObjectName(QStringLiteral("cxPort"));
    auto *grid = new QGridLayout(cxPort);
    grid->setHorizontalSpacing(18);
    m_group = new QButtonGroup(this);
    for (int n = 1; n <= ButtonCount; ++n) {
        auto *button = new QRadioButton(QStringLiteral("COM%1").arg(n), cxPort);
        button->setObjectName(QStringLiteral("cxPort%1").arg(n));
        button->setEnabled(false);
        m_group->addButton(button, n);
        // Four columns of five: 1-5, 6-10, 11-15, 16-20.
        grid->addWidget(button, (n - 1) % RowsPerColumn, (n - 1) / RowsPerColumn);
        m_ports[n - 1] = button;
    }

    // Never shown: its caption is the prefix of the port buttons in a translated dialog.
    lbName = new QLabel(QStringLiteral("Port:"), this);
    lbName->setObjectName(QStringLiteral("lbName"));
    lbName->hide();
    // Never shown: the ports found while the dialog opens.
    cbCom = new QComboBox(this);
    cbCom->setObjectName(QStringLiteral("cbCom"));
    cbCom->hide();

    auto *btnOk = new QPushButton(QStringLiteral("&Ok"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    auto *btnCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOk);
    buttons->addWidget(btnCancel);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(cxPort);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnOk, &QPushButton::clicked, this, &TfSetPort::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &TfSetPort::reject);
}

void TfSetPort::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfSetPort::FormShow()
{
    if (AppState.LanguageIndex > 0) {
        TranslateForm(this, AppState.LanguageName, true);
        for (int n = 1; n <= ButtonCount; ++n)
            m_ports[n - 1]->setText(lbName->text() + QString::number(n));
    }
    cxPort->setTitle(windowTitle());

    // The same probe as ListSerialPorts, which also tells the device behind each port.
    const QList<SerialPortName> found = AvailableSerialPorts();
    QMap<int, QString> devices;
    cbCom->clear();
    for (const SerialPortName &port : found) {
        cbCom->addItem(port.name);
        if (const int n = buttonNumber(port.name))
            devices.insert(n, port.devicePath);
    }

    // A port that is not there now still shows where the program would look for it.
    const QStringList places = SerialDevicePaths(ButtonCount);
    for (int n = 1; n <= ButtonCount; ++n) {
        QRadioButton *button = m_ports[n - 1];
        button->setEnabled(devices.contains(n));
        button->setToolTip(devices.value(n, places.value(n - 1)));
    }

    // The current port stays marked even when it was not found.
    m_group->setExclusive(false);
    for (QRadioButton *button : m_ports)
        button->setChecked(false);
    m_group->setExclusive(true);
    if (const int n = buttonNumber(AppState.PortName))
        m_ports[n - 1]->setChecked(true);
}

void TfSetPort::btnOKClick()
{
    const int n = m_group->checkedId();
    if (n >= 1)
        AppState.PortName = QStringLiteral("COM%1").arg(n);
    accept();
}
