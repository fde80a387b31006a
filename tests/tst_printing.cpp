// The printed report: its rows as the print commands gather them from the windows,
// open or not, the pages they fill, the preview window, printing through the print
// dialog, and the PDF that ze4k-cli print writes.
#include "testsupport.h"
#include "core/langtexts.h"
#include "core/printtables.h"
#include "editors/editorwindows.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/datafile.h"
#include "image/image.h"
#include "image/settingsblock.h"
#include "report/reportlayout.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "shell/printdialogs.h"
#include "shell/reportpreview.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <memory>

namespace {

const int ReportWindows[] = {cmd::RadioInformation, cmd::KeyFunction, cmd::VoxFunction, cmd::OptionalFunction,
                             cmd::MemoryChannel};

// The text of a PDF, page by page, as pdftotext reads it; empty without the tool.
QStringList pdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

bool havePdfToText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

// Rows of a group for the page tests; only the group number matters there.
QList<PrintItemRow> groups(const QList<QPair<int, int>> &groupAndCount)
{
    QList<PrintItemRow> rows;
    for (const auto &[group, count] : groupAndCount) {
        for (int i = 0; i < count; ++i) {
            PrintItemRow row;
            row.TypeID = group;
            rows.append(row);
        }
    }
    return rows;
}

QStringList fieldsOf(const PrintItemRow &row)
{
    return {row.AField, row.AValue, row.BField, row.BValue};
}

using Run = testsupport::ToolRun;

// The tool as a script on a server runs it: no display, no desktop session.
Run cli(const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QLatin1String(name));
    p.setProcessEnvironment(env);
    return testsupport::runTool(p, qEnvironmentVariable("ZE4K_CLI"), args, QByteArray(), 120000);
}

} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfMainFrm> m_window;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;

    QString path(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    // No window of the report is open, in the main window or anywhere else.
    void verifyNoReportWindow()
    {
        for (int code : ReportWindows)
            QVERIFY2(!m_window->child(code), qPrintable(QString::number(code)));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!dynamic_cast<ChildForm *>(w), qPrintable(w->objectName()));
    }

    // Runs the preview command; check looks at the preview window while it is up.
    void preview(const std::function<void(TfPreview &)> &check)
    {
        bool shown = false;
        SetPreviewRunner([&](QDialog &dialog) {
            shown = true;
            auto *window = qobject_cast<TfPreview *>(&dialog);
            QVERIFY(window);
            check(*window);
        });
        m_window->ExecCommand(cmd::PrintPreview);
        QVERIFY(shown);
    }

