#include "editors/channelgrid.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/printtables.h"
#include "core/showmsg.h"
#include "editors/tonebox.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/numbers.h"
#include "shell/translateform.h"
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// Grid columns, in the order of the column definitions.
enum Column {
    ColNo, ColRx, ColTx, ColTxStop, ColDecode, ColEncode, ColPower, ColWn, ColScan,
    ColCompander, ColScrambler, ColBusyLock, ColEpilogue, ColName, ColumnCount
};

// The channel field each column writes, and the item a list editor shows for a
// cell without a value.
struct ColumnRule
{
    int field;
    int fallbackItem;
};
const ColumnRule Columns[ColumnCount] = {
    {-1, 0},
    {FieldRxFrequency, 0},
    {FieldTxFrequency, 0},
    {FieldTxStop, 1},
    {FieldDecodeTone, 0},
    {FieldEncodeTone, 0},
    {FieldTxPower, 1},
    {FieldBandwidth, 0},
    {FieldScanDelete, 0},
    {FieldCompander, 0},
    {FieldScrambler, 0},
    {FieldBusyLock, 0},
    {FieldEpilogue, 0},
    {FieldName, 0},
};

// Column definitions: 14 titles, 14 widths (-1 hides the column), 14 alignment
// codes (1 left, 2 centred, 3 right). Form texts, so the language file can
// translate the titles.
const char *const ColumnDefinitions[] = {
    "No.", "RX Frequency", "TX Frequency", "TX Stop", "QT/DQT Dec", "QT/DQT Enc", "TX Power",
    "W/N", "Scan Add", "Compander", "Scrambler", "Busy Lock", "Epilogue", "Name",
    "50", "80", "80", "-1", "80", "80", "60", "60", "60", "60", "60", "60", "60", "80",
    "2", "3", "3", "2", "3", "3", "2", "2", "2", "2", "2", "2", "2", "1",
};

constexpr int HeaderHeight = 23;
constexpr int RowHeight = 20;
constexpr int RowHeightRule = 30;   // the window is never taller than 30 pixels a row
constexpr int DesignHeight = 480;
constexpr QPoint Placement(20, 20);

bool isTextColumn(int column)
{
    return column == ColRx || column == ColTx || column == ColName;
}

Qt::Alignment alignmentOf(int code)
{
    switch (code) {
    case 1: return Qt::AlignLeft | Qt::AlignVCenter;
    case 3: return Qt::AlignRight | Qt::AlignVCenter;
    default: return Qt::AlignCenter;
    }
}

// The decoded field a list column shows; its value is the editor's item index.
int listItemOf(const TChannel &ch, int column)
{
    switch (column) {
    case ColTxStop: return ch.TxStop;
    case ColDecode: return ch.DecodeTone;
    case ColEncode: return ch.EncodeTone;
    case ColPower: return ch.TxPower;
    case ColWn: return ch.Bandwidth;
    case ColScan: return ch.ScanDelete;
    case ColCompander: return ch.Compander;
    case ColScrambler: return ch.Scrambler;
    case ColBusyLock: return ch.BusyLock;
    case ColEpilogue: return ch.Epilogue;
    default: return -1;
    }
}

// Both texts of a cell at once: the grid is told of a changed cell once, and not at
// all when nothing changed.
void setCell(QTableWidget *grid, int row, int column, const QString &text, const QString &value)
{
    QAbstractItemModel *model = grid->model();
    model->setItemData(model->index(row, column), {{Qt::DisplayRole, text}, {TfChInfo::ValueRole, value}});
}

bool isEnterKey(const QKeyEvent *key)
{
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

} // namespace

