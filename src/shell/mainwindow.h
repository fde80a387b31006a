#pragma once
#include <QMainWindow>

class QMdiArea;

// The multiple-document main window.
class TfMainFrm : public QMainWindow
{
    Q_OBJECT
public:
    explicit TfMainFrm(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void firstShow();

    QMdiArea *m_mdi = nullptr;
    bool m_shown = false;
};
