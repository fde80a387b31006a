#include "shell/reportpreview.h"
#include "core/appstate.h"
#include "core/langtexts.h"
#include "core/showmsg.h"
#include "report/reportlayout.h"
#include "shell/filedialogs.h"
#include "shell/printreport.h"
#include "shell/translateform.h"
#include <QAction>
#include <QGraphicsItem>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

TfPreview::TfPreview(const PrintTables &tables, const QDateTime &printed, QWidget *parent)
    : QDialog(parent), m_tables(tables), m_printed(printed), m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("fPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setWindowFlags(windowFlags() | Qt::WindowMaximizeButtonHint);
    report::setUpPage(*m_printer);

    m_toolbar = new QToolBar(this);
    m_toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](QStyle::StandardPixmap pixmap) { return style()->standardIcon(pixmap); };
    addCommand(Print, "tbPrint", QStringLiteral("Print"), QIcon(QStringLiteral(":/icons/print.svg")));
    addCommand(ExportPdf, "tbExport", QStringLiteral("Export to PDF"), QIcon(QStringLiteral(":/icons/save.svg")));
    m_toolbar->addSeparator();
    addCommand(ZoomIn, "tbZoomIn", QStringLiteral("Zoom In"));
    addCommand(ZoomOut, "tbZoomOut", QStringLiteral("Zoom Out"));
    m_zoom = new QLabel(this);
    m_zoom->setMinimumWidth(50);
    m_zoom->setAlignment(Qt::AlignCenter);
    m_toolbar->addWidget(m_zoom);
    addCommand(ActualSize, "tbActualSize", QStringLiteral("Actual Size"));
    addCommand(PageWidth, "tbPageWidth", QStringLiteral("Page Width"));
    addCommand(WholePage, "tbWholePage", QStringLiteral("Whole Page"));
    m_toolbar->addSeparator();
    addCommand(FirstPage, "tbFirst", QStringLiteral("First Page"), icon(QStyle::SP_MediaSkipBackward));
    addCommand(PriorPage, "tbPrior", QStringLiteral("Previous Page"), icon(QStyle::SP_MediaSeekBackward));
    m_page = new QLabel(this);
    m_page->setMinimumWidth(70);
    m_page->setAlignment(Qt::AlignCenter);
    m_toolbar->addWidget(m_page);
    addCommand(NextPage, "tbNext", QStringLiteral("Next Page"), icon(QStyle::SP_MediaSeekForward));
    addCommand(LastPage, "tbLast", QStringLiteral("Last Page"), icon(QStyle::SP_MediaSkipForward));
    m_toolbar->addSeparator();
    addCommand(Close, "tbClose", QStringLiteral("Close"), icon(QStyle::SP_DialogCloseButton));

    m_view = new QPrintPreviewWidget(m_printer.get(), this);
    connect(m_view, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter *printer) { report::paintReport(*printer, m_tables, m_printed); });
    connect(m_view, &QPrintPreviewWidget::previewChanged, this, &TfPreview::updateState);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_toolbar);
    layout->addWidget(m_view);

    if (AppState.LanguageIndex > 0)
        TranslateForm(this, AppState.LanguageName, true);

    // The pages are laid out now, once; the view opens at their real size.
    m_view->updatePreview();
    m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
    m_view->setZoomFactor(1.0);
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(screen->availableSize() * 0.85);
    updateState();
}

TfPreview::~TfPreview() = default;

void TfPreview::addCommand(Command command, const char *name, const QString &caption, const QIcon &icon)
{
    auto *action = new QAction(icon, caption, this);
    action->setObjectName(QLatin1String(name));
    connect(action, &QAction::triggered, this, [this, command] { run(command); });
    m_toolbar->addAction(action);
    m_actions.insert(command, action);
    // The page buttons show their pictures only (their captions are the tool tips),
    // so that the whole bar fits.
    if (command >= FirstPage && command <= LastPage) {
        if (auto *button = qobject_cast<QToolButton *>(m_toolbar->widgetForAction(action)))
            button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    }
}

void TfPreview::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        showPage(1);
    }
}

// Shows a page from its top: the view itself would centre it.
void TfPreview::showPage(int page)
{
    m_view->setCurrentPage(page);
    auto *view = m_view->findChild<QGraphicsView *>();
    if (!view || !view->isVisible())
        return;
    if (const QGraphicsItem *item = view->itemAt(view->viewport()->rect().center())) {
        const QRectF top(item->sceneBoundingRect().topLeft(), QSizeF(1, 1));
        view->ensureVisible(top, 0, 10);
    }
}

void TfPreview::run(Command command)
{
    switch (command) {
    case Print: PrintOnPaper(m_tables, m_printed, this); break;
    case ExportPdf: exportPdf(); break;
    case FirstPage: showPage(1); break;
    case PriorPage: showPage(m_view->currentPage() - 1); break;
    case NextPage: showPage(m_view->currentPage() + 1); break;
    case LastPage: showPage(m_view->pageCount()); break;
    case ZoomIn: m_view->zoomIn(); break;
    case ZoomOut: m_view->zoomOut(); break;
    case ActualSize:
        m_view->setZoomMode(QPrintPreviewWidget::CustomZoom);
        m_view->setZoomFactor(1.0);
        break;
    case PageWidth: m_view->fitToWidth(); break;
    case WholePage: m_view->fitInView(); break;
    case Close: reject(); break;
    }
    updateState();
}

void TfPreview::exportPdf()
{
    const QString path = AskSavePdfFile(this);
    if (path.isEmpty())
        return;
    QString error;
    if (!report::writeReportPdf(path, m_tables, m_printed, &error))
        ShowMsg(LangTexts.Confirmation, error, MsgInformation);
}

void TfPreview::updateState()
{
    const int page = m_view->currentPage();
    const int pages = m_view->pageCount();
    m_page->setText(QStringLiteral("%1 / %2").arg(page).arg(pages));
    m_zoom->setText(QStringLiteral("%1%").arg(qRound(m_view->zoomFactor() * 100)));
    m_actions[FirstPage]->setEnabled(page > 1);
    m_actions[PriorPage]->setEnabled(page > 1);
    m_actions[NextPage]->setEnabled(page < pages);
    m_actions[LastPage]->setEnabled(page < pages);
}

int TfPreview::pageCount() const
{
    return m_view->pageCount();
}

int TfPreview::currentPage() const
{
    return m_view->currentPage();
}

double TfPreview::zoomFactor() const
{
    return m_view->zoomFactor();
}