// In-place text editing: the editor opens with all its text selected, and the typed
// text is handed to the window, which decides what the cell finally shows.
class ChannelGridDelegate : public QStyledItemDelegate
{
public:
    explicit ChannelGridDelegate(TfChInfo *form) : QStyledItemDelegate(form), m_form(form) {}

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &index) const override
    {
        auto *edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setContextMenuPolicy(Qt::NoContextMenu);
        edit->setAlignment(Qt::Alignment(index.data(Qt::TextAlignmentRole).toInt()));
        edit->setProperty("column", index.column());
        m_editor = edit;
        return edit;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *edit = static_cast<QLineEdit *>(editor);
        edit->setText(index.data(Qt::DisplayRole).toString());
        edit->selectAll();
        // Installed after the view's own filter, so that the window sees the keys
        // first: Enter commits at once, before the view's deferred commit.
        edit->installEventFilter(m_form);
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        // Only a changed text is a typed text: opening a cell and leaving it as it
        // was writes nothing.
        const QString text = static_cast<QLineEdit *>(editor)->text();
        if (text != index.data(Qt::DisplayRole).toString())
            m_form->gvDataSetForeText(index.row(), index.column(), text);
    }

    void destroyEditor(QWidget *editor, const QModelIndex &index) const override
    {
        if (editor == m_editor)
            m_editor.clear();
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Commits and closes the open editor, if there is one.
    void finishEditing()
    {
        if (QLineEdit *edit = m_editor.data()) {
            emit commitData(edit);
            // A message box shown while committing may have closed it already.
            if (m_editor == edit)
                emit closeEditor(edit, QAbstractItemDelegate::NoHint);
            m_editor.clear();
        }
    }

private:
    TfChInfo *m_form;
    mutable QPointer<QLineEdit> m_editor;
};

TfChInfo::TfChInfo(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("fChInfo"));
    setWindowTitle(QStringLiteral("Channel Information"));

    BColText = new QListWidget(this);
    BColText->setObjectName(QStringLiteral("BColText"));
    for (const char *text : ColumnDefinitions)
        BColText->addItem(QLatin1String(text));
    BColText->hide();

    gvData = new QTableWidget(this);
    gvData->setObjectName(QStringLiteral("gvData"));
    gvData->verticalHeader()->hide();
    gvData->verticalHeader()->setMinimumSectionSize(RowHeight);
    gvData->verticalHeader()->setDefaultSectionSize(RowHeight);
    gvData->horizontalHeader()->setFixedHeight(HeaderHeight);
    // The column widths were made for titles in a small font.
    QFont titles = gvData->horizontalHeader()->font();
    if (titles.pointSizeF() > 8.0)
        titles.setPointSizeF(8.0);
    gvData->horizontalHeader()->setFont(titles);
    gvData->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    gvData->horizontalHeader()->setSectionsClickable(false);
    gvData->horizontalHeader()->setHighlightSections(false);
    gvData->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData->setSelectionBehavior(QAbstractItemView::SelectItems);
    gvData->setContextMenuPolicy(Qt::NoContextMenu);
    gvData->setDragEnabled(false);
    gvData->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::DoubleClicked);
    m_delegate = new ChannelGridDelegate(this);
    gvData->setItemDelegate(m_delegate);
    gvData->installEventFilter(this);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gvData);
    // Focusing the window (as the main window does when it brings it up) focuses the grid.
    setFocusProxy(gvData);

    // The list editors live over the grid's cells; each is shown over the current
    // cell of its column.
    const auto listEditor = [this](const char *name, const QStringList &items) {
        auto *box = new QComboBox(gvData->viewport());
        box->setObjectName(QLatin1String(name));
        box->addItems(items);
        return box;
    };
    const QString yes = QStringLiteral("Yes"), no = QStringLiteral("No");
    cxYesNo = listEditor("cxYesNo", {yes, no});
    cxPower = listEditor("cxPower", {QStringLiteral("Low"), QStringLiteral("High")});
    cxWn = listEditor("cxWn", {QStringLiteral("Narrow"), QStringLiteral("Wide")});
    cxScan = listEditor("cxScan", {QStringLiteral("Add"), QStringLiteral("Del")});
    cxHave = listEditor("cxHave", {yes, no});
    cxBclo = listEditor("cxBclo", {yes, no});
    cxTxRev = listEditor("cxTxRev", {QStringLiteral("Off"), QStringLiteral("On")});
    cxQT = new ToneBox(gvData->viewport());
    cxQT->setObjectName(QStringLiteral("cxQT"));

    for (QComboBox *box : {cxYesNo, static_cast<QComboBox *>(cxQT), cxPower, cxWn, cxScan, cxHave, cxBclo, cxTxRev}) {
        box->hide();
        box->installEventFilter(this);
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { ComBoxSetData(box); });
    }
    cxQT->lineEdit()->installEventFilter(this);
    connect(cxQT, &ToneBox::tonePicked, this, &TfChInfo::ComBoxDblClick);
    connect(cxQT, &ToneBox::enterPressed, this, [this] {
        commitTypedTone();
        hideCellEditors();
    });

    connect(gvData, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { gvDataSelectCell(row, column); });
    connect(gvData, &QTableWidget::cellPressed, this, &TfChInfo::gvDataMouseDown);
    // A list editor stays over its cell while the grid scrolls.
    connect(gvData->verticalScrollBar(), &QScrollBar::valueChanged, this, &TfChInfo::placeCellEditor);
    connect(gvData->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TfChInfo::placeCellEditor);
    connect(gvData->horizontalHeader(), &QHeaderView::sectionResized, this, &TfChInfo::placeCellEditor);
}

