// The tone picker: its code tables, which cells can be picked, and what it returns.
#include "testsupport.h"
#include "editors/tonepicker.h"
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QListWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace {

// Runs the picker as a tone field does and acts on it once it is up. Whatever the
// action leaves open is closed with the close box.
QString runPicker(std::function<void(TfToneOption *)> act, QWidget *parent)
{
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto *picker = qobject_cast<TfToneOption *>(QApplication::activeModalWidget());
        if (!picker)
            return;
        acted = true;
        act(picker);
        if (picker->isVisible())
            picker->close();
    });
    const QString result = TfToneOption::pick(parent);
    if (!acted)
        qWarning("the tone picker did not come up");
    return result;
}

QTableWidget *codeGrid(TfToneOption *picker, const char *name)
{
    return picker->findChild<QTableWidget *>(QLatin1String(name));
}

void choose(TfToneOption *picker, const char *radio)
{
    QTest::mouseClick(picker->findChild<QAbstractButton *>(QLatin1String(radio)), Qt::LeftButton);
}

void doubleClick(QTableWidget *grid, int row, int column)
{
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    // A double click as the system delivers it: a click, then the second press.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

class TestTonePicker : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<QWidget> m_parent;

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        testsupport::freshState(m_dir->path());
        m_parent = std::make_unique<QWidget>();
        m_parent->resize(800, 600);
        m_parent->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_parent.get()));
    }

    void cleanup() { m_parent.reset(); }

    void closeBoxPicksNothing()
    {
        bool wasDialog = false;
        const QString picked = runPicker([&](TfToneOption *picker) {
            wasDialog = picker->isModal() && picker->objectName() == QLatin1String("fToneOption")
                        && picker->windowTitle() == QLatin1String("Channel Tone Option");
        }, m_parent.get());
        QVERIFY(wasDialog);
        QCOMPARE(picked, QString());
    }

    void opensOnCtcss()
    {
        runPicker([](TfToneOption *picker) {
            QVERIFY(picker->findChild<QAbstractButton *>(QStringLiteral("rCTCSS"))->isChecked());
            QVERIFY(codeGrid(picker, "gvCtcss")->isVisible());
            QVERIFY(!codeGrid(picker, "gvDcsN")->isVisible());
            QVERIFY(!codeGrid(picker, "gvDcsI")->isVisible());
            QCOMPARE(picker->findChild<QGroupBox *>(QStringLiteral("gbList"))->title(), QStringLiteral("CTCSS"));
            choose(picker, "rDCSI");
            QVERIFY(codeGrid(picker, "gvDcsI")->isVisible());
            QVERIFY(!codeGrid(picker, "gvCtcss")->isVisible());
            QCOMPARE(picker->findChild<QGroupBox *>(QStringLiteral("gbList"))->title(), QStringLiteral("DCS-I"));
            const auto *values = picker->findChild<QListWidget *>(QStringLiteral("lbValue"));
            QCOMPARE(values->count(), 133);
            QVERIFY(values->isHidden());
        }, m_parent.get());
    }

    void picks_data()
    {
        QTest::addColumn<QString>("radio");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<bool>("closes");
        QTest::newRow("first tone") << "rCTCSS" << "gvCtcss" << 0 << 1 << "67.0" << true;
        QTest::newRow("last tone") << "rCTCSS" << "gvCtcss" << 5 << 13 << "254.1" << true;
        QTest::newRow("tone number") << "rCTCSS" << "gvCtcss" << 0 << 0 << "" << false;
        QTest::newRow("code letters") << "rCTCSS" << "gvCtcss" << 0 << 2 << "" << false;
        QTest::newRow("empty tone cell") << "rCTCSS" << "gvCtcss" << 8 << 13 << "" << true;
        QTest::newRow("DCS-N 143") << "rDCSN" << "gvDcsN" << 10 << 3 << "D143N" << true;
        QTest::newRow("DCS-N 525") << "rDCSN" << "gvDcsN" << 8 << 11 << "D525N" << true;
        QTest::newRow("DCS-N number") << "rDCSN" << "gvDcsN" << 10 << 2 << "" << false;
        QTest::newRow("DCS-I first") << "rDCSI" << "gvDcsI" << 0 << 1 << "D023I" << true;
        QTest::newRow("DCS-I last") << "rDCSI" << "gvDcsI" << 7 << 15 << "D754I" << true;
        QTest::newRow("DCS-I empty cell") << "rDCSI" << "gvDcsI" << 10 << 15 << "" << true;
    }
    void picks()
    {
        QFETCH(QString, radio);
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, picked);
        QFETCH(bool, closes);
        bool closed = false;
        const QString result = runPicker([&](TfToneOption *picker) {
            choose(picker, radio.toLatin1());
            doubleClick(codeGrid(picker, grid.toLatin1()), row, column);
            closed = !picker->isVisible();
        }, m_parent.get());
        QCOMPARE(closed, closes);
        QCOMPARE(result, picked);
    }

    void ctcssTable_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("first") << 0 << 0 << QStringList{"01", "67.0", "XZ"};
        QTest::newRow("down the first group") << 8 << 0 << QStringList{"09", "88.5", "YB"};
        QTest::newRow("on in the second") << 0 << 1 << QStringList{"0A", "91.5", "ZZ"};
        QTest::newRow("two-letter codes") << 5 << 3 << QStringList{"21", "203.5", "M1"};
        QTest::newRow("last") << 5 << 4 << QStringList{"2A", "254.1", "0Z"};
        QTest::newRow("empty") << 6 << 4 << QStringList{"", "", ""};
    }
    void ctcssTable()
    {
        QFETCH(int, row);
        QFETCH(int, group);
        QFETCH(QStringList, texts);
        runPicker([&](TfToneOption *picker) {
            QTableWidget *grid = codeGrid(picker, "gvCtcss");
            QCOMPARE(grid->rowCount(), 9);
            QCOMPARE(grid->columnCount(), 15);
            QVERIFY(grid->horizontalHeader()->isHidden());
            QVERIFY(grid->verticalHeader()->isHidden());
            const QList<int> widths{32, 47, 32};
            const QList<QColor> colours{QColor(249, 141, 227), QColor(Qt::white), QColor(225, 249, 112)};
            for (int i = 0; i < 3; ++i) {
                const int column = 3 * group + i;
                QCOMPARE(grid->item(row, column)->text(), texts[i]);
                QCOMPARE(grid->columnWidth(column), widths[i]);
                QCOMPARE(grid->item(row, column)->background().color(), colours[i]);
                QVERIFY(!(grid->item(row, column)->flags() & Qt::ItemIsEditable));
            }
        }, m_parent.get());
    }

    void dcsTables_data()
    {
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("group");
        QTest::addColumn<QStringList>("texts");
        QTest::newRow("N first") << "gvDcsN" << 0 << 0 << QStringList{"1", "D023N"};
        QTest::newRow("N 143") << "gvDcsN" << 10 << 1 << QStringList{"22", "D143N"};
        QTest::newRow("I second group") << "gvDcsI" << 0 << 1 << QStringList{"12", "D072I"};
        QTest::newRow("I last") << "gvDcsI" << 7 << 7 << QStringList{"85", "D754I"};
        QTest::newRow("I empty") << "gvDcsI" << 8 << 7 << QStringList{"", ""};
    }
    void dcsTables()
    {
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(int, group);
        QFETCH(QStringList, texts);
        runPicker([&](TfToneOption *picker) {
            QTableWidget *codes = codeGrid(picker, grid.toLatin1());
            QCOMPARE(codes->rowCount(), 11);
            QCOMPARE(codes->columnCount(), 16);
            const QList<int> widths{23, 46};
            const QList<QColor> colours{QColor(47, 231, 220), QColor(Qt::white)};
            for (int i = 0; i < 2; ++i) {
                const int column = 2 * group + i;
                QCOMPARE(codes->item(row, column)->text(), texts[i]);
                QCOMPARE(codes->columnWidth(column), widths[i]);
                QCOMPARE(codes->item(row, column)->background().color(), colours[i]);
            }
        }, m_parent.get());
    }

    void translated()
    {
        const QByteArray language =
            "[fToneOption]\r\n"
            "fToneOption.Caption=Ton\r\n"
            "rDCSN.Caption=DCS normal\r\n"
            "gbVoice.Caption=Auswahl\r\n"
            "lbSel.1=DCS-Liste\r\n"
            "lbValue.0=99-99.9-QQ\r\n";   // the code table is never translated
        QVERIFY(testsupport::writeFile(m_dir->filePath(QStringLiteral("Test.Ini")), language));
        AppState.LanguageName = QStringLiteral("Test");
        AppState.LanguageIndex = 1;
        runPicker([](TfToneOption *picker) {
            QCOMPARE(picker->windowTitle(), QStringLiteral("Ton"));
            QCOMPARE(picker->findChild<QAbstractButton *>(QStringLiteral("rDCSN"))->text(), QStringLiteral("DCS normal"));
            QCOMPARE(picker->findChild<QGroupBox *>(QStringLiteral("gbVoice"))->title(), QStringLiteral("Auswahl"));
            QCOMPARE(codeGrid(picker, "gvCtcss")->item(0, 1)->text(), QStringLiteral("67.0"));
            choose(picker, "rDCSN");
            QCOMPARE(picker->findChild<QGroupBox *>(QStringLiteral("gbList"))->title(), QStringLiteral("DCS-Liste"));
        }, m_parent.get());
        // Language 0 keeps the built-in texts whatever the file says.
        AppState.LanguageIndex = 0;
        runPicker([](TfToneOption *picker) {
            QCOMPARE(picker->windowTitle(), QStringLiteral("Channel Tone Option"));
        }, m_parent.get());
    }
};

QTEST_MAIN(TestTonePicker)
#include "tst_tonepicker.moc"
