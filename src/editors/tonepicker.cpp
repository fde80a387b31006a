#include "editors/tonepicker.h"
#include "core/appstate.h"
#include "shell/translateform.h"
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QRadioButton>
#include <QShowEvent>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// The picker's own code table: 42 CTCSS entries "number-tone-code", three empty
// items, 85 DCS entries "number-code", three empty items. It is not the tone list of
// the channel editors: it lacks some tones and has the DCS codes 143 and 525.
const char *const CodeTable[] = {
    "01-67.0-XZ",  "02-69.3-WZ",  "03-71.9-XA",  "04-74.4-WA",  "05-77.0-XB",  "06-79.7-WB",
    "07-82.5-YZ",  "08-85.4-YA",  "09-88.5-YB",  "0A-91.5-ZZ",  "0B-94.8-ZA",  "0C-97.4-ZB",
    "0D-100.0-1Z", "0E-103.5-1A", "0F-107.2-1B", "10-110.9-2Z", "11-114.8-2A", "12-118.8-2B",
    "13-123.0-3Z", "14-127.3-3A", "15-131.8-3B", "16-136.5-4Z", "17-141.3-4A", "18-146.2-4B",
    "19-151.4-5Z", "1A-156.7-5A", "1B-162.2-5B", "1C-167.9-6Z", "1D-173.8-6A", "1E-179.9-6B",
    "1F-186.2-7Z", "20-192.8-7A", "21-203.5-M1", "22-206.5-8Z", "23-210.7-M2", "24-218.1-M3",
    "25-225.7-M4", "26-229.1-9Z", "27-233.6-M5", "28-241.8-M6", "29-250.3-M7", "2A-254.1-0Z",
    "", "", "",
    "1-D023",  "2-D025",  "3-D026",  "4-D031",  "5-D032",  "6-D043",  "7-D047",  "8-D051",
    "9-D054",  "10-D065", "11-D071", "12-D072", "13-D073", "14-D074", "15-D114", "16-D115",
    "17-D116", "18-D125", "19-D131", "20-D132", "21-D134", "22-D143", "23-D152", "24-D155",
    "25-D156", "26-D162", "27-D165", "28-D172", "29-D174", "30-D205", "31-D223", "32-D226",
    "33-D243", "34-D244", "35-D245", "36-D251", "37-D261", "38-D263", "39-D265", "40-D271",
    "41-D306", "42-D311", "43-D315", "44-D331", "45-D343", "46-D346", "47-D351", "48-D364",
    "49-D365", "50-D371", "51-D411", "52-D412", "53-D413", "54-D423", "55-D431", "56-D432",
    "57-D445", "58-D464", "59-D465", "60-D466", "61-D503", "62-D506", "63-D516", "64-D525",
    "65-D532", "66-D546", "67-D565", "68-D606", "69-D612", "70-D624", "71-D627", "72-D631",
    "73-D632", "74-D645", "75-D654", "76-D662", "77-D664", "78-D703", "79-D712", "80-D723",
    "81-D731", "82-D732", "83-D734", "84-D743", "85-D754",
    "", "", "",
};
constexpr int FirstDcsItem = 45;

// An entry split into number, tone and code. Without a second "-" the rest is both
// the tone and the code; an empty item gives three empty parts.
struct Entry
{
    QString number, tone, code;
};

Entry splitEntry(const QString &item)
{
    Entry e;
    const int first = item.indexOf(QLatin1Char('-'));
    if (first < 0) {
        e.number = item;
        return e;
    }
    e.number = item.left(first);
    const QString rest = item.mid(first + 1);
    const int second = rest.indexOf(QLatin1Char('-'));
    if (second < 0) {
        e.tone = rest;
        e.code = rest;
    } else {
        e.tone = rest.left(second);
        e.code = rest.mid(second + 1);
    }
    return e;
}

// The first data row of a pickable column carries this marker in its value.
constexpr int MarkerRole = Qt::UserRole;
const QString PickableMarker = QStringLiteral("1");

constexpr int RowHeight = 20;

QTableWidget *makeCodeGrid(const char *name, int rows, int columns, QWidget *parent)
{
    auto *grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(QLatin1String(name));
    grid->setProperty("tag", TagNoTranslate);
    grid->horizontalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(1);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(RowHeight);
    grid->verticalHeader()->setDefaultSectionSize(RowHeight);
    // The column widths are those of the tables' design, made for a small font:
    // the codes are drawn no larger than 8 points, and cut rather than elided.
    QFont small = grid->font();
    if (small.pointSizeF() > 8.0)
        small.setPointSizeF(8.0);
    grid->setFont(small);
    grid->setTextElideMode(Qt::ElideNone);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setContextMenuPolicy(Qt::NoContextMenu);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return grid;
}

void setCell(QTableWidget *grid, int row, int column, const QString &text, const QColor &colour)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignCenter);
    item->setBackground(colour);
    item->setForeground(Qt::black);
    grid->setItem(row, column, item);
}

} // namespace

