#include "report/reportlayout.h"
#include <QDir>
#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace report {

namespace {

// The page, in millimetres.
constexpr double PageHeight = 279.4;
constexpr double MarginLeft = 10, MarginRight = 10, MarginTop = 2, MarginBottom = 10;
constexpr double BandWidth = 195;

// The bands, in millimetres: the page header on top of every page, the body below
// it, the page footer at the foot of the printable area.
constexpr double HeaderHeight = 37;
constexpr double FooterHeight = 6;
constexpr double GroupHeight = 7;
constexpr double RowHeight = 7;
constexpr double FooterTop = PageHeight - MarginTop - MarginBottom - FooterHeight;
constexpr double BodyHeight = FooterTop - HeaderHeight;

// The report was designed with font sizes in pixels of a 96 dpi screen. As points
// (px * 72 / 96) they keep their size on every device: 13 px is 9.75 pt, 19 px is
// 14.25 pt.
double pointsOfPixels(int pixels)
{
    return pixels * 72.0 / 96.0;
}

enum class Face { Song, Arial };

// SimSun and Arial are the designed faces. Where they are missing, Latin text takes
// the first installed Latin substitute and Chinese text falls back to a CJK face.
// The Latin letters and digits of Noto CJK are not used: in a PDF some of them
// cannot be read back as text. AR PL UMing, a Song face like SimSun, serves plain
// Chinese text; Noto Serif CJK serves bold text, as UMing has no bold.
QFont reportFont(Face face, int pixels, bool bold = false)
{
    QFont font;
    const QString uming = QStringLiteral("AR PL UMing CN");
    const QString notoSerif = QStringLiteral("Noto Serif CJK SC");
    if (face == Face::Song)
        font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                          bold ? notoSerif : uming, bold ? uming : notoSerif, QStringLiteral("Noto Sans CJK SC")});
    else
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans"),
                          QStringLiteral("Noto Sans CJK SC")});
    font.setPointSizeF(pointsOfPixels(pixels));
    font.setBold(bold);
    return font;
}

// Draws in millimetres from the top left of the printable area.
class MmPainter
{
public:
    explicit MmPainter(QPainter &painter)
        : m_painter(painter),
          m_x(painter.device()->logicalDpiX() / 25.4),
          m_y(painter.device()->logicalDpiY() / 25.4)
    {
    }

    // One line of text in a cell; what does not fit is cut off at the cell's edge.
    void text(double x, double y, double w, double h, int align, const QString &text, const QFont &font)
    {
        if (text.isEmpty())
            return;
        const QRectF cell(x * m_x, y * m_y, w * m_x, h * m_y);
        m_painter.save();
        m_painter.setClipRect(cell);
        m_painter.setFont(font);
        m_painter.drawText(cell, align | Qt::TextSingleLine, text);
        m_painter.restore();
    }

    void horizontalLine(double y)
    {
        m_painter.drawLine(QPointF(0, y * m_y), QPointF(BandWidth * m_x, y * m_y));
    }

    double penWidth(double mm) const { return mm * m_y; }

private:
    QPainter &m_painter;
    double m_x, m_y;
};

void paintPageHeader(MmPainter &mm, const PrintHeaderRow &header, const QDateTime &printed)
{
    const QFont plain = reportFont(Face::Song, 13);
    const QFont bold = reportFont(Face::Song, 13, true);
    mm.text(0, 0, BandWidth, 11, Qt::AlignCenter, header.Title, reportFont(Face::Song, 19, true));
    mm.text(134, 11, 30, 5, Qt::AlignRight | Qt::AlignVCenter,
            printed.date().toString(QStringLiteral("yyyy/MM/dd")), plain);
    mm.text(165, 11, 25, 5, Qt::AlignLeft | Qt::AlignVCenter, printed.time().toString(QStringLiteral("HH:mm:ss")),
            plain);
    mm.horizontalLine(16);
    const QPair<QString, QString> lines[] = {
        {header.AField, header.AValue}, {header.BField, header.BValue}, {header.CField, header.CValue}};
    double y = 18;
    for (const auto &[field, value] : lines) {
        mm.text(0, y, 66, 5, Qt::AlignRight | Qt::AlignVCenter, field, bold);
        mm.text(67, y, 113, 5, Qt::AlignLeft | Qt::AlignVCenter, value, bold);
        y += 5;
    }
    mm.horizontalLine(36);
}

