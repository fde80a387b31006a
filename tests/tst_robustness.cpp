// Every reader of outside files fed with damaged and random input: data files,
// the settings file and language files. Seeds are fixed, so a failure names the
// seed and round that reproduce it.
#include "testsupport.h"
#include "core/inifile.h"
#include "core/langtexts.h"
#include "core/settings.h"
#include "image/datafile.h"
#include "image/image.h"
#include "image/imagemap.h"
#include "image/models.h"
#include "image/settingsblock.h"
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

namespace {

const quint32 Seeds[] = {1, 0x5EED, 20070517};

// Everything a data file may change, and so everything a refused one must leave alone.
struct Snapshot
{
    ImageBytes image;
    QString modelCode, modelName, bandText;
    quint8 bandCode;
    double bandLow, bandHigh;
    bool modified;
    const TMacType *model;
    int channelCount;

    static Snapshot take()
    {
        return {AppState.Image,        AppState.ModelCode, AppState.ModelName, AppState.BandText,
                AppState.BandCode,     AppState.BandLow,   AppState.BandHigh,  AppState.Modified,
                AppState.CurrentModel, AppState.ChannelCount};
    }

    bool operator==(const Snapshot &o) const
    {
        return image == o.image && modelCode == o.modelCode && modelName == o.modelName
               && bandText == o.bandText && bandCode == o.bandCode && bandLow == o.bandLow
               && bandHigh == o.bandHigh && modified == o.modified && model == o.model
               && channelCount == o.channelCount;
    }
};

QByteArray randomBytes(QRandomGenerator &rng, int size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &c : bytes)
        c = char(rng.bounded(256));
    return bytes;
}

// Why an accepted file leaves an inconsistent state, or an empty text.
QString stateProblem(const QByteArray &file)
{
    const TMacType *model = ModelList.ByCode(AppState.ModelCode);
    if (!model || model != AppState.CurrentModel)
        return QStringLiteral("model %1 not current").arg(AppState.ModelCode);
    if (AppState.ModelCode.toLatin1() != file.mid(1, 4))
        return QStringLiteral("model %1 is not the file's").arg(AppState.ModelCode);
    if (AppState.ChannelCount != model->channelCount() || AppState.ModelName != model->displayName())
        return QStringLiteral("model fields not those of %1").arg(AppState.ModelCode);
    if (!(AppState.BandLow < AppState.BandHigh))
        return QStringLiteral("band limits %1 - %2").arg(AppState.BandLow).arg(AppState.BandHigh);
    const BandRange range = ParseBandRange(AppState.BandText);
    if (!range.ok || range.low != AppState.BandLow || range.high != AppState.BandHigh)
        return QStringLiteral("band text %1 does not give the limits").arg(AppState.BandText);
    if ((AppState.BandCode >> 4) == 0xA) {
        const BandRange fixed = ParseBandRange(BandNames.NameOf(quint8(0xF0 | (AppState.BandCode & 0x0F))));
        if (AppState.BandLow < fixed.low || AppState.BandHigh > fixed.high)
            return QStringLiteral("user limits %1 outside their band").arg(AppState.BandText);
    } else if (BandNames.NameOf(AppState.BandCode) != AppState.BandText) {
        return QStringLiteral("band code %1 is not band %2").arg(AppState.BandCode).arg(AppState.BandText);
    }
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo &s = settingAt(i);
        const int stored = quint8(file[FileHeaderSize + s.offset]);
        const int now = AppState.Image[s.offset];
        if (now != (stored > s.maximum ? s.defaultValue : stored))
            return QStringLiteral("setting byte %1 is %2 from %3").arg(s.offset).arg(now).arg(stored);
    }
    for (int i = 0; i < int(AppState.Image.size()); ++i) {
        const bool setting = i >= imagemap::SettingsBlock && i < imagemap::SettingsBlock + SettingCount;
        if (!setting && AppState.Image[i] != quint8(file[FileHeaderSize + i]))
            return QStringLiteral("image byte %1 not the file's").arg(i);
    }
    if (AppState.Modified)
        return QStringLiteral("still modified");
    return QString();
}

