// The port dialog, and the read and write dialogs against a virtual radio, driven as
// a user would: which ports can be picked, what Ok stores, what the user sees while
// a clone runs, and how each dialog ends.
#include "testsupport.h"
#include "core/apppaths.h"
#include "core/inifile.h"
#include "core/textcodec.h"
#include "editors/portdialog.h"
#include "editors/readdialog.h"
#include "editors/writedialog.h"
#include "image/channelcodec.h"
#include "image/image.h"
#include "image/models.h"
#include "link/serialports.h"
#include "pty.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include "virtualradio.h"
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A whole clone takes a few seconds; this only catches a hang.
constexpr int CloneTimeoutMs = 60000;
constexpr int ImageRadioBytes = VirtualRadio::MemorySize;

template<typename T = QWidget>
T *part(const QObject *window, const QString &name)
{
    T *p = window->findChild<T *>(name);
    if (!p)
        qFatal("%s has no %s", qPrintable(window->objectName()), qPrintable(name));
    return p;
}

QRadioButton *portButton(const QObject *dialog, int n)
{
    return part<QRadioButton>(dialog, QStringLiteral("cxPort%1").arg(n));
}

QProgressBar *progressOf(const QObject *dialog) { return part<QProgressBar>(dialog, QStringLiteral("pBar")); }
QPushButton *okOf(const QObject *dialog) { return part<QPushButton>(dialog, QStringLiteral("btnOk")); }
QPushButton *cancelOf(const QObject *dialog) { return part<QPushButton>(dialog, QStringLiteral("btnCancel")); }

QByteArray radioPart(const ImageBytes &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), ImageRadioBytes);
}

// Ports left to the fixed device map, so that their tool tips show where it looks.
constexpr int UnmappedPorts[] = {9, 13};

bool isUnmapped(int n)
{
    return std::find(std::begin(UnmappedPorts), std::end(UnmappedPorts), n) != std::end(UnmappedPorts);
}

// Every message shown, for a failure report.
QString messageTexts(const testsupport::MessageRecorder &recorder)
{
    QStringList texts;
    for (const auto &m : recorder.messages)
        texts << m.text;
    return QStringLiteral("messages: ") + texts.join(QStringLiteral(" / "));
}

// What the user saw at the moment a message came up.
struct Snapshot
{
    QString text;
    bool dialogVisible = false;
    int progress = -1;
    bool okEnabled = false;
};

} // namespace