private slots:
    void initTestCase() { RegisterEditorWindows(); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        SetPreviewRunner(nullptr);
        SetPrintDialogRunner(nullptr);
        SetPdfDialogHandler(nullptr);
        m_window.reset();
        m_messages.reset();
    }

    // With every window closed: the rows of the five windows in the report's order,
    // the VOX and optional rows in the key function's group, the channels after
    // them in their own; a second print gives the same rows, and no window is left.
    void reportRowsFromClosedWindows()
    {
        SetChannelRx(3, 440.0);
        SetChannelRx(12, 445.125);
        WriteChannelField(12, FieldEncodeTone, QStringLiteral("9"));
        AppState.Image[setting::Volume] = 7;
        AppState.Image[setting::VoxGainLevel] = 2;
        m_window->CloseChildren();
        AppState.Modified = false;

        QList<QStringList> rows;
        for (int round = 0; round < 2; ++round) {
            preview([](TfPreview &) {});
            verifyNoReportWindow();
            QCOMPARE(Printing.myMain.size(), 1);
            QCOMPARE(Printing.myMain[0].Title, QStringLiteral("ZE-4K"));
            QCOMPARE(Printing.myMain[0].AValue, QStringLiteral("ZE-4K(UHF)"));
            QList<QStringList> got;
            for (const PrintItemRow &row : std::as_const(Printing.myAdo))
                got.append(QStringList{QString::number(row.TypeID), row.TypeName} + fieldsOf(row));
            if (round == 1)
                QCOMPARE(got, rows);
            rows = got;
        }
        QCOMPARE(rows.size(), 1 + 2 + 10 + 1 + 2 * 7);
        QCOMPARE(rows[0], (QStringList{"9", "Key Function", "Key - 1", "Electricity", "", ""}));
        QCOMPARE(rows[1], (QStringList{"9", "Vox Function", "VOX Gain Level", "2", "", ""}));
        QCOMPARE(rows[2], (QStringList{"9", "Vox Function", "VOX Delay Time[s]", "1.0", "", ""}));
        QCOMPARE(rows[3], (QStringList{"9", "Optional Function", "Volume", "7", "", ""}));
        QCOMPARE(rows[12][2], QStringLiteral("APO [Min]"));
        QCOMPARE(rows[13], (QStringList{"8", "Channel Information", "", "", "", ""}));
        QCOMPARE(rows[14][2], QStringLiteral("No.3"));
        QCOMPARE(rows[21][2], QStringLiteral("No.12"));
        QCOMPARE(rows[24], (QStringList{"8", "Channel Information", "QT/DQT Enc", "88.5", "TX Power", "High"}));

        // One heading for the three settings windows, then the channels from a new page.
        const QList<report::Page> pages = report::paginate(Printing.myAdo);
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[0].first(), (report::Band{report::Band::GroupHeader, 0}));
        QCOMPARE(pages[0].count(report::Band{report::Band::GroupHeader, 0}), 1);
        QCOMPARE(pages[0].size(), 1 + 13);
        QCOMPARE(pages[1].first(), (report::Band{report::Band::GroupHeader, 13}));
        QVERIFY(!AppState.Modified);
    }

    // Open windows give their rows themselves: the grid as it stands, a settings
    // window after filling itself from the image again. They stay open.
    void openWindowsAreUsed()
    {
        QWidget *grid = m_window->child(cmd::MemoryChannel);
        QVERIFY(grid);
        m_window->ExecCommand(cmd::OptionalFunction);
        QWidget *opt = m_window->child(cmd::OptionalFunction);
        QVERIFY(opt);
        // Changed behind the windows' backs: the grid does not know channel 5 yet.
        SetChannelRx(5, 441.0);
        AppState.Image[setting::Volume] = 3;

        preview([](TfPreview &) {});
        QCOMPARE(m_window->child(cmd::MemoryChannel), grid);
        QCOMPARE(m_window->child(cmd::OptionalFunction), opt);
        QCOMPARE(Printing.myAdo.last().TypeID, PrintChannelGroup);
        QCOMPARE(fieldsOf(Printing.myAdo.last()), (QStringList{"", "", "", ""}));
        QCOMPARE(Printing.myAdo[3].AValue, QStringLiteral("3"));
        QCOMPARE(opt->findChild<QComboBox *>(QStringLiteral("cxVol"))->currentText(), QStringLiteral("3"));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(!dynamic_cast<ChildForm *>(w));
    }

    // A value longer than its field is cut to the field's size.
    void valuesAreCutToTheirFields()
    {
        const QString caption(25, QLatin1Char('K'));
        const QString label(120, QLatin1Char('L'));
        QVERIFY(testsupport::writeFile(path("Test.Ini"), QStringLiteral("[fKeyFun]\nfKeyFun.Caption=%1\nLabel1.Caption=%2\n")
                                                             .arg(caption, label)
                                                             .toLatin1()));
        AppState.LanguageName = QStringLiteral("Test");
        AppState.LanguageIndex = 1;
        preview([](TfPreview &) {});
        QCOMPARE(Printing.myAdo[0].TypeName, caption.left(20));
        QCOMPARE(Printing.myAdo[0].AField, label.left(100));
    }

    // In Chinese, from the shipped language file: the rows and the preview window.
    void followsTheLanguage()
    {
        QVERIFY(QFile::copy(QCoreApplication::applicationDirPath() + QStringLiteral("/Chinese.Ini"), path("Chinese.Ini")));
        AppState.LanguageName = QStringLiteral("Chinese");
        AppState.LanguageIndex = 1;
        LoadMessages(AppState.LanguageName);
        m_window->CloseChildren();
        preview([](TfPreview &window) {
            QCOMPARE(window.windowTitle(), QStringLiteral("打印预览"));
            QCOMPARE(window.action(TfPreview::NextPage)->text(), QStringLiteral("下一页"));
        });
        QCOMPARE(Printing.myMain[0].AField, QStringLiteral("机型"));
        QCOMPARE(Printing.myAdo.first().TypeName, QStringLiteral("按键功能"));
        QCOMPARE(Printing.myAdo.last().TypeName, QStringLiteral("信道信息"));
    }

    void pagination_data()
    {
        QTest::addColumn<QList<PrintItemRow>>("rows");
        QTest::addColumn<QList<int>>("bandsPerPage");
        // 224.4 mm between the page header and the page footer: 32 bands of 7 mm.
        QTest::newRow("no rows") << QList<PrintItemRow>() << QList<int>{0};
        QTest::newRow("settings only") << groups({{9, 13}}) << QList<int>{14};
        QTest::newRow("a full page") << groups({{9, 31}}) << QList<int>{32};
        QTest::newRow("one row more") << groups({{9, 32}}) << QList<int>{32, 1};
        QTest::newRow("each group a page") << groups({{9, 2}, {8, 3}}) << QList<int>{3, 4};
        QTest::newRow("not sorted") << groups({{9, 1}, {8, 1}, {9, 1}}) << QList<int>{2, 2, 2};
        QList<int> channels{14};
        for (int i = 0; i < 23; ++i)
            channels.append(32);
        channels.append(758 - 23 * 32);
        QTest::newRow("108 channels") << groups({{9, 13}, {8, 1 + 108 * 7}}) << channels;
    }
    void pagination()
    {
        QFETCH(QList<PrintItemRow>, rows);
        QFETCH(QList<int>, bandsPerPage);
        const QList<report::Page> pages = report::paginate(rows);
        QList<int> sizes;
        for (const report::Page &page : pages)
            sizes.append(int(page.size()));
        QCOMPARE(sizes, bandsPerPage);
        // A heading wherever the group changes, and only there.
        for (const report::Page &page : pages) {
            for (const report::Band &band : page) {
                const bool starts = band.row == 0 || rows[band.row].TypeID != rows[band.row - 1].TypeID;
                if (band.kind == report::Band::GroupHeader)
                    QVERIFY(starts);
                else if (starts)
                    QVERIFY(page.contains(report::Band{report::Band::GroupHeader, band.row}));
            }
        }
    }

    // The preview of all 108 channels: 25 pages, shown at 100 % from the first page;
    // the navigation moves through them, and the export writes the PDF.
    void previewWindow()
    {
        for (int n = 1; n <= 108; ++n)
            SetChannelRx(n, 440.0 + n * 0.0125);
        m_window->RefreshViews(1);
        const QString pdf = path("report.pdf");
        SetPdfDialogHandler([&](QWidget *) { return m_dir->filePath(QStringLiteral("report")); });
        int printDialogs = 0;
        SetPrintDialogRunner([&](QPrinter &, QWidget *) { return ++printDialogs, false; });
        preview([&](TfPreview &window) {
            QCOMPARE(window.pageCount(), 25);
            QCOMPARE(window.currentPage(), 1);
            QCOMPARE(window.zoomFactor(), 1.0);
            QVERIFY(!window.action(TfPreview::PriorPage)->isEnabled());
            window.action(TfPreview::NextPage)->trigger();
            QCOMPARE(window.currentPage(), 2);
            window.action(TfPreview::LastPage)->trigger();
            QCOMPARE(window.currentPage(), 25);
            QVERIFY(!window.action(TfPreview::NextPage)->isEnabled());
            window.action(TfPreview::PriorPage)->trigger();
            QCOMPARE(window.currentPage(), 24);
            window.action(TfPreview::FirstPage)->trigger();
            QCOMPARE(window.currentPage(), 1);
            window.action(TfPreview::ZoomIn)->trigger();
            QVERIFY(window.zoomFactor() > 1.0);
            window.action(TfPreview::ActualSize)->trigger();
            QCOMPARE(window.zoomFactor(), 1.0);
            window.action(TfPreview::ExportPdf)->trigger();
            window.action(TfPreview::Print)->trigger();
        });
        QCOMPARE(printDialogs, 1);
        QVERIFY(m_messages->messages.isEmpty());
        QVERIFY(testsupport::readFile(pdf).startsWith("%PDF"));
        if (!havePdfToText())
            QSKIP("pdftotext is not installed");
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 25);
        QVERIFY(pages[24].contains(QLatin1String("No.108")));
        QVERIFY(pages[24].trimmed().endsWith(QLatin1String("25")));
    }

    // The print command asks the print dialog first; cancelled, nothing is printed.
    void printThroughTheDialog_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void printThroughTheDialog()
    {
        QFETCH(bool, accept);
        SetChannelRx(1, 440.0);
        m_window->RefreshViews(1);
        const QString pdf = path("printed.pdf");
        QList<QPageLayout> asked;
        SetPrintDialogRunner([&](QPrinter &printer, QWidget *) {
            asked.append(printer.pageLayout());
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return accept;
        });
        m_window->ExecCommand(cmd::Print);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].pageSize().id(), QPageSize::Letter);
        QCOMPARE(asked[0].orientation(), QPageLayout::Portrait);
        QCOMPARE(asked[0].margins(QPageLayout::Millimeter), QMarginsF(10, 2, 10, 10));
        QCOMPARE(QFileInfo::exists(pdf), accept);
        if (accept && havePdfToText()) {
            const QStringList pages = pdfPages(pdf);
            QCOMPARE(pages.size(), 2);
            QVERIFY(pages[1].contains(QLatin1String("Channel Information")));
        }
    }

    // ze4k-cli print writes the same report as a PDF, without a display.
    void cliWritesThePdf()
    {
        SetChannelRx(12, 445.125);
        WriteChannelField(12, FieldEncodeTone, QStringLiteral("9"));
        EncodeSerialNumber(QStringLiteral("SN42"));
        const QString data = path("radio.dat");
        QVERIFY(WriteDataFile(data).ok());
        const QString pdf = path("radio.pdf");
        const QDate before = QDate::currentDate();
        const Run r = cli({QStringLiteral("print"), data, QStringLiteral("-o"), pdf});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.isEmpty(), r.err.constData());
        QVERIFY(testsupport::readFile(pdf).startsWith("%PDF"));
        if (!havePdfToText())
            QSKIP("pdftotext is not installed");
        const QStringList pages = pdfPages(pdf);
        QCOMPARE(pages.size(), 2);
        const QRegularExpression title(QStringLiteral("^\\s*ZE-4K\\s*$"), QRegularExpression::MultilineOption);
        const QRegularExpression serial(QStringLiteral("Serial Number\\s+SN42"));
        const QRegularExpression tone(QStringLiteral("QT/DQT Enc\\s+88\\.5\\s+TX Power\\s+High"));
        const QRegularExpression pageTwo(QStringLiteral("^\\s*2\\s*$"), QRegularExpression::MultilineOption);
        for (const QString &page : pages) {
            QVERIFY(title.match(page).hasMatch());
            QVERIFY(serial.match(page).hasMatch());
            QVERIFY(page.contains(before.toString(QStringLiteral("yyyy/MM/dd")))
                    || page.contains(QDate::currentDate().toString(QStringLiteral("yyyy/MM/dd"))));
        }
        QVERIFY(pages[0].contains(QLatin1String("Key Function")));
        QVERIFY(pages[1].contains(QLatin1String("No.12")));
        QVERIFY2(tone.match(pages[1]).hasMatch(), qPrintable(pages[1]));
        QVERIFY(pageTwo.match(pages[1]).hasMatch());
    }

    void cliErrors_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("named");
        QTest::newRow("no output") << QStringList{"print", "DATA"} << 2 << "usage: ze4k-cli";
        QTest::newRow("no file") << QStringList{"print", "-o", "OUT"} << 2 << "usage: ze4k-cli";
        QTest::newRow("missing file") << QStringList{"print", "missing.dat", "-o", "OUT"} << 1 << "missing.dat";
        QTest::newRow("short file") << QStringList{"print", "short.dat", "-o", "OUT"} << 1 << "short.dat";
        QTest::newRow("no such folder") << QStringList{"print", "DATA", "-o", "nowhere/out.pdf"} << 1 << "out.pdf";
    }
    void cliErrors()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, named);
        const QString data = path("radio.dat");
        QVERIFY(WriteDataFile(data).ok());
        QVERIFY(testsupport::writeFile(path("short.dat"), QByteArray(100, 'x')));
        // A refused print leaves an existing output file as it was.
        const QString out = path("out.pdf");
        QVERIFY(testsupport::writeFile(out, "before"));
        for (QString &a : args) {
            if (a == QLatin1String("DATA"))
                a = data;
            else if (a == QLatin1String("OUT"))
                a = out;
            else if (a.endsWith(QLatin1String(".dat")) || a.contains(QLatin1Char('/')))
                a = m_dir->filePath(a);
        }
        const Run r = cli(args);
        QCOMPARE(r.status, status);
        QVERIFY2(r.err.contains(named.toUtf8()), r.err.constData());
        QCOMPARE(testsupport::readFile(out), QByteArray("before"));
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