TfChInfo::~TfChInfo()
{
    // The grid's signals during tear-down reach no handler of a window half gone.
    gvData->disconnect(this);
    gvData->selectionModel()->disconnect(this);
    // Focus changes while the widgets are torn down must not write anything.
    for (QComboBox *box : {cxYesNo, static_cast<QComboBox *>(cxQT), cxPower, cxWn, cxScan, cxHave, cxBclo, cxTxRev})
        box->removeEventFilter(this);
    cxQT->lineEdit()->removeEventFilter(this);
    m_cellEditor.clear();
    m_committing = true;
}

// ---------------------------------------------------------------- building

void TfChInfo::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    if (!m_built)
        buildForm();
    if (auto *sub = qobject_cast<QMdiSubWindow *>(parentWidget())) {
        sub->resize(width(), height());
        sub->move(Placement);
        connect(sub, &QMdiSubWindow::windowStateChanged, this,
                [this](Qt::WindowStates before, Qt::WindowStates now) {
                    if ((before & Qt::WindowActive) && !(now & Qt::WindowActive))
                        FormDeactivate();
                });
    }
    gvData->setCurrentCell(0, ColRx);
    gvData->setFocus();
}

void TfChInfo::buildForm()
{
    m_built = true;
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);
    buildColumns();
    ResetRows();
    LoadAllRows();
}

void TfChInfo::buildColumns()
{
    const int count = BColText->count() / 3;
    gvData->setColumnCount(count);
    int widths = 0;
    for (int c = 0; c < count; ++c) {
        gvData->setHorizontalHeaderItem(c, new QTableWidgetItem(BColText->item(c)->text()));
        const int width = BColText->item(count + c)->text().toInt();
        if (width < 0)
            gvData->setColumnHidden(c, true);
        else
            gvData->setColumnWidth(c, width);
        widths += width;
    }
    resize(widths + 50, DesignHeight);
}

void TfChInfo::ResetRows()
{
    const int rows = AppState.ChannelCount;
    const int columns = gvData->columnCount();
    gvData->setRowCount(0);
    gvData->setRowCount(rows);
    const QBrush face = palette().brush(QPalette::Button);
    QList<Qt::Alignment> alignments;
    for (int c = 0; c < columns; ++c)
        alignments << alignmentOf(BColText->item(2 * columns + c)->text().toInt());
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            auto *item = new QTableWidgetItem;
            item->setFlags(c == ColRx ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable
                                      : Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            item->setTextAlignment(alignments.value(c));
            if (c == ColNo) {
                item->setText(QString::number(r + 1));
                item->setBackground(face);
            }
            gvData->setItem(r, c, item);
        }
    }
    QPalette headerColours = gvData->horizontalHeader()->palette();
    headerColours.setBrush(QPalette::Button, face);
    gvData->horizontalHeader()->setPalette(headerColours);
    if (RowHeightRule * rows < height())
        resize(width(), RowHeightRule * rows);
}

