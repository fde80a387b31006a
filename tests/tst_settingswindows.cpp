// The function settings windows inside the main window: what picking an item of
// each list writes into the image, the bytes the windows carry along unchanged,
// the key functions found by text, the priority channel, the FM grid rules, the
// serial number, the translation when they fill, and their rows of the report.
#include "testsupport.h"
#include "core/printtables.h"
#include "core/textcodec.h"
#include "editors/editorwindows.h"
#include "editors/fmfun.h"
#include "editors/keyfun.h"
#include "editors/optfun.h"
#include "editors/radioinfo.h"
#include "editors/scanfun.h"
#include "editors/voxfun.h"
#include "image/channelcodec.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/settingsblock.h"
#include "shell/mainwindow.h"
#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <memory>

namespace {

// Bytes the windows hold without showing them, set to values other than their
// defaults so that a window writing them back wrongly shows.
const QList<QPair<int, int>> CarriedBytes{
    {setting::VoiceLanguage, 1},   {setting::OpenTone, 0},  {setting::HighVoltageInhibitTx, 1},
    {setting::LowVoltageInhibitTx, 1}, {setting::VoxDelay, 4}, {setting::VoxInhibitOnReceive, 0},
    {setting::ScanSpeed, 7},       {setting::ScanDropoutDelay, 20}, {setting::FmStep, 3},
};

// Picks an item the way a user does: opens the list and clicks the item.
void pick(QComboBox *box, const QString &text)
{
    QVERIFY(box);
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("%1 has no item %2").arg(box->objectName(), text)));
    box->showPopup();
    QAbstractItemView *view = box->view();
    const QModelIndex item = view->model()->index(index, box->modelColumn(), view->rootIndex());
    view->scrollTo(item, QAbstractItemView::PositionAtCenter);
    // The last items of a long list may be cut off at the bottom of the popup.
    const QRect shown = view->visualRect(item) & view->viewport()->rect();
    QVERIFY(!shown.isEmpty());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, shown.center());
    QVERIFY(!view->isVisible());
}

QString imageText(int at, int size)
{
    QString text;
    for (int i = 0; i < size; ++i)
        text += QChar(AppState.Image[at + i]);
    return text;
}

} // namespace