class TestLinkDialogs : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    // Devices that exist while the test holds them.
    std::vector<std::unique_ptr<PseudoTerminal>> m_devices;
    std::unique_ptr<VirtualRadio> m_radio;
    // Port number to device path, for the ports that exist in this test.
    QMap<int, QString> m_present;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QString missingDevice(int n) const { return path(QStringLiteral("no-device-%1").arg(n)); }

    // The settings file names the language in use and maps every port button but a
    // few to a device of this test: COM4, COM17 and COM25 exist, COM5 is the radio
    // once it runs, the others do not exist. It is written before the program state is
    // created from it.
    void startWith(int languageIndex, const QString &portName)
    {
        QByteArray ini = "[SysInfo]\r\nCom=" + portName.toLatin1() + "\r\nDefaultLanguage="
                         + QByteArray::number(languageIndex)
                         + "\r\nLanguage=English|Chinese\r\nEnglish=English|Chinese\r\n"
                           "Chinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\n\r\n[Ports]\r\n";
        for (int n = 1; n <= 25; ++n) {
            if (isUnmapped(n) || (n > 20 && !m_present.contains(n)))
                continue;
            const QString device = m_present.value(n, missingDevice(n));
            ini += "COM" + QByteArray::number(n) + '=' + device.toLocal8Bit() + "\r\n";
        }
        QVERIFY(testsupport::writeFile(path(QStringLiteral("SysInfo.Ini")), ini));
        testsupport::freshState(m_dir->path());
        QCOMPARE(AppState.LanguageIndex, languageIndex);
        QCOMPARE(AppState.PortName, portName);
    }

    // A radio on COM5, the current port.
    void startRadio(const QByteArray &modelCode = QByteArray(), const RadioFaults &faults = RadioFaults())
    {
        RadioOptions options;
        options.modelCode = modelCode;
        options.faults = faults;
        m_radio = std::make_unique<VirtualRadio>(options);
        QString error;
        QVERIFY2(m_radio->start(&error), qPrintable(error));
        m_present.insert(5, m_radio->devicePath());
        startWith(0, QStringLiteral("COM5"));
    }

    // An image as the program makes it, with a few channels of its own, for a model;
    // the radio then holds it, and the program is back on a fresh image of the first model.
    void giveRadioAnImage(const QString &modelCode, const QString &bandText, quint8 bandCode, QByteArray *memory)
    {
        QVERIFY(SelectModelAndBand(modelCode, bandText, bandCode, true));
        NewImage();
        RefreshIdentBlock();
        WriteChannelField(1, FieldRxFrequency, QStringLiteral("446.00625"));
        WriteChannelField(7, FieldRxFrequency, QStringLiteral("430.5"));
        WriteChannelField(108, FieldRxFrequency, QStringLiteral("469.9875"));
        *memory = radioPart(AppState.Image);
        m_radio->setMemory(*memory);
        SelectStartModel();
        AppState.Modified = false;
    }

    void shipLanguageFiles()
    {
        for (const char *name : {"English.Ini", "Chinese.Ini"}) {
            const QString source = QFINDTESTDATA(QStringLiteral("../lang/") + QLatin1String(name));
            QVERIFY(QFile::copy(source, path(QLatin1String(name))));
        }
    }

    QString shippedText(const char *language, const char *section, const char *key) const
    {
        const IniFile ini(path(QLatin1String(language) + QStringLiteral(".Ini")));
        return decodeText(ini.value(section, key).value_or(QByteArray()));
    }

    // The messages shown and the last exchanges on the cable, for a failure report.
    QString linkReport(const testsupport::MessageRecorder &messages) const
    {
        QStringList lines{messageTexts(messages)};
        if (m_radio) {
            const QList<TraceEntry> &trace = m_radio->trace();
            for (qsizetype i = qMax<qsizetype>(0, trace.size() - 8); i < trace.size(); ++i)
                lines << trace[i].toString();
        }
        return lines.join(QLatin1Char('\n'));
    }

    // Runs a command that shows a modal dialog; answer acts on the dialog once it is up.
    // A dialog still up after the time-out is closed, and the test fails.
    void runModal(TfMainFrm &window, int code, std::function<void(QDialog *)> answer, QString *dialogName)
    {
        QTimer::singleShot(0, [answer, dialogName] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                *dialogName = dialog->objectName();
                answer(dialog);
            }
        });
        bool hung = false;
        QTimer guard;
        guard.setSingleShot(true);
        connect(&guard, &QTimer::timeout, [&hung] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                hung = true;
                dialog->reject();
            }
        });
        guard.start(CloneTimeoutMs);
        window.ExecCommand(code);
        QVERIFY2(!hung, "the dialog did not end");
    }