// ---------------------------------------------------------------- loading

// Painting of the cells is suspended while rows are filled, and resumed with one
// repaint. It is the cell area that is suspended: resuming the whole grid would
// repaint the window behind it too (the grid paints no background of its own
// outside the cells).
void TfChInfo::LoadRow(int channel)
{
    if (channel < 1 || channel > gvData->rowCount())
        return;
    gvData->viewport()->setUpdatesEnabled(false);
    fillRow(channel - 1);
    gvData->viewport()->setUpdatesEnabled(true);
}

void TfChInfo::LoadAllRows()
{
    gvData->viewport()->setUpdatesEnabled(false);
    for (int row = 0; row < gvData->rowCount(); ++row)
        fillRow(row);
    gvData->viewport()->setUpdatesEnabled(true);
}

void TfChInfo::fillRow(int row)
{
    TChannel ch;
    if (!DecodeChannel(row + 1, ch)) {
        clearRow(row);
        return;
    }
    setCell(gvData, row, ColNo, QString::number(row + 1), QStringLiteral("1"));
    setEditable(gvData->item(row, ColTx), true);
    setEditable(gvData->item(row, ColName), true);
    setCell(gvData, row, ColRx, mhzText(ch.RxFrequency), QString());
    setCell(gvData, row, ColTx, mhzText(ch.TxFrequency), QString());
    for (int c = ColTxStop; c <= ColEpilogue; ++c) {
        const int index = listItemOf(ch, c);
        setCell(gvData, row, c, listEditor(c)->itemText(index), QString::number(index));
    }
    setCell(gvData, row, ColName, ch.Name, QString());
}

void TfChInfo::clearRow(int row)
{
    setCell(gvData, row, ColNo, QString::number(row + 1), QString());
    for (int c = ColRx; c < gvData->columnCount(); ++c)
        setCell(gvData, row, c, QString(), QString());
    setEditable(gvData->item(row, ColTx), false);
    setEditable(gvData->item(row, ColName), false);
}

void TfChInfo::setEditable(QTableWidgetItem *item, bool editable)
{
    const Qt::ItemFlags flags = editable ? item->flags() | Qt::ItemIsEditable : item->flags() & ~Qt::ItemIsEditable;
    if (flags != item->flags())
        item->setFlags(flags);
}

// ---------------------------------------------------------------- typed texts

void TfChInfo::gvDataSetForeText(int row, int column, const QString &text)
{
    // A message box shown while committing takes the focus from the editor, which
    // would commit the same text again; and a window on its way out (hidden before
    // it is destroyed) writes nothing.
    if (m_committing || !isVisible())
        return;
    const QScopedValueRollback<bool> guard(m_committing, true);
    AppState.Modified = true;
    switch (column) {
    case ColRx: commitRx(row, text); break;
    case ColTx: commitTx(row, text); break;
    case ColName: commitName(row, text); break;
    default: break;
    }
}

bool TfChInfo::reportFrequency(int problem)
{
    switch (problem) {
    case FrequencyCheck::NotNumber:
        ShowMsg(LangTexts.Caution, LangTexts.OutRange, MsgInformation);
        return true;
    case FrequencyCheck::AboveBand:
    case FrequencyCheck::BelowBand:
        ShowMsg(LangTexts.Caution, LangTexts.ErrRange, MsgInformation);
        return true;
    default:
        return false;
    }
}

void TfChInfo::commitRx(int row, const QString &text)
{
    if (text.trimmed().isEmpty()) {
        DeleteChannelRow(row);
        return;
    }
    const FrequencyCheck check = CheckFrequency(text);
    const bool told = reportFrequency(check.problem);
    const double rx = RoundFrequency(0, check.value);
    const int channel = row + 1;
    if (rowHasData(row)) {
        // The channel keeps its TX, on the step class of the new RX; a TX now out of
        // reach of the new RX is brought to the nearest frequency the radio can use.
        const double tx = RoundFrequency(StepClass(rx), parseDecimal(cellText(row, ColTx)).value_or(rx));
        SetChannelRx(channel, rx);
        if (!TxWithinReach(rx, tx)) {
            if (!told)
                ShowMsg(LangTexts.Caution, LangTexts.ErrRange, MsgInformation);
            SetChannelTx(channel, ClampTxToRx(rx, tx));
        }
        LoadRow(channel);
    } else {
        NewChannelRow(row, rx);
    }
    if (TfMainFrm *main = MainWindow())
        main->RefreshViews(2);
}