void paintBand(MmPainter &mm, double y, const Band &band, const PrintItemRow &row)
{
    const int left = Qt::AlignLeft | Qt::AlignVCenter;
    if (band.kind == Band::GroupHeader) {
        mm.text(1, y, 51, GroupHeight, left, row.TypeName, reportFont(Face::Song, 13, true));
        return;
    }
    const QFont plain = reportFont(Face::Song, 13);
    mm.text(5, y, 44, RowHeight, left, row.AField, plain);
    mm.text(49, y, 43, RowHeight, left, QStringLiteral("  ") + row.AValue, plain);
    mm.text(94, y, 48, RowHeight, left, row.BField, plain);
    mm.text(143, y, 52, RowHeight, left, row.BValue, plain);
}

void paintPageFooter(MmPainter &mm, int pageNumber)
{
    mm.text(80, FooterTop, 20, FooterHeight, Qt::AlignCenter, QString::number(pageNumber),
            reportFont(Face::Arial, 13, true));
}

double heightOf(const Band &band)
{
    return band.kind == Band::GroupHeader ? GroupHeight : RowHeight;
}

} // namespace

QList<Page> paginate(const QList<PrintItemRow> &rows)
{
    QList<Page> pages(1);
    double used = 0;
    const auto place = [&](Band band) {
        if (used + heightOf(band) > BodyHeight + 1e-9) {
            pages.append(Page());
            used = 0;
        }
        pages.last().append(band);
        used += heightOf(band);
    };
    for (int i = 0; i < rows.size(); ++i) {
        if (i == 0 || rows[i].TypeID != rows[i - 1].TypeID) {
            // Each group starts a page of its own.
            if (!pages.last().isEmpty()) {
                pages.append(Page());
                used = 0;
            }
            place({Band::GroupHeader, i});
        }
        place({Band::Item, i});
    }
    return pages;
}

void setUpPage(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                     QMarginsF(MarginLeft, MarginTop, MarginRight, MarginBottom),
                                     QPageLayout::Millimeter));
}

bool paintReport(QPagedPaintDevice &device, const PrintTables &tables, const QDateTime &printed, int firstPage,
                 int lastPage)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    MmPainter mm(painter);
    QPen pen(Qt::black);
    pen.setWidthF(mm.penWidth(0.25));
    painter.setPen(pen);
    const PrintHeaderRow header = tables.myMain.value(0);
    const QList<Page> pages = paginate(tables.myAdo);
    const int first = qBound(1, firstPage, int(pages.size())) - 1;
    const int last = lastPage > 0 ? qMin(lastPage, int(pages.size())) - 1 : int(pages.size()) - 1;
    for (int p = first; p <= last; ++p) {
        if (p > first)
            device.newPage();
        paintPageHeader(mm, header, printed);
        double y = HeaderHeight;
        for (const Band &band : pages[p]) {
            paintBand(mm, y, band, tables.myAdo[band.row]);
            y += heightOf(band);
        }
        paintPageFooter(mm, p + 1);
    }
    return painter.end();
}

bool writeReportPdf(const QString &path, const PrintTables &tables, const QDateTime &printed, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(QDir::toNativeSeparators(path), why);
        return false;
    };
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    bool painted;
    {
        QPdfWriter writer(&file);
        writer.setCreator(tables.myMain.value(0).Title);
        writer.setTitle(tables.myMain.value(0).Title);
        setUpPage(writer);
        painted = paintReport(writer, tables, printed);
    }
    if (!painted || file.error() != QFileDevice::NoError) {
        const QString why = painted ? file.errorString() : QStringLiteral("the pages could not be drawn");
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace report
