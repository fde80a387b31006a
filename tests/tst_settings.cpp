// Start-up values, the settings file and the message texts of the language files.
#include "testsupport.h"
#include "core/inifile.h"
#include "core/langtexts.h"
#include "core/settings.h"
#include "image/models.h"
#include <QFile>
#include <QTest>
#include <climits>
#include <memory>

namespace {

struct Message
{
    const char *key;
    QString TLanguage::*field;
    const char *builtIn;
};

// Every message text with its key and the text used when no file gives one.
const Message Messages[] = {
    {"Confirmation", &TLanguage::Confirmation, "Confirmation"},
    {"ExitProgram", &TLanguage::ExitProgram, "Do you wish to exit program?"},
    {"SaveProgram", &TLanguage::SaveProgram, "Do you wish to save the changes?"},
    {"Channel", &TLanguage::Channel, "Channel"},
    {"Info", &TLanguage::Info, " Information"},
    {"OutRange", &TLanguage::OutRange, "Frequecy is Out of range."},
    {"Caution", &TLanguage::Caution, "Caution"},
    {"FileExists", &TLanguage::FileExists, "The File is exists,replace it?"},
    {"ComError", &TLanguage::ComError, "Please check all connections and communication port settings."},
    {"ModError", &TLanguage::ModError, "Model Type Wrong."},
    {"ClearData", &TLanguage::ClearData, "Do you wish to Clear Data?"},
    {"Modforce", &TLanguage::Modforce, "Do you wish to Force write data?"},
    {"ErrRange", &TLanguage::ErrRange, "The frequecy number come amiss!"},
    {"ReadOk", &TLanguage::ReadOk, "Reading Completed."},
    {"WriteOk", &TLanguage::WriteOk, "Writing Completed."},
    {"LPortError", &TLanguage::LPortError, "Cannot Open Commcmication Port."},
};

// "中文" and "英文" (Chinese, English) in GBK.
const QByteArray GbkChinese = "\xD6\xD0\xCE\xC4";
const QByteArray GbkEnglish = "\xD3\xA2\xCE\xC4";

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_dir;

    QString filePath(const QString &name) const { return m_dir->filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QVERIFY(testsupport::writeFile(filePath(name), bytes));
    }

    QByteArray readFile(const QString &name) const { return testsupport::readFile(filePath(name)); }

    void copyShipped(const QString &name) const
    {
        const QString source = QFINDTESTDATA(QStringLiteral("../lang/") + name);
        QVERIFY2(!source.isEmpty(), qPrintable(name));
        QVERIFY(QFile::copy(source, filePath(name)));
    }

    // The settings file, or none when content is empty; then start-up.
    void startWith(const QByteArray &content)
    {
        if (!content.isEmpty())
            writeFile(QStringLiteral("SysInfo.Ini"), content);
        testsupport::freshState(m_dir->path());
    }

private slots:
    void init()
    {
        m_dir = std::make_unique<QTemporaryDir>();
        QVERIFY(m_dir->isValid());
    }

