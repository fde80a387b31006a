#pragma once
// The dialog in which the user picks a CTCSS tone or a DCS code from tables.
#include <QDialog>

class QGroupBox;
class QListWidget;
class QRadioButton;
class QTableWidget;

class TfToneOption : public QDialog
{
    Q_OBJECT
public:
    explicit TfToneOption(QWidget *parent = nullptr);

    // The picked tone's text, empty when nothing was picked.
    QString result() const { return m_result; }

    // Runs the dialog modally and returns the picked text (empty: nothing picked).
    static QString pick(QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;

private:
    static constexpr int CtcssGroups = 5, CtcssRows = 9;
    static constexpr int DcsGroups = 8, DcsRows = 11;

    void FormShow();
    void fillCtcssGrid();
    void fillDcsGrid(QTableWidget *grid, const QString &suffix);
    void rCTCSSClick(QRadioButton *clicked);
    void gridDblClick(QTableWidget *grid, int row, int column);

    QRadioButton *rCTCSS = nullptr;
    QRadioButton *rDCSN = nullptr;
    QRadioButton *rDCSI = nullptr;
    QListWidget *lbSel = nullptr;
    QListWidget *lbValue = nullptr;
    QGroupBox *gbList = nullptr;
    QTableWidget *gvCtcss = nullptr;
    QTableWidget *gvDcsN = nullptr;
    QTableWidget *gvDcsI = nullptr;
    QString m_result;
};