// Bits of settings and language files, good and bad, to build random lines from.
QByteArray randomIniLine(QRandomGenerator &rng)
{
    static const char *const names[] = {
        "SysInfo", "sysinfo", " SysInfo ", "Language", "Ports", "Com", "DefaultLanguage", "Help",
        "PicID", "Chinese", "English", "Confirmation", "ReadOk", "Info", "\xD6\xD0\xCE\xC4", "",
    };
    static const char *const values[] = {
        "0", "1", "-1", "2", "5", "2147483647", "-2147483648", "2147483648", "99999999999", "abc",
        "", " 1 ", "0x10", "English|Chinese", "Chinese|English|", "|", "||", "\"quoted\"", "'",
        "\xD6\xD0\xCE\xC4|\xD3\xA2\xCE\xC4", "\x81\x20\xFF\xFE\x81", "COM1", "com3", "\xD6",
    };
    QByteArray line;
    switch (rng.bounded(8)) {
    case 0: {   // a section header, sometimes unclosed
        line = '[' + QByteArray(names[rng.bounded(int(std::size(names)))]);
        if (rng.bounded(4) != 0)
            line += ']';
        break;
    }
    case 1:   // a key without '='
        line = names[rng.bounded(int(std::size(names)))];
        break;
    case 2:   // random bytes, newlines and NULs included
        line = randomBytes(rng, rng.bounded(200));
        break;
    case 3:   // a very long value
        line = QByteArray(names[rng.bounded(int(std::size(names)))]) + '='
               + QByteArray(rng.bounded(1, 20000), char(rng.bounded(1, 256)));
        break;
    case 4:   // a comment
        line = ';' + randomBytes(rng, rng.bounded(40));
        break;
    default: {
        line = QByteArray(names[rng.bounded(int(std::size(names)))]) + '='
               + values[rng.bounded(int(std::size(values)))];
        if (rng.bounded(5) == 0)
            line.insert(rng.bounded(int(line.size()) + 1), '\0');
        break;
    }
    }
    static const char *const endings[] = {"\r\n", "\n", "\r", ""};
    return line + endings[rng.bounded(4)];
}