private slots:
    void initTestCase()
    {
        TfMainFrm::RegisterChildWindow(cmd::MemoryChannel, [] { return new QWidget; });
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
        m_devices.clear();
        m_present.clear();
        for (int n : {4, 17, 25}) {
            m_devices.push_back(std::make_unique<PseudoTerminal>());
            QString error;
            QVERIFY2(m_devices.back()->open(&error), qPrintable(error));
            m_present.insert(n, m_devices.back()->slavePath());
        }
    }

    void cleanup()
    {
        SetFileDialogHandlers(nullptr, nullptr);
        m_radio.reset();
        m_devices.clear();
        m_dir.reset();
    }

    // ---- port dialog ----

    void portButtonsFollowTheListedPorts()
    {
        startWith(0, QStringLiteral("COM4"));
        QStringList listed;
        ListSerialPorts(&listed);
        QVERIFY(listed.contains(QStringLiteral("COM4")));
        QVERIFY(listed.contains(QStringLiteral("COM17")));
        QVERIFY(listed.contains(QStringLiteral("COM25")));

        TfSetPort dialog;
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Communication Port"));
        QCOMPARE(part<QGroupBox>(&dialog, QStringLiteral("cxPort"))->title(), QStringLiteral("Communication Port"));
        QCOMPARE(okOf(&dialog)->text(), QStringLiteral("&Ok"));
        QCOMPARE(cancelOf(&dialog)->text(), QStringLiteral("&Cancel"));
        auto *lbName = part<QLabel>(&dialog, QStringLiteral("lbName"));
        QVERIFY(!lbName->isVisible());
        QCOMPARE(lbName->text(), QStringLiteral("Port:"));
        auto *cbCom = part<QComboBox>(&dialog, QStringLiteral("cbCom"));
        QVERIFY(!cbCom->isVisible());
        QStringList hidden;
        for (int i = 0; i < cbCom->count(); ++i)
            hidden << cbCom->itemText(i);
        QCOMPARE(hidden, listed);

        for (int n = 1; n <= TfSetPort::ButtonCount; ++n) {
            QRadioButton *button = portButton(&dialog, n);
            QCOMPARE(button->text(), QStringLiteral("COM%1").arg(n));
            QCOMPARE(button->isChecked(), n == 4);
            if (isUnmapped(n))
                continue;   // a device of this machine may be there
            QCOMPARE(button->isEnabled(), m_present.contains(n));
            QCOMPARE(button->toolTip(), m_present.value(n, missingDevice(n)));
        }
        // Without a [Ports] entry the tool tip names the device of the fixed map.
        QCOMPARE(portButton(&dialog, 9)->toolTip(), QStringLiteral("/dev/ttyACM0"));
        QCOMPARE(portButton(&dialog, 13)->toolTip(), QStringLiteral("/dev/ttyS0"));
    }

    // Four columns of five: 1-5, 6-10, 11-15, 16-20.
    void portButtonsInFourColumns()
    {
        startWith(0, QStringLiteral("COM1"));
        TfSetPort dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int n = 1; n <= TfSetPort::ButtonCount; ++n) {
            const QPoint at = portButton(&dialog, n)->pos();
            QCOMPARE(at.x(), portButton(&dialog, (n - 1) / 5 * 5 + 1)->pos().x());
            QCOMPARE(at.y(), portButton(&dialog, (n - 1) % 5 + 1)->pos().y());
            if (n % 5 != 1)
                QVERIFY(at.y() > portButton(&dialog, n - 1)->pos().y());
            if (n > 5)
                QVERIFY(at.x() > portButton(&dialog, n - 5)->pos().x());
        }
    }

    void portChoice_data()
    {
        QTest::addColumn<QString>("portName");
        QTest::addColumn<int>("checked");   // 0: none
        QTest::addColumn<int>("click");     // 0: none
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("stored");
        QTest::newRow("present and current") << "COM4" << 4 << 0 << "btnOk" << "COM4";
        QTest::newRow("another present port picked") << "COM4" << 4 << 17 << "btnOk" << "COM17";
        QTest::newRow("absent port stays current") << "COM7" << 7 << 0 << "btnOk" << "COM7";
        QTest::newRow("absent port, present one picked") << "COM7" << 7 << 4 << "btnOk" << "COM4";
        QTest::newRow("absent port cannot be picked") << "COM4" << 4 << 7 << "btnOk" << "COM4";
        QTest::newRow("settings default") << "Com1" << 1 << 0 << "btnOk" << "COM1";
        QTest::newRow("leading zero") << "COM04" << 4 << 0 << "btnOk" << "COM4";
        QTest::newRow("port above 20") << "COM25" << 0 << 0 << "btnOk" << "COM25";
        QTest::newRow("no number") << "" << 0 << 0 << "btnOk" << "";
        QTest::newRow("cancel") << "COM4" << 4 << 17 << "btnCancel" << "COM4";
    }

    void portChoice()
    {
        QFETCH(QString, portName);
        QFETCH(int, checked);
        QFETCH(int, click);
        QFETCH(QString, button);
        QFETCH(QString, stored);
        startWith(0, portName);
        TfSetPort dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (int n = 1; n <= TfSetPort::ButtonCount; ++n)
            QCOMPARE(portButton(&dialog, n)->isChecked(), n == checked);
        if (click)
            QTest::mouseClick(portButton(&dialog, click), Qt::LeftButton);
        QTest::mouseClick(part<QPushButton>(&dialog, button), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(AppState.PortName, stored);
    }

    // The close box changes nothing either.
    void portDialogClosedByTheCloseBox()
    {
        startWith(0, QStringLiteral("COM4"));
        TfSetPort dialog;
        dialog.show();
        QTest::mouseClick(portButton(&dialog, 17), Qt::LeftButton);
        QVERIFY(portButton(&dialog, 17)->isChecked());
        QVERIFY(dialog.close());
        QCOMPARE(AppState.PortName, QStringLiteral("COM4"));
    }

    void portDialogTranslated_data()
    {
        QTest::addColumn<int>("languageIndex");
        QTest::newRow("first language: built-in texts") << 0;
        QTest::newRow("second language: from its file") << 1;
    }

    // A translated dialog names its buttons after the translated hidden label,
    // directly followed by the number.
    void portDialogTranslated()
    {
        QFETCH(int, languageIndex);
        shipLanguageFiles();
        startWith(languageIndex, QStringLiteral("COM17"));
        TfSetPort dialog;
        dialog.show();
        QString caption = QStringLiteral("Communication Port");
        QString prefix = QStringLiteral("COM");
        QString ok = QStringLiteral("&Ok");
        if (languageIndex > 0) {
            caption = shippedText("Chinese", "fSetPort", "fSetPort.Caption");
            prefix = shippedText("Chinese", "fSetPort", "lbName.Caption");
            ok = shippedText("Chinese", "fSetPort", "btnOk.Caption");
            QCOMPARE(prefix, QString::fromUtf8("端口"));
            QCOMPARE(part<QLabel>(&dialog, QStringLiteral("lbName"))->text(), prefix);
        }
        QCOMPARE(dialog.windowTitle(), caption);
        QCOMPARE(part<QGroupBox>(&dialog, QStringLiteral("cxPort"))->title(), caption);
        QCOMPARE(okOf(&dialog)->text(), ok);
        for (int n = 1; n <= TfSetPort::ButtonCount; ++n)
            QCOMPARE(portButton(&dialog, n)->text(), prefix + QString::number(n));
        // The captions are only captions: the name stored is "COM" and the number.
        QVERIFY(portButton(&dialog, 17)->isChecked());
        QTest::mouseClick(portButton(&dialog, 4), Qt::LeftButton);
        QTest::mouseClick(okOf(&dialog), Qt::LeftButton);
        QCOMPARE(AppState.PortName, QStringLiteral("COM4"));
    }

    // The port command runs the dialog and shows the port chosen in the status bar.
    void portCommand()
    {
        startWith(0, QStringLiteral("COM4"));
        testsupport::MessageRecorder messages;
        TfMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.statusPanel(3)->text(), QStringLiteral("Port: COM4"));
        QString shown;
        runModal(window, cmd::CommunicationPort, [](QDialog *dialog) {
            QTest::mouseClick(portButton(dialog, 17), Qt::LeftButton);
            QTest::mouseClick(okOf(dialog), Qt::LeftButton);
        }, &shown);
        QCOMPARE(shown, QStringLiteral("fSetPort"));
        QCOMPARE(AppState.PortName, QStringLiteral("COM17"));
        QCOMPARE(window.statusPanel(3)->text(), QStringLiteral("Port: COM17"));
        QVERIFY(messages.messages.isEmpty());
    }

    // ---- read and write dialogs ----

    void cloneDialogTexts_data()
    {
        QTest::addColumn<QString>("dialogName");
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QString>("caption");
        for (int language : {0, 1}) {
            const QByteArray suffix = language ? ", translated" : "";
            QTest::newRow("read" + suffix) << "fReadRadio" << language << "Read data From radio";
            QTest::newRow("write" + suffix) << "fWriteRadio" << language << "Write data to radio";
        }
    }

    void cloneDialogTexts()
    {
        QFETCH(QString, dialogName);
        QFETCH(int, languageIndex);
        QFETCH(QString, caption);
        shipLanguageFiles();
        startWith(languageIndex, QStringLiteral("COM4"));
        testsupport::MessageRecorder messages;
        std::unique_ptr<QDialog> dialog;
        if (dialogName == QLatin1String("fReadRadio"))
            dialog = std::make_unique<TfReadRadio>();
        else
            dialog = std::make_unique<TfWriteRadio>();
        dialog->show();
        QCOMPARE(dialog->objectName(), dialogName);
        QString ok = QStringLiteral("&Ok");
        QString cancel = QStringLiteral("&Cancel");
        if (languageIndex > 0) {
            const QByteArray section = dialogName.toLatin1();
            caption = shippedText("Chinese", section, section + ".Caption");
            ok = shippedText("Chinese", section, "btnOk.Caption");
            cancel = shippedText("Chinese", section, "btnCancel.Caption");
            QVERIFY(!caption.isEmpty() && !ok.isEmpty() && !cancel.isEmpty());
        }
        QCOMPARE(dialog->windowTitle(), caption);
        QCOMPARE(okOf(dialog.get())->text(), ok);
        QCOMPARE(cancelOf(dialog.get())->text(), cancel);
        QCOMPARE(progressOf(dialog.get())->maximum(), 126);
        QCOMPARE(progressOf(dialog.get())->value(), 0);
        QVERIFY(okOf(dialog.get())->isEnabled());
        QVERIFY(messages.messages.isEmpty());
        // Nothing is sent before Ok, and the port is closed with the dialog.
        QTest::mouseClick(cancelOf(dialog.get()), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        QVERIFY(messages.messages.isEmpty());
    }

    // The radio holds an image of the other model. While it is read the user sees Ok
    // disabled and the progress moving to its end; "Reading Completed." comes up over
    // the open dialog, the dialog closes itself a moment later, and only then does the
    // main window show the new image.
    void readThroughTheMainWindow()
    {
        startRadio(QByteArrayLiteral("4k46"));
        QByteArray radioMemory;
        giveRadioAnImage(QStringLiteral("4k46"), QStringLiteral("400 - 520MHz"), 0xF6, &radioMemory);
        QCOMPARE(AppState.ModelCode, QStringLiteral("4k45"));

        TfMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Bytes the radio does not hold keep what they were.
        testsupport::putBytes(AppState.Image, ImageRadioBytes, QByteArray(16, '\x5A'));
        const ImageBytes before = AppState.Image;
        // The image came from a file; after the read it no longer does.
        SetFileDialogHandlers(nullptr, [this](QWidget *) { return path(QStringLiteral("old.dat")); });
        QVERIFY(window.DoSaveAs());
        QVERIFY(!window.currentFile().isEmpty());
        QVERIFY(!AppState.Modified);
        QWidget *gridBefore = window.child(cmd::MemoryChannel);
        QVERIFY(gridBefore);

        TfReadRadio *dialog = nullptr;
        QList<int> progress;
        QList<bool> okWhileReading;
        QList<Snapshot> seen;
        bool imageUntouchedAtMessage = false;
        bool gridUntouchedAtMessage = false;
        testsupport::MessageRecorder messages;
        SetMsgHandler([&](const QString &, const QString &text, int) {
            seen.append({text, dialog && dialog->isVisible(), dialog ? progressOf(dialog)->value() : -1,
                         dialog && okOf(dialog)->isEnabled()});
            imageUntouchedAtMessage = AppState.Image == before;
            gridUntouchedAtMessage = window.child(cmd::MemoryChannel) == gridBefore;
            return int(MsgOk);
        });
        QString shown;
        runModal(window, cmd::ReadFromRadio, [&](QDialog *d) {
            dialog = qobject_cast<TfReadRadio *>(d);
            connect(progressOf(d), &QProgressBar::valueChanged, d, [&, d](int value) {
                progress.append(value);
                okWhileReading.append(okOf(d)->isEnabled());
            });
            QVERIFY(okOf(d)->isEnabled());
            QTest::mouseClick(okOf(d), Qt::LeftButton);
            QVERIFY(!okOf(d)->isEnabled());
        }, &shown);
        QCOMPARE(shown, QStringLiteral("fReadRadio"));

        QCOMPARE(seen.size(), 1);
        QCOMPARE(seen[0].text, QStringLiteral("Reading Completed."));
        QVERIFY(seen[0].dialogVisible);
        QCOMPARE(seen[0].progress, 126);
        QVERIFY(!seen[0].okEnabled);
        QVERIFY(imageUntouchedAtMessage);
        QVERIFY(gridUntouchedAtMessage);

        // The bar moved a block at a time up to its end, with Ok disabled all along.
        QVERIFY(progress.size() > 100);
        QVERIFY(std::is_sorted(progress.begin(), progress.end()));
        QCOMPARE(progress.last(), 126);
        QVERIFY(!okWhileReading.contains(true));

        // The image, the model and the main window are the radio's now.
        QCOMPARE(radioPart(AppState.Image), radioMemory);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(AppState.Image.data()) + ImageRadioBytes, 16),
                 QByteArray(16, '\x5A'));
        QCOMPARE(AppState.ModelCode, QStringLiteral("4k46"));
        QVERIFY(AppState.Modified);
        QVERIFY(window.currentFile().isEmpty());
        QCOMPARE(window.windowTitle(), AppState.ProductName + AppState.VersionText);
        QCOMPARE(window.statusPanel(4)->text(), QStringLiteral("ZE-4K(MHF)"));
        QVERIFY(window.child(cmd::MemoryChannel));
        QVERIFY(window.child(cmd::MemoryChannel) != gridBefore);
        QVERIFY(!m_radio->inProgrammingMode());
    }

    // A backup that cannot be written shows in the status bar; the read still completes.
    void failedBackupIsShownAndTheReadCompletes()
    {
        startRadio();
        QDir(AppPaths::backupDir()).removeRecursively();
        QVERIFY(testsupport::writeFile(QDir::cleanPath(AppPaths::backupDir()), "a file, not a folder"));
        TfMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.statusPanel(6)->text().isEmpty());
        testsupport::MessageRecorder messages;
        QString shown;
        runModal(window, cmd::ReadFromRadio, [](QDialog *d) { QTest::mouseClick(okOf(d), Qt::LeftButton); }, &shown);
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, QStringLiteral("Reading Completed."));
        QVERIFY(AppState.Modified);
        QVERIFY2(window.statusPanel(6)->text().startsWith(QStringLiteral("Cannot create the backup folder")),
                 qPrintable(window.statusPanel(6)->text()));
    }

    // A read that cannot start reports nothing to the main window.
    void failedReadLeavesTheMainWindowAlone()
    {
        startWith(0, QStringLiteral("COM7"));
        TfMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        AppState.PortName = QStringLiteral("COM7");
        SetFileDialogHandlers(nullptr, [this](QWidget *) { return path(QStringLiteral("kept.dat")); });
        QVERIFY(window.DoSaveAs());
        const QString file = window.currentFile();
        QWidget *grid = window.child(cmd::MemoryChannel);
        const ImageBytes before = AppState.Image;
        testsupport::MessageRecorder messages;
        QString shown;
        // Nobody presses anything: the dialog ends by itself after its message.
        runModal(window, cmd::ReadFromRadio, [](QDialog *) {}, &shown);
        QCOMPARE(shown, QStringLiteral("fReadRadio"));
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, QStringLiteral("Cannot Open Commcmication Port."));
        QCOMPARE(window.currentFile(), file);
        QCOMPARE(window.child(cmd::MemoryChannel), grid);
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
    }

    void portFailureClosesTheDialog_data()
    {
        QTest::addColumn<QString>("dialogName");
        QTest::newRow("read") << "fReadRadio";
        QTest::newRow("write") << "fWriteRadio";
    }

    // A port that cannot be opened: the message, then the dialog closes by itself.
    void portFailureClosesTheDialog()
    {
        QFETCH(QString, dialogName);
        startWith(0, QStringLiteral("COM7"));
        std::unique_ptr<QDialog> dialog;
        if (dialogName == QLatin1String("fReadRadio"))
            dialog = std::make_unique<TfReadRadio>();
        else
            dialog = std::make_unique<TfWriteRadio>();
        testsupport::MessageRecorder messages;
        dialog->show();
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].caption, QStringLiteral("Confirmation"));
        QCOMPARE(messages.messages[0].text, QStringLiteral("Cannot Open Commcmication Port."));
        QCOMPARE(messages.messages[0].kind, int(MsgInformation));
        QVERIFY(dialog->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->isVisible(), CloneTimeoutMs);
        QCOMPARE(messages.messages.size(), 1);
        if (auto *read = qobject_cast<TfReadRadio *>(dialog.get()))
            QVERIFY(!read->readCompleted());
    }

    // After "Writing Completed." the dialog stays open with Ok enabled and the bar
    // back at 0, and Ok writes again; Cancel then closes it at once.
    void writeStaysOpenAndWritesAgain()
    {
        startRadio();
        WriteChannelField(3, FieldRxFrequency, QStringLiteral("433.125"));
        QList<Snapshot> seen;
        TfWriteRadio dialog;
        testsupport::MessageRecorder recorder;   // removes the handler below at the end
        SetMsgHandler([&](const QString &, const QString &text, int) {
            seen.append({text, dialog.isVisible(), progressOf(&dialog)->value(), okOf(&dialog)->isEnabled()});
            return int(MsgOk);
        });
        QSignalSpy written(&dialog.session(), &WriteSession::writeCompleted);
        QList<int> progress;
        connect(progressOf(&dialog), &QProgressBar::valueChanged, &dialog, [&](int v) { progress.append(v); });
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));

        for (int round = 1; round <= 2; ++round) {
            progress.clear();
            QTest::mouseClick(okOf(&dialog), Qt::LeftButton);
            QVERIFY(!okOf(&dialog)->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(written.size() == round || !dialog.isVisible(), CloneTimeoutMs);
            QVERIFY2(written.size() == round, qPrintable(seen.isEmpty() ? QString() : seen.last().text));
            QCOMPARE(seen.size(), round);
            QCOMPARE(seen.last().text, QStringLiteral("Writing Completed."));
            QVERIFY(seen.last().dialogVisible);
            QCOMPARE(seen.last().progress, 126);
            QVERIFY(!seen.last().okEnabled);
            QVERIFY(progress.size() > 100);
            QVERIFY(std::is_sorted(progress.begin(), progress.end() - 1));
            QCOMPARE(progress.last(), 0);
            QVERIFY(dialog.isVisible());
            QVERIFY(okOf(&dialog)->isEnabled());
            QCOMPARE(progressOf(&dialog)->value(), 0);
            QCOMPARE(m_radio->memory(), radioPart(AppState.Image));
            QVERIFY(!m_radio->inProgrammingMode());
        }
        // Still open a good while later: only the user closes it.
        QTest::qWait(1000);
        QVERIFY(dialog.isVisible());
        QCOMPARE(seen.size(), 2);

        QTest::mouseClick(cancelOf(&dialog), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.session().isPortOpen());
    }

    void writeCommand()
    {
        startRadio();
        WriteChannelField(3, FieldRxFrequency, QStringLiteral("433.125"));
        TfMainFrm window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        testsupport::MessageRecorder messages;
        QString shown;
        runModal(window, cmd::WriteToRadio, [](QDialog *d) {
            auto *dialog = qobject_cast<TfWriteRadio *>(d);
            connect(&dialog->session(), &WriteSession::writeCompleted, d, [d] {
                QTimer::singleShot(0, d, [d] { QTest::mouseClick(cancelOf(d), Qt::LeftButton); });
            });
            QTest::mouseClick(okOf(d), Qt::LeftButton);
        }, &shown);
        QCOMPARE(shown, QStringLiteral("fWriteRadio"));
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, QStringLiteral("Writing Completed."));
        QCOMPARE(m_radio->memory(), radioPart(AppState.Image));
    }

    void cancelStopsAtOnce_data()
    {
        QTest::addColumn<QString>("dialogName");
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("read, Cancel") << "fReadRadio" << false;
        QTest::newRow("read, close box") << "fReadRadio" << true;
        QTest::newRow("write, Cancel") << "fWriteRadio" << false;
        QTest::newRow("write, close box") << "fWriteRadio" << true;
    }

    // In the middle of a clone Cancel (or the close box) closes the dialog at once,
    // closes the port and sends nothing more; a cancelled read changes nothing.
    void cancelStopsAtOnce()
    {
        QFETCH(QString, dialogName);
        QFETCH(bool, closeBox);
        startRadio();
        const ImageBytes before = AppState.Image;
        testsupport::MessageRecorder messages;
        std::unique_ptr<QDialog> dialog;
        if (dialogName == QLatin1String("fReadRadio"))
            dialog = std::make_unique<TfReadRadio>();
        else
            dialog = std::make_unique<TfWriteRadio>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        // The user closes the dialog as the bar shows the 20th block; a block takes
        // only a moment against the virtual radio, so the test acts on the bar itself.
        QDialog *d = dialog.get();
        bool closing = false;
        connect(progressOf(d), &QProgressBar::valueChanged, d, [d, closeBox, &closing](int value) {
            if (value != 20 || closing)
                return;
            closing = true;
            QTimer::singleShot(0, d, [d, closeBox] {
                if (closeBox)
                    d->close();
                else
                    QTest::mouseClick(cancelOf(d), Qt::LeftButton);
            });
        });
        QTest::mouseClick(okOf(d), Qt::LeftButton);
        QTRY_VERIFY2_WITH_TIMEOUT(!d->isVisible(), qPrintable(linkReport(messages)), CloneTimeoutMs);
        QVERIFY(closing);
        QVERIFY2(progressOf(d)->value() < 126, qPrintable(linkReport(messages)));
        if (auto *read = qobject_cast<TfReadRadio *>(dialog.get())) {
            QVERIFY(!read->session().isPortOpen());
            QVERIFY2(!read->readCompleted(), qPrintable(linkReport(messages)));
        } else {
            QVERIFY(!qobject_cast<TfWriteRadio *>(dialog.get())->session().isPortOpen());
        }
        // The radio may still be taking in the frame that was on its way; after that
        // nothing more arrives, not even the end byte.
        const QByteArray sent = m_radio->tracedBytes(TraceEntry::HostToRadio);
        QTest::qWait(1500);
        const QByteArray later = m_radio->tracedBytes(TraceEntry::HostToRadio).mid(sent.size());
        QVERIFY2(later.size() <= 20, later.toHex().constData());
        // The radio was left where the transfer stopped.
        QVERIFY(m_radio->inProgrammingMode());
        QVERIFY(messages.messages.isEmpty());
        if (dialogName == QLatin1String("fReadRadio")) {
            QVERIFY(AppState.Image == before);
            QVERIFY(!AppState.Modified);
        }
    }

    // The first line error of a read schedules a silent restart. Cancel before it is
    // due ends the read for good: no new handshake, no message.
    void cancelWhileARestartIsDue()
    {
        RadioFaults faults;
        faults.cablePullAt = RadioStep::parse(QStringLiteral("read:4"));
        startRadio(QByteArray(), faults);
        testsupport::MessageRecorder messages;
        TfReadRadio dialog;
        QSignalSpy lineErrors(&dialog.session().line(), &SerialLine::lineError);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(okOf(&dialog), Qt::LeftButton);
        QTRY_VERIFY2_WITH_TIMEOUT(!lineErrors.isEmpty(), qPrintable(linkReport(messages)), CloneTimeoutMs);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(cancelOf(&dialog), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        // Well past the restart and its handshake, had they still come.
        QTest::qWait(1500);
        QVERIFY2(messages.messages.isEmpty(), qPrintable(linkReport(messages)));
        QVERIFY(!dialog.session().isPortOpen());
        QVERIFY(!dialog.readCompleted());
        QVERIFY(!okOf(&dialog)->isEnabled());
    }

    void haltedAttemptKeepsTheDialogOpen_data()
    {
        QTest::addColumn<QString>("dialogName");
        QTest::addColumn<QByteArray>("radioModel");
        QTest::addColumn<QString>("message");
        QTest::newRow("read, unknown model") << "fReadRadio" << QByteArray("zz99") << "Model Type Wrong.";
        QTest::newRow("write, other model, not forced")
            << "fWriteRadio" << QByteArray("4k46") << "Do you wish to Force write data?";
    }

    // An attempt that stops where only the user can end it leaves the dialog open
    // with Ok disabled; Cancel closes it.
    void haltedAttemptKeepsTheDialogOpen()
    {
        QFETCH(QString, dialogName);
        QFETCH(QByteArray, radioModel);
        QFETCH(QString, message);
        startRadio(radioModel);
        testsupport::MessageRecorder messages;   // answers No
        std::unique_ptr<QDialog> dialog;
        CloneSession *session = nullptr;
        if (dialogName == QLatin1String("fReadRadio")) {
            auto read = std::make_unique<TfReadRadio>();
            session = &read->session();
            dialog = std::move(read);
        } else {
            auto write = std::make_unique<TfWriteRadio>();
            session = &write->session();
            dialog = std::move(write);
        }
        QSignalSpy halted(session, &CloneSession::halted);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QTest::mouseClick(okOf(dialog.get()), Qt::LeftButton);
        QTRY_VERIFY2_WITH_TIMEOUT(!halted.isEmpty() || !dialog->isVisible(), qPrintable(linkReport(messages)),
                                  CloneTimeoutMs);
        QVERIFY2(halted.size() == 1, qPrintable(linkReport(messages)));
        QCOMPARE(messages.messages.size(), 1);
        QCOMPARE(messages.messages[0].text, message);
        QTest::qWait(1000);
        QVERIFY(dialog->isVisible());
        QVERIFY(!okOf(dialog.get())->isEnabled());
        QTest::mouseClick(cancelOf(dialog.get()), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }
};

QTEST_MAIN(TestLinkDialogs)
#include "tst_linkdialogs.moc"
