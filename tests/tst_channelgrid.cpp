// The memory channel grid inside the main window, driven as a user drives it:
// clicks, typing, Enter, list editors, the tone picker; checked on screen and in
// the image bytes.
#include "testsupport.h"
#include "core/langtexts.h"
#include "core/printtables.h"
#include "editors/channelgrid.h"
#include "editors/editorwindows.h"
#include "editors/tonebox.h"
#include "editors/tonepicker.h"
#include "image/channelcodec.h"
#include "image/channeledit.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/models.h"
#include "image/numbers.h"
#include "shell/mainwindow.h"
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <memory>

namespace {

enum Column {
    ColNo, ColRx, ColTx, ColTxStop, ColDecode, ColEncode, ColPower, ColWn, ColScan,
    ColCompander, ColScrambler, ColBusyLock, ColEpilogue, ColName
};

// Stands in for the single-channel editor: counts how often it is told to reload.
class RecordingEditor : public QWidget, public ChildForm
{
public:
    static inline int loads = 0;
    void LoadChannel() override { ++loads; }
};

QByteArray record(int channel)
{
    const int at = imagemap::channelRecord(channel);
    return QByteArray(reinterpret_cast<const char *>(AppState.Image.data()) + at, imagemap::ChannelRecordSize);
}

bool scanDeleted(int channel)
{
    return bytes::bit(AppState.Image, imagemap::ScanDeleteBits, channel - 1);
}

// The record of a channel just made from a typed RX (count of 6.25 kHz units):
// simplex, no tones, every flag bit set (TX Stop "No", High, Wide, no compander,
// scrambler or busy lock, epilogue "On"; the untouched VOX bit stays set), no name.
QByteArray newChannelRecord(quint32 count)
{
    QByteArray r(16, '\xFF');
    r[0] = char(count & 0xFF);
    r[1] = char((count >> 8) & 0xFF);
    r[2] = char((count >> 16) & 0xFF);
    r[3] = 0;
    r[4] = 0;
    r[5] = 0;
    r[7] = 0;
    return r;
}

} // namespace

class TestChannelGrid : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;
    std::unique_ptr<TfMainFrm> m_window;

    TfChInfo *form() const { return dynamic_cast<TfChInfo *>(m_window->child(cmd::MemoryChannel)); }
    QTableWidget *grid() const { return form()->findChild<QTableWidget *>(QStringLiteral("gvData")); }
    template<typename T = QComboBox>
    T *editor(const char *name) const { return form()->findChild<T *>(QLatin1String(name)); }
    QTableWidgetItem *cell(int channel, int column) const { return grid()->item(channel - 1, column); }
    QString text(int channel, int column) const { return cell(channel, column)->text(); }
    QString value(int channel, int column) const { return cell(channel, column)->data(TfChInfo::ValueRole).toString(); }

    QStringList messageTexts() const
    {
        QStringList texts;
        for (const auto &m : m_messages->messages)
            texts << m.text;
        return texts;
    }

    // The grid reopened on the image as it is now, as after opening a file.
    void reopen()
    {
        m_window->RefreshViews(1);
        QVERIFY(form());
        QApplication::processEvents();
    }

    void click(int channel, int column)
    {
        const QModelIndex index = grid()->model()->index(channel - 1, column);
        grid()->scrollTo(index);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(index).center());
    }

    // Keys go where the user's keys go: to the widget that has the focus.
    void type(const QString &keys)
    {
        for (const QChar c : keys)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
    }
    void key(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }

    void enter(int channel, int column, const QString &keys)
    {
        click(channel, column);
        if (keys.isEmpty())
            key(Qt::Key_Backspace);
        else
            type(keys);
        key(Qt::Key_Return);
    }

    // Channel n with data, made the way the grid makes one, then shown.
    void makeChannel(int n, double rx, double tx)
    {
        SetChannelRx(n, rx);
        SetChannelTx(n, tx);
        reopen();
        AppState.Modified = false;
    }

    void useWideBand()
    {
        QVERIFY(SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("134 - 520MHz"), 0, true));
        NewImage();
        reopen();
    }

    // Runs fn on the tone picker once it is up; closes it if fn left it open.
    static void onPicker(std::function<void(TfToneOption *)> fn)
    {
        QTimer::singleShot(0, [fn] {
            auto *picker = qobject_cast<TfToneOption *>(QApplication::activeModalWidget());
            if (!picker)
                return;
            fn(picker);
            if (picker->isVisible())
                picker->reject();
        });
    }

    static void doubleClickCode(TfToneOption *picker, const char *gridName, const char *radioName, int row, int column)
    {
        auto *radio = picker->findChild<QAbstractButton *>(QLatin1String(radioName));
        QTest::mouseClick(radio, Qt::LeftButton);
        auto *codes = picker->findChild<QTableWidget *>(QLatin1String(gridName));
        const QRect r = codes->visualRect(codes->model()->index(row, column));
        QTest::mouseClick(codes->viewport(), Qt::LeftButton, {}, r.center());
        QTest::mouseDClick(codes->viewport(), Qt::LeftButton, {}, r.center());
    }

