#pragma once
// The dialog in which the user chooses the radio model, its band and optional
// user-defined band limits. It changes nothing itself; the main window reads its results.
#include <QDialog>

class QComboBox;

class TfModel : public QDialog
{
    Q_OBJECT
public:
    explicit TfModel(QWidget *parent = nullptr);
    ~TfModel() override;

    bool confirmed() const { return m_confirmed; }
    quint8 resultBandCode() const { return m_bandCode; }
    QString resultBandText() const { return m_bandText; }
    // The display name chosen in the model list.
    QString modelText() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    class LimitEdit;

    void FormShow();
    void cbCopmutChange();
    void cbPdPropertiesChange();
    void cxLowPropertiesValidate(LimitEdit *edit);
    void btnOkClick();

    bool m_confirmed = false;
    quint8 m_bandCode = 0;
    QString m_bandText;
    // Limits of the band selected in cbPd; typed limits are held inside them.
    double m_allowedLow = 0.0;
    double m_allowedHigh = 0.0;
    QComboBox *cbCopmut = nullptr;
    QComboBox *cbPd = nullptr;
    LimitEdit *cxLow = nullptr;
    LimitEdit *cxHigh = nullptr;
};