    void startValuesWithoutFiles()
    {
        testsupport::freshState(m_dir->path());
        QCOMPARE(AppState.AppDir, m_dir->path() + QLatin1Char('/'));
        QCOMPARE(AppState.ProductName, QStringLiteral("ZE-4K"));
        QCOMPARE(AppState.VersionText, QStringLiteral(" V1.2"));
        QCOMPARE(AppState.MaxOffset, 70.0);
        QCOMPARE(AppState.CurrentChannel, 1);
        QVERIFY(AppState.SerialEditable);
        QVERIFY(!AppState.FillingControls);
        QCOMPARE(ModelList.count(), 2);
        QCOMPARE(ModelList.ByIndex(0)->displayName(), QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(BandNames.count(), 8);

        QCOMPARE(AppState.PortName, QStringLiteral("Com1"));
        QCOMPARE(AppState.LanguageIndex, 0);
        QCOMPARE(AppState.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(AppState.HelpPrefix, QStringLiteral("QX"));
        QCOMPARE(AppState.PicID, 1);

        QCOMPARE(AppState.ModelCode, QStringLiteral("4k45"));
        QCOMPARE(int(AppState.BandCode), 0xF5);
        QCOMPARE(AppState.BandLow, 400.0);
        QCOMPARE(AppState.BandHigh, 470.0);
        QVERIFY(!AppState.Modified);

        for (const Message &m : Messages)
            QCOMPARE(LangTexts.*m.field, QString::fromLatin1(m.builtIn));
    }

    void loadSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("portName");
        QTest::addColumn<int>("languageIndex");
        QTest::addColumn<QString>("languageName");
        QTest::addColumn<QString>("helpPrefix");
        QTest::addColumn<int>("picId");

        QTest::newRow("no file") << QByteArray() << "Com1" << 0 << "Chinese" << "QX" << 1;
        QTest::newRow("keys of another section")
            << QByteArray("[Other]\r\nCom=COM9\r\nDefaultLanguage=1\r\nPicID=3\r\n") << "Com1" << 0 << "Chinese"
            << "QX" << 1;
        QTest::newRow("every key, names in any case")
            << QByteArray("[sysinfo]\r\ncom=COM7\r\nHELP=HX\r\npicid=4\r\ndefaultlanguage=0\r\n"
                          "LANGUAGE=English|Chinese\r\n")
            << "COM7" << 0 << "English" << "HX" << 5;
        QTest::newRow("not numbers") << QByteArray("[SysInfo]\r\nDefaultLanguage=abc\r\nPicID=1x\r\n") << "Com1" << 0
                                     << "Chinese" << "QX" << 1;
        QTest::newRow("beyond 32 bits")
            << QByteArray("[SysInfo]\r\nDefaultLanguage=4294967296\r\nPicID=2147483648\r\n") << "Com1" << 0
            << "Chinese" << "QX" << 1;
        QTest::newRow("second language")
            << QByteArray("[SysInfo]\r\nDefaultLanguage=1\r\nLanguage=English|Chinese\r\n") << "Com1" << 1
            << "Chinese" << "QX" << 1;
        QTest::newRow("index past the list")
            << QByteArray("[SysInfo]\r\nDefaultLanguage=5\r\nLanguage=English|Chinese\r\n") << "Com1" << 5 << ""
            << "QX" << 1;
        QTest::newRow("index at a trailing bar")
            << QByteArray("[SysInfo]\r\nDefaultLanguage=2\r\nLanguage=English|Chinese|\r\n") << "Com1" << 2 << ""
            << "QX" << 1;
        QTest::newRow("negative index") << QByteArray("[SysInfo]\r\nDefaultLanguage=-1\r\n") << "Com1" << -1 << ""
                                        << "QX" << 1;
        QTest::newRow("largest index") << QByteArray("[SysInfo]\r\nDefaultLanguage=2147483647\r\n") << "Com1"
                                       << INT_MAX << "" << "QX" << 1;
        QTest::newRow("empty list") << QByteArray("[SysInfo]\r\nLanguage=\r\n") << "Com1" << 0 << "" << "QX" << 1;
        QTest::newRow("language named in GBK")
            << QByteArray("[SysInfo]\r\nLanguage=" + GbkChinese + "|English\r\n") << "Com1" << 0
            << QString::fromUtf8("中文") << "QX" << 1;
    }

    void loadSettings()
    {
        QFETCH(QByteArray, content);
        startWith(content);
        QTEST(AppState.PortName, "portName");
        QTEST(AppState.LanguageIndex, "languageIndex");
        QTEST(AppState.LanguageName, "languageName");
        QTEST(AppState.HelpPrefix, "helpPrefix");
        QTEST(AppState.PicID, "picId");
    }

    void saveSettings_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("portName");   // as the main window leaves it; empty: as read
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("first exit creates the file")
            << QByteArray() << "COM1" << QByteArray("[SysInfo]\r\nCom=COM1\r\nDefaultLanguage=0\r\nPicID=0\r\n");
        QTest::newRow("port written as held")
            << QByteArray() << "" << QByteArray("[SysInfo]\r\nCom=Com1\r\nDefaultLanguage=0\r\nPicID=0\r\n");
        const QByteArray shipped = "[SysInfo]\r\nCom=COM3\r\nDefaultLanguage=abc\r\nHelp=HX\r\nPicID=x\r\n"
                                   "Language=English|Chinese\r\nChinese=" + GbkEnglish + "|" + GbkChinese + "\r\n"
                                   "\r\n[Ports]\r\nCOM5=/dev/pts/7\r\n";
        QByteArray rewritten = shipped;
        rewritten.replace("DefaultLanguage=abc", "DefaultLanguage=0").replace("PicID=x", "PicID=0");
        QTest::newRow("other lines untouched") << shipped << "" << rewritten;
        QByteArray newPort = rewritten;
        newPort.replace("Com=COM3", "Com=COM12");
        QTest::newRow("new port") << shipped << "COM12" << newPort;
        QTest::newRow("missing keys added in their section")
            << QByteArray("[SysInfo]\nPicID=2147483647\n\n[Ports]\nCOM5=x\n") << ""
            << QByteArray("[SysInfo]\nPicID=2147483647\nCom=Com1\nDefaultLanguage=0\n\n[Ports]\nCOM5=x\n");
        QTest::newRow("negative numbers kept")
            << QByteArray("[SysInfo]\r\nCom=COM2\r\nDefaultLanguage=-3\r\nPicID=-5\r\n") << ""
            << QByteArray("[SysInfo]\r\nCom=COM2\r\nDefaultLanguage=-3\r\nPicID=-5\r\n");
    }

