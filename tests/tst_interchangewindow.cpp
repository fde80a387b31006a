// File > Import Channels and Export Channels in the main window: the report comes
// before the image changes, Cancel changes nothing, Ok changes it and reloads.
#include "testsupport.h"
#include "image/channelcodec.h"
#include "image/imageedit.h"
#include "shell/filedialogs.h"
#include "shell/importreport.h"
#include "shell/mainwindow.h"
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

using testsupport::readFile;
using testsupport::writeFile;

class RecordingGrid : public QWidget, public ChildForm
{
public:
    static inline int reloads = 0;
    void LoadAllRows() override { ++reloads; }
};

// Runs check on the report once it is up, then presses the named button.
void answerReport(std::function<void(TfImportReport *)> check, const char *button)
{
    QTimer::singleShot(0, [check, button] {
        auto *report = qobject_cast<TfImportReport *>(QApplication::activeModalWidget());
        if (!report)
            return;
        check(report);
        report->findChild<QPushButton *>(QLatin1String(button))->click();
    });
}

} // namespace

class TestInterchangeWindow : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfMainFrm> m_window;
    std::unique_ptr<testsupport::MessageRecorder> m_messages;
    QString m_answer;

private slots:
    void initTestCase() { TfMainFrm::RegisterChildWindow(cmd::MemoryChannel, [] { return new RecordingGrid; }); }

    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_messages = std::make_unique<testsupport::MessageRecorder>();
        SetInterchangeDialogHandler([this](QWidget *, bool) { return m_answer; });
        m_window = std::make_unique<TfMainFrm>();
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        ApplyEdit(QStringLiteral("ch5.RxFrequency"), QStringLiteral("440.0"));
        AppState.Modified = false;
        RecordingGrid::reloads = 0;
    }

    void cleanup()
    {
        m_window.reset();
        SetInterchangeDialogHandler(nullptr);
        m_messages.reset();
    }

    void menuItemsFollowSaveAs()
    {
        QStringList names;
        for (QAction *a : m_window->findChild<QMenu *>(QStringLiteral("mFile"))->actions())
            names << a->objectName();
        const int saveAs = int(names.indexOf(QStringLiteral("nSaveAs")));
        QCOMPARE(names.mid(saveAs, 3), QStringList({"nSaveAs", "nImport", "nExport"}));
    }

    void reportBeforeChange()
    {
        m_answer = m_dir->filePath(QStringLiteral("list.csv"));
        QVERIFY(writeFile(m_answer, "Location,Frequency,Mode\n1,441.0,FM\n2,442.0,AM\n"));
        const ImageBytes before = AppState.Image;

        bool unchangedWhileShown = false;
        answerReport([&](TfImportReport *) { unchangedWhileShown = AppState.Image == before; }, "btnCancel");
        m_window->ExecCommand(cmd::ImportChannels);
        QVERIFY(unchangedWhileShown);
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
        QCOMPARE(RecordingGrid::reloads, 0);

        answerReport([](TfImportReport *report) {
            report->findChild<QCheckBox *>(QStringLiteral("cxClearOthers"))->setChecked(true);
        }, "btnOk");
        m_window->ExecCommand(cmd::ImportChannels);
        QVERIFY(!IsChannelEmpty(1));
        QVERIFY(IsChannelEmpty(5));
        QVERIFY(AppState.Modified);
        QCOMPARE(RecordingGrid::reloads, 1);
        QVERIFY(m_messages->messages.isEmpty());
    }

    void nothingUsableSaysSo()
    {
        m_answer = m_dir->filePath(QStringLiteral("bad.csv"));
        QVERIFY(writeFile(m_answer, "Location,Frequency\n1,9999\n"));
        const ImageBytes before = AppState.Image;
        m_window->ExecCommand(cmd::ImportChannels);   // no report: a message instead
        QCOMPARE(m_messages->messages.size(), 1);
        QVERIFY(m_messages->messages[0].text.contains(QLatin1String("line 2:")));
        QVERIFY(AppState.Image == before);
        QVERIFY(!AppState.Modified);
    }

    void exportByExtension()
    {
        m_answer = m_dir->filePath(QStringLiteral("out.json"));
        m_window->ExecCommand(cmd::ExportChannels);
        QVERIFY(readFile(m_answer).trimmed().startsWith('{'));
        m_answer = m_dir->filePath(QStringLiteral("out.csv"));
        m_window->ExecCommand(cmd::ExportChannels);
        QVERIFY(readFile(m_answer).startsWith("Location,Name,Frequency,"));
        QVERIFY(m_messages->messages.isEmpty());
        QVERIFY(!AppState.Modified);
    }
};

QTEST_MAIN(TestInterchangeWindow)
#include "tst_interchangewindow.moc"