void TfChInfo::NewChannelRow(int row, double rx)
{
    // TX = RX and the new-channel values of every list column, RX written first so
    // that the channel holds data before its other fields are written.
    SetChannelRx(row + 1, rx);
    LoadRow(row + 1);
}

void TfChInfo::commitTx(int row, const QString &text)
{
    if (!rowHasData(row))
        return;
    const double rx = parseDecimal(cellText(row, ColRx)).value_or(AppState.BandLow);
    double tx = rx;   // an empty TX makes the channel simplex
    if (!text.trimmed().isEmpty()) {
        const FrequencyCheck check = CheckFrequency(text);
        const bool told = reportFrequency(check.problem);
        tx = RoundFrequency(StepClass(rx), check.value);
        if (!TxWithinReach(rx, tx)) {
            if (!told)
                ShowMsg(LangTexts.Caution, LangTexts.ErrRange, MsgInformation);
            tx = ClampTxToRx(rx, tx);
        }
    }
    gvData->item(row, ColTx)->setText(mhzText(tx));
    WriteCell(row, ColTx);
}

void TfChInfo::commitName(int row, const QString &text)
{
    if (!rowHasData(row))
        return;
    gvData->item(row, ColName)->setText(CleanChannelName(text));
    WriteCell(row, ColName);
}

void TfChInfo::DeleteChannelRow(int row)
{
    gvData->viewport()->setUpdatesEnabled(false);
    clearRow(row);
    gvData->viewport()->setUpdatesEnabled(true);
    WriteCell(row, ColRx);   // an empty RX erases the channel
}

void TfChInfo::WriteCell(int row, int column)
{
    const int field = Columns[column].field;
    if (field < 0)
        return;
    WriteChannelField(row + 1, field, isTextColumn(column) ? cellText(row, column) : cellValue(row, column));
    if (TfMainFrm *main = MainWindow())
        main->RefreshViews(2);
}

// ---------------------------------------------------------------- selection and list editors

void TfChInfo::gvDataSelectCell(int row, int column)
{
    if (row < 0 || column < 0)
        return;
    if (m_cellEditor && (m_editorRow != row || m_editorColumn != column))
        hideCellEditors();
    ShowCellEditor(row, column);
    syncCurrentChannel(row);
}

void TfChInfo::gvDataMouseDown(int row, int column)
{
    const bool hasData = !cellText(row, ColRx).isEmpty();
    if (column == ColRx || ((column == ColTx || column == ColName) && hasData))
        gvData->edit(gvData->model()->index(row, column));
    else if (!isTextColumn(column))
        ShowCellEditor(row, column);
    syncCurrentChannel(row);
}

void TfChInfo::syncCurrentChannel(int row)
{
    const int channel = row + 1;
    if (channel == AppState.CurrentChannel)
        return;
    AppState.CurrentChannel = channel;
    if (TfMainFrm *main = MainWindow())
        main->ChannelChanged(2);
}

void TfChInfo::ShowCellEditor(int row, int column)
{
    if (cellText(row, ColRx).isEmpty())
        return;   // no list editor on a channel without data
    QComboBox *box = listEditor(column);
    if (!box)
        return;
    const QScopedValueRollback<bool> filling(AppState.FillingControls, true);
    if (m_cellEditor && m_cellEditor != box)
        m_cellEditor->hide();
    bool ok = false;
    int index = cellValue(row, column).toInt(&ok);
    if (!ok)
        index = Columns[column].fallbackItem;
    box->setCurrentIndex(index);
    m_cellEditor = box;
    m_editorRow = row;
    m_editorColumn = column;
    placeCellEditor();
    box->show();
    box->raise();
    box->setFocus();
}

