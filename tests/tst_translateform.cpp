// Window texts replaced from a language file, addressed by object names.
#include "testsupport.h"
#include "shell/translateform.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <memory>

namespace {

// Section [fTest] for the test window; the key in [fOther] must not reach it.
const QByteArray LanguageFile =
    "[fOther]\r\n"
    "lbMissing.Caption=Wrong section\r\n"
    "[fTest]\r\n"
    "fTest.Caption=Window\r\n"
    "lbPlain.Caption=Translated\r\n"
    "lbEmpty.Caption=\r\n"
    "lbChinese.Caption=\xD6\xD0\xCE\xC4\r\n"
    "btnGo.Caption=&Run\r\n"
    "ckAuto.Caption=Automatic\r\n"
    "rbHigh.Caption=Strong\r\n"
    "gbPower.Caption=Output\r\n"
    "tbOpen.Caption=Load\r\n"
    "tbOpen.Hint=Load a file\r\n"
    "aSave.Caption=&Keep\r\n"
    "aSave.Hint=Keep the file\r\n"
    "mFile.Caption=&Datei\r\n"
    "tsMain.Caption=First\r\n"
    "tsMore.Caption=Second\r\n"
    "gvData.1=Receive\r\n"
    "gvData.3=Label\r\n"
    "gvKeep.1=Never\r\n"
    "cbAll.0=A\r\ncbAll.1=B\r\ncbAll.2=C\r\n"
    "cbFirst.0=A\r\ncbFirst.1=B\r\n"
    "cbNever.0=A\r\n"
    "lbList.0=X\r\nlbList.1=Y\r\n"
    "lbKeep.0=X\r\n";

QStringList comboItems(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QStringList listItems(const QListWidget *list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

QStringList headerTitles(const QTableWidget *grid)
{
    QStringList titles;
    for (int c = 0; c < grid->columnCount(); ++c)
        titles << grid->model()->headerData(c, Qt::Horizontal).toString();
    return titles;
}

// The caption a user sees on any of the captioned kinds.
QString caption(const QObject *o)
{
    if (auto *label = qobject_cast<const QLabel *>(o))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(o))
        return button->text();
    if (auto *group = qobject_cast<const QGroupBox *>(o))
        return group->title();
    if (auto *menu = qobject_cast<const QMenu *>(o))
        return menu->title();
    if (auto *action = qobject_cast<const QAction *>(o))
        return action->text();
    return qobject_cast<const QWidget *>(o)->windowTitle();
}

} // namespace

class TestTranslateForm : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<QWidget> m_window;

    template<typename T>
    T *part(const char *name) const
    {
        if (m_window->objectName() == QLatin1String(name))
            return qobject_cast<T *>(m_window.get());
        T *p = m_window->findChild<T *>(QLatin1String(name));
        if (!p)
            qFatal("test window has no %s", name);
        return p;
    }

