// Whole-image routines: a new image, the settings ranges, the ident block, the
// write time and the serial number.
#include "testsupport.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/models.h"
#include <QDateTime>
#include <QTest>

namespace {

using testsupport::firstDifference;
using testsupport::putBytes;

// What the radio accepts in each settings byte (1856..1887) and what replaces a
// value above that. A maximum of 255 means every value is accepted.
const int SettingMaximum[32] = {
    15, 107, 19, 15, 15, 255, 255, 1, 9, 40, 2, 1, 2, 4, 1, 1,
    9, 5, 1, 6, 6, 6, 4, 4, 2, 9, 28, 1, 107, 1, 255, 255,
};
const int SettingDefault[32] = {
    1, 0, 0, 15, 15, 0, 0, 0, 4, 8, 1, 1, 2, 4, 0, 1,
    0, 1, 1, 0, 3, 1, 2, 2, 0, 0, 12, 0, 0, 0, 0, 0,
};

} // namespace

class TestImage : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void newImageLayout()
    {
        testsupport::fillPattern();
        const ImageBytes before = AppState.Image;
        const QDateTime started = QDateTime::currentDateTime();
        NewImage();
        const QDateTime finished = QDateTime::currentDateTime();

        ImageBytes expected = before;
        std::fill(expected.begin(), expected.begin() + 2032, 0xFF);
        for (int i = 0; i < 32; ++i) {
            if (SettingMaximum[i] < 255)
                expected[1856 + i] = std::uint8_t(SettingDefault[i]);
        }
        putBytes(expected, 1904, QByteArray::fromHex("50346b3435f50000"));
        for (int i = 1936; i <= 1942; ++i)
            expected[i] = AppState.Image[i];   // the clock, checked below
        QCOMPARE(firstDifference(AppState.Image, expected), QString());

        const QDateTime stamped = QDateTime::fromString(DecodeWriteTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        QVERIFY2(stamped.isValid(), qPrintable(DecodeWriteTime()));
        QVERIFY(stamped >= started.addSecs(-1) && stamped <= finished.addSecs(1));
    }

    // The ident block of a new image, and RefreshIdentBlock on its own: bytes
    // 1912..1919 are written only for user-defined limits, nothing outside the block.
    void identBlock_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<QByteArray>("ident");   // 16 bytes; "--" keeps the previous byte
        QTest::newRow("standard band")
            << "4k45" << "400 - 470MHz" << 0xF5 << QByteArray("50346b3435f50000----------------");
        QTest::newRow("second model")
            << "4k46" << "200 - 260MHz" << 0xF3 << QByteArray("50346b3436f30000----------------");
        QTest::newRow("user limits at the band ends")
            << "4k45" << "400.000 - 470.000MHz" << 0xA5 << QByteArray("50346b3435a5000000fa0000c0250100");
        QTest::newRow("user limits off the grid")
            << "4k46" << "410.625 - 450.250MHz" << 0xA6 << QByteArray("50346b3436a60000a400010068190100");
        // 410.006 MHz is 65600.96 steps: the remainder is dropped, not rounded.
        QTest::newRow("remainder dropped")
            << "4k45" << "410.006 - 450.000MHz" << 0xA5 << QByteArray("50346b3435a500004000010040190100");
    }
    void identBlock()
    {
        QFETCH(QString, model);
        QFETCH(QString, bandText);
        QFETCH(int, bandCode);
        QFETCH(QByteArray, ident);
        QVERIFY(SelectModelAndBand(model, bandText, quint8(bandCode), true));

        // New image: the untouched limit bytes are 0xFF.
        NewImage();
        for (int i = 0; i < 16; ++i) {
            const QByteArray pair = ident.mid(2 * i, 2);
            const int want = pair == "--" ? 0xFF : pair.toInt(nullptr, 16);
            QCOMPARE(int(AppState.Image[1904 + i]), want);
        }

        // Refresh alone: only the ident bytes change.
        testsupport::fillPattern();
        ImageBytes expected = AppState.Image;
        for (int i = 0; i < 16; ++i) {
            const QByteArray pair = ident.mid(2 * i, 2);
            if (pair != "--")
                expected[1904 + i] = std::uint8_t(pair.toInt(nullptr, 16));
        }
        RefreshIdentBlock();
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
    }

    void normalizeKeepsEveryValueInRange()
    {
        testsupport::fillPattern();
        for (int i = 0; i < 32; ++i)
            AppState.Image[1856 + i] = std::uint8_t(SettingMaximum[i]);
        const ImageBytes before = AppState.Image;
        NormalizeSettings();
        QCOMPARE(firstDifference(AppState.Image, before), QString());
    }

    void normalizeReplacesValuesAboveRange_data()
    {
        QTest::addColumn<int>("value");
        QTest::newRow("one above the maximum") << -1;
        QTest::newRow("0xFF") << 0xFF;
    }
    void normalizeReplacesValuesAboveRange()
    {
        QFETCH(int, value);
        testsupport::fillPattern();
        ImageBytes expected = AppState.Image;
        for (int i = 0; i < 32; ++i) {
            const int stored = value < 0 ? qMin(SettingMaximum[i] + 1, 255) : value;
            AppState.Image[1856 + i] = std::uint8_t(stored);
            expected[1856 + i] = std::uint8_t(stored > SettingMaximum[i] ? SettingDefault[i] : stored);
        }
        NormalizeSettings();
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        // The bytes that accept everything stay at 0xFF.
        if (value == 0xFF) {
            for (int at : {1861, 1862, 1886, 1887})
                QCOMPARE(int(AppState.Image[at]), 0xFF);
        }
    }

    void writeTime_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("ordinary") << "2024-03-05 07:08:09" << QByteArray::fromHex("e8070305070809");
        QTest::newRow("end of year") << "1999-12-31 23:59:59" << QByteArray::fromHex("cf070c1f173b3b");
        QTest::newRow("high year byte") << "2300-01-01 00:00:00" << QByteArray::fromHex("fc080101000000");
    }
    void writeTime()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        testsupport::fillPattern();
        ImageBytes expected = AppState.Image;
        putBytes(expected, 1936, stored);
        QVERIFY(EncodeWriteTime(text));
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
        QCOMPARE(DecodeWriteTime(), text);
    }

    void neverWrittenTime()
    {
        for (int i = 1936; i <= 1942; ++i)
            AppState.Image[i] = 0xFF;
        QCOMPARE(DecodeWriteTime(), QStringLiteral("65535-255-255 255:255:255"));
    }

    void malformedWriteTimeWritesNothing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("date only") << "2024-03-05";
        QTest::newRow("letter in month") << "2024-0x-05 07:08:09";
        QTest::newRow("empty") << "";
    }
    void malformedWriteTimeWritesNothing()
    {
        QFETCH(QString, text);
        testsupport::fillPattern();
        const ImageBytes before = AppState.Image;
        QVERIFY(!EncodeWriteTime(text));
        QCOMPARE(firstDifference(AppState.Image, before), QString());
    }

    void decodeSerialNumber_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("signs and zeros become spaces")
            << QByteArray("AB-12") + QByteArray(11, '\0') << "AB 12           ";
        QTest::newRow("never written") << QByteArray(16, char(0xFF)) << QString(16, QLatin1Char(' '));
        QTest::newRow("letters and digits") << QByteArray("azAZ09 Serial#1x") << "azAZ09 Serial 1x";
    }
    void decodeSerialNumber()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        putBytes(AppState.Image, 1920, stored);
        QCOMPARE(DecodeSerialNumber(), shown);
    }

    void encodeSerialNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("padded with spaces") << "ABC" << QByteArray("ABC             ");
        QTest::newRow("no filter") << "a-b" << QByteArray("a-b             ");
        QTest::newRow("cut at 16") << "0123456789ABCDEFGH" << QByteArray("0123456789ABCDEF");
        QTest::newRow("empty") << "" << QByteArray(16, ' ');
    }
    void encodeSerialNumber()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        testsupport::fillPattern();
        ImageBytes expected = AppState.Image;
        putBytes(expected, 1920, stored);
        EncodeSerialNumber(text);
        QCOMPARE(firstDifference(AppState.Image, expected), QString());
    }
};

QTEST_GUILESS_MAIN(TestImage)
#include "tst_image.moc"
