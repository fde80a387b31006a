// The main window in-process: start-up state, the questions before the image is
// discarded, the file commands with their cancel and failure paths, child windows.
#include "testsupport.h"
#include "core/inifile.h"
#include "core/langtexts.h"
#include "core/textcodec.h"
#include "core/settings.h"
#include "image/channelcodec.h"
#include "image/datafile.h"
#include "image/image.h"
#include "link/serialports.h"
#include "editors/modeldialog.h"
#include "shell/languagedialog.h"
#include "shell/filedialogs.h"
#include "shell/mainwindow.h"
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QTest>
#include <QTreeWidget>
#include <memory>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

// A stand-in child window that records what the main window asks of it.
class RecordingChild : public QWidget, public ChildForm
{
public:
    static inline int deactivations = 0;
    static inline int rowLoads = 0;
    static inline int channelLoads = 0;
    void FormDeactivate() override { ++deactivations; }
    void LoadRow(int) override { ++rowLoads; }
    void LoadChannel() override { ++channelLoads; }
};

// Answers the language dialog once it is up: picks a language and presses Ok.
void answerLanguageDialog(int index)
{
    QTimer::singleShot(0, [index] {
        auto *dialog = qobject_cast<TfSetLanguage *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->findChild<QComboBox *>(QStringLiteral("cbLanguage"))->setCurrentIndex(index);
        dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
    });
}