class TestSettingsWindows : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfMainFrm> m_window;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;

    QWidget *open(int code)
    {
        m_window->ExecCommand(code);
        return m_window->child(code);
    }

    template<typename Widget>
    static Widget *part(QWidget *window, const QString &name)
    {
        return window ? window->findChild<Widget *>(name) : nullptr;
    }

    // A language file named Chinese in the test's folder, written as the shipped
    // ones are (GBK), and made the current language.
    void useLanguage(const QString &ini)
    {
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("Chinese.Ini")), encodeText(ini)));
        AppState.LanguageName = QStringLiteral("Chinese");
        AppState.LanguageIndex = 1;
    }

    // Clicks a frequency cell of the FM grid and types into its editor.
    void typeIntoCell(QTableWidget *grid, int row, int column, const QString &keys)
    {
        QVERIFY(grid);
        const QRect cell = grid->visualRect(grid->model()->index(row, column));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QCOMPARE(editor->selectedText(), editor->text());   // the whole text is selected
        if (keys.isEmpty())
            QTest::keyClick(editor, Qt::Key_Backspace);
        else
            QTest::keyClicks(editor, keys);
        QTest::keyClick(editor, Qt::Key_Return);
        // The grid takes the text over once the key has been handled.
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        RegisterEditorWindows();
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        Printing = PrintTables();
    }

    void cleanup()
    {
        m_window.reset();
        m_messages.reset();
    }

    void showingPlacesTheWindowAndChangesNothing_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("caption");
        QTest::newRow("radio information") << int(cmd::RadioInformation) << "fInfoMsg" << "Radio Information";
        QTest::newRow("optional function") << int(cmd::OptionalFunction) << "fOptFun" << "Optional Function";
        QTest::newRow("key function") << int(cmd::KeyFunction) << "fKeyFun" << "Key Function";
        QTest::newRow("vox") << int(cmd::VoxFunction) << "fVoxFun" << "Vox Function";
        QTest::newRow("scan") << int(cmd::ScanInformation) << "fScanFun" << "Scan Information";
        QTest::newRow("fm") << int(cmd::FmInformation) << "fFmFun" << "FM Information";
    }
    void showingPlacesTheWindowAndChangesNothing()
    {
        QFETCH(int, command);
        QFETCH(QString, object);
        QFETCH(QString, caption);
        testsupport::fillPattern();
        NormalizeSettings();
        const ImageBytes before = AppState.Image;
        AppState.Modified = false;

        QWidget *window = open(command);
        QVERIFY(window);
        QCOMPARE(window->objectName(), object);
        QCOMPARE(window->windowTitle(), caption);
        auto *frame = qobject_cast<QMdiSubWindow *>(window->parentWidget());
        QVERIFY(frame);
        QCOMPARE(frame->pos(), QPoint(20, 20));
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        QVERIFY(!AppState.Modified);

        // A second command brings the same window forward.
        QCOMPARE(open(command), window);

        auto *close = part<QPushButton>(window, QStringLiteral("btnCancel"));
        QVERIFY(close);
        QCOMPARE(close->text(), QStringLiteral("&Close"));
        QTest::mouseClick(close, Qt::LeftButton);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!m_window->child(command));
        QVERIFY(!AppState.Modified);
    }

    void listItems_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("list");
        QTest::addColumn<QStringList>("items");
        const QStringList offOn{"Off", "On"};
        QTest::newRow("channel display") << int(cmd::OptionalFunction) << "cxSMode" << QStringList{"Chs Freq.", "Chs Name"};
        QTest::newRow("volume") << int(cmd::OptionalFunction) << "cxVol"
                                << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15"};
        QTest::newRow("squelch") << int(cmd::OptionalFunction) << "cxSQL"
                                 << QStringList{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("time-out") << int(cmd::OptionalFunction) << "cxTOT"
                                  << QStringList{"Off", "30", "60", "90", "120", "150", "180", "210", "240", "270", "300"};
        QTest::newRow("dual watch") << int(cmd::OptionalFunction) << "cxDW" << offOn;
        QTest::newRow("lamp") << int(cmd::OptionalFunction) << "cxLamp" << QStringList{"Off", "Auto", "On"};
        QTest::newRow("key tone") << int(cmd::OptionalFunction) << "cxKeyTone" << QStringList{"Off", "Tone", "Voice"};
        QTest::newRow("key lock") << int(cmd::OptionalFunction) << "cxKeyLock" << QStringList{"Auto", "Manual"};
        QTest::newRow("battery save") << int(cmd::OptionalFunction) << "cxRate" << QStringList{"OFF", "1:1", "1:2", "1:3", "1:4"};
        QTest::newRow("incept alarm") << int(cmd::OptionalFunction) << "cxAlt" << offOn;
        QTest::newRow("power off") << int(cmd::OptionalFunction) << "cxAPO"
                                   << QStringList{"Off", "30", "60", "90", "120", "150", "180"};
        QTest::newRow("key 1") << int(cmd::KeyFunction) << "cxKey1"
                               << QStringList{"OFF", "Monmome", "Electricity", "Tx 1750Hz", "Alarm-1", "Alarm-2"};
        QTest::newRow("key 2") << int(cmd::KeyFunction) << "cxKey2"
                               << QStringList{"OFF", "Monmome", "Electricity", "Tx 1750Hz", "Alarm-1", "Alarm-2"};
        QTest::newRow("vox gain") << int(cmd::VoxFunction) << "cxVox"
                                  << QStringList{"Off", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
        QTest::newRow("vox delay") << int(cmd::VoxFunction) << "cxVoxDely"
                                   << QStringList{"0.5", "1.0", "1.5", "2.0", "2.5", "3.0"};
        QTest::newRow("scan mode") << int(cmd::ScanInformation) << "cxScanMode" << QStringList{"TE", "SO", "CO"};
        QTest::newRow("scan speed") << int(cmd::ScanInformation) << "cxScanSpeed"
                                    << QStringList{"50", "100", "150", "200", "250", "300", "350", "400", "450", "500"};
        QTest::newRow("priority") << int(cmd::ScanInformation) << "cxPriority" << QStringList{"No", "Yes"};
        QTest::newRow("fm step") << int(cmd::FmInformation) << "cxFMStep" << QStringList{"25", "50", "100", "200", "500"};
    }
    void listItems()
    {
        QFETCH(int, command);
        QFETCH(QString, list);
        QFETCH(QStringList, items);
        auto *box = part<QComboBox>(open(command), list);
        QVERIFY(box);
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        QCOMPARE(texts, items);
    }

    void lengthsOfLongLists()
    {
        auto *delay = part<QComboBox>(open(cmd::ScanInformation), QStringLiteral("cxScanDely"));
        auto *channel = part<QComboBox>(m_window->child(cmd::ScanInformation), QStringLiteral("cxPriCh"));
        QVERIFY(delay && channel);
        QCOMPARE(delay->count(), 28);
        QCOMPARE(delay->itemText(27), QStringLiteral("30"));
        QCOMPARE(channel->count(), 108);
        QCOMPARE(channel->itemText(107), QStringLiteral("108"));
        auto *volume = part<QComboBox>(open(cmd::FmInformation), QStringLiteral("cxFMVol"));
        QVERIFY(volume);
        QCOMPARE(volume->count(), 16);
    }

    // Picking an item writes its value into the list's byte and rewrites the other
    // bytes of the window unchanged; every other byte of the image stays as it was.
    void pickingWritesTheByte_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("value");
        const int opt = cmd::OptionalFunction;
        QTest::newRow("Chs Name") << opt << "cxSMode" << 1861 << 0 << "Chs Name" << 1;
        QTest::newRow("volume 7") << opt << "cxVol" << 1859 << 15 << "7" << 7;
        QTest::newRow("squelch 0") << opt << "cxSQL" << 1864 << 4 << "0" << 0;
        QTest::newRow("time-out 300") << opt << "cxTOT" << 1865 << 8 << "300" << 10;
        QTest::newRow("time-out off") << opt << "cxTOT" << 1865 << 8 << "Off" << 0;
        QTest::newRow("dual watch on") << opt << "cxDW" << 1863 << 0 << "On" << 1;
        QTest::newRow("lamp auto") << opt << "cxLamp" << 1866 << 0 << "Auto" << 1;
        QTest::newRow("lamp on") << opt << "cxLamp" << 1866 << 1 << "On" << 2;
        QTest::newRow("key tone") << opt << "cxKeyTone" << 1868 << 2 << "Tone" << 1;
        QTest::newRow("key lock auto") << opt << "cxKeyLock" << 1867 << 1 << "Auto" << 0;
        QTest::newRow("battery 1:2") << opt << "cxRate" << 1869 << 4 << "1:2" << 2;
        QTest::newRow("incept alarm on") << opt << "cxAlt" << 1885 << 0 << "On" << 1;
        QTest::newRow("power off 180") << opt << "cxAPO" << 1875 << 0 << "180" << 6;
        const int key = cmd::KeyFunction;
        QTest::newRow("key 1 electricity") << key << "cxKey1" << 1876 << 0 << "Electricity" << 3;
        QTest::newRow("key 1 tx 1750") << key << "cxKey1" << 1876 << 3 << "Tx 1750Hz" << 4;
        QTest::newRow("key 2 alarm-2") << key << "cxKey2" << 1877 << 1 << "Alarm-2" << 6;
        QTest::newRow("key 2 off") << key << "cxKey2" << 1877 << 1 << "OFF" << 0;
        const int vox = cmd::VoxFunction;
        QTest::newRow("vox gain 5") << vox << "cxVox" << 1872 << 0 << "5" << 5;
        QTest::newRow("vox gain off") << vox << "cxVox" << 1872 << 3 << "Off" << 0;
        const int scan = cmd::ScanInformation;
        QTest::newRow("scan mode CO") << scan << "cxScanMode" << 1880 << 0 << "CO" << 2;
        QTest::newRow("priority yes") << scan << "cxPriority" << 1883 << 0 << "Yes" << 1;
        QTest::newRow("priority channel 25") << scan << "cxPriCh" << 1884 << 0 << "25" << 24;
        QTest::newRow("priority channel 108") << scan << "cxPriCh" << 1884 << 0 << "108" << 107;
        QTest::newRow("fm volume 3") << int(cmd::FmInformation) << "cxFMVol" << 1860 << 15 << "3" << 3;
    }
    void pickingWritesTheByte()
    {
        QFETCH(int, command);
        QFETCH(QString, list);
        QFETCH(int, byte);
        QFETCH(int, before);
        QFETCH(QString, item);
        QFETCH(int, value);
        for (const auto &[at, carried] : CarriedBytes)
            AppState.Image[at] = std::uint8_t(carried);
        AppState.Image[setting::PriorityScan] = 1;   // so that the channel list can be used
        AppState.Image[byte] = std::uint8_t(before);
        ImageBytes expected = AppState.Image;
        expected[byte] = std::uint8_t(value);
        AppState.Modified = false;

        auto *box = part<QComboBox>(open(command), list);
        QVERIFY(box);
        QVERIFY(box->isEnabled());
        QVERIFY(!AppState.Modified);
        pick(box, item);
        QCOMPARE(box->currentText(), item);
        QCOMPARE(int(AppState.Image[byte]), value);
        QVERIFY(AppState.Modified);
        QCOMPARE(testsupport::firstDifference(AppState.Image, expected), QString());
    }

    // The lists the windows do not show still show their byte's item, and a change
    // of a shown list writes their bytes back as they were.
    void hiddenListsKeepTheirBytes_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("hidden");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shows");
        QTest::addColumn<QString>("shownList");
        QTest::addColumn<QString>("item");
        const int opt = cmd::OptionalFunction;
        QTest::newRow("voice language") << opt << "cxVoice" << 1870 << 1 << "English" << "cxLamp" << "On";
        QTest::newRow("open tone") << opt << "cxOpenTone" << 1871 << 0 << "Off" << "cxLamp" << "On";
        QTest::newRow("high voltage") << opt << "cxHighVol" << 1886 << 1 << "On" << "cxVol" << "3";
        QTest::newRow("low voltage") << opt << "cxLowVol" << 1887 << 1 << "On" << "cxVol" << "3";
        QTest::newRow("vox delay") << int(cmd::VoxFunction) << "cxVoxDely" << 1873 << 4 << "2.5" << "cxVox" << "9";
        QTest::newRow("vox inhibit") << int(cmd::VoxFunction) << "cxRxDis" << 1874 << 0 << "No" << "cxVox" << "9";
        QTest::newRow("scan speed") << int(cmd::ScanInformation) << "cxScanSpeed" << 1881 << 7 << "400"
                                    << "cxScanMode" << "SO";
        QTest::newRow("dropout delay") << int(cmd::ScanInformation) << "cxScanDely" << 1882 << 27 << "30"
                                       << "cxScanMode" << "SO";
        QTest::newRow("fm step") << int(cmd::FmInformation) << "cxFMStep" << 1879 << 4 << "500" << "cxFMVol" << "0";
    }
    void hiddenListsKeepTheirBytes()
    {
        QFETCH(int, command);
        QFETCH(QString, hidden);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, shows);
        QFETCH(QString, shownList);
        QFETCH(QString, item);
        AppState.Image[byte] = std::uint8_t(value);
        QWidget *window = open(command);
        auto *box = part<QComboBox>(window, hidden);
        QVERIFY(box);
        QVERIFY(box->isHidden());
        QCOMPARE(box->currentText(), shows);
        pick(part<QComboBox>(window, shownList), item);
        QVERIFY(AppState.Modified);
        QCOMPARE(int(AppState.Image[byte]), value);
    }

    // A byte holding a value its list has no item for: the list shows nothing,
    // and changing another list leaves that byte as it was.
    void valueWithoutItemIsKept_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("list");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("otherList");
        QTest::addColumn<QString>("item");
        const int opt = cmd::OptionalFunction;
        QTest::newRow("time-out 20") << opt << "cxTOT" << 1865 << 20 << "cxDW" << "On";
        QTest::newRow("channel display 0xFF") << opt << "cxSMode" << 1861 << 0xFF << "cxDW" << "On";
        QTest::newRow("hidden high voltage 0x80") << opt << "cxHighVol" << 1886 << 0x80 << "cxLamp" << "Off";
        QTest::newRow("dropout delay 28") << int(cmd::ScanInformation) << "cxScanDely" << 1882 << 28
                                          << "cxScanMode" << "CO";
    }
    void valueWithoutItemIsKept()
    {
        QFETCH(int, command);
        QFETCH(QString, list);
        QFETCH(int, byte);
        QFETCH(int, value);
        QFETCH(QString, otherList);
        QFETCH(QString, item);
        AppState.Image[byte] = std::uint8_t(value);
        QWidget *window = open(command);
        auto *box = part<QComboBox>(window, list);
        QVERIFY(box);
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->currentText(), QString());
        pick(part<QComboBox>(window, otherList), item);
        QVERIFY(AppState.Modified);
        QCOMPARE(int(AppState.Image[byte]), value);
        QCOMPARE(box->currentIndex(), -1);
    }

    void keyByteShowsFunction_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("shows");
        QTest::newRow("0") << 0 << "OFF";
        QTest::newRow("1") << 1 << "Monmome";
        QTest::newRow("2, not offered") << 2 << "OFF";
        QTest::newRow("3") << 3 << "Electricity";
        QTest::newRow("4") << 4 << "Tx 1750Hz";
        QTest::newRow("5") << 5 << "Alarm-1";
        QTest::newRow("6") << 6 << "Alarm-2";
    }
    void keyByteShowsFunction()
    {
        QFETCH(int, value);
        QFETCH(QString, shows);
        AppState.Image[setting::Key1Function] = std::uint8_t(value);
        AppState.Image[setting::Key2Function] = std::uint8_t(value);
        QWidget *window = open(cmd::KeyFunction);
        QCOMPARE(part<QComboBox>(window, QStringLiteral("cxKey1"))->currentText(), shows);
        QCOMPARE(part<QComboBox>(window, QStringLiteral("cxKey2"))->currentText(), shows);
        QCOMPARE(int(AppState.Image[setting::Key1Function]), value);
        QVERIFY(!AppState.Modified);
    }

    void newImageKeysAreElectricityAndMonmome()
    {
        QWidget *window = open(cmd::KeyFunction);
        QCOMPARE(part<QComboBox>(window, QStringLiteral("cxKey1"))->currentText(), QStringLiteral("Electricity"));
        QCOMPARE(part<QComboBox>(window, QStringLiteral("cxKey2"))->currentText(), QStringLiteral("Monmome"));
        auto *master = part<QComboBox>(window, QStringLiteral("cxKey_List"));
        QVERIFY(master && master->isHidden());
        QCOMPARE(master->count(), 7);
        QCOMPARE(master->itemText(2), QStringLiteral("Light"));
    }

    // "Light", shown as "OFF", becomes 0 with the first change of either key.
    void lightBecomesOffWithTheFirstChange()
    {
        AppState.Image[setting::Key1Function] = 2;
        QWidget *window = open(cmd::KeyFunction);
        QCOMPARE(int(AppState.Image[setting::Key1Function]), 2);
        pick(part<QComboBox>(window, QStringLiteral("cxKey2")), QStringLiteral("Alarm-1"));
        QCOMPARE(int(AppState.Image[setting::Key1Function]), 0);
        QCOMPARE(int(AppState.Image[setting::Key2Function]), 5);
    }

    void priorityChannelFollowsPriority()
    {
        AppState.Image[setting::PriorityScan] = 0;
        AppState.Image[setting::PriorityChannel] = 30;
        QWidget *window = open(cmd::ScanInformation);
        auto *priority = part<QComboBox>(window, QStringLiteral("cxPriority"));
        auto *channel = part<QComboBox>(window, QStringLiteral("cxPriCh"));
        QVERIFY(priority && channel);
        QVERIFY(!channel->isEnabled());
        QCOMPARE(channel->currentText(), QStringLiteral("31"));

        pick(priority, QStringLiteral("Yes"));
        QVERIFY(channel->isEnabled());
        QCOMPARE(int(AppState.Image[setting::PriorityScan]), 1);
        QCOMPARE(int(AppState.Image[setting::PriorityChannel]), 30);
        pick(channel, QStringLiteral("25"));
        QCOMPARE(int(AppState.Image[setting::PriorityChannel]), 24);

        // Switched off again, the list is greyed out and still stores its channel.
        pick(priority, QStringLiteral("No"));
        QVERIFY(!channel->isEnabled());
        QCOMPARE(channel->currentText(), QStringLiteral("25"));
        QCOMPARE(int(AppState.Image[setting::PriorityScan]), 0);
        QCOMPARE(int(AppState.Image[setting::PriorityChannel]), 24);
    }

    void fmWindowShowsTheImage()
    {
        QVERIFY(WriteFmChannel(0, QStringLiteral("88.1")));
        QVERIFY(WriteFmChannel(19, QStringLiteral("107.9")));
        QVERIFY(WriteFmChannel(imagemap::FmVfoIndex, QStringLiteral("99.5")));
        AppState.Image[setting::FmVolume] = 9;
        QWidget *window = open(cmd::FmInformation);
        auto *pages = part<QTabWidget>(window, QStringLiteral("PageControl1"));
        QVERIFY(pages);
        QCOMPARE(pages->tabText(0), QStringLiteral("Information"));
        QCOMPARE(pages->tabText(1), QStringLiteral("Memoney Channel"));
        QCOMPARE(part<QLineEdit>(window, QStringLiteral("eRx"))->text(), QStringLiteral("99.50000"));
        QCOMPARE(part<QComboBox>(window, QStringLiteral("cxFMVol"))->currentText(), QStringLiteral("9"));

        auto *grid = part<QTableWidget>(window, QStringLiteral("gvData"));
        QVERIFY(grid);
        QCOMPARE(grid->rowCount(), 10);
        QCOMPARE(grid->columnCount(), 4);
        const QStringList titles{"No.", "Frequancy[MHz]", "No.", "Frequancy[MHz]"};
        const QList<int> widths{50, 100, 50, 100};
        for (int c = 0; c < 4; ++c) {
            QCOMPARE(grid->horizontalHeaderItem(c)->text(), titles[c]);
            QCOMPARE(grid->columnWidth(c), widths[c]);
        }
        QCOMPARE(grid->item(0, 0)->text(), QStringLiteral("1"));
        QCOMPARE(grid->item(9, 2)->text(), QStringLiteral("20"));
        QCOMPARE(grid->item(0, 1)->text(), QStringLiteral("88.10000"));
        QCOMPARE(grid->item(9, 3)->text(), QStringLiteral("107.90000"));
        QCOMPARE(grid->item(1, 1)->text(), QString());   // an empty FM channel
        QVERIFY(!AppState.Modified);
    }

    // What a typed frequency becomes: held to 76..108 MHz without a message, on the
    // 25 kHz grid with 12.5 kHz rounding down; a text that is no number gives 76
    // MHz after a message. Keys other than digits and the point are dropped.
    void fmCellTyping_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("message");
        QTest::newRow("88.1") << "88.1" << "88.10000" << 3524 << false;
        QTest::newRow("remainder 12.5 kHz rounds down") << "88.1125" << "88.10000" << 3524 << false;
        QTest::newRow("just above rounds up") << "88.1126" << "88.12500" << 3525 << false;
        QTest::newRow("above 108") << "120" << "108.00000" << 4320 << false;
        QTest::newRow("below 76") << "50" << "76.00000" << 3040 << false;
        QTest::newRow("letters dropped") << "8a8.1x" << "88.10000" << 3524 << false;
        QTest::newRow("no number") << "1..2" << "76.00000" << 3040 << true;
    }
    void fmCellTyping()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(int, count);
        QFETCH(bool, message);
        auto *grid = part<QTableWidget>(open(cmd::FmInformation), QStringLiteral("gvData"));
        typeIntoCell(grid, 0, 1, keys);
        QCOMPARE(grid->item(0, 1)->text(), shown);
        QCOMPARE(int(bytes::get16(AppState.Image, imagemap::FmChannelTable)), count);
        QVERIFY(!bytes::bit(AppState.Image, imagemap::FmEmptyBits, 0));
        QVERIFY(AppState.Modified);
        if (message) {
            QCOMPARE(m_messages->messages.size(), 1);
            QCOMPARE(m_messages->messages[0].caption, QStringLiteral("Caution"));
            QCOMPARE(m_messages->messages[0].text, QStringLiteral("Frequecy is Out of range."));
            QCOMPARE(m_messages->messages[0].kind, int(MsgInformation));
        } else {
            QVERIFY(m_messages->messages.isEmpty());
        }
    }

    void fmCellOfTheFourthColumn()
    {
        auto *grid = part<QTableWidget>(open(cmd::FmInformation), QStringLiteral("gvData"));
        const ImageBytes before = AppState.Image;
        typeIntoCell(grid, 2, 3, QStringLiteral("100"));
        QCOMPARE(DecodeFmChannel(12), 100.0);
        QCOMPARE(int(bytes::get16(AppState.Image, imagemap::FmChannelTable + 2 * 12)), 4000);
        ImageBytes expected = before;
        bytes::put16(expected, imagemap::FmChannelTable + 2 * 12, 4000);
        bytes::setBit(expected, imagemap::FmEmptyBits, 12, false);
        QCOMPARE(testsupport::firstDifference(AppState.Image, expected), QString());
    }

    void fmClearedCellEmptiesTheChannel()
    {
        QVERIFY(WriteFmChannel(4, QStringLiteral("100.0")));
        const ImageBytes before = AppState.Image;
        auto *grid = part<QTableWidget>(open(cmd::FmInformation), QStringLiteral("gvData"));
        QCOMPARE(grid->item(4, 1)->text(), QStringLiteral("100.00000"));
        typeIntoCell(grid, 4, 1, QString());
        QCOMPARE(grid->item(4, 1)->text(), QString());
        QCOMPARE(DecodeFmChannel(4), -1.0);
        QVERIFY(AppState.Modified);
        ImageBytes expected = before;
        bytes::setBit(expected, imagemap::FmEmptyBits, 4, true);   // the frequency bytes stay
        QCOMPARE(testsupport::firstDifference(AppState.Image, expected), QString());
    }

    void fmCellLeftUntouchedChangesNothing()
    {
        auto *grid = part<QTableWidget>(open(cmd::FmInformation), QStringLiteral("gvData"));
        const ImageBytes before = AppState.Image;
        const QRect cell = grid->visualRect(grid->model()->index(3, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        auto *editor = grid->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(testsupport::firstDifference(AppState.Image, before), QString());
        QVERIFY(!AppState.Modified);
    }

    void fmFrequencyModeField_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("count");
        QTest::newRow("cleared") << "" << "76.00000" << 3040;
        QTest::newRow("typed") << "88.1126" << "88.12500" << 3525;
        QTest::newRow("above") << "200" << "108.00000" << 4320;
    }
    void fmFrequencyModeField()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(int, count);
        QVERIFY(WriteFmChannel(imagemap::FmVfoIndex, QStringLiteral("100.0")));
        auto *field = part<QLineEdit>(open(cmd::FmInformation), QStringLiteral("eRx"));
        QVERIFY(field);
        QCOMPARE(field->text(), QStringLiteral("100.00000"));
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, keys);
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(field->text(), shown);
        QCOMPARE(int(bytes::get16(AppState.Image, imagemap::FmVfoFrequency)), count);
        QVERIFY(AppState.Modified);
        QVERIFY(m_messages->messages.isEmpty());
    }

    void serialNumberTyping_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("stored");
        QTest::newRow("letters upper-cased") << "ab12" << "AB12" << "AB12            ";
        QTest::newRow("cleared") << "" << "" << "                ";
        QTest::newRow("at most 16") << "abcdefghijklmnopqrs" << "ABCDEFGHIJKLMNOP" << "ABCDEFGHIJKLMNOP";
    }
    void serialNumberTyping()
    {
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, stored);
        EncodeSerialNumber(QStringLiteral("OLD123"));
        QWidget *window = open(cmd::RadioInformation);
        auto *serial = part<QLineEdit>(window, QStringLiteral("cxSerial"));
        QVERIFY(serial);
        QVERIFY(!serial->isReadOnly());
        QCOMPARE(serial->text(), QStringLiteral("OLD123          "));
        QVERIFY(!AppState.Modified);
        QTest::keyClick(serial, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(serial, Qt::Key_Backspace);
        QTest::keyClicks(serial, keys);
        QCOMPARE(serial->text(), shown);
        QCOMPARE(imageText(imagemap::SerialNumber, imagemap::SerialNumberSize), stored);
        QVERIFY(AppState.Modified);
    }

    // Typing into a text field as the window opens, or after clicking into it,
    // replaces the value that the field shows (the serial field is always full).
    void typingReplacesTheFieldValue_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("focusFirst");   // empty: type as the window opens
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("at");
        QTest::addColumn<QByteArray>("stored");
        const int info = cmd::RadioInformation;
        QTest::newRow("serial, window opened") << info << "cxSerial" << "" << "ab12" << "AB12"
                                               << int(imagemap::SerialNumber) << QByteArray("AB12            ");
        QTest::newRow("serial, clicked into") << info << "cxSerial" << "cxModel" << "ab12" << "AB12"
                                              << int(imagemap::SerialNumber) << QByteArray("AB12            ");
        const int fm = cmd::FmInformation;
        QTest::newRow("fm field, window opened") << fm << "eRx" << "" << "88.1" << "88.10000"
                                                 << int(imagemap::FmVfoFrequency) << QByteArray("\xC4\x0D", 2);
        QTest::newRow("fm field, clicked into") << fm << "eRx" << "cxFMVol" << "88.1" << "88.10000"
                                                << int(imagemap::FmVfoFrequency) << QByteArray("\xC4\x0D", 2);
    }
    void typingReplacesTheFieldValue()
    {
        QFETCH(int, command);
        QFETCH(QString, field);
        QFETCH(QString, focusFirst);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(int, at);
        QFETCH(QByteArray, stored);
        EncodeSerialNumber(QStringLiteral("OLD123"));
        QVERIFY(WriteFmChannel(imagemap::FmVfoIndex, QStringLiteral("100.0")));
        QWidget *window = open(command);
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        auto *edit = part<QLineEdit>(window, field);
        QVERIFY(edit);
        if (!focusFirst.isEmpty()) {
            auto *other = part<QWidget>(window, focusFirst);
            QVERIFY(other);
            other->setFocus(Qt::TabFocusReason);
            QVERIFY(other->hasFocus());
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->rect().center());
        }
        QCOMPARE(QApplication::focusWidget(), edit);
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(edit->text(), shown);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&AppState.Image[at]), stored.size()), stored);
        QVERIFY(AppState.Modified);
        QVERIFY(m_messages->messages.isEmpty());
    }

    void radioInformationFields()
    {
        QVERIFY(EncodeWriteTime(QStringLiteral("2024-03-05 07:08:09")));
        QWidget *window = open(cmd::RadioInformation);
        QCOMPARE(part<QLineEdit>(window, QStringLiteral("cxModel"))->text(), QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(part<QLineEdit>(window, QStringLiteral("cxFreq"))->text(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(part<QLineEdit>(window, QStringLiteral("cxRadioTime"))->text(), QStringLiteral("2024-03-05 07:08:09"));
        QCOMPARE(part<QLineEdit>(window, QStringLiteral("cxSerial"))->text(), QString(16, QLatin1Char(' ')));
        for (const char *readOnly : {"cxModel", "cxFreq", "cxRadioTime"})
            QVERIFY(part<QLineEdit>(window, QLatin1String(readOnly))->isReadOnly());
        QVERIFY(part<QPushButton>(window, QStringLiteral("btnOk"))->isHidden());
    }

    void headerRowOfTheReport_data()
    {
        QTest::addColumn<bool>("open");
        QTest::newRow("window open") << true;
        QTest::newRow("temporary window") << false;
    }
    void headerRowOfTheReport()
    {
        QFETCH(bool, open);
        EncodeSerialNumber(QStringLiteral("QX7"));
        if (open) {
            auto *window = qobject_cast<TfInfoMsg *>(this->open(cmd::RadioInformation));
            QVERIFY(window);
            window->FillPrintRows();
        } else {
            TfInfoMsg window;
            window.FillPrintRows();
        }
        QCOMPARE(Printing.myMain.size(), 1);
        QVERIFY(Printing.myAdo.isEmpty());
        const PrintHeaderRow &row = Printing.myMain[0];
        QCOMPARE(row.Title, QStringLiteral("ZE-4K"));
        QCOMPARE(row.AField, QStringLiteral("Model Type"));
        QCOMPARE(row.AValue, QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(row.BField, QStringLiteral("Frequency[MHz]"));
        QCOMPARE(row.BValue, QStringLiteral("400 - 470MHz"));
        QCOMPARE(row.CField, QStringLiteral("Serial Number"));
        QCOMPARE(row.CValue, QStringLiteral("QX7             "));
        QVERIFY(row.DFiled.isEmpty() && row.DValue.isEmpty());
        QVERIFY(!AppState.Modified);
    }

    // The item rows of the three windows that print, from a new image's settings.
    void itemRowsOfTheReport_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QStringList>("fields");
        QTest::addColumn<QStringList>("values");
        const QStringList optFields{"Volume", "Squelch level ", "TX Time Out[s]", "DW", "LAMP",
                                    "Key Tone", "Key Lock", "Battery Save", "Incept Alarm", "APO [Min]"};
        const QStringList optValues{"15", "4", "240", "Off", "Auto", "Voice", "Manual", "1:4", "Off", "Off"};
        QTest::newRow("optional, temporary") << int(cmd::OptionalFunction) << false << "Optional Function"
                                             << optFields << optValues;
        QTest::newRow("optional, open") << int(cmd::OptionalFunction) << true << "Optional Function"
                                        << optFields << optValues;
        QTest::newRow("key, temporary") << int(cmd::KeyFunction) << false << "Key Function"
                                        << QStringList{"Key - 1"} << QStringList{"Electricity"};
        QTest::newRow("vox, temporary") << int(cmd::VoxFunction) << false << "Vox Function"
                                        << QStringList{"VOX Gain Level", "VOX Delay Time[s]"}
                                        << QStringList{"Off", "1.0"};
        QTest::newRow("vox, open") << int(cmd::VoxFunction) << true << "Vox Function"
                                   << QStringList{"VOX Gain Level", "VOX Delay Time[s]"} << QStringList{"Off", "1.0"};
    }
    void itemRowsOfTheReport()
    {
        QFETCH(int, command);
        QFETCH(bool, open);
        QFETCH(QString, heading);
        QFETCH(QStringList, fields);
        QFETCH(QStringList, values);
        std::unique_ptr<QWidget> temporary;
        QWidget *window = nullptr;
        if (open) {
            window = this->open(command);
        } else {
            temporary.reset(command == cmd::OptionalFunction ? static_cast<QWidget *>(new TfOptFun)
                            : command == cmd::KeyFunction     ? static_cast<QWidget *>(new TfKeyFun)
                                                              : static_cast<QWidget *>(new TfVoxFun));
            window = temporary.get();
        }
        if (auto *opt = qobject_cast<TfOptFun *>(window))
            opt->FillPrintRows();
        else if (auto *key = qobject_cast<TfKeyFun *>(window))
            key->FillPrintRows();
        else if (auto *vox = qobject_cast<TfVoxFun *>(window))
            vox->FillPrintRows();
        else
            QFAIL("no window");

        QVERIFY(Printing.myMain.isEmpty());
        QCOMPARE(Printing.myAdo.size(), fields.size());
        for (int i = 0; i < fields.size(); ++i) {
            const PrintItemRow &row = Printing.myAdo[i];
            QCOMPARE(row.TypeID, 9);
            QCOMPARE(row.TypeName, heading);
            QCOMPARE(row.AField, fields[i]);
            QCOMPARE(row.AValue, values[i]);
            QVERIFY(row.BField.isEmpty() && row.BValue.isEmpty());
        }
        QVERIFY(!AppState.Modified);
    }

    // Filling a window translates it from the language file: the caption, labels,
    // tab sheets and the items of the lists that are translated, all or only the
    // first; the report rows follow.
    void windowsTranslateWhenTheyFill()
    {
        useLanguage(QStringLiteral("[fOptFun]\n"
                                   "fOptFun.Caption=可选功能\n"
                                   "Label1.Caption=音量\n"
                                   "Label3.Caption=发射限时[秒]\n"
                                   "cxTOT.0=关\n"
                                   "cxTOT.1=三十\n"
                                   "cxVol.0=零\n"
                                   "cxLamp.1=自动\n"
                                   "cxVoice.1=英文\n"
                                   "[fFmFun]\n"
                                   "tsChannel.Caption=存储频道\n"
                                   "Label5.Caption=频率[MHz]\n"));
        AppState.Image[setting::TxTimeOut] = 0;
        AppState.Image[setting::VoiceLanguage] = 1;
        QWidget *opt = open(cmd::OptionalFunction);
        QCOMPARE(opt->windowTitle(), QStringLiteral("可选功能"));
        auto *tot = part<QComboBox>(opt, QStringLiteral("cxTOT"));
        QCOMPARE(tot->itemText(0), QStringLiteral("关"));
        QCOMPARE(tot->itemText(1), QStringLiteral("30"));
        QCOMPARE(tot->currentIndex(), 0);
        QCOMPARE(part<QComboBox>(opt, QStringLiteral("cxVol"))->itemText(0), QStringLiteral("0"));
        QCOMPARE(part<QComboBox>(opt, QStringLiteral("cxLamp"))->currentText(), QStringLiteral("自动"));
        QCOMPARE(part<QComboBox>(opt, QStringLiteral("cxVoice"))->currentText(), QStringLiteral("英文"));

        qobject_cast<TfOptFun *>(opt)->FillPrintRows();
        QCOMPARE(Printing.myAdo[0].TypeName, QStringLiteral("可选功能"));
        QCOMPARE(Printing.myAdo[0].AField, QStringLiteral("音量"));
        QCOMPARE(Printing.myAdo[2].AField, QStringLiteral("发射限时[秒]"));
        QCOMPARE(Printing.myAdo[2].AValue, QStringLiteral("关"));

        QWidget *fm = open(cmd::FmInformation);
        QCOMPARE(part<QTabWidget>(fm, QStringLiteral("PageControl1"))->tabText(1), QStringLiteral("存储频道"));
        auto *grid = part<QTableWidget>(fm, QStringLiteral("gvData"));
        QCOMPARE(grid->horizontalHeaderItem(1)->text(), QStringLiteral("频率[MHz]"));
        QCOMPARE(grid->horizontalHeaderItem(3)->text(), QStringLiteral("频率[MHz]"));
        QVERIFY(!AppState.Modified);
    }

    // The keys find byte values by the text of the translated master list.
    void keyFunctionsMapByTextInEveryLanguage()
    {
        useLanguage(QStringLiteral("[fKeyFun]\n"
                                   "cxKey_List.0=关\n"
                                   "cxKey_List.2=照明\n"
                                   "cxKey_List.3=电量\n"
                                   "cxKey_List.4=1750Hz\n"));
        AppState.Image[setting::Key1Function] = 4;
        QWidget *window = open(cmd::KeyFunction);
        auto *key1 = part<QComboBox>(window, QStringLiteral("cxKey1"));
        QCOMPARE(key1->currentText(), QStringLiteral("1750Hz"));
        QCOMPARE(key1->itemText(2), QStringLiteral("电量"));
        QCOMPARE(key1->findText(QStringLiteral("照明")), -1);
        pick(key1, QStringLiteral("电量"));
        QCOMPARE(int(AppState.Image[setting::Key1Function]), 3);
        pick(key1, QStringLiteral("关"));
        QCOMPARE(int(AppState.Image[setting::Key1Function]), 0);
    }
};

QTEST_MAIN(TestSettingsWindows)
#include "tst_settingswindows.moc"