void TfChInfo::placeCellEditor()
{
    if (!m_cellEditor)
        return;
    const QRect cell = gvData->visualRect(gvData->model()->index(m_editorRow, m_editorColumn));
    m_cellEditor->setGeometry(cell.left() + 2, cell.top() + 2, gvData->columnWidth(m_editorColumn),
                              m_cellEditor->sizeHint().height());
}

void TfChInfo::hideCellEditors()
{
    const bool hadFocus = m_cellEditor && m_cellEditor->isAncestorOf(QApplication::focusWidget());
    const bool focused = hadFocus || (m_cellEditor && m_cellEditor->hasFocus());
    for (QComboBox *box : {cxYesNo, static_cast<QComboBox *>(cxQT), cxPower, cxWn, cxScan, cxHave, cxBclo, cxTxRev})
        box->hide();
    m_cellEditor.clear();
    m_editorRow = m_editorColumn = -1;
    if (focused)
        gvData->setFocus();
}

void TfChInfo::ComBoxSetData(QComboBox *box)
{
    if (AppState.FillingControls || box != m_cellEditor || m_editorRow < 0 || !isVisible())
        return;
    const int index = box->currentIndex();
    if (index < 0)
        return;
    setCell(gvData, m_editorRow, m_editorColumn, box->itemText(index), QString::number(index));
    WriteCell(m_editorRow, m_editorColumn);
    AppState.Modified = true;
}

void TfChInfo::ComBoxDblClick(const QString &tone)
{
    // A picked tone that the tone list does not hold leaves the stored tone as it is.
    const int index = cxQT->findText(tone, Qt::MatchFixedString);
    if (index >= 0 && index != cxQT->currentIndex())
        cxQT->setCurrentIndex(index);   // writes the cell, as a choice from the list does
    else if (index >= 0)
        ComBoxSetData(cxQT);   // the tone already shown, picked again: a pick all the same
    cxQT->setEditText(cxQT->itemText(cxQT->currentIndex()));
}

void TfChInfo::commitTypedTone()
{
    if (m_cellEditor != cxQT)
        return;
    // A typed tone that the tone list does not hold leaves the stored tone as it is,
    // and the field shows it again. The text of the current item keeps that item: a
    // code listed twice would otherwise turn into its first listing.
    const QString typed = cxQT->currentText().trimmed();
    const int current = cxQT->currentIndex();
    const bool unchanged = current >= 0 && typed.compare(cxQT->itemText(current), Qt::CaseInsensitive) == 0;
    const int index = cxQT->findText(typed, Qt::MatchFixedString);
    if (!unchanged && index >= 0 && index != current)
        cxQT->setCurrentIndex(index);
    cxQT->setEditText(cxQT->itemText(cxQT->currentIndex()));
}

void TfChInfo::ComBoxExit(QComboBox *box)
{
    if (box == cxQT)
        commitTypedTone();
    if (box == m_cellEditor) {
        m_cellEditor.clear();
        m_editorRow = m_editorColumn = -1;
    }
    box->hide();
}

void TfChInfo::FormDeactivate()
{
    m_delegate->finishEditing();
    commitTypedTone();
    hideCellEditors();
}

// ---------------------------------------------------------------- keys and focus

bool TfChInfo::keyAllowed(int column, QChar c) const
{
    if (column == ColName)
        return IsNameCharacter(c);
    return c.isDigit() || c == QLatin1Char('.');
}

