#pragma once
// The preview window of the report: the pages on screen at 100 % to start with,
// zoom, page navigation, printing and a quick export to PDF.
#include "core/printtables.h"
#include <QDateTime>
#include <QDialog>
#include <QMap>
#include <memory>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QToolBar;

class TfPreview : public QDialog
{
    Q_OBJECT
public:
    enum Command { Print, ExportPdf, FirstPage, PriorPage, NextPage, LastPage, ZoomIn, ZoomOut, ActualSize,
                   PageWidth, WholePage, Close };

    // Lays out the report from a copy of tables, with the date and time printed.
    TfPreview(const PrintTables &tables, const QDateTime &printed, QWidget *parent = nullptr);
    ~TfPreview() override;

    QAction *action(Command command) const { return m_actions.value(command); }
    int pageCount() const;
    int currentPage() const;
    double zoomFactor() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showPage(int page);
    void addCommand(Command command, const char *name, const QString &caption, const QIcon &icon = QIcon());
    void run(Command command);
    void exportPdf();
    void updateState();

    PrintTables m_tables;
    QDateTime m_printed;
    std::unique_ptr<QPrinter> m_printer;
    QPrintPreviewWidget *m_view = nullptr;
    QToolBar *m_toolbar = nullptr;
    QLabel *m_page = nullptr;
    QLabel *m_zoom = nullptr;
    QMap<Command, QAction *> m_actions;
    bool m_shown = false;
};
