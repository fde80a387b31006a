// The radio models, the band table, band texts and the choice of model and band.
#include "testsupport.h"
#include "image/bytes.h"
#include "image/models.h"
#include <QTest>

namespace {

struct StateSnapshot
{
    const TMacType *model;
    QString modelCode, modelName, bandText;
    int bandCode, channelCount;
    double bandLow, bandHigh;

    static StateSnapshot take()
    {
        return {AppState.CurrentModel, AppState.ModelCode, AppState.ModelName, AppState.BandText,
                AppState.BandCode, AppState.ChannelCount, AppState.BandLow, AppState.BandHigh};
    }
    bool operator==(const StateSnapshot &o) const
    {
        return model == o.model && modelCode == o.modelCode && modelName == o.modelName
               && bandText == o.bandText && bandCode == o.bandCode && channelCount == o.channelCount
               && bandLow == o.bandLow && bandHigh == o.bandHigh;
    }
};

} // namespace

class TestModels : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init() { testsupport::freshState(m_dir.path()); }

    void startState()
    {
        QCOMPARE(AppState.ModelCode, QStringLiteral("4k45"));
        QCOMPARE(AppState.ModelName, QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(int(AppState.BandCode), 0xF5);
        QCOMPARE(AppState.BandText, QStringLiteral("400 - 470MHz"));
        QCOMPARE(AppState.BandLow, 400.0);
        QCOMPARE(AppState.BandHigh, 470.0);
        QCOMPARE(AppState.ChannelCount, 108);
        QCOMPARE(AppState.CurrentModel, ModelList.ByIndex(0));
    }

    void bandTable_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("name");
        QTest::newRow("0") << 0xF0 << " 27 -  72MHz";
        QTest::newRow("1") << 0xF1 << " 67 -  72MHz";
        QTest::newRow("2") << 0xF2 << "134 - 174MHz";
        QTest::newRow("3") << 0xF3 << "200 - 260MHz";
        QTest::newRow("4") << 0xF4 << "320 - 400MHz";
        QTest::newRow("5") << 0xF5 << "400 - 470MHz";
        QTest::newRow("6") << 0xF6 << "400 - 520MHz";
        QTest::newRow("7") << 0xF7 << "134 - 520MHz";
    }
    void bandTable()
    {
        QFETCH(int, code);
        QFETCH(QString, name);
        QCOMPARE(BandNames.count(), 8);
        QCOMPARE(BandNames.NameOf(quint8(code)), name);
        QCOMPARE(int(BandNames.CodeOf(name)), code);
    }

    void unknownBands()
    {
        QCOMPARE(int(BandNames.CodeOf(QStringLiteral("145 - 150MHz"))), 0xF0);
        QCOMPARE(int(BandNames.CodeOf(QStringLiteral("400 - 470mhz"))), 0xF0);   // case matters
        QCOMPARE(int(BandNames.CodeOf(QStringLiteral("27 - 72MHz"))), 0xF0);     // so do the blanks
        QCOMPARE(int(BandNames.CodeOf(QString())), 0xF0);
        QCOMPARE(BandNames.NameOf(0xF8), QStringLiteral("400 - 470MHz"));
        QCOMPARE(BandNames.NameOf(0xA2), QStringLiteral("400 - 470MHz"));
    }

    void modelTable()
    {
        QCOMPARE(ModelList.count(), 2);
        const TMacType *uhf = ModelList.ByIndex(0);
        const TMacType *mhf = ModelList.ByIndex(1);
        QVERIFY(uhf && mhf);
        QVERIFY(!ModelList.ByIndex(2));
        QVERIFY(!ModelList.ByIndex(-1));

        QCOMPARE(uhf->code(), QStringLiteral("4k45"));
        QCOMPARE(uhf->displayName(), QStringLiteral("ZE-4K(UHF)"));
        QCOMPARE(uhf->channelCount(), 108);
        QCOMPARE(uhf->bands(), QStringList{QStringLiteral("400 - 470MHz")});
        QCOMPARE(uhf->defaultBand(), QStringLiteral("400 - 470MHz"));
        QCOMPARE(uhf->high(), 470.0);
        QCOMPARE(uhf->low(), 400.0);

        QCOMPARE(mhf->code(), QStringLiteral("4k46"));
        QCOMPARE(mhf->displayName(), QStringLiteral("ZE-4K(MHF)"));
        QCOMPARE(mhf->channelCount(), 108);
        const QStringList bands{QStringLiteral("134 - 174MHz"), QStringLiteral("200 - 260MHz"),
                                QStringLiteral("320 - 400MHz"), QStringLiteral("400 - 520MHz"),
                                QStringLiteral("134 - 520MHz")};
        QCOMPARE(mhf->bands(), bands);
        QCOMPARE(mhf->defaultBand(), QStringLiteral("134 - 174MHz"));
        QCOMPARE(mhf->high(), 470.0);
        QCOMPARE(mhf->low(), 400.0);
    }

    void modelLookups()
    {
        QCOMPARE(ModelList.ByName(QStringLiteral("ZE-4K(MHF)")), ModelList.ByIndex(1));
        QCOMPARE(ModelList.ByName(QStringLiteral("ZE-4K(UHF)")), ModelList.ByIndex(0));
        QVERIFY(!ModelList.ByName(QStringLiteral("ZE-4K")));
        QVERIFY(!ModelList.ByName(QStringLiteral("4k46")));
        QCOMPARE(ModelList.ByCode(QStringLiteral("4k46")), ModelList.ByIndex(1));
        QVERIFY(!ModelList.ByCode(QStringLiteral("4K46")));
        QVERIFY(!ModelList.ByCode(QStringLiteral("4k46 ")));
        QVERIFY(!ModelList.ByCode(QString()));

        QStringList names{QStringLiteral("left over")};
        ModelList.FillNames(names);
        QCOMPARE(names, (QStringList{QStringLiteral("ZE-4K(UHF)"), QStringLiteral("ZE-4K(MHF)")}));
    }

    void parseBandRange_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("padded name") << " 27 -  72MHz" << true << 27.0 << 72.0;
        QTest::newRow("name") << "400 - 470MHz" << true << 400.0 << 470.0;
        QTest::newRow("user-defined") << "400.000 - 470.000MHz" << true << 400.0 << 470.0;
        QTest::newRow("fractional") << "410.625 - 450.250MHz" << true << 410.625 << 450.25;
        QTest::newRow("no dash") << "400 470MHz" << false << 0.0 << 0.0;
        QTest::newRow("no MHz") << "400 - 470" << false << 0.0 << 0.0;
        QTest::newRow("not numbers") << "low - highMHz" << false << 0.0 << 0.0;
    }
    void parseBandRange()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(double, low);
        QFETCH(double, high);
        const BandRange range = ParseBandRange(text);
        QCOMPARE(range.ok, ok);
        if (ok) {
            QCOMPARE(range.low, low);
            QCOMPARE(range.high, high);
        }
    }

    void selectModelAndBand_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("codeArgument");
        QTest::addColumn<bool>("takeLimits");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        // A standard code argument is not used: the code comes from the band text.
        QTest::newRow("standard band")
            << "4k46" << "200 - 260MHz" << 0xF0 << true << 0xF3 << "200 - 260MHz" << 200.0 << 260.0;
        QTest::newRow("user limits")
            << "4k46" << "410.000 - 450.000MHz" << 0xA6 << true << 0xA6 << "410.000 - 450.000MHz" << 410.0 << 450.0;
        // Without limits the band text is the model's default and the limits stay.
        QTest::newRow("limits not taken")
            << "4k46" << "200 - 260MHz" << 0xF0 << false << 0xF3 << "134 - 174MHz" << 400.0 << 470.0;
        QTest::newRow("start-up call")
            << "4k45" << "400 - 470MHz" << 0xF0 << false << 0xF5 << "400 - 470MHz" << 400.0 << 470.0;
    }
    void selectModelAndBand()
    {
        QFETCH(QString, model);
        QFETCH(QString, text);
        QFETCH(int, codeArgument);
        QFETCH(bool, takeLimits);
        QFETCH(int, bandCode);
        QFETCH(QString, bandText);
        QFETCH(double, low);
        QFETCH(double, high);
        QVERIFY(SelectModelAndBand(model, text, quint8(codeArgument), takeLimits));
        const TMacType *chosen = ModelList.ByCode(model);
        QCOMPARE(AppState.CurrentModel, chosen);
        QCOMPARE(AppState.ModelCode, model);
        QCOMPARE(AppState.ModelName, chosen->displayName());
        QCOMPARE(AppState.ChannelCount, 108);
        QCOMPARE(AppState.ModelHigh, 470.0);
        QCOMPARE(AppState.ModelLow, 400.0);
        QCOMPARE(int(AppState.BandCode), bandCode);
        QCOMPARE(AppState.BandText, bandText);
        QCOMPARE(AppState.BandLow, low);
        QCOMPARE(AppState.BandHigh, high);
    }

    void unknownModelChangesNothing()
    {
        const StateSnapshot before = StateSnapshot::take();
        QVERIFY(!SelectModelAndBand(QStringLiteral("4k47"), QStringLiteral("200 - 260MHz"), 0xF3, true));
        QVERIFY(!SelectModelFromImage(QStringLiteral("4k47")));
        QVERIFY(StateSnapshot::take() == before);
    }

    void selectModelFromImage_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("stored");        // image byte 1909
        QTest::addColumn<double>("storedLow");  // image bytes 1912..1919, MHz (160 steps of 6.25 kHz each)
        QTest::addColumn<double>("storedHigh");
        QTest::addColumn<int>("bandCode");
        QTest::addColumn<QString>("bandText");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::newRow("second model, band from image")
            << "4k46" << 0xF3 << 0.0 << 0.0 << 0xF3 << "200 - 260MHz" << 200.0 << 260.0;
        QTest::newRow("second model, band not in its list")
            << "4k46" << 0xF0 << 0.0 << 0.0 << 0xF0 << " 27 -  72MHz" << 27.0 << 72.0;
        QTest::newRow("second model, band 7")
            << "4k46" << 0xF7 << 0.0 << 0.0 << 0xF7 << "134 - 520MHz" << 134.0 << 520.0;
        QTest::newRow("second model, band number above 7")
            << "4k46" << 0xFC << 0.0 << 0.0 << 0xF5 << "400 - 470MHz" << 400.0 << 470.0;
        QTest::newRow("first model ignores the band number")
            << "4k45" << 0xF2 << 0.0 << 0.0 << 0xF5 << "400 - 470MHz" << 400.0 << 470.0;
        QTest::newRow("first model, user limits")
            << "4k45" << 0xA5 << 410.0 << 450.0 << 0xA5 << "410.000 - 450.000MHz" << 410.0 << 450.0;
        QTest::newRow("first model, user limits under another band number")
            << "4k45" << 0xA2 << 410.0 << 450.0 << 0xA5 << "410.000 - 450.000MHz" << 410.0 << 450.0;
        QTest::newRow("fractional limits come back exactly")
            << "4k45" << 0xA5 << 410.625 << 450.25 << 0xA5 << "410.625 - 450.250MHz" << 410.625 << 450.25;
        // 81938 steps is 512.1125 MHz: a half in the third decimal, rounded away from zero.
        QTest::newRow("half of a thousandth rounds up")
            << "4k46" << 0xA6 << 410.0 << 512.1125 << 0xA6 << "410.000 - 512.113MHz" << 410.0 << 512.113;
        QTest::newRow("limits at the band ends")
            << "4k46" << 0xA2 << 134.0 << 174.0 << 0xA2 << "134.000 - 174.000MHz" << 134.0 << 174.0;
        QTest::newRow("second model, user limits")
            << "4k46" << 0xA6 << 410.0 << 450.0 << 0xA6 << "410.000 - 450.000MHz" << 410.0 << 450.0;
        QTest::newRow("swapped limits dropped")
            << "4k45" << 0xA5 << 450.0 << 410.0 << 0xF5 << "400 - 470MHz" << 400.0 << 470.0;
        QTest::newRow("equal limits dropped")
            << "4k45" << 0xA5 << 430.0 << 430.0 << 0xF5 << "400 - 470MHz" << 400.0 << 470.0;
        QTest::newRow("limit outside the band dropped")
            << "4k46" << 0xA2 << 130.0 << 150.0 << 0xF2 << "134 - 174MHz" << 134.0 << 174.0;
        QTest::newRow("upper limit outside the band dropped")
            << "4k46" << 0xA2 << 140.0 << 174.00625 << 0xF2 << "134 - 174MHz" << 134.0 << 174.0;
        QTest::newRow("limits ignored without the flag")
            << "4k46" << 0xB3 << 210.0 << 250.0 << 0xF3 << "200 - 260MHz" << 200.0 << 260.0;
        QTest::newRow("bad number under the flag")
            << "4k46" << 0xAC << 410.0 << 450.0 << 0xA5 << "410.000 - 450.000MHz" << 410.0 << 450.0;
    }
    void selectModelFromImage()
    {
        QFETCH(QString, model);
        QFETCH(int, stored);
        QFETCH(double, storedLow);
        QFETCH(double, storedHigh);
        QFETCH(int, bandCode);
        QFETCH(QString, bandText);
        QFETCH(double, low);
        QFETCH(double, high);
        testsupport::fillPattern();
        AppState.Image[1909] = quint8(stored);
        bytes::put32(AppState.Image, 1912, quint32(qRound(storedLow * 160)));
        bytes::put32(AppState.Image, 1916, quint32(qRound(storedHigh * 160)));
        const ImageBytes image = AppState.Image;

        QVERIFY(SelectModelFromImage(model));
        QCOMPARE(AppState.ModelCode, model);
        QCOMPARE(AppState.CurrentModel, ModelList.ByCode(model));
        QCOMPARE(int(AppState.BandCode), bandCode);
        QCOMPARE(AppState.BandText, bandText);
        QCOMPARE(AppState.BandLow, low);
        QCOMPARE(AppState.BandHigh, high);
        QVERIFY(AppState.Image == image);
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