private slots:
    void initTestCase()
    {
        RegisterEditorWindows();
        TfMainFrm::RegisterChildWindow(cmd::ChannelEdit, [] { return new RecordingEditor; });
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QVERIFY(form());
    }

    void cleanup()
    {
        m_window.reset();
        m_messages.reset();
    }

    void layoutAsOpened()
    {
        QCOMPARE(form()->objectName(), QStringLiteral("fChInfo"));
        QCOMPARE(form()->windowTitle(), QStringLiteral("Channel Information"));
        auto *sub = qobject_cast<QMdiSubWindow *>(form()->parentWidget());
        QVERIFY(sub);
        QCOMPARE(sub->pos(), QPoint(20, 20));
        // Sum of the widths (the hidden column counts -1) and 50.
        QCOMPARE(sub->width(), 919);

        QTableWidget *gv = grid();
        const QStringList titles{"No.",      "RX Frequency", "TX Frequency", "TX Stop",   "QT/DQT Dec",
                                 "QT/DQT Enc", "TX Power",    "W/N",          "Scan Add",  "Compander",
                                 "Scrambler", "Busy Lock",   "Epilogue",     "Name"};
        const QList<int> widths{50, 80, 80, -1, 80, 80, 60, 60, 60, 60, 60, 60, 60, 80};
        const QList<Qt::Alignment> alignments{Qt::AlignCenter, Qt::AlignRight, Qt::AlignRight, Qt::AlignCenter,
                                              Qt::AlignRight,  Qt::AlignRight, Qt::AlignCenter, Qt::AlignCenter,
                                              Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter, Qt::AlignCenter,
                                              Qt::AlignCenter, Qt::AlignLeft};
        QCOMPARE(gv->columnCount(), titles.size());
        for (int c = 0; c < titles.size(); ++c) {
            QCOMPARE(gv->horizontalHeaderItem(c)->text(), titles[c]);
            QCOMPARE(gv->isColumnHidden(c), widths[c] < 0);
            if (widths[c] >= 0)
                QCOMPARE(gv->columnWidth(c), widths[c]);
            QCOMPARE(Qt::Alignment(gv->item(0, c)->textAlignment()), alignments[c] | Qt::AlignVCenter);
        }
        QCOMPARE(gv->horizontalHeader()->height(), 23);
        QCOMPARE(gv->rowHeight(0), 20);
        QVERIFY(gv->verticalHeader()->isHidden());
        QCOMPARE(gv->rowCount(), 108);
        QCOMPARE(gv->item(0, ColNo)->text(), QStringLiteral("1"));
        QCOMPARE(gv->item(107, ColNo)->text(), QStringLiteral("108"));
        QCOMPARE(gv->item(5, ColNo)->background().color(), form()->palette().color(QPalette::Button));
        QCOMPARE(gv->currentRow(), 0);
        QCOMPARE(gv->currentColumn(), int(ColRx));
        // A new image: every row empty, only RX takes typing.
        QCOMPARE(text(1, ColRx), QString());
        QVERIFY(cell(1, ColRx)->flags() & Qt::ItemIsEditable);
        QVERIFY(!(cell(1, ColTx)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(cell(1, ColName)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(cell(1, ColPower)->flags() & Qt::ItemIsEditable));
        // One grid only: the command brings it to the front.
        TfChInfo *first = form();
        m_window->ExecCommand(cmd::MemoryChannel);
        QCOMPARE(form(), first);
    }

    void rowsShowTheImage()
    {
        SetChannelRx(4, 440.0);
        SetChannelTx(4, 445.0);
        WriteChannelField(4, FieldDecodeTone, QStringLiteral("136"));   // the second "D532N"
        WriteChannelField(4, FieldEncodeTone, QStringLiteral("262"));
        WriteChannelField(4, FieldTxPower, QStringLiteral("0"));
        WriteChannelField(4, FieldScanDelete, QStringLiteral("0"));
        WriteChannelField(4, FieldName, QStringLiteral("AB-1*"));
        reopen();
        QCOMPARE(value(4, ColNo), QStringLiteral("1"));
        QCOMPARE(value(3, ColNo), QString());
        const QStringList shown{"4", "440.00000", "445.00000", "No", "D532N", "D754I", "Low", "Wide", "Add",
                                "No", "No", "No", "On", "AB-1*"};
        const QStringList values{"1", "", "", "1", "136", "262", "0", "1", "0", "1", "1", "1", "1", ""};
        for (int c = 0; c < shown.size(); ++c) {
            QCOMPARE(text(4, c), shown[c]);
            QCOMPARE(value(4, c), values[c]);
        }
        QVERIFY(cell(4, ColTx)->flags() & Qt::ItemIsEditable);
        QVERIFY(cell(4, ColName)->flags() & Qt::ItemIsEditable);
        QVERIFY(!AppState.Modified);
    }

    void rxTypedIntoEmptyRow_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<quint32>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("rounds down") << "435.0031" << "435.00000" << 69600u << "";
        QTest::newRow("rounds up") << "435.0032" << "435.00625" << 69601u << "";
        QTest::newRow("band edge") << "470" << "470.00000" << 75200u << "";
        QTest::newRow("above band") << "470.5" << "470.00000" << 75200u << "The frequecy number come amiss!";
        QTest::newRow("below band") << "399.99" << "400.00000" << 64000u << "The frequecy number come amiss!";
        QTest::newRow("not a number") << "4.3.5" << "470.00000" << 75200u << "Frequecy is Out of range.";
    }
    void rxTypedIntoEmptyRow()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(quint32, count);
        QFETCH(QString, message);
        enter(3, ColRx, typed);

        QCOMPARE(messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(m_messages->messages[0].caption, QStringLiteral("Caution"));
            QCOMPARE(m_messages->messages[0].kind, int(MsgInformation));
        }
        const QStringList row{"3", shown, shown, "No", "None", "None", "High", "Wide", "Del", "No", "No", "No", "On", ""};
        const QStringList values{"1", "", "", "1", "0", "0", "1", "1", "1", "1", "1", "1", "1", ""};
        for (int c = 0; c < row.size(); ++c) {
            QCOMPARE(text(3, c), row[c]);
            QCOMPARE(value(3, c), values[c]);
        }
        QVERIFY(cell(3, ColTx)->flags() & Qt::ItemIsEditable);
        QVERIFY(cell(3, ColName)->flags() & Qt::ItemIsEditable);
        QCOMPARE(record(3).toHex(' '), newChannelRecord(count).toHex(' '));
        QVERIFY(!IsChannelEmpty(3));
        QVERIFY(scanDeleted(3));
        QVERIFY(AppState.Modified);
        QVERIFY(IsChannelEmpty(2));
        QVERIFY(IsChannelEmpty(4));
    }

    void rxTypedWithoutClickingFirst()
    {
        // The current cell takes typing straight away: Down, digits, Enter.
        grid()->setFocus();
        key(Qt::Key_Down);
        type(QStringLiteral("435.5"));
        key(Qt::Key_Return);
        QCOMPARE(text(2, ColRx), QStringLiteral("435.50000"));
        QCOMPARE(AppState.CurrentChannel, 2);
        QVERIFY(!IsChannelEmpty(2));
    }

    void clearingRxErasesTheChannel()
    {
        makeChannel(6, 440.0, 445.0);
        WriteChannelField(6, FieldName, QStringLiteral("KEEP"));
        reopen();
        enter(6, ColRx, QString());
        for (int c = ColRx; c <= ColName; ++c) {
            QCOMPARE(text(6, c), QString());
            QCOMPARE(value(6, c), QString());
        }
        QCOMPARE(value(6, ColNo), QString());
        QCOMPARE(text(6, ColNo), QStringLiteral("6"));
        QCOMPARE(record(6), QByteArray(16, '\xFF'));
        QVERIFY(IsChannelEmpty(6));
        QVERIFY(AppState.Modified);
        QVERIFY(!(cell(6, ColTx)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(cell(6, ColName)->flags() & Qt::ItemIsEditable));
        // No list editor on the emptied row, and TX cannot be typed into.
        click(6, ColPower);
        QVERIFY(!editor("cxPower")->isVisible());
        click(6, ColTx);
        type(QStringLiteral("4"));
        QCOMPARE(text(6, ColTx), QString());
        QVERIFY(IsChannelEmpty(6));
    }

    void leavingAnUntouchedCellWritesNothing()
    {
        makeChannel(2, 440.0, 445.0);
        const ImageBytes before = AppState.Image;
        click(2, ColRx);
        click(2, ColTx);
        click(3, ColRx);
        click(5, ColRx);
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
    }

    void typedTx_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("offsetBytes");   // bytes 3 and 4 of the record
        QTest::addColumn<QString>("message");
        QTest::newRow("cleared: simplex") << "" << "440.00000" << QByteArray("\x00\x00", 2) << "";
        QTest::newRow("plus, rounded down") << "445.0031" << "445.00000" << QByteArray("\x20\x43", 2) << "";
        QTest::newRow("minus, rounded up") << "435.0032" << "435.00625" << QByteArray("\x1F\x83", 2) << "";
        QTest::newRow("above band") << "471" << "470.00000" << QByteArray("\xC0\x52", 2)
                                    << "The frequecy number come amiss!";
        QTest::newRow("not a number") << "44..5" << "470.00000" << QByteArray("\xC0\x52", 2)
                                      << "Frequecy is Out of range.";
    }
    void typedTx()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, offsetBytes);
        QFETCH(QString, message);
        makeChannel(8, 440.0, 450.0);
        enter(8, ColTx, typed);
        QCOMPARE(messageTexts(), message.isEmpty() ? QStringList() : QStringList{message});
        QCOMPARE(text(8, ColTx), shown);
        QCOMPARE(text(8, ColRx), QStringLiteral("440.00000"));
        QCOMPARE(record(8).mid(3, 2).toHex(' '), offsetBytes.toHex(' '));
        TChannel ch;
        QVERIFY(DecodeChannel(8, ch));
        QCOMPARE(mhzText(ch.TxFrequency), shown);
        QVERIFY(AppState.Modified);
    }

    void rxChangeKeepsTx()
    {
        makeChannel(10, 440.0, 445.0);
        WriteChannelField(10, FieldEncodeTone, QStringLiteral("7"));
        reopen();
        const QByteArray before = record(10);
        enter(10, ColRx, QStringLiteral("436.0031"));
        QCOMPARE(text(10, ColRx), QStringLiteral("436.00000"));
        QCOMPARE(text(10, ColTx), QStringLiteral("445.00000"));
        QCOMPARE(text(10, ColEncode), QStringLiteral("82.5"));
        // RX, offset (9 MHz) and direction change; every other byte stays.
        const QByteArray after = record(10);
        QCOMPARE(after.left(5).toHex(' '), QByteArray("80 10 01 a0 45"));
        QCOMPARE(after.mid(5).toHex(' '), before.mid(5).toHex(' '));
        QVERIFY(messageTexts().isEmpty());
    }

    void txOutOfReach_data()
    {
        // In the wide band a TX can lie further than 70 MHz from RX; it is brought to
        // RX +/- 70 MHz after one message.
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::newRow("TX far above") << int(ColTx) << "300" << "150.00000" << "220.00000";
        QTest::newRow("TX far below") << int(ColTx) << "140" << "150.00000" << "140.00000";
        QTest::newRow("TX above band and far") << int(ColTx) << "600" << "150.00000" << "220.00000";
        QTest::newRow("RX moved away from TX") << int(ColRx) << "400" << "400.00000" << "330.00000";
        QTest::newRow("exactly 70 MHz") << int(ColTx) << "220" << "150.00000" << "220.00000";
    }
    void txOutOfReach()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        useWideBand();
        makeChannel(12, 150.0, 150.0);
        enter(12, column, typed);
        const bool far = QTest::currentDataTag() != QByteArray("TX far below")
                         && QTest::currentDataTag() != QByteArray("exactly 70 MHz");
        QCOMPARE(messageTexts(), far ? QStringList{"The frequecy number come amiss!"} : QStringList());
        QCOMPARE(text(12, ColRx), rx);
        QCOMPARE(text(12, ColTx), tx);
        TChannel ch;
        QVERIFY(DecodeChannel(12, ch));
        QCOMPARE(mhzText(ch.RxFrequency), rx);
        QCOMPARE(mhzText(ch.TxFrequency), tx);
    }

    void nameTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("trimmed, cut, upper case") << " abc def " << "ABC DE" << QByteArray("\x0E\x0F\x10\x0A\x11\x12", 6);
        QTest::newRow("signs") << "a-1*+" << "A-1*+" << QByteArray("\x0E\x0B\x01\x0C\x0D\xFF", 6);
        QTest::newRow("other keys dropped") << "x!y@z#" << "XYZ" << QByteArray("\x25\x26\x27\xFF\xFF\xFF", 6);
        QTest::newRow("cleared") << "" << "" << QByteArray(6, '\xFF');
    }
    void nameTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QByteArray, stored);
        makeChannel(20, 440.0, 440.0);
        WriteChannelField(20, FieldName, QStringLiteral("OLD"));
        reopen();
        enter(20, ColName, typed);
        QCOMPARE(text(20, ColName), shown);
        QCOMPARE(record(20).mid(10).toHex(' '), stored.toHex(' '));
        QVERIFY(AppState.Modified);
    }

    void keyFilters_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::newRow("RX: digits and point") << int(ColRx) << "4x3a5,-.+5 " << "435.50000";
        QTest::newRow("TX: digits and point") << int(ColTx) << "q44e2.0" << "442.00000";
        QTest::newRow("Name: letters, digits, space, * + -") << int(ColName) << "a1.b,c*d" << "A1BC*D";
        QTest::newRow("a dropped first key opens nothing") << int(ColRx) << "z" << "440.00000";
    }
    void keyFilters()
    {
        QFETCH(int, column);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        makeChannel(7, 440.0, 440.0);
        grid()->setCurrentCell(6, column);
        grid()->setFocus();
        type(typed);
        const bool opened = QApplication::focusWidget() != grid();
        QCOMPARE(opened, typed != QLatin1String("z"));
        if (opened)
            key(Qt::Key_Return);
        QCOMPARE(text(7, column), shown);
        QCOMPARE(QApplication::focusWidget(), grid());
    }

    void listEditors_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("editorName");
        QTest::addColumn<int>("keyPressed");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("field");   // decoded field checked in the image
        QTest::addColumn<int>("stored");
        QTest::newRow("power") << int(ColPower) << "cxPower" << int(Qt::Key_Up) << "High" << "Low" << int(FieldTxPower) << 0;
        QTest::newRow("W/N") << int(ColWn) << "cxWn" << int(Qt::Key_Up) << "Wide" << "Narrow" << int(FieldBandwidth) << 0;
        QTest::newRow("scan") << int(ColScan) << "cxScan" << int(Qt::Key_Up) << "Del" << "Add" << int(FieldScanDelete) << 0;
        QTest::newRow("compander") << int(ColCompander) << "cxHave" << int(Qt::Key_Up) << "No" << "Yes" << int(FieldCompander) << 0;
        QTest::newRow("scrambler") << int(ColScrambler) << "cxHave" << int(Qt::Key_Up) << "No" << "Yes" << int(FieldScrambler) << 0;
        QTest::newRow("busy lock") << int(ColBusyLock) << "cxBclo" << int(Qt::Key_Up) << "No" << "Yes" << int(FieldBusyLock) << 0;
        QTest::newRow("epilogue") << int(ColEpilogue) << "cxTxRev" << int(Qt::Key_Up) << "On" << "Off" << int(FieldEpilogue) << 0;
        QTest::newRow("decode tone") << int(ColDecode) << "cxQT" << int(Qt::Key_Down) << "None" << "67.0" << int(FieldDecodeTone) << 1;
        QTest::newRow("encode tone") << int(ColEncode) << "cxQT" << int(Qt::Key_Down) << "None" << "67.0" << int(FieldEncodeTone) << 1;
    }
    void listEditors()
    {
        QFETCH(int, column);
        QFETCH(QString, editorName);
        QFETCH(int, keyPressed);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(int, field);
        QFETCH(int, stored);
        auto *box = form()->findChild<QComboBox *>(editorName);
        QVERIFY(box);

        // Nothing opens on a row without data.
        click(14, column);
        QVERIFY(!box->isVisible());

        enter(15, ColRx, QStringLiteral("440"));
        AppState.Modified = false;
        const ImageBytes untouched = AppState.Image;
        click(15, column);
        QVERIFY(box->isVisible());
        QVERIFY(box->hasFocus() || box->isAncestorOf(QApplication::focusWidget()));
        QCOMPARE(box->currentText(), before);
        QCOMPARE(box->width(), grid()->columnWidth(column));
        const QRect r = grid()->visualRect(grid()->model()->index(14, column));
        QCOMPARE(box->pos(), r.topLeft() + QPoint(2, 2));
        QVERIFY(AppState.Image == untouched);   // showing the editor writes nothing
        QVERIFY(!AppState.Modified);

        key(Qt::Key(keyPressed));
        QCOMPARE(text(15, column), after);
        QVERIFY(AppState.Modified);
        TChannel ch;
        QVERIFY(DecodeChannel(15, ch));
        const int decoded = field == FieldTxPower ? ch.TxPower : field == FieldBandwidth ? ch.Bandwidth
                          : field == FieldScanDelete ? ch.ScanDelete : field == FieldCompander ? ch.Compander
                          : field == FieldScrambler ? ch.Scrambler : field == FieldBusyLock ? ch.BusyLock
                          : field == FieldEpilogue ? ch.Epilogue : field == FieldDecodeTone ? ch.DecodeTone
                                                                                             : ch.EncodeTone;
        QCOMPARE(decoded, stored);
        QCOMPARE(value(15, column), QString::number(stored));

        // Enter hides the editor and gives the focus back to the grid.
        key(Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(QApplication::focusWidget(), grid());
    }

    void listEditorFollowsTheCell()
    {
        enter(1, ColRx, QStringLiteral("440"));
        enter(2, ColRx, QStringLiteral("441"));
        WriteChannelField(2, FieldTxPower, QStringLiteral("0"));
        m_window->RefreshViews(0);   // the current channel is 2
        QCOMPARE(text(2, ColPower), QStringLiteral("Low"));
        auto *power = editor("cxPower");
        click(1, ColPower);
        QCOMPARE(power->currentText(), QStringLiteral("High"));
        click(2, ColPower);
        QCOMPARE(power->currentText(), QStringLiteral("Low"));
        click(2, ColWn);
        QVERIFY(!power->isVisible());
        QVERIFY(editor("cxWn")->isVisible());
        click(2, ColName);
        QVERIFY(!editor("cxWn")->isVisible());
    }

    void toneTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("a CTCSS tone") << "88.5" << "88.5" << "9";
        QTest::newRow("a DCS code") << "D023I" << "D023I" << "157";
        QTest::newRow("the second D532N is reached as the first") << "D532N" << "D532N" << "135";
        QTest::newRow("not in the list") << "150.0" << "D754I" << "262";
        QTest::newRow("letters other than D, I, N are dropped") << "D0x2y3Nz" << "D023N" << "51";
    }
    void toneTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        enter(30, ColRx, QStringLiteral("440"));
        WriteChannelField(30, FieldDecodeTone, QStringLiteral("262"));
        m_window->RefreshViews(0);
        auto *box = editor<ToneBox>("cxQT");
        click(30, ColDecode);
        QVERIFY(box->isVisible());
        QCOMPARE(box->currentText(), QStringLiteral("D754I"));
        box->lineEdit()->selectAll();
        type(typed);
        key(Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(text(30, ColDecode), shown);
        QCOMPARE(value(30, ColDecode), stored);
        TChannel ch;
        QVERIFY(DecodeChannel(30, ch));
        QCOMPARE(ch.DecodeTone, stored.toInt());
        click(30, ColDecode);
        QCOMPARE(box->currentText(), shown);
    }

    // The second of two equal codes ("D532N" is listed twice) stays what it is when
    // its tone field is visited and left without a change.
    void toneFieldLeftUnchanged_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("stored");
        QTest::newRow("decode, Enter") << "enter" << int(ColDecode) << 136;
        QTest::newRow("encode, Enter") << "enter" << int(ColEncode) << 242;
        QTest::newRow("decode, another cell") << "click" << int(ColDecode) << 136;
        QTest::newRow("encode, a command") << "command" << int(ColEncode) << 242;
    }
    void toneFieldLeftUnchanged()
    {
        QFETCH(QString, how);
        QFETCH(int, column);
        QFETCH(int, stored);
        makeChannel(31, 440.0, 440.0);
        WriteChannelField(31, column == ColDecode ? FieldDecodeTone : FieldEncodeTone, QString::number(stored));
        reopen();
        AppState.Modified = false;
        const ImageBytes before = AppState.Image;
        auto *box = editor<ToneBox>("cxQT");
        click(31, column);
        QVERIFY(box->isVisible());
        if (how == QLatin1String("enter"))
            key(Qt::Key_Return);
        else if (how == QLatin1String("click"))
            click(31, ColWn);
        else
            m_window->ExecCommand(99);
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        QCOMPARE(value(31, column), QString::number(stored));
        QVERIFY(!AppState.Modified);
    }

    void tonePicked_data()
    {
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QString>("radioName");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("modified");
        QTest::newRow("67.0") << "gvCtcss" << "rCTCSS" << 0 << 1 << "67.0" << 1 << true;
        QTest::newRow("D023N") << "gvDcsN" << "rDCSN" << 0 << 1 << "D023N" << 51 << true;
        // Picking the tone the cell already holds is a pick all the same.
        QTest::newRow("88.5 again") << "gvCtcss" << "rCTCSS" << 8 << 1 << "88.5" << 9 << true;
        QTest::newRow("D143N is not in the list") << "gvDcsN" << "rDCSN" << 10 << 3 << "88.5" << 9 << false;
        QTest::newRow("code letters pick nothing") << "gvCtcss" << "rCTCSS" << 0 << 2 << "88.5" << 9 << false;
    }
    void tonePicked()
    {
        QFETCH(QString, gridName);
        QFETCH(QString, radioName);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, shown);
        QFETCH(int, stored);
        QFETCH(bool, modified);
        enter(40, ColRx, QStringLiteral("440"));
        WriteChannelField(40, FieldEncodeTone, QStringLiteral("9"));
        m_window->RefreshViews(0);
        AppState.Modified = false;
        auto *box = editor<ToneBox>("cxQT");
        click(40, ColEncode);
        QVERIFY(box->isVisible());
        const QByteArray g = gridName.toLatin1(), r = radioName.toLatin1();
        onPicker([g, r, row, column](TfToneOption *picker) { doubleClickCode(picker, g, r, row, column); });
        QTest::mouseDClick(box->lineEdit(), Qt::LeftButton);
        QCOMPARE(box->currentText(), shown);
        QCOMPARE(text(40, ColEncode), shown);
        QCOMPARE(value(40, ColEncode), QString::number(stored));
        TChannel ch;
        QVERIFY(DecodeChannel(40, ch));
        QCOMPARE(ch.EncodeTone, stored);
        QCOMPARE(AppState.Modified, modified);
    }

    void commandCommitsPendingEdit()
    {
        click(3, ColRx);
        type(QStringLiteral("435.5"));
        QVERIFY(IsChannelEmpty(3));
        m_window->findChild<QAction *>(QStringLiteral("nChInfo"))->trigger();
        QCOMPARE(text(3, ColRx), QStringLiteral("435.50000"));
        QVERIFY(!IsChannelEmpty(3));
        QVERIFY(AppState.Modified);
        // An open list editor is hidden by the next command.
        click(3, ColPower);
        QVERIFY(editor("cxPower")->isVisible());
        m_window->ExecCommand(99);
        QVERIFY(!editor("cxPower")->isVisible());
    }

    void anotherWindowCommitsPendingEdit()
    {
        QWidget *other = m_window->ShowChild(cmd::ChannelEdit);
        QVERIFY(other);
        click(4, ColRx);
        type(QStringLiteral("441"));
        QVERIFY(IsChannelEmpty(4));
        auto *area = m_window->findChild<QMdiArea *>();
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(other->parentWidget()));
        QCOMPARE(text(4, ColRx), QStringLiteral("441.00000"));
        QVERIFY(!IsChannelEmpty(4));
        // The same for a list editor left open: it is hidden.
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(form()->parentWidget()));
        click(4, ColWn);
        QVERIFY(editor("cxWn")->isVisible());
        area->setActiveSubWindow(qobject_cast<QMdiSubWindow *>(other->parentWidget()));
        QVERIFY(!editor("cxWn")->isVisible());
    }

    void closingWhileEditing()
    {
        click(4, ColRx);
        type(QStringLiteral("44"));
        QPointer<TfChInfo> grid = form();
        qobject_cast<QMdiSubWindow *>(grid->parentWidget())->close();
        QTRY_VERIFY(grid.isNull());
        m_window->RefreshViews(1);
        click(4, ColRx);
        type(QStringLiteral("44"));
        m_window->RefreshViews(1);   // the image replaced while a cell is open
        QVERIFY(form());
    }

    void currentChannelFollowsSelection()
    {
        m_window->ExecCommand(cmd::ChannelEdit);
        RecordingEditor::loads = 0;
        click(7, ColName);
        QCOMPARE(AppState.CurrentChannel, 7);
        QCOMPARE(RecordingEditor::loads, 1);
        click(7, ColRx);
        QCOMPARE(RecordingEditor::loads, 1);   // the same channel
        grid()->setFocus();
        key(Qt::Key_Down);
        QCOMPARE(AppState.CurrentChannel, 8);
        QCOMPARE(RecordingEditor::loads, 2);
        // Every write from the grid tells the editor too.
        type(QStringLiteral("440"));
        key(Qt::Key_Return);
        QVERIFY(RecordingEditor::loads > 2);
        // The editor's changes reach the row of the current channel.
        WriteChannelField(8, FieldName, QStringLiteral("EDITED"));
        m_window->RefreshViews(0);
        QCOMPARE(text(8, ColName), QStringLiteral("EDITED"));
    }

    void printRows()
    {
        makeChannel(2, 440.0, 445.0);
        SetChannelRx(9, 450.0);
        WriteChannelField(9, FieldEpilogue, QStringLiteral("0"));
        WriteChannelField(9, FieldName, QStringLiteral("NINE"));
        reopen();
        Printing.myAdo.clear();
        form()->FillPrintRows();
        const QList<QStringList> expected{
            {"", "", "", ""},
            {"No.2", "", "", ""},
            {"RX Frequency", "440.00000", "TX Frequency", "445.00000"},
            {"TX Stop", "No", "QT/DQT Dec", "None"},
            {"QT/DQT Enc", "None", "TX Power", "High"},
            {"W/N", "Wide", "Scan Add", "Del"},
            {"Compander", "No", "Scrambler", "No"},
            {"Busy Lock", "No", "", ""},
            {"No.9", "", "", ""},
            {"RX Frequency", "450.00000", "TX Frequency", "450.00000"},
            {"TX Stop", "No", "QT/DQT Dec", "None"},
            {"QT/DQT Enc", "None", "TX Power", "High"},
            {"W/N", "Wide", "Scan Add", "Del"},
            {"Compander", "No", "Scrambler", "No"},
            {"Busy Lock", "No", "", ""},
        };
        const auto check = [&expected] {
            QCOMPARE(Printing.myAdo.size(), expected.size());
            for (int i = 0; i < expected.size(); ++i) {
                const PrintItemRow &row = Printing.myAdo[i];
                QCOMPARE(row.TypeID, 8);
                QCOMPARE(row.TypeName, QStringLiteral("Channel Information"));
                QCOMPARE((QStringList{row.AField, row.AValue, row.BField, row.BValue}), expected[i]);
            }
        };
        check();

        // A window that was never shown fills itself first, and leaves the current
        // channel alone.
        AppState.CurrentChannel = 5;
        Printing.myAdo.clear();
        {
            TfChInfo temporary;
            temporary.FillPrintRows();
        }
        check();
        QCOMPARE(AppState.CurrentChannel, 5);
    }

    void closingFreesTheWindow()
    {
        QPointer<TfChInfo> grid = form();
        auto *sub = qobject_cast<QMdiSubWindow *>(grid->parentWidget());
        sub->close();
        QTRY_VERIFY(grid.isNull());
        QVERIFY(!m_window->child(cmd::MemoryChannel));
        m_window->ExecCommand(cmd::MemoryChannel);
        QVERIFY(form());
        QVERIFY(form() != grid.data());
    }

    void translated()
    {
        const QByteArray language =
            "[fChInfo]\r\n"
            "fChInfo.Caption=Kanal\r\n"
            "BColText.1=RX-F\r\n"
            "BColText.13=\xC3\xFB\xB3\xC6\r\n"   // GBK
            "gvData.3=Never\r\n"
            "cxPower.1=HOCH\r\n"
            "cxQT.0=Kein\r\n"
            "cxQT.1=Wrong\r\n";
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("Test.Ini")), language));
        AppState.LanguageName = QStringLiteral("Test");
        AppState.LanguageIndex = 1;
        reopen();
        QCOMPARE(form()->windowTitle(), QStringLiteral("Kanal"));
        QTableWidget *gv = grid();
        QCOMPARE(gv->horizontalHeaderItem(ColRx)->text(), QStringLiteral("RX-F"));
        QCOMPARE(gv->horizontalHeaderItem(ColName)->text(), QString::fromUtf8("名称"));
        QCOMPARE(gv->horizontalHeaderItem(ColTx)->text(), QStringLiteral("TX Frequency"));
        QCOMPARE(gv->horizontalHeaderItem(ColNo)->text(), QStringLiteral("No."));

        enter(1, ColRx, QStringLiteral("440"));
        QCOMPARE(text(1, ColPower), QStringLiteral("HOCH"));
        QCOMPARE(text(1, ColDecode), QStringLiteral("Kein"));
        QCOMPARE(editor("cxQT")->itemText(1), QStringLiteral("67.0"));
        Printing.myAdo.clear();
        form()->FillPrintRows();
        QCOMPARE(Printing.myAdo[2].AField, QStringLiteral("RX-F"));
        QCOMPARE(Printing.myAdo[4].BValue, QStringLiteral("HOCH"));

        // An emptied tone field keeps the stored tone.
        click(1, ColDecode);
        key(Qt::Key_Down);
        QCOMPARE(text(1, ColDecode), QStringLiteral("67.0"));
        auto *box = editor<ToneBox>("cxQT");
        box->lineEdit()->clear();
        key(Qt::Key_Return);
        QCOMPARE(text(1, ColDecode), QStringLiteral("67.0"));
    }
};

QTEST_MAIN(TestChannelGrid)
#include "tst_channelgrid.moc"
