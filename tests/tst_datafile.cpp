// Data files: the 16-byte header, saving, opening, and every way an open or a
// save can fail without touching the program's state.
#include "testsupport.h"
#include "image/datafile.h"
#include "image/image.h"
#include "image/models.h"
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace {

using testsupport::firstDifference;
using testsupport::readFile;
using testsupport::writeFile;

QByteArray imageBytes()
{
    return QByteArray(reinterpret_cast<const char *>(AppState.Image.data()), int(AppState.Image.size()));
}

// Everything a failed open or save must leave as it was.
struct StateSnapshot
{
    ImageBytes image;
    const TMacType *model;
    QString modelCode, modelName, bandText;
    int bandCode, channelCount;
    double bandLow, bandHigh;
    bool modified;

    static StateSnapshot take()
    {
        return {AppState.Image, AppState.CurrentModel, AppState.ModelCode, AppState.ModelName,
                AppState.BandText, AppState.BandCode, AppState.ChannelCount, AppState.BandLow,
                AppState.BandHigh, AppState.Modified};
    }
    // Empty when the state still matches.
    QString differenceFromNow() const
    {
        const QString image = firstDifference(AppState.Image, this->image);
        if (!image.isEmpty())
            return image;
        if (model != AppState.CurrentModel || modelCode != AppState.ModelCode
            || modelName != AppState.ModelName || channelCount != AppState.ChannelCount)
            return QStringLiteral("model changed to %1").arg(AppState.ModelCode);
        if (bandText != AppState.BandText || bandCode != AppState.BandCode
            || bandLow != AppState.BandLow || bandHigh != AppState.BandHigh)
            return QStringLiteral("band changed to %1").arg(AppState.BandText);
        if (modified != AppState.Modified)
            return QStringLiteral("Modified changed");
        return QString();
    }
};

} // namespace

class TestDataFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void encodeHeader_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("band");
        QTest::addColumn<QByteArray>("header");
        QTest::newRow("second model") << "P4k46" << "2007-05-17 14:05" << "134174"
                                      << QByteArray("50346b3436134174d70705110e05ffff");
        QTest::newRow("first model") << "P4k45" << "2024-01-02 03:04" << "400470"
                                     << QByteArray("50346b3435400470e80701020304ffff");
        QTest::newRow("short model padded") << "P" << "2007-05-17 14:05" << "027072"
                                            << QByteArray("5020202020027072d70705110e05ffff");
        QTest::newRow("long model cut") << "P4k456" << "2007-05-17 14:05" << "411450"
                                        << QByteArray("50346b3435411450d70705110e05ffff");
    }
    void encodeHeader()
    {
        QFETCH(QString, model);
        QFETCH(QString, date);
        QFETCH(QString, band);
        QFETCH(QByteArray, header);
        QCOMPARE(EncodeFileHeader(model, date, band).toHex(), header);
    }

    void decodeHeader_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("band");
        QTest::newRow("packed digits") << QByteArray("50346b3436134174d70705110e05ffff") << "P4k46" << "134174";
        QTest::newRow("hex digit") << QByteArray("50346b34354a0470d70705110e05ffff") << "P4k45" << "4A0470";
        QTest::newRow("never written") << QByteArray("50346b3435ffffffffffffffffffffff") << "P4k45" << "FFFFFF";
        QTest::newRow("nothing") << QByteArray() << "" << "";
    }
    void decodeHeader()
    {
        QFETCH(QByteArray, header);
        QFETCH(QString, model);
        QFETCH(QString, band);
        const FileHeader decoded = DecodeFileHeader(QByteArray::fromHex(header));
        QCOMPARE(decoded.modelText, model);
        QCOMPARE(decoded.bandText, band);
    }

    void write_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<QByteArray>("header");   // bytes 0..7
        QTest::addColumn<QByteArray>("ident");    // image bytes 1904.., as many as are written
        QTest::newRow("standard band") << "4k45" << "400 - 470MHz" << 0xF5
                                       << QByteArray("50346b3435400470") << QByteArray("50346b3435f50000");
        // The header rounds the limits to whole MHz; the ident block keeps them exactly.
        QTest::newRow("user band") << "4k45" << "410.625 - 450.250MHz" << 0xA5
                                   << QByteArray("50346b3435411450")
                                   << QByteArray("50346b3435a50000a400010068190100");
        QTest::newRow("second model") << "4k46" << "134 - 174MHz" << 0xF2
                                      << QByteArray("50346b3436134174") << QByteArray("50346b3436f20000");
    }
    void write()
    {
        QFETCH(QString, model);
        QFETCH(QString, bandText);
        QFETCH(int, bandCode);
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, ident);
        testsupport::fillPattern();
        std::fill_n(AppState.Image.begin() + 1904, 16, 0);   // a stale ident block
        QVERIFY(SelectModelAndBand(model, bandText, quint8(bandCode), true));
        AppState.Modified = true;
        const ImageBytes before = AppState.Image;
        const QString file = path(QStringLiteral("saved.dat"));
        writeFile(file, QByteArray(3000, 'x'));   // replaced, not appended to

        QDateTime started = QDateTime::currentDateTime();
        started.setTime(QTime(started.time().hour(), started.time().minute()));
        const DataFileResult result = WriteDataFile(file);
        const QDateTime finished = QDateTime::currentDateTime();
        QVERIFY2(result.ok(), qPrintable(result.message()));
        QVERIFY(!AppState.Modified);

        const QByteArray saved = readFile(file);
        QCOMPARE(saved.size(), 2064);
        QCOMPARE(saved.left(8).toHex(), header);
        QCOMPARE(saved.mid(14, 2).toHex(), QByteArray("ffff"));
        const int year = quint8(saved[8]) | quint8(saved[9]) << 8;
        const QDateTime stamp(QDate(year, quint8(saved[10]), quint8(saved[11])),
                              QTime(quint8(saved[12]), quint8(saved[13])));
        QVERIFY2(stamp >= started && stamp <= finished, qPrintable(stamp.toString()));

        // The image goes out whole, with its ident block refreshed and nothing else changed.
        QCOMPARE(saved.mid(16), imageBytes());
        QCOMPARE(saved.mid(16 + 1904, ident.size() / 2).toHex(), ident);
        ImageBytes expected = before;
        std::copy_n(AppState.Image.begin() + 1904, 16, expected.begin() + 1904);
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("user band") << "4k45" << "410.625 - 450.250MHz" << 0xA5 << 410.625 << 450.25;
        QTest::newRow("second model") << "4k46" << "200 - 260MHz" << 0xF3 << 200.0 << 260.0;
        QTest::newRow("second model, user band") << "4k46" << "410.000 - 450.000MHz" << 0xA6 << 410.0 << 450.0;
    }
    void roundTrip()
    {
        QFETCH(QString, model);
        QFETCH(QString, bandText);
        QFETCH(int, bandCode);
        QFETCH(double, low);
        QFETCH(double, high);
        testsupport::fillPattern();
        NormalizeSettings();
        QVERIFY(SelectModelAndBand(model, bandText, quint8(bandCode), true));
        const QString file = path(QStringLiteral("round.dat"));
        QVERIFY(WriteDataFile(file).ok());
        const ImageBytes saved = AppState.Image;

        testsupport::freshState(m_dir.path());
        AppState.Modified = true;
        const DataFileResult result = ReadDataFile(file);
        QVERIFY2(result.ok(), qPrintable(result.message()));
        QCOMPARE(firstDifference(AppState.Image, saved), QString());   // bytes 2032..2047 too
        QCOMPARE(AppState.ModelCode, model);
        QCOMPARE(AppState.CurrentModel, ModelList.ByCode(model));
        QCOMPARE(int(AppState.BandCode), bandCode);
        QCOMPARE(AppState.BandText, bandText);
        QCOMPARE(AppState.BandLow, low);
        QCOMPARE(AppState.BandHigh, high);
        QVERIFY(!AppState.Modified);
    }

    // Settings come into range on opening, and bytes after the image are ignored.
    void openNormalizesSettings()
    {
        ImageBytes image = AppState.Image;
        image[1865] = 41;
        image[1884] = 200;
        image[1886] = 200;
        const QByteArray raw(reinterpret_cast<const char *>(image.data()), int(image.size()));
        const QString file = path(QStringLiteral("settings.dat"));
        writeFile(file, EncodeFileHeader(QStringLiteral("P4k45"), QStringLiteral("2024-01-02 03:04"),
                                         QStringLiteral("400470"))
                            + raw + QByteArray(100, '\x11'));
        testsupport::fillPattern();
        QVERIFY(ReadDataFile(file).ok());
        image[1865] = 8;
        image[1884] = 0;
        QCOMPARE(firstDifference(AppState.Image, image), QString());
    }

    void openFailures_data()
    {
        QTest::addColumn<int>("kind");            // 0 file with this content, 1 missing, 2 directory
        QTest::addColumn<QByteArray>("head");     // first 8 bytes
        QTest::addColumn<int>("length");          // of the whole file
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("named");       // what the message names
        const QByteArray good("P4k45\x40\x04\x70", 8);
        QTest::newRow("missing") << 1 << QByteArray() << 0 << int(DataFileResult::NotReadable) << "bad.dat";
        QTest::newRow("directory") << 2 << QByteArray() << 0 << int(DataFileResult::NotReadable) << "bad.dat";
        QTest::newRow("empty") << 0 << good << 0 << int(DataFileResult::ModelUnknown) << "Model Type Wrong.";
        QTest::newRow("three bytes") << 0 << good << 3 << int(DataFileResult::ModelUnknown) << "Model Type Wrong.";
        QTest::newRow("unknown model") << 0 << QByteArray("P4k47\x40\x04\x70", 8) << 2064
                                       << int(DataFileResult::ModelUnknown) << "Model Type Wrong.";
        QTest::newRow("band with a hex digit") << 0 << QByteArray("P4k45\x4a\x04\x70", 8) << 2064
                                               << int(DataFileResult::BandNotNumeric) << "4A0470";
        QTest::newRow("band never written") << 0 << QByteArray("P4k45\xff\xff\xff", 8) << 2064
                                            << int(DataFileResult::BandNotNumeric) << "FFFFFF";
        QTest::newRow("cut in the band field") << 0 << good << 6 << int(DataFileResult::Truncated) << "bad.dat";
        QTest::newRow("header only") << 0 << good << 16 << int(DataFileResult::Truncated) << "bad.dat";
        QTest::newRow("one byte short") << 0 << good << 2063 << int(DataFileResult::Truncated) << "bad.dat";
    }
    void openFailures()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, head);
        QFETCH(int, length);
        QFETCH(int, error);
        QFETCH(QString, named);
        const QString file = path(QStringLiteral("bad.dat"));
        QFile::remove(file);
        QDir(file).removeRecursively();
        if (kind == 0) {
            QByteArray content = head + QByteArray::fromHex("e80701020304ffff");
            for (int i = 0; content.size() < 2064; ++i)
                content += char(i * 13);
            writeFile(file, content.left(length));
        } else if (kind == 2) {
            QVERIFY(QDir().mkpath(file));
        }

        testsupport::fillPattern();
        QVERIFY(SelectModelAndBand(QStringLiteral("4k46"), QStringLiteral("410.000 - 450.000MHz"), 0xA6, true));
        AppState.Modified = true;
        const StateSnapshot before = StateSnapshot::take();

        const DataFileResult result = ReadDataFile(file);
        QCOMPARE(int(result.error), error);
        QVERIFY2(result.message().contains(named), qPrintable(result.message()));
        QCOMPARE(before.differenceFromNow(), QString());
    }

    void saveFailures_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("directory missing") << "missing/new.dat";
        QTest::newRow("target is a directory") << "folder";
    }
    void saveFailures()
    {
        QFETCH(QString, target);
        QVERIFY(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
        const QString file = path(target);
        const QStringList entriesBefore = QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        AppState.Modified = true;

        const DataFileResult result = WriteDataFile(file);
        QCOMPARE(int(result.error), int(DataFileResult::NotWritable));
        QVERIFY2(result.message().contains(QFileInfo(file).fileName()), qPrintable(result.message()));
        QVERIFY(AppState.Modified);
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entriesBefore);
        QVERIFY(QFileInfo(path(QStringLiteral("folder"))).isDir());
    }
};

QTEST_GUILESS_MAIN(TestDataFile)
#include "tst_datafile.moc"