QByteArray randomIniFile(QRandomGenerator &rng)
{
    if (rng.bounded(6) == 0)
        return randomBytes(rng, rng.bounded(4000));
    QByteArray content;
    const int lines = rng.bounded(30);
    for (int i = 0; i < lines; ++i)
        content += randomIniLine(rng);
    return content;
}

} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QVERIFY(testsupport::writeFile(filePath(name), bytes));
    }

    QByteArray readFile(const QString &name) const { return testsupport::readFile(filePath(name)); }

    // Valid data files of both models, fixed bands and user-defined limits.
    QList<QByteArray> validDataFiles()
    {
        struct Case
        {
            const char *model, *band;
            double low, high;   // user-defined limits when high > 0
            int oddSetting;     // a settings byte left above its range
        };
        const Case cases[] = {
            {"4k45", "400 - 470MHz", 0, 0, -1},
            {"4k45", "400 - 470MHz", 420.0, 430.5, setting::Volume},
            {"4k46", "134 - 174MHz", 0, 0, setting::ScanDropoutDelay},
            {"4k46", "200 - 260MHz", 0, 0, -1},
            {"4k46", "320 - 400MHz", 0, 0, -1},
            {"4k46", "400 - 520MHz", 410.625, 450.25, -1},
            {"4k46", "134 - 520MHz", 0, 0, setting::PriorityChannel},
        };
        QList<QByteArray> files;
        for (const Case &c : cases) {
            const QString band = QLatin1String(c.band);
            quint8 code = BandNames.CodeOf(band);
            QString text = band;
            if (c.high > 0) {
                text = UserBandText(c.low, c.high);
                code = quint8(0xA0 | (code & 0x0F));
            }
            SelectModelAndBand(QLatin1String(c.model), text, code, true);
            NewImage();
            if (c.oddSetting >= 0)
                AppState.Image[c.oddSetting] = 0xEE;
            const DataFileResult written = WriteDataFile(filePath(QStringLiteral("valid.dat")));
            if (!written.ok())
                qFatal("%s", qPrintable(written.message()));
            files.append(readFile(QStringLiteral("valid.dat")));
        }
        return files;
    }

    static QByteArray mutate(QRandomGenerator &rng, QByteArray data, const QList<QByteArray> &valid)
    {
        auto flip = [&rng, &data](int from, int to) {   // [from, to) clipped to the data
            to = qMin(to, int(data.size()));
            if (from >= to)
                return;
            const int count = rng.bounded(1, 9);
            for (int i = 0; i < count; ++i)
                data[rng.bounded(from, to)] ^= char(rng.bounded(1, 256));
        };
        const int steps = rng.bounded(1, 4);
        for (int step = 0; step < steps; ++step) {
            switch (rng.bounded(11)) {
            case 0:
                data.truncate(rng.bounded(int(data.size()) + 1));
                break;
            case 1:
                flip(0, int(data.size()));
                break;
            case 2:
                flip(0, FileHeaderSize);
                break;
            case 3:   // the ident block, where the band and its limits live
                flip(FileHeaderSize + imagemap::IdentBlock, FileHeaderSize + imagemap::IdentBlock + 16);
                break;
            case 4:
                flip(FileHeaderSize + imagemap::SettingsBlock,
                     FileHeaderSize + imagemap::SettingsBlock + SettingCount);
                break;
            case 5: {
                const QByteArray &other = valid[rng.bounded(int(valid.size()))];
                const int cut = rng.bounded(int(qMin(data.size(), other.size())) + 1);
                data = data.left(cut) + other.mid(cut);
                break;
            }
            case 6:
                data += randomBytes(rng, rng.bounded(1, 4096));
                break;
            case 7:
                if (rng.bounded(20) == 0)
                    data += QByteArray(rng.bounded(1, 3) << 20, char(rng.bounded(256)));
                break;
            case 8:
                data = randomBytes(rng, rng.bounded(3 * DataFileSize));
                break;
            case 9:   // a user-defined band with random limits
                if (data.size() >= FileHeaderSize + imagemap::IdentBandHigh + 4) {
                    data[FileHeaderSize + imagemap::IdentBandCode] = char(0xA0 | rng.bounded(16));
                    for (int i = 0; i < 8; ++i)
                        data[FileHeaderSize + imagemap::IdentBandLow + i] = char(rng.bounded(256));
                }
                break;
            default: {   // a model field that is almost right
                static const char *const models[] = {"P4k45", "P4k46", "P4k4 ", "p4k45", "X4k46",
                                                     " 4k45", "P4K45", "P4k47", "P\t4k46", "P4k46"};
                const QByteArray model = models[rng.bounded(int(std::size(models)))];
                for (int i = 0; i < 5 && i < data.size(); ++i)
                    data[i] = model[i];
                break;
            }
            }
        }
        return data;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        testsupport::freshState(m_dir.path());
    }

    void dataFiles()
    {
        testsupport::freshState(m_dir.path());
        const QList<QByteArray> valid = validDataFiles();
        const QString path = filePath(QStringLiteral("fuzz.dat"));

        // No file at all, and a folder in its place.
        QFile::remove(path);
        AppState.Modified = true;
        const Snapshot before = Snapshot::take();
        QVERIFY(!ReadDataFile(path).ok());
        QVERIFY(Snapshot::take() == before);
        QVERIFY(!ReadDataFile(m_dir.path()).ok());
        QVERIFY(Snapshot::take() == before);

        for (const quint32 seed : Seeds) {
            QRandomGenerator rng(seed);
            for (int round = 0; round < 200; ++round) {
                const QByteArray &base = valid[rng.bounded(int(valid.size()))];
                const QByteArray data = mutate(rng, base, valid);
                writeFile(QStringLiteral("fuzz.dat"), data);
                AppState.Modified = true;
                const Snapshot before = Snapshot::take();

                const DataFileResult result = ReadDataFile(path);
                const QString where = QStringLiteral("seed %1 round %2, %3 bytes: ").arg(seed).arg(round).arg(data.size());
                if (data.size() < DataFileSize)
                    QVERIFY2(!result.ok(), qPrintable(where + QStringLiteral("short file accepted")));
                else if (data.left(8) == base.left(8))
                    QVERIFY2(result.ok(), qPrintable(where + result.message()));
                if (result.ok()) {
                    const QString problem = stateProblem(data);
                    QVERIFY2(problem.isEmpty(), qPrintable(where + problem));
                } else {
                    QVERIFY2(!result.message().isEmpty(), qPrintable(where + QStringLiteral("no message")));
                    QVERIFY2(Snapshot::take() == before, qPrintable(where + QStringLiteral("refused file changed the state")));
                }
            }
        }
    }

    void settingsFiles()
    {
        for (const quint32 seed : Seeds) {
            QRandomGenerator rng(seed);
            for (int round = 0; round < 60; ++round) {
                const QString where = QStringLiteral("seed %1 round %2: ").arg(seed).arg(round);
                // Half the files begin with known keys: nothing after them may disturb them.
                const bool planted = rng.bounded(2) == 0;
                const int picId = int(rng.generate());
                const int index = rng.bounded(2);
                QByteArray content;
                if (planted)
                    content = "[SysInfo]\r\nPicID=" + QByteArray::number(picId) + "\r\nDefaultLanguage="
                              + QByteArray::number(index) + "\r\nLanguage=Alpha|Beta\r\n";
                content += randomIniFile(rng);
                writeFile(QStringLiteral("SysInfo.Ini"), content);
                writeFile(QStringLiteral("Alpha.Ini"), randomIniFile(rng));

                CreateDataModule();
                if (planted) {
                    QVERIFY2(AppState.PicID == int(quint32(picId) + 1u), qPrintable(where + "PicID"));
                    QVERIFY2(AppState.LanguageIndex == index, qPrintable(where + "DefaultLanguage"));
                    QVERIFY2(AppState.LanguageName == QLatin1String(index ? "Beta" : "Alpha"),
                             qPrintable(where + AppState.LanguageName));
                }
                QStringList displayNames, fileNames;
                ListLanguages(displayNames, fileNames);

                // What is written comes back at the next start.
                const QString port = AppState.PortName;
                const int languageIndex = AppState.LanguageIndex;
                const int picIdHeld = AppState.PicID;
                QVERIFY2(SaveSettings(), qPrintable(where + "not saved"));
                LoadSettings();
                QVERIFY2(AppState.LanguageIndex == languageIndex, qPrintable(where + "DefaultLanguage changed"));
                QVERIFY2(AppState.PicID == picIdHeld, qPrintable(where + "PicID changed"));
                const bool plainPort = !port.isEmpty() && port == port.trimmed()
                                       && std::all_of(port.begin(), port.end(), [](QChar c) {
                                              return c > QLatin1Char(' ') && c < QChar(0x7F) && c != QLatin1Char('"')
                                                     && c != QLatin1Char('\'');
                                          });
                if (plainPort)
                    QVERIFY2(AppState.PortName == port, qPrintable(where + port));
            }
        }
    }

    void languageFiles()
    {
        testsupport::freshState(m_dir.path());
        for (const quint32 seed : Seeds) {
            QRandomGenerator rng(seed);
            for (int round = 0; round < 60; ++round) {
                const QString where = QStringLiteral("seed %1 round %2: ").arg(seed).arg(round);
                const bool planted = rng.bounded(2) == 0;
                const QByteArray mark = QByteArray::number(rng.generate());
                QByteArray content;
                if (planted)
                    content = "[Language]\r\nReadOk=" + mark + "\r\n";
                content += randomIniFile(rng);
                writeFile(QStringLiteral("Fuzz.Ini"), content);
                LoadMessages(QStringLiteral("Fuzz"));
                if (planted)
                    QVERIFY2(LangTexts.ReadOk == QLatin1String(mark), qPrintable(where + LangTexts.ReadOk));
                // Names that are no file name at all.
                LoadMessages(QString::fromLatin1(randomBytes(rng, rng.bounded(1, 30))));
            }
        }
        LoadMessages(QStringLiteral("NoSuchLanguage"));
        QCOMPARE(LangTexts.ReadOk, QStringLiteral("Reading Completed."));
    }
};

QTEST_GUILESS_MAIN(TestRobustness)
#include "tst_robustness.moc"
