#pragma once
// The about box: all of its wording comes from the language file.
#include <QDialog>

class QLabel;
class QPlainTextEdit;

class TfFrmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TfFrmAbout(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void FormShow();

    bool m_filled = false;
    QLabel *ImApp = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;
    QPlainTextEdit *Memo1 = nullptr;
};