TfToneOption::TfToneOption(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("fToneOption"));
    setWindowTitle(QStringLiteral("Channel Tone Option"));

    auto *gbVoice = new QGroupBox(QStringLiteral("Channel Voice Selection"), this);
    gbVoice->setObjectName(QStringLiteral("gbVoice"));
    const auto radio = [gbVoice](const char *name, const QString &caption, int tag) {
        auto *r = new QRadioButton(caption, gbVoice);
        r->setObjectName(QLatin1String(name));
        r->setProperty("tag", tag);
        return r;
    };
    rCTCSS = radio("rCTCSS", QStringLiteral("CTCSS"), 0);
    rDCSN = radio("rDCSN", QStringLiteral("DCS-N"), 1);
    rDCSI = radio("rDCSI", QStringLiteral("DCS-I"), 2);
    rCTCSS->setChecked(true);
    auto *voiceRow = new QHBoxLayout(gbVoice);
    voiceRow->addWidget(rCTCSS);
    voiceRow->addWidget(rDCSN);
    voiceRow->addWidget(rDCSI);
    voiceRow->addStretch();

    lbSel = new QListWidget(this);
    lbSel->setObjectName(QStringLiteral("lbSel"));
    lbSel->addItems({QStringLiteral("CTCSS"), QStringLiteral("DCS-N"), QStringLiteral("DCS-I")});
    lbSel->hide();

    lbValue = new QListWidget(this);
    lbValue->setObjectName(QStringLiteral("lbValue"));
    lbValue->setProperty("tag", TagNoTranslate);
    for (const char *item : CodeTable)
        lbValue->addItem(QLatin1String(item));
    lbValue->hide();

    gbList = new QGroupBox(QStringLiteral(" Code List"), this);
    gbList->setObjectName(QStringLiteral("gbList"));
    gvCtcss = makeCodeGrid("gvCtcss", CtcssRows, 3 * CtcssGroups, gbList);
    gvDcsN = makeCodeGrid("gvDcsN", DcsRows, 2 * DcsGroups, gbList);
    gvDcsI = makeCodeGrid("gvDcsI", DcsRows, 2 * DcsGroups, gbList);
    // The three grids share one place and size; one is shown at a time.
    const int frame = 2 * gvCtcss->frameWidth();
    const QSize gridSize(qMax(CtcssGroups * (32 + 47 + 32), DcsGroups * (23 + 46)) + frame,
                         qMax(CtcssRows, DcsRows) * RowHeight + frame);
    auto *stack = new QGridLayout(gbList);
    for (QTableWidget *grid : {gvCtcss, gvDcsN, gvDcsI}) {
        grid->setFixedSize(gridSize);
        stack->addWidget(grid, 0, 0);
    }

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(gbVoice);
    layout->addWidget(gbList);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QRadioButton *r : {rCTCSS, rDCSN, rDCSI})
        connect(r, &QRadioButton::clicked, this, [this, r] { rCTCSSClick(r); });
    connect(gvCtcss, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { gridDblClick(gvCtcss, row, column); });
    connect(gvDcsN, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { gridDblClick(gvDcsN, row, column); });
    connect(gvDcsI, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int column) { gridDblClick(gvDcsI, row, column); });
}

QString TfToneOption::pick(QWidget *parent)
{
    TfToneOption dialog(parent);
    dialog.exec();
    return dialog.result();
}

void TfToneOption::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        FormShow();
    QDialog::showEvent(event);
}

void TfToneOption::FormShow()
{
    fillCtcssGrid();
    fillDcsGrid(gvDcsN, QStringLiteral("N"));
    fillDcsGrid(gvDcsI, QStringLiteral("I"));
    m_result.clear();
    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, false);
    for (QRadioButton *r : {rCTCSS, rDCSN, rDCSI}) {
        if (r->isChecked())
            rCTCSSClick(r);
    }
}

void TfToneOption::fillCtcssGrid()
{
    // Each group: number, tone (the pickable column), code; the tones run down the
    // first group, then down the second, and so on.
    const QColor numberColour(249, 141, 227), toneColour(Qt::white), codeColour(225, 249, 112);
    for (int g = 0; g < CtcssGroups; ++g) {
        gvCtcss->setColumnWidth(3 * g, 32);
        gvCtcss->setColumnWidth(3 * g + 1, 47);
        gvCtcss->setColumnWidth(3 * g + 2, 32);
        for (int r = 0; r < CtcssRows; ++r) {
            const Entry e = splitEntry(lbValue->item(CtcssRows * g + r)->text());
            setCell(gvCtcss, r, 3 * g, e.number, numberColour);
            setCell(gvCtcss, r, 3 * g + 1, e.tone, toneColour);
            setCell(gvCtcss, r, 3 * g + 2, e.code, codeColour);
        }
        gvCtcss->item(0, 3 * g + 1)->setData(MarkerRole, PickableMarker);
    }
}

void TfToneOption::fillDcsGrid(QTableWidget *grid, const QString &suffix)
{
    // Each group: number, code (the pickable column) with the polarity appended.
    const QColor numberColour(47, 231, 220), codeColour(Qt::white);
    for (int g = 0; g < DcsGroups; ++g) {
        grid->setColumnWidth(2 * g, 23);
        grid->setColumnWidth(2 * g + 1, 46);
        for (int r = 0; r < DcsRows; ++r) {
            const Entry e = splitEntry(lbValue->item(FirstDcsItem + DcsRows * g + r)->text());
            setCell(grid, r, 2 * g, e.number, numberColour);
            setCell(grid, r, 2 * g + 1, e.code.isEmpty() ? QString() : e.code + suffix, codeColour);
        }
        grid->item(0, 2 * g + 1)->setData(MarkerRole, PickableMarker);
    }
}

void TfToneOption::rCTCSSClick(QRadioButton *clicked)
{
    gvCtcss->setVisible(rCTCSS->isChecked());
    gvDcsN->setVisible(rDCSN->isChecked());
    gvDcsI->setVisible(rDCSI->isChecked());
    const int tag = clicked->property("tag").toInt();
    if (tag >= 0 && tag < lbSel->count())
        gbList->setTitle(lbSel->item(tag)->text());
}

void TfToneOption::gridDblClick(QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *marker = grid->item(0, column);
    if (!marker || marker->data(MarkerRole).toString() != PickableMarker)
        return;   // a number or a code-letter column
    const QTableWidgetItem *cell = grid->item(row, column);
    m_result = cell ? cell->text() : QString();
    accept();
}
