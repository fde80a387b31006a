#include "editors/fmfun.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/imagemap.h"
#include "image/numbers.h"
#include "image/settingsblock.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

namespace {

constexpr int GridRows = 10;
const int ColumnWidths[] = {50, 100, 50, 100};

// Frequencies are typed with digits and the point only; every other key is dropped.
QValidator *frequencyKeys(QObject *parent)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), parent);
}

bool isFrequencyColumn(int column)
{
    return column == 1 || column == 3;
}

} // namespace

// In-place editing of the frequency cells: the editor opens with its whole text
// selected, and a committed text goes to the window rather than into the cell.
class FmCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // Column, data row from 1, text. Cleared when the window goes away.
    std::function<void(int, int, const QString &)> committed;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const override
    {
        auto *editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setValidator(frequencyKeys(editor));
        return editor;
    }

    void setEditorData(QWidget *editor, const QModelIndex &index) const override
    {
        auto *line = static_cast<QLineEdit *>(editor);
        line->setText(index.data().toString());
        line->selectAll();
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &index) const override
    {
        const QString text = static_cast<QLineEdit *>(editor)->text();
        // Leaving a cell without typing changes nothing.
        if (committed && text != index.data().toString())
            committed(index.column(), index.row() + 1, text);
    }
};

TfFmFun::TfFmFun()
    : SettingsForm("fFmFun", QStringLiteral("FM Information"))
{
    auto *pages = new QTabWidget(this);
    pages->setObjectName(QStringLiteral("PageControl1"));

    // "Information": the frequency-mode frequency and the volume.
    auto *tsInfo = new QWidget;
    tsInfo->setObjectName(QStringLiteral("tsInfo"));
    eRx = new QLineEdit(tsInfo);
    eRx->setObjectName(QStringLiteral("eRx"));
    eRx->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    eRx->setValidator(frequencyKeys(eRx));
    selectAllOnEntry(eRx);
    auto *cxFMVol = m_lists.add(new SettingsList(tsInfo, "cxFMVol", setting::FmVolume, SettingsList::numbers(0, 15),
                                                 TagNoTranslate));
    // The step is carried along without being shown.
    auto *cxFMStep = m_lists.add(new SettingsList(this, "cxFMStep", setting::FmStep,
                                                  {QStringLiteral("25"), QStringLiteral("50"), QStringLiteral("100"),
                                                   QStringLiteral("200"), QStringLiteral("500")},
                                                  TagNoTranslate));
    cxFMStep->hide();
    QLabel *label1 = label("Label1", QStringLiteral("Freq. Channel[MHz]"));
    QLabel *label2 = label("Label2", QStringLiteral("FM VOL"));
    QLabel *label3 = label("Label3", QStringLiteral("FM Step[KHz]"));
    label3->hide();
    label1->setBuddy(eRx);
    label2->setBuddy(cxFMVol);
    setFocusProxy(eRx);
    auto *infoGrid = new QGridLayout(tsInfo);
    infoGrid->addWidget(label1, 0, 0);
    infoGrid->addWidget(eRx, 0, 1);
    infoGrid->addWidget(label2, 1, 0);
    infoGrid->addWidget(cxFMVol, 1, 1);
    infoGrid->setColumnMinimumWidth(1, 110);
    infoGrid->setRowStretch(2, 1);
    infoGrid->setColumnStretch(2, 1);

    // "Memoney Channel": FM channels 1 to 10 and 11 to 20 side by side. The
    // column titles are the captions of two hidden labels, so they follow the
    // language while the grid itself is never translated.
    auto *tsChannel = new QWidget;
    tsChannel->setObjectName(QStringLiteral("tsChannel"));
    Label4 = label("Label4", QStringLiteral("No."));
    Label5 = label("Label5", QStringLiteral("Frequancy[MHz]"));
    Label4->hide();
    Label5->hide();
    gvData = new QTableWidget(GridRows, 4, tsChannel);
    gvData->setObjectName(QStringLiteral("gvData"));
    gvData->setProperty("tag", TagNoTranslate);
    gvData->verticalHeader()->hide();
    gvData->verticalHeader()->setDefaultSectionSize(qMax(22, gvData->fontMetrics().height() + 6));
    gvData->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    gvData->horizontalHeader()->setHighlightSections(false);
    gvData->setSelectionMode(QAbstractItemView::SingleSelection);
    gvData->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gvData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    gvData->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed
                            | QAbstractItemView::DoubleClicked);
    m_cells = new FmCellDelegate(gvData);
    m_cells->committed = [this](int column, int row, const QString &text) { gvDataSetForeText(column, row, text); };
    gvData->setItemDelegate(m_cells);
    BuildGrid();
    auto *channelLayout = new QVBoxLayout(tsChannel);
    channelLayout->addWidget(gvData);

    pages->addTab(tsInfo, QStringLiteral("Information"));
    pages->addTab(tsChannel, QStringLiteral("Memoney Channel"));

    auto *content = new QVBoxLayout;
    content->addWidget(pages);
    layOut(nullptr, content, 0);

    connect(eRx, &QLineEdit::editingFinished, this, &TfFmFun::eRxPropertiesEditValueChanged);
    // A press on a frequency cell opens its editor at once.
    connect(gvData, &QTableWidget::cellPressed, this, [this](int row, int column) {
        if (isFrequencyColumn(column))
            gvData->editItem(gvData->item(row, column));
    });
}

