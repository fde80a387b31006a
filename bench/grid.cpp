// Channel grid benchmark: opening the grid on an image with all 108 channels in use,
// and a full refill of every row, each against the floor of filling a plain
// QTableWidget with the same 1512 texts in the same run, in the same MDI area.
// Prints figures; never fails on a time.
//
//   grid_bench [RUNS]        (default 30; the offscreen platform unless QT_QPA_PLATFORM is set)
#include "core/apppaths.h"
#include "core/showmsg.h"
#include "core/startup.h"
#include "editors/channelgrid.h"
#include "editors/editorwindows.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "shell/mainwindow.h"
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

// Every channel in use, each field different from the channel before, so that two
// images built with different seeds differ in every cell of the grid.
void fillImage(int seed)
{
    for (int n = 1; n <= 108; ++n) {
        const int k = n + seed;
        SetChannelRx(n, 400.0 + 0.025 * k);
        SetChannelTx(n, 400.0 + 0.025 * k + (k % 3) * 5.0);
        WriteChannelField(n, FieldDecodeTone, QString::number(1 + k % 262));
        WriteChannelField(n, FieldEncodeTone, QString::number(2 + k % 261));
        for (int field : {FieldTxStop, FieldTxPower, FieldBandwidth, FieldScanDelete, FieldCompander,
                          FieldScrambler, FieldBusyLock, FieldEpilogue})
            WriteChannelField(n, field, QString::number((k + field) % 2));
        WriteChannelField(n, FieldName, QStringLiteral("CH%1").arg(k % 1000));
    }
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.isEmpty() ? 0.0 : v[v.size() / 2];
}

// Lets the window finish what earlier steps left queued (paints, activation changes),
// so that a measurement counts only its own work.
void settle()
{
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

// Time of one run of fn, in ms, including the paint it causes.
double timed(const std::function<void()> &fn)
{
    settle();
    QElapsedTimer clock;
    clock.start();
    fn();
    QApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? qMax(1, atoi(argv[1])) : 30;

    QTemporaryDir dir;
    AppPaths::setBaseDir(dir.path());
    SetMsgHandler([](const QString &, const QString &, int kind) { return kind == MsgQuestion ? int(MsgNo) : int(MsgOk); });
    CreateDataModule();
    RegisterEditorWindows();
    TfMainFrm window;
    // Room for the grid and the plain table one above the other: neither hides the other.
    window.resize(1400, 1300);
    window.show();
    QApplication::processEvents();
    QMdiArea *area = window.findChild<QMdiArea *>();

    // The 1512 texts the grid shows for each of the two images.
    QList<QStringList> texts(2);
    for (int seed = 0; seed < 2; ++seed) {
        fillImage(seed * 7);
        window.RefreshViews(1);
        auto *grid = window.child(cmd::MemoryChannel)->findChild<QTableWidget *>(QStringLiteral("gvData"));
        for (int r = 0; r < grid->rowCount(); ++r)
            for (int c = 0; c < grid->columnCount(); ++c)
                texts[seed] << grid->item(r, c)->text();
    }
    const int rows = 108, columns = 14;
    // The floor shows as many cells as the grid does: same widths, same row height.
    const QList<int> widths{50, 80, 80, -1, 80, 80, 60, 60, 60, 60, 60, 60, 60, 80};

    QList<double> open, openFloor, refill, refillFloor;
    for (int run = 0; run < runs; ++run) {
        const int seed = run % 2;
        fillImage(seed * 7);

        // Opening: the grid window created, built, filled and painted.
        open << timed([&] { window.RefreshViews(1); });
        auto *form = dynamic_cast<TfChInfo *>(window.child(cmd::MemoryChannel));

        // Its floor: a plain table of the same size in a window of the same area.
        QTableWidget *plain = nullptr;
        QMdiSubWindow *sub = nullptr;
        openFloor << timed([&] {
            plain = new QTableWidget(rows, columns);
            plain->verticalHeader()->setMinimumSectionSize(20);
            plain->verticalHeader()->setDefaultSectionSize(20);
            plain->verticalHeader()->hide();
            for (int c = 0; c < columns; ++c) {
                if (widths[c] < 0)
                    plain->setColumnHidden(c, true);
                else
                    plain->setColumnWidth(c, widths[c]);
            }
            for (int i = 0; i < rows * columns; ++i)
                plain->setItem(i / columns, i % columns, new QTableWidgetItem(texts[seed][i]));
            sub = area->addSubWindow(plain);
            sub->setGeometry(20, 520, 919, 480);
            sub->show();
        });

        // A full refill after the whole image changed: every channel cell gets a new text.
        fillImage((1 - seed) * 7);
        refill << timed([&] { form->LoadAllRows(); });

        refillFloor << timed([&] {
            for (int i = 0; i < rows * columns; ++i)
                plain->item(i / columns, i % columns)->setText(texts[1 - seed][i]);
        });
        delete sub;
    }

    const double o = median(open), of = median(openFloor), r = median(refill), rf = median(refillFloor);
    std::printf("grid open:   median %.2f ms, plain table %.2f ms, ratio %.2f (%d runs)\n", o, of, of > 0 ? o / of : 0.0, runs);
    std::printf("grid refill: median %.2f ms, plain table %.2f ms, ratio %.2f (%d runs)\n", r, rf, rf > 0 ? r / rf : 0.0, runs);
    std::printf("goal: within 1.5 x the plain table\n");
    window.CloseChildren();
    return 0;
}
