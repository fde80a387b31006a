#pragma once
// The dialog in which the user picks the serial port of the programming cable,
// one of COM1 to COM20. Its only effect is on AppState.PortName.
#include <QDialog>
#include <array>

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;

class TfSetPort : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ButtonCount = 20;

    explicit TfSetPort(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void btnOKClick();

    QGroupBox *cxPort = nullptr;
    std::array<QRadioButton *, ButtonCount> m_ports{};
    QButtonGroup *m_group = nullptr;
    QLabel *lbName = nullptr;
    QComboBox *cbCom = nullptr;
};