TfFmFun::~TfFmFun()
{
    // An editor that has the focus commits while the widgets are torn down; by then
    // there is no window left to store it.
    m_cells->committed = nullptr;
    disconnect(eRx, nullptr, this, nullptr);
}

// Titles, channel numbers, widths and colours. The number columns look like the
// title row and cannot be edited.
void TfFmFun::BuildGrid()
{
    gvData->setHorizontalHeaderLabels({Label4->text(), Label5->text(), Label4->text(), Label5->text()});
    const QBrush face = palette().button();
    for (int row = 0; row < GridRows; ++row) {
        for (int column = 0; column < 4; ++column) {
            if (!gvData->item(row, column))
                gvData->setItem(row, column, new QTableWidgetItem);
            QTableWidgetItem *cell = gvData->item(row, column);
            if (isFrequencyColumn(column)) {
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                continue;
            }
            cell->setText(QString::number(row + 1 + (column == 0 ? 0 : GridRows)));
            cell->setTextAlignment(Qt::AlignCenter);
            cell->setBackground(face);
            cell->setFlags(Qt::ItemIsEnabled);
        }
    }
    for (int column = 0; column < 4; ++column)
        gvData->setColumnWidth(column, ColumnWidths[column]);
    const int frame = 2 * gvData->frameWidth();
    gvData->setFixedSize(gvData->horizontalHeader()->length() + frame,
                         gvData->horizontalHeader()->sizeHint().height() + gvData->verticalHeader()->length() + frame);
}

void TfFmFun::LoadControls()
{
    const SettingsLists::LoadingScope loading(m_lists);
    translate();
    BuildGrid();
    eRx->setText(mhzText(DecodeFmChannel(imagemap::FmVfoIndex)));
    if (eRx->hasFocus())
        eRx->selectAll();
    m_lists.load();
    for (int i = 0; i < imagemap::FmChannelCount; ++i) {
        const double f = DecodeFmChannel(i);
        const int column = i < GridRows ? 1 : 3;
        gvData->item(i % GridRows, column)->setText(f > 0 ? mhzText(f) : QString());
    }
    FmEditBusy = false;
}

QString TfFmFun::NormalizeFmText(const QString &text)
{
    const FmFrequencyText fm = NormalizeFmFrequency(text);
    if (!fm.isNumber)
        ShowMsg(LangTexts.Caution, LangTexts.OutRange, MsgInformation);
    return fm.text;
}

void TfFmFun::gvDataSetForeText(int column, int row, const QString &typed)
{
    QString text = typed.trimmed();
    if (!text.isEmpty())
        text = NormalizeFmText(text);
    gvData->item(row - 1, column)->setText(text);
    const int index = column == 1 ? row - 1 : column == 3 ? row + GridRows - 1 : 0;
    WriteFmChannel(index, text);
    AppState.Modified = true;
}

void TfFmFun::eRxPropertiesEditValueChanged()
{
    // Enter on an untouched field is no change.
    if (m_lists.loading() || FmEditBusy || !eRx->isModified())
        return;
    FmEditBusy = true;
    const QString text = eRx->text().trimmed();
    // An empty field goes back to the bottom of the band.
    eRx->setText(text.isEmpty() ? mhzText(76.0) : NormalizeFmText(text));
    WriteFmChannel(imagemap::FmVfoIndex, eRx->text());
    FmEditBusy = false;
    AppState.Modified = true;
}

// Shared by the volume and the step list.
void TfFmFun::cxFMVolPropertiesEditValueChanged()
{
    m_lists.store();
    AppState.Modified = true;
}