bool TfChInfo::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == gvData) {
            // Typed characters outside the column's set are dropped; Enter opens the
            // cell's editor.
            const QModelIndex current = gvData->currentIndex();
            if (!current.isValid())
                return false;
            if (isEnterKey(key)) {
                if (current.flags() & Qt::ItemIsEditable)
                    gvData->edit(current);
                else
                    ShowCellEditor(current.row(), current.column());
                return true;
            }
            // A cell that takes no typing takes no characters at all (no jumping to
            // a row by its first letter either).
            const QString text = key->text();
            const bool character = text.size() == 1 && text.at(0) >= QLatin1Char(' ');
            return character && (!(current.flags() & Qt::ItemIsEditable) || !keyAllowed(current.column(), text.at(0)));
        }
        if (auto *edit = qobject_cast<QLineEdit *>(watched); edit && watched != cxQT->lineEdit()) {
            // The in-place editor: Enter commits at once; the same characters as the
            // grid, and no pasting.
            if (isEnterKey(key)) {
                m_delegate->finishEditing();
                return true;
            }
            if (key->matches(QKeySequence::Paste))
                return true;
            const QString text = key->text();
            const int column = edit->property("column").toInt();
            return text.size() == 1 && text.at(0) >= QLatin1Char(' ') && !keyAllowed(column, text.at(0));
        }
        if (auto *box = qobject_cast<QComboBox *>(watched); box && isEnterKey(key)) {
            // Enter in a list editor hands the focus back to the grid.
            if (box == cxQT)
                commitTypedTone();
            hideCellEditors();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto *focus = static_cast<QFocusEvent *>(event);
        QComboBox *box = qobject_cast<QComboBox *>(watched);
        if (!box && watched == cxQT->lineEdit())
            box = cxQT;
        // Its own list popping up, or another window (the tone picker, a message)
        // becoming active, is no exit from the list editor.
        if (box && box->isVisible() && focus->reason() != Qt::PopupFocusReason
            && focus->reason() != Qt::ActiveWindowFocusReason) {
            QWidget *now = QApplication::focusWidget();
            if (now != box && !box->isAncestorOf(now) && !(box->view() && box->view()->isAncestorOf(now)))
                ComBoxExit(box);
        }
    }
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- helpers

bool TfChInfo::rowHasData(int row) const
{
    return gvData->item(row, ColNo)->data(ValueRole).toString() == QLatin1String("1");
}

QString TfChInfo::cellText(int row, int column) const
{
    const QTableWidgetItem *item = gvData->item(row, column);
    return item ? item->text() : QString();
}

QString TfChInfo::cellValue(int row, int column) const
{
    const QTableWidgetItem *item = gvData->item(row, column);
    return item ? item->data(ValueRole).toString() : QString();
}

QComboBox *TfChInfo::listEditor(int column) const
{
    switch (column) {
    case ColTxStop: return cxYesNo;
    case ColDecode:
    case ColEncode: return cxQT;
    case ColPower: return cxPower;
    case ColWn: return cxWn;
    case ColScan: return cxScan;
    case ColCompander:
    case ColScrambler: return cxHave;
    case ColBusyLock: return cxBclo;
    case ColEpilogue: return cxTxRev;
    default: return nullptr;
    }
}

// ---------------------------------------------------------------- printing

void TfChInfo::FillPrintRows()
{
    if (!m_built)
        buildForm();
    const QString typeName = LangTexts.Channel + LangTexts.Info;
    const auto title = [this](int column) { return gvData->horizontalHeaderItem(column)->text(); };
    const auto add = [&](const QString &aField, const QString &aValue, const QString &bField, const QString &bValue) {
        PrintItemRow row;
        row.TypeID = PrintChannelGroup;
        row.TypeName = typeName;
        row.AField = aField;
        row.AValue = aValue;
        row.BField = bField;
        row.BValue = bValue;
        Printing.addItem(row);
    };
    const auto pair = [&](int row, int a, int b) { add(title(a), cellText(row, a), title(b), cellText(row, b)); };

    add(QString(), QString(), QString(), QString());
    for (int row = 0; row < gvData->rowCount(); ++row) {
        if (cellText(row, ColRx).isEmpty())
            continue;
        add(title(ColNo) + cellText(row, ColNo), QString(), QString(), QString());
        pair(row, ColRx, ColTx);
        pair(row, ColTxStop, ColDecode);
        pair(row, ColEncode, ColPower);
        pair(row, ColWn, ColScan);
        pair(row, ColCompander, ColScrambler);
        add(title(ColBusyLock), cellText(row, ColBusyLock), QString(), QString());
    }
}