// Answers the model dialog once it is up: picks a model and presses Ok.
void answerModelDialog(const QString &modelName)
{
    QTimer::singleShot(0, [modelName] {
        auto *dialog = qobject_cast<TfModel *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        auto *models = dialog->findChild<QComboBox *>(QStringLiteral("cbCopmut"));
        models->setCurrentIndex(models->findText(modelName));
        dialog->findChild<QPushButton *>(QStringLiteral("btnOk"))->click();
    });
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfMainFrm> m_window;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;
    QString m_saveAnswer, m_openAnswer;
    int m_saveDialogs = 0;

    QString path(const QString &name) const { return m_dir->filePath(name); }
    QStringList questionTexts() const
    {
        QStringList texts;
        for (const auto &m : m_messages->messages)
            texts << m.text;
        return texts;
    }
    // Makes the image differ from the last saved one, as an editor would.
    void edit()
    {
        WriteChannelField(5, FieldRxFrequency, QStringLiteral("440.0"));
        AppState.Modified = true;
    }

private slots:
    void initTestCase()
    {
        TfMainFrm::RegisterChildWindow(cmd::MemoryChannel, [] { return new RecordingChild; });
        TfMainFrm::RegisterChildWindow(cmd::ChannelEdit, [] { return new RecordingChild; });
    }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        m_saveAnswer.clear();
        m_openAnswer.clear();
        m_saveDialogs = 0;
        SetFileDialogHandlers([this](QWidget *) { return m_openAnswer; },
                              [this](QWidget *) { ++m_saveDialogs; return m_saveAnswer; });
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_messages.reset();
        SetFileDialogHandlers(nullptr, nullptr);
    }

    void startUpState()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ZE-4K V1.2"));
        QCOMPARE(AppState.ModelCode, QStringLiteral("4k45"));
        QCOMPARE(int(AppState.BandCode), 0xF5);
        QCOMPARE(AppState.BandLow, 400.0);
        QCOMPARE(AppState.BandHigh, 470.0);
        QCOMPARE(AppState.CurrentChannel, 1);
        QVERIFY(!AppState.Modified);
        QCOMPARE(m_window->statusPanel(0)->text(), QString());
        QCOMPARE(m_window->statusPanel(4)->text(), QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(m_window->statusPanel(5)->text(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(m_window->statusPanel(6)->text(), QString());

        QStringList ports;
        ListSerialPorts(&ports);
        const QString expected = ports.contains(QStringLiteral("COM1")) || ports.isEmpty()
                                     ? QStringLiteral("COM1") : ports.first();
        QCOMPARE(AppState.PortName, expected);
        QCOMPARE(m_window->statusPanel(3)->text(), QStringLiteral("Port: ") + expected);

        QTreeWidget *tree = m_window->tree();
        QTreeWidgetItem *root = tree->topLevelItem(0);
        QCOMPARE(root->text(0), QStringLiteral("ZE-4K"));
        QCOMPARE(tree->currentItem(), root);
        QVERIFY(root->isExpanded());
        const QStringList nodes{"Radio Information", "Freq. Information", "Channel Information", "Fm Information",
                                "Vox Function", "Scan Information", "Optional Function", "Key Function"};
        QCOMPARE(root->childCount(), nodes.size());
        for (int i = 0; i < nodes.size(); ++i)
            QCOMPARE(root->child(i)->text(0), nodes[i]);
        QVERIFY(m_window->child(cmd::MemoryChannel));   // the grid opens at start-up
    }

    void menuShortcuts_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("shortcut");
        QTest::newRow("new") << "nNew" << "Ctrl+N";
        QTest::newRow("open") << "O1" << "Ctrl+O";
        QTest::newRow("save") << "nSave" << "Ctrl+S";
        QTest::newRow("save as") << "nSaveAs" << "Ctrl+A";
        QTest::newRow("print") << "nPrint" << "Ctrl+P";
        QTest::newRow("preview") << "nPreview" << "Ctrl+T";
        QTest::newRow("exit") << "nExit" << "Ctrl+X";
        QTest::newRow("read") << "nRead" << "Ctrl+R";
        QTest::newRow("write") << "nWrite" << "Ctrl+W";
    }
    void menuShortcuts()
    {
        QFETCH(QString, item);
        QFETCH(QString, shortcut);
        const auto *action = m_window->findChild<QAction *>(item);
        QVERIFY(action);
        QCOMPARE(action->shortcut(), QKeySequence(shortcut));
    }

    void exitQuestions_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("saveAnswer");
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("closes");
        QTest::newRow("unmodified, yes") << false << QList<int>{MsgYes} << "" << 1 << true;
        QTest::newRow("unmodified, no") << false << QList<int>{MsgNo} << "" << 1 << false;
        QTest::newRow("modified, yes, don't save") << true << QList<int>{MsgYes, MsgNo} << "" << 2 << true;
        QTest::newRow("modified, yes, save") << true << QList<int>{MsgYes, MsgYes} << "saved.dat" << 2 << true;
        QTest::newRow("modified, yes, save cancelled") << true << QList<int>{MsgYes, MsgYes} << "" << 2 << false;
    }
    void exitQuestions()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, saveAnswer);
        QFETCH(int, questions);
        QFETCH(bool, closes);
        if (modified)
            edit();
        m_messages->answers = answers;
        if (!saveAnswer.isEmpty())
            m_saveAnswer = path(saveAnswer);
        QCOMPARE(m_window->close(), closes);
        QCOMPARE(m_messages->messages.size(), questions);
        QCOMPARE(m_messages->messages[0].text, QStringLiteral("Do you wish to exit program?"));
        QCOMPARE(m_messages->messages[0].caption, QStringLiteral("Confirmation"));
        if (questions > 1)
            QCOMPARE(m_messages->messages[1].text, QStringLiteral("Do you wish to save the changes?"));
        // The settings are written only when the window really closes.
        QCOMPARE(QFile::exists(path(QStringLiteral("SysInfo.Ini"))), closes);
        if (!saveAnswer.isEmpty())
            QCOMPARE(readFile(m_saveAnswer).size(), DataFileSize);
        if (!closes && modified)
            QVERIFY(AppState.Modified);
    }

    void newAsksToSaveOnlyWhenModified()
    {
        m_window->ExecCommand(cmd::New);
        QVERIFY(m_messages->messages.isEmpty());
        edit();
        m_messages->answers = {MsgNo};
        m_window->ExecCommand(cmd::New);
        QCOMPARE(questionTexts(), QStringList{"Do you wish to save the changes?"});
        QVERIFY(!AppState.Modified);
        QVERIFY(IsChannelEmpty(5));
    }

    void cancelledSaveCancelsNewAndOpen_data()
    {
        QTest::addColumn<int>("command");
        QTest::newRow("new") << int(cmd::New);
        QTest::newRow("open") << int(cmd::Open);
    }
    void cancelledSaveCancelsNewAndOpen()
    {
        QFETCH(int, command);
        edit();
        const ImageBytes before = AppState.Image;
        m_messages->answers = {MsgYes};
        m_openAnswer = path(QStringLiteral("never-opened.dat"));
        m_window->ExecCommand(command);
        QCOMPARE(m_saveDialogs, 1);
        QVERIFY(AppState.Image == before);
        QVERIFY(AppState.Modified);
        QCOMPARE(m_window->currentFile(), QString());
    }

    void openValidFile()
    {
        const QString file = path(QStringLiteral("valid.dat"));
        WriteChannelField(9, FieldRxFrequency, QStringLiteral("450.0"));
        QVERIFY(WriteDataFile(file).ok());
        NewImage();
        AppState.Modified = true;
        m_messages->answers = {MsgNo};
        m_openAnswer = file;
        RecordingChild::rowLoads = 0;
        m_window->ExecCommand(cmd::Open);
        QVERIFY(!IsChannelEmpty(9));
        QVERIFY(!AppState.Modified);
        QCOMPARE(m_window->currentFile(), file);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ZE-4K V1.2 [%1]").arg(QDir::toNativeSeparators(file)));
        QVERIFY(m_window->child(cmd::MemoryChannel));
    }

    void openRefused_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file") << QByteArray() << true << "Model Type Wrong.";
        QTest::newRow("other model") << QByteArray("P4k99").append(2059, '\xFF') << true << "Model Type Wrong.";
        QTest::newRow("truncated") << QByteArray("P4k45\x40\x04\x70").append(100, '\0') << true << "bad.dat";
        QTest::newRow("band not numeric") << QByteArray("P4k45\x4A\x04\x70").append(2056, '\0') << true << "4A0470";
        QTest::newRow("missing") << QByteArray() << false << "bad.dat";
    }
    void openRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, message);
        const QString file = path(QStringLiteral("bad.dat"));
        if (exists)
            writeFile(file, content);
        edit();
        AppState.Modified = false;
        const ImageBytes before = AppState.Image;
        m_openAnswer = file;
        m_window->ExecCommand(cmd::Open);
        QCOMPARE(m_messages->messages.size(), 1);
        QCOMPARE(m_messages->messages[0].caption, QStringLiteral("Confirmation"));
        QVERIFY2(m_messages->messages[0].text.contains(message), qPrintable(m_messages->messages[0].text));
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
        QCOMPARE(m_window->currentFile(), QString());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ZE-4K V1.2"));
    }

    void openCancelled()
    {
        const ImageBytes before = AppState.Image;
        m_window->ExecCommand(cmd::Open);
        QVERIFY(AppState.Image == before);
        QVERIFY(m_messages->messages.isEmpty());
    }

    void saveAsksForANameAndAddsTheExtension()
    {
        edit();
        m_saveAnswer = path(QStringLiteral("radio"));
        m_window->ExecCommand(cmd::Save);
        const QString file = path(QStringLiteral("radio.dat"));
        QCOMPARE(readFile(file).size(), DataFileSize);
        QCOMPARE(m_window->currentFile(), file);
        QVERIFY(!AppState.Modified);
        QVERIFY(m_window->windowTitle().endsWith(QDir::toNativeSeparators(file) + QLatin1Char(']')));
        // Saving again writes the current file without a dialog or a question.
        edit();
        m_window->ExecCommand(cmd::Save);
        QCOMPARE(m_saveDialogs, 1);
        QVERIFY(m_messages->messages.isEmpty());
        QVERIFY(!AppState.Modified);
    }

    void replaceQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("replace") << int(MsgYes);
        QTest::newRow("keep") << int(MsgNo);
    }
    void replaceQuestion()
    {
        QFETCH(int, answer);
        const QString file = path(QStringLiteral("existing.dat"));
        writeFile(file, "old");
        edit();
        m_saveAnswer = file;
        m_messages->answers = {answer};
        m_window->ExecCommand(cmd::SaveAs);
        QCOMPARE(questionTexts(), QStringList{"The File is exists,replace it?"});
        if (answer == MsgYes) {
            QCOMPARE(readFile(file).size(), DataFileSize);
            QCOMPARE(m_window->currentFile(), file);
            QVERIFY(!AppState.Modified);
        } else {
            QCOMPARE(readFile(file), QByteArray("old"));
            QCOMPARE(m_window->currentFile(), QString());
            QVERIFY(AppState.Modified);
        }
    }

    void saveAsCancelledLeavesNoFile()
    {
        m_saveAnswer = path(QStringLiteral("first.dat"));
        m_window->ExecCommand(cmd::Save);
        m_saveAnswer.clear();
        m_window->ExecCommand(cmd::SaveAs);
        QCOMPARE(m_saveDialogs, 2);
        QCOMPARE(m_window->currentFile(), QString());
        QCOMPARE(m_window->windowTitle(), QStringLiteral("ZE-4K V1.2"));
    }

    void failedSaveKeepsNameAndChanges()
    {
        edit();
        const QString file = path(QStringLiteral("no-such-folder/radio.dat"));
        m_saveAnswer = file;
        m_window->ExecCommand(cmd::Save);
        QCOMPARE(m_messages->messages.size(), 1);
        QVERIFY(m_messages->messages[0].text.contains(QLatin1String("radio.dat")));
        QVERIFY(AppState.Modified);
        QCOMPARE(m_window->currentFile(), file);
    }

    void modelChange_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QString>("saveAnswer");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("changes");
        const QString clear = QStringLiteral("Do you wish to Clear Data?");
        const QString save = QStringLiteral("Do you wish to save the changes?");
        QTest::newRow("unmodified") << false << QList<int>{} << "" << QStringList{} << true;
        QTest::newRow("keep data") << true << QList<int>{MsgNo} << "" << QStringList{clear} << false;
        QTest::newRow("clear, don't save") << true << QList<int>{MsgYes, MsgNo} << "" << QStringList{clear, save} << true;
        QTest::newRow("clear, save") << true << QList<int>{MsgYes, MsgYes} << "old.dat" << QStringList{clear, save} << true;
        QTest::newRow("clear, save cancelled") << true << QList<int>{MsgYes, MsgYes} << "" << QStringList{clear, save} << false;
    }
    void modelChange()
    {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QString, saveAnswer);
        QFETCH(QStringList, questions);
        QFETCH(bool, changes);
        if (modified)
            edit();
        const ImageBytes before = AppState.Image;
        m_messages->answers = answers;
        if (!saveAnswer.isEmpty())
            m_saveAnswer = path(saveAnswer);
        answerModelDialog(QStringLiteral("ZE-4K(MHF)"));
        m_window->ExecCommand(cmd::ModelInformation);
        QCOMPARE(questionTexts(), questions);
        if (changes) {
            QCOMPARE(AppState.ModelCode, QStringLiteral("4k46"));
            QCOMPARE(AppState.BandText, QStringLiteral("134 - 174MHz"));
            QCOMPARE(AppState.BandLow, 134.0);
            QCOMPARE(m_window->statusPanel(4)->text(), QStringLiteral("ZE-4K(MHF)"));
            QVERIFY(IsChannelEmpty(5));
            QVERIFY(!AppState.Modified);
            QCOMPARE(m_window->currentFile(), QString());
        } else {
            QCOMPARE(AppState.ModelCode, QStringLiteral("4k45"));
            QVERIFY(AppState.Image == before);
            QVERIFY(AppState.Modified);
        }
        // Changes saved on the way out carry the model they were made for.
        if (!saveAnswer.isEmpty())
            QCOMPARE(readFile(m_saveAnswer).left(5), QByteArray("P4k45"));
    }

    void languageChange()
    {
        for (const char *name : {"SysInfo.Ini", "English.Ini", "Chinese.Ini"}) {
            const QString source = QFINDTESTDATA(QStringLiteral("../lang/") + QLatin1String(name));
            QVERIFY(QFile::copy(source, path(QLatin1String(name))));
        }
        AppState.LanguageName = QStringLiteral("English");
        AppState.LanguageIndex = 0;
        const IniFile chinese(path(QStringLiteral("Chinese.Ini")));
        const auto text = [&chinese](const char *section, const char *key) {
            return decodeText(chinese.value(section, key).value_or(QByteArray()));
        };
        QWidget *gridBefore = m_window->child(cmd::MemoryChannel);
        edit();

        answerLanguageDialog(1);
        m_window->ExecCommand(cmd::LanguageSetup);
        QCOMPARE(AppState.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(AppState.LanguageIndex, 1);
        QCOMPARE(LangTexts.ExitProgram, text("Language", "ExitProgram"));
        const auto *newItem = m_window->findChild<QAction *>(QStringLiteral("nNew"));
        QVERIFY(!text("fMainFrm", "nNew.Caption").isEmpty());
        QCOMPARE(newItem->text(), text("fMainFrm", "nNew.Caption"));
        QCOMPARE(m_window->tree()->topLevelItem(0)->child(0)->text(0), text("fMainFrm", "nInfo.Hint"));
        QCOMPARE(m_window->statusPanel(3)->text(), text("fMainFrm", "lCom.Caption") + AppState.PortName);
        // The image and its unsaved changes are kept, the children are rebuilt.
        QVERIFY(!IsChannelEmpty(5));
        QVERIFY(AppState.Modified);
        QVERIFY(m_messages->messages.isEmpty());
        QVERIFY(m_window->child(cmd::MemoryChannel) && m_window->child(cmd::MemoryChannel) != gridBefore);

        // And back: the English file carries every text again.
        answerLanguageDialog(0);
        m_window->ExecCommand(cmd::LanguageSetup);
        QCOMPARE(newItem->text(), QStringLiteral("&New"));
        QCOMPARE(LangTexts.ExitProgram, QStringLiteral("Do you wish to exit program?"));
        QCOMPARE(m_window->tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("Radio Information"));
    }

    void childWindowsAreSingleAndRefreshed()
    {
        QWidget *grid = m_window->child(cmd::MemoryChannel);
        QVERIFY(grid);
        m_window->ExecCommand(cmd::MemoryChannel);
        QCOMPARE(m_window->child(cmd::MemoryChannel), grid);

        RecordingChild::deactivations = 0;
        m_window->ExecCommand(12345);   // an unknown code still commits the grid's edit
        QCOMPARE(RecordingChild::deactivations, 1);

        RecordingChild::channelLoads = 0;
        m_window->ExecCommand(cmd::ChannelEdit);
        QCOMPARE(RecordingChild::channelLoads, 1);
        m_window->ChannelChanged(2);
        QCOMPARE(RecordingChild::channelLoads, 2);
        RecordingChild::rowLoads = 0;
        m_window->RefreshViews(0);
        QCOMPARE(RecordingChild::rowLoads, 1);

        // Replacing the whole image closes every child and reopens only the grid.
        m_window->RefreshViews(1);
        QVERIFY(!m_window->child(cmd::ChannelEdit));
        QVERIFY(m_window->child(cmd::MemoryChannel));
        QVERIFY(m_window->child(cmd::MemoryChannel) != grid);
    }

    // Ctrl+W in an open child window is "Write To Radio", not the child frame's close.
    void ctrlWInAChildWindowWrites()
    {
        QWidget *grid = m_window->child(cmd::MemoryChannel);
        QVERIFY(grid);
        QString dialogShown;
        QTimer closer;
        connect(&closer, &QTimer::timeout, [&] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                dialogShown = QString::fromLatin1(dialog->metaObject()->className());
                dialog->reject();
            }
        });
        closer.start(10);
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_W, Qt::ControlModifier);
        QTRY_COMPARE(dialogShown, QStringLiteral("TfWriteRadio"));
        QVERIFY(m_window->child(cmd::MemoryChannel));
    }

    void treeDispatchesTheSelectedNode()
    {
        QTreeWidgetItem *root = m_window->tree()->topLevelItem(0);
        QTreeWidgetItem *gridNode = root->child(2);   // "Channel Information"
        m_window->CloseChildren();
        m_window->tree()->setCurrentItem(gridNode);
        emit m_window->tree()->itemActivated(gridNode, 0);
        QVERIFY(m_window->child(cmd::MemoryChannel));
        // A node that is not the selected one does nothing.
        m_window->CloseChildren();
        m_window->tree()->setCurrentItem(root);
        emit m_window->tree()->itemActivated(gridNode, 0);
        QVERIFY(!m_window->child(cmd::MemoryChannel));
    }

    void viewToggles()
    {
        auto *toolbarItem = m_window->findChild<QAction *>(QStringLiteral("nToolbar"));
        auto *statusItem = m_window->findChild<QAction *>(QStringLiteral("nStatusBar"));
        QVERIFY(toolbarItem->isChecked() && statusItem->isChecked());
        toolbarItem->trigger();
        statusItem->trigger();
        QVERIFY(!m_window->findChild<QToolBar *>()->isVisible());
        QVERIFY(!m_window->statusBar()->isVisible());
        QVERIFY(m_window->tree()->isVisible());
        m_window->findChild<QAction *>(QStringLiteral("nTreeView"))->trigger();
        QVERIFY(!m_window->tree()->isVisible());
    }

    // Pointing at a menu item leaves the status bar's panels in place.
    void hintsLeaveTheStatusPanels()
    {
        auto *item = m_window->findChild<QAction *>(QStringLiteral("nInfo"));
        // An open menu reports its hint through the menu bar.
        QVERIFY(item->showStatusText(m_window->menuBar()));
        QCOMPARE(m_window->statusBar()->currentMessage(), QString());
        QVERIFY(m_window->statusPanel(4)->isVisible());
        QCOMPARE(m_window->statusPanel(5)->text(), QStringLiteral("400 - 470MHz"));
    }

    void missingHelpFileIsReported()
    {
        m_window->ExecCommand(cmd::HelpTopics);
        QCOMPARE(m_messages->messages.size(), 1);
        QVERIFY(m_messages->messages[0].text.contains(QLatin1String("QX_Chinese.html")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
