#pragma once
// The grid of all memory channels: one row per channel, one column per channel
// field. Typed and picked values go straight into the image.
#include "shell/mainwindow.h"
#include <QPointer>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;
class QTableWidgetItem;
class ToneBox;
class ChannelGridDelegate;

class TfChInfo : public QWidget, public ChildForm
{
    Q_OBJECT
public:
    explicit TfChInfo(QWidget *parent = nullptr);
    ~TfChInfo() override;

    // Commits a pending in-cell edit and hides the list editors.
    void FormDeactivate() override;
    // Refill one row, or every row, from the image.
    void LoadRow(int channel) override;
    void LoadAllRows() override;
    // Appends the rows of the channels that hold data to the print item table. A
    // window that was never shown builds itself first, so a temporary one serves.
    void FillPrintRows() override;

    // Each cell holds the text it shows and a hidden value: the item index for list
    // columns, the presence marker "1" in the "No." column of a channel with data.
    static constexpr int ValueRole = Qt::UserRole;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    friend class ChannelGridDelegate;

    void buildForm();
    void buildColumns();
    void ResetRows();
    void fillRow(int row);
    void clearRow(int row);
    void setEditable(QTableWidgetItem *item, bool editable);

    // A typed text is committed to a cell.
    void gvDataSetForeText(int row, int column, const QString &text);
    void commitRx(int row, const QString &text);
    void commitTx(int row, const QString &text);
    void commitName(int row, const QString &text);
    // Shows the message of a checked frequency; false when there was none.
    bool reportFrequency(int problem);
    void NewChannelRow(int row, double rx);
    void DeleteChannelRow(int row);
    void WriteCell(int row, int column);

    void gvDataSelectCell(int row, int column);
    void gvDataMouseDown(int row, int column);
    void ShowCellEditor(int row, int column);
    void placeCellEditor();
    void hideCellEditors();
    void syncCurrentChannel(int row);

    void ComBoxSetData(QComboBox *box);
    void ComBoxDblClick(const QString &tone);
    void commitTypedTone();
    void ComBoxExit(QComboBox *box);

    bool rowHasData(int row) const;
    QString cellText(int row, int column) const;
    QString cellValue(int row, int column) const;
    QComboBox *listEditor(int column) const;
    bool keyAllowed(int column, QChar c) const;

    QListWidget *BColText = nullptr;
    QTableWidget *gvData = nullptr;
    ChannelGridDelegate *m_delegate = nullptr;
    QComboBox *cxYesNo = nullptr;
    ToneBox *cxQT = nullptr;
    QComboBox *cxPower = nullptr;
    QComboBox *cxWn = nullptr;
    QComboBox *cxScan = nullptr;
    QComboBox *cxHave = nullptr;
    QComboBox *cxBclo = nullptr;
    QComboBox *cxTxRev = nullptr;

    // The list editor on show and the cell it edits.
    QPointer<QComboBox> m_cellEditor;
    int m_editorRow = -1;
    int m_editorColumn = -1;
    bool m_built = false;
    bool m_placed = false;
    bool m_committing = false;
};
