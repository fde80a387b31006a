#pragma once
// The dialog in which the user chooses the radio model, its band and optional
// user-defined band limits. It changes nothing itself; the main window reads its results.
#include <QDialog>

class QComboBox;
class QLineEdit;

class TfModel : public QDialog
{
    Q_OBJECT
public:
    explicit TfModel(QWidget *parent = nullptr);

    bool confirmed() const { return m_confirmed; }
    quint8 resultBandCode() const { return m_bandCode; }
    QString resultBandText() const { return m_bandText; }
    // The display name chosen in the model list.
    QString modelText() const;

private:
    bool m_confirmed = false;
    quint8 m_bandCode = 0;
    QString m_bandText;
    QComboBox *cbCopmut = nullptr;
    QComboBox *cbPd = nullptr;
    QLineEdit *cxLow = nullptr;
    QLineEdit *cxHigh = nullptr;
};
