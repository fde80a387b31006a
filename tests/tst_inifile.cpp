// The INI reader and writer behind the settings and language files.
#include "core/inifile.h"
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestIniFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path() const { return m_dir.filePath(QStringLiteral("test.ini")); }

    void writeFile(const QByteArray &bytes) const
    {
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

    QByteArray readFile() const
    {
        QFile file(path());
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }

private slots:
    void init() { QFile::remove(path()); }

    void read_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QByteArray>("expected");

        QTest::newRow("names in any case") << QByteArray("[sysinfo]\r\ncom=COM3\r\n")
                                           << QByteArray("SysInfo") << QByteArray("COM") << true << QByteArray("COM3");
        QTest::newRow("first key wins") << QByteArray("[S]\nK=1\nk=2\n")
                                        << QByteArray("S") << QByteArray("K") << true << QByteArray("1");
        QTest::newRow("first section wins") << QByteArray("[S]\nK=1\n[s]\nK=2\n")
                                            << QByteArray("S") << QByteArray("K") << true << QByteArray("1");
        QTest::newRow("CRLF leaves no CR") << QByteArray("[S]\r\nK=v\r\nL=w\r\n")
                                           << QByteArray("S") << QByteArray("K") << true << QByteArray("v");
        QTest::newRow("no final line end") << QByteArray("[S]\nK=v")
                                           << QByteArray("S") << QByteArray("K") << true << QByteArray("v");
        QTest::newRow("blanks around names and values")
            << QByteArray("  [ S ]  \r\n \t K \t=  a  b \t\r\n") << QByteArray("S") << QByteArray("K") << true
            << QByteArray("a  b");
        QTest::newRow("double quotes dropped") << QByteArray("[S]\nK=\" a \"\n")
                                               << QByteArray("S") << QByteArray("K") << true << QByteArray(" a ");
        QTest::newRow("single quotes dropped") << QByteArray("[S]\nK='x'\n")
                                               << QByteArray("S") << QByteArray("K") << true << QByteArray("x");
        QTest::newRow("unmatched quote kept") << QByteArray("[S]\nK=\"x'\n")
                                              << QByteArray("S") << QByteArray("K") << true << QByteArray("\"x'");
        QTest::newRow("lone quote kept") << QByteArray("[S]\nK=\"\n")
                                         << QByteArray("S") << QByteArray("K") << true << QByteArray("\"");
        QTest::newRow("value holds =") << QByteArray("[S]\nK=a=b\n")
                                       << QByteArray("S") << QByteArray("K") << true << QByteArray("a=b");
        QTest::newRow("empty value is present") << QByteArray("[S]\nK=\nK=x\n")
                                                << QByteArray("S") << QByteArray("K") << true << QByteArray();
        QTest::newRow("comment line skipped") << QByteArray("[S]\n;K=1\n  ; K=2\nK=3\n")
                                              << QByteArray("S") << QByteArray("K") << true << QByteArray("3");
        QTest::newRow("line without = skipped") << QByteArray("[S]\nK\nK=1\n")
                                                << QByteArray("S") << QByteArray("K") << true << QByteArray("1");
        QTest::newRow("8-bit value raw") << QByteArray("[S]\nK=\xD6\xD0\xCE\xC4\n")
                                         << QByteArray("S") << QByteArray("K") << true
                                         << QByteArray("\xD6\xD0\xCE\xC4");
        QTest::newRow("8-bit key name") << QByteArray("[S]\n\xF6\xF0=no\n\xD6\xD0=yes\n")
                                        << QByteArray("S") << QByteArray("\xD6\xD0") << true << QByteArray("yes");
        QTest::newRow("key of another section") << QByteArray("[A]\nK=1\n[B]\nL=2\n")
                                                << QByteArray("B") << QByteArray("K") << false << QByteArray();
        QTest::newRow("key before any section") << QByteArray("K=1\n[S]\n")
                                                << QByteArray("S") << QByteArray("K") << false << QByteArray();
        QTest::newRow("section prefix is not the section") << QByteArray("[SysInfo2]\nK=1\n")
                                                           << QByteArray("SysInfo") << QByteArray("K") << false
                                                           << QByteArray();
        QTest::newRow("UTF-8 mark before first section") << QByteArray("\xEF\xBB\xBF[S]\r\nK=1\r\n")
                                                         << QByteArray("S") << QByteArray("K") << true
                                                         << QByteArray("1");
    }

    void read()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(bool, found);
        QFETCH(QByteArray, expected);
        writeFile(content);
        const IniFile ini(path());
        QVERIFY(ini.exists());
        const auto value = ini.value(section, key);
        QCOMPARE(value.has_value(), found);
        if (found)
            QCOMPARE(*value, expected);
        QCOMPARE(ini.value(section, key, "fallback"), found ? expected : QByteArray("fallback"));
    }

    void missingFileReadsEmpty()
    {
        const IniFile ini(path());
        QVERIFY(!ini.exists());
        QVERIFY(!ini.value("S", "K").has_value());
        QCOMPARE(IniFile::read(path(), "S", "K", "dflt"), QByteArray("dflt"));
    }

    void writeBack_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArray>("section");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QByteArray>("expected");

        const QByteArray shipped = "; ports and language\r\n"
                                   "[SysInfo]\r\n"
                                   "  Com = COM3 \r\n"
                                   "Help=QX\r\n"
                                   "\r\n"
                                   "[Ports]\r\n"
                                   "COM5=/dev/pts/3\r\n";
        QTest::newRow("key replaced in place")
            << shipped << QByteArray("sysinfo") << QByteArray("COM") << QByteArray("COM1")
            << QByteArray("; ports and language\r\n[SysInfo]\r\nCOM=COM1\r\nHelp=QX\r\n\r\n[Ports]\r\nCOM5=/dev/pts/3\r\n");
        QTest::newRow("key added at the end of its section")
            << shipped << QByteArray("SysInfo") << QByteArray("PicID") << QByteArray("0")
            << QByteArray("; ports and language\r\n[SysInfo]\r\n  Com = COM3 \r\nHelp=QX\r\nPicID=0\r\n\r\n"
                          "[Ports]\r\nCOM5=/dev/pts/3\r\n");
        QTest::newRow("key added to the last section")
            << shipped << QByteArray("Ports") << QByteArray("COM6") << QByteArray("/dev/pts/4")
            << shipped + "COM6=/dev/pts/4\r\n";
        QTest::newRow("section added")
            << shipped << QByteArray("Other") << QByteArray("K") << QByteArray("v")
            << shipped + "\r\n[Other]\r\nK=v\r\n";
        QTest::newRow("only the first of two keys")
            << QByteArray("[S]\nK=1\nK=2\n") << QByteArray("S") << QByteArray("k") << QByteArray("9")
            << QByteArray("[S]\nk=9\nK=2\n");
        QTest::newRow("LF file stays LF")
            << QByteArray("[S]\nA=1\n") << QByteArray("S") << QByteArray("B") << QByteArray("2")
            << QByteArray("[S]\nA=1\nB=2\n");
        QTest::newRow("mixed line ends kept")
            << QByteArray("[A]\nx=1\r\n[S]\nK=1\ny=2\n") << QByteArray("S") << QByteArray("K") << QByteArray("3")
            << QByteArray("[A]\nx=1\r\n[S]\nK=3\ny=2\n");
        QTest::newRow("last line without end kept")
            << QByteArray("[S]\r\nK=1\r\nH=2") << QByteArray("S") << QByteArray("K") << QByteArray("3")
            << QByteArray("[S]\r\nK=3\r\nH=2");
        QTest::newRow("key added after last line without end")
            << QByteArray("[S]\r\nH=2") << QByteArray("S") << QByteArray("K") << QByteArray("3")
            << QByteArray("[S]\r\nH=2\r\nK=3\r\n");
        QTest::newRow("UTF-8 mark kept")
            << QByteArray("\xEF\xBB\xBF[S]\r\nK=1\r\n") << QByteArray("S") << QByteArray("K") << QByteArray("2")
            << QByteArray("\xEF\xBB\xBF[S]\r\nK=2\r\n");
        QTest::newRow("8-bit lines untouched")
            << QByteArray("[S]\r\nChinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\nK=\x81\r\n")
            << QByteArray("S") << QByteArray("K") << QByteArray("\xD6\xD0")
            << QByteArray("[S]\r\nChinese=\xD3\xA2\xCE\xC4|\xD6\xD0\xCE\xC4\r\nK=\xD6\xD0\r\n");
    }

    void writeBack()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArray, section);
        QFETCH(QByteArray, key);
        QFETCH(QByteArray, value);
        QFETCH(QByteArray, expected);
        writeFile(content);
        IniFile ini(path());
        ini.setValue(section, key, value);
        QCOMPARE(ini.value(section, key), std::optional<QByteArray>(value));
        QVERIFY(ini.save());
        QCOMPARE(readFile(), expected);
        QCOMPARE(IniFile(path()).value(section, key), std::optional<QByteArray>(value));
    }

    void missingFileCreated()
    {
        IniFile ini(path());
        ini.setValue("SysInfo", "Com", "COM1");
        ini.setValue("SysInfo", "PicID", "0");
        QVERIFY(ini.save());
        QCOMPARE(readFile(), QByteArray("[SysInfo]\r\nCom=COM1\r\nPicID=0\r\n"));
    }

    // The old file is replaced as a whole: a reader that has it open still sees it
    // complete, and a save that cannot be done leaves it alone.
    void saveReplacesWholeFile()
    {
        const QByteArray before = "[S]\r\nK=old\r\n";
        writeFile(before);
        QFile reader(path());
        QVERIFY(reader.open(QIODevice::ReadOnly));

        IniFile ini(path());
        ini.setValue("S", "K", "new");
        QVERIFY(ini.save());
        QCOMPARE(reader.readAll(), before);
        QCOMPARE(readFile(), QByteArray("[S]\r\nK=new\r\n"));

        IniFile nowhere(m_dir.filePath(QStringLiteral("missing/test.ini")));
        nowhere.setValue("S", "K", "v");
        QVERIFY(!nowhere.save());
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("missing"))));
    }

    // A file too large to be read is not a file this program may rewrite.
    void unreadFileNeverOverwritten()
    {
        QByteArray huge = "[S]\r\nK=1\r\n";
        huge.append(QByteArray(9 * 1024 * 1024, 'x'));
        writeFile(huge);
        IniFile ini(path());
        QVERIFY(!ini.value("S", "K").has_value());
        ini.setValue("S", "K", "2");
        QVERIFY(!ini.save());
        QCOMPARE(readFile().size(), huge.size());
    }
};

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