    QWidget *buildWindow()
    {
        auto *w = new QWidget;
        w->setObjectName(QStringLiteral("fTest"));
        w->setWindowTitle(QStringLiteral("Test"));
        auto *layout = new QVBoxLayout(w);
        const auto add = [w, layout](const char *name, QWidget *widget) {
            widget->setObjectName(QLatin1String(name));
            layout->addWidget(widget);
            return widget;
        };
        add("lbPlain", new QLabel(QStringLiteral("Plain"), w));
        add("lbMissing", new QLabel(QStringLiteral("Missing"), w));
        add("lbEmpty", new QLabel(QStringLiteral("Empty"), w));
        add("lbChinese", new QLabel(QStringLiteral("Chinese"), w));
        add("btnGo", new QPushButton(QStringLiteral("&Go"), w));
        add("ckAuto", new QCheckBox(QStringLiteral("Auto"), w));
        add("rbHigh", new QRadioButton(QStringLiteral("High"), w));
        add("gbPower", new QGroupBox(QStringLiteral("Power"), w));
        auto *tool = static_cast<QToolButton *>(add("tbOpen", new QToolButton(w)));
        tool->setText(QStringLiteral("Open"));
        tool->setToolTip(QStringLiteral("Open file"));

        auto *menu = new QMenu(QStringLiteral("&File"), w);
        menu->setObjectName(QStringLiteral("mFile"));
        auto *action = new QAction(QStringLiteral("&Save"), w);
        action->setObjectName(QStringLiteral("aSave"));
        action->setStatusTip(QStringLiteral("Save file"));
        menu->addAction(action);

        auto *tabs = static_cast<QTabWidget *>(add("tabs", new QTabWidget(w)));
        for (const char *page : {"tsMain", "tsMore"}) {
            auto *sheet = new QWidget(tabs);
            sheet->setObjectName(QLatin1String(page));
            tabs->addTab(sheet, QLatin1String(page + 2));
        }

        const auto grid = [&](const char *name, const QStringList &titles) {
            auto *g = static_cast<QTableWidget *>(add(name, new QTableWidget(2, int(titles.size()), w)));
            g->setHorizontalHeaderLabels(titles);
            return g;
        };
        grid("gvData", {QStringLiteral("Rx"), QStringLiteral("Tx"), QStringLiteral("Name")});
        grid("gvKeep", {QStringLiteral("A"), QStringLiteral("B")})->setProperty("tag", TagNoTranslate);

        const auto combo = [&](const char *name, const QStringList &items, int selected, int tag) {
            auto *c = static_cast<QComboBox *>(add(name, new QComboBox(w)));
            c->addItems(items);
            c->setCurrentIndex(selected);
            if (tag)
                c->setProperty("tag", tag);
        };
        const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
        combo("cbAll", abc, 2, 0);
        combo("cbFirst", abc, 1, TagFirstItemOnly);
        combo("cbNever", {QStringLiteral("a"), QStringLiteral("b")}, 1, TagNoTranslate);

        const QStringList xy{QStringLiteral("x"), QStringLiteral("y")};
        static_cast<QListWidget *>(add("lbList", new QListWidget(w)))->addItems(xy);
        auto *keep = static_cast<QListWidget *>(add("lbKeep", new QListWidget(w)));
        keep->addItems(xy);
        keep->setProperty("tag", TagNoTranslate);
        return w;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        testsupport::freshState(m_dir.path());
        QFile file(m_dir.filePath(QStringLiteral("Test.Ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(LanguageFile);
    }

    void init() { m_window.reset(buildWindow()); }
    void cleanup() { m_window.reset(); }

    void captions_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("window caption") << "fTest" << "Window";
        QTest::newRow("label") << "lbPlain" << "Translated";
        QTest::newRow("key missing from the window's section") << "lbMissing" << "Missing";
        QTest::newRow("empty value") << "lbEmpty" << "";
        QTest::newRow("GBK text") << "lbChinese" << QString::fromUtf8("中文");
        QTest::newRow("push button") << "btnGo" << "&Run";
        QTest::newRow("check box") << "ckAuto" << "Automatic";
        QTest::newRow("radio button") << "rbHigh" << "Strong";
        QTest::newRow("group box") << "gbPower" << "Output";
        QTest::newRow("tool button") << "tbOpen" << "Load";
        QTest::newRow("menu") << "mFile" << "&Datei";
        QTest::newRow("menu item") << "aSave" << "&Keep";
    }

    void captions()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        TranslateForm(m_window.get(), QStringLiteral("Test"), false);
        QCOMPARE(caption(part<QObject>(qPrintable(name))), expected);
    }

    void hintsAndTabPages()
    {
        TranslateForm(m_window.get(), QStringLiteral("Test"), false);
        QCOMPARE(part<QAction>("aSave")->statusTip(), QStringLiteral("Keep the file"));
        QCOMPARE(part<QToolButton>("tbOpen")->toolTip(), QStringLiteral("Load a file"));
        auto *tabs = part<QTabWidget>("tabs");
        QCOMPARE(tabs->tabText(0), QStringLiteral("First"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("Second"));
    }

    // The keys count the columns from 1, as the grids have a fixed first column.
    void gridTitles()
    {
        TranslateForm(m_window.get(), QStringLiteral("Test"), false);
        QCOMPARE(headerTitles(part<QTableWidget>("gvData")),
                 (QStringList{QStringLiteral("Receive"), QStringLiteral("Tx"), QStringLiteral("Label")}));
        QCOMPARE(headerTitles(part<QTableWidget>("gvKeep")), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
    }

    void itemLists_data()
    {
        QTest::addColumn<bool>("itemLists");
        QTest::addColumn<QStringList>("all");
        QTest::addColumn<QStringList>("first");
        QTest::newRow("item lists translated") << true << QStringList{"A", "B", "C"} << QStringList{"A", "b", "c"};
        QTest::newRow("item lists left alone") << false << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c"};
    }

    void itemLists()
    {
        QFETCH(bool, itemLists);
        QFETCH(QStringList, all);
        QFETCH(QStringList, first);
        TranslateForm(m_window.get(), QStringLiteral("Test"), itemLists);

        auto *cbAll = part<QComboBox>("cbAll");
        QCOMPARE(comboItems(cbAll), all);
        QCOMPARE(cbAll->currentIndex(), 2);
        auto *cbFirst = part<QComboBox>("cbFirst");
        QCOMPARE(comboItems(cbFirst), first);
        QCOMPARE(cbFirst->currentIndex(), 1);
        auto *cbNever = part<QComboBox>("cbNever");
        QCOMPARE(comboItems(cbNever), (QStringList{"a", "b"}));
        QCOMPARE(cbNever->currentIndex(), 1);

        // List boxes do not depend on the item-list switch, only on their own mark.
        QCOMPARE(listItems(part<QListWidget>("lbList")), (QStringList{"X", "Y"}));
        QCOMPARE(listItems(part<QListWidget>("lbKeep")), (QStringList{"x", "y"}));
    }

    void missingFileChangesNothing()
    {
        TranslateForm(m_window.get(), QStringLiteral("Klingon"), true);
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Test"));
        QCOMPARE(part<QLabel>("lbEmpty")->text(), QStringLiteral("Empty"));
        QCOMPARE(comboItems(part<QComboBox>("cbAll")), (QStringList{"a", "b", "c"}));
        QCOMPARE(headerTitles(part<QTableWidget>("gvData")).first(), QStringLiteral("Rx"));
    }
};

QTEST_MAIN(TestTranslateForm)
#include "tst_translateform.moc"