    void saveSettings()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, portName);
        QFETCH(QByteArray, expected);
        startWith(content);
        if (!portName.isEmpty())
            AppState.PortName = portName;
        QVERIFY(SaveSettings());
        QCOMPARE(readFile(QStringLiteral("SysInfo.Ini")), expected);
    }

    void listLanguages_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("languageName");
        QTest::addColumn<QStringList>("displayNames");
        QTest::addColumn<QStringList>("fileNames");

        const QStringList chineseNames{QString::fromUtf8("中文"), QString::fromUtf8("英文")};
        const QStringList defaultFiles{"Chinese", "English"};
        QTest::newRow("no file") << QByteArray() << "Chinese" << chineseNames << defaultFiles;

        const QByteArray shipped = "[SysInfo]\r\nLanguage=English|Chinese\r\nEnglish=English|Chinese\r\n"
                                   "Chinese=" + GbkEnglish + "|" + GbkChinese + "\r\n";
        const QStringList shippedFiles{"English", "Chinese"};
        QTest::newRow("names in Chinese")
            << shipped << "Chinese" << QStringList{QString::fromUtf8("英文"), QString::fromUtf8("中文")}
            << shippedFiles;
        QTest::newRow("names in English") << shipped << "English" << QStringList{"English", "Chinese"}
                                          << shippedFiles;
        QTest::newRow("language without its key") << shipped << "French" << chineseNames << shippedFiles;
        QTest::newRow("trailing bar adds nothing")
            << QByteArray("[SysInfo]\r\nLanguage=A|B|\r\nA=x|y|\r\n") << "A" << QStringList{"x", "y"}
            << QStringList{"A", "B"};
        QTest::newRow("empty values") << QByteArray("[SysInfo]\r\nLanguage=\r\nA=\r\n") << "A" << QStringList()
                                      << QStringList();
        QTest::newRow("key named in GBK")
            << QByteArray("[SysInfo]\r\nLanguage=" + GbkChinese + "|English\r\n" + GbkChinese + "=" + GbkChinese
                          + "|English\r\n")
            << QString::fromUtf8("中文") << QStringList{QString::fromUtf8("中文"), "English"}
            << QStringList{QString::fromUtf8("中文"), "English"};
    }

    void listLanguages()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, languageName);
        startWith(content);
        AppState.LanguageName = languageName;
        QStringList displayNames, fileNames;
        ListLanguages(displayNames, fileNames);
        QTEST(displayNames, "displayNames");
        QTEST(fileNames, "fileNames");
    }

    void messagesFromLanguageFiles()
    {
        // Every key with its text in GBK; the next language gives one text empty, one
        // cut inside a character, and leaves the others out.
        QByteArray full = "[Other]\r\nConfirmation=wrong section\r\n[Language]\r\n";
        for (const Message &m : Messages)
            full += QByteArray(m.key) + '=' + GbkChinese + m.key + "\r\n";
        writeFile(QStringLiteral("Chinese.Ini"), full);
        writeFile(QStringLiteral("Sparse.Ini"), "[language]\nconfirmation=\nUnknown=x\nReadOk=OK\xD6\n");
        testsupport::freshState(m_dir->path());

        for (const Message &m : Messages)
            QCOMPARE(LangTexts.*m.field, QString::fromUtf8("中文") + QLatin1String(m.key));

        LoadMessages(QStringLiteral("Sparse"));
        QCOMPARE(LangTexts.Confirmation, QString());
        // A text cut inside a character keeps a mark of it.
        QCOMPARE(LangTexts.ReadOk, QStringLiteral("OK") + QChar(QChar::ReplacementCharacter));
        for (const Message &m : Messages) {
            if (qstrcmp(m.key, "Confirmation") != 0 && qstrcmp(m.key, "ReadOk") != 0)
                QCOMPARE(LangTexts.*m.field, QString::fromLatin1(m.builtIn));
        }

        LoadMessages(QStringLiteral("Missing"));
        QCOMPARE(LangTexts.Confirmation, QStringLiteral("Confirmation"));
    }

    // The files shipped with the program: English first, and choosing the second
    // language brings the Chinese texts at the next start.
    void shippedFiles()
    {
        copyShipped(QStringLiteral("SysInfo.Ini"));
        copyShipped(QStringLiteral("English.Ini"));
        copyShipped(QStringLiteral("Chinese.Ini"));
        testsupport::freshState(m_dir->path());
        QCOMPARE(AppState.LanguageIndex, 0);
        QCOMPARE(AppState.LanguageName, QStringLiteral("English"));
        QCOMPARE(LangTexts.ExitProgram, QStringLiteral("Do you wish to exit program?"));
        QStringList displayNames, fileNames;
        ListLanguages(displayNames, fileNames);
        QCOMPARE(fileNames, (QStringList{"English", "Chinese"}));
        QCOMPARE(displayNames, (QStringList{"English", "Chinese"}));

        const QByteArray before = readFile(QStringLiteral("SysInfo.Ini"));
        AppState.LanguageIndex = 1;
        AppState.PortName = AppState.PortName.toUpper();
        QVERIFY(SaveSettings());
        QByteArray expected = before;
        expected.replace("DefaultLanguage=0", "DefaultLanguage=1");
        QCOMPARE(readFile(QStringLiteral("SysInfo.Ini")), expected);

        testsupport::freshState(m_dir->path());
        QCOMPARE(AppState.LanguageIndex, 1);
        QCOMPARE(AppState.LanguageName, QStringLiteral("Chinese"));
        QCOMPARE(LangTexts.Confirmation, QString::fromUtf8("确认"));
        QCOMPARE(LangTexts.ExitProgram, QString::fromUtf8("您确定要退出程序吗?"));
        for (const Message &m : Messages) {
            const QString text = LangTexts.*m.field;
            QVERIFY2(text != QLatin1String(m.builtIn) && !text.contains(QChar::ReplacementCharacter), m.key);
        }
        displayNames.clear();
        fileNames.clear();
        ListLanguages(displayNames, fileNames);
        QCOMPARE(displayNames, (QStringList{QString::fromUtf8("英文"), QString::fromUtf8("中文")}));
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
